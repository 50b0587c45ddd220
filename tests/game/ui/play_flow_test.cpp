// Classic games and Arcade runs played to every ending on the headless main window with the flow
// connected: end dialogs and their texts, the level bonus, the countdown on the virtual clock, pause,
// the tenth level, and the results display with its lit paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "frm_play_fixture.h"
#include "game/play/flow.h"
#include "game/play/puzzle.h"
#include "game/play/words.h"
#include "game/ui/dialogs.h"
#include "game/ui/palette.h"
#include "game_builder.h"
#include "ui_test_support.h"

namespace {

using game::GameData;
using game::GameMode;
using game::ui::FrmPlay;
using platform::HeadlessWindow;

double midX(const game::ui::BoxInfo& b) { return b.x + b.wid / 2.0; }
double midY(const game::ui::BoxInfo& b) { return b.y + b.ht / 2.0; }
platform::Rect rectOf(const game::ui::BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

// The first seed (from 0) whose puzzle for level-table row `row` satisfies ok.
int findSeed(int row, GameMode mode, const std::function<bool(const GameData&)>& ok) {
    for (int seed = 0; seed <= 3000; ++seed) {
        GameData g;
        g = game::testing::GameBuilder(g).mode(mode).level(static_cast<std::int16_t>(row)).build();
        game::newPuzzle(g, frmtest::engine(), game::level(row).width, game::level(row).height, seed);
        if (ok(g)) return seed;
    }
    ADD_FAILURE() << "no seed found for row " << row;
    return 0;
}

int wordsOfLength(const GameData& g, int len) { return g.wordLists()[len - 1].count(); }

// Every solution word can be linked: none of 2 or of 8 to 10 letters.
bool allLinkable(const GameData& g) {
    if (wordsOfLength(g, 2) > 0) return false;
    for (int len = 8; len <= 10; ++len)
        if (wordsOfLength(g, len) > 0) return false;
    return wordsOfLength(g, 3) > 0;
}

// The main window with every ending logged; every end dialog is read and closed with Enter, and the
// best-score checks are counted without their windows.
class FlowWindow : public frmtest::PlayWindow {
public:
    FlowWindow() : log(*session, *frm) {
        log.passOffers = false;
        hp.ui.setModalHandler([this](platform::Window& w) {
            auto& hw = static_cast<HeadlessWindow&>(w);
            if (auto* d = dynamic_cast<game::ui::DiagWow*>(&hw.handler())) dialogs.push_back(d->text());
            if (onDialog) onDialog(hw);
            frmtest::answerKey(hp.ui, w, platform::key::kEnter);
        });
    }

    void startArcade(int seed) {
        session->setFixedPuzzle(game::Session::FixedPuzzle{1, seed});
        const auto& entry = frm->mmBtn(2);
        pressAt(midX(entry), midY(entry));
        hp.sound.clear();
    }
    // Jumps the run to a later level, as if the levels before it had been won.
    void playLevel(int level) {
        game = game::testing::GameBuilder(game).level(static_cast<std::int16_t>(level - 1)).build();
        session->startGame();
    }
    // Links a word's cells and submits it with a right press on the last one.
    void submit(const std::vector<int>& cells) {
        for (int c : cells) press(c);
        press(cells.back(), platform::mouse::kRight);
    }
    // Takes every solution word but the first 3-letter one as found, then submits that one.
    void findAllWords() {
        for (int k = 1; k <= 9; ++k) {
            const auto& list = game.wordLists()[k];
            for (int i = (k == 2 ? 2 : 1); i <= list.count(); ++i) {
                game::words::addFoundWord(game, list.words[i]);
                game.scoreWord(game::wordPoints(k + 1));
            }
        }
        submit(solution(3, 1).second);
    }
    // Moves the pointer over row `row` (0..12) of the list box.
    void hoverRow(int row, double dy = 10) {
        const auto& l = frm->regions().listBox;
        move(l.x + 60, l.y + row * 20 + dy);
    }

    int bestChecks() const { return static_cast<int>(std::count(log.calls.begin(), log.calls.end(), "checkIfBest")); }

    frmtest::EventLog log;
    std::vector<std::string> dialogs;
    std::function<void(HeadlessWindow&)> onDialog;
};

// ---- Arcade Mode ---------------------------------------------------------------------------

TEST(ArcadeRun, ClockTicksFromFiveMinutesAndRunningOutEndsTheRunWithTheResults) {
    FlowWindow w;
    w.startArcade(7);
    EXPECT_EQ(w.game.arcadeLevel(), 1);
    EXPECT_EQ(w.frm->timerStr(), "5:00.0");
    EXPECT_TRUE(w.frm->timrCntDwn().enabled());
    EXPECT_EQ(w.frm->timrCntDwn().interval(), 100);

    w.hp.ui.advance(100);
    EXPECT_EQ(w.game.timeLeft(), 2999);
    EXPECT_EQ(w.frm->timerStr(), "4:59");
    w.hp.ui.advance(4900);
    EXPECT_EQ(w.frm->timerStr(), "4:55");
    // The Time value shows on the panel in the value colour.
    EXPECT_GT(
        uitest::countColor(w.screen(), rectOf(w.frm->regions().item(game::ui::kTimeItem)), game::ui::clrValueText), 5);

    w.hp.ui.advance(2950 * 100 - 100);
    EXPECT_TRUE(w.dialogs.empty());
    EXPECT_TRUE(w.session->gamePlaying());
    w.hp.ui.advance(100);
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0], "Game Over \n Level reached 1 \n Points Scored 0");
    EXPECT_EQ(w.game.timeLeft(), 0);
    EXPECT_EQ(w.frm->timerStr(), "0:00");
    EXPECT_FALSE(w.session->gamePlaying());
    EXPECT_TRUE(w.session->showingResults());
    EXPECT_EQ(w.session->listMode(), game::results::ListMode::Solutions);
    EXPECT_EQ(w.bestChecks(), 1);
    EXPECT_FALSE(w.frm->timrCntDwn().enabled());

