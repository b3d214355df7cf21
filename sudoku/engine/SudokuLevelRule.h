#pragma once
// What a set of givens must meet to be a puzzle of a level: exactly one solution, which the
// solver (SudokuSolver.h) finds without guessing, and at the hardest level ("Сложный",
// difficulty 2) a path that needs more than singles.

#include <cstdint>

#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuSolutionCount.h"

namespace vum {

namespace sudoku_cells {

// Whether naked and hidden singles alone fill every empty cell; then the givens have that
// one solution. Quicker than the solver, which it agrees with.
bool SolvedBySingles(const Givens& givens);

}  // namespace sudoku_cells

// Whether givens (read from the mask over solution, as set) make a puzzle of the difficulty.
// Any difficulty other than 2 asks for one solution that the solver finds; 2 asks in
// addition for a step beyond singles.
bool MakesPuzzleOf(std::int32_t difficulty, const sudoku_cells::Givens& set, const SudokuGrid& solution,
                   const SudokuMask& givens);

}  // namespace vum
