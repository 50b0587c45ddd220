// Which effects play under which sound switches.
#include "game/ui/sound_effects.h"

#include <gtest/gtest.h>

#include "platform/headless.h"

namespace {

using game::Effect;
using game::ui::SoundEffects;

constexpr std::array<Effect, 6> kAll{Effect::Click, Effect::Unclick, Effect::Beep,
                                     Effect::Beeps, Effect::Right,   Effect::Clap};

std::vector<std::string> playAll(SoundEffects& fx, platform::HeadlessSound& sound) {
    sound.clear();
    for (const Effect e : kAll) fx.play(e);
    return sound.played();
}

TEST(SoundEffects, EveryEffectPlaysItsFileWithTheFirstRunSwitches) {
    platform::HeadlessSound sound;
    SoundEffects fx(sound, "/games/varnook/");
    EXPECT_EQ(playAll(fx, sound), (std::vector<std::string>{"/games/varnook/CLICK.wav", "/games/varnook/UNCLICK.wav",
                                                            "/games/varnook/BEEP.wav", "/games/varnook/BEEPS.wav",
                                                            "/games/varnook/RIGHT.wav", "/games/varnook/CLAP.wav"}));
    fx.stop();
    EXPECT_TRUE(sound.requests().back().stop);
}

TEST(SoundEffects, TheMainSwitchSilencesEverything) {
    platform::HeadlessSound sound;
    SoundEffects fx(sound, "/p/");
    fx.soundOptions = {0, 1, 1, 1, 1, 1, 1};
    EXPECT_TRUE(playAll(fx, sound).empty());
    fx.soundOptions = {-1, 1, 1, 1, 1, -1, 1};
    EXPECT_TRUE(playAll(fx, sound).empty());
}

TEST(SoundEffects, TheRightWordSwitchOnlyAsksForNonZero) {
    platform::HeadlessSound sound;
    SoundEffects fx(sound, "/p/");
    fx.soundOptions = {1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(playAll(fx, sound), (std::vector<std::string>{"/p/RIGHT.wav"}));
    fx.soundOptions = {1, 1, 1, 1, 1, 0, 0};
    EXPECT_EQ(playAll(fx, sound),
              (std::vector<std::string>{"/p/CLICK.wav", "/p/UNCLICK.wav", "/p/BEEP.wav", "/p/BEEPS.wav"}));
}

}  // namespace
