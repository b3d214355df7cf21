#pragma once
// The saved games of the Sudoku: the game being played and the unfinished games kept for the
// other levels, in a small text file of their own, so that no unfinished puzzle is lost when the
// program ends.
//
// The file, version 3 (ASCII, one item a line, LF line ends; grids are read row by row, row 0
// first, and within a row column 0 first):
//
//     VumSudoku saved game
//     version 3
//     <the game being played>
//     <the kept game of another level, for each level that has one>
//
// and each game:
//
//     level <0, 1 or 2>
//     origin <made: a puzzle of the game's own; imported: one the player brought>
//     time <the milliseconds spent on the puzzle>
//     seen <1 once the solution was shown, else 0>
//     solution <81 digits 1-9>
//     givens <81 characters, 1 for a given, 0 for a cell the player fills>
//     entries <81 characters, the player's board: a digit, or . for an empty cell>
//     shown <81 characters, what the board shows, as entries>
//     marks <81 groups of three octal digits, each cell's marks: digit d in bit d - 1>
//     undo <n>
//     <n lines, the undo history from the newest step back>
//     redo <m>
//     <m lines, what can be redone, from the next step on>
//
// Each history line lists the cells in which that step's position differs from the one before
// it on the line's way out from the game's position, with that step's content, as tokens
// "<column><row>:<digit or .>:<marks>" separated by blanks ("30:7:000 41:.:005" says that
// column 3, row 0 holds 7 and no marks, and column 4, row 1 is empty with the marks 1 and 3).
// Version 2 holds one game, without origin, time, seen and redo; version 1 has no marks line
// either, and tokens without marks. A file that is not whole (a foreign or damaged file, an
// unknown version, a line of another form, more steps than a game keeps, two games of one
// level, a kept game that is solved) is not read, nor one with a game that
// SudokuGame::Restore refuses.

#include <optional>
#include <string>
#include <string_view>

#include "sudoku/engine/SudokuGame.h"
#include "sudoku/engine/SudokuKeptGames.h"

namespace vum {

// The saved games' file name beside the settings.
inline constexpr const char* SavedGameName = "VumSudoku.sav";

struct SudokuSavedGames {
    SudokuGame Playing;
    SudokuKeptGames Kept;
};

std::string SavedGamesText(const SudokuGame& playing, const SudokuKeptGames& kept);
std::optional<SudokuSavedGames> SavedGamesFromText(std::string_view text);
// Replaces the file at path with the games, whole or not at all. False when it could not.
bool WriteSavedGames(const std::string& path, const SudokuGame& playing, const SudokuKeptGames& kept);
// The games the file at path holds; nullopt for a missing, unreadable or unsound file.
std::optional<SudokuSavedGames> ReadSavedGames(const std::string& path);

// The same for the game being played alone.
std::string SavedGameText(const SudokuGame& game);
std::optional<SudokuGame> GameFromSavedText(std::string_view text);
bool WriteSavedGame(const std::string& path, const SudokuGame& game);
std::optional<SudokuGame> ReadSavedGame(const std::string& path);

}  // namespace vum
