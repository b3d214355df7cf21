#include "squares/engine/SpeedClock.h"

#include <algorithm>

namespace vum {

std::optional<std::int32_t> SpeedClock::Tick(std::int32_t fieldInterval) {
    if (++SecondCount != TicksPerSpeedUp) return std::nullopt;
    SecondCount = 0;
    const std::int32_t candidate = fieldInterval - IntervalStep;
    if (candidate < MinInterval) {
        // Whatever level the player stood at, the floor is the top level.
        SpeedLevel = MaxSpeedLevel;
        return MinInterval;
    }
    SpeedLevel = std::min(SpeedLevel + 1, MaxSpeedLevel);
    return candidate;
}

}  // namespace vum
