#include "squares/engine/SquaresGame.h"

#include <algorithm>

namespace vum {

namespace {

std::int32_t ColoursOf(std::int32_t level) { return 3 + level; }

// Every column below the danger row is a gap-free stack standing on the bottom row, and the
// danger row is empty: a running game never leaves the field otherwise.
bool Reachable(const SquaresField::Grid& field, std::int32_t colours) {
    if (std::any_of(field.begin(), field.end(), [colours](std::uint8_t code) { return code > colours; })) return false;
    if (std::any_of(field.begin(), field.begin() + SquaresField::Columns, [](std::uint8_t code) { return code != 0; }))
        return false;
    for (std::int32_t c = 0; c < SquaresField::Columns; ++c) {
        bool gap = false;
        for (std::int32_t r = SquaresField::Rows - 1; r >= 1; --r) {
            const bool empty = field[static_cast<std::size_t>(r * SquaresField::Columns + c)] == 0;
            if (!empty && gap) return false;
            gap = gap || empty;
        }
    }
    return true;
}

}  // namespace

SquaresPosition SquaresGame::Position() const {
    return {level_, field_.Field, field_.Score, clock_.SpeedLevel, clock_.SecondCount, fieldInterval_};
}

void SquaresGame::ChooseLevel(std::int32_t level) {
    level_ = level == 0 || level == 1 ? level : 2;
    field_.ColourCount = ColoursOf(level_);
}

void SquaresGame::NewGame() {
    field_.NewGame();
    clock_.NewGame();
    fieldInterval_ = SpeedClock::StartInterval;
    phase_ = Phase::Running;
}

bool SquaresGame::Restore(const SquaresPosition& position) {
    if (position.Level < 0 || position.Level >= LevelCount) return false;
    if (!Reachable(position.Field, ColoursOf(position.Level))) return false;
    if (position.Score < 0 || position.Score % SquaresField::PointsPerSquare != 0) return false;
    if (position.SpeedLevel < 1 || position.SpeedLevel > SpeedClock::MaxSpeedLevel) return false;
    if (position.SecondCount < 0 || position.SecondCount >= SpeedClock::TicksPerSpeedUp) return false;
    if (position.FieldInterval != SpeedClock::IntervalAt(position.SpeedLevel)) return false;

    ChooseLevel(position.Level);
    field_.NewGame();
    field_.Field = position.Field;
    field_.Score = position.Score;
    clock_.SpeedLevel = position.SpeedLevel;
    clock_.SecondCount = position.SecondCount;
    fieldInterval_ = position.FieldInterval;
    phase_ = Phase::Paused;
    cursorShown_ = false;
    return true;
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
    const bool onSquare = cursorShown_ && cursor_ >= SquaresField::Columns && field_.Field[static_cast<std::size_t>(cursor_)] != 0;
    const bool over = field_.RiseField(random);
    if (onSquare) cursor_ -= SquaresField::Columns;
    if (!over) return false;
    phase_ = Phase::Ended;
    return true;
}

bool SquaresGame::ClockTick() {
    const auto interval = clock_.Tick(fieldInterval_);
    if (!interval) return false;
    fieldInterval_ = *interval;
    return true;
}

bool SquaresGame::Press(std::int32_t x, std::int32_t y) { return FieldTimerRuns() && field_.ClickSquare(x, y); }

void SquaresGame::MoveCursor(std::int32_t rows, std::int32_t columns) {
    if (!cursorShown_) {
        cursorShown_ = true;
        return;
    }
    const std::int32_t row = std::clamp(cursor_ / SquaresField::Columns + rows, 0, SquaresField::Rows - 1);
    const std::int32_t column = std::clamp(cursor_ % SquaresField::Columns + columns, 0, SquaresField::Columns - 1);
    cursor_ = row * SquaresField::Columns + column;
}

bool SquaresGame::PressCursor() { return cursorShown_ && FieldTimerRuns() && field_.RemoveGroupAt(cursor_); }

SquaresField::CellSet SquaresGame::CursorGroup() const {
    if (!cursorShown_ || (phase_ != Phase::Running && phase_ != Phase::Paused)) return {};
    return field_.GroupAt(cursor_);
}

}  // namespace vum
