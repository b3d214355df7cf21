#pragma once
// The play state of a colour-squares game: the field, the speed clock and the phase of the
// game, with every move and every transition of the phase in one place. The window owns one,
// sets its two timers from it (FieldTimerRuns, ClockTimerRuns, FieldInterval) after every
// move, and draws what it says.
//
//   ChoosingLevel --NewGame--> Running <--TogglePause--> Paused
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

class SquaresGame {
public:
    enum class Phase { ChoosingLevel, Running, Paused, Ended };

    // The field tick's interval before the first game.
    static constexpr std::int32_t InitialFieldInterval = 2000;

    Phase CurrentPhase() const { return phase_; }

    // Starts a game: empty field, score 0, speed level 1, field tick at StartInterval. The
    // speed clock's count runs on from where it stood.
    void NewGame();
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
    // it removed one.
    bool Press(std::int32_t x, std::int32_t y);

    // What the timers are to do now.
    bool FieldTimerRuns() const { return !Suspended() && phase_ == Phase::Running; }
    // The speed clock counts from the window's creation on, while the level is chosen too.
    bool ClockTimerRuns() const { return !Suspended() && (phase_ == Phase::Running || phase_ == Phase::ChoosingLevel); }

    SquaresField Squares;
    SpeedClock Clock;
    std::int32_t FieldInterval = InitialFieldInterval;

private:
    Phase phase_ = Phase::ChoosingLevel;
    int suspended_ = 0;
};

}  // namespace vum
