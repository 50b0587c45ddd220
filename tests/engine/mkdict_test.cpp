// mkdict's library: which words it refuses, the weight formula, and the tree layout.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "dict_builder.h"

namespace varnook::mkdict {
namespace {

TEST(Mkdict, WordListKeepsStorableWordsAndNamesTheOthers) {
    const auto list = parseWordList("cat\r\ndog\n\nabcdefghijk\ntwo words\nfine\ntab\there\nabcdefghij");
    EXPECT_EQ(list.words, (std::vector<std::string>{"cat", "dog", "fine", "abcdefghij"}));
    ASSERT_EQ(list.rejected.size(), 3u);
    EXPECT_EQ(list.rejected[0].word, "abcdefghijk");
    EXPECT_EQ(list.rejected[0].reason, "longer than 10 letters");
    EXPECT_EQ(list.rejected[1].word, "two words");
    EXPECT_EQ(list.rejected[2].word, "tab\there");
}

TEST(Mkdict, WeightsAreRoundedSharesOfAThousandClampedTo1Through255) {
    // 16 letters: 'a' 13 (813), 'b' 2 (125), 'c' 1 (62.5, rounds up to 63).
    const auto weights = deriveWeights({"aaaaaaaaaa", "aaab", "bc"});
    EXPECT_EQ(weights['a'], 255);
    EXPECT_EQ(weights['b'], 125);
    EXPECT_EQ(weights['c'], 63);
    EXPECT_EQ(weights['d'], 0);
    // A letter far below one in a thousand still gets one copy.
    std::vector<std::string> words;  // 1024 distinct words of e and f, 10240 letters
    for (unsigned bits = 0; bits < 1024; ++bits) {
        std::string word;
        for (int i = 0; i < 10; ++i) word.push_back((bits >> i & 1) != 0 ? 'f' : 'e');
        words.push_back(word);
    }
    words.push_back("q");
    EXPECT_EQ(deriveWeights(words)['q'], 1);
}

TEST(Mkdict, TreeListsSiblingsInByteOrderWithSubtreesDepthFirst) {
    // Root list "a" (a word) and "b"; then the children of "a" ("ab"), then those of "b" ("ba").
    const auto nodes = buildNodes({"ba", "a", "ab", "ba"});
    ASSERT_TRUE(nodes);
    EXPECT_EQ(*nodes, (std::vector<std::uint32_t>{'a' | kWordEnd | kMoreSiblings | 2u << kChildShift,
                                                  'b' | 3u << kChildShift, 'b' | kWordEnd, 'a' | kWordEnd}));
    // Bytes above 127 sort after 'z'.
    const auto high = buildNodes({"\xE9", "z"});
    ASSERT_TRUE(high);
    EXPECT_EQ(*high, (std::vector<std::uint32_t>{'z' | kWordEnd | kMoreSiblings, 0xE9 | kWordEnd}));
}

TEST(Mkdict, OutputDependsOnlyOnTheSetOfWords) {
    std::vector<std::string> words = {"stone", "tones", "notes", "onset", "set", "sets", "ten", "tens", "nest", "net"};
    const auto first = encodeDictionary(deriveWeights(words), *buildNodes(words));
    std::mt19937 rng(5);
    std::shuffle(words.begin(), words.end(), rng);
    words.push_back("net");
    EXPECT_EQ(encodeDictionary(deriveWeights(words), *buildNodes(words)), first)
        << "order and duplicates change nothing";
}

}  // namespace
}  // namespace varnook::mkdict
