// Endings of Classic games and Arcade levels, the countdown and gameOver, on the main window.
#include "game/ui/frm_play_flow.h"

#include <memory>
#include <string>

#include "game/play/flow.h"
#include "game/ui/dialogs.h"
#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game/ui/side_panel.h"

namespace game::ui {

FrmPlayFlow::FrmPlayFlow(FrmPlay& frm, platform::Ui& ui, platform::Graphics& graphics, GameData& game,
                         const SpriteSheet& sheet)
    : frm_(frm), ui_(ui), graphics_(graphics), game_(game), sheet_(sheet) {}

namespace {

// Points every flow seam of the window at the flow (a plain or an owning pointer).
template <class FlowPtr>
void install(FrmPlaySeams& s, FlowPtr flow) {
    s.gameWon = [flow] { flow->gameWon(); };
    s.levelWon = [flow] { flow->levelWon(); };
    s.gameOver = [flow] { flow->gameOver(); };
    s.showEndDialog = [flow] { flow->showEndDialog(); };
    s.timrCntDwn_Timer = [flow] { flow->timrCntDwn_Timer(); };
    s.processShowingResHit = [flow](double x, double y) { flow->processShowingResHit(x, y); };
    s.processShowingResMove = [flow](double x, double y) { flow->processShowingResMove(x, y); };
}

}  // namespace

void FrmPlayFlow::attach() { install(frm_.seams, this); }

void connectPlayFlow(FrmPlay& frm, platform::Ui& ui, platform::Graphics& graphics, GameData& game,
                     const SpriteSheet& sheet) {
    install(frm.seams, std::make_shared<FrmPlayFlow>(frm, ui, graphics, game, sheet));
}

void FrmPlayFlow::showEndDialog() {
    // The clock never runs under the dialog.
    frm_.timrCntDwn().setEnabled(false);
    DiagWow dialog(ui_, graphics_, game_);
    dialog.showModal();
}

void FrmPlayFlow::gameWon() {
    showEndDialog();
    if (frm_.seams.checkIfBest) frm_.seams.checkIfBest();
    frm_.gamePlaying = false;
    frm_.mainMenu(true);
}

void FrmPlayFlow::levelWon() {
    game_.levelQualified = true;
    frm_.timrCntDwn().setEnabled(false);
    showEndDialog();

    // The bonus the dialog announced, added once it has closed.
    game_.score += flow::levelBonus(game_.timeLeft, game_.arcadeLevel);
    frm_.drawScore();
    frm_.refresh();

    if (!flow::onLastLevel(game_)) {
        frm_.startGame();
        return;
    }
    // The tenth level was the last row of the level table: the run is complete.
    frm_.gamePlaying = false;
    if (frm_.seams.checkIfBest) frm_.seams.checkIfBest();
    frm_.gamePlaying = false;
    frm_.mainMenu(true);
}

void FrmPlayFlow::gameOver() {
    frm_.gamePlaying = false;
    if (frm_.seams.checkIfBest) frm_.seams.checkIfBest();
    frm_.gamePlaying = false;
    frm_.showingResults = true;
    initiateResultsShow();
    if (frm_.timrCntDwn().enabled()) frm_.timrCntDwn().setEnabled(false);
}

void FrmPlayFlow::timrCntDwn_Timer() {
    // Ticks belong to an Arcade level being played; anything else stops the clock.
    if (!frm_.gamePlaying || game_.gameMode != GameMode::Arcade || game_.timeLeft <= 0) {
        frm_.timrCntDwn().setEnabled(false);
        return;
    }
    const bool runOut = flow::countdownTick(game_);
    frm_.timerStr = flow::formatTime(game_.timeLeft, flow::TimeStyle::Ticking);
    setFontSize(frm_.pbGrid(), fontsize::kPanel);
    drawTextBtn(frm_.regions().item(kTimeItem), 0, false, results_layout::kTimeTickShift, frm_.timerStr);
    frm_.refresh();
    if (!runOut) return;

    frm_.timrCntDwn().setEnabled(false);
    showEndDialog();
    gameOver();
}

}  // namespace game::ui
