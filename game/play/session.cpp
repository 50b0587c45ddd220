// The session: phases, the clock derived from them, the player's commands and the endings of games.
#include "game/play/session.h"

#include <algorithm>
#include <utility>

#include "game/play/engine_library.h"
#include "game/play/typing.h"
#include "game/play/word_notes.h"

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

const CommonWords noCommonWords;

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
        case Command::Exit:
        case Command::DailyPuzzle:
        case Command::PuzzleNumberEntry:
        case Command::Statistics: return shown == Phase::Menu;
        case Command::Hint: return shown == Phase::Playing && game_.gameMode() != GameMode::Arcade;
        case Command::LookUp: return shown == Phase::Results || (shown == Phase::Playing && daily_);
        case Command::Copy: return shown == Phase::Results && shareFacts().has_value();
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

const Session::DailyGame* Session::daily() const {
    if (phase_ == Phase::Menu || phase_ == Phase::Closing || !daily_) return nullptr;
    return &*daily_;
}

DailyProgress Session::dailyProgress() const {
    return daily_ ? game::dailyProgress(daily_->words, game_) : DailyProgress{};
}

std::optional<ShareFacts> Session::shareFacts() const {
    if (!gameStarted_ || game_.gameMode() != GameMode::Classic) return std::nullopt;
    ShareFacts facts;
    facts.hints = hints_.hintsUsed;
    facts.score = game_.score();
    if (daily_) {
        const DailyProgress p = dailyProgress();
        facts.daily = daily_->date;
        facts.number = daily_->number;
        facts.found = p.requiredFound;
        facts.total = p.requiredTotal;
        facts.bonus = p.bonusFound;
        return facts;
    }
    // A resumed game whose number is not known has no line to share.
    if (!game_.puzzleSeed()) return std::nullopt;
    facts.number = PuzzleNumber{game_.gridWidth(), game_.gridHeight(), *game_.puzzleSeed(), game_.language()};
    facts.found = game_.numFoundWords();
    facts.total = game_.numLinkableWords();
    return facts;
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
    daily_.reset();
    game_.chooseClassic();
    startGame();
}

void Session::startArcade() {
    daily_.reset();
    game_.startArcadeRun();
    startGame();
}

