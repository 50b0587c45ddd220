// The main window driven like a player would: a scripted Classic game on a fixed puzzle (linking by
// presses, submitting, the message line, sounds, score and found list), the keys, and the pause.
#include <gtest/gtest.h>

#include "frm_play_fixture.h"
#include "game/play/words.h"
#include "game/ui/palette.h"
#include "game/ui/sprite_sheet.h"
#include "ui_test_support.h"

namespace {

using frmtest::PlayWindow;
using game::ui::FrmPlay;
using Strings = std::vector<std::string>;

using frmtest::kRow4x4;
using frmtest::kSeed;

platform::Rect rectOf(const game::ui::BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

// Pixels of the message line that are not its background: text is showing.
int messageInk(PlayWindow& w) {
    return uitest::countOther(w.screen(), rectOf(w.frm->regions().msgBox), game::ui::brPlay.color);
}

class ClassicGame : public ::testing::Test {
protected:
    void SetUp() override { w.startClassic(kRow4x4, kSeed); }
    void link(const std::vector<int>& cells, int button = 1) {
        for (int c : cells) w.press(c, button);
    }
    PlayWindow w;
};

TEST_F(ClassicGame, StartsOnTheFixedPuzzleWithAnEmptyChainAndTheMenuGone) {
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_TRUE(w.session->gamePlaying());
    EXPECT_EQ(w.game.gridWidth(), 4);
    EXPECT_EQ(w.game.gridHeight(), 4);
    EXPECT_EQ(w.game.score(), 0);
    EXPECT_GT(w.game.numSolutionWords(), 0);
    EXPECT_TRUE(uitest::sameImage(w.screen(), w.frm->pbGrid()));
    EXPECT_FALSE(w.frm->timrCntDwn().enabled()) << "Classic Mode has no clock";
    // The same seed makes the same letters.
    PlayWindow again;
    again.startClassic(kRow4x4, kSeed);
    EXPECT_EQ(again.game.gridLetters().raw(), w.game.gridLetters().raw());
}

TEST_F(ClassicGame, PressesOnTileCentresLinkNeighboursWithAClickEach) {
    const auto [word, cells] = w.solution(4);
    const int before = w.win().presentCount();
    link(cells);
    EXPECT_EQ(w.chain(), cells);
    EXPECT_EQ(w.heard(), Strings(4, "CLICK.wav"));
    EXPECT_EQ(w.win().presentCount(), before + 4) << "one refresh per linked letter";
    // The word strip shows four filled slots, the rest empty.
    const auto& strip = w.frm->regions().stripBox;
    for (int slot = 0; slot < 7; ++slot) {
        const platform::Rect inner{strip.x + slot * 44 + 4, strip.y + 4, strip.x + slot * 44 + 40, strip.y + 40};
        const int other = uitest::countOther(w.screen(), inner, game::ui::brPlay.color);
        if (slot < 4)
            EXPECT_GT(other, 500) << "slot " << slot;
        else
            EXPECT_EQ(other, 0) << "slot " << slot;
    }
}

TEST_F(ClassicGame, APress19PixelsFromACentreLinksAnd20DoesNot) {
    w.press(6, 1, -20, 0);
    w.press(6, 1, 0, 20);
    EXPECT_TRUE(w.chain().empty());
    w.press(6, 1, -19, 0);
    EXPECT_EQ(w.chain(), std::vector<int>{6});
    w.press(7, 1, 0, 19);
    EXPECT_EQ(w.chain(), (std::vector<int>{6, 7}));
    EXPECT_EQ(w.heard(), Strings(2, "CLICK.wav"));
}

TEST_F(ClassicGame, CornersAndCellBordersDoNothing) {
    const auto& b = w.frm->regions().boardBox;
    const int before = w.win().presentCount();
    w.pressAt(b.x + 44 + 2, b.y + 44 + 2);       // corner of cell 6
    w.pressAt(b.x + 88 - 2, b.y + 88 - 2);       // the opposite corner
    w.pressAt(b.x + 44, b.y + 22);               // the border between cells 1 and 2
    w.pressAt(b.x + 22 + 44 * 2, b.y + 44 * 3);  // the border between cells 11 and 15
    EXPECT_TRUE(w.chain().empty());
    EXPECT_TRUE(w.heard().empty());
    EXPECT_EQ(w.win().presentCount(), before);
}

TEST_F(ClassicGame, OnlyTheLastLetterUnlinksAndAnEighthLetterNeverLinks) {
    // A snake through the 4 x 4 board: seven letters, then an eighth neighbour.
    const std::vector<int> snake{1, 2, 3, 4, 8, 7, 6};
    link(snake);
    w.heard();
    w.press(5);
    EXPECT_EQ(w.chain(), snake) << "an eighth letter is never linked";
    w.press(1);
    w.press(7);
    EXPECT_EQ(w.chain(), snake) << "letters of the chain other than the last do nothing";
    EXPECT_TRUE(w.heard().empty());
    w.press(6);
    w.press(7);
    EXPECT_EQ(w.chain(), (std::vector<int>{1, 2, 3, 4, 8}));
    EXPECT_EQ(w.heard(), Strings(2, "UNCLICK.wav"));
    for (int i = 0; i < w.game.numCells(); ++i)
        EXPECT_EQ(w.game.cellSelected()[i + 1],
                  (i + 1 == 1 || i + 1 == 2 || i + 1 == 3 || i + 1 == 4 || i + 1 == 8) ? 1 : 0);
}

TEST_F(ClassicGame, RightButtonOnTheLastLetterSubmitsANewWord) {
    const auto [word, cells] = w.solution(3);
    link(cells);
    w.heard();
    w.press(cells.back(), 2);
    EXPECT_EQ(w.heard(), Strings{"RIGHT.wav"});
    EXPECT_EQ(w.game.score(), 6);
    EXPECT_EQ(w.game.numFoundWords(), 1);
    EXPECT_EQ(w.game.foundWords()[1], word);
    EXPECT_TRUE(w.chain().empty()) << "an accepted word clears the chain";
    EXPECT_GT(messageInk(w), 50) << "the message line shows the points";
    // The found word is in the list box, in the found colour.
    const auto& list = w.frm->regions().listBox;
    EXPECT_GT(uitest::countColor(w.screen(), {list.x + 15, list.y, list.x + 120, list.y + 15}, game::ui::clrHiText),
              10);
    // The next press clears the message line.
    w.press(1);
    EXPECT_EQ(messageInk(w), 0);
}

TEST_F(ClassicGame, ARightPressOnAShortChainReachesEnterWhichIgnoresIt) {
    w.press(1, 2);
    w.press(2, 2);
    w.heard();
    w.press(2, 2);
    EXPECT_EQ(w.chain(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(w.heard().empty());
    EXPECT_EQ(messageInk(w), 0);
}

TEST_F(ClassicGame, RefusedRepeatedAndNewWordsGiveTheirMessagesSoundsScoresAndLists) {
    // Refused: the chain stays for unlinking.
    const auto non = w.nonWord();
    link(non);
    w.heard();
    w.session->enter();
    EXPECT_EQ(w.heard(), Strings{"BEEPS.wav"});
    EXPECT_EQ(w.chain(), non);
    EXPECT_EQ(w.game.score(), 0);
    EXPECT_GT(messageInk(w), 50);
    w.session->clear();

    // New: a four-letter word, then a three-letter one that sorts before it.
    const auto [four, fourCells] = w.solution(4);
    const auto [three, threeCells] = w.solution(3);
    link(fourCells);
    w.session->enter();
    link(threeCells);
    w.session->enter();
    EXPECT_EQ(w.game.score(), 10 + 6);
    EXPECT_EQ(w.game.numFoundWords(), 2);
    EXPECT_EQ(w.game.foundWords()[1], three) << "every 3-letter word before every 4-letter word";
    EXPECT_EQ(w.game.foundWords()[2], four);
    w.heard();

    // Repeated: flashed in the list for 300 ms, nothing scored, the chain stays.
    link(fourCells);
    w.heard();
    const int before = w.win().presentCount();
    w.session->enter();
    EXPECT_EQ(w.heard(), Strings{"BEEP.wav"});
    EXPECT_EQ(w.win().presentCount(), before + 1) << "shown highlighted";
    const platform::PixelSurface lit = w.screen();
    w.hp.ui.advance(299);
    EXPECT_EQ(w.win().presentCount(), before + 1) << "still highlighted";
    w.hp.ui.advance(1);
    EXPECT_EQ(w.win().presentCount(), before + 2) << "plain again after 300 ms";
    EXPECT_FALSE(uitest::sameImage(lit, w.screen()));
    EXPECT_TRUE(w.hp.ui.sleeps().empty()) << "the window never sleeps";
    EXPECT_EQ(w.game.score(), 16);
    EXPECT_EQ(w.game.numFoundWords(), 2);
    EXPECT_EQ(w.chain(), fourCells);
    EXPECT_GT(messageInk(w), 50);
}

TEST_F(ClassicGame, ProgressBarAndScoreFollowTheWordsFound) {
    const auto& bar = w.frm->regions().barBox;
    const platform::Rect barArea{bar.x + 12, bar.y, bar.x + 12 + 283, bar.y + 18};
    PlayWindow fresh;
    fresh.startClassic(kRow4x4, kSeed);
    const auto [word, cells] = w.solution(5);
    link(cells);
    w.session->enter();
    EXPECT_EQ(w.game.score(), 15);
    EXPECT_FALSE(uitest::sameImage(w.screen(), fresh.screen()));
    int changed = 0;
    for (int y = barArea.top; y < barArea.bottom; ++y)
        for (int x = barArea.left; x < barArea.right; ++x)
            changed += w.screen().pixel(x, y) != fresh.screen().pixel(x, y);
    EXPECT_GT(changed, 0) << "the bar fills";
}

TEST(ClassicGameEnd, FindingTheLastWordEndsTheGameOnceWithTheDialogAndTheBestScoreCheck) {
    PlayWindow w;
    frmtest::EventLog log(*w.session, *w.frm);
    w.startClassic(kRow4x4, kSeed);
    // Every word a chain can link but the first of three letters is taken as found.
    for (int k = 2; k <= 6; ++k)
        for (int i = 1; i <= w.game.wordLists()[k].count(); ++i) {
            const std::string& word = w.game.wordLists()[k].words[i];
            if (k == 2 && i == 1) continue;
            game::words::addFoundWord(w.game, word);
            w.game.scoreWord(game::wordPoints(k + 1));
        }
    ASSERT_LT(w.game.score(), w.game.targetPoints());
    const auto [word, cells] = w.solution(3, 1);
    for (int c : cells) w.press(c);
    w.command(game::Command::Enter);
    EXPECT_EQ(w.game.score(), w.game.targetPoints());
    EXPECT_EQ(log.calls, (Strings{"dialog", "checkIfBest"}));
    // The score ranks in the empty table: the name dialog and the table follow the end dialog.
    EXPECT_EQ(w.hp.ui.modalHistory(), (Strings{"Game Statistics", "Best Score", "Best Scores - Varnook"}));
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
}

TEST_F(ClassicGame, ARepeatedWordScrollsTheListOfThirtyToIt) {
    // A bigger puzzle with plenty of words: 30 of them taken as found, in list order.
    PlayWindow big;
    big.startClassic(1, 1234);
    std::vector<std::pair<std::string, std::vector<int>>> words;
    for (int n = 1; n <= 30; ++n) words.push_back(big.solution(3, n));
    for (const auto& [word, cells] : words) game::words::addFoundWord(big.game, word);
    ASSERT_EQ(big.game.numFoundWords(), 30);

    auto repeat = [&](int position) {
        const auto& [word, cells] = words[static_cast<std::size_t>(position - 1)];
        EXPECT_EQ(game::words::findFoundWord(big.game, word), position);
        for (int c : cells) big.press(c);
        big.session->enter();
        big.session->clear();
        return big.frm->listTop();
    };
    // The list's last position (words 18 to 30) is where the down arrow stops.
    EXPECT_EQ(repeat(20), 18);
    EXPECT_EQ(repeat(10), 1);
    EXPECT_EQ(repeat(15), 15);
    EXPECT_EQ(repeat(30), 18);
    EXPECT_EQ(big.game.numFoundWords(), 30);
}

TEST_F(ClassicGame, EnterAndBackspaceActOnlyOnChainsOfTwoOrMore) {
    w.press(1);
    w.heard();
    w.key(platform::key::kEnter);
    w.key(platform::key::kBackspace);
    EXPECT_EQ(w.chain(), std::vector<int>{1}) << "a single letter is neither submitted nor cleared";
    EXPECT_TRUE(w.heard().empty());

    w.press(2);
    w.heard();
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.chain(), (std::vector<int>{1, 2})) << "two letters reach enterClicked, which ignores them";
    EXPECT_TRUE(w.heard().empty());
    w.key(platform::key::kBackspace);
    EXPECT_TRUE(w.chain().empty()) << "two letters are cleared";
    EXPECT_TRUE(w.heard().empty()) << "clearing is silent";

    const auto [word, cells] = w.solution(3);
    link(cells);
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.game.numFoundWords(), 1);
}

TEST_F(ClassicGame, TheSoundIconSilencesEveryEffect) {
    const auto& icon = w.frm->regions().soundBox;
    EXPECT_EQ(icon.state, 1);
    w.pressAt(icon.x + 16, icon.y + 16);
    EXPECT_EQ(w.frm->regions().soundBox.state, 0);
    EXPECT_EQ(w.sounds->soundOptions[0], 0);
    const auto [word, cells] = w.solution(3);
    link(cells);
    w.session->enter();
    EXPECT_TRUE(w.heard().empty());
    w.pressAt(icon.x + 16, icon.y + 16);
    w.press(1);
    EXPECT_EQ(w.heard(), Strings{"CLICK.wav"});
}

TEST_F(ClassicGame, WhilePausedBackspaceClearsNothingAndEnterResumesWithoutSubmitting) {
    const auto [word, cells] = w.solution(3);
    link(cells);
    w.key(platform::key::kEscape);
    w.win().restore();
    ASSERT_EQ(w.frm->view(), FrmPlay::View::Paused);
    w.key(platform::key::kBackspace);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Paused);
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_EQ(w.game.score(), 0);
    EXPECT_EQ(w.game.numFoundWords(), 0);
    EXPECT_EQ(w.chain(), cells);
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.game.numFoundWords(), 1) << "once resumed the keys work";
}

