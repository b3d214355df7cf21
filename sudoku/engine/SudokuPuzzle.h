#pragma once
// The Sudoku engine: the game record, the rule tests and the puzzle maker. Standard C++ only;
// the main window owns an stSudoku and calls these.
//
// Grids are stored column first, grid[column][row]; an integer grid holds -1 for an empty
// cell, the mask holds 1 for a given.

#include <array>
#include <cstdint>
#include <vector>

namespace vum {

class WRandom;

using SudokuGrid = std::array<std::array<std::int32_t, 9>, 9>;
using SudokuMask = std::array<std::array<std::uint8_t, 9>, 9>;

struct stSudoku {
    SudokuGrid SolutionGrid{};
    SudokuMask GivenMask{};
    SudokuGrid PlayerGrid{};
    std::vector<SudokuGrid> UndoHistory;  // snapshots of PlayerGrid, the newest last
};

struct stIndex {
    std::int32_t Column;
    std::int32_t Row;
};

// GivenCount before a level is chosen.
inline constexpr std::int32_t InitialGivenCount = 35;
// GivenCount for a difficulty index: 42, 35 or 28 for 0, 1, 2; any other index keeps the
// current count.
std::int32_t GivenCountFor(std::int32_t difficulty, std::int32_t currentGivenCount);

// First index of the band of three that holds x: 0, 3 or 6; -1 outside 0..8.
std::int32_t BlockStart(std::int32_t x);

void ClearGrid(SudokuGrid& grid);

// Whether any cell of the column, the row, or the block of (column, row) holds digit.
// Coordinates must lie in 0..8.
bool ColumnHas(const SudokuGrid& grid, std::int32_t column, std::int32_t digit);
bool RowHas(const SudokuGrid& grid, std::int32_t row, std::int32_t digit);
bool BlockHas(const SudokuGrid& grid, std::int32_t column, std::int32_t row, std::int32_t digit);

// Whether digit may stand at (column, row): no other cell of its block, column or row that
// the mask marks holds it. Unmarked cells and the cell itself are ignored.
bool CanPlace(const SudokuGrid& grid, const SudokuMask& mask, std::int32_t column,
              std::int32_t row, std::int32_t digit);

// The bits of 15-bit draws, handed out a few at a time: the stream the fill takes its
// digits from (see PickDigit in SudokuCells.h).
class RandomBits {
public:
    explicit RandomBits(WRandom& random) : random_(random) {}

    // count must not exceed 15.
    std::uint32_t Take(std::int32_t count);

private:
    WRandom& random_;
    std::uint64_t bits_ = 0;
    std::int32_t held_ = 0;
};

// One attempt of the fill of an all -1 grid: the cells in column-major order each take a
// digit among those their column, row and block do not hold yet, with the chances of drawing
// q % 9 + 1 from 15-bit draws q until it is one of them. Returns false at the first cell
// with none (a dead end), leaving it and the cells after it at -1.
bool TryFillSolution(SudokuGrid& grid, RandomBits& bits);
// Fills an all -1 grid with a random complete solution: attempts from an empty grid, on one
// stream of bits, until one reaches the last cell.
void FillSolution(SudokuGrid& grid, WRandom& random);

// Makes a new puzzle of a difficulty: fills the solution (the game clears it first with
// ClearGrid; the fill overwrites every cell anyway), then draws givenCount givens again and
// again over the same solution until they make a puzzle of the difficulty (MakesPuzzleOf in
// SudokuLevelRule.h): exactly one solution, the filled one, which the solver finds without
// guessing; at difficulty 2 ("Сложный") a solution path that needs more than singles as
// well. The levels differ by their givenCount (GivenCountFor) and by that last rule. At
// difficulty 2 a solution that gives no puzzle in MaxHardSets sets (a few solutions give one
// in a hundred thousand) makes way for a new one. Like the game it has no limit on attempts:
// givenCount must lie in 1..80 (std::invalid_argument otherwise), and a count too low for a
// unique puzzle (below 17) never returns; at difficulty 2 the count must leave room for more
// than singles, at most MaxHardGivenCount (std::invalid_argument otherwise).
void GeneratePuzzle(SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                    std::int32_t difficulty, WRandom& random);
void GeneratePuzzle(stSudoku& sudoku, std::int32_t givenCount, std::int32_t difficulty,
                    WRandom& random);
// Above this many givens a set that singles cannot finish is too rare to wait for.
inline constexpr std::int32_t MaxHardGivenCount = 40;
inline constexpr std::int32_t MaxHardSets = 25000;
// The second half of GeneratePuzzle, over a complete solution: draws the givens until they
// make a puzzle of the difficulty and returns how many sets it drew, or 0 when MaxHardSets
// sets at difficulty 2 made none (givens then hold the last set). givenCount and difficulty
// as for GeneratePuzzle. Difficulties other than 2 draw each given by two 31-bit draws,
// column first, until givenCount cells differ; difficulty 2, which draws about six times as
// many sets, takes one 31-bit draw per given (a partial shuffle of the 81 cells). A set that
// leaves one of the solution's unavoidable sets (see SudokuSolutionCount.h) without a given
// has another solution and is drawn again without a count; that decides most sets of 28
// givens.
std::int32_t DrawGivens(const SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                        std::int32_t difficulty, WRandom& random);

// The number of solutions of the givens, capped at 2: 0, 1 or 2 (two or more). Only the
// marked cells that hold a digit 1..9 constrain; the digits of the unmarked cells are
// ignored. With no unmarked cell the count is 0, as for the search that defines it:
// SearchSolutions from every unmarked cell in turn, copying the grid at every level, until two
// distinct grids are found (kept word for word in the tests as SudokuReference). This gets
// the same result from one search that undoes its moves and takes the cell with the fewest
// candidates first.
std::int32_t CountSolutions(const SudokuGrid& grid, const SudokuMask& mask);

// Whether the player's board is solved: every cell holds a digit 1..9, every given still
// holds its solution digit, and every row, column and block holds each digit once. Any
// valid completion counts, also one that differs from the solution.
bool IsSolved(const SudokuGrid& playerGrid, const SudokuMask& givenMask,
              const SudokuGrid& solutionGrid);
bool IsSolved(const stSudoku& sudoku);

}  // namespace vum
