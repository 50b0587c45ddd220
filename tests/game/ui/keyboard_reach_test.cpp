// What the player sees and reaches without hunting: the side panels' commands from their keys, a
// paused game resumed from the keyboard, the results list browsed with the wheel and the list keys,
// a scored word's points in the word strip, and an Arcade level's target, points to go and last
// seconds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm_play_fixture.h"
#include "game/play/rules.h"
#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game_builder.h"
#include "ui_test_support.h"

namespace {

using frmtest::PlayWindow;
using game::ui::FrmPlay;
using platform::Key;
using Strings = std::vector<std::string>;

platform::Rect rectOf(const game::ui::BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

void ctrl(PlayWindow& w, char32_t letter) { w.hp.ui.shortcut(w.win(), letter); }

// The word the board shows linked, read along the chain.
std::string litWord(const game::GameData& g) {
    std::string word;
    for (int j = 1; j <= g.curWordLen(); ++j) word += static_cast<char>(std::toupper(g.gridLetters()[g.curPath()[j]]));
    return word;
}

TEST(PanelKeys, EveryCommandHasItsKeyAndSpaceOrEnterResumesAPause) {
    PlayWindow w;
    frmtest::EventLog log(*w.session, *w.frm);
    w.startClassic(frmtest::kRow4x4, frmtest::kSeed);

    ctrl(w, 'f');
    EXPECT_EQ(w.frm->regions().statsToggle().state, 1) << "Ctrl+F opens the statistics";
    ctrl(w, 'o');
    EXPECT_EQ(w.sounds->soundOptions[0], 0) << "Ctrl+O: the sound switch";
    ctrl(w, 'o');
    EXPECT_EQ(w.sounds->soundOptions[0], 1);
    w.hp.ui.keyDown(w.win(), Key::F1);
    ASSERT_EQ(w.hp.shell.requests().size(), 1u);
    EXPECT_EQ(w.hp.shell.requests()[0].target, frmtest::binDir() + "Varnook.htm");
    ctrl(w, 'h');
    EXPECT_EQ(w.hp.ui.modalHistory(), Strings{"Best Scores - Varnook"});
    ctrl(w, 's');
    EXPECT_EQ(log.calls, Strings{"saveGame"});

    // Pause, from its key; Space, Enter and the key again resume.
    for (char32_t resume : {U' ', platform::key::kEnter, U'\0'}) {
        ctrl(w, 'p');
        ASSERT_EQ(w.frm->view(), FrmPlay::View::Paused);
        if (resume == U'\0')
            ctrl(w, 'p');
        else
            w.key(resume);
        EXPECT_EQ(w.frm->view(), FrmPlay::View::Play) << static_cast<int>(resume);
    }
    EXPECT_EQ(w.game.curWordLen(), 0) << "the Enter that resumed submitted nothing";

    // Show Solution; then the commands out of play answer their keys no more than their presses.
    ctrl(w, 'l');
    EXPECT_EQ(w.session->phase(), game::Phase::Results);
    ctrl(w, 'q');
    ctrl(w, 's');
    EXPECT_EQ(w.session->phase(), game::Phase::Results);
    EXPECT_EQ(log.calls, (Strings{"saveGame", "checkIfBest"}));
    ctrl(w, 'm');
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);

    // Quit game ends a game with its dialog; letters without Ctrl still type.
    w.startClassic(frmtest::kRow4x4, frmtest::kSeed);
    const auto [word, cells] = w.solution(3);
    w.key(static_cast<unsigned char>(std::tolower(word[0])));
    EXPECT_EQ(w.game.curWordLen(), 1);
    ctrl(w, 'x');
    EXPECT_EQ(w.game.curWordLen(), 1) << "a Ctrl+letter without a command does nothing";
    ctrl(w, 'q');
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    EXPECT_EQ(w.hp.ui.modalHistory().back(), "Game Statistics");
    // F1 opens the instructions from the menu too.
    w.hp.ui.keyDown(w.win(), Key::F1);
    EXPECT_EQ(w.hp.shell.requests().size(), 2u);
}

class ResultsList : public ::testing::Test {
protected:
    void SetUp() override {
        w.startClassic(1, 1234);
        w.command(game::Command::ShowSolution);
        ASSERT_EQ(w.session->phase(), game::Phase::Results);
        n = w.game.numSolutionWords();
        ASSERT_GT(n, 30);
        // 10-letter words leave the last rows empty.
        last = n;
        while (w.game.allSolutionWords()[last].empty()) --last;
    }
    void keyDown(Key key) { w.hp.ui.keyDown(w.win(), key); }
    // The word id shown, its path lit on the board.
    int shown() {
        const int id = w.session->lastShownWordId();
        if (id >= 1) {
            EXPECT_EQ(litWord(w.game), w.game.allSolutionWords()[id]) << id;
        }
        return id;
    }
    PlayWindow w;
    int n = 0;
    int last = 0;
};

TEST_F(ResultsList, TheListKeysMoveFromWordToWordLightingEachPath) {
    keyDown(Key::Down);
    EXPECT_EQ(shown(), 1) << "from none, the top row's word";
    keyDown(Key::Down);
    EXPECT_EQ(shown(), 2);
    keyDown(Key::PageDown);
    EXPECT_EQ(shown(), 15);
    EXPECT_EQ(w.frm->listTop(), 14) << "a page on, the word keeps its row";
    keyDown(Key::End);
    EXPECT_EQ(shown(), last);
    EXPECT_EQ(w.frm->listTop(), last - 12);
    keyDown(Key::Down);
    EXPECT_EQ(shown(), last) << "stays at the last word";
    keyDown(Key::PageUp);
    EXPECT_EQ(shown(), last - 13);
    EXPECT_EQ(w.frm->listTop(), last - 25);
    keyDown(Key::Home);
    EXPECT_EQ(shown(), 1);
    EXPECT_EQ(w.frm->listTop(), 1);
    keyDown(Key::PageDown);
    EXPECT_EQ(shown(), 14);
    EXPECT_EQ(w.frm->listTop(), 14);
    keyDown(Key::Up);
    EXPECT_EQ(shown(), 13);
    EXPECT_EQ(w.frm->listTop(), 13) << "scrolled to keep it in view";
}

TEST_F(ResultsList, TheWheelScrollsThreeRowsANotchAndLightsTheWordUnderThePointer) {
    const auto& list = w.frm->regions().listBox;
    const double x = list.x + 60, y = list.y + 2 * 20 + 10;  // row 2
    w.hp.ui.mouseWheel(w.win(), -1, x, y);
    EXPECT_EQ(w.frm->listTop(), 4);
    EXPECT_EQ(shown(), 6);
    w.hp.ui.mouseWheel(w.win(), -2, x, y);
    EXPECT_EQ(w.frm->listTop(), 10);
    EXPECT_EQ(shown(), 12);
    w.hp.ui.mouseWheel(w.win(), 5, x, y);
    EXPECT_EQ(w.frm->listTop(), 1) << "stops at the first word";
    EXPECT_EQ(shown(), 3);
    w.hp.ui.mouseWheel(w.win(), -1000, 10, 10);
    EXPECT_EQ(w.frm->listTop(), n - 12) << "stops at the last page";
    EXPECT_EQ(shown(), 3) << "away from the list nothing new lights up";
}

TEST(PointsShown, AScoredWordsPointsStandInTheWordStripForAMoment) {
    PlayWindow w;
    w.startClassic(frmtest::kRow4x4, frmtest::kSeed);
    const auto& s = w.frm->regions().stripBox;
    const platform::Rect strip{s.x, s.y, s.x + 7 * 44, s.y + 46};
    ASSERT_EQ(uitest::countColor(w.screen(), strip, game::ui::clrStripLetter), 0);
    const auto [word, cells] = w.solution(4);
    for (int c : cells) w.press(c);
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.game.score(), game::wordPoints(4));
    EXPECT_GT(uitest::countColor(w.screen(), strip, game::ui::clrStripLetter), 30) << "+10 in the strip";
    w.hp.ui.advance(game::ui::window::kPointsShowMs);
    EXPECT_EQ(uitest::countColor(w.screen(), strip, game::ui::clrStripLetter), 0) << "gone after the moment";
}

