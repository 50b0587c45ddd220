// Which effects play under which sound switches.
#include "game/persistence/sound_effects.h"
#include "records_fixture.h"

namespace {

using game::Effect;
using game::SoundEffects;

constexpr std::array<Effect, 6> kAll{Effect::Click, Effect::Unclick, Effect::Beep,
                                     Effect::Beeps, Effect::Right,   Effect::Clap};

std::vector<std::string> playAll(SoundEffects& fx, records_test::RecordingSound& sound) {
    sound.calls.clear();
    for (const Effect e : kAll) fx.play(e);
    return sound.calls;
}

TEST(SoundEffects, EveryEffectPlaysItsFileWithTheFirstRunSwitches) {
    records_test::RecordingSound sound;
    SoundEffects fx(sound, "/games/varnook/");
    EXPECT_EQ(playAll(fx, sound), (std::vector<std::string>{"/games/varnook/CLICK.wav", "/games/varnook/UNCLICK.wav",
                                                            "/games/varnook/BEEP.wav", "/games/varnook/BEEPS.wav",
                                                            "/games/varnook/RIGHT.wav", "/games/varnook/CLAP.wav"}));
    fx.stop();
    EXPECT_EQ(sound.calls.back(), "<stop>");
}

TEST(SoundEffects, TheMainSwitchSilencesEverything) {
    records_test::RecordingSound sound;
    SoundEffects fx(sound, "/p/");
    fx.soundOptions = {0, 1, 1, 1, 1, 1, 1};
    EXPECT_TRUE(playAll(fx, sound).empty());
    fx.soundOptions = {-1, 1, 1, 1, 1, -1, 1};
    EXPECT_TRUE(playAll(fx, sound).empty());
}

TEST(SoundEffects, TheRightWordSwitchOnlyAsksForNonZero) {
    records_test::RecordingSound sound;
    SoundEffects fx(sound, "/p/");
    fx.soundOptions = {1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(playAll(fx, sound), (std::vector<std::string>{"/p/RIGHT.wav"}));
    fx.soundOptions = {1, 1, 1, 1, 1, 0, 0};
    EXPECT_EQ(playAll(fx, sound),
              (std::vector<std::string>{"/p/CLICK.wav", "/p/UNCLICK.wav", "/p/BEEP.wav", "/p/BEEPS.wav"}));
}

}  // namespace
