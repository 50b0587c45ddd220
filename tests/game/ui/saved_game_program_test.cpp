// The saved game in the running program: "Save and Exit", the offer at the next start, the game put
// back on screen as it was (Classic and Arcade, with and without words), declining, consuming the
// record before drawing, and records that do not check out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "frm_play_fixture.h"
#include "game/persistence/records.h"
#include "game/play/engine_library.h"
#include "game/play/flow.h"
#include "game/play/puzzle.h"
#include "game/play/words.h"
#include "game/ui/palette.h"
#include "game/ui/side_panel.h"
#include "game_builder.h"
#include "memory_store.h"
#include "records_program_fixture.h"
#include "ui_test_support.h"
#include "unavailable_store.h"

namespace recordstest {
namespace {

using game::GameMode;
using game::ui::FrmPlay;
using platform::HeadlessWindow;
using platform::Rect;
using Strings = std::vector<std::string>;

constexpr int kSaveAndExit = static_cast<int>(game::Command::SaveAndExit);
const std::vector<std::uint8_t> kStored{1};
const std::vector<std::uint8_t> kConsumed{0};

Rect rectOf(const game::ui::BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

bool samePixels(const platform::Surface& a, const platform::Surface& b, const Rect& r) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

std::vector<std::string> foundWords(const game::GameData& g) {
    std::vector<std::string> words;
    for (int i = 1; i <= g.numFoundWords(); ++i) words.push_back(g.foundWords()[i]);
    return words;
}

class SavedGameRun : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        answer(platform::key::kEnter);
        // A name dialog at "Save and Exit" would be a fault; it is answered so that the test can say so.
        responders[kNameCaption] = [this](HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEnter); };
        responders[kTableCaption] = [this](HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEnter); };
    }
    // How the saved-game question is answered: Enter ("Yes") or Esc ("No thanks").
    void answer(char32_t key) {
        responders[kQuestionCaption] = [this, key](HeadlessWindow& w) { hp->ui.keyPress(w, key); };
    }
    // "Save and Exit": the program closes.
    void saveAndExit() {
        command(kSaveAndExit);
        EXPECT_FALSE(frm().window()->isOpen()) << "the program closes";
        end();
    }

    // What the game looked like when it was saved.
    struct Snapshot {
        std::vector<std::uint8_t> letters;
        std::vector<std::string> words;
        std::int32_t score = 0;
        std::int32_t levelScore = 0;
        std::int32_t timeLeft = 0;
        std::int32_t targetPoints = 0;
        std::int16_t arcadeLevel = 0;
        GameMode mode = GameMode::Classic;
        platform::PixelSurface screen;
    };
    Snapshot take() {
        Snapshot s;
        s.letters = game().gridLetters().raw();
        s.words = foundWords(game());
        s.score = game().score();
        s.levelScore = game().levelScore();
        s.timeLeft = game().timeLeft();
        s.targetPoints = game().targetPoints();
        s.arcadeLevel = game().arcadeLevel();
        s.mode = game().gameMode();
        s.screen.assign(mainWindow().screen());
        return s;
    }
    void expectResumed(const Snapshot& s) {
        EXPECT_EQ(frm().view(), FrmPlay::View::Play);
        EXPECT_TRUE(session().gamePlaying());
        EXPECT_EQ(game().gameMode(), s.mode);
        EXPECT_EQ(game().gridLetters().raw(), s.letters);
        EXPECT_EQ(foundWords(game()), s.words);
        EXPECT_EQ(game().score(), s.score);
        EXPECT_EQ(game().levelScore(), s.levelScore);
        EXPECT_EQ(game().arcadeLevel(), s.arcadeLevel);
        EXPECT_EQ(game().targetPoints(), s.targetPoints);
        EXPECT_EQ(game().curWordLen(), 0);
        EXPECT_EQ(stored(kSaveKey, "ISSTORED"), kConsumed);
        // The board, the found list, the statistics and the score read as before.
        const auto& r = frm().regions();
        EXPECT_TRUE(samePixels(mainWindow().screen(), s.screen, rectOf(r.boardBox))) << "board";
        EXPECT_TRUE(samePixels(mainWindow().screen(), s.screen,
                               Rect{r.listBox.x, r.listBox.y, r.listBox.x + 120, r.listBox.y + 260}))
            << "found list";
        EXPECT_TRUE(samePixels(mainWindow().screen(), s.screen, rectOf(r.item(game::ui::kScoreItem)))) << "score";
        EXPECT_TRUE(samePixels(mainWindow().screen(), s.screen, rectOf(r.barBox))) << "progress bar";
    }
};

