// The statistics: a game and a daily day counted, the streak through finished and missed days, and
// the figures kept in the store one value each, so that a damaged value costs only its figure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/persistence/records_layout.h"
#include "game/persistence/statistics_records.h"
#include "game/play/daily.h"
#include "memory_store.h"
#include "platform/store.h"

namespace {

using game::Statistics;
using game::StatsMode;

void setText(platform::Store& store, const std::string& name, const std::string& text,
             platform::ValueType type = platform::ValueType::String) {
    platform::StoreKey parent, key;
    ASSERT_EQ(store.openKey(nullptr, game::persistence::records::kParentKey, parent), platform::StoreStatus::Success);
    ASSERT_EQ(store.createKey(&parent, game::persistence::records::settingsKeyPath(), game::persistence::records::kSettingsClass, key),
              platform::StoreStatus::Success);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    ASSERT_EQ(store.setValue(key, name, type, bytes), platform::StoreStatus::Success);
}

TEST(Statistics, GamesCountTowardsPlayedFinishedBestAverageAndLongestWord) {
    game::ModeStatistics m;
    EXPECT_EQ(m.average(), 0);
    const std::vector<std::string> first{"CAT", "HOUSE", "TABLE"}, second{"DOG", "GARDENS"};
    game::recordGame(m, 100, true, first);
    game::recordGame(m, 51, false, second);
    EXPECT_EQ(m.played, 2);
    EXPECT_EQ(m.finished, 1);
    EXPECT_EQ(m.best, 100);
    EXPECT_EQ(m.average(), 76);  // 75.5 rounded up
    EXPECT_EQ(m.longestWord, "GARDENS");
    game::recordGame(m, 10, false, first);
    EXPECT_EQ(m.longestWord, "GARDENS");
}

TEST(Statistics, ADailyDayCountsOnceAndFinishedDaysInARowMakeTheStreak) {
    game::DailyStatistics d;
    const std::int64_t day = game::dayNumber({2026, 12, 8});
    EXPECT_TRUE(game::recordDailyDay(d, day, 41, true));
    EXPECT_FALSE(game::recordDailyDay(d, day, 10, false));      // the same day again
    EXPECT_FALSE(game::recordDailyDay(d, day - 3, 10, true));   // a day before it
    EXPECT_EQ(d.currentStreak(day), 1);
    EXPECT_TRUE(game::recordDailyDay(d, day + 1, 40, true));
    EXPECT_EQ(d.currentStreak(day + 1), 2);
    EXPECT_EQ(d.currentStreak(day + 2), 2);  // today not played yet
    EXPECT_EQ(d.currentStreak(day + 3), 0);  // a day went by
    EXPECT_TRUE(game::recordDailyDay(d, day + 3, 12, false));
    EXPECT_EQ(d.currentStreak(day + 3), 0);
    EXPECT_TRUE(game::recordDailyDay(d, day + 4, 35, true));
    EXPECT_EQ(d.currentStreak(day + 4), 1);
    EXPECT_EQ(d.longestStreak, 2);
    EXPECT_EQ(d.daysPlayed, 4);

    const auto last = d.lastDays(day + 4);
    EXPECT_EQ(last.back(), 35);
    EXPECT_EQ(last[last.size() - 2], 12);
    EXPECT_EQ(last[last.size() - 3], -1);
    EXPECT_EQ(last[last.size() - 5], 41);
    // Days older than the chart's reach are dropped.
    EXPECT_TRUE(game::recordDailyDay(d, day + 40, 30, true));
    EXPECT_EQ(d.requiredFound.size(), 1u);
}

TEST(StatisticsRecords, TheFiguresSurviveTheStoreAndADamagedValueCostsOnlyItsFigure) {
    game::testing::MemoryStore store;
    Statistics stats;
    const std::int64_t day = game::dayNumber({2026, 12, 8});
    const std::vector<std::string> found{"CAT", "GARDENS"};
    ASSERT_TRUE(game::persistence::updateStatistics(store, stats, [&](Statistics& s) {
        game::recordGame(s.of(StatsMode::Classic), 412, true, found);
        game::recordGame(s.of(StatsMode::Daily), 300, true, found);
        game::recordDailyDay(s.daily, day - 1, 40, true);
        game::recordDailyDay(s.daily, day, 38, true);
    }));
    // Another copy of the game counts a game on top of what the store holds.
    Statistics other;
    ASSERT_TRUE(game::persistence::updateStatistics(store, other, [](Statistics& s) {
        game::recordGame(s.of(StatsMode::Arcade), 5000, false, {});
    }));
    EXPECT_EQ(other.of(StatsMode::Classic).best, 412);

    Statistics read;
    ASSERT_TRUE(game::persistence::loadStatistics(store, read));
    EXPECT_EQ(read.of(StatsMode::Classic).played, 1);
    EXPECT_EQ(read.of(StatsMode::Classic).longestWord, "GARDENS");
    EXPECT_EQ(read.of(StatsMode::Arcade).best, 5000);
    EXPECT_EQ(read.of(StatsMode::Daily).average(), 300);
    EXPECT_EQ(read.daily.currentStreak(day), 2);
    EXPECT_EQ(read.daily.lastDays(day).back(), 38);
    EXPECT_EQ(read.daily.lastDays(day)[game::DailyStatistics::kHistoryDays - 2], 40);

    setText(store, "CLASSICBEST", "-5");
    setText(store, "CLASSICLONGEST", "GAR\nDENS");
    setText(store, "ARCADEPLAYED", "1", platform::ValueType::Binary);
    setText(store, "DAILYHISTORY", "2026-12-08 38;2026-02-30 7;junk;2026-12-07 40");
    ASSERT_TRUE(game::persistence::loadStatistics(store, read));
    EXPECT_EQ(read.of(StatsMode::Classic).best, 0);
    EXPECT_EQ(read.of(StatsMode::Classic).longestWord, "");
    EXPECT_EQ(read.of(StatsMode::Classic).played, 1);
    EXPECT_EQ(read.of(StatsMode::Arcade).played, 0);
    EXPECT_EQ(read.of(StatsMode::Arcade).best, 5000);
    EXPECT_EQ(read.daily.requiredFound.size(), 2u);
    EXPECT_EQ(read.daily.currentStreak(day), 2);

    // Counts at the limit stay there.
    setText(store, "CLASSICPLAYED", "2147483647");
    setText(store, "CLASSICFINISHED", "2147483647");
    Statistics full;
    ASSERT_TRUE(game::persistence::updateStatistics(store, full, [](Statistics& s) {
        game::recordGame(s.of(StatsMode::Classic), 1, true, {});
    }));
    EXPECT_EQ(full.of(StatsMode::Classic).played, 2147483647);
    EXPECT_EQ(full.of(StatsMode::Classic).finished, 2147483647);
    setText(store, "CLASSICPLAYED", "1");

    // A store whose writes fail says so; the change is still in hand.
    store.failWrites = true;
    Statistics failed;
    EXPECT_FALSE(game::persistence::updateStatistics(store, failed, [](Statistics& s) {
        game::recordGame(s.of(StatsMode::Classic), 1, false, {});
    }));
    EXPECT_EQ(failed.of(StatsMode::Classic).played, 2);
}

}  // namespace