    // The clock never starts again once the run is over: not by pausing and resuming.
    w.command(11);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Paused);
    w.pressAt(600, 400);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_FALSE(w.frm->timrCntDwn().enabled());
    w.hp.ui.advance(5000);
    EXPECT_EQ(w.game.timeLeft(), 0);
    EXPECT_EQ(w.dialogs.size(), 1u);
}

TEST(ArcadeRun, PausingStopsTheClockAndResumingGoesOnFromTheSameTime) {
    FlowWindow w;
    w.startArcade(7);
    w.hp.ui.advance(1000);
    EXPECT_EQ(w.game.timeLeft(), 2990);
    w.command(11);
    EXPECT_FALSE(w.frm->timrCntDwn().enabled());
    w.hp.ui.advance(60000);
    EXPECT_EQ(w.game.timeLeft(), 2990);
    // A press on the pause label resumes.
    const auto& label = game::ui::window::kPauseLabel;
    w.pressAt((label.left + label.right) / 2.0, (label.top + label.bottom) / 2.0);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    w.hp.ui.advance(100);
    EXPECT_EQ(w.game.timeLeft(), 2989);
    // Esc pauses (and minimises); a press on the window background resumes.
    w.key(platform::key::kEscape);
    EXPECT_TRUE(w.win().isMinimized());
    w.hp.ui.advance(1000);
    EXPECT_EQ(w.game.timeLeft(), 2989);
    w.hp.ui.restoreBox(w.win());
    w.hp.ui.advance(1000);
    EXPECT_EQ(w.game.timeLeft(), 2989) << "restoring alone does not resume";
    w.pressAt(650, 20);
    w.hp.ui.advance(200);
    EXPECT_EQ(w.game.timeLeft(), 2987);
}

