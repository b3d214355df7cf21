#pragma once
// The Russian sentences of a hint (SudokuHint in the engine): the technique of each step and
// its reasoning, or the mistake. Cells are named "(строка 3, столбец 5)", rows and columns
// counted from 1; rows and columns by number ("в строке 3"), blocks by their place on the
// board ("в центральном блоке"). One term for each thing: клетка, строка, столбец, блок,
// цифра, кандидат.

#include <QString>

#include "sudoku/engine/SudokuHint.h"
#include "sudoku/engine/SudokuSolver.h"

namespace vum {

// The technique's name: "Скрытая одиночка".
QString TechniqueName(SudokuTechnique technique);

// One sentence on one step: the technique, the cells and units of its pattern, and what it
// places or removes.
QString StepText(const SudokuStep& step);

// The hint as the window shows it, one or two sentences: the mistake; or the step that
// places a digit, after the steps that remove candidates for it; or, when no technique
// applies, the digit of the solution that the hint offers instead.
QString HintText(const SudokuHint& hint);

}  // namespace vum
