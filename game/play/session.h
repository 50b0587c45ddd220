// One game session: the phase of the game (menu, playing, paused, ending, results), the only place
// that decides whether the Arcade clock runs, and every ending of a game, run exactly once. It
// applies the player's commands to the game's tables and reports what changed to one events
// interface, which the main window implements. No pixels and no platform here.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "game/play/flow.h"
#include "game/play/game_data.h"
#include "game/play/linking.h"
#include "game/play/puzzle.h"
#include "game/play/puzzle_number.h"
#include "game/play/solution_display.h"
#include "game/play/sound_rules.h"
#include "game/play/uniform_random.h"
#include "game/play/words.h"

namespace game {

class EngineLibrary;

enum class Phase {
    Menu,     // the main menu is up; no game is on
    Playing,  // a game or level is being played
    Paused,   // play (or the results) hidden behind the pause view
    Ending,   // a game or level is ending: its dialogs are up
    Results,  // the results display of an ended game
    Closing,  // the program is ending; nothing more is shown
};

// What became of "Save and Exit".
enum class SaveOutcome {
    Unavailable,  // there is nowhere to save a game: nothing happens
    Saved,
    Failed,  // the player has been told; the game goes on
};

// What the session tells the main window. Modal steps (the end dialog, the best-score offer) return
// when the player has closed their windows.
class SessionEvents {
public:
    virtual ~SessionEvents() = default;
    // The phase changed: the view shows the menu, the play surface, the pause view or the results.
    virtual void phaseChanged(Phase from, Phase to) = 0;
    // The countdown starts or stops.
    virtual void clockChanged(bool running) = 0;
    // A new game or level, or a resumed one, is in the tables: the play surface is built afresh.
    virtual void gameReady() = 0;
    // A press changed the chain (Started, Linked or Unlinked; cell is the cell pressed), a typed
    // letter did (Started for a new chain, else Linked; cell is the chain's last), or the chain was
    // cleared (nullopt).
    virtual void chainChanged(std::optional<linking::Press> how, int cell) = 0;
    // A submitted word was refused, found again or scored (the chain is already cleared then).
    virtual void wordAnswered(const words::Submission& answer) = 0;
    // One tick of the countdown.
    virtual void timeChanged() = 0;
    // The score changed outside a word: the level bonus.
    virtual void scoreChanged() = 0;
    // The results display: a solution word's path is in the chain.
    virtual void solutionShown(int id) = 0;
    virtual void playSound(Effect effect) = 0;
    // The end dialog with this text, modal.
    virtual void showEndDialog(const flow::ResText& text) = 0;
    // The game's score offered to the mode's Hall of Fame, modal.
    virtual void offerBestScore(GameMode mode, std::int32_t score) = 0;
    // "Save and Exit": stores the game being played.
    virtual SaveOutcome saveGame() = 0;
    // The program is to end (the main window unloads).
    virtual void exitProgram() = 0;
};

class Session {
public:
    // clockSeed gives a number from the system clock; the game's generator is re-seeded from it at
    // each game start.
    Session(GameData& game, EngineLibrary& engine, std::function<std::uint64_t()> clockSeed);

    void setEvents(SessionEvents* events) { events_ = events; }

    // --- What the game is doing.
    Phase phase() const { return phase_; }
    const GameData& game() const { return game_; }
    // A game is on: being played, or paused while being played.
    bool gamePlaying() const;
    // The results of an ended game are on the play surface (shown or paused).
    bool showingResults() const;
    // The clock runs while an Arcade level is played with time left, and at no other time.
    bool clockRuns() const;
    results::ListMode listMode() const;
    // Results display: the solution word whose path is shown, -1 for none yet.
    int lastShownWordId() const { return lastShownWordId_; }
    // A game was started or resumed since the program started: its mode and level are the ones the
    // settings keep.
    bool gamePlayedThisRun() const { return gamePlayedThisRun_; }
    // The number of the Classic puzzle on the board while it is played, ending or in its results;
    // nullopt on the menu, while the program closes, in Arcade Mode, and for a resumed game whose
    // number is not known.
    std::optional<PuzzleNumber> puzzleNumber() const;

    // Plays this board instead of a random one (tests, and a puzzle asked for by its number): the
    // level-table row of a Classic board and the puzzle seed.
    struct FixedPuzzle {
        int levelRow = 1;
        int seed = 0;
    };
    void setFixedPuzzle(std::optional<FixedPuzzle> fixed) { fixedPuzzle_ = fixed; }

    // --- Starting.
    void startClassic();
    void startArcade();
    // A Classic game on the puzzle of this number, from the menu.
    void startPuzzle(const PuzzleNumber& number);
    // A Classic game, or the next level of the Arcade run.
    void startGame();
    // Resumes a saved game: load fills the tables, the engine rebuilds the puzzle. False, with the
    // tables as they were, when the record does not make a game (its words are not the puzzle's).
    bool resumeSaved(const LoadSavedGame& load);

    // --- Play.
    void pressCell(int cell, int button);
    // "Enter" and "Clear".
    void enter();
    void clear();
    // The Enter and Backspace keys: as the commands, for a game on with more than one letter linked.
    void enterKey();
    void backspaceKey();
    // A letter typed while a game is played: the chain becomes a path that spells its letters and
    // this one (typing::chainAfterTyping), or, when no path can, stays and the refusal sounds.
    void typeLetter(char32_t letter);
    // One step of the word list; false when it is already at its end.
    bool scroll(results::Navigate direction);
    // One tick of the Arcade countdown.
    void tick();

    // --- Pause.
    void pause();
    void resume();
    bool paused() const { return phase_ == Phase::Paused; }
    // The main window was minimised (which pauses) or restored (which does not resume).
    void setMinimized(bool minimized);

    // --- Endings and the menu.
    void showSolution();
    void quitGame();
    // "Main Menu": ends a game that is on, as "Quit game"; otherwise straight to the menu.
    void mainMenu();
    void saveAndExit();
    // The main window is closing: a game on is offered to the Hall of Fame first.
    void close();

    // --- Results display: shows the path of solution word id (a pointer over the list).
    void showSolutionWord(int id);

private:
    enum class Ending { AllFound, LevelWon, TimeUp, ShowSolution, Quit };

    void setPhase(Phase to);
    void updateClock();
    void putGameOnScreen();
    void endGame(Ending how);
    void offerBestScore();
    void sound(Effect effect);

    GameData& game_;
    EngineLibrary& engine_;
    std::function<std::uint64_t()> clockSeed_;
    SessionEvents* events_ = nullptr;
    UniformRandom random_;
    std::optional<FixedPuzzle> fixedPuzzle_;
    std::optional<PuzzleNumber> askedFor_;  // the next Classic game's puzzle, once

    Phase phase_ = Phase::Menu;
    Phase resumeTo_ = Phase::Playing;  // the phase a pause returns to
    bool clockRunning_ = false;        // as last reported
    bool minimized_ = false;
    bool pauseWhenEnded_ = false;  // paused while a game was ending: the next view starts paused
    int lastShownWordId_ = -1;
    bool gamePlayedThisRun_ = false;
};

}  // namespace game