TEST_F(SavedGameRun, AClassicGameWithWordsComesBackAsItWasAndSaveAndExitNeverAsksForAName) {
    start();
    startClassic();
    submit(4);
    submit(3);
    submit(3, 2);
    ASSERT_EQ(game().numFoundWords(), 3);
    const Snapshot before = take();
    saveAndExit();
    EXPECT_TRUE(modalsAsked.empty()) << "a score of " << before.score << " ranks on a fresh table, yet no name dialog";
    EXPECT_EQ(stored(kSaveKey, "ISSTORED"), kStored);

    start();
    EXPECT_EQ(modalsAsked, Strings{kQuestionCaption});
    expectResumed(before);
    EXPECT_FALSE(frm().timrCntDwn().enabled()) << "Classic Mode has no clock";
    EXPECT_EQ(program().settings.hallOfFame.bestScore(GameMode::Classic), 0);

    // The resumed game plays on: a word found before is a repeat, a new one scores.
    const std::int32_t score = game().score();
    submit(4);
    EXPECT_EQ(game().score(), score);
    command(static_cast<int>(game::Command::Clear));  // a repeated word stays linked
    submit(3, 3);
    EXPECT_EQ(game().numFoundWords(), 4);
    EXPECT_EQ(game().score(), score + 6);

    // Not offered again once taken.
    closeWindow();
    modalsAsked.clear();
    start();
    EXPECT_EQ(std::count(modalsAsked.begin(), modalsAsked.end(), kQuestionCaption), 0);
    EXPECT_EQ(frm().view(), FrmPlay::View::Menu);
}

TEST_F(SavedGameRun, AGameWithNoWordsComesBackWithAnEmptyList) {
    start();
    startClassic(5, 77);  // a 6 x 4 board
    const Snapshot before = take();
    saveAndExit();
    EXPECT_EQ(stored(kSaveKey, "FOUNDWORDS"), std::vector<std::uint8_t>{});
    EXPECT_EQ(stored(kSaveKey, "NWORDSFOUND"), (std::vector<std::uint8_t>{0, 0, 0, 0}));

    start();
    expectResumed(before);
    EXPECT_EQ(game().gridWidth(), 6);
    EXPECT_EQ(game().gridHeight(), 4);
    EXPECT_EQ(game().numFoundWords(), 0);
    const auto& list = frm().regions().listBox;
    EXPECT_EQ(uitest::countOther(mainWindow().screen(), Rect{list.x, list.y, list.x + 120, list.y + 260},
                                 game::ui::brPanel.color),
              0);
}

