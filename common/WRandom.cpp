#include "common/WRandom.h"

#include <ctime>

namespace vum {

void WRandom::SeedFromClock() { Seed(static_cast<std::uint32_t>(std::time(nullptr))); }

WRandom& ProgramRandom() {
    static WRandom random(static_cast<std::uint32_t>(std::time(nullptr)));
    return random;
}

}  // namespace vum
