// Which sound effect belongs to which moment of play, and the switches that silence them: seven
// switches, entry 0 the main switch, entries 1..6 one per effect in the order of the enumeration.
#pragma once

#include <array>
#include <cstdint>

namespace game {

enum class Effect { Click = 0, Unclick = 1, Beep = 2, Beeps = 3, Right = 4, Clap = 5 };
constexpr int kEffectCount = 6;

using SoundOptions = std::array<std::int16_t, kEffectCount + 1>;
constexpr SoundOptions kDefaultSoundOptions{1, 1, 1, 1, 1, 1, 1};

// Whether the effect plays under the switches: the main switch and the effect's own switch must be
// greater than 0, except that the right-word effect only asks for a non-zero switch of its own.
constexpr bool effectEnabled(const SoundOptions& options, Effect effect) {
    if (options[0] <= 0) return false;
    const std::int16_t own = options[static_cast<std::size_t>(effect) + 1];
    return effect == Effect::Right ? own != 0 : own > 0;
}

}  // namespace game
