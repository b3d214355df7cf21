#pragma once
// A word-for-word Sudoku search and fill, slow on purpose: the yardstick that the engine's
// fast paths are checked and timed against. Test and benchmark code only.

#include <cstdint>
#include <vector>

#include "sudoku/engine/SudokuPuzzle.h"

namespace vum::reference {

bool CanPlace(const SudokuGrid& grid, const SudokuMask& mask, std::int32_t column, std::int32_t row,
              std::int32_t digit);

// One complete search from the start cell on private copies of the grid and the mask at
// every level; adds the complete grids it reaches to solutions, never two equal ones, never
// more than two.
void SearchSolutions(stIndex start, const SudokuGrid& grid, const SudokuMask& mask,
                     std::vector<SudokuGrid>& solutions);

// One search per unmarked cell in column-major order, until two grids are found.
std::int32_t CountSolutions(const SudokuGrid& grid, const SudokuMask& mask);

// One fill attempt of an all -1 grid; false at the first cell without a candidate.
bool TryFillSolution(SudokuGrid& grid, WRandom& random);

// Fill (restarting from an empty grid after each dead end), then givens until the count is 1.
// Slow beyond use below about 35 givens.
void GeneratePuzzle(SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount, WRandom& random);

// The engine's DrawGivens as it was before the levels were calibrated: two 31-bit draws per
// given, column first, until the givens admit one solution, whatever the solver makes of
// them; the unavoidable sets spare it most counts, as they did. Returns the sets drawn.
std::int32_t DrawGivensByCount(const SudokuGrid& solution, SudokuMask& givens, std::int32_t givenCount,
                               WRandom& random);

}  // namespace vum::reference
