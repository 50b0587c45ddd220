// The statistics window: its picture against a golden one (the table's text within the font
// tolerance, the chart exact), bars that follow the days' counts, and closing by "OK", Esc or Enter.
#include <gtest/gtest.h>

#include <vector>

#include "game/play/daily.h"
#include "game/ui/palette.h"
#include "game/ui/statistics_window.h"
#include "platform/headless.h"
#include "ui_test_support.h"

namespace {

using game::Statistics;
using game::StatsMode;
using game::ui::FrmStatistics;
using platform::HeadlessWindow;
using platform::Rect;

const std::int64_t kToday = game::dayNumber({2026, 12, 8});

Statistics sample() {
    Statistics s;
    const std::vector<std::string> words{"CAT", "GARDENS", "HOUSE"};
    game::recordGame(s.of(StatsMode::Classic), 412, true, words);
    game::recordGame(s.of(StatsMode::Classic), 120, false, {});
    game::recordGame(s.of(StatsMode::Arcade), 5230, false, words);
    // Days 20 to 1 before today, every third missed, then today.
    for (int back = 20; back >= 0; --back) {
        if (back % 3 == 2) continue;
        game::recordDailyDay(s.daily, kToday - back, 30 + back, back < 6);
        game::recordGame(s.of(StatsMode::Daily), 200 + back, back < 6, words);
    }
    return s;
}

HeadlessWindow& windowOf(FrmStatistics& w) {
    auto* h = dynamic_cast<HeadlessWindow*>(w.window());
    EXPECT_NE(h, nullptr);
    return *h;
}

TEST(Golden, StatisticsWindow) {
    platform::HeadlessPlatform p;
    const Statistics stats = sample();
    FrmStatistics window(p.ui, p.graphics, stats, kToday);
    window.show();
    const HeadlessWindow& w = windowOf(window);
    EXPECT_EQ(w.caption(), "Statistics");
    // Everything above the chart is text; so is the "OK" button.
    const auto& chart = window.chart();
    const auto& ok = window.okButton();
    const std::vector<Rect> text{{0, 0, w.clientWidth(), chart.y},
                                 {ok.x, ok.y, ok.x + ok.wid, ok.y + ok.ht}};
    EXPECT_EQ(uitest::compareWithGolden(w.screen(), "statistics_window", text), "");
}

TEST(StatisticsWindow, EachDaysBarFollowsItsCountAndTheWindowCloses) {
    platform::HeadlessPlatform p;
    const Statistics stats = sample();
    FrmStatistics window(p.ui, p.graphics, stats, kToday);
    window.show();
    HeadlessWindow& w = windowOf(window);
    const int last = game::DailyStatistics::kHistoryDays - 1;
    // Today (30 words) at the right end; the day before (31), taller; two days back, not played.
    EXPECT_EQ(window.bar(last).state, 30);
    EXPECT_GT(window.bar(last - 1).ht, window.bar(last).ht);
    EXPECT_EQ(window.bar(last - 2).ht, 0);
    for (int i = 0; i <= last; ++i) {
        const auto& b = window.bar(i);
        const int lit = uitest::countColor(w.screen(), Rect{b.x, window.chart().y, b.x + b.wid,
                                                              window.chart().y + window.chart().ht},
                                           game::ui::clrHiText);
        EXPECT_EQ(lit, b.wid * b.ht) << "day " << i;
    }

    p.ui.keyPress(w, platform::key::kEscape);
    EXPECT_FALSE(window.isOpen());
    window.show();
    const auto& ok = window.okButton();
    p.ui.mouseMove(windowOf(window), 0, ok.x + 10, ok.y + 10);
    EXPECT_TRUE(window.okButton().hover);
    p.ui.click(windowOf(window), ok.x + 10, ok.y + 10);
    EXPECT_FALSE(window.isOpen());
}

}  // namespace
