// The sound effects and their wave files.
#include "game/ui/sound_effects.h"

#include "platform/sound.h"

namespace game::ui {

SoundEffects::SoundEffects(platform::Sound& sound, const std::string& appPath) : sound_(sound) {
    // Each effect's wave file in the program folder.
    for (std::size_t i = 0; i < soundFiles_.size(); ++i) soundFiles_[i] = appPath + kSoundFileNames[i];
    tickFile_ = appPath + kTickFileName;
}

void SoundEffects::tick() {
    if (soundOptions[0] > 0) sound_.play(tickFile_);
}

void SoundEffects::play(Effect effect) {
    if (enabled(effect)) sound_.play(file(effect));
}

void SoundEffects::stop() { sound_.stop(); }

}  // namespace game::ui
