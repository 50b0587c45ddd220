// The session on its own: a recording view and front end, and an engine of six functions in this
// program that always makes the same small puzzle (two words, CAT and DOG). Every ending of both
// modes with its steps in order, the clock at each phase change, a pause at each step, Save and
// Exit, closing, the tenth level, the commands offered, typing, the daily puzzle and hints.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/play/engine_library.h"
#include "game/play/session.h"
#include "game/play/word_notes.h"

namespace {

using game::EndingStep;
using game::GameMode;
using game::Phase;
using Log = std::vector<std::string>;

// --- The engine: row 1 of every board starts with "cat", row 2 with "dog", the rest is "x".
int boardWidth = 6;

std::int32_t QXDLL_CALL loadLangDict(const char*) { return 1; }
std::int32_t QXDLL_CALL makeQXPuzzleA(std::int32_t width, std::int32_t height, std::uint8_t* grid, const std::int32_t*,
                                      std::int32_t, std::int32_t) {
    boardWidth = width;
    std::memset(grid, 'x', static_cast<std::size_t>(width * height));
    std::memcpy(grid, "cat", 3);
    std::memcpy(grid + width, "dog", 3);
    return 2;
}
std::int32_t QXDLL_CALL qxpGetNumWordsInSize(std::int32_t k) { return k == 2 ? 2 : 0; }
std::int32_t QXDLL_CALL qxpGetWord(std::int32_t k, std::int32_t n, char* word, std::uint8_t* path) {
    if (k != 2 || n < 1 || n > 2) return 0;
    std::memcpy(word, n == 1 ? "cat" : "dog", 4);
    for (int i = 0; i < 3; ++i) path[i] = static_cast<std::uint8_t>((n - 1) * boardWidth + i);
    return 3;
}
void QXDLL_CALL clearMemory() {}
std::int32_t QXDLL_CALL recreatePuzzle(std::int32_t width, std::int32_t, const std::uint8_t*, const std::int32_t*,
                                       std::int32_t) {
    boardWidth = width;
    return 2;
}

game::EngineLibrary& fakeEngine() {
    static const auto engine = [] {
        qxdll::Exports exports;
        exports.loadLangDict = loadLangDict;
        exports.makeQXPuzzleA = makeQXPuzzleA;
        exports.qxpGetNumWordsInSize = qxpGetNumWordsInSize;
        exports.qxpGetWord = qxpGetWord;
        exports.clearMemory = clearMemory;
        exports.recreatePuzzle = recreatePuzzle;
        return game::EngineLibrary::fromExports(exports);
    }();
    return *engine;
}

const char* name(Phase p) {
    switch (p) {
        case Phase::Menu: return "Menu";
        case Phase::Playing: return "Playing";
        case Phase::Paused: return "Paused";
        case Phase::Ending: return "Ending";
        case Phase::Results: return "Results";
        case Phase::Closing: return "Closing";
    }
    return "?";
}

// Records what the session tells and asks, in order; the windows asked for stay up until the test
// closes them.
class Recorder final : public game::SessionView, public game::SessionFrontEnd {
public:
    void phaseChanged(Phase from, Phase to) override { log.push_back(std::string(name(from)) + ">" + name(to)); }
    void clockChanged(bool running) override { log.push_back(running ? "clock on" : "clock off"); }
    void gameReady() override { log.push_back("game"); }
    void resultsReady() override { log.push_back("results"); }
    void chainChanged(std::optional<game::linking::Press>, int) override {}
    void letterRefused(char32_t letter) override { log.push_back("refused " + std::string(1, static_cast<char>(letter))); }
    void wordAnswered(const game::words::Submission&) override {}
    void timeChanged() override {}
    void scoreChanged() override { log.push_back("score"); }
    void solutionShown(int) override {}
    void playSound(game::Effect) override {}
    void showEndingWindow(const game::EndingWindow& w) override {
        asked = w;
        if (w.step == EndingStep::EndDialog)
            log.push_back("dialog " + std::to_string(static_cast<int>(w.text.id)));
        else
            log.push_back("offer " + std::to_string(w.score));
    }
    game::SaveOutcome saveGame() override {
        log.push_back("save");
        return saveOutcome;
    }
    void exitProgram() override { log.push_back("exit"); }
    void gameEnded(const game::GameSummary& summary) override { ended.push_back(summary); }
    void dailyProgressChanged() override { ++kept; }
    void hintGiven(const std::optional<game::Hint>& hint) override { hints.push_back(hint); }

