// The main window: its surfaces and timers, the menu, the switch between menu, play surface and
// pause view as the session's phase changes, and the translation of input into session commands.
#include "game/ui/frm_play.h"

#include <utility>

#include "game/persistence/statistics_records.h"
#include "game/play/flow.h"
#include "game/play/puzzle_number.h"
#include "game/play/typing.h"
#include "game/ui/dialogs.h"
#include "game/ui/draw.h"
#include "game/ui/help.h"
#include "game/ui/pointer.h"
#include "game/ui/program_icon.h"
#include "game/ui/puzzle_number_dialog.h"
#include "game/ui/records_desk.h"
#include "game/ui/sound_effects.h"
#include "game/ui/sprite_sheet.h"
#include "game/ui/statistics_window.h"
#include "platform/clipboard.h"

namespace game::ui {

namespace {

int modeNum(GameMode mode) { return static_cast<int>(mode); }

}  // namespace

FrmPlay::FrmPlay(FrmPlayContext context)
    : ctx_(std::move(context)), session_(ctx_.session), game_(ctx_.session.game()) {
    pbMainMenu_ = ctx_.graphics.createSurface(window::kWidth, window::kHeight);
    pbGrid_ = ctx_.graphics.createSurface(window::kWidth, window::kHeight);
    lblPause_ = ctx_.graphics.createSurface(window::kWidth, window::kHeight);
    navigateTimer_ = ctx_.ui.createTimer([this] { navigateTimer_Timer(); });
    timrCntDwn_ = ctx_.ui.createTimer([this] {
        session_.tick();
        answerRequests();
    });
    pointsTimer_ = ctx_.ui.createTimer([this] { pointsShown(); });
    refusedLetterTimer_ = ctx_.ui.createTimer([this] {
        // The moment is over: the strip shows the chain again.
        refusedLetterTimer_->setEnabled(false);
        if (!session_.gamePlaying()) return;
        setFontSize(*pbGrid_, fontsize::kTiles);
        drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
        refresh();
    });
    refusedLetterTimer_->setInterval(window::kRefusedLetterMs);
    repeatedWordTimer_ = ctx_.ui.createTimer([this] { repeatedWordShown(); });
    repeatedWordTimer_->setInterval(window::kRepeatedWordMs);
    session_.setView(this);
    session_.setFrontEnd(this);
}

FrmPlay::~FrmPlay() {
    session_.setView(nullptr);
    session_.setFrontEnd(nullptr);
}

// --- The window ---------------------------------------------------------------------------------

void FrmPlay::show(int foundViewAtStart) {
    if (const auto icon = drawProgramIcon(ctx_.graphics, ctx_.sheet, kWindowIconSize)) ctx_.ui.setProgramIcon(*icon);
    platform::WindowOptions options;
    options.caption = window::kTitle;
    options.clientWidth = window::kWidth;
    options.clientHeight = window::kHeight;
    options.minimizeBox = true;
    window_ = ctx_.ui.createWindow(*this, options);
    Form_Load(foundViewAtStart);
    window_->show();
    initMainMenuVar();
    drawMainMenu();
}

void FrmPlay::Form_Load(int foundViewAtStart) {
    window_->setClientSize(window::kWidth, window::kHeight);
    window_->setCaption(window::kTitle);
    regions_.statsToggle().state = foundViewAtStart;

    pbMainMenu_->setFont({window::kMenuFont, window::kSurfacePoints, true});
    pbGrid_->setFont({window::kPlayFont, window::kSurfacePoints, true});
    // The play surface may be shown before the first game has painted it.
    fillSurface(*pbGrid_, brPlay);
    paintPauseView();

    navigateTimer_->setEnabled(false);
    navigateTimer_->setInterval(window::kRepeatFirstMs);
    timrCntDwn_->setEnabled(false);
    timrCntDwn_->setInterval(0);
}

void FrmPlay::paintPauseView() {
    platform::Surface& s = *lblPause_;
    fillSurface(s, platform::Brush{clrWindow});
    s.setFont({window::kPauseFont, window::kPausePoints, true});
    s.setTextColor(clrPauseText);
    s.drawText(loadResString(StringId::PauseCaption), window::kPauseLabel, platform::text::kSingleLine);
}

void FrmPlay::initMainMenuVar() {
    titleBox_ = BoxInfo{};
    titleBox_.surface = pbMainMenu_.get();
    titleBox_.x = window::kTitleLeft;
    titleBox_.y = window::kTitleTop;
    titleBox_.wid = window::kTitleWidth;
    titleBox_.ht = window::kTitleHeight;
    for (int i = 1; i <= window::kMenuEntries; ++i) {
        BoxInfo& b = mmBtns_[i];
        b = BoxInfo{};
        b.surface = pbMainMenu_.get();
        b.x = window::kEntryLeft;
        b.y = static_cast<int>(flow::roundHalfEven((i + 3) * window::kEntryPitch));
        b.wid = window::kEntryWidth;
        b.ht = window::kEntryHeight;
        b.brush = brPanel;
        b.pen = penFrame;
        b.textColor = clrText;
    }
    for (int i = window::kMenuEntries + 1; i <= window::kAllEntries; ++i) {
        BoxInfo& b = mmBtns_[i];
        b = mmBtns_[1];
        b.x = window::kLineLeft + (i - window::kMenuEntries - 1) * (window::kLineEntryWidth + window::kLineGap);
        b.y = window::kLineTop;
        b.wid = window::kLineEntryWidth;
        b.ht = window::kLineEntryHeight;
    }
    languageBtn_ = BoxInfo{};
    languageBtn_.surface = pbMainMenu_.get();
    languageBtn_.x = window::kLanguageLeft;
    languageBtn_.y = window::kLanguageTop;
    languageBtn_.wid = window::kLanguageWidth;
    languageBtn_.ht = window::kLanguageHeight;
    languageBtn_.brush = brPanel;
    languageBtn_.pen = penFrame;
    languageBtn_.textColor = clrText;
    regions_.leftPanel.surface = pbGrid_.get();
    regions_.leftPanel.x = 0;
    regions_.leftPanel.y = 0;
    regions_.leftPanel.wid = panel::kLeftPanelWidth;
    regions_.leftPanel.ht = panel::kLeftPanelHeight;
}

void FrmPlay::drawMenuEntry(int i, bool hover) {
    // Entry i's caption is entry 80 + i of the string table.
    const std::string_view caption = loadResString(offsetString(StringId::MenuClassic, i - 1));
    if (i > window::kMenuEntries) {
        // The line's small entries, in a smaller size of the menu's font.
        platform::Surface& s = *pbMainMenu_;
        const platform::Font font = s.font();
        setFontSize(s, window::kLinePoints);
        if (hover)
            drawTextBtn(mmBtns_[i], FrameStyle::Single, true, window::kLineHoverShift, caption);
        else
            drawTextBtn(mmBtns_[i], FrameStyle::None, false, window::kLineShift, caption);
        s.setFont(font);
        return;
    }
    if (hover)
        drawTextBtn(mmBtns_[i], FrameStyle::Single, true, window::kEntryHoverShift, caption);
    else
        drawTextBtn(mmBtns_[i], FrameStyle::None, false, window::kEntryShift, caption);
}

void FrmPlay::drawMainMenu() {
    window_->setClientSize(window::kWidth, window::kHeight);
    fillSurface(*pbMainMenu_, brPanel);
    for (int i = 1; i <= window::kAllEntries; ++i) {
        mmBtns_[i].hover = false;
        drawMenuEntry(i, false);
    }
    drawSpriteBtn(ctx_.sheet, titleBox_, SpriteKind::Title, true);
    languageBtn_.hover = false;
    drawLanguageButton(false);
    refresh();
}

void FrmPlay::drawLanguageButton(bool hover) {
    if (!ctx_.chooseLanguage) return;
    drawTextBtn(languageBtn_, hover ? FrameStyle::Double : FrameStyle::Single, hover,
                hover ? window::kEntryHoverShift : window::kEntryShift, loadResString(StringId::LanguageName));
}

void FrmPlay::nextLanguage() {
    if (!ctx_.chooseLanguage || view() != View::Menu) return;
    const letters::Language from = refusedLanguage_.value_or(game_.language());
    std::size_t at = 0;
    while (at < letters::kLanguages.size() && letters::kLanguages[at].language != from) ++at;
    const letters::Language next = letters::kLanguages[(at + 1) % letters::kLanguages.size()].language;
    ctx_.chooseLanguage(next);
    refusedLanguage_ = game_.language() == next ? std::nullopt : std::optional(next);
    // Every text on the window's surfaces is now the language's.
    paintPauseView();
    drawMainMenu();
}

int FrmPlay::highlightedEntry() const {
    for (int i = 1; i <= window::kAllEntries; ++i)
        if (mmBtns_[i].hover) return i;
    return 0;
}

void FrmPlay::moveMenuHighlight(int step, bool sideways) {
    const int current = highlightedEntry();
    const int n = window::kMenuEntries;
    const int first = n + 1;  // the line's first entry
    const bool inLine = current > n;
    int next = 0;
    if (sideways) {
        // Within the line, round it; from elsewhere into it, at its near end.
        if (inLine)
            next = (current - first + step + window::kLineEntries) % window::kLineEntries + first;
        else
            next = step > 0 ? first : window::kAllEntries;
    } else if (current == 0) {
        next = step > 0 ? 1 : n;
    } else if (inLine) {
        // The line is one stop after EXIT and before the first entry.
        next = step > 0 ? 1 : n;
    } else {
        next = current + step;
        if (next > n || next < 1) next = first;
    }
    for (int i = 1; i <= window::kAllEntries; ++i) {
        const bool on = i == next;
        if (mmBtns_[i].hover == on) continue;
        drawMenuEntry(i, on);
        mmBtns_[i].hover = on;
    }
    refresh();
}

void FrmPlay::divertClick(int mmBtnNum) {
    // Entry i gives command i.
    const auto command = static_cast<Command>(mmBtnNum);
    if (!session_.available(command)) return;
    switch (command) {
        case Command::Classic: session_.startClassic(); break;
        case Command::Arcade: session_.startArcade(); break;
        case Command::HallOfFameClassic: ctx_.records.showHallOfFame(modeNum(GameMode::Classic), false); break;
        case Command::HallOfFameArcade: ctx_.records.showHallOfFame(modeNum(GameMode::Arcade), false); break;
        case Command::MenuInstructions: showHelp(); break;
        case Command::Exit: unload(); break;
        case Command::DailyPuzzle: startDaily(); break;
        case Command::PuzzleNumberEntry: askPuzzleNumber(); break;
        case Command::Statistics: showStatistics(); break;
        default: break;
    }
}

Date FrmPlay::today() const { return ctx_.today ? ctx_.today() : Date{}; }

void FrmPlay::startDaily() {
    const Date date = today();
    std::optional<DailyResume> resume;
    if (ctx_.store != nullptr) {
        if (const auto kept = persistence::keptDailyGame(*ctx_.store, date))
            resume = DailyResume{kept->foundWords, kept->score, kept->hints};
    }
    session_.startDaily(date, resume);
}

void FrmPlay::askPuzzleNumber() {
    FrmPuzzleNumber dialog(ctx_.ui, ctx_.graphics, game_.language());
    dialog.showModal();
    if (const auto number = dialog.number()) session_.startPuzzle(*number);
}

void FrmPlay::showStatistics() {
    if (ctx_.store != nullptr) persistence::loadStatistics(*ctx_.store, statistics_);
    FrmStatistics window(ctx_.ui, ctx_.graphics, statistics_, dayNumber(today()));
    window.showModal();
    drawMainMenu();
}

void FrmPlay::showHelp() {
    ui::showHelp(ctx_.shell, ctx_.ui, ctx_.appPath, session_.game().language());
}

void FrmPlay::unload() {
    if (window_ && window_->isOpen()) window_->close();
}

FrmPlay::View FrmPlay::view() const {
    switch (session_.phase()) {
        case Phase::Menu: return View::Menu;
        // A pause under an ending's windows leaves the board behind them; what follows the ending
        // comes paused.
        case Phase::Paused: return session_.ending() ? View::Play : View::Paused;
        default: return View::Play;
    }
}

void FrmPlay::refresh() {
    if (!window_ || !window_->isOpen()) return;
    switch (view()) {
        case View::Menu: window_->present(*pbMainMenu_); break;
        case View::Play: window_->present(*pbGrid_); break;
        case View::Paused: window_->present(*lblPause_); break;
    }
}

// --- What the session reports -------------------------------------------------------------------

void FrmPlay::updateCaption() {
    if (!window_) return;
    std::string caption = window::kTitle;
    if (const auto* daily = session_.daily())
        caption += window::kNumberSeparator + dailyTitle(daily->date, daily->number);
    else if (const auto number = session_.puzzleNumber())
        caption += window::kNumberSeparator + puzzleNumberText(*number);
    if (caption != window_->caption()) window_->setCaption(caption);
}

void FrmPlay::phaseChanged(Phase, Phase to) {
    // A held arrow's release may never come (the pause view or a dialog swallows it): its
    // auto-repeat ends with the phase.
    releaseArrow();
    updateCaption();
    switch (to) {
        case Phase::Menu: drawMainMenu(); break;
        case Phase::Paused:
            // The texts may have changed language since the label was painted (a saved game of
            // another language).
            paintPauseView();
            refresh();
            break;
        case Phase::Results:
        case Phase::Playing: refresh(); break;
        case Phase::Ending:
        case Phase::Closing: break;
    }
}

void FrmPlay::clockChanged(bool running) {
    if (running) timrCntDwn_->setInterval(kCountdownMs);
    timrCntDwn_->setEnabled(running);
}

void FrmPlay::playSound(Effect effect) { ctx_.sounds.play(effect); }

// --- What the session asks for -------------------------------------------------------------------

void FrmPlay::showEndingWindow(const EndingWindow& window) { endingAsked_ = window; }

SaveOutcome FrmPlay::saveGame() {
    const SaveOutcome outcome = ctx_.records.saveGame(game_);
    if (outcome == SaveOutcome::Failed) saveFailed_ = true;
    return outcome;
}

void FrmPlay::exitProgram() { exitAsked_ = true; }

void FrmPlay::gameEnded(const GameSummary& summary) {
    const auto count = [&](Statistics& stats) {
        if (summary.mode == StatsMode::Daily) {
            // One daily game a day counts; the day's puzzle played again does not.
            if (!recordDailyDay(stats.daily, summary.day, summary.requiredFound, summary.finished)) return;
        }
        recordGame(stats.of(summary.mode), summary.score, summary.finished, summary.foundWords);
    };
    if (ctx_.store == nullptr) {
        count(statistics_);
        return;
    }
    persistence::updateStatistics(*ctx_.store, statistics_, count);
    if (summary.mode == StatsMode::Daily) persistence::forgetDailyGame(*ctx_.store);
}

void FrmPlay::dailyProgressChanged() {
    const auto* daily = session_.daily();
    if (ctx_.store == nullptr || daily == nullptr) return;
    persistence::KeptDailyGame kept;
    kept.date = daily->date;
    for (int i = 1; i <= game_.numFoundWords(); ++i) kept.foundWords.push_back(game_.foundWords()[i]);
    kept.score = game_.score();
    kept.hints = session_.hints().hintsUsed;
    persistence::keepDailyGame(*ctx_.store, kept);
}

void FrmPlay::answerRequests() {
    // Runs after every press, key and tick that may have reached the session. A window shown here
    // runs its own loop; what the session asks for meanwhile waits for this loop.
    if (answering_) return;
    answering_ = true;
    for (;;) {
        if (auto window = std::exchange(endingAsked_, std::nullopt)) {
            showEnding(*window);
            session_.endingWindowClosed();
        } else if (std::exchange(saveFailed_, false)) {
            ctx_.records.tellSaveFailed();
        } else if (std::exchange(exitAsked_, false)) {
            unload();
        } else {
            break;
        }
    }
    answering_ = false;
}

void FrmPlay::showEnding(const EndingWindow& window) {
    // A held arrow's release goes to the window: its auto-repeat ends here.
    releaseArrow();
    switch (window.step) {
        case EndingStep::EndDialog: {
            std::string text = window.daily ? formatResString(StringId::DailyDone, {"|1", dateText(*window.daily), "|2",
                                                                                    window.progress.requiredTotal, "|3",
                                                                                    window.progress.bonusFound})
                                            : endDialogString(window.text);
            if (window.hints > 0) text += formatResString(StringId::HintsUsed, {"|1", window.hints});
            DiagWow dialog(ctx_.ui, ctx_.graphics, text);
            // A daily puzzle's or a Classic game's share line can be copied from here, as a Classic
            // game that ends with every word found goes to the menu, not to the results.
            if (session_.shareFacts() && ctx_.clipboard != nullptr) {
                dialog.copy = [this] { return ctx_.clipboard->setText(shareText(*session_.shareFacts())); };
                // The daily puzzle's own dialog says so; the Classic one keeps its look.
                if (window.daily) dialog.note = loadResString(StringId::CopyHint);
            }
            dialog.showModal();
            break;
        }
        case EndingStep::BestScoreOffer: ctx_.records.checkIfBest(window.mode, window.score); break;
        default: break;
    }
}

// --- Input --------------------------------------------------------------------------------------

void FrmPlay::onMouseDown(int button, int shift, double x, double y) {
    switch (view()) {
        case View::Menu: pbMainMenu_MouseDown(button, shift, x, y); break;
        case View::Play: pbGrid_MouseDown(button, shift, x, y); break;
        // A press on the pause label, or anywhere on the window's background, resumes.
        case View::Paused: session_.resume(); break;
    }
    answerRequests();
}

void FrmPlay::onMouseMove(int button, int shift, double x, double y) {
    switch (view()) {
        case View::Menu: pbMainMenu_MouseMove(button, shift, x, y); break;
        case View::Play: pbGrid_MouseMove(button, shift, x, y); break;
        case View::Paused: break;
    }
}

void FrmPlay::onMouseUp(int button, int shift, double x, double y) {
    if (view() == View::Play) pbGrid_MouseUp(button, shift, x, y);
}

void FrmPlay::onKeyPress(char32_t keyAscii) {
    // Space or Enter resumes a paused game, as a press on the pause view does.
    if (view() == View::Paused && (keyAscii == U' ' || keyAscii == platform::key::kEnter)) {
        session_.resume();
        return;
    }
    switch (keyAscii) {
        case platform::key::kEscape:
            if (session_.gamePlaying()) session_.pause();
            window_->minimize();
            break;
        case platform::key::kEnter:
            if (view() == View::Menu) {
                if (const int entry = highlightedEntry()) divertClick(entry);
            } else {
                session_.enterKey();
            }
            break;
        case platform::key::kBackspace: session_.backspaceKey(); break;
        case U'?':
            if (view() == View::Play && session_.available(Command::Hint)) session_.hint();
            break;
        default:
            // A letter links as a press would: the message line is cleared first.
            if (typing::isTypedLetter(keyAscii) && session_.phase() == Phase::Playing) {
                showMessage(Message::Clear);
                session_.typeLetter(keyAscii);
            }
            break;
    }
    answerRequests();
}

void FrmPlay::onKeyDown(platform::Key key, int shift) {
    const bool ctrl = (shift & platform::modifier::kCtrl) != 0;
    switch (key) {
        case platform::Key::Plus:
            if (ctrl) changeZoom(+1);
            break;
        case platform::Key::Minus:
            if (ctrl) changeZoom(-1);
            break;
        case platform::Key::F11: window_->setFullScreen(!window_->isFullScreen()); break;
        case platform::Key::Up:
        case platform::Key::Down:
            if (view() == View::Menu)
                moveMenuHighlight(key == platform::Key::Up ? -1 : +1);
            else if (view() == View::Play)
                browseList(key);
            break;
        case platform::Key::Left:
        case platform::Key::Right:
            if (view() == View::Menu) moveMenuHighlight(key == platform::Key::Left ? -1 : +1, true);
            break;
        case platform::Key::PageUp:
        case platform::Key::PageDown:
        case platform::Key::Home:
        case platform::Key::End:
            if (view() == View::Play) browseList(key);
            break;
        case platform::Key::F1:
            // The instructions, as the menu entry or the side panel's command opens them.
            if (view() == View::Menu)
                showHelp();
            else if (const auto panel = keys::panelKeyOf(key); panel && view() == View::Play)
                panelKey(*panel);
            break;
        case platform::Key::Tab: break;
    }
    answerRequests();
}

void FrmPlay::changeZoom(int step) {
    // Full screen has the zoom of the screen; the windows' zoom waits for its end.
    if (window_->isFullScreen()) return;
    const int zoom = ctx_.ui.zoom() + step;
    const platform::Size desktop = ctx_.ui.desktopSize();
    const int room =
        desktop.width > 0 && desktop.height > 0
            ? platform::zoom::largestFitting(window::kWidth, window::kHeight, desktop.width, desktop.height)
            : platform::zoom::kMax;
    if (zoom < platform::zoom::kMin || (step > 0 && zoom > room) || zoom > platform::zoom::kMax) return;
    ctx_.ui.setZoom(zoom);
    ctx_.records.rememberZoom(zoom);
}

void FrmPlay::onStateChange(bool minimized) {
    session_.setMinimized(minimized);
    // The window keeps its size: a drag of the frame snaps back.
    if (!minimized) window_->setClientSize(window::kWidth, window::kHeight);
}

void FrmPlay::onClose() { Form_Unload(); }

void FrmPlay::Form_Unload() {
    session_.close();
    answerRequests();
    ctx_.records.saveSettings(game_, session_.gamePlayedThisRun());
    navigateTimer_->setEnabled(false);
    timrCntDwn_->setEnabled(false);
    // With the main window gone the program ends, even if a modeless window is still open.
    ctx_.ui.quit();
}

void FrmPlay::pbMainMenu_MouseDown(int, int, double x, double y) {
    if (ctx_.chooseLanguage && hitTest(languageBtn_, x, y)) {
        nextLanguage();
        return;
    }
    for (int i = 1; i <= window::kAllEntries; ++i) {
        if (hitTest(mmBtns_[i], x, y)) {
            divertClick(i);
            return;
        }
    }
}

void FrmPlay::pbMainMenu_MouseMove(int, int, double x, double y) {
    for (int i = 1; i <= window::kAllEntries; ++i) {
        BoxInfo& b = mmBtns_[i];
        const bool inside = hitTest(b, x, y);
        if (inside == b.hover) continue;
        drawMenuEntry(i, inside);
        b.hover = inside;
        refresh();
    }
    if (ctx_.chooseLanguage && hitTest(languageBtn_, x, y) != languageBtn_.hover) {
        languageBtn_.hover = !languageBtn_.hover;
        drawLanguageButton(languageBtn_.hover);
        refresh();
    }
}

void FrmPlay::pbGrid_MouseDown(int button, int, double x, double y) {
    if (!session_.showingResults()) showMessage(Message::Clear);

    if (hitTest(regions_.downBar, x, y)) {
        holdArrow(results::Navigate::Down);
        return;
    }
    if (hitTest(regions_.upBar, x, y)) {
        holdArrow(results::Navigate::Up);
        return;
    }
    for (int n = kFirstCommand; n <= kLastItem; ++n) {
        if (session_.available(static_cast<Command>(n)) && hitTest(regions_.item(n), x, y)) {
            rightPanEvents(n);
            return;
        }
    }
    // The statistics toggle flips, and the press goes on to the later targets.
    if (hitTest(regions_.statsToggle(), x, y)) flipFoundStats();
    if (hitTest(regions_.soundBox, x, y)) {
        flipSound(true);
        return;
    }
    if (session_.showingResults()) {
        if (hitTest(regions_.backBtn, x, y)) session_.mainMenu();
        return;
    }
    if (const auto cell = cellAt(game_, regions_.boardBox.x, regions_.boardBox.y, x, y))
        session_.pressCell(*cell, pressKind(button));
}

void FrmPlay::rightPanEvents(int btnIndex) {
    switch (static_cast<Command>(btnIndex)) {
        case Command::HallOfFame:
            releaseArrow();
            ctx_.records.showHallOfFame(modeNum(game_.gameMode()), true);
            break;
        case Command::Pause: session_.pause(); break;
        case Command::Instructions: showHelp(); break;
        case Command::ShowSolution: session_.showSolution(); break;
        case Command::QuitGame: session_.quitGame(); break;
        case Command::MainMenu: session_.mainMenu(); break;
        case Command::SaveAndExit: session_.saveAndExit(); break;
        case Command::Enter: session_.enter(); break;
        case Command::Clear: session_.clear(); break;
        case Command::Hint: session_.hint(); break;
        case Command::LookUp: lookUpWord(); break;
        case Command::Copy: copyShareLine(); break;
        default: break;  // the menu's commands are not on the panel
    }
}

void FrmPlay::holdArrow(results::Navigate direction) {
    navigateToggle_ = direction;
    navigateTimer_->setEnabled(true);
    if (scrollList(direction)) scrolled();
}

bool FrmPlay::scrollList(results::Navigate direction) {
    switch (direction) {
        case results::Navigate::Down:
            return results::scrollDown(listTop_, results::listCount(game_, session_.listMode()));
        case results::Navigate::Up: return results::scrollUp(listTop_);
        case results::Navigate::None: break;
    }
    return false;
}

void FrmPlay::stopRepeat() {
    navigateTimer_->setEnabled(false);
    navigateTimer_->setInterval(window::kRepeatRestartMs);
}

void FrmPlay::releaseArrow() {
    if (navigateToggle_ == results::Navigate::None && !navigateTimer_->enabled()) return;
    navigateToggle_ = results::Navigate::None;
    stopRepeat();
}

void FrmPlay::navigateTimer_Timer() {
    if (navigateToggle_ == results::Navigate::None) return;
    if (scrollList(navigateToggle_)) scrolled();
    navigateTimer_->setInterval(results::nextRepeatInterval(navigateTimer_->interval()));
}

void FrmPlay::pbGrid_MouseMove(int, int, double x, double y) {
    const bool inUp = hitTest(regions_.upBar, x, y);
    const bool inDown = hitTest(regions_.downBar, x, y);
    auto light = [&](BoxInfo& bar, SpriteKind kind, bool on) {
        drawSpriteBtn(ctx_.sheet, bar, kind, on);
        bar.hover = on;
        refresh();
    };
    if (inDown && !regions_.downBar.hover) light(regions_.downBar, SpriteKind::DownBar, true);
    if (inUp && !regions_.upBar.hover) light(regions_.upBar, SpriteKind::UpBar, true);
    // Leaving a held arrow stops its auto-repeat; the arrow stays held until the button is released.
    if (regions_.downBar.hover && !inDown) {
        light(regions_.downBar, SpriteKind::DownBar, false);
        if (navigateTimer_->enabled()) stopRepeat();
    }
    if (regions_.upBar.hover && !inUp) {
        light(regions_.upBar, SpriteKind::UpBar, false);
        if (navigateTimer_->enabled()) stopRepeat();
    }

    for (int n = kFirstCommand; n <= kLastItem; ++n) {
        BoxInfo& b = regions_.item(n);
        if (!session_.available(static_cast<Command>(n))) continue;
        const bool inside = hitTest(b, x, y);
        if (inside == b.hover) continue;
        setFontSize(*pbGrid_, fontsize::kPanel);
        drawCommand(n, inside, window::kCommandLeaveShift);
        b.hover = inside;
        refresh();
    }

    BoxInfo& icon = regions_.soundBox;
    if (hitTest(icon, x, y) != icon.hover) {
        icon.hover = !icon.hover;
        drawSpriteBtn(ctx_.sheet, icon, soundIcon(icon.state), icon.hover);
        refresh();
    }

    if (session_.showingResults()) {
        processShowingResMove(x, y);
    } else if (session_.daily() != nullptr && session_.gamePlaying()) {
        // The daily puzzle: a found word pointed at in the list shows its definition.
        const ListArea area{regions_.listBox.x, regions_.listBox.y, regions_.listBox.wid, regions_.listBox.ht};
        const auto index = listIndexAt(area, listTop_, x, y);
        showDefinition(index && *index >= 1 && *index <= game_.numFoundWords() ? game_.foundWords()[*index] : "");
    }
}

void FrmPlay::pbGrid_MouseUp(int, int, double, double) {
    if (navigateToggle_ == results::Navigate::None) return;
    navigateToggle_ = results::Navigate::None;
    stopRepeat();
}

void FrmPlay::processShowingResMove(double x, double y) {
    const bool inBack = hitTest(regions_.backBtn, x, y);
    if (inBack != regions_.backBtn.hover) {
        drawBackBtn(inBack);
        refresh();
    }
    const ListArea area{regions_.listBox.x, regions_.listBox.y, regions_.listBox.wid, regions_.listBox.ht};
    if (const auto index = listIndexAt(area, listTop_, x, y)) session_.showSolutionWord(*index);
}

}  // namespace game::ui
