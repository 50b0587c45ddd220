// The main window: menu, play surface and pause view; the press dispatch of the play surface, word
// submission on screen, the side-panel commands, hover looks and keys.
#include "game/ui/frm_play.h"

#include <algorithm>
#include <string>

#include "game/persistence/sound_effects.h"
#include "game/play/flow.h"
#include "game/play/linking.h"
#include "game/play/puzzle.h"
#include "game/play/words.h"
#include "game/ui/draw.h"
#include "game/ui/help.h"
#include "game/ui/palette.h"
#include "game/ui/program_icon.h"
#include "game/ui/sprite_sheet.h"
#include "game/ui/strings.h"
#include "platform/shell.h"

namespace game::ui {

namespace {

constexpr int kDownArrowSprite = 4;
constexpr int kUpArrowSprite = 3;
constexpr int kShortestStatsWord = 3;
constexpr int kLongestStatsWord = 7;
constexpr int kFrameNone = 0;
constexpr int kFrameHover = 1;

int modeNum(GameMode mode) { return static_cast<int>(mode); }

// A font of the same family and size with the given weight.
void setBold(platform::Surface& s, bool bold) {
    platform::Font f = s.font();
    f.bold = bold;
    s.setFont(f);
}

}  // namespace

FrmPlay::FrmPlay(FrmPlayContext context) : ctx_(std::move(context)), game_(ctx_.game) {
    pbMainMenu_ = ctx_.graphics.createSurface(window::kWidth, window::kHeight);
    pbGrid_ = ctx_.graphics.createSurface(window::kWidth, window::kHeight);
    lblPause_ = ctx_.graphics.createSurface(window::kWidth, window::kHeight);
    navigateTimer_ = ctx_.ui.createTimer([this] { navigateTimer_Timer(); });
    timrCntDwn_ = ctx_.ui.createTimer([this] {
        if (seams.timrCntDwn_Timer) seams.timrCntDwn_Timer();
    });
}

FrmPlay::~FrmPlay() = default;

// --- The window ---------------------------------------------------------------------------------

std::unique_ptr<platform::Surface> FrmPlay::drawProgramIcon() const {
    return ui::drawProgramIcon(ctx_.graphics, ctx_.sheet, kWindowIconSize);
}

void FrmPlay::show(int foundViewAtStart) {
    if (const auto icon = drawProgramIcon()) ctx_.ui.setProgramIcon(*icon);
    platform::WindowOptions options;
    options.caption = window::kTitle;
    options.clientWidth = window::kWidth;
    options.clientHeight = window::kHeight;
    options.minimizeBox = true;
    window_ = ctx_.ui.createWindow(*this, options);
    Form_Load(foundViewAtStart);
    window_->show();
}

void FrmPlay::Form_Load(int foundViewAtStart) {
    gamePlaying = false;
    window_->setClientSize(window::kWidth, window::kHeight);
    window_->setCaption(window::kTitle);
    regions_.statsToggle().state = foundViewAtStart;

    pbMainMenu_->setFont({window::kMenuFont, window::kSurfacePoints, true});
    pbGrid_->setFont({window::kPlayFont, window::kSurfacePoints, true});
    // The play surface is shown (by enablePause) before the first game has painted it.
    fillSurface(*pbGrid_, brPlay);
    paintPauseView();

    navigateTimer_->setEnabled(false);
    navigateTimer_->setInterval(results::kRepeatFirstMs);
    timrCntDwn_->setEnabled(false);
    timrCntDwn_->setInterval(0);
}

void FrmPlay::paintPauseView() {
    platform::Surface& s = *lblPause_;
    fillSurface(s, platform::Brush{window::kBackground});
    s.setFont({window::kPauseFont, window::kPausePoints, true});
    s.setTextColor(window::kPauseText);
    s.drawText(window::kPauseCaption, window::kPauseLabel, platform::text::kSingleLine);
}

void FrmPlay::resizeWindow() {
    // The window keeps its fixed client size; the play surface fills it.
    window_->setClientSize(window::kWidth, window::kHeight);
}

void FrmPlay::initMainMenuVar() {
    titleBox_ = BoxInfo{};
    titleBox_.hdc = pbMainMenu_.get();
    titleBox_.x = window::kTitleLeft;
    titleBox_.y = window::kTitleTop;
    titleBox_.wid = window::kTitleWidth;
    titleBox_.ht = window::kTitleHeight;
    for (int i = 1; i <= window::kMenuEntries; ++i) {
        BoxInfo& b = mmBtns_[static_cast<std::size_t>(i)];
        b = BoxInfo{};
        b.hdc = pbMainMenu_.get();
        b.x = window::kEntryLeft;
        b.y = static_cast<int>(flow::roundHalfEven((i + 3) * window::kEntryPitch));
        b.wid = window::kEntryWidth;
        b.ht = window::kEntryHeight;
        b.brush = brPanel;
        b.pen = penFrame;
        b.textColor = clrText;
    }
    regions_.leftPanel.hdc = pbGrid_.get();
    regions_.leftPanel.x = 0;
    regions_.leftPanel.y = 0;
    regions_.leftPanel.wid = panel::kLeftPanelWidth;
    regions_.leftPanel.ht = panel::kLeftPanelHeight;
}

void FrmPlay::drawMenuEntry(int i, bool hover) {
    const BoxInfo& b = mmBtns_[static_cast<std::size_t>(i)];
    const std::string caption(loadResString(window::kEntryCaption + i));
    if (hover)
        drawTextBtn(b, kFrameHover, true, window::kEntryHoverShift, caption);
    else
        drawTextBtn(b, kFrameNone, false, window::kEntryShift, caption);
}

void FrmPlay::mainMenu(bool boolShow) {
    menuVisible_ = boolShow;
    gridVisible_ = !boolShow;
    window_->setClientSize(window::kWidth, window::kHeight);
    if (boolShow) {
        fillSurface(*pbMainMenu_, brPanel);
        titleBox_.hdc = pbMainMenu_.get();
        for (int i = 1; i <= window::kMenuEntries; ++i) {
            mmBtns_[static_cast<std::size_t>(i)].hdc = pbMainMenu_.get();
            mmBtns_[static_cast<std::size_t>(i)].hover = false;
            drawMenuEntry(i, false);
        }
        drawSpriteBtn(ctx_.sheet, titleBox_, window::kTitleSprite, true);
        refresh();
    }
}

void FrmPlay::divertClick(int mmBtnNum) {
    switch (static_cast<MenuEntry>(mmBtnNum)) {
        case MenuEntry::Classic:
            game_.gameMode = GameMode::Classic;
            mainMenu(false);
            startGame();
            break;
        case MenuEntry::Arcade:
            game_.gameMode = GameMode::Arcade;
            mainMenu(false);
            startArcadeGame();
            break;
        case MenuEntry::HallOfFameClassic:
            if (seams.showHallOfFame) seams.showHallOfFame(modeNum(GameMode::Classic), false);
            break;
        case MenuEntry::HallOfFameArcade:
            if (seams.showHallOfFame) seams.showHallOfFame(modeNum(GameMode::Arcade), false);
            break;
        case MenuEntry::Instructions:
            showHelp(ctx_.shell, ctx_.ui, programFolder(), ctx_.appPath + kHelpFileName);
            break;
        case MenuEntry::Exit: unload(); break;
    }
}

void FrmPlay::unload() {
    if (window_ && window_->isOpen()) window_->close();
}

std::string FrmPlay::programFolder() const { return folderWithoutSeparator(ctx_.appPath); }

FrmPlay::View FrmPlay::view() const {
    if (menuVisible_) return View::Menu;
    if (gridVisible_) return View::Play;
    return View::Paused;
}

void FrmPlay::refresh() {
    if (!window_ || !window_->isOpen()) return;
    switch (view()) {
        case View::Menu: window_->present(*pbMainMenu_); break;
        case View::Play: window_->present(*pbGrid_); break;
        case View::Paused: window_->present(*lblPause_); break;
    }
}

// --- Starting a game ----------------------------------------------------------------------------

void FrmPlay::startArcadeGame() {
    game_.score = 0;
    game_.levelScore = 0;
    game_.arcadeLevel = 0;
    startGame();
}

void FrmPlay::startGame() {
    leaveEndedGame();

    if (game_.gameMode == GameMode::Classic) {
        game_.score = 0;
        const int row = fixedPuzzle ? fixedPuzzle->levelRow : flow::classicLevelRow(random_.next());
        game_.gridWidth = level(row).width;
        game_.gridHeight = level(row).height;
    } else {
        game_.levelScore = 0;
        game_.levelQualified = false;
        game_.arcadeLevel += 1;
        // The table has ten rows; what follows the tenth level is the flow's to decide.
        const int row = std::min<int>(game_.arcadeLevel, kLevelCount);
        game_.gridWidth = level(row).width;
        game_.gridHeight = level(row).height;
    }
    const int seed = fixedPuzzle ? fixedPuzzle->seed : puzzleSeed(random_.next());
    newPuzzle(game_, ctx_.engine, seed);

    if (game_.gameMode == GameMode::Arcade) game_.timeLeft = flow::kLevelTime;
    putGameOnScreen();
}

void FrmPlay::leaveEndedGame() {
    listMode = results::ListMode::Found;
    showingResults = false;
    enablePause(false);
    random_.reseed(static_cast<std::uint64_t>(ctx_.ui.nowMs()));
}

void FrmPlay::putGameOnScreen() {
    if (game_.gameMode == GameMode::Arcade) timerStr = flow::formatTime(game_.timeLeft, flow::TimeStyle::LevelStart);
    buildPlaySurface();
    if (game_.gameMode == GameMode::Arcade) {
        timrCntDwn_->setInterval(flow::kCountdownMs);
        timrCntDwn_->setEnabled(true);
    } else {
        timrCntDwn_->setEnabled(false);
    }
    refresh();
    gamePlaying = true;
}

void FrmPlay::initLPBtns() { ui::initLPBtns(regions_, *pbGrid_, game_.gridWidth); }

void FrmPlay::initRPBtns() { ui::initRPBtns(regions_, *pbGrid_); }

void FrmPlay::buildPlaySurface() {
    platform::Surface& s = *pbGrid_;
    fillSurface(s, brPlay);
    initLPBtns();
    initRPBtns();

    setFontSize(s, fontsize::kList);
    drawFoundList(0);
    setFontSize(s, fontsize::kTiles);
    drawBoardBack(regions_.boardBox, game_);
    drawAllTiles(ctx_.sheet, regions_.boardBox, game_);
    drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
    setFontSize(s, fontsize::kPanel);
    fillBox(regions_.leftPanel);
    drawSpriteBtn(ctx_.sheet, regions_.downBar, kDownArrowSprite, false);
    drawSpriteBtn(ctx_.sheet, regions_.upBar, kUpArrowSprite, false);
    drawFoundStats();

    const std::int32_t best = seams.bestScore ? seams.bestScore(modeNum(game_.gameMode)) : 0;
    bestScoreValString = std::to_string(best);
    drawPanelTexts();
    drawProgress();
}

void FrmPlay::drawPanelTexts() {
    platform::Surface& s = *pbGrid_;
    setFontSize(s, fontsize::kPanel);
    auto label = [&](int n) { drawTextBtn(regions_.item(n), 0, false, itemShift(n), loadResString(itemCaption(n))); };
    auto value = [&](int n, const std::string& text) { drawTextBtn(regions_.item(n), 0, false, itemShift(n), text); };

    label(2);
    value(kScoreItem, std::to_string(game_.score));
    label(4);
    value(kBestScoreItem, bestScoreValString);
    for (int n = kFirstCommand; n <= kLastItem; ++n) drawCommand(n, false, itemShift(n));

    regions_.soundBox.state = ctx_.sounds.soundOptions[0];
    drawSpriteBtn(ctx_.sheet, regions_.soundBox, regions_.soundBox.state, false);

    if (game_.gameMode == GameMode::Arcade) {
        label(6);
        value(kTimeItem, timerStr);
        label(8);
        value(kLevelItem, std::to_string(game_.arcadeLevel));
    }
}

void FrmPlay::drawCommand(int n, bool hover, int shift) {
    const std::string caption(loadResString(itemCaption(n)));
    if (hover)
        drawTextBtn(regions_.item(n), kFrameHover, true, window::kHoverShift, caption);
    else
        drawTextBtn(regions_.item(n), kFrameNone, false, shift, caption);
}

void FrmPlay::enablePause(bool boolShow) {
    lblPauseVisible_ = boolShow;
    gridVisible_ = !boolShow;
    // The clock stops while paused and runs again on resume, but only while a game is on.
    if (game_.gameMode == GameMode::Arcade) timrCntDwn_->setEnabled(!boolShow && gamePlaying);
    refresh();
}

// --- Side panel pieces --------------------------------------------------------------------------

void FrmPlay::drawScore() {
    setFontSize(*pbGrid_, fontsize::kPanel);
    drawTextBtn(regions_.item(kScoreItem), 0, false, itemShift(kScoreItem), std::to_string(game_.score));
    setFontSize(*pbGrid_, fontsize::kList);
}

void FrmPlay::drawProgress() {
    const std::int32_t points = game_.gameMode == GameMode::Arcade ? game_.levelScore : game_.score;
    drawProgressBar(ctx_.sheet, regions_.barBox, flow::progressPercent(points, game_.targetPoints));
}

void FrmPlay::drawFoundList(int selected) {
    drawWordList(regions_.listBox, game_, results::listWords(game_, listMode), results::listCount(game_, listMode),
                 game_.foundListTop, selected);
}

void FrmPlay::drawFoundStats() {
    platform::Surface& s = *pbGrid_;
    const double size = s.font().points;
    setFontSize(s, fontsize::kPanel);
    const bool open = regions_.statsToggle().state == 1;
    for (int len = kShortestStatsWord; len <= kLongestStatsWord; ++len) {
        BoxInfo& row = regions_.statsRow(len - 1);
        row.brush = open ? brPanel : brPlay;
        fillBox(row);
        if (open) {
            const std::string text =
                results::statsRowText(len, results::foundOfLength(game_, len), results::solutionsOfLength(game_, len));
            drawShadowText(row, window::kStatsShift, text,
                           static_cast<int>(platform::text::kVCenter | platform::text::kSingleLine));
        }
    }
    drawTextBtn(regions_.statsToggle(), 0, false, itemShift(2),
                results::statsHeaderText(open, game_.numFoundWords, game_.numSolutionWords));
    setFontSize(s, size);
    refresh();
}

void FrmPlay::dwnArrClicked() {
    if (!results::scrollDown(game_.foundListTop, results::listCount(game_, listMode))) return;
    setFontSize(*pbGrid_, fontsize::kList);
    drawFoundList(0);
    refresh();
}

void FrmPlay::upArrClicked() {
    if (!results::scrollUp(game_.foundListTop)) return;
    setFontSize(*pbGrid_, fontsize::kList);
    drawFoundList(0);
    refresh();
}

void FrmPlay::navigateTimer_Timer() {
    if (navigateToggle == 0) return;
    if (navigateToggle == static_cast<int>(results::Navigate::Down))
        dwnArrClicked();
    else
        upArrClicked();
    navigateTimer_->setInterval(results::nextRepeatInterval(navigateTimer_->interval()));
}

void FrmPlay::showMessage(Message messageId, const std::string& text) {
    platform::Surface& s = *pbGrid_;
    setFontSize(s, fontsize::kMessage);
    setBold(s, false);
    const int centred = static_cast<int>(platform::text::kCenter);
    switch (messageId) {
        case Message::Clear: fillBox(regions_.msgBox); break;
        case Message::Points:
            fillBox(regions_.msgBox);
            drawShadowText(regions_.msgBox, window::kMessageShift, formatResString(212, {"|1", text}), centred);
            break;
        case Message::AlreadyFound:
            drawShadowText(regions_.msgBox, window::kMessageShift, loadResString(210), centred);
            break;
        case Message::NotAWord:
            drawShadowText(regions_.msgBox, window::kMessageShift, loadResString(211), centred);
            break;
        case Message::Results:
            drawShadowText(regions_.msgBox, window::kMessageShift, loadResString(213), centred);
            break;
    }
    setBold(s, true);
}

// --- Words --------------------------------------------------------------------------------------

void FrmPlay::redrawBoard() {
    setFontSize(*pbGrid_, fontsize::kTiles);
    drawBoardBack(regions_.boardBox, game_);
    drawAllTiles(ctx_.sheet, regions_.boardBox, game_);
    drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
}

void FrmPlay::enterClicked() {
    const words::Submission s = words::submitChain(game_);
    switch (s.answer) {
        case words::Answer::None: return;
        case words::Answer::Refused:
            showMessage(Message::NotAWord);
            ctx_.sounds.play(Effect::Beeps);
            refresh();
            return;
        case words::Answer::Repeated:
            ctx_.sounds.play(Effect::Beep);
            setFontSize(*pbGrid_, fontsize::kList);
            drawFoundList(s.index);
            showMessage(Message::AlreadyFound);
            refresh();
            ctx_.ui.sleep(window::kRepeatedWordMs);
            setFontSize(*pbGrid_, fontsize::kList);
            drawFoundList(0);
            refresh();
            return;
        case words::Answer::New: break;
    }

    ctx_.sounds.play(Effect::Right);
    showMessage(Message::Points, std::to_string(s.points));
    drawScore();
    drawFoundList(0);
    clrClicked();
    drawProgress();
    drawFoundStats();
    refresh();

    if (!words::targetReached(game_)) return;
    if (game_.gameMode == GameMode::Arcade) {
        if (seams.levelWon) seams.levelWon();
    } else {
        if (seams.gameWon) seams.gameWon();
    }
}

void FrmPlay::clrClicked() {
    if (!words::clearChain(game_)) return;
    redrawBoard();
    refresh();
}

// --- Commands -----------------------------------------------------------------------------------

void FrmPlay::quitGame() {
    gamePlaying = false;
    timrCntDwn_->setEnabled(false);
    if (seams.showEndDialog) seams.showEndDialog();
    if (seams.checkIfBest) seams.checkIfBest();
    gamePlaying = false;
    mainMenu(true);
}

void FrmPlay::rightPanEvents(int btnIndex) {
    switch (static_cast<Command>(btnIndex)) {
        case Command::HallOfFame:
            if (seams.showHallOfFame) seams.showHallOfFame(modeNum(game_.gameMode), true);
            break;
        case Command::Pause: enablePause(true); break;
        case Command::Instructions: showHelp(ctx_.shell, ctx_.ui, programFolder(), ctx_.appPath + kHelpFileName); break;
        case Command::ShowSolution:
            timrCntDwn_->setEnabled(false);
            if (seams.gameOver) seams.gameOver();
            break;
        case Command::QuitGame: quitGame(); break;
        case Command::MainMenu:
            if (gamePlaying)
                quitGame();
            else
                mainMenu(true);
            break;
        case Command::SaveAndExit:
            // Without the saved-game records there is nothing to save with: the command waits.
            if (!seams.saveGame) break;
            seams.saveGame();
            gamePlaying = false;
            unload();
            break;
        case Command::Enter: enterClicked(); break;
        case Command::Clear: clrClicked(); break;
    }
}

// --- Event handlers -----------------------------------------------------------------------------

void FrmPlay::onMouseDown(int button, int shift, double x, double y) {
    switch (view()) {
        case View::Menu: pbMainMenu_MouseDown(button, shift, x, y); break;
        case View::Play: pbGrid_MouseDown(button, shift, x, y); break;
        case View::Paused: {
            const auto& r = window::kPauseLabel;
            if (lblPauseVisible_ && r.left < x && x < r.right && r.top < y && y < r.bottom)
                lblPause_Click();
            else
                Form_MouseDown(button, shift, x, y);
            break;
        }
    }
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

void FrmPlay::Form_KeyPress(char32_t keyAscii) {
    switch (keyAscii) {
        case platform::key::kEscape:
            if (gamePlaying) enablePause(true);
            window_->minimize();
            break;
        case platform::key::kEnter:
            if (gamePlaying && game_.curWordLen > 1) enterClicked();
            break;
        case platform::key::kBackspace:
            if (gamePlaying && game_.curWordLen > 1) clrClicked();
            break;
        default: break;
    }
}

void FrmPlay::Form_Resize(bool minimized) {
    if (minimized)
        enablePause(true);
    else
        window_->setClientSize(window::kWidth, window::kHeight);
}

void FrmPlay::Form_MouseDown(int, int, double, double) {
    if (lblPauseVisible_) enablePause(false);
}

void FrmPlay::lblPause_Click() { enablePause(false); }

void FrmPlay::Form_Unload() {
    if (gamePlaying && seams.checkIfBest) seams.checkIfBest();
    gamePlaying = false;
    if (seams.saveSettings) seams.saveSettings();
    navigateTimer_->setEnabled(false);
    timrCntDwn_->setEnabled(false);
    // With the main window gone the program ends, even if a modeless window is still open.
    ctx_.ui.quit();
}

void FrmPlay::pbMainMenu_MouseDown(int, int, double x, double y) {
    for (int i = 1; i <= window::kMenuEntries; ++i) {
        if (hitTest(mmBtns_[static_cast<std::size_t>(i)], x, y)) {
            divertClick(i);
            return;
        }
    }
}

void FrmPlay::pbMainMenu_MouseMove(int, int, double x, double y) {
    for (int i = 1; i <= window::kMenuEntries; ++i) {
        BoxInfo& b = mmBtns_[static_cast<std::size_t>(i)];
        const bool inside = hitTest(b, x, y);
        if (inside == b.hover) continue;
        drawMenuEntry(i, inside);
        b.hover = inside;
        refresh();
    }
}

void FrmPlay::pbGrid_MouseDown(int button, int shift, double x, double y) {
    (void)shift;
    if (!showingResults) showMessage(Message::Clear);

    if (hitTest(regions_.downBar, x, y)) {
        navigateToggle = static_cast<int>(results::Navigate::Down);
        navigateTimer_->setEnabled(true);
        dwnArrClicked();
        return;
    }
    if (hitTest(regions_.upBar, x, y)) {
        navigateToggle = static_cast<int>(results::Navigate::Up);
        navigateTimer_->setEnabled(true);
        upArrClicked();
        return;
    }
    for (int n = kFirstCommand; n <= kLastItem; ++n) {
        if (regions_.item(n).state >= 1 && hitTest(regions_.item(n), x, y)) {
            rightPanEvents(n);
            return;
        }
    }
    // The statistics toggle flips, and the press goes on to the later targets.
    if (hitTest(regions_.statsToggle(), x, y)) {
        regions_.statsToggle().state = (regions_.statsToggle().state + 1) % 2;
        drawFoundStats();
    }
    if (hitTest(regions_.soundBox, x, y)) {
        BoxInfo& icon = regions_.soundBox;
        icon.state = (icon.state + 1) % 2;
        ctx_.sounds.soundOptions[0] = static_cast<std::int16_t>(icon.state);
        drawSpriteBtn(ctx_.sheet, icon, icon.state, true);
        refresh();
        return;
    }
    if (showingResults) {
        if (seams.processShowingResHit) seams.processShowingResHit(x, y);
        return;
    }
    boardPress(button, x, y);
}

void FrmPlay::boardPress(int button, double x, double y) {
    const auto cell = linking::cellAt(game_, regions_.boardBox.x, regions_.boardBox.y, x, y);
    if (!cell) return;
    switch (linking::pressCell(game_, *cell, button)) {
        case linking::Press::Started:
            setFontSize(*pbGrid_, fontsize::kTiles);
            drawTile(ctx_.sheet, regions_.boardBox, game_, *cell, true);
            drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
            ctx_.sounds.play(Effect::Click);
            refresh();
            break;
        case linking::Press::Linked:
            redrawBoard();
            ctx_.sounds.play(Effect::Click);
            refresh();
            break;
        case linking::Press::Unlinked:
            redrawBoard();
            ctx_.sounds.play(Effect::Unclick);
            refresh();
            break;
        case linking::Press::Submit: enterClicked(); break;
        case linking::Press::Ignored: break;
    }
}

void FrmPlay::pbGrid_MouseMove(int, int, double x, double y) {
    const bool inUp = hitTest(regions_.upBar, x, y);
    const bool inDown = hitTest(regions_.downBar, x, y);
    auto light = [&](BoxInfo& bar, int kind, bool on) {
        drawSpriteBtn(ctx_.sheet, bar, kind, on);
        bar.hover = on;
        refresh();
    };
    auto stopRepeat = [&] {
        if (!navigateTimer_->enabled()) return;
        navigateTimer_->setEnabled(false);
        navigateTimer_->setInterval(results::kRepeatRestartMs);
    };
    if (inDown && !regions_.downBar.hover) light(regions_.downBar, kDownArrowSprite, true);
    if (inUp && !regions_.upBar.hover) light(regions_.upBar, kUpArrowSprite, true);
    if (regions_.downBar.hover && !inDown) {
        light(regions_.downBar, kDownArrowSprite, false);
        stopRepeat();
    }
    if (regions_.upBar.hover && !inUp) {
        light(regions_.upBar, kUpArrowSprite, false);
        stopRepeat();
    }

    for (int n = kFirstCommand; n <= kLastItem; ++n) {
        BoxInfo& b = regions_.item(n);
        if (b.state < 1) continue;
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
        drawSpriteBtn(ctx_.sheet, icon, icon.state, icon.hover);
        refresh();
    }

    if (showingResults && seams.processShowingResMove) seams.processShowingResMove(x, y);
}

void FrmPlay::pbGrid_MouseUp(int, int, double, double) {
    if (navigateToggle < 1) return;
    navigateToggle = 0;
    navigateTimer_->setEnabled(false);
    navigateTimer_->setInterval(results::kRepeatRestartMs);
}

}  // namespace game::ui
