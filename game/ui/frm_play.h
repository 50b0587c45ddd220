// The main window frmPlay: the menu surface with the six main-menu entries, the play surface with
// the board and the side panels, the pause view, the keys, and the window's handlers. It shows one
// of its three retained surfaces at a time.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "game/play/game_data.h"
#include "game/play/solution_display.h"
#include "game/play/uniform_random.h"
#include "game/ui/box_info.h"
#include "game/ui/side_panel.h"
#include "platform/graphics.h"
#include "platform/window.h"

namespace platform {
class Shell;
}

namespace game {
class EngineLibrary;
class SoundEffects;
}  // namespace game

namespace game::ui {

class SpriteSheet;

// Fixed numbers of the main window and its menu, in pixels.
namespace window {
constexpr const char* kTitle = "Varnook";
constexpr int kWidth = 16 * kCellSize;   // 704
constexpr int kHeight = 12 * kCellSize;  // 528
constexpr platform::Color kBackground = platform::rgb(128, 128, 255);

// The surfaces' fonts.
constexpr const char* kMenuFont = "Arial Narrow";
constexpr const char* kPlayFont = "Times New Roman";
constexpr double kSurfacePoints = 14.25;

// The pause label: its caption over the window background.
constexpr const char* kPauseCaption = "Click here to resume the game";
constexpr platform::Rect kPauseLabel{109, 177, 109 + 287, 177 + 24};
constexpr const char* kPauseFont = "MS Sans Serif";
constexpr double kPausePoints = 13.5;
constexpr platform::Color kPauseText = platform::rgb(128, 255, 128);

// Main menu: the title picture and six entries.
constexpr int kMenuEntries = 6;
constexpr int kTitleLeft = 8 * kCellSize - 92;  // 260
constexpr int kTitleTop = kCellSize;            // 44
constexpr int kTitleWidth = 195;
constexpr int kTitleHeight = 105;
constexpr int kEntryLeft = 242;             // 5.5 units
constexpr int kEntryWidth = 5 * kCellSize;  // 220
constexpr int kEntryHeight = 30;
constexpr double kEntryPitch = kCellSize * 1.1;  // entry i lies at (i + 3) pitches, rounded
constexpr int kEntryCaption = 80;                // entry i's caption is string 80 + i
constexpr int kEntryShift = 4;
constexpr int kEntryHoverShift = 8;
constexpr int kTitleSprite = 5;

// Caption offsets of the play surface.
constexpr int kHoverShift = 8;
constexpr int kCommandLeaveShift = 6;
constexpr int kMessageShift = 1;
constexpr int kStatsShift = 1;

// The pause after a repeated word, with the word highlighted in the list.
constexpr int kRepeatedWordMs = 300;
}  // namespace window

// Main-menu entries.
enum class MenuEntry {
    Classic = 1,
    Arcade = 2,
    HallOfFameClassic = 3,
    HallOfFameArcade = 4,
    Instructions = 5,
    Exit = 6
};

// Messages of the message line.
enum class Message : std::int16_t { Clear = 0, AlreadyFound = 1, NotAWord = 2, Points = 3, Results = 4 };

// The services and the shared state the main window works with; all outlive it.
struct FrmPlayContext {
    platform::Ui& ui;
    platform::Graphics& graphics;
    platform::Shell& shell;
    GameData& game;
    EngineLibrary& engine;
    SoundEffects& sounds;
    const SpriteSheet& sheet;
    std::string appPath;
};

// Where the rest of the game plugs into the main window: the flow of a game (endings, the
// countdown, the results display, the end dialog) and the records (Hall of Fame, saved game,
// settings). An empty seam does nothing; each is named after the procedure it stands for.
struct FrmPlaySeams {
    // --- Flow of a game ---
    // Classic Mode: score reached targetPoints after a new word (every solution word found).
    std::function<void()> gameWon;
    // Arcade Mode: levelScore reached targetPoints after a new word.
    std::function<void()> levelWon;
    // "Show Solution": end the game and show the results (the countdown is already stopped).
    std::function<void()> gameOver;
    // The end dialog diagWow, shown modally ("Quit game", "Main Menu" during a game).
    std::function<void()> showEndDialog;
    // One tick of the countdown timrCntDwn.
    std::function<void()> timrCntDwn_Timer;
    // Presses and moves on the play surface while the results are shown.
    std::function<void(double x, double y)> processShowingResHit;
    std::function<void(double x, double y)> processShowingResMove;

    // --- Records ---
    // Offers the game's score to the Hall of Fame; leaves gamePlaying false.
    std::function<void()> checkIfBest;
    // Shows the Hall of Fame window frmStats for modeNum (1 Classic, 2 Arcade), modal or not.
    std::function<void(int modeNum, bool modal)> showHallOfFame;
    // The best (rank 1) score of a mode's Hall of Fame table.
    std::function<std::int32_t(int modeNum)> bestScore;
    // Stores the unfinished game ("Save and Exit").
    std::function<void()> saveGame;
    // Writes the settings records at shut-down.
    std::function<void()> saveSettings;
};

class FrmPlay final : public platform::WindowHandler {
public:
    explicit FrmPlay(FrmPlayContext context);
    ~FrmPlay() override;
    FrmPlay(const FrmPlay&) = delete;
    FrmPlay& operator=(const FrmPlay&) = delete;

    FrmPlaySeams seams;

