#pragma once
// A Sudoku game of a level with a puzzle made from a fixed seed, for the play-state tests.

#include <cstdint>

#include "common/WRandom.h"
#include "sudoku/engine/SudokuGame.h"

inline vum::SudokuGame NewGame(std::int32_t level, std::uint32_t seed = 7) {
    vum::SudokuGame game;
    game.SetLevel(level);
    vum::WRandom random(seed);
    game.NewPuzzle(random);
    return game;
}
