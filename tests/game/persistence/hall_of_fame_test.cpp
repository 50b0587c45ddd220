// Ranking and inserting best scores, clearing a table, the names the dialog hands back, and the
// single-byte code page of names.
#include <gtest/gtest.h>

#include "game/persistence/hall_of_fame.h"
#include "platform/codepage.h"
#include "records_fixture.h"

namespace {

using game::GameMode;
using game::persistence::HallOfFame;

HallOfFame withClassic(std::initializer_list<std::int32_t> scores) {
    HallOfFame h;
    int rank = 1;
    for (const std::int32_t s : scores) {
        h.table(GameMode::Classic)->score(rank) = s;
        h.table(GameMode::Classic)->name(rank) = "R" + std::to_string(rank);
        ++rank;
    }
    return h;
}

TEST(HallOfFame, AScoreEqualToStoredOnesRanksBelowThem) {
    HallOfFame h = withClassic({100, 90, 90, 50, 0, 0, 0, 0});
    EXPECT_EQ(h.rankForScore(GameMode::Classic, 90), 4);
    h.insertBestScore(GameMode::Classic, 90, "New");
    const game::persistence::HallOfFameTable& t = *h.table(GameMode::Classic);
    EXPECT_EQ(t.scores, (std::array<std::int32_t, 8>{100, 90, 90, 90, 50, 0, 0, 0}));
    EXPECT_EQ(t.names, (std::array<std::string, 8>{"R1", "R2", "R3", "New", "R4", "R5", "R6", "R7"}));
}

TEST(HallOfFame, ATopScorePushesRankEightOut) {
    HallOfFame h = withClassic({80, 70, 60, 50, 40, 30, 20, 10});
    EXPECT_EQ(h.rankForScore(GameMode::Classic, 81), 1);
    h.insertBestScore(GameMode::Classic, 81, "Top");
    const game::persistence::HallOfFameTable& t = *h.table(GameMode::Classic);
    EXPECT_EQ(t.scores, (std::array<std::int32_t, 8>{81, 80, 70, 60, 50, 40, 30, 20}));
    EXPECT_EQ(t.name(1), "Top");
    EXPECT_EQ(t.name(8), "R7");
    EXPECT_EQ(h.bestScore(GameMode::Classic), 81);
}

TEST(HallOfFame, ScoresThatDoNotRank) {
    HallOfFame h = withClassic({80, 70, 60, 50, 40, 30, 20, 10});
    EXPECT_EQ(h.rankForScore(GameMode::Classic, 10), game::persistence::kNotRanked);  // equal to rank 8
    EXPECT_EQ(h.rankForScore(GameMode::Classic, 11), 8);
    HallOfFame fresh;
    EXPECT_EQ(fresh.rankForScore(GameMode::Arcade, 1), 1);
    EXPECT_EQ(fresh.rankForScore(GameMode::Arcade, 0), game::persistence::kNotRanked);
    EXPECT_EQ(fresh.rankForScore(static_cast<GameMode>(0), 500), game::persistence::kNotRanked);  // no such table
    fresh.insertBestScore(static_cast<GameMode>(3), 500, "x");                                    // ignored
    EXPECT_EQ(fresh.bestScore(GameMode::Classic), 0);
}

TEST(HallOfFame, TheBestScoreCheckComparesTheLow16BitsSigned) {
    EXPECT_EQ(game::persistence::scoreForRanking(1234), 1234);
    EXPECT_EQ(game::persistence::scoreForRanking(65536 + 100), 100);
    EXPECT_EQ(game::persistence::scoreForRanking(40000), 40000 - 65536);
    HallOfFame fresh;
    EXPECT_EQ(fresh.rankForScore(GameMode::Classic, game::persistence::scoreForRanking(40000)),
              game::persistence::kNotRanked);
}

TEST(HallOfFame, ClearingOneTableLeavesTheOther) {
    HallOfFame h = withClassic({80, 70, 60, 50, 40, 30, 20, 10});
    h.insertBestScore(GameMode::Arcade, 500, "Arc");
    h.clearScores(GameMode::Arcade);
    for (int rank = 1; rank <= 8; ++rank) {
        EXPECT_EQ(h.table(GameMode::Arcade)->score(rank), 0);
        EXPECT_EQ(h.table(GameMode::Arcade)->name(rank), "Anonoymous");
    }
    EXPECT_EQ(h.table(GameMode::Classic)->score(1), 80);
    EXPECT_EQ(h.table(GameMode::Classic)->name(8), "R8");
}

TEST(HallOfFame, TheNameDialogKeeps19CharactersAndGivesADashForNothing) {
    EXPECT_EQ(game::persistence::finishName(std::string(25, 'n')), std::string(19, 'n'));
    EXPECT_EQ(game::persistence::finishName("Ann"), "Ann");
    EXPECT_EQ(game::persistence::finishName(""), "-");
}

using HallOfFameRecords = records_test::RecordsTest;

TEST_F(HallOfFameRecords, ALongNameIsStoredAsItsFirst19Characters) {
    game::persistence::Settings s;
    ASSERT_TRUE(records_->loadSettings(s));
    ASSERT_TRUE(records_->insertBestScore(s.hallOfFame, GameMode::Classic, 77,
                                          game::persistence::finishName("abcdefghijklmnopqrstuvwxy")));
    ASSERT_TRUE(records_->insertBestScore(s.hallOfFame, GameMode::Classic, 66, game::persistence::finishName("")));
    restart();
    game::persistence::Settings back;
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(1), "abcdefghijklmnopqrs");
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(2), "-");
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->score(2), 66);
}

TEST(CodePage, TypedCharactersBecomeSingleBytesOrAreRefused) {
    using platform::codepage::fromCodePoint;
    EXPECT_EQ(fromCodePoint(U'A'), 'A');
    EXPECT_EQ(fromCodePoint(U'é'), '\xe9');
    EXPECT_EQ(fromCodePoint(U'ÿ'), '\xff');
    EXPECT_EQ(fromCodePoint(U'€'), '\x80');
    EXPECT_EQ(fromCodePoint(U'Ÿ'), '\x9f');
    EXPECT_EQ(fromCodePoint(U'Ł'), std::nullopt);  // not in the code page
    EXPECT_EQ(fromCodePoint(U'\u4e2d'), std::nullopt);
    EXPECT_EQ(fromCodePoint(0x81), std::nullopt);  // a C1 control, undefined here
    EXPECT_EQ(fromCodePoint(0xFFFD), std::nullopt);
    EXPECT_EQ(fromCodePoint(U'\t'), std::nullopt);
    EXPECT_EQ(fromCodePoint(0x7F), std::nullopt);
    EXPECT_EQ(fromCodePoint(0x110000), std::nullopt);
    // Every defined byte goes out and back unchanged.
    for (int b = 0x20; b <= 0xFF; ++b) {
        const char32_t cp = platform::codepage::toCodePoint(static_cast<unsigned char>(b));
        if (cp == 0xFFFD || b == 0x7F) continue;
        EXPECT_EQ(fromCodePoint(cp), static_cast<char>(b)) << b;
    }
    EXPECT_EQ(platform::codepage::toUtf8("Zo\xeb \x80"), "Zo\xc3\xab \xe2\x82\xac");
}

}  // namespace