    // A fixed puzzle for tests: the level-table row of the Classic board size and the engine seed,
    // used instead of the clock-seeded choice.
    struct FixedPuzzle {
        int levelRow = 1;
        int seed = 0;
    };
    std::optional<FixedPuzzle> fixedPuzzle;

    // --- Public fields of the window ---
    bool gamePlaying = false;
    bool showingResults = false;
    std::int32_t navigateToggle = 0;  // 0 no arrow held, 1 up, 2 down
    std::string timerStr;
    std::string bestScoreValString;
    std::int16_t lastShownWordId = -1;
    results::ListMode listMode = results::ListMode::Found;

    // --- The window ---
    // Creates and shows the window (modeless); Form_Load runs with the stored state of the
    // found-statistics toggle.
    void show(int foundViewAtStart);
    void Form_Load(int foundViewAtStart);
    // The program's icon, which every window of the game shows: a linked board tile bearing the
    // title's initial on the panel blue. Null when the sprite sheet is missing.
    std::unique_ptr<platform::Surface> drawProgramIcon() const;
    void resizeWindow();
    void initMainMenuVar();
    void mainMenu(bool boolShow);
    void divertClick(int mmBtnNum);
    // Unloads the window, which ends the program (Form_Unload runs first).
    void unload();

    // --- A game on the play surface ---
    void startGame();
    void startArcadeGame();
    // Paints a game's play surface: the regions laid out, the board, strip, list, statistics, panel
    // texts, sound icon and progress bar. startGame and a resumed game use it.
    void buildPlaySurface();
    // Puts a saved game restored by restorePuzzle on screen as it was: its scores, level, clock
    // (Arcade Mode runs on from the stored tenths) and found words.
    void restartStoredGame();
    void enablePause(bool boolShow);
    void enterClicked();
    void clrClicked();
    void showMessage(Message messageId, const std::string& text = {});
    void rightPanEvents(int btnIndex);
    void initLPBtns();
    void initRPBtns();
    void drawFoundStats();
    void dwnArrClicked();
    void upArrClicked();
    // The score value of the side panel.
    void drawScore();
    // The progress bar: the game's (Classic) or the level's (Arcade) share of targetPoints.
    void drawProgress();
    // The list box from foundListTop, word selected framed (0 for none).
    void drawFoundList(int selected);
    // Shows the visible surface's picture on the screen.
    void refresh();

    // --- Event handlers ---
    void Form_KeyPress(char32_t keyAscii);
    void Form_Resize(bool minimized);
    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_Unload();
    void lblPause_Click();
    void pbMainMenu_MouseDown(int button, int shift, double x, double y);
    void pbMainMenu_MouseMove(int button, int shift, double x, double y);
    void pbGrid_MouseDown(int button, int shift, double x, double y);
    void pbGrid_MouseMove(int button, int shift, double x, double y);
    void pbGrid_MouseUp(int button, int shift, double x, double y);
    void navigateTimer_Timer();

    // platform::WindowHandler: input goes to the surface on top.
    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    void onMouseUp(int button, int shift, double x, double y) override;
    void onKeyPress(char32_t ch) override { Form_KeyPress(ch); }
    void onStateChange(bool minimized) override { Form_Resize(minimized); }
    void onClose() override { Form_Unload(); }

    // --- What is on screen ---
    enum class View { Menu, Play, Paused };
    // The surface on top: the menu, else the play surface, else the pause label on the background.
    View view() const;
    bool lblPauseVisible() const { return lblPauseVisible_; }
    platform::Window* window() { return window_.get(); }
    platform::Surface& pbMainMenu() { return *pbMainMenu_; }
    platform::Surface& pbGrid() { return *pbGrid_; }
    platform::Surface& lblPause() { return *lblPause_; }
    platform::Timer& navigateTimer() { return *navigateTimer_; }
    platform::Timer& timrCntDwn() { return *timrCntDwn_; }
    const PlayRegions& regions() const { return regions_; }
    PlayRegions& regions() { return regions_; }
    const BoxInfo& titleBox() const { return titleBox_; }
    const BoxInfo& mmBtn(int i) const { return mmBtns_[static_cast<std::size_t>(i)]; }

private:
    // Clears what a finished game left (results display, pause) before the next one starts.
    void leaveEndedGame();
    // Shows the game held in the tables on the play surface and starts an Arcade level's clock.
    void putGameOnScreen();
    void paintPauseView();
    void drawMenuEntry(int i, bool hover);
    void drawCommand(int n, bool hover, int shift);
    void drawPanelTexts();
    void redrawBoard();
    void boardPress(int button, double x, double y);
    void quitGame();
    std::string programFolder() const;

    FrmPlayContext ctx_;
    GameData& game_;
    UniformRandom random_;
    std::unique_ptr<platform::Window> window_;
    std::unique_ptr<platform::Surface> pbMainMenu_;
    std::unique_ptr<platform::Surface> pbGrid_;
    std::unique_ptr<platform::Surface> lblPause_;
    std::unique_ptr<platform::Timer> navigateTimer_;
    std::unique_ptr<platform::Timer> timrCntDwn_;
    bool menuVisible_ = false;
    bool gridVisible_ = false;
    bool lblPauseVisible_ = false;

    PlayRegions regions_;
    BoxInfo titleBox_;
    std::array<BoxInfo, window::kMenuEntries + 1> mmBtns_{};  // entries 1..6
};

}  // namespace game::ui
