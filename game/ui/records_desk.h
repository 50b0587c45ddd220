// The records on screen: the best-score check with its applause, name dialog and Hall of Fame table,
// the table opened from the menu and the side panel, and the saved game and settings written
// through the records, with the player told in a message box when that fails.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/persistence/records.h"
#include "game/play/session.h"

namespace platform {
class Graphics;
class Ui;
}  // namespace platform

namespace game::ui {

// The text of the box asked at exit for these unsaved items (at most a few listed by name).
std::string unsavedRecordsText(const std::vector<std::string>& items);

class FrmStats;
class SoundEffects;
class SpriteSheet;

class RecordsDesk {
public:
    // records may be null: then nothing is read or written (no settings store), and the tables live
    // in memory only.
    RecordsDesk(platform::Ui& ui, platform::Graphics& graphics, const SpriteSheet& sheet, SoundEffects& sounds,
                persistence::Settings& settings, persistence::Records* records);
    ~RecordsDesk();
    RecordsDesk(const RecordsDesk&) = delete;
    RecordsDesk& operator=(const RecordsDesk&) = delete;

    // Offers a game's score (its low 16 bits, signed) to the mode's table. A score that ranks
    // brings applause, the name dialog and then the table, modally; the sound stops when the table
    // closes.
    void checkIfBest(GameMode mode, std::int32_t score);
    // The table of modeNum: without blocking from the main menu, modally from the side panel. A
    // table already open is closed first, so only one is ever on screen.
    void showHallOfFame(int modeNum, bool modal);
    // The rank 1 score of a mode's table.
    std::int32_t bestScore(GameMode mode) const;
    // "Save and Exit": stores the game being played.
    SaveOutcome saveGame(const GameData& game);
    // Tells the player that the game could not be saved.
    void tellSaveFailed();
    // Shut-down: the settings record (with the mode and level of the last game when one was played
    // in this run), the sound switches and the chosen zoom, where they changed, and the table
    // changes still pending. When the store refuses and the player would lose a best score, a
    // cleared table, the sound switch or the zoom, the box says which and offers to try again.
    void saveSettings(const GameData& game, bool gamePlayed);
    // The player chose this zoom for the windows: kept for the next start.
    void rememberZoom(int zoom) { settings_.zoom = zoom; }

    // The Hall of Fame window on screen, or nullptr.
    FrmStats* openTable() const { return shown_; }

private:
    void closeOpenTable();
    void showTableModal(int modeNum);
    void tell(std::string_view message);
    // What the player would lose if the program ended now without writing; empty for nothing they
    // would miss.
    std::vector<std::string> unsavedItems() const;

    platform::Ui& ui_;
    platform::Graphics& graphics_;
    const SpriteSheet& sheet_;
    SoundEffects& sounds_;
    persistence::Settings& settings_;
    const persistence::Settings loaded_;  // the settings as the store held them at start-up
    persistence::Records* records_;
    std::unique_ptr<FrmStats> modeless_;
    FrmStats* shown_ = nullptr;
};

}  // namespace game::ui
