// One game session: the phase of the game (menu, playing, paused, ending, results), the only place
// that decides whether the Arcade clock runs, and every ending of a game as a queue of steps, run
// exactly once. It applies the player's commands to the game's tables, tells the view what changed
// and asks the front end for what only it can do (an ending's windows, saving, ending the program).
// It never waits: a window asked for is shown by the front end, which reports back when the player
// has closed it. No pixels and no platform here.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/play/daily.h"
#include "game/play/flow.h"
#include "game/play/game_data.h"
#include "game/play/linking.h"
#include "game/play/puzzle.h"
#include "game/play/puzzle_number.h"
#include "game/play/solution_display.h"
#include "game/play/sound_rules.h"
#include "game/play/statistics.h"
#include "game/play/uniform_random.h"
#include "game/play/words.h"

namespace game {

class EngineLibrary;

enum class Phase {
    Menu,     // the main menu is up; no game is on
    Playing,  // a game or level is being played
    Paused,   // play (or the results) hidden behind the pause view
    Ending,   // a game or level is ending: its windows are up, one after the other
    Results,  // the results display of an ended game
    Closing,  // the program is ending; nothing more is shown
};

// What became of "Save and Exit".
enum class SaveOutcome {
    Unavailable,  // there is nowhere to save a game: nothing happens
    Saved,
    Failed,  // the game goes on; the front end tells the player
};

// The commands of the main menu (numbered as its entries: the six, then the line of small entries
// below them), of the play surface's side panel (numbered as its items), and those the play surface
// takes from keys only (from 19 on).
enum class Command {
    Classic = 1,
    Arcade = 2,
    HallOfFameClassic = 3,
    HallOfFameArcade = 4,
    MenuInstructions = 5,
    Exit = 6,
    DailyPuzzle = 7,
    PuzzleNumberEntry = 8,
    Statistics = 9,
    HallOfFame = 10,
    Pause = 11,
    Instructions = 12,
    ShowSolution = 13,
    QuitGame = 14,
    MainMenu = 15,
    SaveAndExit = 16,
    Enter = 17,
    Clear = 18,
    Hint = 19,    // a game on, not Arcade: the next hint
    LookUp = 20,  // the word pointed at on the results or in the daily found list, in the online dictionary
    Copy = 21,    // the results of a daily puzzle or a Classic game: the share line to the clipboard
};

// The steps of an ending, in the order an ending takes them. The windows (EndDialog,
// BestScoreOffer) are shown by the front end, which reports their closing; the other steps the
// session takes by itself as soon as they come up.
enum class EndingStep {
    EndDialog,       // window: the end dialog with the ending's text
    LevelBonus,      // the bonus the end dialog announced is added to the score
    BestScoreOffer,  // window: the game's score offered to the mode's Hall of Fame
    NextLevel,       // the next Arcade level starts
    Results,         // the results display of the ended game
    Menu,            // back to the main menu
    Close,           // the program is ending
};

// An ending's window, as the session asks the front end for it.
struct EndingWindow {
    EndingStep step = EndingStep::EndDialog;
    flow::ResText text;  // EndDialog: what it says
    GameMode mode = GameMode::Classic;
    std::int32_t score = 0;  // BestScoreOffer: the score offered to the mode's table
    // EndDialog of a daily puzzle: its date and progress (the text then is the daily one).
    std::optional<Date> daily;
    DailyProgress progress;
    int hints = 0;  // EndDialog: hints used in the game; told under the text when any
};

// A game that ended, as the statistics count it.
struct GameSummary {
    StatsMode mode = StatsMode::Classic;
    std::int32_t score = 0;
    bool finished = false;  // every word (daily: every required word) found, or the Arcade run completed
    std::vector<std::string> foundWords;
    // The daily puzzle: its day number and the required words found.
    std::int64_t day = 0;
    int requiredFound = 0;
};

// A daily puzzle left unfinished earlier that day, to go on with.
struct DailyResume {
    std::vector<std::string> foundWords;  // upper case
    std::int32_t score = 0;
    int hints = 0;
};

// What the session tells the view: what it shows changed. Each call returns at once.
class SessionView {
public:
    virtual ~SessionView() = default;
    // The phase changed: the view shows the menu, the play surface, the pause view or the results.
    virtual void phaseChanged(Phase from, Phase to) = 0;
    // The countdown starts or stops.
    virtual void clockChanged(bool running) = 0;
    // A new game or level, or a resumed one, is in the tables: the play surface is built afresh.
    virtual void gameReady() = 0;
    // The ended game's results are in the tables: the results display is built.
    virtual void resultsReady() = 0;
    // A press changed the chain (Started, Linked or Unlinked; cell is the cell pressed), a typed
    // letter did (Started for a new chain, else Linked; cell is the chain's last), or the chain was
    // cleared (nullopt).
    virtual void chainChanged(std::optional<linking::Press> how, int cell) = 0;
    // A typed letter that no path can take: the chain is as it was.
    virtual void letterRefused(char32_t letter) = 0;
    // A submitted word was refused, found again or scored (the chain is already cleared then).
    virtual void wordAnswered(const words::Submission& answer) = 0;
    // One tick of the countdown.
    virtual void timeChanged() = 0;
    // A hint was given (nullopt: every wanted word is found, there is nothing to hint at).
    virtual void hintGiven(const std::optional<Hint>&) {}
    // The score changed outside a word: the level bonus.
    virtual void scoreChanged() = 0;
    // The results display: a solution word's path is in the chain.
    virtual void solutionShown(int id) = 0;
    virtual void playSound(Effect effect) = 0;
};

// What the session asks the front end to do. None of these may wait for the player: a window
// asked for is shown once the session's call has returned, and its closing is reported through
// Session::endingWindowClosed.
class SessionFrontEnd {
public:
    virtual ~SessionFrontEnd() = default;
    // Show this window of the ending under way.
    virtual void showEndingWindow(const EndingWindow& window) = 0;
    // A game ended (or a daily puzzle was given up): it counts in the statistics.
    virtual void gameEnded(const GameSummary&) {}
    // The daily puzzle goes on after a change (a word found, a hint): kept to go on with later that
    // day. Its end is told by gameEnded instead.
    virtual void dailyProgressChanged() {}
    // "Save and Exit": store the game being played.
    virtual SaveOutcome saveGame() = 0;
    // End the program (the main window unloads).
    virtual void exitProgram() = 0;
};

class Session {
public:
    // clockSeed gives a number from the system clock; the game's generator is re-seeded from it at
    // each game start.
    Session(GameData& game, EngineLibrary& engine, std::function<std::uint64_t()> clockSeed);

