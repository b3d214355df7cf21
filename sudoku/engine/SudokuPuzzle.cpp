#include "sudoku/engine/SudokuPuzzle.h"

#include <array>
#include <stdexcept>
#include <utility>
#include <string>

#include "common/WRandom.h"
#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuLevelRule.h"
#include "sudoku/engine/SudokuSolutionCount.h"

namespace vum {

using namespace sudoku_cells;

std::int32_t GivenCountFor(std::int32_t difficulty, std::int32_t currentGivenCount) {
    switch (difficulty) {
        case 0: return 42;
        case 1: return 35;
        case 2: return 28;
        default: return currentGivenCount;
    }
}

std::int32_t BlockStart(std::int32_t x) {
    if (x < 0 || x > 8) return -1;
    return x / 3 * 3;
}

void ClearGrid(SudokuGrid& grid) {
    for (auto& column : grid) column.fill(-1);
}

bool ColumnHas(const SudokuGrid& grid, std::int32_t column, std::int32_t digit) {
    for (std::int32_t row = 0; row < 9; ++row) {
        if (grid[column][row] == digit) return true;
    }
    return false;
}

bool RowHas(const SudokuGrid& grid, std::int32_t row, std::int32_t digit) {
    for (std::int32_t column = 0; column < 9; ++column) {
        if (grid[column][row] == digit) return true;
    }
    return false;
}

bool BlockHas(const SudokuGrid& grid, std::int32_t column, std::int32_t row, std::int32_t digit) {
    const std::int32_t firstColumn = BlockStart(column);
    const std::int32_t firstRow = BlockStart(row);
    for (std::int32_t c = firstColumn; c < firstColumn + 3; ++c) {
        for (std::int32_t r = firstRow; r < firstRow + 3; ++r) {
            if (grid[c][r] == digit) return true;
        }
    }
    return false;
}

bool CanPlace(const SudokuGrid& grid, const SudokuMask& mask, std::int32_t column,
              std::int32_t row, std::int32_t digit) {
    const auto clashes = [&](std::int32_t c, std::int32_t r) {
        return (c != column || r != row) && mask[c][r] != 0 && grid[c][r] == digit;
    };
    const std::int32_t firstColumn = BlockStart(column);
    const std::int32_t firstRow = BlockStart(row);
    for (std::int32_t c = firstColumn; c < firstColumn + 3; ++c) {
        for (std::int32_t r = firstRow; r < firstRow + 3; ++r) {
            if (clashes(c, r)) return false;
        }
    }
    for (std::int32_t r = 0; r < 9; ++r) {
        if (clashes(column, r)) return false;
    }
    for (std::int32_t c = 0; c < 9; ++c) {
        if (clashes(c, row)) return false;
    }
    return true;
}

std::uint32_t RandomBits::Take(std::int32_t count) {
    if (held_ < count) {
        bits_ |= static_cast<std::uint64_t>(random_.Draw15()) << held_;
        held_ += 15;
    }
    const auto taken = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << count) - 1));
    bits_ >>= count;
    held_ -= count;
    return taken;
}

bool TryFillSolution(SudokuGrid& grid, RandomBits& bits) {
    std::array<DigitSet, 9> rows{};
    for (std::int32_t band = 0; band < 9; band += 3) {
        std::array<DigitSet, 3> blocks{};
        for (std::int32_t column = band; column < band + 3; ++column) {
            DigitSet used = 0;
            for (std::int32_t row = 0; row < 9; ++row) {
                DigitSet& block = blocks[static_cast<std::size_t>(row / 3)];
                const auto legal = static_cast<DigitSet>(AllDigits & ~(used | rows[static_cast<std::size_t>(row)] | block));
                if (legal == 0) return false;
                const std::int32_t digit = PickDigit(legal, bits);
                grid[column][row] = digit;
                const DigitSet bit = DigitBit(digit);
                used |= bit;
                rows[static_cast<std::size_t>(row)] |= bit;
                block |= bit;
            }
        }
    }
    return true;
}

void FillSolution(SudokuGrid& grid, WRandom& random) {
    RandomBits bits(random);
    while (!TryFillSolution(grid, bits)) ClearGrid(grid);
}

namespace {

void CheckCounts(const char* function, std::int32_t givenCount, std::int32_t difficulty) {
    if (givenCount < 1 || givenCount > 80) {
        throw std::invalid_argument(std::string(function) + ": the number of givens must lie in 1..80");
    }
    if (difficulty == 2 && givenCount > MaxHardGivenCount) {
        throw std::invalid_argument(std::string(function) + ": too many givens for a puzzle beyond singles");
    }
}

}  // namespace

