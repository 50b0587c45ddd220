// Ranking, inserting and clearing best scores.
#include "game/persistence/hall_of_fame.h"

namespace game::persistence {

HallOfFameTable* HallOfFame::table(GameMode mode) {
    switch (mode) {
        case GameMode::Classic: return &tables_[0];
        case GameMode::Arcade: return &tables_[1];
    }
    return nullptr;
}

const HallOfFameTable* HallOfFame::table(GameMode mode) const { return const_cast<HallOfFame*>(this)->table(mode); }

int HallOfFame::rankForScore(GameMode mode, std::int16_t s) const {
    const HallOfFameTable* t = table(mode);
    if (t == nullptr) return kNotRanked;
    for (int i = 1; i <= kHallOfFameRanks; ++i)
        if (t->score(i) < s) return i;
    return kNotRanked;
}

int HallOfFame::insertBestScore(GameMode mode, std::int16_t s, std::string name) {
    HallOfFameTable* t = table(mode);
    if (t == nullptr) return 0;
    int p = kHallOfFameRanks;
    for (int i = 1; i <= kHallOfFameRanks; ++i) {
        if (t->score(i) < s) {
            p = i;
            break;
        }
    }
    for (int j = kHallOfFameRanks - 1; j >= p; --j) {
        t->score(j + 1) = t->score(j);
        t->name(j + 1) = std::move(t->name(j));
        t->unsaved[static_cast<std::size_t>(j)] = t->unsaved[static_cast<std::size_t>(j - 1)];
    }
    t->score(p) = s;
    t->name(p) = std::move(name);
    t->unsaved[static_cast<std::size_t>(p - 1)] = false;
    return p;
}

void HallOfFame::clearScores(GameMode mode) {
    HallOfFameTable* t = table(mode);
    if (t == nullptr) return;
    for (int i = 1; i <= kHallOfFameRanks; ++i) {
        t->score(i) = 0;
        t->name(i) = kClearedName;
    }
    t->unsaved = {};
}

std::int32_t HallOfFame::bestScore(GameMode mode) const {
    const HallOfFameTable* t = table(mode);
    return t != nullptr ? t->score(1) : 0;
}

std::int16_t scoreForRanking(std::int32_t score) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(score) & 0xFFFFu));
}

std::string finishName(std::string_view typed) {
    if (typed.empty()) return std::string(kEmptyName);
    return std::string(typed.substr(0, kMaxNameLength));
}

}  // namespace game::persistence
