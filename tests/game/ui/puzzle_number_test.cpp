// Puzzle numbers in the running game: every Classic puzzle's number makes its board again, the
// caption shows it while the puzzle is played and in its results, the program starts on a number
// it is given, and a saved Classic game keeps its number.
#include <gtest/gtest.h>

#include "frm_play_fixture.h"
#include "game/play/puzzle.h"
#include "game/ui/puzzle_number_dialog.h"
#include "game_builder.h"
#include "records_program_fixture.h"

namespace recordstest {
namespace {

using game::PuzzleNumber;
using game::ui::FrmPlay;
using platform::HeadlessWindow;
using Strings = std::vector<std::string>;

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(PuzzleNumbers, TheMenusEntryPlaysATypedNumberAndExplainsABadOneStartingNothing) {
    frmtest::PlayWindow w;
    std::vector<std::string> refusals;
    w.hp.ui.setModalHandler([&](platform::Window& m) {
        auto* dialog = dynamic_cast<game::ui::FrmPuzzleNumber*>(&static_cast<HeadlessWindow&>(m).handler());
        ASSERT_NE(dialog, nullptr);
        w.hp.ui.advance(game::ui::dialog::kKeySettleMs);
        auto type = [&](std::u32string_view text) {
            for (char32_t ch : text) w.hp.ui.keyPress(m, ch);
        };
        type(U"3x3-1\r");
        refusals.push_back(dialog->why());
        type(U"\b\b\b\b\b9x9-1\r");
        refusals.push_back(dialog->why());
        if (refusals.size() == 2) {
            // The first time the player gives up; the second a good number is played.
            w.hp.ui.keyPress(m, platform::key::kEscape);
            return;
        }
        type(U"\b\b\b\b\b5x4-77\r");
    });
    const auto& entry = w.frm->mmBtn(static_cast<int>(game::Command::PuzzleNumberEntry));
    w.hp.ui.click(w.win(), entry.x + entry.wid / 2.0, entry.y + entry.ht / 2.0);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu) << "nothing starts";
    ASSERT_EQ(refusals.size(), 2u);
    EXPECT_NE(refusals[0].find("3x3"), std::string::npos) << refusals[0];
    EXPECT_NE(refusals[1].find("9x9"), std::string::npos) << refusals[1];