TEST(ArcadeRun, ReachingTheTargetOnLevelThreeWithTwoMinutesLeftPaysTheBonusAndGoesOn) {
    FlowWindow w;
    w.startArcade(7);
    w.game = game::testing::GameBuilder(w.game).score(500).build();
    w.playLevel(3);
    ASSERT_EQ(w.game.arcadeLevel(), 3);
    EXPECT_EQ(w.game.gridWidth(), 5);
    EXPECT_LE(w.game.targetPoints(), 225);
    const auto [word, cells] = w.solution(3);
    w.game = game::testing::GameBuilder(w.game).timeLeft(1205).levelScore(w.game.targetPoints() - 6).build();
    w.submit(cells);

    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0],
              "You qualified for the next level \n with 120 seconds to spare\n and you get 361 bonus points ");
    EXPECT_EQ(w.game.score(), 500 + 6 + 361);
    // The next level is on, with a fresh clock.
    EXPECT_EQ(w.game.arcadeLevel(), 4);
    EXPECT_EQ(w.game.timeLeft(), 3000);
    EXPECT_EQ(w.game.levelScore(), 0);
    EXPECT_FALSE(w.game.levelQualified());
    EXPECT_TRUE(w.session->gamePlaying());
    EXPECT_TRUE(w.frm->timrCntDwn().enabled());
    EXPECT_EQ(w.bestChecks(), 0);

    // Quitting the level after the won one is Game Over, not another qualification.
    w.hp.ui.advance(1000);
    w.command(14);
    ASSERT_EQ(w.dialogs.size(), 2u);
    EXPECT_EQ(w.dialogs[1], "Game Over \n Level reached 4 \n Points Scored 867");
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    EXPECT_EQ(w.bestChecks(), 1);
    EXPECT_FALSE(w.frm->timrCntDwn().enabled());
}

TEST(ArcadeRun, APuzzleWorthLessThanItsTargetIsWonByFindingAllItsWords) {
    const int seed = findSeed(9, GameMode::Arcade, [](const GameData& g) {
        return allLinkable(g) && g.targetPoints() < game::level(9).target;
    });
    FlowWindow w;
    w.startArcade(seed);
    w.playLevel(9);
    ASSERT_LT(w.game.targetPoints(), 400);
    w.findAllWords();
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0].rfind("You qualified for the next level", 0), 0u) << w.dialogs[0];
    EXPECT_EQ(w.game.arcadeLevel(), 10);
}

