// The six sound effects and their switches.
#include "game/persistence/sound_effects.h"

#include "platform/sound.h"

namespace game {

SoundEffects::SoundEffects(platform::Sound& sound, const std::string& appPath) : sound_(sound) {
    // initSoundFiles: each effect's wave file in the program folder.
    for (std::size_t i = 0; i < soundFiles_.size(); ++i) soundFiles_[i] = appPath + kSoundFileNames[i];
}

bool SoundEffects::enabled(Effect effect) const {
    if (soundOptions[0] <= 0) return false;
    const std::int16_t own = soundOptions[static_cast<std::size_t>(effect) + 1];
    return effect == Effect::Right ? own != 0 : own > 0;
}

void SoundEffects::play(Effect effect) {
    if (enabled(effect)) sound_.play(file(effect));
}

void SoundEffects::stop() { sound_.stop(); }

}  // namespace game
