// Every text of every language, drawn with the fonts the game draws with, fits the box it is drawn
// in: the menu with its language button, the play surface (panel, commands, messages, an Arcade
// level's line, the results), the pause view and every dialog. The program is played in each
// language and every text it draws is noted with its box, then drawn again alone to measure it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "frm_play_fixture.h"
#include "game/app/program.h"
#include "game/play/statistics.h"
#include "game/ui/catalogue.h"
#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/puzzle_number_dialog.h"
#include "game/ui/records_desk.h"
#include "game/ui/statistics_window.h"
#include "game/ui/strings.h"
#include "noting_graphics.h"
#include "platform/headless.h"
#include "platform/pixel_surface.h"

namespace {

using game::letters::Language;
using platform::Rect;

using texttest::DrawnText;
using texttest::NotingGraphics;

// The inked width and height of a text drawn alone from the top left, as the box's flags lay it out,
// on a surface a little larger than the box: a text wider or higher than the box shows as such.
platform::Size inked(const DrawnText& d) {
    const int w = d.box.right - d.box.left + 40, h = d.box.bottom - d.box.top + 40;
    platform::PixelSurface s(w, h, 0);
    s.setFont(d.font);
    s.setTextColor(platform::rgb(255, 255, 255));
    s.drawText(d.text, Rect{0, 0, w, h}, d.flags & platform::text::kSingleLine);
    int right = 0, bottom = 0;
    const auto pixels = s.pixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (pixels[static_cast<std::size_t>(y * w + x)] != 0) {
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    return {right, bottom};
}

double midX(const game::ui::BoxInfo& b) { return b.x + b.wid / 2.0; }
double midY(const game::ui::BoxInfo& b) { return b.y + b.ht / 2.0; }

// Plays the program in a language on graphics: every surface and dialog the player can see.
void playEverything(Language language, NotingGraphics& graphics) {
    platform::HeadlessPlatform hp;
    platform::Services services = hp.services();
    services.graphics = &graphics;
    game::StartOptions options;
    options.language = language;
    std::string failure;
    auto program = game::Program::start(services, frmtest::binDir(), &failure, options);
    ASSERT_TRUE(program) << failure;
    ASSERT_EQ(program->game.language(), language);
    game::ui::FrmPlay& frm = *program->frmPlay;
    auto& window = static_cast<platform::HeadlessWindow&>(*frm.window());
    auto hover = [&](const game::ui::BoxInfo& b) { hp.ui.mouseMove(window, 0, midX(b), midY(b)); };
    auto press = [&](const game::ui::BoxInfo& b) { hp.ui.click(window, midX(b), midY(b)); };

    for (int i = 1; i <= game::ui::window::kAllEntries; ++i) hover(frm.mmBtn(i));
    hover(frm.languageBtn());

    // A game: every command lit, a word scored, the same word again, a non-word, the results.
    game::Session& session = *program->session;
    session.startPuzzle(game::PuzzleNumber{5, 4, 1234, language});
    const game::GameData& g = program->game;
    for (int n = game::ui::kFirstCommand; n <= game::ui::kLastItem; ++n) hover(frm.regions().item(n));
    auto link = [&](const std::vector<int>& cells) {
        const auto& board = frm.regions().boardBox;
        for (int cell : cells)
            hp.ui.click(window, board.x + g.cellX(cell) * 44 + 22.0, board.y + g.cellY(cell) * 44 + 22.0);
        press(frm.regions().item(static_cast<int>(game::Command::Enter)));
    };
    const game::WordList& threes = g.wordsOfLength(3);
    ASSERT_GT(threes.count(), 0);
    std::vector<int> word;
    for (const auto cell : threes.paths[1]) word.push_back(cell + 1);
    link(word);
    link(word);
    link({word[0]});  // one letter is no word of the list
    // The found statistics with three-digit counts, open and closed.
    program->game.restoreFoundWords(std::vector<std::string>(300, "zzz"));
    hp.ui.shortcut(window, U'f');
    hp.ui.shortcut(window, U'f');
    press(frm.regions().item(static_cast<int>(game::Command::ShowSolution)));
    hover(frm.regions().backBtn);
    session.mainMenu();

    // The daily puzzle with its progress lines and both hints on one word.
    frm.startDaily();
    session.hint();
    session.hint();
    session.mainMenu();

    // An Arcade level with its target line.
    session.startArcade();
    link(word);
    session.quitGame();

    // The dialogs.
    using game::flow::EndText;
    const game::flow::ResText ends[] = {
        {EndText::AllFound, {"|1", "157"}},
        {EndText::Percentage, {"|1", "105", "|2", "112", "|3", "1975", "|4", "37.55"}},
        {EndText::Qualified, {"|1", "120", "|2", "1361"}},
        {EndText::AllLevels, {"|1", "10"}},
        {EndText::GameOver, {"|1", "10", "|2", "18120"}},
    };
    for (const auto& e : ends) {
        game::ui::DiagWow d(hp.ui, graphics, e);
        d.load();
        d.unload();
    }
    // The daily puzzle's end with hints, and the note under it after Ctrl+C, copied or not.
    using game::ui::StringId;
    for (const bool copied : {true, false}) {
        game::ui::DiagWow d(hp.ui, graphics,
                            game::ui::formatResString(StringId::DailyDone, {"|1", "2026-12-08", "|2", 157, "|3", 23}) +
                                game::ui::formatResString(StringId::HintsUsed, {"|1", 12}));
        d.copy = [copied] { return copied; };
        d.note = game::ui::loadResString(StringId::CopyHint);
        d.load();
        d.onShortcut(U'c', platform::modifier::kCtrl);
        d.unload();
    }
    // The puzzle-number dialog refusing an empty entry, a number of another language and each kind
    // of text that is no puzzle number.
    for (const std::u32string& typed :
         {std::u32string(), std::u32string(language == Language::English ? U"fr-5x4-1" : U"5x4-1"),
          std::u32string(U"xx-5x4-1"), std::u32string(U"5x4-123456"), std::u32string(U"3x3-12"),
          std::u32string(U"5x4-10001")}) {
        game::ui::FrmPuzzleNumber d(hp.ui, graphics, language);
        d.load();
        for (const char32_t ch : typed) hp.ui.keyPress(*d.window(), ch);
        hp.ui.advance(1000);
        hp.ui.keyPress(*d.window(), platform::key::kEnter);
        EXPECT_FALSE(d.why().empty());
        d.unload();
    }
    game::ui::FrmOKCancel question(hp.ui, graphics);
    question.load();
    question.unload();
    for (const game::GameMode mode : {game::GameMode::Classic, game::GameMode::Arcade}) {
        game::ui::DiagUN name(hp.ui, graphics, program->sheet, mode);
        name.load();
        name.unload();
        game::persistence::HallOfFame tables;
        tables.insertBestScore(mode, 32000, "Ada");
        tables.table(mode)->unsaved[0] = true;
        game::ui::FrmStats table(hp.ui, graphics, tables, static_cast<int>(mode));
        table.load();
        table.unload();
    }
    const std::string scoreItem = game::ui::formatResString(
        game::ui::StringId::UnsavedScore,
        {"|1", game::ui::loadResString(game::ui::StringId::ArcadeMode), "|2", 32000, "|3", "Bartholomew Fitzgerald"});
    const std::string clearedItem = game::ui::formatResString(
        game::ui::StringId::UnsavedCleared, {"|1", game::ui::loadResString(game::ui::StringId::ClassicMode)});
    game::ui::DiagUnsaved unsaved(
        hp.ui, graphics,
        game::ui::unsavedRecordsText({scoreItem, clearedItem,
                                      std::string(game::ui::loadResString(game::ui::StringId::UnsavedSound)),
                                      std::string(game::ui::loadResString(game::ui::StringId::UnsavedZoom)),
                                      std::string(game::ui::loadResString(game::ui::StringId::UnsavedLanguage))}));
    unsaved.load();
    unsaved.unload();
    game::Statistics stats;
    game::ui::FrmStatistics statistics(hp.ui, graphics, stats, 0);
    statistics.load();
    statistics.unload();
}

TEST(TextFit, EveryTextOfEveryLanguageFitsTheBoxItIsDrawnIn) {
    std::vector<Language> languages;
    for (const auto& l : game::letters::kLanguages) languages.push_back(l.language);
    ASSERT_EQ(game::ui::catalogues().size() + 1, languages.size()) << "a catalogue for every language but English";
    int checked = 0;
    for (const Language language : languages) {
        const std::string code(game::letters::info(language).code);
        NotingGraphics graphics;
        playEverything(language, graphics);
        if (HasFatalFailure()) break;
        // Drawn in the language: its own menu entry is among the texts.
        const std::string_view entry = game::ui::loadResString(game::ui::StringId::MenuHallOfFameArcade);
        EXPECT_TRUE(std::any_of(graphics.drawn.begin(), graphics.drawn.end(),
                                [&](const DrawnText& d) { return d.text == entry; }))
            << code << ": " << entry;
        for (const DrawnText& d : graphics.drawn) {
            if (d.text.empty()) continue;
            const platform::Size size = inked(d);
            const bool single = (d.flags & platform::text::kSingleLine) != 0;
            EXPECT_LE(size.width, d.box.right - d.box.left)
                << code << ": \"" << d.text << "\" in " << d.font.family << (d.font.bold ? " bold " : " ")
                << d.font.points << " pt is " << size.width << " pixels wide in a box of " << d.box.right - d.box.left;
            if (!single) {
                EXPECT_LE(size.height, d.box.bottom - d.box.top)
                    << code << ": \"" << d.text << "\" is " << size.height << " pixels high in a box of "
                    << d.box.bottom - d.box.top;
            }
            ++checked;
        }
    }
    game::ui::setTextLanguage("en");
    EXPECT_GE(checked, 7 * 60);
}

}  // namespace