TEST(ArcadeLevel, ShowsItsTargetAndThePointsToGoAndWarnsInTheLastFifteenSeconds) {
    PlayWindow w;
    w.session->setFixedPuzzle(game::Session::FixedPuzzle{1, 7});
    const auto& entry = w.frm->mmBtn(2);
    w.pressAt(entry.x + entry.wid / 2.0, entry.y + entry.ht / 2.0);
    ASSERT_EQ(w.session->phase(), game::Phase::Playing);

    // The line under the progress bar, as the window draws it with the figures the rules give.
    const platform::Rect needs = game::ui::window::kNeedsLine;
    auto expected = [&](std::int32_t points) {
        auto s = uitest::makeSurface(w.screen().width(), w.screen().height(), game::ui::brPlay.color, 10);
        platform::Font f = s->font();
        f.bold = false;
        s->setFont(f);
        game::ui::BoxInfo b{};
        b.surface = s.get();
        b.x = needs.left;
        b.y = needs.top;
        b.wid = needs.right - needs.left;
        b.ht = needs.bottom - needs.top;
        b.textColor = game::ui::clrMessage;
        const std::int32_t target = game::level(1).target;
        game::ui::drawShadowText(b, 0,
                                 "Level target " + std::to_string(target) + " points: " +
                                     std::to_string(target - points) + " to go",
                                 static_cast<int>(game::ui::kCaptionFlags));
        return s;
    };
    auto differing = [&](const platform::Surface& want) {
        int d = 0;
        for (int y = needs.top; y < needs.bottom; ++y)
            for (int x = needs.left; x < needs.right; ++x) d += w.screen().pixel(x, y) != want.pixel(x, y);
        return d;
    };
    EXPECT_GT(uitest::countColor(w.screen(), needs, game::ui::clrMessage), 20);
    EXPECT_EQ(differing(*expected(0)), 0);
    const auto [word, cells] = w.solution(3);
    for (int c : cells) w.press(c);
    w.key(platform::key::kEnter);
    EXPECT_EQ(differing(*expected(game::wordPoints(3))), 0);

    // The Time value turns red at 15 seconds, and each whole second from there ticks.
    const auto& time = w.frm->regions().item(game::ui::kTimeItem);
    w.game = game::testing::GameBuilder(w.game).timeLeft(152).build();
    w.hp.sound.clear();
    w.hp.ui.advance(100);
    EXPECT_EQ(uitest::countColor(w.screen(), rectOf(time), game::ui::clrTimeWarning), 0);
    EXPECT_TRUE(w.heard().empty());
    w.hp.ui.advance(100);
    EXPECT_GT(uitest::countColor(w.screen(), rectOf(time), game::ui::clrTimeWarning), 10);
    EXPECT_EQ(w.heard(), Strings{"TICK.wav"});
    w.hp.ui.advance(900);
    EXPECT_TRUE(w.heard().empty());
    w.hp.ui.advance(100);
    EXPECT_EQ(w.heard(), Strings{"TICK.wav"});
    // With the sound off the clock is silent.
    ctrl(w, 'o');
    w.hp.ui.advance(1000);
    EXPECT_TRUE(w.heard().empty());
    EXPECT_EQ(w.game.timeLeft(), 130);
}

}  // namespace
