#pragma once
// The play state of a Sudoku game: the puzzle of a level, the player's entries and pencil
// marks, the undo history and what the board shows, with the moves of the game as members.
// The window owns one, forwards the player's input to it and draws what it says.
//
// What the board shows follows the moves, not the grids alone: the solution, once shown,
// stays on the board (but for cells entered or cleared since) until an undo, a restart or a
// new puzzle puts the player's board back. A cell shows its marks while it shows no digit.
//
// Marks are the player's notes of the digits a cell may take. Entering a digit takes it out
// of the marks of every cell in the same row, column and block, in the same undo step; a
// mark set or taken away is an undo step of its own. Marks never count for the solved test.

#include <array>
#include <cstdint>
#include <vector>

#include "sudoku/engine/SudokuPuzzle.h"

namespace vum {

class WRandom;

// The marks of each cell, column first as the grids: digit d in bit d - 1.
using SudokuMarks = std::array<std::array<std::uint16_t, 9>, 9>;

class SudokuGame {
public:
    SudokuGame();

    // The difficulty index of the next puzzle: 0, 1 or 2 give 42, 35 or 28 givens; any
    // other index keeps the number of givens and plays as 1 wherever a level is needed.
    void SetLevel(std::int32_t level);
    std::int32_t Level() const { return level_; }

    // A new puzzle of the level, then Restart.
    void NewPuzzle(WRandom& random);
    // The puzzle from its start: the givens alone, no entries, no marks, no undo history,
    // the player's board shown.
    void Restart();

    // Enters digit (1..9) in a cell that is not a given, and takes it out of the marks of the
    // cell's row, column and block, as one undo step. True when the entry completes a solved
    // board. Anything else changes nothing and gives false.
    bool Enter(std::int32_t column, std::int32_t row, std::int32_t digit);
    // Sets or takes away digit (1..9) as a mark of a cell that is not a given, as one undo
    // step. False when nothing changed.
    bool ToggleMark(std::int32_t column, std::int32_t row, std::int32_t digit);
    // Takes away every mark of a cell, as one undo step when it had any.
    bool ClearMarks(std::int32_t column, std::int32_t row);
    std::uint16_t MarksOf(std::int32_t column, std::int32_t row) const;
    // Empties a cell that is not a given; no undo step.
    void Clear(std::int32_t column, std::int32_t row);
    // Takes the last step back (the board and the marks as they were before it) and shows the
    // player's board; false when there is none.
    bool Undo();
    bool CanUndo() const { return !Sudoku.UndoHistory.empty(); }
    // Shows the solution; the player's board stays as it is underneath.
    void ShowSolution();

    bool IsGiven(std::int32_t column, std::int32_t row) const;
    // The digit the board shows in a cell, -1 for none.
    std::int32_t Shown(std::int32_t column, std::int32_t row) const;
    bool Solved() const { return IsSolved(Sudoku); }

    std::int32_t GivenCount = InitialGivenCount;
    stSudoku Sudoku;
    SudokuGrid ShownGrid{};
    SudokuMarks Marks{};
    // The marks before each step of Sudoku.UndoHistory, step for step.
    std::vector<SudokuMarks> MarkHistory;

private:
    // Keeps the board and the marks before a step.
    void PushStep();

    std::int32_t level_ = 1;
};

}  // namespace vum