TEST(ArcadeRun, MinimisedUnderTheLevelWonDialogTheNextLevelStartsPaused) {
    FlowWindow w;
    w.startArcade(7);
    w.game = game::testing::GameBuilder(w.game).timeLeft(2000).levelScore(w.game.targetPoints() - 6).build();
    // The main window is minimised (by the desktop, as its minimise box is blocked) while the
    // level-won dialog is up.
    w.onDialog = [&](HeadlessWindow&) { w.win().minimize(); };
    w.submit(w.solution(3).second);
    ASSERT_EQ(w.dialogs.size(), 1u);
    ASSERT_EQ(w.game.arcadeLevel(), 2);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Paused);
    EXPECT_FALSE(w.frm->timrCntDwn().enabled());
    w.hp.ui.advance(10'000);
    EXPECT_EQ(w.game.timeLeft(), 3000) << "the new level's clock waits";
    w.hp.ui.restoreBox(w.win());
    w.hp.ui.advance(1'000);
    EXPECT_EQ(w.game.timeLeft(), 3000) << "restoring alone does not resume";
    w.pressAt(650, 20);
    w.hp.ui.advance(1'000);
    EXPECT_EQ(w.game.timeLeft(), 2990);
}

TEST(ArcadeRun, AHeldArrowStopsRepeatingWhenTheClockEndsTheRunUnderIt) {
    FlowWindow w;
    w.startArcade(7);
    for (int n = 1; n <= 30; ++n) game::words::addFoundWord(w.game, w.solution(3, n).first);
    w.game = game::testing::GameBuilder(w.game).timeLeft(10).build();
    bool repeatingUnderTheDialog = true;
    int topWhenTheDialogOpened = 0;
    w.onDialog = [&](HeadlessWindow&) {
        repeatingUnderTheDialog = w.frm->navigateTimer().enabled();
        topWhenTheDialogOpened = w.frm->listTop();
        w.hp.ui.advance(2'000);  // the player reads the dialog for a while
    };
    const auto& down = w.frm->regions().downBar;
    // The button is held until after the run is over: its release goes to the dialog.
    w.hp.ui.mouseDown(w.win(), 1, midX(down), midY(down));
    w.hp.ui.advance(1'000);
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_FALSE(repeatingUnderTheDialog);
    EXPECT_EQ(w.frm->navigateToggle(), game::results::Navigate::None);
    // The results display starts at the top, and nothing scrolls it on its own.
    EXPECT_EQ(w.frm->listTop(), 1);
    w.hp.ui.advance(5'000);
    EXPECT_EQ(w.frm->listTop(), 1);
    EXPECT_GT(topWhenTheDialogOpened, 1) << "the arrow did repeat before the end";
}

TEST(ArcadeRun, TheResultsStartOnACleanMessageLineWithNoChainLit) {
    // One run ends by the clock after a refused word with three letters still linked; another ends
    // by "Show Solution" from a clean state. Their message lines and strips must be alike.
    FlowWindow refused;
    refused.startArcade(7);
    for (int c : refused.nonWord()) refused.press(c);
    refused.press(refused.chain().back(), platform::mouse::kRight);
    ASSERT_EQ(refused.chain().size(), 3u);
    refused.game = game::testing::GameBuilder(refused.game).timeLeft(1).build();
    refused.hp.ui.advance(100);
    ASSERT_TRUE(refused.session->showingResults());
    EXPECT_EQ(refused.game.curWordLen(), 0);

    FlowWindow clean;
    clean.startArcade(7);
    clean.command(game::Command::ShowSolution);
    ASSERT_TRUE(clean.session->showingResults());
    const auto& msg = refused.frm->regions().msgBox;
    const auto& strip = refused.frm->regions().stripBox;
    for (const platform::Rect r : {rectOf(msg), platform::Rect{strip.x, strip.y, strip.x + 7 * 44, strip.y + 46}}) {
        int differ = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) differ += refused.screen().pixel(x, y) != clean.screen().pixel(x, y);
        EXPECT_EQ(differ, 0) << r.left << "," << r.top;
    }
}

class TenthLevel : public ::testing::Test {
protected:
    void SetUp() override {
        seed = findSeed(10, GameMode::Arcade, allLinkable);
        w.startArcade(seed);
        w.game = game::testing::GameBuilder(w.game).score(4000).build();
        w.playLevel(10);
        ASSERT_EQ(w.game.arcadeLevel(), 10);
    }
    int seed = 0;
    FlowWindow w;
};

TEST_F(TenthLevel, WonCompletesTheRunWithItsBonusAndTheBestScoreCheck) {
    w.hp.ui.advance(30000);  // 4:30.0 left
    const int before = w.game.score();
    w.findAllWords();
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0], "Excellent work. You completed all the 10 levels.");
    int allWords = 0;
    for (int len = 3; len <= 7; ++len) allWords += wordsOfLength(w.game, len) * game::wordPoints(len);
    // Every word, and the bonus: (2700 x 10) div 10.
    EXPECT_EQ(w.game.score(), before + allWords + 2700);
    EXPECT_EQ(w.bestChecks(), 1);
    EXPECT_FALSE(w.session->gamePlaying());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    EXPECT_EQ(w.game.arcadeLevel(), 10) << "no eleventh level is read";
    EXPECT_FALSE(w.frm->timrCntDwn().enabled());
}

TEST_F(TenthLevel, LostByTheClockOrQuitIsGameOver) {
    w.hp.ui.advance(300000);
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0], "Game Over \n Level reached 10 \n Points Scored 4000");
    EXPECT_TRUE(w.session->showingResults());

    FlowWindow q;
    q.startArcade(seed);
    q.playLevel(10);
    q.command(14);
    ASSERT_EQ(q.dialogs.size(), 1u);
    EXPECT_EQ(q.dialogs[0], "Game Over \n Level reached 10 \n Points Scored 0");
    EXPECT_EQ(q.frm->view(), FrmPlay::View::Menu);
}

// ---- Classic Mode --------------------------------------------------------------------------

TEST(ClassicEnd, FindingTheLastWordShowsCongratsAndReturnsToTheMenu) {
    const int seed = findSeed(9, GameMode::Classic, allLinkable);
    FlowWindow w;
    w.startClassic(9, seed);
    w.findAllWords();
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0],
              "Congrats ! You have found all the " + std::to_string(w.game.numSolutionWords()) + " words");
    EXPECT_EQ(w.hp.ui.modalHistory(), std::vector<std::string>{"Game Statistics"});
    EXPECT_EQ(w.bestChecks(), 1);
    EXPECT_FALSE(w.session->gamePlaying());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
}

