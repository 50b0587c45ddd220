// What the game keeps in the settings store between runs: the settings record, the sound switches,
// both Hall of Fame tables (loadSettings / saveSettings) and the one saved game (saveGame,
// isGameStored, loadSavedGame). Nothing is shown here: each call says how it went, and the caller
// tells the player with the message texts of records_layout.h.
#pragma once

#include <string_view>

#include "game/persistence/hall_of_fame.h"
#include "game/persistence/records_layout.h"
#include "game/persistence/saved_game.h"
#include "game/play/game_data.h"
#include "game/play/sound_rules.h"

namespace platform {
class Store;
}  // namespace platform

namespace game {

// Everything loadSettings fills. Before loading: record zero, switches all 0, scores 0, names empty.
struct Settings {
    SolvingData solvingData;
    SoundOptions soundOptions{};
    HallOfFame hallOfFame;
};

// Whether a saved game waits.
enum class StoredGame { None, Waiting, StoreUnavailable };

class Records {
public:
    explicit Records(platform::Store& store);

    // Reads the settings record (its mode and level into game), the sound switches and both Hall of
    // Fame tables. A value that is missing or has the wrong size: the record keeps its contents, the
    // switches become all 1, a rank's name becomes kMissingName with score 0. False when the store
    // cannot be opened (nothing read; the caller shows kSettingsFailed).
    bool loadSettings(Settings& settings, GameData& game);
    // Writes all of it back, the mode and level from game. False when the store cannot be opened or
    // the values could not be written (the caller shows kSettingsFailed).
    bool saveSettings(const Settings& settings, const GameData& game);

    // "Save and Exit": stores the game being played as the saved game (with the settings record).
    // False when it could not be stored (the caller shows kSaveFailed).
    bool saveGame(const GameData& game, const SolvingData& solvingData);
    // Whether a saved game is waiting. Creates the saved game's empty key on a first run.
    // StoreUnavailable when the store cannot be opened (the caller shows kCheckSavedGameFailed).
    StoredGame isGameStored();
    // Marks the saved game consumed ("ISSTORED" 0, written before anything is read), reads it and
    // checks every stored field. Anything but Loaded: the game is not resumed; the caller shows
    // kLoadSavedGameFailed and stays on the main menu.
    SavedGameStatus loadSavedGame(SavedGame& saved);

private:
    platform::Store& store_;
};

}  // namespace game
