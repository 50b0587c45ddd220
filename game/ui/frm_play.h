// The main window frmPlay: a view of the game session and a translator of the player's input. It
// shows one of its three retained surfaces at a time (the menu with its six entries, the play
// surface with the board and the side panels, or the pause view), draws what the session reports,
// and turns presses, moves, keys and timer ticks into the session's commands.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "game/play/session.h"
#include "game/play/statistics.h"
#include "game/ui/box_info.h"
#include "game/ui/keys.h"
#include "game/ui/palette.h"
#include "game/ui/side_panel.h"
#include "game/ui/strings.h"
#include "platform/graphics.h"
#include "platform/window.h"

namespace platform {
class Clipboard;
class Shell;
class Store;
}  // namespace platform

namespace game {
class Definitions;
}

namespace game::ui {

class RecordsDesk;
class SoundEffects;
class SpriteSheet;

// Fixed numbers of the main window and its menu, in pixels.
namespace window {
constexpr const char* kTitle = kAppTitle;
// Between the title and a puzzle's number in the caption: "Varnook - 5x4-1234".
constexpr const char* kNumberSeparator = " - ";
constexpr int kWidth = 16 * kCellSize;   // 704
constexpr int kHeight = 12 * kCellSize;  // 528

// The surfaces' fonts.
constexpr const char* kMenuFont = "Arial Narrow";
constexpr const char* kPlayFont = "Times New Roman";
constexpr double kSurfacePoints = 14.25;

// The pause label: its caption (the string table's PauseCaption) over the window background.
constexpr platform::Rect kPauseLabel{109, 177, 109 + 287, 177 + 24};
constexpr const char* kPauseFont = "MS Sans Serif";
constexpr double kPausePoints = 13.5;

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
constexpr int kEntryShift = 4;
constexpr int kEntryHoverShift = 8;
// Below the six entries, a line of small ones: the daily puzzle, a puzzle by its number and the
// statistics (entries 7 to 9), centred across the window.
constexpr int kLineEntries = 3;
constexpr int kAllEntries = kMenuEntries + kLineEntries;
constexpr int kLineEntryWidth = 3 * kCellSize;  // 132
constexpr int kLineEntryHeight = 24;
constexpr int kLineGap = kCellSize / 2;
constexpr int kLineLeft = (kWidth - kLineEntries * kLineEntryWidth - (kLineEntries - 1) * kLineGap) / 2;  // 132
constexpr int kLineTop = 486;
constexpr double kLinePoints = 11.25;
constexpr int kLineShift = 2;
constexpr int kLineHoverShift = 4;
// The language button in the menu's top right corner: the name of the language played (the string
// table's LanguageName); a press, or Ctrl+L, goes on to the next language.
constexpr int kLanguageWidth = 120;
constexpr int kLanguageHeight = kEntryHeight;
constexpr int kLanguageLeft = kWidth - kLanguageWidth - 12;
constexpr int kLanguageTop = 12;

// Caption offsets of the play surface.
constexpr int kHoverShift = 8;
constexpr int kCommandLeaveShift = 6;
constexpr int kMessageShift = 1;
constexpr int kStatsShift = 1;
constexpr int kTimeTickShift = 1;  // the Time value as each tick redraws it
constexpr int kBackShift = 4;
constexpr int kBackHoverShift = 8;

// How long a repeated word stays highlighted in the list. The window goes on handling input and
// the countdown meanwhile.
constexpr int kRepeatedWordMs = 300;
// A scored word's points stand in the emptied word strip this long.
constexpr int kPointsShowMs = 1500;
constexpr double kPointsPoints = 20;
constexpr int kPointsShift = 2;
// An Arcade level's last tenths of a second: the Time value warns and the clock ticks each second.
constexpr int kWarningTenths = 150;
// The line under the progress bar that tells an Arcade level's target and the points still needed.
constexpr platform::Rect kNeedsLine{176, 482, 176 + 330, 482 + 18};
// The line at the foot of the play surface, clear of the board, the list and the progress bar: the
// short definition of the word pointed at (results display, the daily puzzle's found list).
constexpr platform::Rect kNoteLine{kCellSize * 3 + 6, 500, 620, 500 + 22};
constexpr double kNotePoints = 9.75;
// How long a typed letter no path can take stays struck out in the word strip.
constexpr int kRefusedLetterMs = 400;
// Auto-repeat of a held arrow: the timer is created at 300 ms, every stop puts it back to 600 ms,
// and each tick lowers it by 100 ms down to 100 ms.
constexpr int kRepeatFirstMs = 300;
constexpr int kRepeatRestartMs = 600;
}  // namespace window

// Messages of the message line.
enum class Message : std::int16_t { Clear = 0, AlreadyFound = 1, NotAWord = 2, Points = 3, Results = 4 };

// The services and the parts of the program the main window works with; all outlive it.
struct FrmPlayContext {
    platform::Ui& ui;
    platform::Graphics& graphics;
    platform::Shell& shell;
    Session& session;
    SoundEffects& sounds;
    const SpriteSheet& sheet;
    RecordsDesk& records;
    std::string appPath;
    // Optional parts: without them the statistics are not kept, nothing is copied, no definition is
    // shown, and today is 1970-01-01.
    platform::Store* store = nullptr;
    platform::Clipboard* clipboard = nullptr;
    const Definitions* definitions = nullptr;
    std::function<Date()> today;
    // Plays a language from now on: its dictionary for the next game and its texts, or English when
    // its dictionary is missing or refused (the player is told which file). Without it the menu has
    // no language button.
    std::function<void(letters::Language)> chooseLanguage;
};

class FrmPlay final : public platform::WindowHandler, public SessionView, public SessionFrontEnd {
public:
    // Attaches itself to the session as its view and front end.
    explicit FrmPlay(FrmPlayContext context);
    ~FrmPlay() override;
    FrmPlay(const FrmPlay&) = delete;
    FrmPlay& operator=(const FrmPlay&) = delete;

