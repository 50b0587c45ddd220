// The main window on the headless platform with the real engine, for scripted games: presses on
// tiles, solution words and non-words of the puzzle, and what was heard.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/persistence/records.h"
#include "game/play/engine_library.h"
#include "game/play/game_data.h"
#include "game/play/session.h"
#include "game/ui/dialogs.h"
#include "game/ui/frm_play.h"
#include "game/ui/records_desk.h"
#include "game/ui/sound_effects.h"
#include "game/ui/sprite_sheet.h"
#include "platform/headless.h"

namespace frmtest {

// The level-table row of a 4 x 4 Classic board, and the seed the tests start their puzzles with.
constexpr int kRow4x4 = 9;
constexpr int kSeed = 2024;

// The program folder of the build, with its trailing separator.
std::string binDir();
// The engine of the build, loaded once with its dictionary.
game::EngineLibrary& engine();

// Records what the session tells and asks by name, in order, and passes each on to the window (an
// ending's best-score offer only when passOffers is set; otherwise it counts as closed at once).
class EventLog final : public game::SessionView, public game::SessionFrontEnd {
public:
    template <class Window>
    EventLog(game::Session& session, Window& window) : EventLog(session, window, window) {}
    ~EventLog() override;

    std::vector<std::string> calls;
    bool passOffers = true;

    void phaseChanged(game::Phase from, game::Phase to) override;
    void clockChanged(bool running) override;
    void gameReady() override;
    void resultsReady() override;
    void chainChanged(std::optional<game::linking::Press> how, int cell) override;
    void letterRefused(char32_t letter) override;
    void wordAnswered(const game::words::Submission& answer) override;
    void timeChanged() override;
    void scoreChanged() override;
    void solutionShown(int id) override;
    void playSound(game::Effect effect) override;
    void showEndingWindow(const game::EndingWindow& window) override;
    game::SaveOutcome saveGame() override;
    void exitProgram() override;

private:
    EventLog(game::Session& session, game::SessionView& view, game::SessionFrontEnd& frontEnd);

    game::Session& session_;
    game::SessionView& view_;
    game::SessionFrontEnd& frontEnd_;
};

// A dialog answered with a key once it has been on screen long enough to take Enter and Esc.
inline void answerKey(platform::HeadlessUi& ui, platform::Window& dialog, char32_t key) {
    ui.advance(game::ui::dialog::kKeySettleMs);
    ui.keyPress(dialog, key);
}

class PlayWindow {
public:
    // With the real sprite sheet of the build, or with the synthetic one of the drawing tests
    // (for golden pictures that must not depend on the artwork); drawn with graphics, else with the
    // headless platform's.
    explicit PlayWindow(bool syntheticSheet = false, platform::Graphics* graphics = nullptr);

    platform::HeadlessPlatform hp;
    game::GameData game;
    game::ui::SpriteSheet sheet;
    std::unique_ptr<game::ui::SoundEffects> sounds;
    // The Hall of Fame tables and the rest of the settings, in memory only (no store).
    game::persistence::Settings settings;
    std::unique_ptr<game::ui::RecordsDesk> desk;
    std::unique_ptr<game::Session> session;
    std::unique_ptr<game::ui::FrmPlay> frm;

    platform::HeadlessWindow& win();
    // What the window shows now.
    const platform::PixelSurface& screen();

    // "CLASSIC GAME" with the board of level-table row levelRow and the given puzzle seed.
    void startClassic(int levelRow, int seed);
    // The centre of a tile of the board in play-surface pixels.
    std::pair<double, double> centre(int cell) const;
    // A press with button at the centre of cell, offset by (dx, dy).
    void press(int cell, int button = 1, double dx = 0, double dy = 0);
    void pressAt(double x, double y, int button = 1);
    void move(double x, double y);
    void key(char32_t ch);
    // A press on the middle of side-panel item n, or of a command's item.
    void command(int item);
    void command(game::Command c) { command(static_cast<int>(c)); }
    // The file names (no folder) of the sounds played since the last call.
    std::vector<std::string> heard();

    // A solution word of len letters of the current puzzle with its 1-based cells.
    std::pair<std::string, std::vector<int>> solution(int len, int nth = 1) const;
    // Three linked cells that spell no solution word.
    std::vector<int> nonWord() const;
    // The chain as 1-based cells.
    std::vector<int> chain() const;
};

}  // namespace frmtest