    w.hp.ui.click(w.win(), entry.x + entry.wid / 2.0, entry.y + entry.ht / 2.0);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_EQ(w.session->puzzleNumber(), (PuzzleNumber{5, 4, 77}));
}

TEST(PuzzleNumbers, EveryClassicPuzzleIsMadeAgainFromItsNumber) {
    frmtest::PlayWindow w;
    // Random games, as the menu starts them.
    for (int game = 0; game < 4; ++game) {
        w.hp.ui.advance(7919);  // another clock seed
        w.session->startClassic();
        const auto number = w.session->puzzleNumber();
        ASSERT_TRUE(number.has_value());
        EXPECT_EQ(number->width, w.game.gridWidth());
        EXPECT_EQ(number->height, w.game.gridHeight());
        EXPECT_TRUE(game::isClassicBoard(number->width, number->height));
        EXPECT_LE(number->seed, game::kMaxPuzzleSeed);
        const auto letters = w.game.gridLetters().raw();
        const int words = w.game.numSolutionWords();
        w.command(game::Command::QuitGame);

        w.session->startPuzzle(*number);
        EXPECT_EQ(w.session->puzzleNumber(), number);
        EXPECT_EQ(w.game.gridLetters().raw(), letters);
        EXPECT_EQ(w.game.numSolutionWords(), words);
        EXPECT_EQ(w.game.score(), 0);
        w.command(game::Command::QuitGame);
    }
}

TEST(PuzzleNumbers, AProgramClosingOnAPuzzleShowsNoNumberAnyMore) {
    frmtest::PlayWindow w;
    w.session->startPuzzle(PuzzleNumber{5, 4, 1234});
    // The main window closes as a player's close box does it: the game on ends, then the program.
    w.frm->onClose();
    EXPECT_EQ(w.session->puzzleNumber(), std::nullopt);
    EXPECT_EQ(w.frm->window()->caption(), "Varnook");
}

TEST(PuzzleNumbers, TheCaptionCarriesTheNumberWhileThePuzzleIsPlayedAndInItsResults) {
    frmtest::PlayWindow w;
    platform::Window& window = *w.frm->window();
    EXPECT_EQ(window.caption(), "Varnook");
    w.session->startPuzzle(PuzzleNumber{5, 4, 1234});
    EXPECT_EQ(window.caption(), "Varnook - 5x4-1234");
    w.key(platform::key::kEscape);  // paused and minimised: still the same puzzle
    EXPECT_EQ(window.caption(), "Varnook - 5x4-1234");
    w.win().restore();
    w.pressAt(600, 20);
    w.command(game::Command::ShowSolution);
    ASSERT_TRUE(w.session->showingResults());
    EXPECT_EQ(window.caption(), "Varnook - 5x4-1234");
    w.session->mainMenu();
    EXPECT_EQ(window.caption(), "Varnook");

    // Arcade levels have no number; a number only starts a game from the menu.
    w.session->startArcade();
    EXPECT_EQ(w.session->puzzleNumber(), std::nullopt);
    EXPECT_EQ(window.caption(), "Varnook");
    const auto letters = w.game.gridLetters().raw();
    w.session->startPuzzle(PuzzleNumber{4, 4, 1});
    EXPECT_EQ(w.game.gameMode(), game::GameMode::Arcade);
    EXPECT_EQ(w.game.gridLetters().raw(), letters);
}

class PuzzleNumberRun : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        responders[kQuestionCaption] = [this](HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEnter); };
    }
    void saveAndExit() {
        command(static_cast<int>(game::Command::SaveAndExit));
        end();
    }
    // The letters of the puzzle of this number, made by a program of their own.
    std::vector<std::uint8_t> lettersOf(const PuzzleNumber& n) {
        game::GameData g;
        g = game::testing::GameBuilder(g).mode(game::GameMode::Classic).build();
        game::newPuzzle(g, frmtest::engine(), n.width, n.height, n.seed);
        return g.gridLetters().raw();
    }
};

TEST_F(PuzzleNumberRun, AProgramStartedOnANumberPlaysThatBoardAndLeavesTheSavedGameForLater) {
    start();
    startClassic();
    submit(3);
    saveAndExit();
    ASSERT_EQ(stored(kSaveKey, "ISSTORED"), (std::vector<std::uint8_t>{1}));

    game::StartOptions options;
    options.puzzle = PuzzleNumber{6, 5, 4321};
    start({}, options);
    EXPECT_TRUE(modalsAsked.empty()) << "no saved-game offer";
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_EQ(game().gameMode(), game::GameMode::Classic);
    EXPECT_EQ(game().gridWidth(), 6);
    EXPECT_EQ(game().gridHeight(), 5);
    EXPECT_EQ(game().gridLetters().raw(), lettersOf(*options.puzzle));
    EXPECT_EQ(mainWindow().caption(), "Varnook - 6x5-4321");
    EXPECT_EQ(stored(kSaveKey, "ISSTORED"), (std::vector<std::uint8_t>{1})) << "still saved";
    closeWindow();

    start();
    EXPECT_EQ(modalsAsked, Strings{kQuestionCaption}) << "offered at the next start";
}

TEST_F(PuzzleNumberRun, AnotherLanguagesNumberNamesItAndItsBoardComesFromThatDictionary) {
    game::StartOptions options;
    options.language = game::letters::Language::French;
    options.puzzle = PuzzleNumber{5, 4, 1234, game::letters::Language::French};
    start({}, options);
    EXPECT_TRUE(ui().messages().empty());
    EXPECT_EQ(game().language(), game::letters::Language::French);
    EXPECT_EQ(mainWindow().caption(), "Varnook - fr-5x4-1234");
    const auto letters = game().gridLetters().raw();
    saveAndExit();
    EXPECT_EQ(stored(kSaveKey, "PUZZLENUMBER"), bytes(std::string("fr-5x4-1234") + '\0'));
    EXPECT_EQ(stored(kSaveKey, "LANGUAGE"), bytes(std::string("fr") + '\0'));

    // Resumed by a run in English, the game is played in French, number and all.
    start();
    ASSERT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_EQ(game().language(), game::letters::Language::French);
    EXPECT_EQ(game().gridLetters().raw(), letters);
    EXPECT_EQ(mainWindow().caption(), "Varnook - fr-5x4-1234");
}

