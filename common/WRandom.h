#pragma once
// The program's one pseudo-random generator. Engines take it by reference, so that a
// test can seed it and a seed reproduces a game.

#include <cstdint>
#include <random>

namespace vum {

class WRandom {
public:
    explicit WRandom(std::uint32_t seed = 1) : engine_(seed) {}

    void Seed(std::uint32_t seed) { engine_.seed(seed); }
    // Seeds from the current time in seconds, as the games do at start-up and
    // before each record file is written.
    void SeedFromClock();

    std::int32_t Draw15() { return static_cast<std::int32_t>(engine_() >> 17); }  // 0..32767
    std::int32_t Draw31() { return static_cast<std::int32_t>(engine_() >> 1); }   // 0..2147483647
    unsigned char DrawByte() { return static_cast<unsigned char>(engine_() >> 24); }

private:
    std::mt19937 engine_;
};

// The generator shared by everything in one program.
WRandom& ProgramRandom();

}  // namespace vum