TEST(ClassicEnd, QuitShowsThePercentageWithoutTrailingZeros) {
    FlowWindow w;
    w.startClassic(1, 1234);
    w.submit(w.solution(3).second);
    EXPECT_EQ(w.game.score(), 6);
    w.game = game::testing::GameBuilder(w.game).score(75).target(200).build();
    w.command(14);
    ASSERT_EQ(w.dialogs.size(), 1u);
    // The total counts the words a chain can link, of 3 to 7 letters.
    EXPECT_EQ(w.dialogs[0], "You found 1 of " + std::to_string(w.game.numLinkableWords()) +
                                " words \n Your score of 75 is \n37.5 percent of maximum score possible.");
    EXPECT_EQ(w.bestChecks(), 1);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
}

TEST(ClassicEnd, APuzzleWithoutWordsShowsZeroPercentAndAnEmptyBar) {
    FlowWindow w;
    w.startClassic(1, 1234);
    // The engine found nothing on this board.
    w.game = game::testing::GameBuilder(w.game).noSolutions().target(0).build();
    w.frm->drawProgress();
    // The bar is the empty bar of the sheet, pixel for pixel.
    const auto& bar = w.frm->regions().barBox;
    const platform::Surface& sheet = *w.sheet.surface();
    int differ = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 283; ++x) differ += w.frm->pbGrid().pixel(188 + x, bar.y + y) != sheet.pixel(x, 44 + y);
    EXPECT_EQ(differ, 0);
    w.command(14);
    ASSERT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(w.dialogs[0], "You found 0 of 0 words \n Your score of 0 is \n0 percent of maximum score possible.");
}

TEST(ClassicEnd, ShowSolutionGoesToTheResultsWithoutADialogAndMainMenuThenGoesStraightBack) {
    FlowWindow w;
    w.startClassic(1, 1234);
    w.submit(w.solution(4).second);
    w.command(13);
    EXPECT_TRUE(w.dialogs.empty());
    EXPECT_TRUE(w.hp.ui.modalHistory().empty());
    EXPECT_EQ(w.bestChecks(), 1);
    EXPECT_FALSE(w.session->gamePlaying());
    EXPECT_TRUE(w.session->showingResults());
    EXPECT_EQ(w.session->lastShownWordId(), -1);
    EXPECT_EQ(w.game.allSolutionWords().size(), w.game.numSolutionWords());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);

    w.command(15);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    EXPECT_TRUE(w.hp.ui.modalHistory().empty());
    EXPECT_EQ(w.bestChecks(), 1);
}

TEST(ClassicEnd, BoardSizesComeFromTheFirstNineRows) {
    FlowWindow w;
    for (int game = 0; game < 40; ++game) {
        w.hp.ui.setNow(1000 + game * 7919);
        w.session->setFixedPuzzle(std::nullopt);
        w.game = game::testing::GameBuilder(w.game).mode(GameMode::Classic).build();
        w.session->startGame();
        bool inTable = false;
        for (int row = 1; row <= 9; ++row)
            inTable |= w.game.gridWidth() == game::level(row).width && w.game.gridHeight() == game::level(row).height;
        EXPECT_TRUE(inTable) << w.game.gridWidth() << " x " << w.game.gridHeight();
    }
}

// ---- Results display -----------------------------------------------------------------------

class Results : public ::testing::Test {
protected:
    void SetUp() override {
        w.startClassic(1, 1234);
        w.submit(w.solution(3).second);
        w.command(13);
        ASSERT_TRUE(w.session->showingResults());
        ASSERT_GT(w.game.numSolutionWords(), 30);
    }
    FlowWindow w;
};

