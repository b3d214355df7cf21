#pragma once
// The speed clock of the colour-squares game: a one-second tick that once a minute makes
// the field tick faster and raises the speed level. The window owns the timers; this
// only decides what the field tick's interval becomes.

#include <cstdint>
#include <optional>

namespace vum {

class SpeedClock {
public:
    static constexpr std::int32_t StartInterval = 2300;  // ms, field tick of a new game
    static constexpr std::int32_t MinInterval = 500;     // ms
    static constexpr std::int32_t IntervalStep = 200;    // ms taken off per speed-up
    static constexpr std::int32_t TicksPerSpeedUp = 60;
    static constexpr std::int32_t MaxSpeedLevel = 10;
    static_assert(StartInterval - IntervalStep * (MaxSpeedLevel - 1) == MinInterval);

    // Speed level 1. SecondCount runs on, so the first speed-up of a game may come early;
    // the field tick restarts at StartInterval.
    void NewGame() { SpeedLevel = 1; }

    // One tick of the speed clock, given the field tick's current interval. On every
    // 60th tick, the interval the field tick is to take (possibly the same one; the
    // speed level has then been updated and is to be shown); otherwise nothing.
    std::optional<std::int32_t> Tick(std::int32_t fieldInterval);

    // The field tick's interval in a game at speed level 1..10: a game starts at StartInterval,
    // and each speed-up takes IntervalStep off, which comes to MinInterval at level 10.
    static constexpr std::int32_t IntervalAt(std::int32_t speedLevel) {
        return StartInterval - IntervalStep * (speedLevel - 1);
    }

    std::int32_t SecondCount = 0;  // 0..59, ticks since the last speed-up
    std::int32_t SpeedLevel = 1;   // 1..10
};

}  // namespace vum
