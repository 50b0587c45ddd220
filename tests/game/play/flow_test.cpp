// The flow rules: Classic board sizes, the countdown and its texts, the level bonus, the completion
// percentage and which end-dialog text each ending shows.
#include <gtest/gtest.h>

#include <set>

#include "end_states.h"
#include "game/play/flow.h"
#include "game_builder.h"

namespace game::flow {
namespace {

using game::testing::arcadeEnd;
using game::testing::classicEnd;

std::vector<std::string> args(std::initializer_list<const char*> a) { return {a.begin(), a.end()}; }

TEST(FlowRules, ClassicBoardSizesComeFromRowsOneToNineOnly) {
    // Halves go to the even neighbour: 0.0625 x 8 = 0.5 gives row 1, 0.1875 x 8 = 1.5 gives row 3.
    EXPECT_EQ(classicLevelRow(0.0), 1);
    EXPECT_EQ(classicLevelRow(0.0625), 1);
    EXPECT_EQ(classicLevelRow(0.0626), 2);
    EXPECT_EQ(classicLevelRow(0.1875), 3);
    EXPECT_EQ(classicLevelRow(0.3125), 3);
    EXPECT_EQ(classicLevelRow(0.9374), 8);
    EXPECT_EQ(classicLevelRow(0.9375), 9);
    EXPECT_EQ(classicLevelRow(0.99999999), 9);
    std::set<int> rows;
    for (int i = 0; i < 10000; ++i) rows.insert(classicLevelRow(i / 10000.0));
    EXPECT_EQ(rows, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (int row : rows) {
        EXPECT_GE(level(row).width, 4);
        EXPECT_LE(level(row).width, 6);
        EXPECT_GE(level(row).height, 4);
        EXPECT_LE(level(row).height, 6);
    }
}

TEST(FlowRules, RoundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
}

TEST(FlowRules, TimeTextsInTheirThreeStyles) {
    EXPECT_EQ(formatTime(3000, TimeStyle::LevelStart), "5:00.0");
    EXPECT_EQ(formatTime(2999, TimeStyle::Ticking), "4:59");
    EXPECT_EQ(formatTime(2999, TimeStyle::LevelStart), "4:59.9");
    EXPECT_EQ(formatTime(1205, TimeStyle::Ticking), "2:00");
    EXPECT_EQ(formatTime(1205, TimeStyle::LevelStart), "2:00.5");
    EXPECT_EQ(formatTime(95, TimeStyle::Ticking), "0:09");
    EXPECT_EQ(formatTime(100, TimeStyle::Ticking), "0:10");
    EXPECT_EQ(formatTime(0, TimeStyle::Ticking), "0:00");
    EXPECT_EQ(formatTime(2999, TimeStyle::Minutes), "4:");
    EXPECT_EQ(formatTime(1, static_cast<TimeStyle>(7)), "0:00.1");
}

TEST(FlowRules, CountdownRunsOutOnTheThreeThousandthTick) {
    GameData g;
    g = game::testing::GameBuilder(g).timeLeft(kLevelTime).build();
    int ticks = 0;
    while (!countdownTick(g)) ++ticks;
    EXPECT_EQ(ticks + 1, 3000);
    EXPECT_EQ(g.timeLeft(), 0);
}

TEST(FlowRules, LevelBonusIsTimeTimesLevelDivTen) {
    EXPECT_EQ(levelBonus(1205, 3), 361);
    EXPECT_EQ(levelBonus(3000, 10), 3000);
    EXPECT_EQ(levelBonus(9, 1), 0);
    EXPECT_EQ(levelBonus(0, 5), 0);
}

TEST(FlowRules, PercentageRoundedToTwoDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(percentText(75, 200), "37.5");
    EXPECT_EQ(percentText(200, 200), "100");
    EXPECT_EQ(percentText(1, 3), "33.33");
    EXPECT_EQ(percentText(2, 3), "66.67");
    EXPECT_EQ(percentText(1, 10), "10");
    EXPECT_EQ(percentText(0, 77), "0");
    // 1/800 = 0.125 %: exactly half a hundredth, goes to the even 0.12.
    EXPECT_EQ(percentText(1, 800), "0.12");
    // 3/800 = 0.375 %: half, goes to the even 0.38.
    EXPECT_EQ(percentText(3, 800), "0.38");
    EXPECT_EQ(percentText(1, 1000), "0.1");
    EXPECT_EQ(percentText(1, 1000000), "0");
    // A puzzle worth nothing divides by nothing.
    EXPECT_EQ(percentText(0, 0), "0");
    EXPECT_EQ(progressPercent(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(progressPercent(50, 200), 25.0);
}

TEST(EndDialogText, ClassicShowsAllFoundOrThePercentage) {
    auto t = endDialogText(classicEnd(12, 12, 140, 140));
    EXPECT_EQ(t.id, EndText::AllFound);
    EXPECT_EQ(t.args, args({"|1", "12"}));

    t = endDialogText(classicEnd(5, 12, 75, 200));
    EXPECT_EQ(t.id, EndText::Percentage);
    EXPECT_EQ(t.args, args({"|1", "5", "|2", "12", "|3", "75", "|4", "37.5"}));
}

TEST(EndDialogText, ClassicPuzzleWithoutWordsShowsZeroPercent) {
    const auto t = endDialogText(classicEnd(0, 0, 0, 0));
    EXPECT_EQ(t.id, EndText::Percentage);
    EXPECT_EQ(t.args, args({"|1", "0", "|2", "0", "|3", "0", "|4", "0"}));
}

TEST(EndDialogText, ArcadeWonLevelShowsSecondsAndBonus) {
    const auto t = endDialogText(arcadeEnd(3, 1205, true, 400));
    EXPECT_EQ(t.id, EndText::Qualified);
    EXPECT_EQ(t.args, args({"|1", "120", "|2", "361"}));
}

TEST(EndDialogText, ArcadeLostOrQuitLevelShowsGameOver) {
    // Out of time even with the target reached on the last tenth.
    auto t = endDialogText(arcadeEnd(4, 0, true, 700));
    EXPECT_EQ(t.id, EndText::GameOver);
    EXPECT_EQ(t.args, args({"|1", "4", "|2", "700"}));
    // Quit on the level after a won one: the new level has not qualified.
    t = endDialogText(arcadeEnd(2, 2500, false, 190));
    EXPECT_EQ(t.id, EndText::GameOver);
    EXPECT_EQ(t.args, args({"|1", "2", "|2", "190"}));
}

TEST(EndDialogText, TenthLevelWonCompletesTheRunLostIsGameOver) {
    auto t = endDialogText(arcadeEnd(10, 1000, true, 4000));
    EXPECT_EQ(t.id, EndText::AllLevels);
    EXPECT_EQ(t.args, args({"|1", "10"}));
    t = endDialogText(arcadeEnd(10, 0, false, 3500));
    EXPECT_EQ(t.id, EndText::GameOver);
    EXPECT_EQ(t.args, args({"|1", "10", "|2", "3500"}));
    t = endDialogText(arcadeEnd(10, 1500, false, 3600));
    EXPECT_EQ(t.id, EndText::GameOver);
    EXPECT_TRUE(onLastLevel(arcadeEnd(10, 0, false, 0)));
    EXPECT_FALSE(onLastLevel(arcadeEnd(9, 0, false, 0)));
}

}  // namespace
}  // namespace game::flow
