#pragma once
// The hint a player asks for: a mistake first, else the solver's steps up to a digit the
// player can enter, else one digit of the solution. Standard C++ only; the window lights the
// cells and shows the sentences (SudokuHintText in sudoku/).

#include <cstdint>
#include <vector>

#include "sudoku/engine/SudokuPuzzle.h"
#include "sudoku/engine/SudokuSolver.h"

namespace vum {

struct SudokuHint {
    enum class Kind : std::uint8_t {
        Mistake,  // (Column, Row) holds an entered Digit that the solution does not
        Step,     // Steps end in placing Digit at (Column, Row)
        NoStep,   // no technique applies: Digit is the solution's at the empty (Column, Row)
        Solved,   // no empty cell
    };

    Kind What = Kind::Solved;
    std::int32_t Column = -1;
    std::int32_t Row = -1;
    std::int32_t Digit = 0;
    // For a Step: the steps the placement needs, in order, the placement last. Steps that
    // remove candidates it does not depend on, directly or through another step, are left out.
    std::vector<SudokuStep> Steps;
};

// The hint for the player's board (board[column][row]: the givens and the entries, -1 for an
// empty cell) of the puzzle with this solution and these givens. The first mistake in
// reading order (row by row, each left to right) comes first. The solver's candidates come
// from the digits on the board alone; pencil marks play no part. For NoStep the cell is the
// first in reading order of those with the fewest candidates.
SudokuHint FindHint(const SudokuGrid& solution, const SudokuMask& givens, const SudokuGrid& board);

}  // namespace vum
