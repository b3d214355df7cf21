#pragma once
// The solution count behind CountSolutions, on bitmasks and without allocation.

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

// CountSolutions on givens already read: the solutions of the givens, capped at 2, by a
// depth-first search that takes the empty cell with the fewest candidates first. 0 when no
// cell is empty.
std::int32_t CountSolutions(const Givens& givens);

}  // namespace sudoku_cells

}  // namespace vum
