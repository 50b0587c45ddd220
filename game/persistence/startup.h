// Start-up: the program folder, the engine and its dictionary, the settings, sounds and pictures,
// then the main window with its main menu. Shut-down runs in the main window's unload handler.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "game/persistence/registry_records.h"
#include "game/play/game_data.h"
#include "game/ui/sprite_sheet.h"
#include "platform/platform.h"

namespace game {

class EngineLibrary;
class SoundEffects;
class Program;

namespace ui {
class FrmPlay;
}

// Where the records and the flow plug into the start-up sequence. An empty hook does nothing.
struct StartupHooks {
    // Step 5, loadSettings: the settings record (startSizeIndex, foundViewAtStart), the sound
    // switches (program.sounds->soundOptions) and the Hall of Fame tables.
    std::function<void(Program&)> loadSettings;
    // Before the main window is shown: fills the window's seams (flow of a game, records).
    std::function<void(Program&)> connect;
    // Step 11: the saved-game offer, with the main menu on screen.
    std::function<void(Program&)> offerSavedGame;
};

// Everything the running program holds, made by start-up in its order and kept until it ends.
class Program {
public:
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the start-up sequence from the program folder. nullptr when the engine library cannot
    // be loaded or the dictionary is missing or unreadable; *failure then names the file and the
    // program folder, for a message box.
    static std::unique_ptr<Program> start(const platform::Services& services, const std::string& programFolder,
                                          const StartupHooks& hooks, std::string* failure);

    const platform::Services services;
    // The program folder with one trailing separator; every data file is appPath + its name.
    const std::string appPath;
    GameData game;
    // Settings: the board before any game is level startSizeIndex + 1's; the found-statistics
    // toggle's state when the main window loads.
    int startSizeIndex = 0;
    int foundViewAtStart = 0;
    // The settings records as loaded at start-up and written at shut-down: the settings record
    // (its reserved bytes carried through), the sound switches and both Hall of Fame tables.
    Settings settings;
    std::unique_ptr<EngineLibrary> engine;
    ui::SpriteSheet sheet;
    std::unique_ptr<SoundEffects> sounds;
    std::unique_ptr<ui::FrmPlay> frmPlay;

private:
    Program(const platform::Services& services, std::string appPath);
};

// The folder with exactly one trailing separator ("/" or "\" kept as given).
std::string appPathOf(const std::string& folder);

// The caption of the program's message boxes.
constexpr const char* kAppTitle = "Varnook";

}  // namespace game
