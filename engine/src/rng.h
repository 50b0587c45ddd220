// The engine's pseudo-random generator: the classic srand/rand linear congruential pair, kept
// inside the engine so puzzles never depend on the C library's rand.
#pragma once

#include <cstdint>

namespace varnook::engine {

class Rng {
public:
    void seed(std::uint32_t s) { state_ = s; }

    // A value from 0 to 32767.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

    // next() % n, for n >= 1.
    int below(int n) { return next() % n; }

private:
    std::uint32_t state_ = 1;
};

}  // namespace varnook::engine
