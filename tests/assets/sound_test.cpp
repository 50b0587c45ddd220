// The six sound effects: valid 16-bit PCM wave files, short, silent at both ends, never clipping,
// and each one shaped like the effect it stands for.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "files.h"
#include "sounds.h"

namespace va = varnook::assets;

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t read16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}
std::string tag(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + 4));
}

// Root mean square level of consecutive 10 ms windows.
std::vector<double> windowLevels(const std::vector<std::int16_t>& s) {
    const std::size_t w = va::kSampleRate / 100;
    std::vector<double> out;
    for (std::size_t i = 0; i + w <= s.size(); i += w) {
        double sum = 0;
        for (std::size_t k = i; k < i + w; ++k) sum += double(s[k]) * s[k];
        out.push_back(std::sqrt(sum / double(w)));
    }
    return out;
}

// Strength of one frequency in a stretch of samples (a single DFT bin).
double strengthAt(const std::vector<std::int16_t>& s, double fromSec, double toSec, double freq) {
    double re = 0, im = 0;
    const auto first = std::size_t(fromSec * va::kSampleRate), last = std::size_t(toSec * va::kSampleRate);
    for (std::size_t i = first; i < last; ++i) {
        const double a = 2 * std::numbers::pi * freq * double(i) / va::kSampleRate;
        re += s[i] * std::cos(a);
        im += s[i] * std::sin(a);
    }
    return std::hypot(re, im);
}

}  // namespace

TEST(Sounds, EveryEffectIsAShortCleanMono16BitWave) {
    for (const va::SoundFile& f : va::kSoundFiles) {
        SCOPED_TRACE(std::string(f.fileName));
        const std::vector<std::int16_t> s = va::makeSound(f.sound);
        const std::vector<std::uint8_t> wav = va::encodeWav(s, va::kSampleRate);

        ASSERT_EQ(wav.size(), 44 + s.size() * 2);
        EXPECT_EQ(tag(wav, 0), "RIFF");
        EXPECT_EQ(read32(wav, 4), wav.size() - 8);
        EXPECT_EQ(tag(wav, 8), "WAVE");
        EXPECT_EQ(tag(wav, 12), "fmt ");
        EXPECT_EQ(read32(wav, 16), 16u);
        EXPECT_EQ(read16(wav, 20), 1);  // PCM
        EXPECT_EQ(read16(wav, 22), 1);  // mono
        EXPECT_EQ(read32(wav, 24), std::uint32_t(va::kSampleRate));
        EXPECT_EQ(read32(wav, 28), std::uint32_t(va::kSampleRate * 2));
        EXPECT_EQ(read16(wav, 32), 2);
        EXPECT_EQ(read16(wav, 34), 16);
        EXPECT_EQ(tag(wav, 36), "data");
        EXPECT_EQ(read32(wav, 40), s.size() * 2);
        EXPECT_EQ(std::int16_t(read16(wav, 44 + 2 * 10)), s[10]);

        const double seconds = double(s.size()) / va::kSampleRate;
        if (f.sound == va::Sound::Clap) {
            EXPECT_GE(seconds, 1.5);
            EXPECT_LE(seconds, 2.5);
        } else {
            EXPECT_GE(seconds, 0.03);
            EXPECT_LT(seconds, 1.0);
        }
        // Fades at both ends: playback starts from silence and dies away without a click.
        EXPECT_LE(std::abs(s[0]), 64);
        EXPECT_LE(std::abs(s[1]), 64);
        for (std::size_t i = 0; i < 8; ++i) EXPECT_LE(std::abs(s[s.size() - 1 - i]), 64) << "sample from end " << i;
        int peak = 0;
        for (std::int16_t v : s) peak = std::max(peak, std::abs(int(v)));
        EXPECT_LT(peak, 32000) << "clipping";
        EXPECT_GT(peak, 8000) << "too quiet";
    }
}

TEST(Sounds, TheWrongWordBuzzIsTwoBeepsWithAGapAndLowerThanTheRepeatBeep) {
    const std::vector<double> levels = windowLevels(va::makeSound(va::Sound::Beeps));
    const double loudest = *std::max_element(levels.begin(), levels.end());
    int bursts = 0;
    bool loud = false;
    for (double l : levels) {
        const bool now = l > 0.25 * loudest;
        bursts += now && !loud;
        loud = now;
    }
    EXPECT_EQ(bursts, 2);
    // The single beep is higher: more of its energy sits well above the buzz's pitches.
    const auto beep = va::makeSound(va::Sound::Beep);
    const auto beeps = va::makeSound(va::Sound::Beeps);
    EXPECT_GT(strengthAt(beep, 0.02, 0.12, 880), 4 * strengthAt(beep, 0.02, 0.12, 233));
    EXPECT_GT(strengthAt(beeps, 0.02, 0.12, 233), 4 * strengthAt(beeps, 0.02, 0.12, 880));
}

TEST(Sounds, TheRightWordChimeRises) {
    const auto s = va::makeSound(va::Sound::Right);
    // Early on the lowest note rings; later the top note (an octave up) dominates it.
    EXPECT_GT(strengthAt(s, 0.005, 0.07, 784), 3 * strengthAt(s, 0.005, 0.07, 1568));
    EXPECT_GT(strengthAt(s, 0.30, 0.60, 1568), strengthAt(s, 0.30, 0.60, 784));
}

TEST(Sounds, ApplauseIsDenseNoiseThatFadesOut) {
    const std::vector<double> levels = windowLevels(va::makeSound(va::Sound::Clap));
    const double loudest = *std::max_element(levels.begin(), levels.end());
    // In the body of the applause no 10 ms window is silent: many hands, not single claps.
    for (std::size_t i = 20; i < 110; ++i) EXPECT_GT(levels[i], 0.05 * loudest) << "window " << i;
    // The tail is much quieter than the body.
    const double tail = levels[levels.size() - 5];
    EXPECT_LT(tail, 0.2 * loudest);
}

TEST(Sounds, TheLinkClickIsShorterAndBrighterThanTheUnlinkClick) {
    const auto click = va::makeSound(va::Sound::Click);
    const auto unclick = va::makeSound(va::Sound::Unclick);
    EXPECT_LT(click.size(), unclick.size());
    int clickPeak = 0, unclickPeak = 0;
    for (std::int16_t v : click) clickPeak = std::max(clickPeak, std::abs(int(v)));
    for (std::int16_t v : unclick) unclickPeak = std::max(unclickPeak, std::abs(int(v)));
    EXPECT_GT(clickPeak, unclickPeak);
}
