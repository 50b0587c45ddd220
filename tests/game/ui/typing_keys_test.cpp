// Typing words into the main window: letters link a chain that spells them, mixed with presses,
// Enter submits; letters do nothing but where a game is being played.
#include <gtest/gtest.h>

#include <algorithm>

#include "frm_play_fixture.h"
#include "game/play/typing.h"

namespace {

using frmtest::PlayWindow;
using game::ui::FrmPlay;
using Strings = std::vector<std::string>;

using frmtest::kRow4x4;
using frmtest::kSeed;

class Typing : public ::testing::Test {
protected:
    void SetUp() override { w.startClassic(kRow4x4, kSeed); }
    void type(const std::string& letters) {
        for (char c : letters) w.key(static_cast<unsigned char>(c));
    }
    // The word the chain spells, in upper case.
    std::string spelled() const {
        std::string s;
        for (int cell : w.chain()) s += static_cast<char>(std::toupper(w.game.gridLetters()[cell]));
        return s;
    }
    // A letter of the alphabet the board does not hold.
    char missingLetter() const {
        for (char c = 'a'; c <= 'z'; ++c)
            if (std::find(w.game.gridLetters().begin(), w.game.gridLetters().end(), c) == w.game.gridLetters().end())
                return c;
        return 0;
    }
    PlayWindow w;
};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST_F(Typing, ASolutionWordTypedInEitherCaseAndEnterScoresIt) {
    const auto [word, cells] = w.solution(4);
    type(lower(word.substr(0, 2)) + word.substr(2));
    EXPECT_EQ(spelled(), word);
    EXPECT_EQ(w.heard(), Strings(4, "CLICK.wav"));
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.game.score(), 10);
    EXPECT_EQ(w.game.numFoundWords(), 1);
    EXPECT_EQ(w.game.foundWords()[1], word);
    EXPECT_TRUE(w.chain().empty());
    EXPECT_EQ(w.heard(), Strings{"RIGHT.wav"});
}

TEST_F(Typing, ALetterNoPathCanTakeSoundsTheRefusalShowsStruckOutAndChangesNothing) {
    const char missing = missingLetter();
    ASSERT_NE(missing, 0) << "a 4 x 4 board holds at most 16 of the 26 letters";
    const auto [word, cells] = w.solution(3);
    type(lower(word));
    w.heard();
    const auto before = w.chain();
    // The strip's slot after the chain, as the screen shows it.
    const auto& strip = w.frm->regions().stripBox;
    auto slot = [&] {
        std::vector<platform::Color> pixels;
        for (int y = strip.y; y < strip.y + 44; ++y)
            for (int x = strip.x + 3 * 44; x < strip.x + 4 * 44; ++x) pixels.push_back(w.screen().pixel(x, y));
        return pixels;
    };
    const auto empty = slot();
    const int presents = w.win().presentCount();
    w.key(static_cast<unsigned char>(missing));
    EXPECT_EQ(w.chain(), before);
    EXPECT_EQ(w.heard(), Strings{"BEEPS.wav"});
    EXPECT_EQ(w.win().presentCount(), presents + 1) << "the cleared line and the struck-out letter";
    EXPECT_NE(slot(), empty) << "the refusal is seen with the sound off too";
    w.hp.ui.advance(game::ui::window::kRefusedLetterMs);
    EXPECT_EQ(slot(), empty) << "for a moment only";
    EXPECT_EQ(w.chain(), before);
    // Digits and punctuation are no letters: nothing at all.
    type("1-,");
    EXPECT_EQ(w.chain(), before);
    EXPECT_TRUE(w.heard().empty());
}

TEST_F(Typing, AfterARefusedTypedWordTheNextTypedWordStartsAfresh) {
    std::string wrong;
    for (int cell : w.nonWord()) wrong += static_cast<char>(w.game.gridLetters()[cell]);
    type(wrong);
    w.key(platform::key::kEnter);
    ASSERT_EQ(w.chain().size(), 3u) << "\"No such word\" leaves the letters linked";
    const auto [word, cells] = w.solution(3);
    type(lower(word));
    EXPECT_EQ(spelled(), word);
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.game.numFoundWords(), 1);
    EXPECT_EQ(w.game.score(), 6);
}

