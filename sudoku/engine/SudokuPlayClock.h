#pragma once
// The time of the puzzle being played, counted only while the player can play it: a puzzle is
// on the board, not solved and not under its shown solution, the window is active, and no
// question or notice stands over it. The window tells the clock after every change of any of
// these; the clock gives the game the time since the last change when it was counting then.

#include <cstdint>
#include <functional>

namespace vum {

class SudokuGame;

class SudokuPlayClock {
public:
    // Milliseconds on a clock that never goes back.
    using Now = std::function<std::int64_t()>;

    explicit SudokuPlayClock(Now now);

    // The window's state now; a change of the game is told by Update alone.
    void SetActive(bool active) { active_ = active; }
    void SetInterrupted(bool interrupted) { interrupted_ = interrupted; }

    // Credits game with the time since the last update, if the clock was counting then, and
    // decides from the game and the window's state whether it counts from now on.
    void Update(SudokuGame& game);
    bool Counting() const { return counting_; }

    // The game's time as it stands at this moment, the running span included.
    std::int64_t Elapsed(const SudokuGame& game) const;

private:
    Now now_;
    std::int64_t since_ = 0;
    bool counting_ = false;
    bool active_ = false;
    bool interrupted_ = false;
};

}  // namespace vum
