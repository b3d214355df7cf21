#pragma once
// A puzzle as text, the usual line of 81 characters read row by row (row 1 first, and within a
// row column 1 first): a given's digit, and '.' for a cell to fill; the form vum-sudoku-gen
// prints. Read back, '0' also stands for an empty cell, and blanks and line breaks are ignored,
// so that a grid of nine lines reads too; a second line of 81 (the player's board, as
// BoardLine writes it) may follow and is not looked at.

#include <optional>
#include <string>
#include <string_view>

#include "sudoku/engine/SudokuPuzzle.h"

namespace vum {

class SudokuGame;

// The givens of the game's puzzle, and the player's board over them.
std::string PuzzleLine(const SudokuGame& game);
std::string BoardLine(const SudokuGame& game);

struct PuzzleText {
    enum class Verdict { Puzzle, NotAPuzzle, NoSolution, SeveralSolutions };
    Verdict Read = Verdict::NotAPuzzle;
    SudokuGrid Givens{};    // digits 1..9, -1 for a cell to fill
    SudokuGrid Solution{};  // for a puzzle with one solution
};

// What the text holds: a puzzle with exactly one solution (and that solution), or why not.
PuzzleText ReadPuzzleText(std::string_view text);

}  // namespace vum
