// The session: phases, the clock derived from them, the player's commands and the endings of games.
#include "game/play/session.h"

#include <algorithm>
#include <utility>

#include "game/play/engine_library.h"
#include "game/play/typing.h"

namespace game {

namespace {

// Nobody listening, until the window attaches itself.
class NoView final : public SessionView {
public:
    void phaseChanged(Phase, Phase) override {}
    void clockChanged(bool) override {}
    void gameReady() override {}
    void resultsReady() override {}
    void chainChanged(std::optional<linking::Press>, int) override {}
    void letterRefused(char32_t) override {}
    void wordAnswered(const words::Submission&) override {}
    void timeChanged() override {}
    void scoreChanged() override {}
    void solutionShown(int) override {}
    void playSound(Effect) override {}
};

NoView noView;

bool isWindow(EndingStep step) { return step == EndingStep::EndDialog || step == EndingStep::BestScoreOffer; }

}  // namespace

Session::Session(GameData& game, EngineLibrary& engine, std::function<std::uint64_t()> clockSeed)
    : game_(game), engine_(engine), clockSeed_(std::move(clockSeed)), view_(&noView), frontEnd_(nullptr) {}

void Session::setView(SessionView* view) { view_ = view != nullptr ? view : &noView; }

void Session::setFrontEnd(SessionFrontEnd* frontEnd) { frontEnd_ = frontEnd; }

// --- What the game is doing -----------------------------------------------------------------------

bool Session::gamePlaying() const {
    return phase_ == Phase::Playing || (phase_ == Phase::Paused && resumeTo_ == Phase::Playing);
}

bool Session::showingResults() const {
    return phase_ == Phase::Results || (phase_ == Phase::Paused && resumeTo_ == Phase::Results);
}

bool Session::available(Command command) const {
    // Behind a pause, the commands of the surface the pause hides.
    const Phase shown = phase_ == Phase::Paused ? resumeTo_ : phase_;
    switch (command) {
        case Command::Classic:
        case Command::Arcade:
        case Command::HallOfFameClassic:
        case Command::HallOfFameArcade:
        case Command::MenuInstructions:
        case Command::Exit: return shown == Phase::Menu;
        case Command::HallOfFame:
        case Command::Pause:
        case Command::Instructions:
        case Command::MainMenu: return shown == Phase::Playing || shown == Phase::Results;
        case Command::ShowSolution:
        case Command::QuitGame:
        case Command::SaveAndExit:
        case Command::Enter:
        case Command::Clear: return shown == Phase::Playing;
    }
    return false;
}

bool Session::clockRuns() const {
    return phase_ == Phase::Playing && game_.gameMode() == GameMode::Arcade && game_.timeLeft() > 0;
}

std::optional<PuzzleNumber> Session::puzzleNumber() const {
    // Neither the menu nor a closing program (whatever ended before) shows a puzzle.
    if (phase_ == Phase::Menu || phase_ == Phase::Closing || game_.gameMode() != GameMode::Classic ||
        !game_.puzzleSeed())
        return std::nullopt;
    return PuzzleNumber{game_.gridWidth(), game_.gridHeight(), *game_.puzzleSeed(), game_.language()};
}

results::ListMode Session::listMode() const {
    return showingResults() ? results::ListMode::Solutions : results::ListMode::Found;
}

void Session::setPhase(Phase to) {
    const Phase from = phase_;
    phase_ = to;
    updateClock();
    if (from != to) view_->phaseChanged(from, to);
}

void Session::updateClock() {
    const bool run = clockRuns();
    if (run == clockRunning_) return;
    clockRunning_ = run;
    view_->clockChanged(run);
}

void Session::sound(Effect effect) { view_->playSound(effect); }

// --- Starting -------------------------------------------------------------------------------------

void Session::startClassic() {
    game_.chooseClassic();
    startGame();
}

void Session::startArcade() {
    game_.startArcadeRun();
    startGame();
}

void Session::startPuzzle(const PuzzleNumber& number) {
    if (phase_ != Phase::Menu || !isClassicBoard(number.width, number.height) || number.language != game_.language())
        return;
    game_.chooseClassic();
    askedFor_ = number;
    startGame();
}

void Session::startGame() {
    random_.reseed(clockSeed_ ? clockSeed_() : 0);
    const std::optional<PuzzleNumber> asked = std::exchange(askedFor_, std::nullopt);
    int width = 0, height = 0, seed = 0;
    if (game_.gameMode() == GameMode::Classic) {
        game_.startClassicGame();
        if (asked) {
            width = asked->width;
            height = asked->height;
        } else {
            const int row = fixedPuzzle_ ? fixedPuzzle_->levelRow : flow::classicLevelRow(random_.next());
            width = level(row).width;
            height = level(row).height;
        }
    } else {
        game_.startLevel();
        // The table has ten rows; the run ends with the tenth level.
        const int row = std::min<int>(game_.arcadeLevel(), kLevelCount);
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
    if (game_.puzzleSeed() &&
        (game_.gameMode() != GameMode::Classic || !puzzleMadeFrom(game_, engine_, *game_.puzzleSeed())))
        game_.setPuzzleSeed(std::nullopt);
    random_.reseed(clockSeed_ ? clockSeed_() : 0);
    putGameOnScreen();
    return true;
}

void Session::putGameOnScreen() {
    lastShownWordId_ = -1;
    gamePlayedThisRun_ = true;
    chainTyped_ = false;
    typedWordRefused_ = false;
    showGameOrResults(Phase::Playing);
}

void Session::showGameOrResults(Phase to) {
    const Phase from = phase_;
    // A level that starts while the window is minimised, or after a pause under the last level's
    // windows, starts paused: its clock waits for the player. So do results reached under a pause.
    if (phase_ == Phase::Paused || minimized_) {
        resumeTo_ = to;
        phase_ = Phase::Paused;
    } else {
        phase_ = to;
    }
    if (to == Phase::Playing)
        view_->gameReady();
    else
        view_->resultsReady();
    updateClock();
    if (from != phase_) view_->phaseChanged(from, phase_);
}

// --- Play -----------------------------------------------------------------------------------------

void Session::pressCell(int cell, linking::PressKind kind) {
    if (phase_ != Phase::Playing) return;
    const linking::Press how = linking::pressCell(game_, cell, kind);
    switch (how) {
        case linking::Press::Started:
        case linking::Press::Linked:
            chainTyped_ = typedWordRefused_ = false;
            view_->chainChanged(how, cell);
            sound(Effect::Click);
            break;
        case linking::Press::Unlinked:
            chainTyped_ = typedWordRefused_ = false;
            view_->chainChanged(how, cell);
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
            typedWordRefused_ = chainTyped_;
            sound(Effect::Beeps);
            view_->wordAnswered(s);
            return;
        case words::Answer::Repeated:
            sound(Effect::Beep);
            view_->wordAnswered(s);
            return;
        case words::Answer::New: break;
    }
    sound(Effect::Right);
    words::clearChain(game_);
    chainTyped_ = typedWordRefused_ = false;
    view_->wordAnswered(s);
    if (words::targetReached(game_))
        endGame(game_.gameMode() == GameMode::Arcade ? Ending::LevelWon : Ending::AllFound);
}

void Session::clear() {
    if (phase_ != Phase::Playing) return;
    chainTyped_ = typedWordRefused_ = false;
    if (words::clearChain(game_)) view_->chainChanged(std::nullopt, 0);
}

// The keys act only on a game being played: while paused the board is hidden and they do nothing.
void Session::enterKey() {
    if (phase_ == Phase::Playing && game_.curWordLen() > 1) enter();
}

void Session::backspaceKey() {
    if (phase_ == Phase::Playing && game_.curWordLen() > 1) clear();
}

void Session::typeLetter(char32_t letter) {
    if (phase_ != Phase::Playing || !typing::isTypedLetter(letter)) return;
    // A typed word that was refused is not the start of the next one: the letter begins a chain of
    // its own, and the refused one goes only once the letter has found a place.
    std::optional<std::vector<int>> chain;
    if (typedWordRefused_) {
        GameData fresh = game_;
        words::clearChain(fresh);
        chain = typing::chainAfterTyping(fresh, letter);
    } else {
        chain = typing::chainAfterTyping(game_, letter);
    }
    if (!chain) {
        sound(Effect::Beeps);
        view_->letterRefused(letter);
        return;
    }
    const bool started = game_.curWordLen() == 0 || typedWordRefused_;
    typing::setChain(game_, *chain);
    chainTyped_ = true;
    typedWordRefused_ = false;
    view_->chainChanged(started ? linking::Press::Started : linking::Press::Linked, chain->back());
    sound(Effect::Click);
}

void Session::tick() {
    if (!clockRuns()) {
        updateClock();
        return;
    }
    const bool runOut = flow::countdownTick(game_);
    view_->timeChanged();
    if (runOut) endGame(Ending::TimeUp);
}

// --- Pause ----------------------------------------------------------------------------------------

void Session::pause() {
    if (phase_ == Phase::Playing || phase_ == Phase::Results || phase_ == Phase::Ending) {
        resumeTo_ = phase_;
        setPhase(Phase::Paused);
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
    else if (!ending() && phase_ != Phase::Closing)
        setPhase(Phase::Menu);
}

void Session::saveAndExit() {
    if (phase_ != Phase::Playing || frontEnd_ == nullptr) return;
    // A game that could not be stored stays on screen, its clock as it was, so that the player can
    // try again or end it on purpose.
    if (frontEnd_->saveGame() != SaveOutcome::Saved) return;
    // A saved game is not also offered to the Hall of Fame.
    setPhase(Phase::Closing);
    frontEnd_->exitProgram();
}

void Session::close() {
    if (phase_ == Phase::Closing) return;
    if (gamePlaying()) {
        // The game on is offered to the Hall of Fame before the program ends.
        steps_ = {EndingStep::BestScoreOffer, EndingStep::Close};
        windowAsked_ = false;
        setPhase(Phase::Ending);
        runEnding();
        return;
    }
    // An ending under way ends with the program: its windows still to come are not shown.
    steps_.clear();
    setPhase(Phase::Closing);
}

void Session::endGame(Ending how) {
    // Each ending runs once, from a game being played; the clock stops before any window.
    if (phase_ != Phase::Playing) return;
    switch (how) {
        case Ending::AllFound:
        case Ending::Quit: steps_ = {EndingStep::EndDialog, EndingStep::BestScoreOffer, EndingStep::Menu}; break;
        case Ending::LevelWon:
            game_.qualifyLevel();
            // The tenth level was the last row of the level table: a won tenth level completes the run.
            if (flow::onLastLevel(game_))
                steps_ = {EndingStep::EndDialog, EndingStep::LevelBonus, EndingStep::BestScoreOffer, EndingStep::Menu};
            else
                steps_ = {EndingStep::EndDialog, EndingStep::LevelBonus, EndingStep::NextLevel};
            break;
        case Ending::TimeUp:
            steps_ = {EndingStep::EndDialog, EndingStep::BestScoreOffer, EndingStep::Results};
            break;
        case Ending::ShowSolution: steps_ = {EndingStep::BestScoreOffer, EndingStep::Results}; break;
    }
    windowAsked_ = false;
    setPhase(Phase::Ending);
    runEnding();
}

void Session::runEnding() {
    while (!steps_.empty()) {
        const EndingStep step = steps_.front();
        if (isWindow(step)) {
            // Without a front end nobody can show the window: it counts as closed.
            if (frontEnd_ == nullptr) {
                steps_.pop_front();
                continue;
            }
            if (windowAsked_) return;
            windowAsked_ = true;
            EndingWindow window{step, {}, game_.gameMode(), game_.score()};
            if (step == EndingStep::EndDialog) window.text = flow::endDialogText(game_);
            // The front end may report the closing from within this call; the ending has then
            // gone on, and nothing is left to do here.
            frontEnd_->showEndingWindow(window);
            return;
        }
        steps_.pop_front();
        switch (step) {
            case EndingStep::EndDialog:
            case EndingStep::BestScoreOffer: break;
            case EndingStep::LevelBonus:
                // The bonus the dialog announced, added once it has closed.
                game_.addLevelBonus(flow::levelBonus(game_.timeLeft(), game_.arcadeLevel()));
                view_->scoreChanged();
                break;
            case EndingStep::NextLevel: startGame(); break;
            case EndingStep::Results:
                // The unfinished chain is not left lit: on the results display it would read as a
                // solution.
                words::clearChain(game_);
                buildAllSolutionWords(game_);
                lastShownWordId_ = -1;
                showGameOrResults(Phase::Results);
                break;
            case EndingStep::Menu: setPhase(Phase::Menu); break;
            case EndingStep::Close: setPhase(Phase::Closing); break;
        }
    }
}

void Session::endingWindowClosed() {
    if (!ending() || steps_.empty() || !windowAsked_) return;
    steps_.pop_front();
    windowAsked_ = false;
    runEnding();
}

// --- Results display ------------------------------------------------------------------------------

void Session::showSolutionWord(int id) {
    if (phase_ != Phase::Results) return;
    const auto shown = results::wordToShow(game_, id, lastShownWordId_);
    if (!shown) return;
    lastShownWordId_ = *shown;
    results::loadSolutionPath(game_, game_.allSolutionWords()[*shown]);
    view_->solutionShown(*shown);
}

}  // namespace game