TEST(SoundSwitch, AnyNonZeroStoredValueShowsTheIconOnAndIsKeptUntilPressed) {
    for (const std::int16_t stored : {std::int16_t{2}, std::int16_t{5}, std::int16_t{-1}}) {
        SCOPED_TRACE(stored);
        PlayWindow w;
        w.sounds->soundOptions[0] = stored;
        w.startClassic(kRow4x4, kSeed);
        const auto& icon = w.frm->regions().soundBox;
        const platform::Rect r{icon.x, icon.y, icon.x + 32, icon.y + 32};
        const auto& region = game::ui::region(game::ui::Sprite::SoundOn);
        int differ = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                differ += w.screen().pixel(r.left + x, r.top + y) !=
                          w.sheet.surface()->pixel(region.left + x, region.top + y);
        EXPECT_EQ(differ, 0) << "the sound-on icon";
        EXPECT_EQ(w.sounds->soundOptions[0], stored) << "the stored value is kept";
        // A press switches off what the icon shows as on, and on again.
        w.pressAt(icon.x + 16, icon.y + 16);
        EXPECT_EQ(w.sounds->soundOptions[0], 0);
        w.pressAt(icon.x + 16, icon.y + 16);
        EXPECT_EQ(w.sounds->soundOptions[0], 1);
    }
}

