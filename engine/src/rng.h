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
        state_ = state_ * kMultiplier + kIncrement;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

    // The state after count calls of next(), reached in a few steps: count applications of
    // x -> a x + c are one map x -> A x + C, built by squaring.
    void discard(std::uint32_t count) {
        std::uint32_t a = kMultiplier, c = kIncrement;
        std::uint32_t totalA = 1, totalC = 0;
        for (; count != 0; count >>= 1) {
            if ((count & 1) != 0) {
                totalA *= a;
                totalC = totalC * a + c;
            }
            c *= a + 1;
            a *= a;
        }
        state_ = state_ * totalA + totalC;
    }

    // next() % n, for n >= 1.
    int below(int n) { return next() % n; }

private:
    static constexpr std::uint32_t kMultiplier = 214013u;
    static constexpr std::uint32_t kIncrement = 2531011u;
    std::uint32_t state_ = 1;
};

}  // namespace varnook::engine
