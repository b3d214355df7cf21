#pragma once
// The play state of a colour-squares game: the field, the speed clock and the phase of the
// game, with every move and every transition of the phase in one place. The window owns one,
// sets its two timers from it (FieldTimerRuns, ClockTimerRuns, FieldInterval) after every
// move, and draws what it says; it changes the game only through the moves below.
//
//   ChoosingLevel --NewGame--> Running <--TogglePause--> Paused <--Restore-- (a saved game)
//                                 |  (field reaches the top row)
//                                 v
//                               Ended     NewGame leads from any phase to Running.
//
// A game dialog open over the game (help, the best-score table) suspends it: the field and
// the clock stand still until the dialog closes, and the phase stays what it was.

#include <cstdint>

#include "squares/engine/SpeedClock.h"
#include "squares/engine/SquaresField.h"

namespace vum {

class WRandom;

// A game in progress, as it is saved and taken back: everything the play state needs to go on.
struct SquaresPosition {
    std::int32_t Level = 1;  // difficulty 0..2, played with 3 + Level colours
    SquaresField::Grid Field{};
    std::int32_t Score = 0;
    std::int32_t SpeedLevel = 1;   // 1..10
    std::int32_t SecondCount = 0;  // 0..59, ticks of the speed clock since its last speed-up
    std::int32_t FieldInterval = SpeedClock::StartInterval;

    bool operator==(const SquaresPosition&) const = default;
};

class SquaresGame {
public:
    enum class Phase { ChoosingLevel, Running, Paused, Ended };

    // The field tick's interval before the first game.
    static constexpr std::int32_t InitialFieldInterval = 2000;
    static constexpr std::int32_t LevelCount = 3;

    Phase CurrentPhase() const { return phase_; }
    // The difficulty 0..2 and its number of colours, 3..5 (1 and 4 until a level is chosen).
    std::int32_t Level() const { return level_; }
    std::int32_t ColourCount() const { return field_.ColourCount; }
    // The colour code of every cell, row 0 (the danger row) first.
    const SquaresField::Grid& Field() const { return field_.Field; }
    std::int32_t Score() const { return field_.Score; }
    std::int32_t SpeedLevel() const { return clock_.SpeedLevel; }
    std::int32_t SecondCount() const { return clock_.SecondCount; }
    std::int32_t FieldInterval() const { return fieldInterval_; }
    // The game as Restore takes it back.
    SquaresPosition Position() const;

    // The difficulty, chosen once before the first game; a value outside 0..2 is taken as 2,
    // as the level dialog takes a stored one.
    void ChooseLevel(std::int32_t level);

    // Starts a game: empty field, score 0, speed level 1, field tick at StartInterval. The
    // speed clock's count runs on from where it stood.
    void NewGame();
    // Takes back a game in progress, paused: its level, field, score and clock (the cursor is
    // hidden). A position
    // that no game can reach (a code beyond the level's colours, a square in the danger row
    // or above a gap, points that are no multiple of 10, a clock off its schedule) is refused:
    // false, and the game stays as it was.
    bool Restore(const SquaresPosition& position);
    // Running <-> Paused; in any other phase nothing happens. True when the phase changed.
    bool TogglePause();
    // The player left the game: a running game pauses, as TogglePause would; a paused, ended
    // or suspended game, and one not begun, stay as they are. True when it paused.
    bool PauseOnLeave();

    // A game dialog opens over the game, or closes again.
    void Suspend() { ++suspended_; }
    void Resume();
    bool Suspended() const { return suspended_ > 0; }

    // One field tick: the field rises a row. True when that ended the game.
    bool FieldTick(WRandom& random);
    // One tick of the speed clock. True when it changed the field tick (the speed level is
    // then to be shown again).
    bool ClockTick();
    // A press on the field image at (x, y): removes a group while the field runs. True when
    // it removed one. The cursor is the window's to hide.
    bool Press(std::int32_t x, std::int32_t y);

    // The keyboard's cursor over the field, by cell (row * Columns + column). The first arrow
    // key shows it where it stood (at first the bottom left), the next ones move it a cell, up
    // to the edges; a press of the mouse hides it. It rides on the square it stands on as the
    // field rises, so that Space removes the group the player steered to even when a field
    // tick came between; over an empty cell it keeps its place.
    bool CursorShown() const { return cursorShown_; }
    std::int32_t CursorCell() const { return cursor_; }
    // An arrow key: rows and columns are -1, 0 or 1 (up and left are -1).
    void MoveCursor(std::int32_t rows, std::int32_t columns);
    void HideCursor() { cursorShown_ = false; }
    // Space: what a press inside the shown cursor's cell does, with the same guards. True
    // when it removed a group.
    bool PressCursor();
    // The group Space would remove now, while a game is on: its cells; none when the cursor
    // is hidden, stands on fewer than three joined squares or the game has ended.
    SquaresField::CellSet CursorGroup() const;

    // What the timers are to do now.
    bool FieldTimerRuns() const { return !Suspended() && phase_ == Phase::Running; }
    // The speed clock counts from the window's creation on, while the level is chosen too.
    bool ClockTimerRuns() const { return !Suspended() && (phase_ == Phase::Running || phase_ == Phase::ChoosingLevel); }

private:
    SquaresField field_;
    SpeedClock clock_;
    std::int32_t fieldInterval_ = InitialFieldInterval;
    std::int32_t level_ = 1;
    Phase phase_ = Phase::ChoosingLevel;
    int suspended_ = 0;
    bool cursorShown_ = false;
    std::int32_t cursor_ = (SquaresField::Rows - 1) * SquaresField::Columns;
};

}  // namespace vum