    // Either may be null: then nobody is told, or nobody answers (a window asked for counts as
    // closed at once, a save as unavailable).
    void setView(SessionView* view);
    void setFrontEnd(SessionFrontEnd* frontEnd);

    // --- What the game is doing.
    Phase phase() const { return phase_; }
    const GameData& game() const { return game_; }
    // A game is on: being played, or paused while being played.
    bool gamePlaying() const;
    // The results of an ended game are on the play surface (shown or paused).
    bool showingResults() const;
    // A game is ending: its windows are up, shown or paused.
    bool ending() const { return phase_ == Phase::Ending || (phase_ == Phase::Paused && resumeTo_ == Phase::Ending); }
    // The steps of the ending under way still to come, the current one first; empty when none.
    const std::deque<EndingStep>& endingSteps() const { return steps_; }
    // True when the command is offered on the surface shown (under a pause, the surface it hides):
    // the menu's on the menu, the side panel's while a game is played, and of those only Hall of
    // Fame, Pause, Instructions and Main Menu on the results. None while a game is ending.
    bool available(Command command) const;
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
    // The common words the daily puzzle asks for (none: every word is required). Must outlive the
    // session.
    void setCommonWords(const CommonWords* common) { common_ = common; }

    // --- The daily puzzle.
    struct DailyGame {
        Date date;
        PuzzleNumber number;
        DailyWords words;
    };
    // The day's puzzle while it is played, ending or in its results; nullopt otherwise.
    const DailyGame* daily() const;
    // The daily puzzle's progress; all zero when no daily puzzle is on.
    DailyProgress dailyProgress() const;
    // Hints given in the game on (or ended) so far, and the last one.
    const HintState& hints() const { return hints_; }
    // What the share line says about the game on or just ended; nullopt in Arcade Mode and on the
    // menu before any game.
    std::optional<ShareFacts> shareFacts() const;

