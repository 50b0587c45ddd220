// snapshots: plays the real game headlessly from a program folder (engine, dictionary, sprite sheet)
// and writes a PNG of each screen and window worth looking at: the menu, a game in the middle, an
// Arcade level with its clock (a word's points just scored, and its last seconds), the results
// display with a lit path, every end dialog, the question box, the name dialog, the Hall of Fame
// table, the program icon and the surfaces' fonts; and per language the menu and a game on a board
// of that language (main_menu_fr, play_fr, as varnook --language fr --puzzle 5x4-1234 shows it).
//   snapshots [OUTPUT_FOLDER [PROGRAM_FOLDER]]
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "game/app/program.h"
#include "game/play/engine_library.h"
#include "game/play/session.h"
#include "game/ui/dialogs.h"
#include "game/ui/frm_play.h"
#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/puzzle_number_dialog.h"
#include "game/ui/strings.h"
#include "platform/headless.h"
#include "platform/pixel_surface.h"

namespace {

namespace fs = std::filesystem;

fs::path outDir;
int written = 0;

void save(const platform::Surface& s, const std::string& name) {
    const fs::path file = outDir / (name + ".png");
    if (platform::savePng(s, file.string())) {
        ++written;
        std::printf("%s\n", file.c_str());
    } else {
        std::fprintf(stderr, "snapshots: cannot write %s\n", file.c_str());
    }
}

double midX(const game::ui::BoxInfo& b) { return b.x + b.wid / 2.0; }
double midY(const game::ui::BoxInfo& b) { return b.y + b.ht / 2.0; }

class Run {
public:
    explicit Run(const std::string& programFolder, const game::StartOptions& options = {}) {
        std::string failure;
        program = game::Program::start(hp.services(), programFolder, &failure, options);
        if (!program) throw std::runtime_error(failure);
    }
    // The main window (its caption carries the puzzle's number during a Classic game).
    platform::HeadlessWindow& main() { return static_cast<platform::HeadlessWindow&>(*program->frmPlay->window()); }
    game::ui::FrmPlay& frm() { return *program->frmPlay; }
    game::Session& session() { return *program->session; }
    const game::GameData& game() { return program->game; }
    void click(const game::ui::BoxInfo& b) { hp.ui.click(main(), midX(b), midY(b)); }
    void move(const game::ui::BoxInfo& b) { hp.ui.mouseMove(main(), 0, midX(b), midY(b)); }
    void pressCell(int cell) {
        const auto& board = frm().regions().boardBox;
        hp.ui.click(main(), board.x + game().cellX(cell) * 44 + 22.0, board.y + game().cellY(cell) * 44 + 22.0);
    }
    // Links the nth solution word of len letters and presses "Enter".
    void submit(int len, int nth = 1) {
        const game::WordList& list = game().wordsOfLength(len);
        if (list.count() < nth) return;
        for (const auto cell : list.paths[nth]) pressCell(cell + 1);
        click(frm().regions().item(static_cast<int>(game::Command::Enter)));
    }