    Log log;
    std::vector<game::GameSummary> ended;  // what the statistics were given to count
    int kept = 0;                          // times the daily game was given to keep
    std::vector<std::optional<game::Hint>> hints;
    std::optional<game::EndingWindow> asked;
    game::SaveOutcome saveOutcome = game::SaveOutcome::Saved;
};

class SessionTest : public ::testing::Test {
protected:
    SessionTest() : session(game, fakeEngine(), nullptr) {
        session.setView(&rec);
        session.setFrontEnd(&rec);
    }

    const game::GameData& g() const { return session.game(); }
    int width() const { return g().gridWidth(); }
    // The cells of CAT (row 1) and DOG (row 2).
    std::vector<int> cat() const { return {1, 2, 3}; }
    std::vector<int> dog() const { return {width() + 1, width() + 2, width() + 3}; }
    void submit(const std::vector<int>& cells) {
        for (int c : cells) session.pressCell(c);
        session.enter();
    }
    // Closes the window asked for, as the player would.
    void closeWindow() {
        ASSERT_TRUE(rec.asked.has_value()) << "no window was asked for";
        rec.asked.reset();
        session.endingWindowClosed();
    }
    // The log since the last call.
    Log take() { return std::exchange(rec.log, {}); }

    game::GameData game;
    Recorder rec;
    game::Session session;
};

// --- Every ending, its steps in order and the clock at each phase change ------------------------

TEST_F(SessionTest, ClassicEndingsTakeTheirStepsInOrderWithTheirTexts) {
    // Every word found: the dialog, then the offer, then the menu.
    session.startClassic();
    EXPECT_EQ(take(), (Log{"game", "Menu>Playing"}));
    submit(cat());
    submit(dog());
    EXPECT_EQ(take(), (Log{"Playing>Ending", "dialog 110"}));
    EXPECT_EQ(session.endingSteps(), (std::deque<EndingStep>{EndingStep::EndDialog, EndingStep::BestScoreOffer, EndingStep::Menu}));
    closeWindow();
    EXPECT_EQ(take(), (Log{"offer 12"}));
    closeWindow();
    EXPECT_EQ(take(), (Log{"Ending>Menu"}));
    EXPECT_TRUE(session.endingSteps().empty());

    // Quit: the percentage dialog, the offer, the menu.
    session.startClassic();
    submit(cat());
    take();
    session.quitGame();
    EXPECT_EQ(take(), (Log{"Playing>Ending", "dialog 111"}));
    closeWindow();
    closeWindow();
    EXPECT_EQ(take(), (Log{"offer 6", "Ending>Menu"}));

    // Show Solution: no dialog; the offer, then the results with every solution listed.
    session.startClassic();
    take();
    session.showSolution();
    EXPECT_EQ(take(), (Log{"Playing>Ending", "offer 0"}));
    closeWindow();
    EXPECT_EQ(take(), (Log{"results", "Ending>Results"}));
    EXPECT_EQ(session.listMode(), game::results::ListMode::Solutions);
    EXPECT_EQ(g().allSolutionWords().size(), 2);
    session.mainMenu();
    EXPECT_EQ(take(), (Log{"Results>Menu"}));
}

TEST_F(SessionTest, ArcadeEndingsStopTheClockBeforeAnyWindowAndTheBonusFollowsTheDialog) {
    session.startArcade();
    EXPECT_EQ(take(), (Log{"game", "clock on", "Menu>Playing"}));
    session.tick();
    submit(cat());
    submit(dog());
    EXPECT_EQ(take(), (Log{"clock off", "Playing>Ending", "dialog 112"}));
    EXPECT_EQ(g().score(), 12) << "no bonus while the dialog is up";
    closeWindow();
    EXPECT_EQ(take(), (Log{"score", "game", "clock on", "Ending>Playing"}));
    EXPECT_EQ(g().score(), 12 + game::flow::levelBonus(2999, 1));
    EXPECT_EQ(g().arcadeLevel(), 2);
    EXPECT_EQ(g().timeLeft(), game::kLevelTime);

    // Time up: the game-over dialog, the offer, the results.
    for (int t = 0; t < game::kLevelTime; ++t) session.tick();
    EXPECT_EQ(take(), (Log{"clock off", "Playing>Ending", "dialog 115"}));
    closeWindow();
    closeWindow();
    EXPECT_EQ(take(), (Log{"offer " + std::to_string(g().score()), "results", "Ending>Results"}));
    session.tick();
    EXPECT_TRUE(take().empty()) << "nothing ticks on the results";

    // Quit from Arcade: the game-over dialog, the offer, the menu; Show Solution: offer, results.
    session.startArcade();
    take();
    session.quitGame();
    closeWindow();
    closeWindow();
    EXPECT_EQ(take(), (Log{"clock off", "Playing>Ending", "dialog 115", "offer 0", "Ending>Menu"}));
    session.startArcade();
    take();
    session.showSolution();
    closeWindow();
    EXPECT_EQ(take(), (Log{"clock off", "Playing>Ending", "offer 0", "results", "Ending>Results"}));
}

TEST_F(SessionTest, TheTenthLevelWonCompletesTheRunWithTheBonusInTheOfferedScore) {
    session.startArcade();
    for (int level = 1; level <= 9; ++level) {
        submit(cat());
        submit(dog());
        closeWindow();
    }
    ASSERT_EQ(g().arcadeLevel(), 10);
    EXPECT_EQ(g().gridWidth(), game::level(10).width);
    take();
    submit(cat());
    submit(dog());
    const std::int32_t bonus = game::flow::levelBonus(game::kLevelTime, 10);
    const std::int32_t before = g().score();
    EXPECT_EQ(take(), (Log{"clock off", "Playing>Ending", "dialog 113"}));
    closeWindow();
    closeWindow();
    EXPECT_EQ(take(), (Log{"score", "offer " + std::to_string(before + bonus), "Ending>Menu"}));
}

// --- Pause and minimise at each step ------------------------------------------------------------

// An Arcade level won, the window minimised under the dialog: the next level starts paused and its
// clock waits for the player; restoring does not resume, a resume does.
TEST_F(SessionTest, WhatFollowsAnEndingPausedUnderItsWindowsComesPaused) {
    session.startArcade();
    submit(cat());
    submit(dog());
    take();
    session.setMinimized(true);
    EXPECT_EQ(take(), (Log{"Ending>Paused"}));
    EXPECT_TRUE(session.ending());
    closeWindow();
    EXPECT_EQ(take(), (Log{"score", "game"}));
    EXPECT_TRUE(session.gamePlaying());
    EXPECT_TRUE(session.paused());
    session.setMinimized(false);
    session.tick();
    EXPECT_EQ(g().timeLeft(), game::kLevelTime);
    session.resume();
    EXPECT_EQ(take(), (Log{"clock on", "Paused>Playing"}));

    // Each step of a time-up ending in turn: paused before the dialog closes, or before the offer
    // closes. The results come paused; a resume shows them.
    for (int closedFirst = 0; closedFirst <= 1; ++closedFirst) {
        session.startArcade();
        for (int t = 0; t < game::kLevelTime; ++t) session.tick();
        for (int i = 0; i < closedFirst; ++i) closeWindow();
        session.pause();
        while (!session.endingSteps().empty()) closeWindow();
        EXPECT_TRUE(session.showingResults()) << closedFirst;
        EXPECT_TRUE(session.paused()) << closedFirst;
        session.resume();
        EXPECT_EQ(session.phase(), Phase::Results);
        session.mainMenu();
    }

    // An ending that leads to the menu leaves the pause behind.
    session.startClassic();
    session.quitGame();
    session.pause();
    closeWindow();
    closeWindow();
    EXPECT_EQ(session.phase(), Phase::Menu);
}

// --- Save and Exit, closing ---------------------------------------------------------------------

TEST_F(SessionTest, SaveAndExitEndsTheProgramOnlyWhenTheGameWasSaved) {
    session.startArcade();
    take();
    rec.saveOutcome = game::SaveOutcome::Failed;
    session.saveAndExit();
    EXPECT_EQ(take(), (Log{"save"})) << "the game goes on, its clock running";
    EXPECT_TRUE(session.clockRuns());
    rec.saveOutcome = game::SaveOutcome::Unavailable;
    session.saveAndExit();
    EXPECT_EQ(take(), (Log{"save"}));
    EXPECT_EQ(session.phase(), Phase::Playing);
    rec.saveOutcome = game::SaveOutcome::Saved;
    session.saveAndExit();
    EXPECT_EQ(take(), (Log{"save", "clock off", "Playing>Closing", "exit"})) << "no best-score offer";
}

TEST_F(SessionTest, ClosingOffersAGameOnAndDropsTheRestOfAnEndingUnderWay) {
    session.startClassic();
    submit(cat());
    take();
    session.close();
    EXPECT_EQ(take(), (Log{"Playing>Ending", "offer 6"}));
    closeWindow();
    EXPECT_EQ(take(), (Log{"Ending>Closing"}));

    game::GameData other;
    Recorder r2;
    game::Session s2(other, fakeEngine(), nullptr);
    s2.setView(&r2);
    s2.setFrontEnd(&r2);
    s2.startClassic();
    s2.quitGame();
    r2.log.clear();
    s2.close();
    s2.endingWindowClosed();  // the dialog closes after the program began to end
    EXPECT_EQ(r2.log, (Log{"Ending>Closing"}));
}

// --- Commands -----------------------------------------------------------------------------------

TEST_F(SessionTest, EachSurfaceOffersItsOwnCommands) {
    using game::Command;
    auto offered = [&] {
        std::string s;
        for (Command c : {Command::Classic, Command::Exit, Command::HallOfFame, Command::Pause, Command::MainMenu,
                          Command::ShowSolution, Command::QuitGame, Command::SaveAndExit, Command::Enter, Command::Clear})
            s += session.available(c) ? '1' : '0';
        return s;
    };
    EXPECT_EQ(offered(), "1100000000");
    session.startClassic();
    EXPECT_EQ(offered(), "0011111111");
    session.quitGame();
    EXPECT_EQ(offered(), "0000000000") << "nothing while the ending's windows are up";
    game::GameData other;
    game::Session results(other, fakeEngine(), nullptr);
    results.startClassic();
    results.showSolution();  // without a front end the offer counts as closed at once
    ASSERT_EQ(results.phase(), Phase::Results);
    for (Command c : {Command::HallOfFame, Command::Pause, Command::Instructions, Command::MainMenu})
        EXPECT_TRUE(results.available(c));
    for (Command c : {Command::ShowSolution, Command::QuitGame, Command::SaveAndExit, Command::Enter, Command::Clear})
        EXPECT_FALSE(results.available(c));
}

// --- Typing -------------------------------------------------------------------------------------

TEST_F(SessionTest, AfterARefusedTypedWordTheNextTypedLetterStartsANewChain) {
    session.startClassic();
    take();
    // "TGX" links (down from T, then right) but is no word.
    for (char32_t c : U"tgx") session.typeLetter(c);
    ASSERT_EQ(g().curWordLen(), 3);
    session.enterKey();
    ASSERT_EQ(g().curWordLen(), 3) << "a refused word stays linked";
    for (char32_t c : U"cat") session.typeLetter(c);
    EXPECT_TRUE(take().empty()) << "no letter refused";
    session.enterKey();
    EXPECT_EQ(g().score(), 6);

    // A letter no path can take is reported and changes nothing.
    session.typeLetter('d');
    session.typeLetter('z');
    EXPECT_EQ(take(), (Log{"refused z"}));
    EXPECT_EQ(g().curWordLen(), 1);

    // A refused chain built by presses stays for the player to mend.
    session.clear();
    submit({3, width() + 3, width() + 4});
    session.typeLetter('c');
    EXPECT_EQ(take(), (Log{"refused c"}));
    EXPECT_EQ(g().curWordLen(), 3);
}

// --- The daily puzzle and hints -------------------------------------------------------------------

game::CommonWords commonCat() {
    const std::string text = "CAT\n";
    return game::CommonWords::parse(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST_F(SessionTest, TheDailyPuzzleEndsWithItsRequiredWordsAndCountsOnceWhenItEnds) {
    const game::CommonWords common = commonCat();
    session.setCommonWords(&common);
    const game::Date day{2026, 12, 8};
    session.startDaily(day);
    ASSERT_NE(session.daily(), nullptr);
    const game::PuzzleNumber number = session.daily()->number;
    EXPECT_EQ(session.daily()->words.required, (std::vector<std::string>{"CAT"}));
    EXPECT_EQ(session.daily()->words.bonus, (std::vector<std::string>{"DOG"}));
    EXPECT_TRUE(session.available(game::Command::Hint));
    take();

    // A bonus word scores and is kept; the day goes on.
    submit(dog());
    EXPECT_EQ(session.phase(), Phase::Playing);
    EXPECT_EQ(session.dailyProgress().bonusFound, 1);
    EXPECT_EQ(rec.kept, 1);
    // Hints: the unfound required word's length and first letter, then its first two letters and cells.
    session.hint();
    session.hint();
    ASSERT_EQ(rec.hints.size(), 2u);
    ASSERT_TRUE(rec.hints[0] && rec.hints[1]);
    EXPECT_EQ(rec.hints[0]->letters, "C");
    EXPECT_EQ(rec.hints[0]->length, 3);
    EXPECT_EQ(rec.hints[1]->letters, "CA");
    EXPECT_EQ(rec.hints[1]->cells, (std::vector<int>{1, 2}));
    EXPECT_EQ(session.hints().hintsUsed, 2);
    EXPECT_EQ(rec.kept, 3) << "each hint is kept with the day's game";

    // Leaving keeps the day uncounted, without a window; it goes on from where it was left.
    session.quitGame();
    EXPECT_EQ(take(), (Log{"Playing>Ending", "Ending>Menu"}));
    EXPECT_TRUE(rec.ended.empty());
    session.startDaily(day, game::DailyResume{{"DOG", "NOTAWORD"}, 6, 2});
    EXPECT_EQ(session.daily()->number, number) << "the same day, the same board";
    EXPECT_EQ(g().numFoundWords(), 1);
    EXPECT_EQ(g().score(), 6);
    take();

    // The last required word ends the day: its own dialog, then the results (no Hall of Fame).
    submit(cat());
    EXPECT_EQ(take(), (Log{"Playing>Ending", "dialog 110"}));
    ASSERT_TRUE(rec.asked && rec.asked->daily);
    EXPECT_EQ(*rec.asked->daily, day);
    EXPECT_EQ(rec.asked->hints, 2);
    EXPECT_EQ(rec.asked->progress.requiredFound, 1);
    closeWindow();
    EXPECT_EQ(take(), (Log{"results", "Ending>Results"}));
    ASSERT_EQ(rec.ended.size(), 1u);
    EXPECT_EQ(rec.ended[0].mode, game::StatsMode::Daily);
    EXPECT_TRUE(rec.ended[0].finished);
    EXPECT_EQ(rec.ended[0].day, game::dayNumber(day));
    EXPECT_EQ(rec.ended[0].requiredFound, 1);
    EXPECT_TRUE(session.available(game::Command::Copy));
    const auto facts = session.shareFacts();
    ASSERT_TRUE(facts);
    EXPECT_EQ(game::shareText(*facts), "Varnook daily 2026-12-08 (" + game::puzzleNumberText(number) +
                                           "): 1/1 words, 1 bonus, 2 hints, 12 points");

    // Another day, another board; giving it up counts it unfinished and shows the results.
    session.mainMenu();
    session.startDaily(game::Date{2026, 12, 9});
    EXPECT_NE(session.daily()->number, number);
    take();
    session.showSolution();
    EXPECT_EQ(take(), (Log{"Playing>Ending", "results", "Ending>Results"}));
    ASSERT_EQ(rec.ended.size(), 2u);
    EXPECT_FALSE(rec.ended[1].finished);
}

TEST_F(SessionTest, AClassicGamePlayedWithHintsScoresButIsNotOfferedToTheHallOfFame) {
    session.startArcade();
    EXPECT_FALSE(session.available(game::Command::Hint));
    session.hint();
    EXPECT_TRUE(rec.hints.empty()) << "Arcade has no hints";
    session.quitGame();
    closeWindow();
    closeWindow();

    session.startClassic();
    EXPECT_EQ(session.hints().hintsUsed, 0) << "a new game starts without hints";
    session.hint();
    ASSERT_EQ(rec.hints.size(), 1u);
    EXPECT_EQ(rec.hints[0]->word, "CAT") << "the shortest unfound word, alphabetically first";
    take();
    submit(cat());
    submit(dog());
    EXPECT_EQ(take(), (Log{"Playing>Ending", "dialog 110"}));
    EXPECT_EQ(rec.asked->hints, 1);
    closeWindow();
    EXPECT_EQ(take(), (Log{"Ending>Menu"})) << "no offer to the Hall of Fame";
    ASSERT_EQ(rec.ended.size(), 2u);
    EXPECT_EQ(rec.ended[1].mode, game::StatsMode::Classic);
    EXPECT_TRUE(rec.ended[1].finished);
    EXPECT_EQ(rec.ended[1].score, 12);
    session.hint();
    EXPECT_EQ(rec.hints.size(), 1u) << "no hint on the menu";
}

}  // namespace
