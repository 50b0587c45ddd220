// The main window on the headless platform with the real engine, for scripted games: presses on
// tiles, solution words and non-words of the puzzle, and what was heard.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/persistence/sound_effects.h"
#include "game/play/game_data.h"
#include "game/play/engine_library.h"
#include "game/ui/frm_play.h"
#include "game/ui/sprite_sheet.h"
#include "platform/headless.h"

namespace frmtest {

// The program folder of the build, with its trailing separator.
std::string binDir();
// The engine of the build, loaded once with its dictionary.
game::EngineLibrary& engine();

class PlayWindow {
public:
    // With the real sprite sheet of the build, or with the synthetic one of the drawing tests
    // (for golden pictures that must not depend on the artwork).
    explicit PlayWindow(bool syntheticSheet = false);

    platform::HeadlessPlatform hp;
    game::GameData game;
    game::ui::SpriteSheet sheet;
    std::unique_ptr<game::SoundEffects> sounds;
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
