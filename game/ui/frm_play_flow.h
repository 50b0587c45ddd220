// The flow of a game on the main window: how Classic games and Arcade levels end (the end dialog,
// the level bonus, the best-score check), the Arcade countdown, gameOver and the results display
// with its back button and the solution paths lit on the board. It plugs into frmPlay's seams.
#pragma once

#include <memory>

#include "game/play/game_data.h"
#include "game/ui/frm_play.h"

namespace platform {
class Graphics;
class Ui;
}  // namespace platform

namespace game::ui {

class SpriteSheet;

namespace results_layout {
// Commands taken out of play while the results are shown.
constexpr int kHiddenCommands[] = {13, 14, 16, 17, 18};
constexpr int kBackCaption = 200;  // "Back to Main Menu "
constexpr int kBackShift = 4;
constexpr int kBackHoverShift = 8;
constexpr int kTimeTickShift = 1;  // the Time value as each tick redraws it
}  // namespace results_layout

class FrmPlayFlow {
public:
    FrmPlayFlow(FrmPlay& frm, platform::Ui& ui, platform::Graphics& graphics, GameData& game, const SpriteSheet& sheet);
    FrmPlayFlow(const FrmPlayFlow&) = delete;
    FrmPlayFlow& operator=(const FrmPlayFlow&) = delete;

    // Connects the flow to the window's seams; the flow must outlive the window's use of them.
    void attach();

    // Classic Mode: every solution word found. End dialog, best-score check, main menu.
    void gameWon();
    // Arcade Mode: the level's target reached. End dialog, bonus, then the next level, or after
    // the tenth level the best-score check and the main menu.
    void levelWon();
    // Ends the game and shows its results: best-score check, then the results display.
    void gameOver();
    // The end dialog diagWow, modal; the countdown is stopped first.
    void showEndDialog();
    // One countdown tick: the Time panel goes down a tenth; at 0 the run ends.
    void timrCntDwn_Timer();

    // The results display.
    void initiateResultsShow();
    void processShowingResHit(double x, double y);
    void processShowingResMove(double x, double y);

private:
    void drawBackBtn(bool hot);

    FrmPlay& frm_;
    platform::Ui& ui_;
    platform::Graphics& graphics_;
    GameData& game_;
    const SpriteSheet& sheet_;
};

// Makes the flow for the window and connects it; the window's seams keep it alive.
void connectPlayFlow(FrmPlay& frm, platform::Ui& ui, platform::Graphics& graphics, GameData& game,
                     const SpriteSheet& sheet);

}  // namespace game::ui
