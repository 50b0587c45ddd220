// The six sound effects, their switches and the rule that decides whether an effect plays.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform {
class Sound;
}

namespace game {

// Effects by their index in the table of wave files.
enum class Effect { Click = 0, Unclick = 1, Beep = 2, Beeps = 3, Right = 4, Clap = 5 };

constexpr std::array<const char*, 6> kSoundFileNames{"CLICK.wav", "UNCLICK.wav", "BEEP.wav",
                                                     "BEEPS.wav", "RIGHT.wav",   "CLAP.wav"};

// Seven switches: entry 0 is the main switch, entries 1..6 belong to the effects in table order.
using SoundOptions = std::array<std::int16_t, 7>;
constexpr SoundOptions kDefaultSoundOptions{1, 1, 1, 1, 1, 1, 1};

class SoundEffects {
public:
    SoundEffects(platform::Sound& sound, const std::string& appPath);

    SoundOptions soundOptions = kDefaultSoundOptions;

    // Whether the effect plays under the current switches. The right-word effect only asks for a
    // non-zero switch; the others need a switch greater than zero.
    bool enabled(Effect effect) const;
    // Starts the effect if its switches allow it; a new effect cuts off the playing one.
    void play(Effect effect);
    // Stops whatever is playing.
    void stop();

    const std::string& file(Effect effect) const { return soundFiles_[static_cast<std::size_t>(effect)]; }

private:
    platform::Sound& sound_;
    std::array<std::string, 6> soundFiles_;
};

}  // namespace game
