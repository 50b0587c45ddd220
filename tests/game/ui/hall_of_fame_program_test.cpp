// Best scores in the running program: the applause, the name dialog and the table when a score
// ranks, the sound switch, the tables from the menu and the side panel, "Clear Scores", and what
// reaches the store at exit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/persistence/hall_of_fame.h"
#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/records_desk.h"
#include "game/ui/side_panel.h"
#include "game/ui/sound_effects.h"
#include "records_program_fixture.h"
#include "ui_test_support.h"

namespace recordstest {
namespace {

using game::GameMode;
using game::ui::FrmPlay;
using game::ui::FrmStats;
using platform::HeadlessWindow;
using Strings = std::vector<std::string>;

FrmStats& tableOf(HeadlessWindow& w) { return dynamic_cast<FrmStats&>(w.handler()); }

class HallOfFameRun : public ProgramTest {
protected:
    // The name dialog types name and presses Enter; the table is looked at and closed with Enter.
    void answerWith(std::u32string name) {
        responders[kNameCaption] = [this, name](HeadlessWindow& w) {
            nameDialogSaw.push_back(hp->sound.playing());
            tablesOpenUnderNameDialog = 0;
            for (auto* open : hp->ui.openWindows()) tablesOpenUnderNameDialog += open->caption() == kTableCaption;
            type(w, name);
            hp->ui.keyPress(w, platform::key::kEnter);
        };
        responders[kTableCaption] = [this](HeadlessWindow& w) {
            FrmStats& t = tableOf(w);
            tablesShown.push_back(t.modeNum);
            tableSaw.push_back(hp->sound.playing());
            hp->ui.keyPress(w, platform::key::kEnter);
        };
    }
    game::persistence::HallOfFameTable& table(GameMode mode) { return *program().settings.hallOfFame.table(mode); }

