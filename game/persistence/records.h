// What the game keeps between runs, through the settings store (the registry on Windows, one file
// elsewhere): the settings record, the sound switches, both Hall of Fame tables (loadSettings /
// saveSettings) and the one saved game (saveGame, isGameStored, loadSavedGame). Nothing is shown
// here: each call says how it went, and the caller tells the player with the message texts of
// records_layout.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/persistence/hall_of_fame.h"
#include "game/persistence/records_layout.h"
#include "game/persistence/saved_game.h"
#include "game/play/game_data.h"
#include "game/play/sound_rules.h"

namespace platform {
class Store;
}  // namespace platform

namespace game::persistence {

// Everything loadSettings fills. Before loading: record zero, switches all 0, scores 0, names empty.
struct Settings {
    SolvingData solvingData;
    SoundOptions soundOptions{};
    HallOfFame hallOfFame;
    // The windows' zoom the player chose (1 to 4); 0 when none was ever chosen.
    std::int32_t zoom = 0;
    // The code of the language the player chose in the game ("fr"); empty when none was ever chosen
    // (or the stored one is no language the game plays).
    std::string language;
};

// Whether a saved game waits.
enum class StoredGame { None, Waiting, StoreUnavailable };

// A change to a Hall of Fame table that the store has not taken yet (busy, or not writable).
struct TableChange {
    enum class Kind { Insert, Clear };
    Kind kind = Kind::Insert;
    GameMode mode = GameMode::Classic;
    std::int16_t score = 0;  // Insert: the score and its name
    std::string name;
};

class Records {
public:
    explicit Records(platform::Store& store);

    // Reads the settings record, the sound switches, both Hall of Fame tables and the chosen zoom. A
    // value that is missing or has the wrong size: the record keeps its contents, the switches become
    // all 1, a rank's name becomes kMissingName with score 0, the zoom is 0 (as is one outside 1..4). False when the
    // store cannot be opened (nothing read; the caller shows kSettingsFailed).
    bool loadSettings(Settings& settings);
    // The language the player chose in the game, as loadSettings reads it, alone: for the start-up,
    // which needs it before the settings.
    std::string chosenLanguage();
    // Shut-down: writes the settings record and the sound switches where they differ from `loaded`,
    // what was read at start-up, or where the store has none yet, and the zoom and the language when
    // one was chosen in this run; another copy of the game keeps what it changed meanwhile. The tables
    // are written when they change (below). False when the store cannot be opened or a value could not
    // be written (the caller shows kSettingsFailed).
    bool saveSettings(const Settings& settings, const Settings& loaded);
    // A new best score: under the store's lock the mode's table is read again, the score inserted
    // into it as it stands there (if it still ranks) and the table written back, so that a score
    // another copy of the game ranked meanwhile is kept. tables then holds that table. False when the
    // store could not be locked, read or written: the score is then in tables, marked unsaved, and
    // stays pending until a later write succeeds.
    bool insertBestScore(HallOfFame& tables, GameMode mode, std::int16_t score, const std::string& name);
    // "Clear Scores", written at once in the same way.
    bool clearScores(HallOfFame& tables, GameMode mode);
    // Writes the table changes still pending in the same way (true when none is left). Every write
    // of a table goes through here, so pending changes reach the store in the order they were made.
    bool writePending(HallOfFame& tables);
    // The table changes the store has not taken yet, oldest first.
    const std::vector<TableChange>& pending() const { return pending_; }

    // "Save and Exit": stores the game being played as the saved game (with the settings record).
    // False when it could not be stored (the caller shows kSaveFailed).
    bool saveGame(const GameData& game, const SolvingData& solvingData);
    // Whether a saved game is waiting. Creates the saved game's empty key on a first run.
    // StoreUnavailable when the store cannot be opened (the caller shows kCheckSavedGameFailed).
    StoredGame isGameStored();
    // Under the store's lock: checks that the saved game is still waiting (NotWaiting when another
    // copy of the game took it), marks it taken ("ISSTORED" 0) and makes sure the mark reached the
    // store before anything is read (NotTaken otherwise, and when the lock cannot be had: the game
    // stays saved and is not resumed, so it can never be resumed twice), then reads it and checks
    // every stored field. Anything but Loaded: the game is not resumed and the caller tells the player.
    SavedGameStatus loadSavedGame(SavedGame& saved);

private:
    SavedGameStatus takeSavedGame();
    bool changeTable(HallOfFame& tables, TableChange change);
    // applied: whether the pending changes were put on the store's tables afresh (then tables holds
    // them, whether or not they could be written).
    bool writePending(HallOfFame& tables, bool& applied);

    platform::Store& store_;
    std::vector<TableChange> pending_;
};

}  // namespace game::persistence
