#pragma once
// The saved game of the colour squares: the game in progress in a small text file of its own,
// one per level, so that a run survives the end of the program (Esc, the close box, a logout,
// a crash) and comes back, paused, when its level is chosen again.
//
// The file, version 1 (ASCII, one item a line, LF line ends):
//
//     VumSquare saved game
//     version 1
//     level <0, 1 or 2>
//     score <points>
//     speed <the speed level, 1..10>
//     seconds <the speed clock's count since its last speed-up, 0..59>
//     interval <the field tick's interval in ms>
//     field <200 digits, the colour codes row by row, row 0 (the danger row) first, 0 empty>
//
// Only the form is checked here: a foreign or damaged file, an unknown version, a number that
// is no number, a field of another size or with other characters is not read. Whether the
// game it holds can be reached is the play state's to judge (SquaresGame::Restore).

#include <optional>
#include <string>
#include <string_view>

#include "squares/engine/SquaresGame.h"

namespace vum {

// The saved game's file name of a level 0..2, in the data folder beside the settings.
std::string SavedRunName(std::int32_t level);

std::string SavedRunText(const SquaresPosition& position);
std::optional<SquaresPosition> PositionFromSavedText(std::string_view text);

// Replaces the file at path with the position, whole or not at all. False when it could not.
bool WriteSavedRun(const std::string& path, const SquaresPosition& position);
// The position the file at path holds; nullopt for a missing, unreadable or damaged file.
std::optional<SquaresPosition> ReadSavedRun(const std::string& path);
// Removes the file at path, if there is one: the game it held has ended.
void RemoveSavedRun(const std::string& path);

}  // namespace vum