    std::vector<std::string> nameDialogSaw;  // the sound playing when the name dialog came up
    std::vector<std::string> tableSaw;
    std::vector<int> tablesShown;
    int tablesOpenUnderNameDialog = -1;
};

TEST_F(HallOfFameRun, ClosingMidGameOffersTheScoreBeforeTheSettingsAreWritten) {
    start();
    EXPECT_TRUE(modalsAsked.empty()) << "a fresh store offers no saved game";
    startClassic();
    submit(3);
    submit(4);
    const std::int32_t score = game().score();
    ASSERT_GT(score, 0);
    const std::string clap = program().appPath + "CLAP.wav";
    heard();
    answerWith(U"Ada Lovelace");
    closeWindow();

    EXPECT_EQ(modalsAsked, (Strings{kNameCaption, kTableCaption}));
    // Applause just before the name dialog, still running under the table, stopped when it closes.
    EXPECT_EQ(nameDialogSaw, Strings{clap});
    EXPECT_EQ(tableSaw, Strings{clap});
    EXPECT_EQ(hp->sound.playing(), "");
    EXPECT_EQ(hp->sound.stopCount(), 1);
    EXPECT_EQ(heard(), Strings{"CLAP.wav"});
    EXPECT_EQ(tablesShown, std::vector<int>{1});

    // The next start reads the new entry back.
    start();
    EXPECT_EQ(table(GameMode::Classic).score(1), score);
    EXPECT_EQ(table(GameMode::Classic).name(1), "Ada Lovelace");
    EXPECT_EQ(table(GameMode::Classic).score(2), 0);
    EXPECT_EQ(table(GameMode::Arcade).score(1), 0);
    const auto name = stored(kSettingsKey, "STATS11");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(std::string(name->begin(), name->end()), std::string("Ada Lovelace") + '\0');
}

TEST_F(HallOfFameRun, ANameOf25CharactersIsKept19AndAnEmptyOneBecomesADash) {
    start();
    startClassic();
    submit(3);
    answerWith(U"abcdefghijklmnopqrstuvwxy\u0416");
    command(static_cast<int>(game::Command::QuitGame));
    EXPECT_EQ(table(GameMode::Classic).name(1), "abcdefghijklmnopqrs");
    EXPECT_EQ(frm().view(), FrmPlay::View::Menu);
    EXPECT_FALSE(session().gamePlaying());

    // A second game with more points ranks first with an empty name; the first moves down.
    startClassic();
    submit(3);
    submit(4);
    answerWith(U"");
    command(static_cast<int>(game::Command::QuitGame));
    EXPECT_EQ(table(GameMode::Classic).name(1), "-");
    EXPECT_EQ(table(GameMode::Classic).name(2), "abcdefghijklmnopqrs");
    EXPECT_EQ(table(GameMode::Classic).score(2), 6);

    // The same score again ranks below the equal one; the side panel's Best Score shows rank 1.
    startClassic();
    EXPECT_EQ(program().desk->bestScore(GameMode::Classic), table(GameMode::Classic).score(1));
    submit(3);
    answerWith(U"Third");
    command(static_cast<int>(game::Command::QuitGame));
    EXPECT_EQ(table(GameMode::Classic).name(3), "Third");
}

TEST_F(HallOfFameRun, ScoresThatDoNotRankBringNoApplauseAndNoDialog) {
    start();
    startClassic();
    heard();
    command(static_cast<int>(game::Command::QuitGame));  // score 0 on a fresh table
    EXPECT_EQ(modalsAsked, Strings{kEndCaption});
    EXPECT_TRUE(heard().empty());
    EXPECT_FALSE(session().gamePlaying());
}

TEST_F(HallOfFameRun, TheMainSwitchSilencesTheApplauseButNotTheDialogsAndIsKept) {
    start();
    startClassic();
    pressCentre(frm().regions().soundBox);
    EXPECT_EQ(program().sounds->soundOptions[0], 0);
    submit(3);
    answerWith(U"Quiet");
    command(static_cast<int>(game::Command::QuitGame));
    EXPECT_EQ(modalsAsked, (Strings{kEndCaption, kNameCaption, kTableCaption}));
    EXPECT_TRUE(heard().empty()) << "no click, no right-word sound, no applause";
    EXPECT_EQ(table(GameMode::Classic).name(1), "Quiet");
    closeWindow();

    // The switch is stored; the other six come back as they were, and a new game shows it off.
    start();
    EXPECT_EQ(program().sounds->soundOptions, (game::SoundOptions{0, 1, 1, 1, 1, 1, 1}));
    startClassic();
    EXPECT_EQ(frm().regions().soundBox.state, 0);
    submit(3);
    EXPECT_TRUE(heard().empty());

    // Switched on again: each new effect replaces the one playing.
    pressCentre(frm().regions().soundBox);
    const auto& board = frm().regions().boardBox;
    hp->ui.click(mainWindow(), board.x + 22.0, board.y + 22.0);
    EXPECT_EQ(hp->sound.playing(), program().appPath + "CLICK.wav");
    hp->ui.click(mainWindow(), board.x + 22.0, board.y + 22.0);
    EXPECT_EQ(hp->sound.playing(), program().appPath + "UNCLICK.wav");
    EXPECT_EQ(heard(), (Strings{"CLICK.wav", "UNCLICK.wav"}));
}

TEST_F(HallOfFameRun, TheMenuTableStaysOpenBesideTheGameAndMakesWayForARankingOne) {
    start();
    menu(static_cast<int>(game::Command::HallOfFameArcade));
    HeadlessWindow* modeless = hp->ui.findWindow(kTableCaption);
    ASSERT_NE(modeless, nullptr);
    EXPECT_TRUE(modeless->isVisible());
    EXPECT_EQ(hp->ui.activeModal(), nullptr) << "shown without blocking";
    EXPECT_EQ(tableOf(*modeless).modeNum, 2);

    // The main window still plays while it is open.
    startClassic();
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_TRUE(modeless->isOpen());
    submit(3);
    answerWith(U"Ada");
    command(static_cast<int>(game::Command::QuitGame));
    EXPECT_EQ(modalsAsked, (Strings{kEndCaption, kNameCaption, kTableCaption}));
    EXPECT_EQ(tablesOpenUnderNameDialog, 0) << "the menu's table was closed before the name dialog";
    EXPECT_EQ(tablesShown, std::vector<int>{1});
    EXPECT_EQ(hp->ui.findWindow(kTableCaption), nullptr);

    // Asking the menu for the other table replaces an open one.
    menu(static_cast<int>(game::Command::HallOfFameClassic));
    menu(static_cast<int>(game::Command::HallOfFameArcade));
    int open = 0;
    for (auto* w : hp->ui.openWindows()) open += w->caption() == kTableCaption;
    EXPECT_EQ(open, 1);
    EXPECT_EQ(tableOf(*hp->ui.findWindow(kTableCaption)).modeNum, 2);
}

TEST_F(HallOfFameRun, TheSettingsRecordGoesBackAsItCameUntilAGameIsPlayed) {
    // A fresh record carries mode 0 and level 0, the values before any game.
    start();
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "SOLVINGDATA"), std::vector<std::uint8_t>(14, 0));

