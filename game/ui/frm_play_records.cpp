// Best-score check, Hall of Fame windows, settings and the saved game on the main window, and the
// main window's restartStoredGame.
#include "game/ui/frm_play_records.h"

#include <string>
#include <utility>

#include "game/persistence/registry_records.h"
#include "game/persistence/startup.h"
#include "game/play/flow.h"
#include "game/play/puzzle.h"
#include "game/ui/dialogs.h"
#include "game/ui/frm_play.h"
#include "game/ui/hall_of_fame_windows.h"
#include "platform/store.h"

namespace game::ui {

FrmPlayRecords::FrmPlayRecords(Program& program) : p_(program) {}

FrmPlayRecords::~FrmPlayRecords() = default;

void FrmPlayRecords::closeOpenTable() {
    if (shown_ != nullptr && shown_->isOpen()) shown_->window()->close();
    shown_ = nullptr;
}

void FrmPlayRecords::showTableModal(int modeNum) {
    FrmStats table(*p_.services.ui, *p_.services.graphics, p_.settings.hallOfFame, modeNum);
    shown_ = &table;
    table.showModal();
    if (shown_ == &table) shown_ = nullptr;
}

void FrmPlayRecords::showHallOfFame(int modeNum, bool modal) {
    closeOpenTable();
    if (modal) {
        showTableModal(modeNum);
        return;
    }
    modeless_ = std::make_unique<FrmStats>(*p_.services.ui, *p_.services.graphics, p_.settings.hallOfFame, modeNum);
    modeless_->show();
    shown_ = modeless_.get();
}

void FrmPlayRecords::checkIfBest() {
    FrmPlay& frm = *p_.frmPlay;
    // The game has ended: its clock must not run on under the dialogs (a tick at 0 would end the
    // game a second time and offer its score again).
    frm.timrCntDwn().setEnabled(false);

    const std::int16_t s = scoreForRanking(p_.game.score);
    const GameMode mode = p_.game.gameMode;
    const int rank = p_.settings.hallOfFame.rankForScore(mode, s);
    if (rank > kHallOfFameRanks) {
        frm.gamePlaying = false;
        return;
    }

    // The table may be open from the main menu; the new one replaces it.
    closeOpenTable();
    DiagUN diagUN(*p_.services.ui, *p_.services.graphics, p_.sheet, mode);
    diagUN.bestNo = static_cast<std::int16_t>(rank);
    p_.sounds->play(Effect::Clap);
    diagUN.showModal();
    p_.settings.hallOfFame.insertBestScore(mode, s, diagUN.nameEntered);

    showTableModal(static_cast<int>(mode));
    p_.sounds->stop();
    frm.gamePlaying = false;
}

std::int32_t FrmPlayRecords::bestScore(int modeNum) const {
    return p_.settings.hallOfFame.bestScore(static_cast<GameMode>(modeNum));
}

void FrmPlayRecords::saveGame() {
    if (p_.services.store == nullptr) return;
    Records(*p_.services.store, *p_.services.ui).saveGame(p_.game, p_.settings.solvingData);
}

void FrmPlayRecords::saveSettings() {
    if (p_.services.store == nullptr) return;
    p_.settings.soundOptions = p_.sounds->soundOptions;
    Records(*p_.services.store, *p_.services.ui).saveSettings(p_.settings, p_.game);
}

// ---- Start-up -----------------------------------------------------------------------------------

void loadSettingsAtStart(Program& p) {
    if (p.services.store == nullptr) return;
    Records(*p.services.store, *p.services.ui).loadSettings(p.settings, p.game);
    p.sounds->soundOptions = p.settings.soundOptions;
    p.startSizeIndex = p.settings.solvingData.startSizeIndex;
    p.foundViewAtStart = p.settings.solvingData.foundViewAtStart;
}

void connectRecords(Program& p) {
    auto records = std::make_shared<FrmPlayRecords>(p);
    FrmPlaySeams& s = p.frmPlay->seams;
    s.checkIfBest = [records] { records->checkIfBest(); };
    s.showHallOfFame = [records](int modeNum, bool modal) { records->showHallOfFame(modeNum, modal); };
    s.bestScore = [records](int modeNum) { return records->bestScore(modeNum); };
    s.saveSettings = [records] { records->saveSettings(); };
    // Without a store there is nowhere to save a game: "Save and Exit" then does nothing.
    if (p.services.store != nullptr) s.saveGame = [records] { records->saveGame(); };
}

namespace {

void failedToResume(Program& p) { p.services.ui->messageBox(records::kAppTitle, records::kLoadSavedGameFailed); }

}  // namespace

void offerSavedGame(Program& p) {
    if (p.services.store == nullptr) return;
    Records records(*p.services.store, *p.services.ui);
    if (!records.isGameStored()) return;

    FrmOKCancel question(*p.services.ui, *p.services.graphics);
    question.showModal();
    if (question.clickedBtnNum() != 1) return;  // "No thanks", Esc or the close box: offered again next time

    // Reading the record consumes it before anything is restored, so a game that cannot be
    // restored is not offered again.
    SavedGame saved;
    if (records.loadSavedGame(saved) != SavedGameStatus::Loaded) {
        failedToResume(p);
        return;
    }
    // A record whose words are not words of the rebuilt puzzle leaves everything as it was.
    const GameData before = p.game;
    const SolvingData settingsBefore = p.settings.solvingData;
    const bool rebuilt =
        restorePuzzle(p.game, *p.engine, [&](GameData& g) { applySavedGame(saved, g, p.settings.solvingData); });
    if (!rebuilt || !restoredWordsMatch(p.game)) {
        p.game = before;
        p.settings.solvingData = settingsBefore;
        failedToResume(p);
        return;
    }
    p.frmPlay->mainMenu(false);
    p.frmPlay->restartStoredGame();
}

void addRecordsHooks(StartupHooks& hooks) {
    hooks.loadSettings = loadSettingsAtStart;
    hooks.connect = [connect = std::move(hooks.connect)](Program& p) {
        if (connect) connect(p);
        connectRecords(p);
    };
    hooks.offerSavedGame = offerSavedGame;
}

// ---- The resumed game on the main window ---------------------------------------------------------

void FrmPlay::restartStoredGame() {
    // The play surface of a new game, over the restored state: no puzzle is made and the scores,
    // level, clock and found words stay as they were stored.
    leaveEndedGame();
    putGameOnScreen();
}

}  // namespace game::ui
