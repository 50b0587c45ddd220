// What the game keeps in the settings store between runs: the settings record, the sound switches,
// both Hall of Fame tables (loadSettings / saveSettings) and the one saved game (saveGame,
// isGameStored, loadSavedGame). No windows here: the only thing shown is the standard message box.
#pragma once

#include <string_view>

#include "game/persistence/hall_of_fame.h"
#include "game/persistence/records_layout.h"
#include "game/persistence/saved_game.h"
#include "game/persistence/sound_effects.h"
#include "game/play/game_data.h"

namespace platform {
class Store;
class Ui;
}  // namespace platform

namespace game {

// Everything loadSettings fills. Before loading: record zero, switches all 0, scores 0, names empty.
struct Settings {
    SolvingData solvingData;
    SoundOptions soundOptions{};
    HallOfFame hallOfFame;
};

class Records {
public:
    Records(platform::Store& store, platform::Ui& ui);

    // Reads the settings record (its mode and level into game), the sound switches and both Hall of
    // Fame tables. A value that is missing or has the wrong size: the record keeps its contents, the
    // switches become all 1, a rank's name becomes kMissingName with score 0. False, after the message
    // box kSettingsFailed, when the store cannot be opened (nothing read).
    bool loadSettings(Settings& settings, GameData& game);
    // Writes all of it back, the mode and level from game. False, after the message box
    // kSettingsFailed, when the store cannot be opened or the values could not be written.
    bool saveSettings(const Settings& settings, const GameData& game);

    // "Save and Exit": stores the game being played as the saved game (with the settings record).
    // False, after the message box kSaveFailed, when it could not be stored.
    bool saveGame(const GameData& game, const SolvingData& solvingData);
    // True when a saved game is waiting. Creates the saved game's empty key on a first run. False,
    // after the message box kCheckSavedGameFailed, when the store cannot be opened.
    bool isGameStored();
    // Marks the saved game consumed ("ISSTORED" 0, written before anything is read), reads it and
    // checks every stored field. Anything but Loaded: the game is not resumed; the caller shows
    // kLoadSavedGameFailed and stays on the main menu. Nothing is shown here.
    SavedGameStatus loadSavedGame(SavedGame& saved);

private:
    void showMessage(std::string_view text);

    platform::Store& store_;
    platform::Ui& ui_;
};

}  // namespace game