    // --- The window ---
    // Creates and shows the window (modeless) with the stored state of the found-statistics toggle,
    // lays out the menu and shows it.
    void show(int foundViewAtStart);
    // Unloads the window, which ends the program (the unload handler runs first).
    void unload();
    // From the menu: the day's daily puzzle; the day's game left earlier goes on.
    void startDaily();

    // --- What is on screen ---
    enum class View { Menu, Play, Paused };
    // The surface on top: the menu, else the play surface, else the pause view.
    View view() const;
    platform::Window* window() { return window_.get(); }
    platform::Surface& pbMainMenu() { return *pbMainMenu_; }
    platform::Surface& pbGrid() { return *pbGrid_; }
    platform::Surface& lblPause() { return *lblPause_; }
    platform::Timer& navigateTimer() { return *navigateTimer_; }
    platform::Timer& timrCntDwn() { return *timrCntDwn_; }
    platform::Timer& refusedLetterTimer() { return *refusedLetterTimer_; }
    const PlayRegions& regions() const { return regions_; }
    const BoxInfo& titleBox() const { return titleBox_; }
    const BoxInfo& mmBtn(int i) const { return mmBtns_[i]; }
    const BoxInfo& noteLine() const { return noteLine_; }
    // The statistics as last read or counted.
    const Statistics& statistics() const { return statistics_; }
    // The text of the note line (a definition), empty when it is clear.
    const std::string& noteText() const { return noteText_; }
    const BoxInfo& languageBtn() const { return languageBtn_; }
    // The time left as the Time panel shows it.
    const std::string& timerStr() const { return timerStr_; }
    // The first word the word list shows.
    int listTop() const { return listTop_; }
    // The arrow held: 0 none, 1 up, 2 down.
    results::Navigate navigateToggle() const { return navigateToggle_; }
    // The progress bar: the game's (Classic) or the level's (Arcade) share of targetPoints.
    void drawProgress();

    // --- platform::WindowHandler: input goes to the surface on top.
    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    void onMouseUp(int button, int shift, double x, double y) override;
    void onKeyPress(char32_t ch) override;
    // Ctrl+plus and Ctrl+minus change the zoom, F11 toggles full screen; on the menu Up and Down
    // move the highlighted entry, which Enter chooses.
    void onKeyDown(platform::Key key, int shift) override;
    // Ctrl with a letter: the side panels' commands (game/ui/keys.h).
    void onShortcut(char32_t letter, int shift) override;
    // The wheel scrolls the word list; over the results list the word under the pointer lights up.
    void onMouseWheel(int steps, int shift, double x, double y) override;
    void onStateChange(bool minimized) override;
    void onClose() override;

    // --- SessionView: what the session reports is drawn or heard.
    void phaseChanged(Phase from, Phase to) override;
    void clockChanged(bool running) override;
    void gameReady() override;
    void resultsReady() override;
    void chainChanged(std::optional<linking::Press> how, int cell) override;
    void letterRefused(char32_t letter) override;
    void wordAnswered(const words::Submission& answer) override;
    void timeChanged() override;
    void scoreChanged() override;
    void solutionShown(int id) override;
    void hintGiven(const std::optional<Hint>& hint) override;
    void playSound(Effect effect) override;

