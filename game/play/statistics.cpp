// The statistics' rules: counting a game and a daily day, the streak and the last days.
#include "game/play/statistics.h"

#include <algorithm>
#include <climits>

namespace game {

std::int32_t ModeStatistics::average() const {
    if (played <= 0 || total <= 0) return 0;
    return static_cast<std::int32_t>((2 * total + played) / (2 * static_cast<std::int64_t>(played)));
}

std::int32_t DailyStatistics::currentStreak(std::int64_t today) const {
    return streak > 0 && streakDay <= today && streakDay >= today - 1 ? streak : 0;
}

std::array<std::int32_t, DailyStatistics::kHistoryDays> DailyStatistics::lastDays(std::int64_t today) const {
    std::array<std::int32_t, kHistoryDays> out{};
    for (int i = 0; i < kHistoryDays; ++i) {
        const auto it = requiredFound.find(today - (kHistoryDays - 1) + i);
        out[static_cast<std::size_t>(i)] = it == requiredFound.end() ? -1 : it->second;
    }
    return out;
}

void recordGame(ModeStatistics& stats, std::int32_t score, bool finished, std::span<const std::string> foundWords) {
    // Counts read from the store may stand at the limit already.
    if (stats.played < INT32_MAX) ++stats.played;
    if (finished && stats.finished < stats.played) ++stats.finished;
    score = std::clamp(score, 0, kMaxScore);
    stats.best = std::max(stats.best, score);
    stats.total += score;
    for (const std::string& word : foundWords)
        if (word.size() > stats.longestWord.size()) stats.longestWord = word;
}

bool recordDailyDay(DailyStatistics& daily, std::int64_t day, std::int32_t requiredFound, bool finished) {
    if (daily.daysPlayed > 0 && day <= daily.lastDay) return false;
    if (daily.daysPlayed < INT32_MAX) ++daily.daysPlayed;
    daily.lastDay = day;
    if (finished) {
        const bool continues = daily.streak > 0 && daily.streakDay == day - 1;
        daily.streak = continues ? std::min(daily.streak, INT32_MAX - 1) + 1 : 1;
        daily.streakDay = day;
        daily.longestStreak = std::max(daily.longestStreak, daily.streak);
    } else {
        daily.streak = 0;
    }
    daily.requiredFound[day] = std::max(0, requiredFound);
    // Only the last days are kept.
    std::erase_if(daily.requiredFound,
                  [&](const auto& entry) { return entry.first <= day - DailyStatistics::kHistoryDays; });
    return true;
}

}  // namespace game