TEST_F(ClassicGame, EscPausesAndMinimisesAndAPressResumes) {
    w.press(1);
    w.key(platform::key::kEscape);
    EXPECT_TRUE(w.win().isMinimized());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Paused);
    w.win().restore();
    // The pause view: the window background with the label's caption in green.
    EXPECT_EQ(w.screen().pixel(5, 5), game::ui::clrWindow);
    EXPECT_GT(uitest::countColor(w.screen(), game::ui::window::kPauseLabel, game::ui::clrPauseText), 20);
    // A press on the background (not on the label) resumes, with the chain as it was.
    w.pressAt(600, 20);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_EQ(w.chain(), std::vector<int>{1});
    // "Pause" pauses; a press on the label resumes.
    const auto& pause = w.frm->regions().item(11);
    w.pressAt(pause.x + 10, pause.y + 10);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Paused);
    EXPECT_FALSE(w.win().isMinimized());
    w.pressAt(200, 188);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_TRUE(uitest::sameImage(w.screen(), w.frm->pbGrid()));
}

TEST_F(ClassicGame, QuitGameShowsTheEndDialogChecksTheScoreAndReturnsToTheMenu) {
    frmtest::EventLog log(*w.session, *w.frm);
    const auto& quit = w.frm->regions().item(14);
    w.pressAt(quit.x + 20, quit.y + 12);
    EXPECT_EQ(log.calls, (Strings{"dialog", "checkIfBest"}));
    EXPECT_FALSE(w.session->gamePlaying());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    // "Main Menu" after the game has ended goes straight back, without a second check.
    log.calls.clear();
    w.session->mainMenu();
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
}

