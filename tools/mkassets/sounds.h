// The sound effects, synthesised: link click, unlink click, repeated-word beep, wrong-word double
// beep, right-word chime, applause, and the clock's tick of an Arcade level's last seconds. Mono,
// 16-bit, kSampleRate samples per second.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace varnook::assets {

enum class Sound { Click, Unclick, Beep, Beeps, Right, Clap, Tick };

inline constexpr int kSampleRate = 44100;

struct SoundFile {
    Sound sound;
    std::string_view fileName;
};

// In the order of the game's sound table, then the clock's tick.
inline constexpr std::array kSoundFiles{
    SoundFile{Sound::Click, "CLICK.wav"}, SoundFile{Sound::Unclick, "UNCLICK.wav"}, SoundFile{Sound::Beep, "BEEP.wav"},
    SoundFile{Sound::Beeps, "BEEPS.wav"}, SoundFile{Sound::Right, "RIGHT.wav"},     SoundFile{Sound::Clap, "CLAP.wav"},
    SoundFile{Sound::Tick, "TICK.wav"},
};

std::vector<std::int16_t> makeSound(Sound sound);

}  // namespace varnook::assets
