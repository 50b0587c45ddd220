// The word-list box and results display rules: scrolling limits, auto-repeat timing, statistics
// texts, the list row under the pointer and loading a solution path into the chain state.
#include <gtest/gtest.h>

#include <vector>

#include "game/play/solution_display.h"
#include "game_builder.h"

namespace game::results {
namespace {

TEST(ListScrolling, ThirteenOrFewerWordsNeverScroll) {
    for (int count : {0, 1, 12, 13}) {
        std::int16_t top = 1;
        EXPECT_FALSE(scrollDown(top, count)) << count;
        EXPECT_FALSE(scrollUp(top)) << count;
        EXPECT_EQ(top, 1);
    }
}

TEST(ListScrolling, TwentyWordsStopAtEightToTwentyAndBackAtOne) {
    std::int16_t top = 1;
    int steps = 0;
    while (scrollDown(top, 20)) ++steps;
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(top, 8);  // rows show words 8..20
    steps = 0;
    while (scrollUp(top)) ++steps;
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(top, 1);
}

TEST(ListScrolling, RepeatSpeedsUpByHundredMillisecondsToAFloor) {
    std::vector<int> later{kRepeatRestartMs};
    while (later.back() != nextRepeatInterval(later.back())) later.push_back(nextRepeatInterval(later.back()));
    EXPECT_EQ(later, (std::vector<int>{600, 500, 400, 300, 200, 100}));
    EXPECT_EQ(nextRepeatInterval(kRepeatFirstMs), 200);
    EXPECT_EQ(nextRepeatInterval(100), 100);
}

GameData puzzleWith(std::vector<std::pair<std::string, std::vector<std::uint8_t>>> words, int width = 4,
                    int height = 4) {
    testing::GameBuilder b;
    b.board(std::string(static_cast<std::size_t>(width * height), 'A'), width, height);
    for (auto& [w, path] : words) {
        std::vector<int> cells;
        for (std::uint8_t c : path) cells.push_back(c + 1);
        b.solution(w, cells);
    }
    return b.build();
}

TEST(Statistics, RowsCountFoundAgainstSolutionWordsOfEachLength) {
    GameData g = puzzleWith({{"CAT", {0, 1, 2}}, {"ACT", {1, 0, 2}}, {"TACO", {2, 1, 0, 4}}});
    g = testing::GameBuilder(g)
            .found({"ACT", "TACO", "ORCHESTRA"})
            .build();  // ORCHESTRA: 9 letters, counts in the header only
    EXPECT_EQ(foundOfLength(g, 3), 1);
    EXPECT_EQ(foundOfLength(g, 4), 1);
    EXPECT_EQ(foundOfLength(g, 5), 0);
    EXPECT_EQ(solutionsOfLength(g, 3), 2);
    EXPECT_EQ(solutionsOfLength(g, 4), 1);
    EXPECT_EQ(solutionsOfLength(g, 11), 0);
}

TEST(ResultsHover, OnlyANewRealWordIsShown) {
    // A 10-letter word is counted but has no slot in the list.
    GameData g = puzzleWith({{"CAT", {0, 1, 2}}, {"ACT", {1, 0, 2}}, {"ABCDEFGHIJ", {0, 1, 2, 3, 7, 6, 5, 4, 8, 9}}});
    g = testing::GameBuilder(g).allSolutions({"CAT", "ACT", ""}).build();
    EXPECT_EQ(wordToShow(g, 1, -1), 1);
    EXPECT_FALSE(wordToShow(g, 1, 1));  // the same word again
    EXPECT_EQ(wordToShow(g, 2, 1), 2);
    EXPECT_FALSE(wordToShow(g, 3, 1));  // empty slot
    EXPECT_FALSE(wordToShow(g, 4, 1));  // past the list
    EXPECT_FALSE(wordToShow(g, 0, 1));
}

TEST(SolutionPath, LoadsTheWholePathOfANineLetterWord) {
    GameData g = puzzleWith({{"ABCDEFGHI", {0, 1, 2, 3, 7, 6, 5, 4, 8}}, {"CAT", {5, 6, 7}}});
    g = testing::GameBuilder(g).chain({16}).build();  // a leftover that loading clears
    ASSERT_TRUE(loadSolutionPath(g, "ABCDEFGHI"));
    EXPECT_EQ(g.curWordLen(), 9);
    const std::vector<int> expected{1, 2, 3, 4, 8, 7, 6, 5, 9};
    for (int j = 1; j <= 9; ++j) EXPECT_EQ(g.curPath()[j], expected[j - 1]);
    int selected = 0;
    for (int c = 1; c <= g.numCells(); ++c) selected += g.cellSelected()[c];
    EXPECT_EQ(selected, 9);
    EXPECT_EQ(g.cellSelected()[16], 0);

    ASSERT_TRUE(loadSolutionPath(g, "CAT"));
    EXPECT_EQ(g.curWordLen(), 3);
    EXPECT_EQ(g.cellSelected()[1], 0);
    EXPECT_EQ(g.cellSelected()[6] + g.cellSelected()[7] + g.cellSelected()[8], 3);
}

TEST(SolutionPath, UnknownWordOrBrokenPathChangesNothing) {
    GameData g = puzzleWith({{"CAT", {0, 1, 2}}, {"DOG", {0, 1, 40}}});
    g = testing::GameBuilder(g).chain({4}).build();
    EXPECT_FALSE(loadSolutionPath(g, "COW"));
    EXPECT_FALSE(loadSolutionPath(g, "cat"));  // exact match only
    EXPECT_FALSE(loadSolutionPath(g, "DOG"));  // a cell off the board
    EXPECT_FALSE(loadSolutionPath(g, ""));
    EXPECT_FALSE(loadSolutionPath(g, "ABCDEFGHIJK"));
    EXPECT_EQ(g.curWordLen(), 1);
    EXPECT_EQ(g.curPath()[1], 4);
    EXPECT_EQ(g.cellSelected()[4], 1);
}

}  // namespace
}  // namespace game::results
