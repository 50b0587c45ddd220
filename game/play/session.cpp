// The session: phases, the clock derived from them, the player's commands and the endings of games.
#include "game/play/session.h"

#include <algorithm>
#include <utility>

#include "game/play/engine_library.h"
#include "game/play/typing.h"

namespace game {

namespace {

// Events nobody listens to, until the window attaches itself.
class NoEvents final : public SessionEvents {
public:
    void phaseChanged(Phase, Phase) override {}
    void clockChanged(bool) override {}
    void gameReady() override {}
    void chainChanged(std::optional<linking::Press>, int) override {}
    void wordAnswered(const words::Submission&) override {}
    void timeChanged() override {}
    void scoreChanged() override {}
    void solutionShown(int) override {}
    void playSound(Effect) override {}
    void showEndDialog(const flow::ResText&) override {}
    void offerBestScore(GameMode, std::int32_t) override {}
    SaveOutcome saveGame() override { return SaveOutcome::Unavailable; }
    void exitProgram() override {}
};

NoEvents noEvents;

}  // namespace

Session::Session(GameData& game, EngineLibrary& engine, std::function<std::uint64_t()> clockSeed)
    : game_(game), engine_(engine), clockSeed_(std::move(clockSeed)), events_(&noEvents) {}

// --- What the game is doing -----------------------------------------------------------------------

bool Session::gamePlaying() const {
    return phase_ == Phase::Playing || (phase_ == Phase::Paused && resumeTo_ == Phase::Playing);
}

bool Session::showingResults() const {
    return phase_ == Phase::Results || (phase_ == Phase::Paused && resumeTo_ == Phase::Results);
}

bool Session::clockRuns() const {
    return phase_ == Phase::Playing && game_.gameMode == GameMode::Arcade && game_.timeLeft > 0;
}

std::optional<PuzzleNumber> Session::puzzleNumber() const {
    if (phase_ == Phase::Menu || game_.gameMode != GameMode::Classic || !game_.puzzleSeed) return std::nullopt;
    return PuzzleNumber{game_.gridWidth(), game_.gridHeight(), *game_.puzzleSeed, game_.language};
}

results::ListMode Session::listMode() const {
    return showingResults() ? results::ListMode::Solutions : results::ListMode::Found;
}

void Session::setPhase(Phase to) {
    const Phase from = phase_;
    phase_ = to;
    // A pause asked for under an ending's dialogs belongs to that game only.
    if (to == Phase::Menu) pauseWhenEnded_ = false;
    updateClock();
    if (from != to) events_->phaseChanged(from, to);
}

void Session::updateClock() {
    const bool run = clockRuns();
    if (run == clockRunning_) return;
    clockRunning_ = run;
    events_->clockChanged(run);
}

void Session::sound(Effect effect) { events_->playSound(effect); }

// --- Starting -------------------------------------------------------------------------------------

void Session::startClassic() {
    game_.gameMode = GameMode::Classic;
    startGame();
}

void Session::startArcade() {
    game_.gameMode = GameMode::Arcade;
    game_.score = 0;
    game_.levelScore = 0;
    game_.arcadeLevel = 0;
    startGame();
}

void Session::startPuzzle(const PuzzleNumber& number) {
    if (phase_ != Phase::Menu || !isClassicBoard(number.width, number.height) || number.language != game_.language)
        return;
    game_.gameMode = GameMode::Classic;
    askedFor_ = number;
    startGame();
}

void Session::startGame() {
    random_.reseed(clockSeed_ ? clockSeed_() : 0);
    const std::optional<PuzzleNumber> asked = std::exchange(askedFor_, std::nullopt);
    int width = 0, height = 0, seed = 0;
    if (game_.gameMode == GameMode::Classic) {
        game_.score = 0;
        if (asked) {
            width = asked->width;
            height = asked->height;
        } else {
            const int row = fixedPuzzle_ ? fixedPuzzle_->levelRow : flow::classicLevelRow(random_.next());
            width = level(row).width;
            height = level(row).height;
        }
    } else {
        game_.levelScore = 0;
        game_.levelQualified = false;
        game_.arcadeLevel += 1;
        // The table has ten rows; the run ends with the tenth level.
        const int row = std::min<int>(game_.arcadeLevel, kLevelCount);
        width = level(row).width;
        height = level(row).height;
    }
    if (asked)
        seed = asked->seed;
    else if (fixedPuzzle_)
        seed = fixedPuzzle_->seed;
    else
        seed = puzzleSeed(random_.next());
    newPuzzle(game_, engine_, width, height, seed);
    if (game_.gameMode == GameMode::Arcade) game_.timeLeft = kLevelTime;
    putGameOnScreen();
}

bool Session::resumeSaved(const LoadSavedGame& load) {
    const GameData before = game_;
    if (!restorePuzzle(game_, engine_, load) || !foundWordsAreSolutions(game_)) {
        game_ = before;
        return false;
    }
    // A kept number must make these very letters (a damaged record, or another dictionary, would
    // give a number for a different board): otherwise the game goes on without one.
    if (game_.puzzleSeed && (game_.gameMode != GameMode::Classic || !puzzleMadeFrom(game_, engine_, *game_.puzzleSeed)))
        game_.puzzleSeed.reset();
    random_.reseed(clockSeed_ ? clockSeed_() : 0);
    putGameOnScreen();
    return true;
}

void Session::putGameOnScreen() {
    lastShownWordId_ = -1;
    gamePlayedThisRun_ = true;
    events_->gameReady();
    // A level that starts while the window is minimised, or after it was minimised under the last
    // level's dialog, starts paused: its clock waits for the player.
    const bool paused = minimized_ || pauseWhenEnded_;
    pauseWhenEnded_ = false;
    setPhase(Phase::Playing);
    if (paused) pause();
}

// --- Play -----------------------------------------------------------------------------------------

void Session::pressCell(int cell, int button) {
    if (phase_ != Phase::Playing) return;
    const linking::Press how = linking::pressCell(game_, cell, button);
    switch (how) {
        case linking::Press::Started:
        case linking::Press::Linked:
            events_->chainChanged(how, cell);
            sound(Effect::Click);
            break;
        case linking::Press::Unlinked:
            events_->chainChanged(how, cell);
            sound(Effect::Unclick);
            break;
        case linking::Press::Submit: enter(); break;
        case linking::Press::Ignored: break;
    }
}

void Session::enter() {
    if (phase_ != Phase::Playing) return;
    const words::Submission s = words::submitChain(game_);
    switch (s.answer) {
        case words::Answer::None: return;
        case words::Answer::Refused:
            sound(Effect::Beeps);
            events_->wordAnswered(s);
            return;
        case words::Answer::Repeated:
            sound(Effect::Beep);
            events_->wordAnswered(s);
            return;
        case words::Answer::New: break;
    }
    sound(Effect::Right);
    words::clearChain(game_);
    events_->wordAnswered(s);
    if (words::targetReached(game_)) endGame(game_.gameMode == GameMode::Arcade ? Ending::LevelWon : Ending::AllFound);
}

void Session::clear() {
    if (phase_ != Phase::Playing) return;
    if (words::clearChain(game_)) events_->chainChanged(std::nullopt, 0);
}

// The keys act only on a game being played: while paused the board is hidden and they do nothing.
void Session::enterKey() {
    if (phase_ == Phase::Playing && game_.curWordLen > 1) enter();
}

void Session::backspaceKey() {
    if (phase_ == Phase::Playing && game_.curWordLen > 1) clear();
}

void Session::typeLetter(char32_t letter) {
    if (phase_ != Phase::Playing || !typing::isTypedLetter(letter)) return;
    const auto chain = typing::chainAfterTyping(game_, letter);
    if (!chain) {
        sound(Effect::Beeps);
        return;
    }
    const bool started = game_.curWordLen == 0;
    typing::setChain(game_, *chain);
    events_->chainChanged(started ? linking::Press::Started : linking::Press::Linked, chain->back());
    sound(Effect::Click);
}

bool Session::scroll(results::Navigate direction) {
    switch (direction) {
        case results::Navigate::Down:
            return results::scrollDown(game_.foundListTop, results::listCount(game_, listMode()));
        case results::Navigate::Up: return results::scrollUp(game_.foundListTop);
        case results::Navigate::None: break;
    }
    return false;
}

void Session::tick() {
    if (!clockRuns()) {
        updateClock();
        return;
    }
    const bool runOut = flow::countdownTick(game_);
    events_->timeChanged();
    if (runOut) endGame(Ending::TimeUp);
}

// --- Pause ----------------------------------------------------------------------------------------

void Session::pause() {
    if (phase_ == Phase::Playing || phase_ == Phase::Results) {
        resumeTo_ = phase_;
        setPhase(Phase::Paused);
    } else if (phase_ == Phase::Ending) {
        pauseWhenEnded_ = true;
    }
}

void Session::resume() {
    if (phase_ == Phase::Paused) setPhase(resumeTo_);
}

void Session::setMinimized(bool minimized) {
    minimized_ = minimized;
    if (minimized) pause();
}

// --- Endings --------------------------------------------------------------------------------------

void Session::showSolution() {
    if (phase_ == Phase::Playing) endGame(Ending::ShowSolution);
}

void Session::quitGame() {
    if (phase_ == Phase::Playing) endGame(Ending::Quit);
}

void Session::mainMenu() {
    if (gamePlaying())
        quitGame();
    else if (phase_ != Phase::Ending && phase_ != Phase::Closing)
        setPhase(Phase::Menu);
}

void Session::saveAndExit() {
    if (phase_ != Phase::Playing) return;
    // A game that could not be stored stays on screen, its clock as it was, so that the player can
    // try again or end it on purpose.
    if (events_->saveGame() != SaveOutcome::Saved) return;
    // A saved game is not also offered to the Hall of Fame.
    setPhase(Phase::Closing);
    events_->exitProgram();
}

void Session::close() {
    if (phase_ == Phase::Closing) return;
    if (gamePlaying()) {
        setPhase(Phase::Ending);
        offerBestScore();
    }
    setPhase(Phase::Closing);
}

void Session::offerBestScore() { events_->offerBestScore(game_.gameMode, game_.score); }

void Session::endGame(Ending how) {
    // Each ending runs once, from a game being played; the clock stops before any dialog.
    if (phase_ != Phase::Playing) return;
    setPhase(Phase::Ending);

    bool toResults = false;
    switch (how) {
        case Ending::AllFound:
        case Ending::Quit:
            events_->showEndDialog(flow::endDialogText(game_));
            offerBestScore();
            break;
        case Ending::LevelWon:
            game_.levelQualified = true;
            events_->showEndDialog(flow::endDialogText(game_));
            // The bonus the dialog announced, added once it has closed.
            game_.score = addPoints(game_.score, flow::levelBonus(game_.timeLeft, game_.arcadeLevel));
            events_->scoreChanged();
            if (!flow::onLastLevel(game_)) {
                startGame();
                return;
            }
            // The tenth level was the last row of the level table: the run is complete.
            offerBestScore();
            break;
        case Ending::TimeUp:
            events_->showEndDialog(flow::endDialogText(game_));
            offerBestScore();
            toResults = true;
            break;
        case Ending::ShowSolution:
            offerBestScore();
            toResults = true;
            break;
    }
    if (!toResults) {
        setPhase(Phase::Menu);
        return;
    }
    // The unfinished chain is not left lit: on the results display it would read as a solution.
    words::clearChain(game_);
    buildAllSolutionWords(game_);
    game_.foundListTop = 1;
    lastShownWordId_ = -1;
    setPhase(Phase::Results);
    if (pauseWhenEnded_) {
        pauseWhenEnded_ = false;
        pause();
    }
}

// --- Results display ------------------------------------------------------------------------------

void Session::showSolutionWord(int id) {
    if (phase_ != Phase::Results) return;
    const auto shown = results::wordToShow(game_, id, lastShownWordId_);
    if (!shown) return;
    lastShownWordId_ = *shown;
    results::loadSolutionPath(game_, game_.allSolutionWords[*shown]);
    events_->solutionShown(*shown);
}

}  // namespace game
