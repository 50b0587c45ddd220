// The solver through recreatePuzzle on hand-made dictionaries and boards: which words are listed,
// with which path, in which order, and what is counted.
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace varnook::engine_test {
namespace {

struct Solved {
    std::int32_t total;
    Lists lists;
};

class SolverTest : public ::testing::Test {
protected:
    void loadWords(const std::vector<std::string>& words) {
        dict_ = std::make_unique<TempFile>(dictionaryImage(words, weightsOf("e")));
        ASSERT_EQ(api_.loadLangDict(dict_->c_str()), 1);
    }
    Solved solve(const std::vector<std::string>& rows, const Steps& steps = kEightSteps) {
        const auto grid = gridOf(rows);
        const auto flat = flatten(steps);
        const auto total =
            api_.recreatePuzzle(static_cast<std::int32_t>(rows[0].size()), static_cast<std::int32_t>(rows.size()),
                                grid.data(), flat.data(), static_cast<std::int32_t>(steps.size()));
        return {total, readLists(api_)};
    }
    EngineApi& api_ = EngineApi::shipped();
    std::unique_ptr<TempFile> dict_;
};

using P = std::vector<std::uint8_t>;

TEST_F(SolverTest, AWordTracedTwiceKeepsThePathFromTheLowestStartCellThenTableOrder) {
    loadWords({"tat"});
    // t a
    // a t      "tat" runs 0-1-3, 0-2-3, 3-1-0 and 3-2-0.
    auto solved = solve({"ta", "at"});
    ASSERT_EQ(solved.lists[2].size(), 1u);
    EXPECT_EQ(solved.lists[2][0], (Listed{"tat", P{0, 1, 3}}));
    api_.clearMemory();

    // With the downward step first in the table, the same start cell goes down first.
    solved = solve({"ta", "at"}, {{0, 1}, {1, 0}, {-1, 0}, {0, -1}});
    EXPECT_EQ(solved.lists[2][0], (Listed{"tat", P{0, 2, 3}}));
    api_.clearMemory();
}

TEST_F(SolverTest, TheStepTableIsTheAdjacencyRule) {
    loadWords({"abd", "adb", "adc"});
    // a b
    // c d      "abd" is orthogonal; "adb" and "adc" start with a diagonal step.
    auto solved = solve({"ab", "cd"}, kFourSteps);
    EXPECT_EQ(solved.total, 1);
    EXPECT_EQ(solved.lists[2], (std::vector<Listed>{{"abd", P{0, 1, 3}}}));
    api_.clearMemory();

    solved = solve({"ab", "cd"});
    EXPECT_EQ(solved.total, 3);
    EXPECT_EQ(solved.lists[2], (std::vector<Listed>{{"abd", P{0, 1, 3}}, {"adb", P{0, 3, 1}}, {"adc", P{0, 3, 2}}}));
    api_.clearMemory();
}

TEST_F(SolverTest, ChainsGoAroundAHoleAndNeverReuseACell) {
    loadWords({"cat", "tat", "catac"});
    // c . t
    // x a .
    auto solved = solve({"c.t", "xa."});
    EXPECT_EQ(solved.lists[2], (std::vector<Listed>{{"cat", P{0, 4, 2}}}));
    EXPECT_TRUE(solved.lists[4].empty());  // "catac" would need cell 4 twice, "tat" cell 2 twice
    api_.clearMemory();
}

TEST_F(SolverTest, ShortWordsAreListedInFindingOrderButNotCounted) {
    loadWords({"b", "a", "ab", "ba", "bab"});
    const auto solved = solve({"bab"});
    EXPECT_EQ(solved.total, 1);
    EXPECT_EQ(solved.lists[0], (std::vector<Listed>{{"b", P{0}}, {"a", P{1}}}));
    EXPECT_EQ(solved.lists[1], (std::vector<Listed>{{"ba", P{0, 1}}, {"ab", P{1, 2}}}));
    EXPECT_EQ(solved.lists[2], (std::vector<Listed>{{"bab", P{0, 1, 2}}}));
    api_.clearMemory();
}

TEST_F(SolverTest, ListsAreSortedByUnsignedBytesAndLookupIsCaseSensitive) {
    loadWords({"zoo", "\xE9t\xE9", "abc", "ABC"});
    const auto solved = solve({"zooab",
                               "\xE9t\xE9"
                               "cX",
                               "ABCXX"});
    ASSERT_EQ(solved.lists[2].size(), 4u);
    EXPECT_EQ(solved.lists[2][0].word, "ABC");
    EXPECT_EQ(solved.lists[2][1].word, "abc");
    EXPECT_EQ(solved.lists[2][2].word, "zoo");
    EXPECT_EQ(solved.lists[2][3].word, "\xE9t\xE9");  // 0xE9 sorts after 'z'
    EXPECT_EQ(solved.lists[2][3].path, (P{5, 6, 7}));
    api_.clearMemory();

    // Upper-case letters do not spell a lower-case word.
    EXPECT_EQ(solve({"ZOO"}).total, 0);
    api_.clearMemory();
}

TEST_F(SolverTest, APrefixIsAWordOnlyWithItsEndFlag) {
    loadWords({"cats",
               "cat"
               "tle"});
    const auto solved = solve({"cats"});
    EXPECT_EQ(solved.total, 1);
    EXPECT_TRUE(solved.lists[2].empty());  // "cat" is only a prefix here
    EXPECT_EQ(solved.lists[3], (std::vector<Listed>{{"cats", P{0, 1, 2, 3}}}));
    api_.clearMemory();
}

TEST_F(SolverTest, WithoutClearMemoryListsMergeAndTheOldPathWins) {
    loadWords({"cat", "act", "ab"});
    EXPECT_EQ(solve({"cat."}).total, 1);
    // Solving a second board adds to the lists: "cat" keeps its first path; the count is of
    // everything listed.
    const auto second = solve({".tact"});
    EXPECT_EQ(second.total, 2);
    EXPECT_EQ(second.lists[2], (std::vector<Listed>{{"act", P{2, 3, 4}}, {"cat", P{0, 1, 2}}}));

    api_.clearMemory();
    for (int k = 0; k < 15; ++k) EXPECT_EQ(api_.qxpGetNumWordsInSize(k), 0);
    const auto fresh = solve({".tact"});
    EXPECT_EQ(fresh.lists[2], (std::vector<Listed>{{"act", P{2, 3, 4}}, {"cat", P{3, 2, 1}}}));
    api_.clearMemory();
}

TEST_F(SolverTest, ChainsStopAtTenCells) {
    // mkdict refuses words over 10 letters, so this tree is built by hand: a chain a-b-...-k
    // with end flags on "abcdefghij" (10) and "abcdefghijk" (11).
    std::vector<std::uint32_t> nodes;
    const std::string letters = "abcdefghijk";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        std::uint32_t node = static_cast<unsigned char>(letters[i]);
        if (i + 1 < letters.size()) node |= static_cast<std::uint32_t>(i + 1) << 12;
        if (i >= 9) node |= 0x100;
        nodes.push_back(node);
    }
    TempFile dict(nodesImage(weightsOf("e"), nodes));
    ASSERT_EQ(api_.loadLangDict(dict.c_str()), 1);
    const auto solved = solve({letters});
    EXPECT_EQ(solved.total, 1);
    EXPECT_EQ(solved.lists[9], (std::vector<Listed>{{"abcdefghij", P{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}}));
    EXPECT_EQ(api_.qxpGetNumWordsInSize(10), 0);
    api_.clearMemory();
}

TEST_F(SolverTest, RecreatingAGeneratedGridGivesTheGeneratorsLists) {
    ASSERT_EQ(api_.loadLangDict(shippedDictionaryPath().c_str()), 1);
    const auto steps = flatten(kEightSteps);
    for (const std::int32_t seed : {5, 77, 9001}) {
        std::vector<std::uint8_t> grid(36, 1);
        const auto made = api_.makeQXPuzzleA(6, 6, grid.data(), steps.data(), 8, seed);
        const auto madeLists = readLists(api_);
        api_.clearMemory();
        EXPECT_EQ(api_.recreatePuzzle(6, 6, grid.data(), steps.data(), 8), made);
        EXPECT_EQ(readLists(api_), madeLists) << "seed " << seed;
        api_.clearMemory();
    }
}

}  // namespace
}  // namespace varnook::engine_test