namespace {

constexpr std::array<std::uint8_t, 81> InOrder = [] {
    std::array<std::uint8_t, 81> cells{};
    for (std::size_t cell = 0; cell < 81; ++cell) cells[cell] = static_cast<std::uint8_t>(cell);
    return cells;
}();

// The cells of one set of givens.
CellSet DrawCells(std::int32_t givenCount, std::int32_t difficulty, WRandom& random) {
    CellSet cells;
    if (difficulty != 2) {
        // Each cell by two 31-bit draws, column first, until givenCount differ.
        for (std::int32_t count = 0; count < givenCount;) {
            const std::int32_t column = random.Draw31() % 9;
            const std::int32_t cell = CellAt(column, random.Draw31() % 9);
            if (cells.Has(cell)) continue;
            cells.Add(cell);
            ++count;
        }
        return cells;
    }
    // Level 2 draws about six times as many sets as the others: one 31-bit draw per given,
    // the first givenCount cells of a partial shuffle, each as likely as any other set.
    std::array<std::uint8_t, 81> order = InOrder;
    for (std::int32_t at = 0; at < givenCount; ++at) {
        const auto left = static_cast<std::uint64_t>(81 - at);
        const auto pick = static_cast<std::size_t>(at) +
                          static_cast<std::size_t>(static_cast<std::uint64_t>(random.Draw31()) * left >> 31);
        std::swap(order[static_cast<std::size_t>(at)], order[pick]);
        cells.Add(order[static_cast<std::size_t>(at)]);
    }
    return cells;
}

}  // namespace

void GeneratePuzzle(SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                    std::int32_t difficulty, WRandom& random) {
    CheckCounts("GeneratePuzzle", givenCount, difficulty);
    FillSolution(solution, random);
    while (DrawGivens(solution, givens, givenCount, difficulty, random) == 0) {
        ClearGrid(solution);
        FillSolution(solution, random);
    }
}

std::int32_t DrawGivens(const SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                        std::int32_t difficulty, WRandom& random) {
    CheckCounts("DrawGivens", givenCount, difficulty);
    // Most sets of few givens leave one of these without a given, and are dismissed without
    // a count.
    const UnavoidableSets unavoidable(solution);
    for (std::int32_t drawn = 1; difficulty != 2 || drawn <= MaxHardSets; ++drawn) {
        const CellSet cells = DrawCells(givenCount, difficulty, random);
        if (unavoidable.MissedBy(cells)) continue;
        Givens set;
        for (auto& column : givens) column.fill(0);
        cells.ForEach([&](std::int32_t cell) {
            givens[ColumnOf(cell)][RowOf(cell)] = 1;
            Place(set.Used, cell, DigitBit(solution[ColumnOf(cell)][RowOf(cell)]));
        });
        ListEmptyCells(givens, set);
        if (MakesPuzzleOf(difficulty, set, solution, givens)) return drawn;
    }
    return 0;
}

void GeneratePuzzle(stSudoku& sudoku, std::int32_t givenCount, std::int32_t difficulty,
                    WRandom& random) {
    GeneratePuzzle(sudoku.SolutionGrid, sudoku.GivenMask, givenCount, difficulty, random);
}

std::int32_t CountSolutions(const SudokuGrid& grid, const SudokuMask& mask) {
    return sudoku_cells::CountSolutions(ReadGivens(grid, mask));
}

bool IsSolved(const SudokuGrid& playerGrid, const SudokuMask& givenMask,
              const SudokuGrid& solutionGrid) {
    UnitMasks seen{};
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            const std::int32_t digit = playerGrid[column][row];
            if (digit < 1 || digit > 9) return false;
            if (givenMask[column][row] != 0 && digit != solutionGrid[column][row]) return false;
            Place(seen, CellAt(column, row), DigitBit(digit));
        }
    }
    // 81 digits in 27 units of nine: a unit is full exactly when none repeats in it.
    for (const DigitSet unit : seen) {
        if (unit != AllDigits) return false;
    }
    return true;
}

bool IsSolved(const stSudoku& sudoku) {
    return IsSolved(sudoku.PlayerGrid, sudoku.GivenMask, sudoku.SolutionGrid);
}

}  // namespace vum
