// Best-score check, Hall of Fame windows, and the records written with the player told of failures.
#include "game/ui/records_desk.h"

#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/sound_effects.h"
#include "platform/window.h"

namespace game::ui {

RecordsDesk::RecordsDesk(platform::Ui& ui, platform::Graphics& graphics, const SpriteSheet& sheet, SoundEffects& sounds,
                         Settings& settings, Records* records)
    : ui_(ui),
      graphics_(graphics),
      sheet_(sheet),
      sounds_(sounds),
      settings_(settings),
      loaded_(settings),
      records_(records) {}

RecordsDesk::~RecordsDesk() = default;

void RecordsDesk::tell(std::string_view message) { ui_.messageBox(records::kAppTitle, message); }

void RecordsDesk::closeOpenTable() {
    if (shown_ != nullptr && shown_->isOpen()) shown_->window()->close();
    shown_ = nullptr;
}

void RecordsDesk::showTableModal(int modeNum) {
    FrmStats table(ui_, graphics_, settings_.hallOfFame, modeNum, records_);
    shown_ = &table;
    table.showModal();
    if (shown_ == &table) shown_ = nullptr;
}

void RecordsDesk::showHallOfFame(int modeNum, bool modal) {
    closeOpenTable();
    if (modal) {
        showTableModal(modeNum);
        return;
    }
    modeless_ = std::make_unique<FrmStats>(ui_, graphics_, settings_.hallOfFame, modeNum, records_);
    modeless_->show();
    shown_ = modeless_.get();
}

void RecordsDesk::checkIfBest(GameMode mode, std::int32_t score) {
    const std::int16_t s = scoreForRanking(score);
    const int rank = settings_.hallOfFame.rankForScore(mode, s);
    if (rank > kHallOfFameRanks) return;

    // The table may be open from the main menu; the new one replaces it.
    closeOpenTable();
    DiagUN diagUN(ui_, graphics_, sheet_, mode);
    diagUN.bestNo = static_cast<std::int16_t>(rank);
    sounds_.play(Effect::Clap);
    diagUN.showModal();
    // Into the table as the store holds it now, so that another copy of the game keeps its entries.
    if (records_ == nullptr)
        settings_.hallOfFame.insertBestScore(mode, s, diagUN.nameEntered);
    else if (!records_->insertBestScore(settings_.hallOfFame, mode, s, diagUN.nameEntered))
        tell(records::kSettingsFailed);

    showTableModal(static_cast<int>(mode));
    sounds_.stop();
}

std::int32_t RecordsDesk::bestScore(GameMode mode) const { return settings_.hallOfFame.bestScore(mode); }

SaveOutcome RecordsDesk::saveGame(const GameData& game) {
    if (records_ == nullptr) return SaveOutcome::Unavailable;
    if (records_->saveGame(game, settings_.solvingData)) return SaveOutcome::Saved;
    return SaveOutcome::Failed;
}

// The player is about to lose the game if saving went wrong: say so.
void RecordsDesk::tellSaveFailed() { tell(records::kSaveFailed); }

void RecordsDesk::saveSettings(const GameData& game, bool gamePlayed) {
    if (records_ == nullptr) return;
    settings_.soundOptions = sounds_.soundOptions;
    if (gamePlayed) settings_.solvingData = withGame(settings_.solvingData, game);
    if (!records_->saveSettings(settings_, loaded_)) tell(records::kSettingsFailed);
}

}  // namespace game::ui
