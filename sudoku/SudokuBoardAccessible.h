#pragma once
// The board as screen readers see it: a table of 9 x 9 cells, each read by the name its grid's
// cell handler gives it, the current cell selected, and focused while the board has the
// keyboard focus, so that a screen reader reads each cell as the current cell reaches it.
// Nothing here does any work while no screen reader listens.

class SudokuBoardGrid;

namespace vum {

// Makes screen readers see grids as tables; call before a screen reader may ask for one.
void MakeAccessibleBoards();

// The current cell moved, or the board took the keyboard focus: the current cell takes the
// focus, and screen readers read it. Nothing happens while the board has no keyboard focus.
void AccessibleCurrentCellFocused(SudokuBoardGrid& grid);

// A cell may show something new: screen readers are told its new name when it has changed.
void AccessibleCellChanged(SudokuBoardGrid& grid, int column, int row);

}  // namespace vum
