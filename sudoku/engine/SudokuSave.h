#pragma once
// The saved game of the Sudoku: the whole play state in a small text file of its own, so that
// an unfinished puzzle survives the end of the program.
//
// The file, version 2 (ASCII, one item a line, LF line ends; grids are read row by row, row 0
// first, and within a row column 0 first):
//
//     VumSudoku saved game
//     version 2
//     level <0, 1 or 2>
//     solution <81 digits 1-9>
//     givens <81 characters, 1 for a given, 0 for a cell the player fills>
//     entries <81 characters, the player's board: a digit, or . for an empty cell>
//     shown <81 characters, what the board shows, as entries>
//     marks <81 groups of three octal digits, each cell's marks: digit d in bit d - 1>
//     undo <n>
//     <n lines, the undo history newest first>
//
// Each undo line lists the cells in which the board and the marks before that step differ
// from those after it, as tokens "<column><row>:<digit or .>:<marks>" separated by blanks
// ("30:7:000 41:.:005" says that column 3, row 0 held 7 and no marks, and column 4, row 1 was
// empty with the marks 1 and 3). Version 1, written before marks were kept, has no marks line
// and tokens without marks; it is read as a game without marks. A file that is not whole (a
// foreign or damaged file, an unknown version, a line of another form, more undo steps than a
// game keeps) is not read, nor one whose game SudokuGame::Restore refuses.

#include <optional>
#include <string>
#include <string_view>

#include "sudoku/engine/SudokuGame.h"

namespace vum {

// The saved game's file name beside the settings.
inline constexpr const char* SavedGameName = "VumSudoku.sav";

std::string SavedGameText(const SudokuGame& game);
std::optional<SudokuGame> GameFromSavedText(std::string_view text);

// Replaces the file at path with the game, whole or not at all. False when it could not.
bool WriteSavedGame(const std::string& path, const SudokuGame& game);
// The game the file at path holds; nullopt for a missing, unreadable or unsound file.
std::optional<SudokuGame> ReadSavedGame(const std::string& path);

}  // namespace vum
