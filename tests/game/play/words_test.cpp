// Submitting words: the lookup, the found list's order, scoring, the list's top for a word and clearing.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.h"
#include "game/play/words.h"
#include "game_builder.h"

namespace {

using game::words::Answer;
using game::words::submitChain;

// C A T S
// O X E M
// D R I N
// L U P G
game::GameData catBoard() {
    auto g = playtest::board(4, 4, "CATSOXEMDRINLUPG");
    playtest::addSolution(g, "ACT", {2, 1, 3});  // not a real path; the lookup does not care
    playtest::addSolution(g, "CAT", {1, 2, 3});
    playtest::addSolution(g, "CATS", {1, 2, 3, 4});
    playtest::addSolution(g, "TEXT", {3, 7, 6, 3});
    return g;
}

TEST(FoundList, IsOrderedByLengthThenAlphabeticallyWithoutRegardToCase) {
    game::GameData g;
    for (const char* w : {"CATS", "CAT", "ZOO", "ACT", "ABLE", "ZEBRAS", "BEE"}) game::words::addFoundWord(g, w);
    ASSERT_EQ(g.numFoundWords(), 7);
    std::vector<std::string> list(g.foundWords().begin(), g.foundWords().end());
    EXPECT_EQ(list, (std::vector<std::string>{"ACT", "BEE", "CAT", "ZOO", "ABLE", "CATS", "ZEBRAS"}));

    EXPECT_LT(game::words::compareFoundWords("abc", "ABD"), 0);
    EXPECT_EQ(game::words::compareFoundWords("abc", "ABC"), 0);
    EXPECT_LT(game::words::compareFoundWords("ZZ", "AAA"), 0);
    EXPECT_GT(game::words::compareFoundWords("ABCD", "ZZZ"), 0);
}

TEST(FoundList, AddingAWordTwiceKeepsOneAndGivesItsIndex) {
    game::GameData g;
    game::words::addFoundWord(g, "CATS");
    EXPECT_EQ(game::words::addFoundWord(g, "CAT"), 1);
    EXPECT_EQ(game::words::addFoundWord(g, "CATS"), 2);
    EXPECT_EQ(game::words::addFoundWord(g, "ACT"), 1);
    EXPECT_EQ(game::words::findFoundWord(g, "CAT"), 2);
    EXPECT_EQ(game::words::findFoundWord(g, "cat"), -1) << "exact comparison";
    EXPECT_EQ(g.numFoundWords(), 3);
}

TEST(FoundList, TheWordJustFoundIsAlwaysInView) {
    // With 14 found words and the new one sorting last, the list must not stop one row short of it.
    EXPECT_EQ(game::words::listTopFor(14, 14), 2);
    for (int n = 1; n <= 40; ++n)
        for (int i = 1; i <= n; ++i) {
            const int top = game::words::listTopFor(i, n);
            EXPECT_LE(top, i) << i << " of " << n;
            EXPECT_GE(top + game::kListRows - 1, i) << i << " of " << n;
            // Never past where the down arrow stops.
            EXPECT_LE(top, std::max(1, n - game::kListRows + 1)) << i << " of " << n;
        }
}

TEST(Submit, ScoresStopGrowingAtTheirLimit) {
    auto g = catBoard();
    g = game::testing::GameBuilder(g)
            .mode(game::GameMode::Arcade)
            .score(game::kMaxScore - 2)
            .levelScore(game::kMaxScore - 1)
            .build();
    playtest::link(g, {1, 2, 3});
    ASSERT_EQ(submitChain(g).answer, Answer::New);
    EXPECT_EQ(g.score(), game::kMaxScore);
    EXPECT_EQ(g.levelScore(), game::kMaxScore);
    // Even a score read from far above the limit does not wrap round.
    EXPECT_EQ(game::addPoints(2147483647, 28), game::kMaxScore);
}

TEST(Submit, ChainsOfOneOrTwoLettersSubmitNothing) {
    auto g = catBoard();
    playtest::link(g, {1, 2});
    EXPECT_EQ(submitChain(g).answer, Answer::None);
    EXPECT_EQ(g.score(), 0);
    EXPECT_EQ(g.curWordLen(), 2);
}

TEST(Submit, ARefusedWordChangesNothingAndKeepsTheChain) {
    auto g = catBoard();
    playtest::link(g, {1, 5, 6});  // C O X
    const auto s = submitChain(g);
    EXPECT_EQ(s.answer, Answer::Refused);
    EXPECT_EQ(s.word, "COX");
    EXPECT_EQ(g.score(), 0);
    EXPECT_EQ(g.numFoundWords(), 0);
    EXPECT_EQ(g.curWordLen(), 3);
}

TEST(Submit, ANewWordScoresJoinsTheListAndARepeatScoresNothing) {
    auto g = catBoard();
    g = game::testing::GameBuilder(g).target(100).build();
    playtest::link(g, {1, 2, 3, 4});
    auto s = submitChain(g);
    EXPECT_EQ(s.answer, Answer::New);
    EXPECT_EQ(s.points, 10);
    EXPECT_EQ(g.score(), 10);
    EXPECT_EQ(g.levelScore(), 0) << "Classic Mode has no level score";
    EXPECT_EQ(g.numFoundWords(), 1);
    EXPECT_EQ(s.index, 1);
    EXPECT_EQ(g.curWordLen(), 4) << "the caller clears the chain";

    game::words::clearChain(g);
    playtest::link(g, {1, 2, 3});
    s = submitChain(g);
    EXPECT_EQ(s.answer, Answer::New);
    EXPECT_EQ(s.points, 6);
    EXPECT_EQ(s.index, 1) << "CAT before CATS";
    EXPECT_EQ(g.score(), 16);

    // CAT again: found before.
    s = submitChain(g);
    EXPECT_EQ(s.answer, Answer::Repeated);
    EXPECT_EQ(s.index, 1);
    EXPECT_EQ(g.score(), 16);
    EXPECT_EQ(g.numFoundWords(), 2);
    EXPECT_EQ(g.curWordLen(), 3);
}

TEST(Submit, LowerCaseLettersAreLookedUpInUpperCase) {
    auto g = playtest::board(4, 4, "catsoxemdrinlupg");
    playtest::addSolution(g, "CAT", {1, 2, 3});
    playtest::link(g, {1, 2, 3});
    const auto s = submitChain(g);
    EXPECT_EQ(s.word, "CAT");
    EXPECT_EQ(s.answer, Answer::New);
}

TEST(Submit, ArcadeModeAddsToTheLevelScoreAndTheTargetTestUsesIt) {
    auto g = catBoard();
    g = game::testing::GameBuilder(g).mode(game::GameMode::Arcade).score(500).target(16).build();
    playtest::link(g, {1, 2, 3, 4});
    submitChain(g);
    EXPECT_EQ(g.score(), 510);
    EXPECT_EQ(g.levelScore(), 10);
    EXPECT_FALSE(game::words::targetReached(g)) << "the run's score does not count, the level's does";
    game::words::clearChain(g);
    playtest::link(g, {1, 2, 3});
    submitChain(g);
    EXPECT_EQ(g.levelScore(), 16);
    EXPECT_TRUE(game::words::targetReached(g));
}

TEST(ClearChain, UnlinksEveryLetterAndReportsAnEmptyChain) {
    auto g = catBoard();
    EXPECT_FALSE(game::words::clearChain(g));
    playtest::link(g, {1, 2, 3});
    EXPECT_TRUE(game::words::clearChain(g));
    EXPECT_EQ(g.curWordLen(), 0);
    for (int c = 1; c <= g.numCells(); ++c) EXPECT_EQ(g.cellSelected()[c], 0);
}

}  // namespace
