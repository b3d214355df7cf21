#pragma once
// The unfinished games of the levels not being played, one a level: a change of level keeps
// the game of the level it leaves and resumes the one of the level it comes to, so that looking
// at another level loses nothing. A solved game, or one with no puzzle yet, is not kept.

#include <array>
#include <cstdint>
#include <optional>

#include "sudoku/engine/SudokuGame.h"

namespace vum {

class SudokuKeptGames {
public:
    static constexpr std::int32_t Levels = 3;

    // Plays level next: keeps game for its own level (when it is worth keeping) and puts the
    // kept game of next in its place. True when there was one; otherwise game keeps its
    // puzzle, now of level next, and the caller makes a new one.
    bool SwitchLevel(SudokuGame& game, std::int32_t next);

    // Keeps game for its level, replacing what was kept for it; false (and nothing kept) for a
    // game not worth keeping or of no level.
    bool Keep(const SudokuGame& game);
    // The kept game of a level, or none.
    const std::optional<SudokuGame>& Of(std::int32_t level) const;
    void Forget(std::int32_t level);

private:
    std::array<std::optional<SudokuGame>, Levels> games_;
};

}  // namespace vum