    // Mode 7 and level 50 are not the game's, but they are written back unchanged.
    std::vector<std::uint8_t> odd{2, 0, 7, 0, 50, 0, 1, 2, 3, 4, 5, 6, 1, 0};
    putStored(kSettingsKey, "SOLVINGDATA", odd);
    start();
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "SOLVINGDATA"), odd);

    // A game played takes its mode and level into the record.
    start();
    startArcade();
    command(static_cast<int>(game::Command::QuitGame));
    closeWindow();
    odd[2] = 2;
    odd[4] = 1;
    EXPECT_EQ(stored(kSettingsKey, "SOLVINGDATA"), odd);
}

TEST_F(HallOfFameRun, ASecondCopyOfTheGameKeepsTheBestScoresOfTheFirst) {
    // Copy B starts and idles on the menu; copy A ranks a score meanwhile; then B exits.
    start();
    auto copyB = std::move(program_);
    auto storeB = std::move(store_);
    auto hpB = std::move(hp);
    start();
    startClassic();
    submit(3);
    answerWith(U"First copy");
    command(static_cast<int>(game::Command::QuitGame));
    closeWindow();
    hpB->ui.closeBox(*copyB->frmPlay->window());
    copyB.reset();
    storeB.reset();

    start();
    EXPECT_EQ(table(GameMode::Classic).name(1), "First copy");
    EXPECT_GT(table(GameMode::Classic).score(1), 0);
}

TEST_F(HallOfFameRun, WhatTheStoreCannotTakeIsMarkedKeptAndAskedAboutAtExit) {
    namespace fs = std::filesystem;
    const fs::path folder = platform::FileStore::defaultFolder();
    const fs::path away = folder.string() + "-away";
    // The store's folder gives way to a plain file (as a folder that cannot be written): no write,
    // no lock.
    auto refuse = [&] {
        fs::create_directories(folder);
        fs::rename(folder, away);
        std::ofstream(folder) << "not a folder";
    };
    auto giveBack = [&] {
        fs::remove(folder);
        fs::rename(away, folder);
    };
    const std::string kUnsavedCaption = "Not Saved";
    std::vector<std::string> asked;     // the box's text, each time it is asked
    std::vector<std::string> captions;  // the main window's meanwhile

    start();
    startClassic();
    EXPECT_NE(mainWindow().caption(), kMainCaption) << "the puzzle's number during the game";
    pressCentre(frm().regions().soundBox);
    submit(3);
    refuse();
    answerWith(U"Ada");
    command(static_cast<int>(game::Command::QuitGame));
    EXPECT_EQ(table(GameMode::Classic).name(1), "Ada");
    EXPECT_TRUE(table(GameMode::Classic).unsaved[0]) << "the table marks it";
    EXPECT_TRUE(hp->ui.messages().empty()) << "no failure told for a score that is still kept";

    // EXIT: asked what would be lost; "Try Again" with the store still refusing asks again; with
    // the store back, "Try Again" writes it all.
    responders[kUnsavedCaption] = [&](HeadlessWindow& w) {
        asked.push_back(dynamic_cast<game::ui::DiagUnsaved&>(w.handler()).text());
        captions.push_back(frm().window()->caption());
        if (asked.size() == 2) giveBack();
        hp->ui.keyPress(w, platform::key::kEnter);
    };
    menu(static_cast<int>(game::Command::Exit));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0].find("Classic Mode: " + std::to_string(table(GameMode::Classic).score(1)) + " points, Ada"),
              std::string::npos)
        << asked[0];
    EXPECT_NE(asked[0].find("the sound switch"), std::string::npos) << asked[0];
    EXPECT_EQ(captions, (Strings{kMainCaption, kMainCaption})) << "no puzzle's number once the program closes";
    EXPECT_TRUE(hp->ui.messages().empty());
    end();
    start();
    EXPECT_EQ(table(GameMode::Classic).name(1), "Ada");
    EXPECT_EQ(program().sounds->soundOptions[0], 0);

    // "Leave Anyway" (Esc) ends the program without writing.
    startClassic();
    pressCentre(frm().regions().soundBox);  // on again
    refuse();
    responders[kUnsavedCaption] = [&](HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEscape); };
    closeWindow();
    EXPECT_EQ(modalsAsked.back(), kUnsavedCaption);
    giveBack();
    start();
    EXPECT_EQ(program().sounds->soundOptions[0], 0);
}