void Session::startPuzzle(const PuzzleNumber& number) {
    if (phase_ != Phase::Menu || !isClassicBoard(number.width, number.height) || number.language != game_.language())
        return;
    daily_.reset();
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
        hints_ = {};
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

void Session::startDaily(const Date& date, const std::optional<DailyResume>& resume) {
    if (phase_ != Phase::Menu) return;
    random_.reseed(clockSeed_ ? clockSeed_() : 0);
    const CommonWords& common = common_ != nullptr ? *common_ : noCommonWords;
    game_.chooseClassic();
    PuzzleNumber number = chooseDailyPuzzle(dayNumber(date), engine_, common, game_);
    number.language = game_.language();
    daily_ = DailyGame{date, number, splitDailyWords(game_, common)};
    hints_ = {};
    game_.startClassicGame();
    if (resume) {
        for (const std::string& word : resume->foundWords)
            if (words::isSolutionWord(game_, word)) words::addFoundWord(game_, word);
        game_.restoreCounters(GameMode::Classic, game_.arcadeLevel(), std::max<std::int32_t>(0, resume->score),
                              game_.levelScore(), game_.timeLeft());
        hints_.hintsUsed = std::max(0, resume->hints);
    }
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
    daily_.reset();
    hints_ = {};
    putGameOnScreen();
    return true;
}

void Session::putGameOnScreen() {
    lastShownWordId_ = -1;
    gameStarted_ = true;
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
    if (daily_) {
        // The day is done once every required word is found; bonus words only score.
        if (dailyProgress().finished())
            endGame(Ending::DailyDone);
        else if (frontEnd_ != nullptr)
            frontEnd_->dailyProgressChanged();
        return;
    }
    if (words::targetReached(game_)) endGame(game_.gameMode() == GameMode::Arcade ? Ending::LevelWon : Ending::AllFound);
}

void Session::clear() {
    if (phase_ != Phase::Playing) return;
    chainTyped_ = typedWordRefused_ = false;
    if (words::clearChain(game_)) view_->chainChanged(std::nullopt, 0);
}

void Session::hint() {
    if (phase_ != Phase::Playing || game_.gameMode() == GameMode::Arcade) return;
    std::vector<std::string> wanted;
    if (daily_) {
        wanted = daily_->words.required;
    } else {
        for (int len = kMinWordLen; len <= kMaxWordLen; ++len)
            for (const std::string& word : game_.wordsOfLength(len).words) wanted.push_back(word);
    }
    const std::optional<Hint> given = nextHint(hints_, game_, wanted);
    view_->hintGiven(given);
    if (given && daily_ && frontEnd_ != nullptr) frontEnd_->dailyProgressChanged();
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
    if (daily_) {
        // The day's game is kept as it goes: it waits for the player's return that day.
        frontEnd_->dailyProgressChanged();
        setPhase(Phase::Closing);
        frontEnd_->exitProgram();
        return;
    }
    // A game that could not be stored stays on screen, its clock as it was, so that the player can
    // try again or end it on purpose.
    if (frontEnd_->saveGame() != SaveOutcome::Saved) return;
    // A saved game is not also offered to the Hall of Fame.
    setPhase(Phase::Closing);
    frontEnd_->exitProgram();
}

void Session::close() {
    if (phase_ == Phase::Closing) return;
    if (gamePlaying() && !daily_) {
        // The game on is offered to the Hall of Fame before the program ends.
        reportEnd(false);
        steps_ = {EndingStep::Close};
        if (offersBestScore()) steps_.push_front(EndingStep::BestScoreOffer);
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
    if (daily_) {
        switch (how) {
            case Ending::DailyDone:
                reportEnd(true);
                steps_ = {EndingStep::EndDialog, EndingStep::Results};
                break;
            case Ending::ShowSolution:
                // Giving up counts the day as played, unfinished.
                reportEnd(false);
                steps_ = {EndingStep::Results};
                break;
            default:
                // Left for now: the day's game waits, uncounted, for the player's return.
                if (frontEnd_ != nullptr) frontEnd_->dailyProgressChanged();
                steps_ = {EndingStep::Menu};
                break;
        }
        windowAsked_ = false;
        setPhase(Phase::Ending);
        runEnding();
        return;
    }
    switch (how) {
        case Ending::AllFound:
        case Ending::Quit:
        case Ending::DailyDone:
            reportEnd(how != Ending::Quit);
            steps_ = {EndingStep::EndDialog, EndingStep::BestScoreOffer, EndingStep::Menu};
            break;
        case Ending::LevelWon:
            game_.qualifyLevel();
            // The tenth level was the last row of the level table: a won tenth level completes the run.
            if (flow::onLastLevel(game_)) {
                reportEnd(true);
                steps_ = {EndingStep::EndDialog, EndingStep::LevelBonus, EndingStep::BestScoreOffer, EndingStep::Menu};
            } else {
                steps_ = {EndingStep::EndDialog, EndingStep::LevelBonus, EndingStep::NextLevel};
            }
            break;
        case Ending::TimeUp:
            reportEnd(false);
            steps_ = {EndingStep::EndDialog, EndingStep::BestScoreOffer, EndingStep::Results};
            break;
        case Ending::ShowSolution:
            reportEnd(false);
            steps_ = {EndingStep::BestScoreOffer, EndingStep::Results};
            break;
    }
    // A Classic game played with hints scores, but is not offered to the Hall of Fame.
    if (!offersBestScore()) std::erase(steps_, EndingStep::BestScoreOffer);
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
            EndingWindow window;
            window.step = step;
            window.mode = game_.gameMode();
            window.score = game_.score();
            if (step == EndingStep::EndDialog) {
                window.text = flow::endDialogText(game_);
                window.hints = hints_.hintsUsed;
                if (daily_) {
                    window.daily = daily_->date;
                    window.progress = dailyProgress();
                }
            }
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

bool Session::offersBestScore() const { return entersHallOfFame(game_.gameMode(), hints_.hintsUsed); }

void Session::reportEnd(bool finished) {
    if (frontEnd_ == nullptr) return;
    GameSummary summary;
    summary.mode = daily_                               ? StatsMode::Daily
                   : game_.gameMode() == GameMode::Arcade ? StatsMode::Arcade
                                                        : StatsMode::Classic;
    summary.score = game_.score();
    summary.finished = finished;
    for (int i = 1; i <= game_.numFoundWords(); ++i) summary.foundWords.push_back(game_.foundWords()[i]);
    if (daily_) {
        summary.day = dayNumber(daily_->date);
        summary.requiredFound = dailyProgress().requiredFound;
    }
    frontEnd_->gameEnded(summary);
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
