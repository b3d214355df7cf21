#include "sudoku/engine/SudokuKeptGames.h"

#include <utility>

namespace vum {

namespace {

bool IsLevel(std::int32_t level) { return level >= 0 && level < SudokuKeptGames::Levels; }

}  // namespace

bool SudokuKeptGames::SwitchLevel(SudokuGame& game, std::int32_t next) {
    Keep(game);
    if (IsLevel(next) && games_[static_cast<std::size_t>(next)]) {
        game = std::move(*games_[static_cast<std::size_t>(next)]);
        Forget(next);
        return true;
    }
    game.SetLevel(next);
    return false;
}

bool SudokuKeptGames::Keep(const SudokuGame& game) {
    if (!IsLevel(game.Level()) || !game.HasPuzzle() || game.Solved()) return false;
    games_[static_cast<std::size_t>(game.Level())] = game;
    return true;
}

const std::optional<SudokuGame>& SudokuKeptGames::Of(std::int32_t level) const {
    static const std::optional<SudokuGame> none;
    return IsLevel(level) ? games_[static_cast<std::size_t>(level)] : none;
}

void SudokuKeptGames::Forget(std::int32_t level) {
    if (IsLevel(level)) games_[static_cast<std::size_t>(level)].reset();
}

}  // namespace vum
