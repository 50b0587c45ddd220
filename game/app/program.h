// The composition root: everything the running program holds, made by the start-up sequence in its
// order and kept until the program ends. Shut-down runs in the main window's unload handler.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "game/persistence/records.h"
#include "game/play/daily.h"
#include "game/play/game_data.h"
#include "game/play/puzzle_number.h"
#include "game/ui/sprite_sheet.h"
#include "platform/platform.h"
#include "platform/window.h"

namespace game {

class CommonWords;
class Definitions;
class EngineLibrary;
class Session;

namespace ui {
class FrmPlay;
class RecordsDesk;
class SoundEffects;
}  // namespace ui

// What the command line asks of the start-up.
struct StartOptions {
    // A Classic game on this puzzle once the menu is up, instead of the offer of a saved game
    // (which stays saved for the next start).
    std::optional<PuzzleNumber> puzzle;
    // The windows' zoom for this run, instead of the remembered or the fitting one.
    std::optional<int> zoom;
    // The language asked for (--language, a puzzle's number): its dictionary is loaded and its
    // texts shown. Without one, the language the player last chose in the game, else the desktop's.
    // When the language's dictionary is missing or refused the player is told which, and English is
    // played.
    std::optional<letters::Language> language;
    letters::Language desktopLanguage = letters::Language::English;
    // The day's daily puzzle once the menu is up (instead of the offer of a saved game).
    bool daily = false;
    // The day taken for today (tests); otherwise the clock's local date.
    std::optional<Date> today;
};

class Program {
public:
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the start-up sequence from the program folder: the engine and its dictionary, the
    // settings (when the services have a store), the sounds and the sprite sheet, the main window
    // with its main menu, and the offer of a saved game (or the puzzle asked for). nullptr when the
    // engine library cannot be loaded or the dictionary is missing or unreadable; *failure then
    // names the file and the program folder, for a message box.
    static std::unique_ptr<Program> start(const platform::Services& services, const std::string& programFolder,
                                          std::string* failure, const StartOptions& options = {});

    const platform::Services services;
    // The program folder with one trailing separator; every data file is appPath + its name.
    const std::string appPath;
    GameData game;
    // The settings records as loaded at start-up and written at shut-down: the settings record
    // (its reserved bytes carried through), the sound switches and both Hall of Fame tables.
    persistence::Settings settings;
    std::unique_ptr<persistence::Records> records;  // null without a settings store
    std::unique_ptr<EngineLibrary> engine;
    ui::SpriteSheet sheet;
    std::unique_ptr<ui::SoundEffects> sounds;
    std::unique_ptr<ui::RecordsDesk> desk;
    // What the game knows about words besides the dictionary (files beside it; empty when missing).
    std::unique_ptr<CommonWords> commonWords;
    std::unique_ptr<Definitions> definitions;
    std::optional<bool> wordNotesEnglish;  // the language the two above were read for: English or not
    std::unique_ptr<Session> session;
    std::unique_ptr<ui::FrmPlay> frmPlay;

private:
    Program(const platform::Services& services, std::string appPath);
    // Why the language asked for is not played (its dictionary file), told once the window is up.
    std::string dictionaryRefused;
    void loadSettings();
    void offerSavedGame();
    // Loads the dictionary of language for the board; when it is missing or refused, tells the
    // player and keeps the language played so far.
    bool useLanguage(letters::Language language);
    // The common words and the definitions beside the dictionary follow the board's language:
    // English has both; another language requires every word and has no definitions. They are read
    // again only when the language moves to or from English.
    void loadWordNotes();
    // The player's choice on the menu: the language's dictionary and texts, else English (told why);
    // kept for the next start.
    void chooseLanguage(letters::Language language);
};

// The local date of the system clock.
Date clockDate();

// The share of the desktop's height the main window takes at most at the zoom chosen at start.
constexpr int kComfortablePercent = 85;

// The windows' zoom at start: the one asked for; else the one the player chose last (0: none), as
// far as the desktop has room for the main window at it; else the largest at which the main window
// fits the desktop's width and kComfortablePercent of its height. An unknown desktop (0 x 0) gives
// the remembered zoom, or 1.
int startZoom(std::optional<int> asked, int remembered, platform::Size desktop);

// The folder with exactly one trailing separator ("/" or "\" kept as given).
std::string appPathOf(const std::string& folder);

}  // namespace game
