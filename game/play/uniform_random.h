// The game's own uniform random generator: re-seeded from the clock at each game start and used
// only for the Classic board size and the puzzle seed (the engine has its own generator).
#pragma once

#include <cstdint>

namespace game {

class UniformRandom {
public:
    explicit UniformRandom(std::uint64_t seed = 0) { reseed(seed); }

    void reseed(std::uint64_t seed) { state_ = seed; }

    // A uniform number r with 0 <= r < 1 (SplitMix64, top 53 bits).
    double next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t state_ = 0;
};

}  // namespace game