    // --- SessionFrontEnd: what the session asks for is done once its call has returned.
    void showEndingWindow(const EndingWindow& window) override;
    void gameEnded(const GameSummary& summary) override;
    void dailyProgressChanged() override;
    SaveOutcome saveGame() override;
    void exitProgram() override;

private:
    // --- The window and the menu (frm_play.cpp).
    void Form_Load(int foundViewAtStart);
    void initMainMenuVar();
    // Paints the menu afresh, no entry lit, and shows it.
    void drawMainMenu();
    void drawMenuEntry(int i, bool hover);
    // Up (-1) and Down (+1): the hover look moves to the entry above or below, round the menu and
    // its line of small entries; Left and Right (sideways) move it within that line.
    void moveMenuHighlight(int step, bool sideways = false);
    void drawLanguageButton(bool hover);
    // The language button's press: the language after the one played (or after the one last asked
    // for, when that one was refused), round the table.
    void nextLanguage();
    // The entry in the hover look, or 0.
    int highlightedEntry() const;
    void divertClick(int mmBtnNum);
    void paintPauseView();
    void refresh();
    // The caption: the title, and the puzzle's number while a Classic puzzle is on the board.
    void updateCaption();
    void showHelp();
    // The menu's line: a puzzle by its number, the statistics window.
    void askPuzzleNumber();
    void showStatistics();
    Date today() const;
    // Play surface: the share line to the clipboard, told on the message line; the word pointed at
    // in the online dictionary.
    void copyShareLine();
    void lookUpWord();
    // The definition of word on the note line (empty word: the line is cleared); present: shown at
    // once, else with the caller's next refresh.
    void showDefinition(const std::string& word, bool present = true);
    // The daily puzzle's words found and bonus words on the Time and Level lines.
    void drawDailyProgress();
    // One zoom step larger (+1) or smaller (-1), as far as the desktop has room; remembered.
    void changeZoom(int step);
    void Form_Unload();
    // Does what the session asked for during the input or tick just handled: shows an ending's
    // windows one after the other (reporting each closing), tells of a failed save, unloads.
    void answerRequests();
    void showEnding(const EndingWindow& window);
    void pbMainMenu_MouseDown(int button, int shift, double x, double y);
    void pbMainMenu_MouseMove(int button, int shift, double x, double y);
    void pbGrid_MouseDown(int button, int shift, double x, double y);
    void pbGrid_MouseMove(int button, int shift, double x, double y);
    void pbGrid_MouseUp(int button, int shift, double x, double y);
    // A press on command n of the left side panel (the commands, not a right-hand panel).
    void rightPanEvents(int btnIndex);
    void holdArrow(results::Navigate direction);
    // One step of the word list; false when it is already at its end.
    bool scrollList(results::Navigate direction);
    void stopRepeat();
    // Ends a held arrow's auto-repeat as its release would.
    void releaseArrow();
    void navigateTimer_Timer();
    void processShowingResMove(double x, double y);

    // --- The keyboard's reach (frm_play_keys.cpp).
    // A key for a side-panel command, the sound switch or the statistics toggle: as a press on it.
    void panelKey(const keys::PanelKey& key);
    void flipSound(bool highlighted);
    void flipFoundStats();
    // A list key on the play surface: the found list scrolls; the results list moves from word to
    // word, each lit on the board. False when the key is not a list key.
    bool browseList(platform::Key key);
    // Scrolls the word list until top is its first word shown, and draws it.
    void scrollListTo(int top);

    // --- The play surface (frm_play_surface.cpp).
    void buildPlaySurface();
    void drawPanelTexts();
    void drawCommand(int n, bool hover, int shift);
    void drawScore();
    void drawTime(int shift);
    // A scored word's points in the emptied word strip, for a moment (pointsTimer_ ends it).
    void showPoints(int points);
    void pointsShown();
    // The end of a repeated word's moment of highlight in the list (repeatedWordTimer_).
    void repeatedWordShown();
    // Arcade: the level's target and the points still needed, under the progress bar.
    void drawLevelNeeds();
    void drawFoundList(int selected);
    void drawFoundStats();
    void showMessage(Message messageId, const std::string& text = {});
    void redrawBoard();
    void scrolled();
    void initiateResultsShow();
    void drawBackBtn(bool hot);

    FrmPlayContext ctx_;
    Session& session_;
    const GameData& game_;
    std::unique_ptr<platform::Window> window_;
    std::unique_ptr<platform::Surface> pbMainMenu_;
    std::unique_ptr<platform::Surface> pbGrid_;
    std::unique_ptr<platform::Surface> lblPause_;
    std::unique_ptr<platform::Timer> navigateTimer_;
    std::unique_ptr<platform::Timer> timrCntDwn_;
    std::unique_ptr<platform::Timer> pointsTimer_;
    std::unique_ptr<platform::Timer> refusedLetterTimer_;  // ends the struck-out letter's moment
    std::unique_ptr<platform::Timer> repeatedWordTimer_;   // ends a repeated word's highlight

    // What the session asked for and answerRequests has still to do.
    std::optional<EndingWindow> endingAsked_;
    bool saveFailed_ = false;
    bool exitAsked_ = false;
    bool answering_ = false;  // answerRequests is running further up the stack

    std::string timerStr_;
    std::int16_t listTop_ = 1;
    results::Navigate navigateToggle_ = results::Navigate::None;
    PlayRegions regions_;
    BoxInfo titleBox_;
    Indexed<BoxInfo, 1, window::kAllEntries> mmBtns_;
    BoxInfo noteLine_;
    std::string noteText_;
    std::string noteWord_;  // the word whose definition the note line shows
    Statistics statistics_;
    BoxInfo languageBtn_;
    std::optional<letters::Language> refusedLanguage_;  // the language last asked for, when refused
};

}  // namespace game::ui
