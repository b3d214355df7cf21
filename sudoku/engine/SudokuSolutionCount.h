#pragma once
// The two solution counts behind CountSolutions, on bitmasks and without allocation.

#include <array>
#include <cstdint>

#include "sudoku/engine/SudokuCells.h"
#include "sudoku/engine/SudokuPuzzle.h"

namespace vum {

namespace sudoku_cells {

struct Givens {
    UnitMasks Used{};                      // the digits the givens hold, per unit
    std::array<std::uint8_t, 81> Empty{};  // the unmarked cells, column-major
    std::int32_t EmptyCount = 0;
};

// A marked cell constrains its units only when it holds a digit 1..9: no digit ever equals
// anything else.
Givens ReadGivens(const SudokuGrid& grid, const SudokuMask& mask);
// Fills the list of unmarked cells of givens from the mask.
void ListEmptyCells(const SudokuMask& mask, Givens& givens);

// CountSolutions on givens already read.
std::int32_t CountSolutions(const Givens& givens, std::int32_t difficulty);

// Solutions of the givens, capped at 2. Needs at least one empty cell.
std::int32_t CountExactSolutions(const Givens& givens);

// Distinct grids completed by the greedy paths, one from each empty cell, capped at 2.
// Needs at least one empty cell.
std::int32_t CountGreedyPaths(const Givens& givens);

}  // namespace sudoku_cells

}  // namespace vum
