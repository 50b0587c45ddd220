// The player's statistics: per way of playing, games played and finished, best and average score,
// the longest word found; for the daily puzzle the days played, the streak of days finished in a row
// and the required words found on each of the last days. Only the figures and the rules that change
// them; where they are kept is the records' business.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "game/play/rules.h"

namespace game {

enum class StatsMode { Classic = 0, Arcade = 1, Daily = 2 };
constexpr std::array<StatsMode, 3> kStatsModes{StatsMode::Classic, StatsMode::Arcade, StatsMode::Daily};

struct ModeStatistics {
    std::int32_t played = 0;
    std::int32_t finished = 0;
    std::int32_t best = 0;
    std::int64_t total = 0;   // every counted game's score added up, for the average
    std::string longestWord;  // upper case; the first found of the greatest length
    // The average score, rounded half up; 0 before the first game.
    std::int32_t average() const;
};

// The daily puzzle's days. Days are day numbers (days since 1970-01-01).
struct DailyStatistics {
    static constexpr int kHistoryDays = 30;
    std::int32_t daysPlayed = 0;
    std::int64_t lastDay = 0;        // the last day counted; meaningless while daysPlayed is 0
    std::int32_t streak = 0;         // days finished in a row, up to streakDay
    std::int64_t streakDay = 0;      // the last day of that run
    std::int32_t longestStreak = 0;
    std::map<std::int64_t, std::int32_t> requiredFound;  // day -> required words found, the last kHistoryDays days

    // The streak as it stands on today: broken once a day after its last day went by unfinished.
    std::int32_t currentStreak(std::int64_t today) const;
    // Required words found on each of the kHistoryDays days up to today, oldest first; -1 for a day
    // not played.
    std::array<std::int32_t, kHistoryDays> lastDays(std::int64_t today) const;
};

struct Statistics {
    std::array<ModeStatistics, 3> modes;
    DailyStatistics daily;
    ModeStatistics& of(StatsMode m) { return modes[static_cast<std::size_t>(m)]; }
    const ModeStatistics& of(StatsMode m) const { return modes[static_cast<std::size_t>(m)]; }
};

// A game that ended: counted as played (and finished), its score towards best and average, its
// longest found word against the longest so far.
void recordGame(ModeStatistics& stats, std::int32_t score, bool finished, std::span<const std::string> foundWords);

// The day's daily game, counted once: false, changing nothing, for a day counted before (or one
// before the last counted day, as after the clock was set back). A finished day extends the streak
// when it follows the streak's last day, else starts a new one; an unfinished day ends it.
bool recordDailyDay(DailyStatistics& daily, std::int64_t day, std::int32_t requiredFound, bool finished);

}  // namespace game
