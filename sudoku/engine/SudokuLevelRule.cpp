#include "sudoku/engine/SudokuLevelRule.h"

#include "sudoku/engine/SudokuSolver.h"

namespace vum {

namespace sudoku_cells {

bool SolvedBySingles(const Givens& givens) {
    UnitMasks used = givens.Used;
    std::array<std::uint8_t, 81> empty = givens.Empty;
    std::int32_t count = givens.EmptyCount;
    while (count > 0) {
        const std::int32_t before = count;
        for (std::int32_t i = 0; i < count;) {
            const std::int32_t cell = empty[static_cast<std::size_t>(i)];
            const DigitSet free = FreeDigits(used, cell);
            if (free == 0) return false;
            if ((free & (free - 1)) != 0) {
                ++i;
                continue;
            }
            Place(used, cell, free);
            empty[static_cast<std::size_t>(i)] = empty[static_cast<std::size_t>(--count)];
        }
        if (count < before) continue;
        // No naked single: the digits with one place in a unit.
        std::array<DigitSet, 27> once{};
        std::array<DigitSet, 27> more{};
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t cell = empty[static_cast<std::size_t>(i)];
            const DigitSet free = FreeDigits(used, cell);
            const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
            for (const std::uint8_t unit : {units.Column, units.Row, units.Block}) {
                more[unit] |= once[unit] & free;
                once[unit] |= free;
            }
        }
        for (std::int32_t i = 0; i < count;) {
            const std::int32_t cell = empty[static_cast<std::size_t>(i)];
            const CellUnits& units = UnitsOf[static_cast<std::size_t>(cell)];
            DigitSet hidden = 0;
            for (const std::uint8_t unit : {units.Column, units.Row, units.Block}) {
                hidden |= static_cast<DigitSet>(once[unit] & ~more[unit]);
            }
            hidden &= FreeDigits(used, cell);
            if (hidden == 0) {
                ++i;
                continue;
            }
            Place(used, cell, LowestDigit(hidden));
            empty[static_cast<std::size_t>(i)] = empty[static_cast<std::size_t>(--count)];
        }
        if (count == before) return false;
    }
    return true;
}

}  // namespace sudoku_cells

bool MakesPuzzleOf(std::int32_t difficulty, const sudoku_cells::Givens& set, const SudokuGrid& solution,
                   const SudokuMask& givens) {
    // Most sets of the easier levels are finished by singles, which spares them the count;
    // most sets of 28 givens have more than one solution, which the count finds first.
    if (difficulty == 2) {
        if (sudoku_cells::CountSolutions(set) != 1 || sudoku_cells::SolvedBySingles(set)) return false;
    } else if (sudoku_cells::SolvedBySingles(set)) {
        return true;
    } else if (sudoku_cells::CountSolutions(set) != 1) {
        return false;
    }
    SudokuGrid board = solution;
    for (std::int32_t column = 0; column < 9; ++column) {
        for (std::int32_t row = 0; row < 9; ++row) {
            if (givens[column][row] == 0) board[column][row] = -1;
        }
    }
    return Solve(SudokuCandidates(board)).Solved;
}

}  // namespace vum