    // --- Starting.
    void startClassic();
    void startArcade();
    // A Classic game on the puzzle of this number, from the menu.
    void startPuzzle(const PuzzleNumber& number);
    // A Classic game, or the next level of the Arcade run.
    void startGame();
    // The daily puzzle of the date, from the menu; with resume, the found words, score and hints of
    // the day's game left earlier (words that are not the puzzle's are left out).
    void startDaily(const Date& date, const std::optional<DailyResume>& resume = std::nullopt);
    // Resumes a saved game: load fills the tables, the engine rebuilds the puzzle. False, with the
    // tables as they were, when the record does not make a game (its words are not the puzzle's).
    bool resumeSaved(const LoadSavedGame& load);

    // --- Play.
    void pressCell(int cell, linking::PressKind kind = linking::PressKind::Link);
    // "Enter" and "Clear".
    void enter();
    void clear();
    // The next hint (a daily puzzle or a Classic game being played): told to the view, counted.
    void hint();
    // The Enter and Backspace keys: as the commands, for a game on with more than one letter linked.
    void enterKey();
    void backspaceKey();
    // A letter typed while a game is played: the chain becomes a path that spells its letters and
    // this one (typing::chainAfterTyping), or, when no path can, stays and the refusal sounds. After
    // a typed word was refused, the next typed letter starts a new chain.
    void typeLetter(char32_t letter);
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
    // The player closed the ending's window the front end was asked to show: the ending goes on.
    void endingWindowClosed();

    // --- Results display: shows the path of solution word id (a pointer over the list).
    void showSolutionWord(int id);

private:
    enum class Ending { AllFound, LevelWon, TimeUp, ShowSolution, Quit, DailyDone };

    void setPhase(Phase to);
    void updateClock();
    // Shows a new game (Playing) or the results (Results): paused when a pause is on or the window
    // is minimised. The view builds its surface before it is told of the phase.
    void showGameOrResults(Phase to);
    void putGameOnScreen();
    void endGame(Ending how);
    // Takes the ending's steps until one needs a window, which is asked for, or none are left.
    void runEnding();
    void sound(Effect effect);
    // The ended game to the statistics.
    void reportEnd(bool finished);
    // BestScoreOffer, unless the game may not enter the Hall of Fame.
    bool offersBestScore() const;

    GameData& game_;
    EngineLibrary& engine_;
    std::function<std::uint64_t()> clockSeed_;
    SessionView* view_;
    SessionFrontEnd* frontEnd_;
    UniformRandom random_;
    std::optional<FixedPuzzle> fixedPuzzle_;
    std::optional<PuzzleNumber> askedFor_;  // the next Classic game's puzzle, once

    Phase phase_ = Phase::Menu;
    Phase resumeTo_ = Phase::Playing;  // the phase a pause returns to
    bool clockRunning_ = false;        // as last reported
    bool minimized_ = false;
    std::deque<EndingStep> steps_;  // the ending under way
    bool windowAsked_ = false;      // the first step's window has been asked for
    // The chain as the last typed letter left it, refused as a word: typing starts a new chain.
    bool typedWordRefused_ = false;
    bool chainTyped_ = false;  // the chain's last change came from a typed letter
    int lastShownWordId_ = -1;
    bool gamePlayedThisRun_ = false;
    const CommonWords* common_ = nullptr;
    std::optional<DailyGame> daily_;  // the game on (or last ended) is this day's puzzle
    HintState hints_;
    bool gameStarted_ = false;  // a game was started since the program started (for shareFacts)
};

}  // namespace game
