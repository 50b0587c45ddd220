// The language chosen on the main menu: texts and dictionary change together, the choice is kept
// for the next start (under --language and a puzzle's number), and a language without its
// dictionary is told and English is played.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/ui/strings.h"
#include "records_program_fixture.h"

namespace {

using game::letters::Language;
using game::ui::FrmPlay;
using game::ui::loadResString;
using game::ui::StringId;
using namespace recordstest;

class LanguageRun : public ProgramTest {
protected:
    void TearDown() override {
        ProgramTest::TearDown();
        game::ui::setTextLanguage("en");
    }
    void pressLanguage() { pressCentre(frm().languageBtn()); }
    std::vector<std::uint8_t> code(const std::string& text) {
        std::vector<std::uint8_t> b(text.begin(), text.end());
        b.push_back(0);
        return b;
    }
};

TEST_F(LanguageRun, TheMenusButtonSwitchesTextsAndBoardAndTheChoiceIsKeptForTheNextStart) {
    start();
    EXPECT_EQ(loadResString(StringId::MenuClassic), "CLASSIC GAME");
    const auto englishMenu = mainWindow().screen().pixels();
    const std::vector<platform::Color> before(englishMenu.begin(), englishMenu.end());

    pressLanguage();
    EXPECT_EQ(game().language(), Language::French);
    EXPECT_EQ(loadResString(StringId::MenuClassic), "PARTIE CLASSIQUE");
    EXPECT_EQ(loadResString(StringId::LanguageName),
              "Fran\xE7"
              "ais");
    const auto frenchMenu = mainWindow().screen().pixels();
    EXPECT_NE(std::vector<platform::Color>(frenchMenu.begin(), frenchMenu.end()), before) << "the menu is redrawn";

    // Ctrl+L on the menu goes on as the button does; the next game is a board of that language.
    ui().shortcut(mainWindow(), U'l');
    EXPECT_EQ(game().language(), Language::German);
    EXPECT_EQ(game::ui::textLanguage(), "de");
    startClassic();
    EXPECT_NE(mainWindow().caption().find("Varnook - de-"), std::string::npos) << mainWindow().caption();
    EXPECT_EQ(loadResString(StringId::ShowSolution), "L\xF6sung zeigen");
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "LANGUAGE"), code("de"));

    start();
    EXPECT_EQ(game().language(), Language::German) << "the choice is the next start's language";
    EXPECT_EQ(loadResString(StringId::MenuExit), "BEENDEN");
    closeWindow();

    // A language asked for on the command line (or by a puzzle's number) is for its run only.
    game::StartOptions options;
    options.language = Language::Italian;
    start({}, options);
    EXPECT_EQ(game().language(), Language::Italian);
    EXPECT_EQ(loadResString(StringId::MenuExit), "ESCI");
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "LANGUAGE"), code("de"));
}

TEST_F(LanguageRun, AChosenLanguageWithoutItsDictionaryIsToldInItsOwnWordsAndEnglishIsPlayed) {
    // A program folder like the build's, without FR.DICT.
    const auto folder = root_ / "program";
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(frmtest::binDir()))
        if (entry.is_regular_file() && entry.path().filename() != "FR.DICT")
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
    programFolder = folder.string() + "/";
    start();
    pressLanguage();
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_NE(ui().messages()[0].text.find("Le dictionnaire FR.DICT de la langue fr est absent"), std::string::npos)
        << ui().messages()[0].text;
    EXPECT_EQ(game().language(), Language::English);
    EXPECT_EQ(loadResString(StringId::MenuClassic), "CLASSIC GAME");
    startClassic();
    EXPECT_EQ(mainWindow().caption().find("fr-"), std::string::npos);
    command(static_cast<int>(game::Command::MainMenu));
    ASSERT_EQ(frm().view(), FrmPlay::View::Menu);

    // The next press goes on past the refused language.
    pressLanguage();
    EXPECT_EQ(game().language(), Language::German);
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "LANGUAGE"), code("de"));
}

}  // namespace