TEST_F(HallOfFameRun, ClearScoresInTheArcadeTableLeavesTheClassicOne) {
    {
        platform::FileStore store(platform::FileStore::defaultFolder());
        game::persistence::Records records(store);
        game::persistence::HallOfFame tables;
        for (int i = 1; i <= game::persistence::kHallOfFameRanks; ++i) {
            records.insertBestScore(tables, GameMode::Classic, static_cast<std::int16_t>(100 - i),
                                    "C" + std::to_string(i));
            records.insertBestScore(tables, GameMode::Arcade, static_cast<std::int16_t>(900 - i),
                                    "A" + std::to_string(i));
        }
    }

    start();
    EXPECT_EQ(table(GameMode::Arcade).name(8), "A8");
    menu(static_cast<int>(game::Command::HallOfFameArcade));
    HeadlessWindow& w = *hp->ui.findWindow(kTableCaption);
    const auto& clear = tableOf(w).button(2);
    hp->ui.click(w, clear.x + 10, clear.y + 10);
    const auto& ok = tableOf(w).button(1);
    hp->ui.click(w, ok.x + 10, ok.y + 10);
    EXPECT_FALSE(w.isOpen());
    closeWindow();

    start();
    for (int i = 1; i <= game::persistence::kHallOfFameRanks; ++i) {
        EXPECT_EQ(table(GameMode::Arcade).score(i), 0);
        EXPECT_EQ(table(GameMode::Arcade).name(i), "Anonoymous");
        EXPECT_EQ(table(GameMode::Classic).score(i), 100 - i);
        EXPECT_EQ(table(GameMode::Classic).name(i), "C" + std::to_string(i));
    }
}

TEST_F(HallOfFameRun, TheSidePanelTableIsModalAndTheClockRunsOnUnderIt) {
    start();
    startArcade();
    ASSERT_TRUE(frm().timrCntDwn().enabled());
    std::int32_t ticked = 0;
    responders[kTableCaption] = [&](HeadlessWindow& w) {
        EXPECT_EQ(hp->ui.activeModal(), &w);
        EXPECT_EQ(tableOf(w).modeNum, 2);
        const std::int32_t opened = game().timeLeft();
        hp->ui.advance(1000);
        ticked = opened - game().timeLeft();
        hp->ui.keyPress(w, platform::key::kEscape);
    };
    command(static_cast<int>(game::Command::HallOfFame));
    EXPECT_EQ(ticked, 10);
    EXPECT_TRUE(session().gamePlaying());
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_EQ(hp->ui.findWindow(kTableCaption), nullptr);
}

TEST_F(HallOfFameRun, TheClockStopsWhileTheNameIsTyped) {
    // Closing the window during an Arcade level: the level's clock must not run out under the
    // name dialog and end the game a second time.
    start();
    startArcade();
    submit(3);
    responders[kNameCaption] = [&](HeadlessWindow& w) {
        hp->ui.advance(400'000);
        type(w, U"Slow");
        hp->ui.keyPress(w, platform::key::kEnter);
    };
    responders[kTableCaption] = [&](HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEnter); };
    closeWindow();
    EXPECT_EQ(modalsAsked, (Strings{kNameCaption, kTableCaption}));
    start();
    EXPECT_EQ(table(GameMode::Arcade).name(1), "Slow");
    EXPECT_EQ(table(GameMode::Arcade).name(2), "Anononymous") << "entered once";
}

}  // namespace
}  // namespace recordstest
