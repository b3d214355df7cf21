#include "common/WRandom.h"

#include <ctime>

void WRandom::SeedFromClock() { Seed(static_cast<std::uint32_t>(std::time(nullptr))); }

WRandom& ProgramRandom() {
    static WRandom random(static_cast<std::uint32_t>(std::time(nullptr)));
    return random;
}