TEST_F(PuzzleNumberRun, ALanguageWithoutItsDictionaryIsToldAndEnglishIsPlayed) {
    // A program folder like the build's, without DE.DICT (copies, which every system can make).
    const auto folder = root_ / "program";
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(frmtest::binDir()))
        if (entry.is_regular_file() && entry.path().filename() != "DE.DICT")
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
    programFolder = folder.string() + "/";
    game::StartOptions options;
    options.language = game::letters::Language::German;
    start({}, options);
    ASSERT_EQ(ui().messages().size(), 1u);
    // Told in the language asked for.
    EXPECT_NE(ui().messages()[0].text.find("Das W\xF6rterbuch DE.DICT der Sprache de fehlt"), std::string::npos)
        << ui().messages()[0].text;
    EXPECT_EQ(game().language(), game::letters::Language::English);
    startClassic();
    EXPECT_EQ(mainWindow().caption().find("Varnook - de-"), std::string::npos);
}

TEST_F(PuzzleNumberRun, ASavedClassicGameKeepsItsNumber) {
    start();
    startClassic();  // 4 x 4, seed 2024
    submit(3);
    saveAndExit();
    EXPECT_EQ(stored(kSaveKey, "PUZZLENUMBER"), bytes(std::string("4x4-2024") + '\0'));

    start();
    ASSERT_EQ(frm().view(), FrmPlay::View::Play);
    EXPECT_EQ(session().puzzleNumber(), (PuzzleNumber{4, 4, 2024}));
    EXPECT_EQ(mainWindow().caption(), "Varnook - 4x4-2024");
    // Saved again, the resumed game keeps it.
    saveAndExit();
    EXPECT_EQ(stored(kSaveKey, "PUZZLENUMBER"), bytes(std::string("4x4-2024") + '\0'));
}

TEST_F(PuzzleNumberRun, ARecordWithANumberThatIsNotItsOwnResumesWithoutOne) {
    const std::vector<std::pair<std::string, std::string>> records = {
        {"another seed's number", "4x4-2025"},
        {"another size", "5x4-2024"},
        {"no number", ""},
        {"not a number", "4x4-20x4"},
    };
    for (const auto& [what, number] : records) {
        SCOPED_TRACE(what);
        start();
        startClassic();
        submit(3);
        const auto letters = game().gridLetters().raw();
        saveAndExit();
        putStored(kSaveKey, "PUZZLENUMBER", bytes(number));
        start();
        ASSERT_EQ(frm().view(), FrmPlay::View::Play);
        EXPECT_EQ(game().gridLetters().raw(), letters);
        EXPECT_EQ(game().numFoundWords(), 1);
        EXPECT_EQ(session().puzzleNumber(), std::nullopt);
        EXPECT_EQ(mainWindow().caption(), "Varnook");
        saveAndExit();
        EXPECT_EQ(stored(kSaveKey, "PUZZLENUMBER"), std::vector<std::uint8_t>{0}) << "none to keep";
    }
}

TEST_F(PuzzleNumberRun, AnArcadeGameStoresNoNumberOverAnEarlierOne) {
    start();
    startClassic();
    saveAndExit();
    ASSERT_EQ(stored(kSaveKey, "PUZZLENUMBER"), bytes(std::string("4x4-2024") + '\0'));
    responders[kQuestionCaption] = [this](HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEscape); };
    start();
    startArcade();
    saveAndExit();
    EXPECT_EQ(stored(kSaveKey, "PUZZLENUMBER"), std::vector<std::uint8_t>{0});
}

}  // namespace
}  // namespace recordstest
