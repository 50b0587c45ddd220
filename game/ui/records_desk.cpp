// Best-score check, Hall of Fame windows, and the records written with the player told of failures.
#include "game/ui/records_desk.h"

#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/sound_effects.h"
#include "game/ui/strings.h"
#include "platform/window.h"

namespace game::ui {

// The records' message texts are shown from the string table, in the player's language; their
// English is the records' own.
namespace records = persistence::records;
static_assert(loadEnglish(StringId::SettingsFailed) == records::kSettingsFailed);
static_assert(loadEnglish(StringId::SaveFailed) == records::kSaveFailed);
static_assert(loadEnglish(StringId::CheckSavedGameFailed) == records::kCheckSavedGameFailed);
static_assert(loadEnglish(StringId::LoadSavedGameFailed) == records::kLoadSavedGameFailed);
static_assert(loadEnglish(StringId::SavedGameNotTaken) == records::kSavedGameNotTaken);
static_assert(loadEnglish(StringId::SavedGameTakenElsewhere) == records::kSavedGameTakenElsewhere);
static_assert(loadEnglish(StringId::SettingsSetAside).starts_with(records::kSettingsSetAside));

RecordsDesk::RecordsDesk(platform::Ui& ui, platform::Graphics& graphics, const SpriteSheet& sheet, SoundEffects& sounds,
                         persistence::Settings& settings, persistence::Records* records)
    : ui_(ui),
      graphics_(graphics),
      sheet_(sheet),
      sounds_(sounds),
      settings_(settings),
      loaded_(settings),
      records_(records) {}

RecordsDesk::~RecordsDesk() = default;

void RecordsDesk::tell(std::string_view message) { ui_.messageBox(persistence::records::kAppTitle, message); }

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
    const std::int16_t s = persistence::scoreForRanking(score);
    const int rank = settings_.hallOfFame.rankForScore(mode, s);
    if (rank > persistence::kHallOfFameRanks) return;

    // The table may be open from the main menu; the new one replaces it.
    closeOpenTable();
    DiagUN diagUN(ui_, graphics_, sheet_, mode);
    diagUN.bestNo = static_cast<std::int16_t>(rank);
    sounds_.play(Effect::Clap);
    diagUN.showModal();
    // Into the table as the store holds it now, so that another copy of the game keeps its entries.
    // A score the store cannot take yet stays pending, marked in the table, and is written with the
    // next write that succeeds.
    if (records_ == nullptr)
        settings_.hallOfFame.insertBestScore(mode, s, diagUN.nameEntered);
    else
        records_->insertBestScore(settings_.hallOfFame, mode, s, diagUN.nameEntered);

    showTableModal(static_cast<int>(mode));
    sounds_.stop();
}

std::int32_t RecordsDesk::bestScore(GameMode mode) const { return settings_.hallOfFame.bestScore(mode); }

SaveOutcome RecordsDesk::saveGame(const GameData& game) {
    if (records_ == nullptr) return SaveOutcome::Unavailable;
    const bool saved = records_->saveGame(game, settings_.solvingData);
    records_->writePending(settings_.hallOfFame);
    if (saved) return SaveOutcome::Saved;
    return SaveOutcome::Failed;
}

// The player is about to lose the game if saving went wrong: say so.
void RecordsDesk::tellSaveFailed() { tell(loadResString(StringId::SaveFailed)); }

void RecordsDesk::saveSettings(const GameData& game, bool gamePlayed) {
    if (records_ == nullptr) return;
    settings_.soundOptions = sounds_.soundOptions;
    if (gamePlayed) settings_.solvingData = persistence::withGame(settings_.solvingData, game);
    for (;;) {
        const bool written = records_->saveSettings(settings_, loaded_);
        if (records_->writePending(settings_.hallOfFame) && written) return;
        const std::vector<std::string> items = unsavedItems();
        if (items.empty()) {
            tell(loadResString(StringId::SettingsFailed));
            return;
        }
        DiagUnsaved box(ui_, graphics_, unsavedRecordsText(items));
        box.showModal();
        if (box.clickedBtnNum() != 1) return;
    }
}

std::vector<std::string> RecordsDesk::unsavedItems() const {
    std::vector<std::string> items;
    for (const persistence::TableChange& c : records_->pending()) {
        const std::string_view mode = loadResString(modeCaption(c.mode));
        if (c.kind == persistence::TableChange::Kind::Insert)
            items.push_back(formatResString(StringId::UnsavedScore, {"|1", mode, "|2", c.score, "|3", c.name}));
        else
            items.push_back(formatResString(StringId::UnsavedCleared, {"|1", mode}));
    }
    if (settings_.soundOptions != loaded_.soundOptions) items.emplace_back(loadResString(StringId::UnsavedSound));
    if (settings_.zoom != loaded_.zoom && settings_.zoom != 0) items.emplace_back(loadResString(StringId::UnsavedZoom));
    if (settings_.language != loaded_.language && !settings_.language.empty())
        items.emplace_back(loadResString(StringId::UnsavedLanguage));
    return items;
}

std::string unsavedRecordsText(const std::vector<std::string>& items) {
    constexpr std::size_t kListed = 4;
    std::string text(loadResString(StringId::UnsavedText));
    for (std::size_t i = 0; i < items.size() && i < kListed; ++i) text += "  " + items[i] + "\n";
    if (items.size() > kListed)
        text += "  " + formatResString(StringId::UnsavedMore, {"|1", items.size() - kListed}) + "\n";
    return text;
}

}  // namespace game::ui
