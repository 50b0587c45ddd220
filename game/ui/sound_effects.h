// The six sound effects: their wave files in the program folder, played through the platform when
// the switches allow it; and the clock's tick of an Arcade level's last seconds, heard whenever the
// sound is on.
#pragma once

#include <array>
#include <string>

#include "game/play/sound_rules.h"

namespace platform {
class Sound;
}

namespace game::ui {

constexpr std::array<const char*, kEffectCount> kSoundFileNames{"CLICK.wav", "UNCLICK.wav", "BEEP.wav",
                                                                "BEEPS.wav", "RIGHT.wav",   "CLAP.wav"};
constexpr const char* kTickFileName = "TICK.wav";

class SoundEffects {
public:
    SoundEffects(platform::Sound& sound, const std::string& appPath);

    SoundOptions soundOptions = kDefaultSoundOptions;

    bool enabled(Effect effect) const { return effectEnabled(soundOptions, effect); }
    // Starts the effect if its switches allow it; a new effect cuts off the playing one.
    void play(Effect effect);
    // The clock's tick, when the main switch is on.
    void tick();
    // Stops whatever is playing.
    void stop();

    const std::string& file(Effect effect) const { return soundFiles_[static_cast<std::size_t>(effect)]; }

private:
    platform::Sound& sound_;
    std::array<std::string, kEffectCount> soundFiles_;
    std::string tickFile_;
};

}  // namespace game::ui
