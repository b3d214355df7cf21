#include "squares/engine/SquaresGame.h"

namespace vum {

void SquaresGame::NewGame() {
    Squares.NewGame();
    Clock.NewGame();
    FieldInterval = SpeedClock::StartInterval;
    phase_ = Phase::Running;
}

bool SquaresGame::TogglePause() {
    if (phase_ == Phase::Running) {
        phase_ = Phase::Paused;
        return true;
    }
    if (phase_ == Phase::Paused) {
        phase_ = Phase::Running;
        return true;
    }
    // After the end of a game the clock stays stopped: starting it again would end the same
    // game once more and record its score twice.
    return false;
}

bool SquaresGame::PauseOnLeave() {
    if (phase_ != Phase::Running || Suspended()) return false;
    phase_ = Phase::Paused;
    return true;
}

void SquaresGame::Resume() {
    if (suspended_ > 0) --suspended_;
}

bool SquaresGame::FieldTick(WRandom& random) {
    if (!Squares.RiseField(random)) return false;
    phase_ = Phase::Ended;
    return true;
}

bool SquaresGame::ClockTick() {
    const auto interval = Clock.Tick(FieldInterval);
    if (!interval) return false;
    FieldInterval = *interval;
    return true;
}

bool SquaresGame::Press(std::int32_t x, std::int32_t y) { return FieldTimerRuns() && Squares.ClickSquare(x, y); }

}  // namespace vum