TEST_F(Results, CommandsThatMeanNothingNowAreHiddenAndDead) {
    const auto& r = w.frm->regions();
    for (int n : {13, 14, 16, 17, 18}) {
        EXPECT_FALSE(w.session->available(static_cast<game::Command>(n))) << n;
        if (n < 17) {
            EXPECT_EQ(uitest::countOther(w.screen(), rectOf(r.item(n)), game::ui::brPanel.color), 0) << n;
        }
    }
    for (int n : {10, 11, 12, 15}) EXPECT_TRUE(w.session->available(static_cast<game::Command>(n))) << n;
    // "Back to Main Menu " covers the places of "Clear" and "Enter".
    EXPECT_GT(uitest::countColor(w.screen(), rectOf(r.backBtn), game::ui::clrText), 20);

    const int before = w.win().presentCount();
    w.move(midX(r.item(14)), midY(r.item(14)));
    w.move(midX(r.item(13)), midY(r.item(13)));
    EXPECT_EQ(w.win().presentCount(), before) << "no hover look";
    w.command(14);
    w.command(13);
    w.command(16);
    EXPECT_TRUE(w.hp.ui.modalHistory().empty());
    EXPECT_TRUE(w.win().isOpen());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    // Board presses link nothing.
    w.press(1);
    EXPECT_EQ(w.game.curWordLen(), 0);
}

TEST_F(Results, HoveringAWordLightsItsPathOnceAndTheBackButtonReturns) {
    const auto& r = w.frm->regions();
    int before = w.win().presentCount();
    w.hoverRow(0);
    EXPECT_EQ(w.session->lastShownWordId(), 1);
    EXPECT_EQ(w.win().presentCount(), before + 1);
    const std::string first = w.game.allSolutionWords()[1];
    EXPECT_EQ(w.game.curWordLen(), static_cast<int>(first.size()));
    w.hoverRow(0, 4);
    w.hoverRow(0, 14);
    EXPECT_EQ(w.win().presentCount(), before + 1) << "the same word draws nothing";

    w.hoverRow(5);
    EXPECT_EQ(w.session->lastShownWordId(), 6);
    EXPECT_EQ(w.win().presentCount(), before + 2);
    const std::string sixth = w.game.allSolutionWords()[6];
    std::string onBoard;
    for (int j = 1; j <= w.game.curWordLen(); ++j)
        onBoard += static_cast<char>(std::toupper(w.game.gridLetters()[w.game.curPath()[j]]));
    EXPECT_EQ(onBoard, sixth);
    int lit = 0;
    for (int c = 1; c <= w.game.numCells(); ++c) lit += w.game.cellSelected()[c];
    EXPECT_EQ(lit, static_cast<int>(sixth.size()));

    // The back button lights once under the pointer and returns to the menu.
    before = w.win().presentCount();
    w.move(midX(r.backBtn), midY(r.backBtn));
    w.move(midX(r.backBtn) + 5, midY(r.backBtn));
    EXPECT_TRUE(r.backBtn.hover);
    EXPECT_EQ(w.win().presentCount(), before + 1);
    EXPECT_GT(uitest::countColor(w.screen(), rectOf(r.backBtn), game::ui::clrHiText), 20);
    w.pressAt(r.backBtn.x + 2, midY(r.backBtn));
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
}