TEST_F(Typing, PressesAndTypingWorkOnTheSameChain) {
    const auto [word, cells] = w.solution(4);
    // A press starts the chain; typing goes on from the pressed letter.
    w.press(cells[0]);
    type(lower(word.substr(1)));
    EXPECT_EQ(spelled(), word);
    EXPECT_EQ(w.chain().front(), cells[0]);
    // A press on the last letter unlinks it from the typed chain.
    const auto typed = w.chain();
    w.press(typed.back());
    EXPECT_EQ(w.chain(), std::vector<int>(typed.begin(), typed.end() - 1));
    w.heard();
    type(lower(word.substr(3)));
    EXPECT_EQ(spelled(), word);
    EXPECT_EQ(w.heard(), Strings{"CLICK.wav"});
    // Backspace clears as before.
    w.key(platform::key::kBackspace);
    EXPECT_TRUE(w.chain().empty());
}

TEST_F(Typing, LettersDoNothingOnTheMenuWhilePausedAndInTheResults) {
    const auto [word, cells] = w.solution(3);
    const std::string letters = lower(word);
    w.key(platform::key::kEscape);
    w.win().restore();
    ASSERT_EQ(w.frm->view(), FrmPlay::View::Paused);
    type(letters);
    EXPECT_TRUE(w.chain().empty());
    EXPECT_TRUE(w.heard().empty());
    w.pressAt(600, 20);  // resumes
    type(letters.substr(0, 1));
    EXPECT_EQ(w.chain().size(), 1u);

    w.command(game::Command::ShowSolution);
    ASSERT_TRUE(w.session->showingResults());
    w.heard();
    type(letters);
    EXPECT_TRUE(w.chain().empty());
    EXPECT_TRUE(w.heard().empty());

    w.session->mainMenu();
    ASSERT_EQ(w.frm->view(), FrmPlay::View::Menu);
    type(letters);
    EXPECT_TRUE(w.heard().empty());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
}

TEST(TypingAtTheEnd, WordsTypedOnAsTheGameEndsLeaveTheDialogsUpAndTheNameBoxKeepsItsTyping) {
    PlayWindow w;
    w.startClassic(kRow4x4, kSeed);
    // Every solution word but the last is found by pressing; the last one is typed and ends the game.
    std::vector<std::pair<std::string, std::vector<int>>> words;
    for (int len = game::kMinWordLen; len <= game::kMaxWordLen; ++len)
        for (int n = 1; n <= w.game.wordsOfLength(len).count(); ++n) words.push_back(w.solution(len, n));
    ASSERT_FALSE(words.empty());
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        for (int c : words[i].second) w.press(c);
        w.key(platform::key::kEnter);
    }
    const std::string last = words.back().first;
    int modals = 0;
    w.hp.ui.setModalHandler([&](platform::Window& modal) {
        ++modals;
        if (modal.caption() == "Game Statistics") {
            // Letters typed at the dialog are not the board's, and the Enter of a word typed on as
            // it appeared does not close it; nor does the last word's Enter, still held.
            w.hp.ui.keyPress(*w.frm->window(), static_cast<unsigned char>(std::tolower(last[0])));
            w.hp.ui.keyPress(modal, 'q');
            w.hp.ui.keyPress(modal, platform::key::kEnter, true);
            w.hp.ui.keyPress(modal, platform::key::kEnter);
            EXPECT_TRUE(modal.isOpen());
            w.hp.ui.advance(game::ui::dialog::kKeySettleMs);
            // Read, it closes on Enter.
            w.hp.ui.keyPress(modal, platform::key::kEnter);
        } else if (modal.caption() == "Best Score") {
            for (char c : std::string("Ann")) w.hp.ui.keyPress(modal, static_cast<unsigned char>(c));
            w.hp.ui.keyPress(modal, platform::key::kEnter);
            EXPECT_TRUE(modal.isOpen());
            frmtest::answerKey(w.hp.ui, modal, platform::key::kEnter);
        } else {
            modal.close();
        }
    });
    for (char c : lower(last)) w.key(static_cast<unsigned char>(c));
    w.key(platform::key::kEnter);
    EXPECT_GE(modals, 2);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    EXPECT_EQ(w.settings.hallOfFame.table(game::GameMode::Classic)->name(1), "Ann");
    EXPECT_GE(w.hp.ui.droppedInputs(), 1) << "the letter sent to the main window under the dialog";
}

}  // namespace
