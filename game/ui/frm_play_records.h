// The records on the main window: the best-score check with its name dialog and Hall of Fame table,
// the Hall of Fame from the menu and the side panel, "Save and Exit", the settings written at
// shut-down, and at start-up the settings read and the saved game offered and resumed.
#pragma once

#include <cstdint>
#include <memory>

namespace game {
class Program;
struct StartupHooks;
}  // namespace game

namespace game::ui {

class FrmStats;

class FrmPlayRecords {
public:
    explicit FrmPlayRecords(Program& program);
    ~FrmPlayRecords();
    FrmPlayRecords(const FrmPlayRecords&) = delete;
    FrmPlayRecords& operator=(const FrmPlayRecords&) = delete;

    // Offers the game's score (its low 16 bits, signed) to the mode's table. A score that ranks
    // brings applause, the name dialog and then the table, modally; the sound stops when the table
    // closes. Always leaves gamePlaying false and the countdown stopped.
    void checkIfBest();
    // The table of modeNum: without blocking from the main menu, modally from the side panel. A
    // table already open is closed first, so only one is ever on screen.
    void showHallOfFame(int modeNum, bool modal);
    // The rank 1 score of a mode's table.
    std::int32_t bestScore(int modeNum) const;
    // "Save and Exit": stores the game being played.
    void saveGame();
    // Shut-down: the settings, the sound switches and both tables.
    void saveSettings();

    // The Hall of Fame window on screen, or nullptr.
    FrmStats* openTable() const { return shown_; }

private:
    void closeOpenTable();
    void showTableModal(int modeNum);

    Program& p_;
    std::unique_ptr<FrmStats> modeless_;
    FrmStats* shown_ = nullptr;
};

// Start-up step 5: reads the settings into program.settings, the sound switches into the sound
// effects, and the board size and found-statistics state the main window starts with.
void loadSettingsAtStart(Program& program);
// Fills the records' seams of the main window; the window's seams keep the records alive.
void connectRecords(Program& program);
// Start-up step 11: when a saved game waits, asks whether to play it; on "Yes" it is read (and so
// consumed), rebuilt and put on screen. A record that does not check out leaves the main menu up
// with the message " Error - Load Saved Game Failerd".
void offerSavedGame(Program& program);
// Plugs the three above into the start-up hooks (after whatever connect already does). Without a
// settings store in the program's services nothing is read or written and no game is offered.
void addRecordsHooks(StartupHooks& hooks);

}  // namespace game::ui