TEST_F(Results, AutoRepeatOfTheArrowsRunsOnTheClock) {
    const auto& r = w.frm->regions();
    w.hp.ui.mouseDown(w.win(), 1, midX(r.downBar), midY(r.downBar));
    EXPECT_EQ(w.frm->listTop(), 2) << "one step at once";
    // The first hold after the window opened: 300, 200, then every 100 ms.
    w.hp.ui.advance(299);
    EXPECT_EQ(w.frm->listTop(), 2);
    w.hp.ui.advance(1);
    EXPECT_EQ(w.frm->listTop(), 3);
    w.hp.ui.advance(199);
    EXPECT_EQ(w.frm->listTop(), 3);
    w.hp.ui.advance(1);
    EXPECT_EQ(w.frm->listTop(), 4);
    w.hp.ui.advance(100);
    EXPECT_EQ(w.frm->listTop(), 5);
    w.hp.ui.mouseUp(w.win(), 1, midX(r.downBar), midY(r.downBar));
    w.hp.ui.advance(1000);
    EXPECT_EQ(w.frm->listTop(), 5);

    // Later holds start at 600 ms: 600, 500, 400, 300, 200, 100.
    w.move(midX(r.upBar), midY(r.upBar));
    w.hp.ui.mouseDown(w.win(), 1, midX(r.upBar), midY(r.upBar));
    EXPECT_EQ(w.frm->listTop(), 4);
    w.hp.ui.advance(599);
    EXPECT_EQ(w.frm->listTop(), 4);
    w.hp.ui.advance(1);
    EXPECT_EQ(w.frm->listTop(), 3);
    w.hp.ui.advance(500);
    EXPECT_EQ(w.frm->listTop(), 2);
    w.hp.ui.advance(400);
    EXPECT_EQ(w.frm->listTop(), 1);
    w.hp.ui.advance(300);
    EXPECT_EQ(w.frm->listTop(), 1) << "the up arrow stops at word 1";
    // Leaving the arrow while holding stops the repeat.
    w.move(10, 10);
    EXPECT_FALSE(w.frm->navigateTimer().enabled());
    EXPECT_EQ(w.frm->navigateTimer().interval(), 600);
    EXPECT_EQ(w.frm->navigateToggle(), game::results::Navigate::Up) << "kept until the button is released";
    w.hp.ui.mouseUp(w.win(), 1, 10, 10);
    EXPECT_EQ(w.frm->navigateToggle(), game::results::Navigate::None);

    // Moving over a row after scrolling shows the word at that position of the list.
    for (int i = 0; i < 4; ++i) w.pressAt(midX(r.downBar), midY(r.downBar));
    EXPECT_EQ(w.frm->listTop(), 5);
    w.hoverRow(2);
    EXPECT_EQ(w.session->lastShownWordId(), 7);
}

TEST(ResultsLongWords, AnEightOrNineLetterWordLightsItsWholePathButSpellsSevenLetters) {
    const int seed =
        findSeed(1, GameMode::Classic, [](const GameData& g) { return wordsOfLength(g, 8) + wordsOfLength(g, 9) > 0; });
    FlowWindow w;
    w.startClassic(1, seed);
    w.command(13);
    int id = 0;
    for (int i = 1; i <= w.game.numSolutionWords(); ++i)
        if (w.game.allSolutionWords()[i].size() >= 8) id = i;
    ASSERT_GT(id, 0);
    const auto& r = w.frm->regions();
    while (w.frm->listTop() + 12 < id) w.pressAt(midX(r.downBar), midY(r.downBar));
    w.hoverRow(id - w.frm->listTop());
    ASSERT_EQ(w.session->lastShownWordId(), id);
    const std::string word = w.game.allSolutionWords()[id];
    EXPECT_EQ(w.game.curWordLen(), static_cast<int>(word.size()));
    int lit = 0;
    for (int c = 1; c <= w.game.numCells(); ++c) lit += w.game.cellSelected()[c];
    EXPECT_EQ(lit, static_cast<int>(word.size()));
    // Seven slots, all filled: a tile in each.
    const auto& strip = r.stripBox;
    for (int slot = 0; slot < 7; ++slot) {
        const platform::Rect inner{strip.x + slot * 44 + 4, strip.y + 4, strip.x + slot * 44 + 40, strip.y + 40};
        EXPECT_GT(uitest::countOther(w.screen(), inner, game::ui::brPlay.color), 500) << slot;
    }
}

TEST(ResultsShortList, EmptyRowsPastTheLastWordDoNothingAndTheArrowsStayPut) {
    const int seed = findSeed(9, GameMode::Classic,
                              [](const GameData& g) { return g.numSolutionWords() > 2 && g.numSolutionWords() < 13; });
    FlowWindow w;
    w.startClassic(9, seed);
    w.command(13);
    const int n = w.game.numSolutionWords();
    const auto& r = w.frm->regions();
    w.hoverRow(n - 1);
    EXPECT_EQ(w.session->lastShownWordId(), n);
    const int before = w.win().presentCount();
    for (int row = n; row < 13; ++row) w.hoverRow(row);
    EXPECT_EQ(w.session->lastShownWordId(), n);
    EXPECT_EQ(w.win().presentCount(), before);
    w.pressAt(midX(r.downBar), midY(r.downBar));
    w.pressAt(midX(r.upBar), midY(r.upBar));
    EXPECT_EQ(w.frm->listTop(), 1);
}

}  // namespace