    platform::HeadlessPlatform hp;
    std::unique_ptr<game::Program> program;
};

void screens(const std::string& folder) {
    {
        Run r(folder);
        r.move(r.frm().mmBtn(1));
        save(r.main().screen(), "main_menu");
        save(r.main().icon(), "program_icon");
    }
    {
        // A Classic game in the middle: two words found, three letters linked, a refusal shown.
        Run r(folder);
        r.session().setFixedPuzzle(game::Session::FixedPuzzle{1, 1234});
        r.click(r.frm().mmBtn(1));
        r.submit(4);
        r.submit(3);
        r.pressCell(1);
        r.pressCell(2);
        r.move(r.frm().regions().item(static_cast<int>(game::Command::Instructions)));
        save(r.main().screen(), "classic_mid_game");
        r.click(r.frm().regions().item(static_cast<int>(game::Command::ShowSolution)));
        const auto& list = r.frm().regions().listBox;
        r.hp.ui.mouseMove(r.main(), 0, list.x + 60, list.y + 5 * 20 + 10);
        save(r.main().screen(), "results_lit_path");
    }
    {
        // Zoomed: the menu lit from the keyboard at 2x, then a puzzle by its number with a word typed,
        // and the same in full screen on a 1920 x 1080 desktop.
        Run r(folder);
        r.hp.ui.setZoom(2);
        r.hp.ui.keyDown(r.main(), platform::Key::Down);
        r.hp.ui.keyDown(r.main(), platform::Key::Down);
        save(r.main().screen(), "main_menu_keyboard_2x");
        r.session().startPuzzle(game::PuzzleNumber{5, 4, 1});
        const game::WordList& words = r.game().wordsOfLength(4);
        if (words.count() > 0)
            for (const char c : words.words[1]) r.hp.ui.keyPress(r.main(), static_cast<unsigned char>(c));
        save(r.main().screen(), "classic_typed_2x");
        r.hp.ui.keyDown(r.main(), platform::Key::F11);
        save(r.main().screen(), "full_screen_1920x1080");
    }
    {
        Run r(folder);
        r.session().setFixedPuzzle(game::Session::FixedPuzzle{1, 7});
        r.click(r.frm().mmBtn(2));
        r.submit(3);
        save(r.main().screen(), "arcade_points");
        r.hp.ui.advance(12'300);
        save(r.main().screen(), "arcade_clock");
        // The last seconds: the Time value in its warning colour.
        game::GameData& g = r.program->game;
        g.restoreCounters(g.gameMode(), g.arcadeLevel(), g.score(), g.levelScore(), 125);
        r.hp.ui.advance(100);
        save(r.main().screen(), "arcade_last_seconds");
        r.click(r.frm().regions().item(static_cast<int>(game::Command::Pause)));
        save(r.main().screen(), "paused");
    }
}

// Per language: the menu with its language button lit, and a Classic game on puzzle 5x4-1234 of the
// language with two words found, letters linked and a command lit.
void languages(const std::string& folder) {
    for (const auto& l : game::letters::kLanguages) {
        const std::string code(l.code);
        game::StartOptions options;
        options.language = l.language;
        Run r(folder, options);
        r.move(r.frm().languageBtn());
        save(r.main().screen(), "main_menu_" + code);
        r.session().startPuzzle(game::PuzzleNumber{5, 4, 1234, l.language});
        r.submit(4);
        r.submit(3);
        r.pressCell(1);
        r.pressCell(2);
        r.move(r.frm().regions().item(static_cast<int>(game::Command::ShowSolution)));
        save(r.main().screen(), "play_" + code);
    }
    game::ui::setTextLanguage("en");
}

void dialogs() {
    platform::HeadlessPlatform hp;
    using game::flow::EndText;
    const struct {
        const char* name;
        game::flow::ResText text;
    } ends[] = {
        {"end_dialog_all_found", {EndText::AllFound, {"|1", "57"}}},
        {"end_dialog_percentage", {EndText::Percentage, {"|1", "5", "|2", "12", "|3", "75", "|4", "37.5"}}},
        {"end_dialog_qualified", {EndText::Qualified, {"|1", "120", "|2", "361"}}},
        {"end_dialog_all_levels", {EndText::AllLevels, {"|1", "10"}}},
        {"end_dialog_game_over", {EndText::GameOver, {"|1", "4", "|2", "812"}}},
    };
    for (const auto& e : ends) {
        game::ui::DiagWow d(hp.ui, hp.graphics, e.text);
        d.load();
        save(*d.surface(), e.name);
        d.unload();
    }
    {
        // The daily puzzle's end, with the hints told under it.
        game::ui::DiagWow d(
            hp.ui, hp.graphics,
            game::ui::formatResString(game::ui::StringId::DailyDone, {"|1", "2026-12-08", "|2", 41, "|3", 2}) +
                game::ui::formatResString(game::ui::StringId::HintsUsed, {"|1", 1}));
        d.copy = [] { return true; };
        d.load();
        hp.ui.shortcut(*d.window(), U'c');
        save(*d.surface(), "end_dialog_daily");
        d.unload();
    }
    {
        // The puzzle-number dialog after a number it refused.
        game::ui::FrmPuzzleNumber d(hp.ui, hp.graphics, game::letters::Language::English);
        d.load();
        for (char32_t ch : std::u32string(U"3x3-12")) hp.ui.keyPress(*d.window(), ch);
        hp.ui.advance(1000);
        hp.ui.keyPress(*d.window(), platform::key::kEnter);
        save(*d.surface(), "puzzle_number_refused");
        d.unload();
    }
    game::ui::FrmOKCancel question(hp.ui, hp.graphics);
    question.load();
    save(*question.surface(), "dialog_question");
    question.unload();
}

void hallOfFame(const std::string& folder) {
    platform::HeadlessPlatform hp;
    const game::ui::SpriteSheet sheet = game::ui::initGraphics(hp.graphics, folder);
    game::ui::DiagUN name(hp.ui, hp.graphics, sheet, game::GameMode::Classic);
    name.load();
    for (char32_t ch : std::u32string(U"Ada Lovelace")) hp.ui.keyPress(*name.window(), ch);
    save(*name.surface(), "name_dialog");
    name.unload();

    game::persistence::HallOfFame tables;
    tables.clearScores(game::GameMode::Arcade);
    const char* names[] = {"Ada", "Grace", "Alan", "Edsger", "Barbara"};
    for (int i = 0; i < 5; ++i)
        tables.insertBestScore(game::GameMode::Arcade, static_cast<std::int16_t>(2400 - 350 * i), names[i]);
    game::ui::FrmStats table(hp.ui, hp.graphics, tables, 2);
    table.load();
    save(*table.surface(), "hall_of_fame");
    table.unload();
}

void fonts() {
    platform::PixelSurface s(420, 200, platform::rgb(51, 68, 140));
    const struct {
        platform::Font font;
        const char* text;
    } samples[] = {
        {{"Arial Narrow", 14.25, true}, "CLASSIC GAME  HALL OF FAME - ARCADE"},
        {{"Times New Roman", 14, true}, "Q W E R T Y  Enter  Clear  Score 1234"},
        {{"Times New Roman", 12, true}, "Time Left  Level  Target Points"},
        {{"Times New Roman", 10, true}, "found words: apple, grape, river"},
        {{"MS Sans Serif", 12, false}, "Do you want to play the saved game ?"},
        {{"MS Sans Serif", 13.5, true}, "Click here to resume the game"},
    };
    int y = 4;
    for (const auto& sample : samples) {
        s.setFont(sample.font);
        s.setTextColor(platform::rgb(0, 0, 0));
        s.drawText(sample.text, {6, y + 1, 420, y + 40}, 0);
        s.setTextColor(platform::rgb(200, 220, 120));
        s.drawText(sample.text, {5, y, 420, y + 40}, 0);
        y += 32;
    }
    save(s, "fonts");
}

}  // namespace

int main(int argc, char** argv) {
    outDir = argc > 1 ? fs::path(argv[1]) : fs::path("snapshots");
    std::string folder = argc > 2 ? argv[2] : VARNOOK_BIN_DIR;
    if (folder.empty() || folder.back() != '/') folder += '/';
    std::error_code ec;
    fs::create_directories(outDir, ec);
    try {
        screens(folder);
        languages(folder);
        dialogs();
        hallOfFame(folder);
        fonts();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "snapshots: %s\n", e.what());
        return 1;
    }
    return written > 0 ? 0 : 1;
}
