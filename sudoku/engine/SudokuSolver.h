#pragma once
// A Sudoku solver that works as a person does: one named step at a time, always from the
// easiest technique that applies, on candidates of its own worked out from the digits on
// the board (a player's pencil marks are never read). Standard C++ only.
//
// Cells and units are numbered as in SudokuCells.h: cell column * 9 + row; units 0..8 the
// columns, 9..17 the rows, 18..26 the blocks (block 18 + column / 3 * 3 + row / 3). A digit
// set holds digit d in bit d - 1.
//
// The uniqueness techniques (unique rectangle, BUG + 1) hold only for a puzzle with exactly
// one solution, which every puzzle of the game has; a caller with a puzzle from elsewhere
// checks that first (CountSolutions).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sudoku/engine/SudokuPuzzle.h"

namespace vum {

// The techniques, the easiest first: the solver tries them in this order, and a puzzle is
// as hard as the hardest technique its path takes.
enum class SudokuTechnique : std::uint8_t {
    NakedSingle,       // a cell with one candidate left
    HiddenSingle,      // a digit with one place left in a block, row or column
    LockedCandidates,  // a digit of a block kept to one line (pointing), or of a line to one block (claiming)
    NakedPair,         // two cells of a unit with the same two candidates
    HiddenPair,        // two digits of a unit with the same two places
    NakedTriple,
    HiddenTriple,
    XWing,             // a digit in two rows kept to two columns, or the other way round
    Swordfish,         // the same with three lines
    XYWing,            // a cell xy seeing cells xz and yz
    XYZWing,           // a cell xyz seeing cells xz and yz
    NakedQuad,
    HiddenQuad,
    Jellyfish,         // the fish of four lines
    UniqueRectangle,   // four cells that would let two digits trade places
    BugPlusOne,        // all cells but one down to two candidates
    SimpleColouring,   // the two colours of a digit's chain of conjugate pairs
    XChain,            // a chain of one digit, strong and weak links in turn
    XYChain,           // a chain of cells with two candidates
    AlternatingChain,  // a chain over any candidates, strong and weak links in turn
};
inline constexpr std::int32_t SudokuTechniqueCount = 20;

// The technique's fixed English identifier, as vum-sudoku-gen prints it: "hidden-single".
std::string_view TechniqueId(SudokuTechnique technique);

// Digits taken out of a cell's candidates.
struct SudokuRemoval {
    std::int32_t Cell;
    std::uint16_t Digits;

    bool operator==(const SudokuRemoval&) const = default;
};

// A candidate of a chain or colouring, and whether the chain's reasoning makes it hold.
struct SudokuChainNode {
    std::int32_t Cell;
    std::int32_t Digit;
    bool Holds;

    bool operator==(const SudokuChainNode&) const = default;
};

// One step of the solution path: a digit placed (Cell, Digit) or candidates removed
// (Removals), with the pattern that justifies it.
//
// What Cells, Units, Digits and Chain hold, by technique:
// - NakedSingle: Cells, one cell of the row, column or block for each digit placed there
//   that rules it out (digits ruled out by earlier steps have none); Digits, the digit.
// - HiddenSingle: Units, the unit; Cells, placed digits that rule out the unit's other empty
//   cells; Digits, the digit.
// - LockedCandidates: Units, the unit the digit is kept within (a block when pointing, a
//   line when claiming), then the unit it is removed from; Cells, the digit's places in the
//   first; Digits, the digit.
// - Naked subsets: Units, the unit; Cells, the subset's cells; Digits, its digits.
// - Hidden subsets: Units, the unit; Cells, the cells; Digits, the digits kept in them.
// - Fish (XWing, Swordfish, Jellyfish): Units, the base lines, then as many cover lines;
//   Cells, the digit's places in the base lines; Digits, the digit.
// - XYWing, XYZWing: Cells, the pivot, then the two pincers; Digits, the three digits;
//   the removed digit is the one the pincers share.
// - UniqueRectangle: Cells, the four corners, those that hold the two digits alone first
//   (three of them when the fourth loses both, else two: the floor), then the rest (the
//   roof); Digits, the two digits; Units, when one of them has no place but the roof in a
//   unit of the roof, that unit.
// - BugPlusOne: Cells, the one cell with three candidates; Digits, the digit placed.
// - SimpleColouring: Chain, the digit's coloured places as found from the first, Holds
//   telling the colours apart (when two of one colour see each other, Holds is false for
//   that colour, which cannot hold); Cells, the same cells; Digits, the digit.
// - Chains: Chain, the candidates in order, the first link strong and then weak and strong
//   in turn, so the first and the last cannot both be false; Holds, what follows along the
//   chain when the first does not hold; Cells, the chain's cells; Digits, its digits.
struct SudokuStep {
    SudokuTechnique Technique = SudokuTechnique::NakedSingle;
    std::int32_t Cell = -1;  // the placed cell; -1 for a step that removes candidates
    std::int32_t Digit = 0;  // the placed digit
    std::vector<SudokuRemoval> Removals;
    std::vector<std::int32_t> Cells;
    std::vector<std::int32_t> Units;
    std::uint16_t Digits = 0;
    std::vector<SudokuChainNode> Chain;

    bool Places() const { return Cell >= 0; }
};

// The board the solver works on: the digits and, for each empty cell, the digits its row,
// column and block leave it, less what earlier steps removed.
class SudokuCandidates {
public:
    // From a board, board[column][row]: a digit 1..9 stands, anything else is empty. Digits
    // that repeat in a unit make the position broken.
    explicit SudokuCandidates(const SudokuGrid& board);

    std::int32_t Digit(std::int32_t cell) const { return digits_[static_cast<std::size_t>(cell)]; }
    std::uint16_t Candidates(std::int32_t cell) const { return candidates_[static_cast<std::size_t>(cell)]; }
    std::int32_t EmptyCount() const;
    bool Solved() const { return EmptyCount() == 0 && !broken_; }
    // A repeated digit, or an empty cell without candidates: no step applies.
    bool Broken() const;

    // Places the step's digit (taking it from the candidates of the cell's row, column and
    // block) or removes its candidates.
    void Apply(const SudokuStep& step);

private:
    std::array<std::uint8_t, 81> digits_{};
    std::array<std::uint16_t, 81> candidates_{};
    bool broken_ = false;
};

// The step of the easiest technique that applies, or none (a broken position, a solved one,
// or one beyond every technique here).
std::optional<SudokuStep> FindStep(const SudokuCandidates& position);

struct SudokuSolution {
    std::vector<SudokuStep> Steps;
    bool Solved = false;  // false: the path stops where no technique applies (stuck)
};

// Steps from the position until it is solved or no technique applies.
SudokuSolution Solve(SudokuCandidates position);

// The candidates a step found on `before` needs to be absent, as digit sets by cell: its
// reasoning holds on any position that lacks them. Candidates that `before` still has may be
// named as well; none that the step needs is left out. The hint keeps by it only the steps
// its placement depends on.
std::array<std::uint16_t, 81> ReliesOn(const SudokuCandidates& before, const SudokuStep& step);

// The hardest technique the solution path takes; nullopt when it gets stuck (or when there
// is nothing to do).
std::optional<SudokuTechnique> HardestTechnique(const SudokuSolution& solution);

}  // namespace vum