TEST_F(SavedGameRun, AnArcadeGameRunsOnFromItsStoredClockLevelAndLevelScore) {
    start();
    startArcade();
    ASSERT_EQ(game().gameMode(), GameMode::Arcade);
    hp->ui.advance(12'300);
    ASSERT_EQ(game().timeLeft(), 3000 - 123);
    submit(3);
    submit(4);
    const Snapshot before = take();
    saveAndExit();

    start();
    expectResumed(before);
    EXPECT_EQ(game().timeLeft(), 2877);
    EXPECT_EQ(frm().timerStr(), "4:47.7");
    ASSERT_TRUE(frm().timrCntDwn().enabled());
    EXPECT_EQ(frm().timrCntDwn().interval(), 100);
    // The level's target is capped as for a new level.
    std::int32_t allPoints = 0;
    for (const auto& list : game().wordLists())
        for (int i = 1; i <= list.count(); ++i) allPoints += game::wordPoints(static_cast<int>(list.words[i].size()));
    EXPECT_GT(allPoints, game::level(1).target);
    EXPECT_EQ(game().targetPoints(), game::level(1).target);

    hp->ui.advance(1'000);
    EXPECT_EQ(game().timeLeft(), 2867);
}

TEST_F(SavedGameRun, AnArcadeGameOfALaterLevelKeepsItsLevelAndTarget) {
    // A level 3 game (5 x 5, target 225) with 40 points in the level (four 4-letter words found) and
    // 180 before it.
    game::GameData g;
    g = game::testing::GameBuilder(g).mode(GameMode::Arcade).level(3).build();
    start();
    game::newPuzzle(g, *program().engine, 5, 5, 4321);
    end();
    ASSERT_GE(g.wordsOfLength(4).count(), 4);
    for (int i = 1; i <= 4; ++i) game::words::addFoundWord(g, g.wordsOfLength(4).words[i]);
    g = game::testing::GameBuilder(g).score(220).levelScore(40).timeLeft(1234).build();
    {
        platform::FileStore store(platform::FileStore::defaultFolder());
        ASSERT_TRUE(game::persistence::Records(store).saveGame(g, game::persistence::SolvingData{}));
    }

    start();
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_EQ(game().arcadeLevel(), 3);
    EXPECT_EQ(game().score(), 220);
    EXPECT_EQ(game().levelScore(), 40);
    EXPECT_EQ(game().timeLeft(), 1234);
    EXPECT_EQ(game().targetPoints(), std::min(g.targetPoints(), 225));
    EXPECT_EQ(frm().timerStr(), game::flow::formatTime(1234, game::flow::TimeStyle::LevelStart));
    EXPECT_TRUE(frm().timrCntDwn().enabled());
}

TEST_F(SavedGameRun, DecliningLeavesTheGameForTheNextStart) {
    start();
    startClassic();
    submit(3);
    const Snapshot before = take();
    saveAndExit();

    answer(platform::key::kEscape);
    start();
    EXPECT_EQ(modalsAsked, Strings{kQuestionCaption});
    EXPECT_EQ(frm().view(), FrmPlay::View::Menu);
    EXPECT_FALSE(session().gamePlaying());
    closeWindow();
    EXPECT_EQ(stored(kSaveKey, "ISSTORED"), kStored);

    // The close box of the question counts as no as well.
    responders.erase(kQuestionCaption);
    start();
    EXPECT_EQ(frm().view(), FrmPlay::View::Menu);
    closeWindow();

    answer(platform::key::kEnter);
    modalsAsked.clear();
    start();
    EXPECT_EQ(modalsAsked, Strings{kQuestionCaption});
    expectResumed(before);
}

// Forwards to the headless Ui; the main window's presents are reported to a hook first.
class PresentWatch final : public platform::Ui {
public:
    PresentWatch(platform::HeadlessUi& inner, std::function<void(platform::WindowHandler&)> onPresent)
        : inner_(inner), onPresent_(std::move(onPresent)) {}

    std::unique_ptr<platform::Window> createWindow(platform::WindowHandler& handler,
                                                   const platform::WindowOptions& options) override {
        auto w = inner_.createWindow(handler, options);
        if (options.caption != kMainCaption) return w;
        return std::make_unique<Watched>(std::move(w), handler, onPresent_);
    }
    std::unique_ptr<platform::Timer> createTimer(std::function<void()> onTick) override {
        return inner_.createTimer(std::move(onTick));
    }
    void runModal(platform::Window& window) override { inner_.runModal(window); }
    void run() override { inner_.run(); }
    void quit() override { inner_.quit(); }
    void messageBox(std::string_view caption, std::string_view text) override { inner_.messageBox(caption, text); }
    void sleep(int ms) override { inner_.sleep(ms); }
    long long nowMs() override { return inner_.nowMs(); }
    void setZoom(int zoom) override { inner_.setZoom(zoom); }
    int zoom() const override { return inner_.zoom(); }
    platform::Size desktopSize() const override { return inner_.desktopSize(); }

private:
    class Watched final : public platform::Window {
    public:
        Watched(std::unique_ptr<platform::Window> w, platform::WindowHandler& handler,
                std::function<void(platform::WindowHandler&)>& hook)
            : w_(std::move(w)), handler_(handler), hook_(hook) {}
        void setCaption(std::string_view c) override { w_->setCaption(c); }
        std::string caption() const override { return w_->caption(); }
        void setClientSize(int w, int h) override { w_->setClientSize(w, h); }
        int clientWidth() const override { return w_->clientWidth(); }
        int clientHeight() const override { return w_->clientHeight(); }
        void show() override { w_->show(); }
        void hide() override { w_->hide(); }
        bool isVisible() const override { return w_->isVisible(); }
        void minimize() override { w_->minimize(); }
        void restore() override { w_->restore(); }
        bool isMinimized() const override { return w_->isMinimized(); }
        void present(const platform::Surface& s) override {
            hook_(handler_);
            w_->present(s);
        }
        void close() override { w_->close(); }
        bool isOpen() const override { return w_->isOpen(); }
        void setFullScreen(bool on) override { w_->setFullScreen(on); }
        bool isFullScreen() const override { return w_->isFullScreen(); }

    private:
        std::unique_ptr<platform::Window> w_;
        platform::WindowHandler& handler_;
        std::function<void(platform::WindowHandler&)>& hook_;
    };

    platform::HeadlessUi& inner_;
    std::function<void(platform::WindowHandler&)> onPresent_;
};

TEST_F(SavedGameRun, AcceptingConsumesTheRecordBeforeTheBoardIsDrawn) {
    start();
    startClassic();
    submit(3);
    saveAndExit();

    // At every picture of the play surface that start-up shows, the record is already consumed.
    std::vector<std::vector<std::uint8_t>> seenAtPlayPictures;
    std::unique_ptr<PresentWatch> watch;
    start([&](platform::HeadlessUi& inner) {
        watch = std::make_unique<PresentWatch>(inner, [&](platform::WindowHandler& h) {
            if (static_cast<FrmPlay&>(h).view() == FrmPlay::View::Play)
                seenAtPlayPictures.push_back(stored(kSaveKey, "ISSTORED").value_or(std::vector<std::uint8_t>{9}));
        });
        return watch.get();
    });
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    ASSERT_FALSE(seenAtPlayPictures.empty());
    for (const auto& seen : seenAtPlayPictures) EXPECT_EQ(seen, kConsumed);
    end();
}

TEST_F(SavedGameRun, ATamperedRecordIsReportedAndTheMenuStays) {
    struct Tamper {
        const char* what;
        std::string name;
        std::vector<std::uint8_t> bytes;  // empty: letters that spell none of the found words
    };
    const Tamper tampers[] = {
        {"found words not on the board", "BYTE_DATA", {}},
        {"a board size no level has", "HEIGHT", {7, 0}},
        {"a negative score", "SCORE", {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Tamper& t : tampers) {
        SCOPED_TRACE(t.what);
        start();
        startClassic();
        submit(4);
        saveAndExit();
        std::vector<std::uint8_t> bytes = t.bytes;
        if (bytes.empty()) bytes.assign(16, 'Q');
        putStored(kSaveKey, t.name, bytes);

        start();
        const auto& messages = hp->ui.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Varnook");
        EXPECT_EQ(messages[0].text, " Error - Load Saved Game Failerd");
        EXPECT_EQ(frm().view(), FrmPlay::View::Menu);
        EXPECT_FALSE(session().gamePlaying());
        EXPECT_EQ(game().numFoundWords(), 0);
        EXPECT_EQ(game().gridWidth(), 6) << "the board before any game";
        EXPECT_EQ(stored(kSaveKey, "ISSTORED"), kConsumed);
        // The menu works as ever.
        startClassic();
        EXPECT_EQ(frm().view(), FrmPlay::View::Play);
        EXPECT_EQ(game().score(), 0);
        closeWindow();
    }
}

TEST_F(SavedGameRun, AFailedSaveAndExitKeepsTheGameOnScreenAndItsClockRunning) {
    start();
    startArcade();
    submit(3);
    hp->ui.advance(2'000);
    const Snapshot before = take();
    // The settings folder is replaced by a plain file: nothing can be written any more.
    const std::filesystem::path folder = root_ / "varnook";
    std::filesystem::rename(folder, root_ / "varnook-away");
    std::ofstream(folder) << "not a folder";

    command(kSaveAndExit);
    ASSERT_FALSE(hp->ui.messages().empty());
    EXPECT_EQ(hp->ui.messages().back().text, " Sorry - Save Failerd ");
    EXPECT_TRUE(frm().window()->isOpen()) << "the program stays open";
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_TRUE(session().gamePlaying());
    EXPECT_EQ(foundWords(game()), before.words);
    EXPECT_EQ(game().score(), before.score);
    EXPECT_TRUE(frm().timrCntDwn().enabled()) << "the clock runs on as before the command";
    hp->ui.advance(1'000);
    EXPECT_EQ(game().timeLeft(), before.timeLeft - 10);

    // With the folder back, the player can try again.
    std::filesystem::remove(folder);
    std::filesystem::rename(root_ / "varnook-away", folder);
    saveAndExit();
    EXPECT_EQ(stored(kSaveKey, "ISSTORED"), std::vector<std::uint8_t>{1});
}

TEST_F(SavedGameRun, ASettingsFileThatCannotBeReadAtAllIsKeptAndThePlayerToldWhere) {
    std::filesystem::create_directories(root_ / "varnook");
    std::ofstream(root_ / "varnook" / "registry.txt", std::ios::binary) << std::string("\x7f\x45\x4c\x46\0\1junk", 10);
    testing::internal::CaptureStderr();
    start();
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(hp->ui.messages().size(), 1u);
    const std::string text = hp->ui.messages()[0].text;
    const std::string kept = store_->setAsideCopy();
    ASSERT_FALSE(kept.empty());
    EXPECT_NE(text.find(kept), std::string::npos) << text;
    EXPECT_TRUE(std::filesystem::exists(kept));
    EXPECT_EQ(frm().view(), FrmPlay::View::Menu) << "the game starts afresh";
}

TEST(SavedGameTaken, AGameWhoseTakenMarkCannotBeWrittenStaysSavedAndThePlayerIsTold) {
    platform::HeadlessPlatform hp;
    game::testing::MemoryStore store;
    {
        // A Classic game with one word, saved.
        game::GameData g;
        game::newPuzzle(g, frmtest::engine(), 4, 4, kSeed);
        const std::string word = g.wordsOfLength(3).words[1];
        game::words::addFoundWord(g, word);
        g = game::testing::GameBuilder(g).score(6).build();
        ASSERT_TRUE(game::persistence::Records(store).saveGame(g, game::persistence::SolvingData{}));
    }
    store.failWrites = true;
    hp.ui.setModalHandler([&](platform::Window& w) { frmtest::answerKey(hp.ui, w, platform::key::kEnter); });
    std::string failure;
    auto program = game::Program::start(hp.services(&store), frmtest::binDir(), &failure);
    ASSERT_NE(program, nullptr) << failure;
    EXPECT_EQ(hp.ui.modalHistory(), Strings{kQuestionCaption});
    ASSERT_FALSE(hp.ui.messages().empty());
    EXPECT_NE(hp.ui.messages().back().text.find("could not be marked as taken"), std::string::npos);
    EXPECT_EQ(program->frmPlay->view(), FrmPlay::View::Menu) << "not resumed";
    store.failWrites = false;
    EXPECT_EQ(game::persistence::Records(store).isGameStored(), game::persistence::StoredGame::Waiting)
        << "offered again next time";
}

TEST(RecordsWithoutAStore, TheFailuresAreReportedAndTheGameStillPlays) {
    platform::HeadlessPlatform hp;
    game::testing::UnavailableStore store;
    std::string failure;
    auto program = game::Program::start(hp.services(&store), frmtest::binDir(), &failure);
    ASSERT_NE(program, nullptr) << failure;
    Strings texts;
    for (const auto& m : hp.ui.messages()) texts.push_back(m.text);
    EXPECT_EQ(texts, (Strings{" Error Failerd", " Error - Loading the Saved Game Failerd"}));
    EXPECT_TRUE(hp.ui.modalHistory().empty()) << "no saved-game offer";

    program->session->setFixedPuzzle(game::Session::FixedPuzzle{kRow4x4, kSeed});
    program->session->startClassic();
    EXPECT_EQ(program->frmPlay->view(), FrmPlay::View::Play);
    hp.ui.closeBox(*program->frmPlay->window());
    ASSERT_EQ(hp.ui.messages().size(), 3u);
    EXPECT_EQ(hp.ui.messages()[2].text, " Error Failerd");
    EXPECT_EQ(hp.ui.messages()[2].caption, "Varnook");
}

}  // namespace
}  // namespace recordstest
