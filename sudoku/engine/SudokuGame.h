#pragma once
// The play state of a Sudoku game: the puzzle of a level, the player's entries and pencil
// marks, the undo history and what the board shows, with the moves of the game as members.
// The window owns one, forwards the player's input to it and draws what it says; a saved game
// comes back only through Restore, which refuses what no game can reach.
//
// What the board shows follows the moves, not the grids alone: the solution, once shown,
// stays on the board (but for cells entered or cleared since) until an undo, a restart or a
// new puzzle puts the player's board back. A cell shows its marks while it shows no digit.
//
// Marks are the player's notes of the digits a cell may take. Entering a digit takes it out
// of the marks of every cell in the same row, column and block, in the same undo step; a
// mark set or taken away is an undo step of its own. Marks never count for the solved test.
//
// What undo took back can be redone, step by step, until the next move (an entry, a mark, a
// clear); a restart and a new puzzle forget it. The undo and redo histories together keep the
// newest MaxUndoSteps steps, far more than a puzzle takes, so that a game stays small in memory
// and on disk whatever is played or read.
//
// A puzzle is the game's own, made for its level, or one the player brought (Import): any
// number of givens with exactly one solution, played at the level it was brought in.

#include <array>
#include <cstdint>
#include <vector>

#include "sudoku/engine/SudokuPuzzle.h"

namespace vum {

class WRandom;

// The marks of each cell, column first as the grids: digit d in bit d - 1.
using SudokuMarks = std::array<std::array<std::uint16_t, 9>, 9>;

// What the player has made of the board at one moment: the board (givens, entries, -1 for an
// empty cell) and the marks. An undo step keeps the position before it.
struct SudokuPosition {
    SudokuGrid Board{};
    SudokuMarks Marks{};
    bool operator==(const SudokuPosition&) const = default;
};

// A game as a saved file holds it, for SudokuGame::Restore.
struct SudokuGameRecord {
    std::int32_t Level = 1;
    bool Imported = false;
    std::int64_t PlayedMilliseconds = 0;
    bool SolutionSeen = false;
    SudokuGrid Solution{};
    SudokuMask Givens{};
    SudokuPosition Position;
    SudokuGrid Shown{};
    std::vector<SudokuPosition> UndoHistory;  // the newest last
    std::vector<SudokuPosition> RedoHistory;  // the next redo last
};

class SudokuGame {
public:
    static constexpr std::size_t MaxUndoSteps = 2000;

    SudokuGame();

    // The difficulty index of the next puzzle: 0, 1 or 2 give 42, 35 or 28 givens; any
    // other index keeps the number of givens and plays as 1 wherever a level is needed.
    void SetLevel(std::int32_t level);
    std::int32_t Level() const { return level_; }
    std::int32_t GivenCount() const { return givenCount_; }

    // A new puzzle of the level, from its start (as Restart).
    void NewPuzzle(WRandom& random);
    // A puzzle the player brought, played at the level: its givens (digits 1..9, -1 elsewhere)
    // and their one solution. False, and nothing changes, when the solution is no complete
    // grid that keeps the givens.
    bool Import(const SudokuGrid& givens, const SudokuGrid& solution);
    // The puzzle from its start: the givens alone, no entries, no marks, no undo history,
    // the player's board shown.
    void Restart();
    // Takes a saved game: true when it is one that play can reach (a level 0..2 with its
    // number of givens, a valid solution that the givens agree with, a board and marks that
    // keep the givens in it and in every undo step, a shown board made of the player's digits
    // and the solution's, no more undo steps than a game keeps); otherwise false, and the game
    // stays as it was.
    bool Restore(const SudokuGameRecord& record);

    // Enters digit (1..9) in a cell that is not a given, and takes it out of the marks of the
    // cell's row, column and block, as one undo step. True when the entry completes a solved
    // board. Anything else changes nothing and gives false.
    bool Enter(std::int32_t column, std::int32_t row, std::int32_t digit);
    // Sets or takes away digit (1..9) as a mark of a cell that is not a given, as one undo
    // step. False when nothing changed.
    bool ToggleMark(std::int32_t column, std::int32_t row, std::int32_t digit);
    // Takes away every mark of a cell, as one undo step when it had any.
    bool ClearMarks(std::int32_t column, std::int32_t row);
    // Empties a cell that is not a given; no undo step.
    void Clear(std::int32_t column, std::int32_t row);
    // Takes the last step back (the board and the marks as they were before it) and shows the
    // player's board; false when there is none.
    bool Undo();
    bool CanUndo() const { return !undoHistory_.empty(); }
    // Takes the last undone step again and shows the player's board; false when there is none.
    bool Redo();
    bool CanRedo() const { return !redoHistory_.empty(); }
    // Shows the solution; the player's board stays as it is underneath.
    void ShowSolution();

    // The time spent on the puzzle, as the window counts it.
    void AddPlayedTime(std::int64_t milliseconds);
    std::int64_t PlayedMilliseconds() const { return playedMilliseconds_; }

    // The puzzle and the player's game as they stand.
    const SudokuGrid& Solution() const { return solution_; }
    const SudokuMask& Givens() const { return givens_; }
    const SudokuPosition& Position() const { return position_; }
    const SudokuGrid& ShownGrid() const { return shown_; }
    const std::vector<SudokuPosition>& UndoHistory() const { return undoHistory_; }
    const std::vector<SudokuPosition>& RedoHistory() const { return redoHistory_; }
    // Whether a puzzle is on the board, and whether the player brought it.
    bool HasPuzzle() const { return solution_[0][0] >= 1; }
    bool Imported() const { return imported_; }
    // Whether the solution was shown since the puzzle began.
    bool SolutionSeen() const { return solutionSeen_; }

    bool IsGiven(std::int32_t column, std::int32_t row) const;
    // The player's digit in a cell (a given's too), -1 for none.
    std::int32_t Digit(std::int32_t column, std::int32_t row) const;
    // The digit the board shows in a cell, -1 for none.
    std::int32_t Shown(std::int32_t column, std::int32_t row) const;
    std::uint16_t MarksOf(std::int32_t column, std::int32_t row) const;
    bool Solved() const { return IsSolved(position_.Board, givens_, solution_); }

private:
    // Keeps the position before a move as its undo step; the redo history goes.
    void PushStep();
    // A move that takes no step (a clear) also ends what could be redone.
    void EndRedo() { redoHistory_.clear(); }
    // A puzzle begins: nothing played, nothing seen, then Restart.
    void Begin(bool imported);
    // Shows the player's board: givens from the solution, the rest as the player has it.
    void ShowBoard();

    std::int32_t level_ = 1;
    std::int32_t givenCount_ = InitialGivenCount;
    SudokuGrid solution_{};
    SudokuMask givens_{};
    SudokuPosition position_;
    SudokuGrid shown_{};
    std::vector<SudokuPosition> undoHistory_;
    std::vector<SudokuPosition> redoHistory_;
    bool imported_ = false;
    bool solutionSeen_ = false;
    std::int64_t playedMilliseconds_ = 0;
};

}  // namespace vum