TEST_F(ClassicGame, TheSidePanelCommandsReachTheTableTheShellAndTheResults) {
    frmtest::EventLog log(*w.session, *w.frm);
    auto command = [&](int n) {
        const auto& b = w.frm->regions().item(n);
        w.pressAt(b.x + b.wid / 2.0, b.y + b.ht / 2.0);
    };
    command(10);
    EXPECT_EQ(w.hp.ui.modalHistory(), Strings{"Best Scores - Varnook"}) << "the mode's table, modally";
    command(12);
    ASSERT_EQ(w.hp.shell.requests().size(), 1u);
    EXPECT_EQ(w.hp.shell.requests()[0].target, frmtest::binDir() + "Varnook.htm");
    EXPECT_TRUE(w.session->gamePlaying()) << "neither ends the game";
    command(13);
    EXPECT_EQ(log.calls, Strings{"checkIfBest"}) << "Show Solution: the check, and no dialog";
    EXPECT_EQ(w.session->phase(), game::Phase::Results);
}

TEST(SaveAndExit, WaitsWhileNoSavedGameCanBeStored) {
    PlayWindow w;
    w.startClassic(kRow4x4, kSeed);
    w.session->saveAndExit();
    EXPECT_TRUE(w.win().isOpen());
    EXPECT_TRUE(w.session->gamePlaying());
}

TEST(CloseBox, ChecksTheScoreOfAGameOnAndEndsTheProgram) {
    PlayWindow w;
    frmtest::EventLog log(*w.session, *w.frm);
    w.startClassic(kRow4x4, kSeed);
    w.hp.ui.closeBox(w.win());
    EXPECT_EQ(log.calls, Strings{"checkIfBest"});
    EXPECT_FALSE(w.session->gamePlaying());
    EXPECT_FALSE(w.win().isOpen());
}

}  // namespace
