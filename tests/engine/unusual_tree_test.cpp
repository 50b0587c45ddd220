// Trees mkdict never writes, laid out by hand, and boards of every shape: sibling lists out of
// byte order or with a repeated letter, lists placed anywhere in the array, more letters than a
// child mask has bits, high and zero bytes, garbage past the tree. The engine must give exactly
// the model's puzzles, lists and paths on each.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "engine_harness.h"

namespace varnook::engine_test {
namespace {

using Rng = std::mt19937;

int uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// How a tree is laid out as node words.
struct Layout {
    bool sortedSiblings = true;  // each sibling list in byte order, as mkdict writes it
    bool shuffledLists = false;  // sibling lists in random places instead of depth first
    int repeatOneIn = 0;         // now and then a word gets a new node beside one with its letter
};

// The node words of a tree of the words. A repeated letter's second node is never reached by a
// lookup (the first node holding a letter is the one followed), but the tree stays valid.
std::vector<std::uint32_t> layOut(const std::vector<std::string>& words, const Layout& layout, Rng& rng) {
    struct Node {
        std::uint8_t letter = 0;
        bool endsWord = false;
        std::vector<std::size_t> children;
    };
    std::vector<Node> tree(1);  // the root
    for (const std::string& word : words) {
        std::size_t at = 0;
        for (const char ch : word) {
            const auto letter = static_cast<std::uint8_t>(ch);
            auto& kids = tree[at].children;
            auto found =
                std::find_if(kids.begin(), kids.end(), [&](std::size_t k) { return tree[k].letter == letter; });
            if (found == kids.end() || (layout.repeatOneIn > 0 && uniform(rng, 1, layout.repeatOneIn) == 1)) {
                tree.push_back({letter, false, {}});
                tree[at].children.push_back(tree.size() - 1);
                at = tree.size() - 1;
            } else {
                at = *found;
            }
        }
        tree[at].endsWord = true;
    }

    // Sibling lists in the order they are placed: the root's first, at index 0.
    std::vector<std::size_t> parents;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        auto& kids = tree[i].children;
        if (kids.empty()) continue;
        if (layout.sortedSiblings) {
            std::stable_sort(kids.begin(), kids.end(),
                             [&](std::size_t a, std::size_t b) { return tree[a].letter < tree[b].letter; });
        } else {
            std::shuffle(kids.begin(), kids.end(), rng);
        }
        parents.push_back(i);
    }
    if (layout.shuffledLists) std::shuffle(parents.begin() + 1, parents.end(), rng);
    std::vector<std::size_t> position(tree.size()), listStart(tree.size());
    std::size_t next = 0;
    for (const std::size_t parent : parents) {
        listStart[parent] = next;
        for (const std::size_t kid : tree[parent].children) position[kid] = next++;
    }
    std::vector<std::uint32_t> nodes(next);
    for (const std::size_t parent : parents) {
        const auto& kids = tree[parent].children;
        for (std::size_t k = 0; k < kids.size(); ++k) {
            const Node& node = tree[kids[k]];
            std::uint32_t word = node.letter;
            if (node.endsWord) word |= 0x100;
            if (k + 1 < kids.size()) word |= 0x200;
            if (!node.children.empty()) word |= static_cast<std::uint32_t>(listStart[kids[k]]) << 12;
            nodes[position[kids[k]]] = word;
        }
    }
    return nodes;
}

std::vector<std::string> randomWords(Rng& rng, const std::string& alphabet, int count) {
    std::vector<std::string> words;
    for (int n = 0; n < count; ++n) {
        std::string word;
        for (int len = uniform(rng, 1, 10); len > 0; --len)
            word.push_back(alphabet[static_cast<std::size_t>(uniform(rng, 0, static_cast<int>(alphabet.size()) - 1))]);
        words.push_back(word);
    }
    return words;
}

Steps anySteps(Rng& rng) {
    switch (uniform(rng, 0, 4)) {
        case 0: return kFourSteps;
        case 1: {
            // Repeated steps, a step of (0, 0) and steps off any board of this size.
            Steps steps = kEightSteps;
            steps.insert(steps.begin() + uniform(rng, 0, 8), {0, 0});
            steps.push_back(steps[static_cast<std::size_t>(uniform(rng, 0, 8))]);
            steps.push_back({9, -9});
            return steps;
        }
        case 2: {
            Steps steps(static_cast<std::size_t>(uniform(rng, 1, 12)));
            for (auto& [dx, dy] : steps) {
                dx = uniform(rng, -2, 2);
                dy = uniform(rng, -2, 2);
            }
            return steps;
        }
        default: return kEightSteps;
    }
}

// Makes and solves boards of random shapes with both engines, clearing the lists only now and
// then, and expects the same grids, counts, lists and paths. Returns how many listed words were
// compared, so that a caller can tell a real comparison from one of empty lists.
std::size_t expectTheModelsPuzzles(const std::vector<std::uint8_t>& image, const std::string& alphabet, Rng& rng,
                                   const std::string& what) {
    auto& api = EngineApi::shipped();
    TempFile file(image);
    if (api.loadLangDict(file.c_str()) != 1) {
        ADD_FAILURE() << what << ": the dictionary was refused";
        return 0;
    }
    RefEngine model(image);
    std::size_t compared = 0;
    for (int round = 0; round < 12; ++round) {
        const int width = uniform(rng, 1, 7), height = uniform(rng, 1, 7);
        const Steps steps = anySteps(rng);
        const auto flat = flatten(steps);
        const auto numDirs = static_cast<std::int32_t>(steps.size());
        std::vector<std::uint8_t> grid(static_cast<std::size_t>(width * height));
        const std::string where = what + ", round " + std::to_string(round);
        if (round % 2 == 0) {
            // Letters of the alphabet, holes (0) and letters no node holds.
            for (auto& cell : grid) {
                const int pick = uniform(rng, 0, 12);
                cell = pick == 0   ? 0
                       : pick == 1 ? static_cast<std::uint8_t>(uniform(rng, 1, 255))
                                   : static_cast<std::uint8_t>(
                                         alphabet[static_cast<std::size_t>(uniform(rng, 0, int(alphabet.size()) - 1))]);
            }
            EXPECT_EQ(api.recreatePuzzle(width, height, grid.data(), flat.data(), numDirs),
                      model.recreate(width, height, grid, steps))
                << where;
        } else {
            for (auto& cell : grid) cell = static_cast<std::uint8_t>(uniform(rng, 0, 5) == 0 ? 0 : 1);
            auto modelGrid = grid;
            const auto seed = static_cast<std::int32_t>(rng());
            EXPECT_EQ(api.makeQXPuzzleA(width, height, grid.data(), flat.data(), numDirs, seed),
                      model.make(width, height, modelGrid, steps, seed))
                << where;
            EXPECT_EQ(grid, modelGrid) << where;
        }
        const Lists lists = readLists(api);
        EXPECT_EQ(lists, listsOf(model)) << where;
        for (const auto& list : lists) compared += list.size();
        if (uniform(rng, 0, 2) == 0) {
            api.clearMemory();
            model.clearMemory();
        }
    }
    api.clearMemory();
    return compared;
}

Weights weightsFor(const std::string& alphabet, Rng& rng) {
    Weights weights{};
    for (const char ch : alphabet)
        weights[static_cast<unsigned char>(ch)] = static_cast<std::uint8_t>(uniform(rng, 0, 9));
    weights[static_cast<unsigned char>(alphabet[0])] = 10;
    return weights;
}

TEST(UnusualTrees, SiblingListsOutOfOrderWithRepeatedLettersAndListsAnywhere) {
    Rng rng(5150);
    const std::string alphabet = "aeinrst\xE9\x80";
    for (int iteration = 0; iteration < 24; ++iteration) {
        // Every combination of sorted lists, lists anywhere and repeated letters, three times.
        const Layout layout{iteration % 2 == 0, (iteration / 2) % 2 == 1, (iteration / 4) % 2 == 1 ? 3 : 0};
        const auto words = randomWords(rng, alphabet, uniform(rng, 20, 200));
        EXPECT_GT(expectTheModelsPuzzles(nodesImage(weightsFor(alphabet, rng), layOut(words, layout, rng)), alphabet,
                                         rng, "iteration " + std::to_string(iteration)),
                  0u)
            << "iteration " << iteration << " listed no words";
    }
}

TEST(UnusualTrees, ARepeatedLetterIsFoundAtItsFirstNode) {
    // First-level lists "a a b" and "a b b c": a letter's first node is the one followed, so
    // "ax" and "bx" (under the second 'a' and 'b') are never found, while "bt" and "cat" are.
    auto& api = EngineApi::shipped();
    constexpr std::uint32_t kEnd = 0x100, kMore = 0x200;
    const std::vector<std::vector<std::uint32_t>> trees = {
        {'a' | kEnd | kMore, 'a' | kEnd | kMore | 3u << 12, 'b' | kEnd | 4u << 12, 'x' | kEnd, 't' | kEnd},
        {'a' | kMore | 5u << 12, 'b' | kEnd | kMore | 6u << 12, 'b' | kEnd | kMore | 7u << 12, 'c' | 8u << 12,
         'x' | kEnd, 't' | kEnd, 't' | kEnd, 'x' | kEnd, 'a' | 9u << 12, 't' | kEnd},
    };
    const auto flat = flatten(kEightSteps);
    for (const auto& nodes : trees) {
        const auto image = nodesImage(weightsOf("abctx"), nodes);
        TempFile file(image);
        ASSERT_EQ(api.loadLangDict(file.c_str()), 1);
        RefEngine model(image);
        const auto grid = gridOf({"axb", "tca", "xbt"});
        EXPECT_EQ(api.recreatePuzzle(3, 3, grid.data(), flat.data(), 8), model.recreate(3, 3, grid, kEightSteps));
        const auto lists = readLists(api);
        EXPECT_EQ(lists, listsOf(model));
        const auto listed = [&](const std::string& word) {
            const auto& list = lists[word.size() - 1];
            return std::any_of(list.begin(), list.end(), [&](const Listed& entry) { return entry.word == word; });
        };
        EXPECT_TRUE(listed("bt"));
        EXPECT_FALSE(listed("ax"));
        EXPECT_FALSE(listed("bx"));
        EXPECT_EQ(listed("cat"), nodes.size() > 5);
        api.clearMemory();
    }
}

TEST(UnusualTrees, MoreLettersThanAChildMaskHasBits) {
    // 31, 32, 33 and 60 distinct bytes, low and high, byte 0 among them: past 32 the last bit is
    // shared, and lists holding a letter with that bit are walked instead of counted.
    Rng rng(31337);
    for (const int letters : {31, 32, 33, 60}) {
        std::string alphabet;
        alphabet.push_back('\0');
        for (int c = 0; std::ssize(alphabet) < letters; c += 7) alphabet.push_back(static_cast<char>(1 + c % 255));
        for (const bool sorted : {true, false}) {
            // Few letters per word position so that boards hold words.
            const auto words = randomWords(rng, alphabet.substr(0, 6), 60);
            auto all = randomWords(rng, alphabet, 300);
            all.insert(all.end(), words.begin(), words.end());
            std::erase_if(all, [](const std::string& w) { return w.find('\0') == 0; });
            const Layout layout{sorted, !sorted, 0};
            EXPECT_GT(expectTheModelsPuzzles(nodesImage(weightsFor(alphabet.substr(1), rng), layOut(all, layout, rng)),
                                             alphabet.substr(0, 6), rng, std::to_string(letters) + " letters"),
                      0u)
                << letters << " letters listed no words";
        }
    }
}

TEST(UnusualTrees, NodesPastTheTreeAreNeverRead) {
    // Garbage after a valid tree (child indices past the end, runs that never end, new letters)
    // is unreachable: the file loads as before and gives the model's puzzles.
    Rng rng(99);
    const std::string alphabet = "lmnoa";
    auto nodes = layOut(randomWords(rng, alphabet, 150), Layout{}, rng);
    const std::size_t treeSize = nodes.size();
    for (int n = 0; n < 40; ++n) nodes.push_back(static_cast<std::uint32_t>(rng()) | 0x200);
    nodes.push_back(0x7FFFF000u | 0x200 | 'Z');
    ASSERT_GT(nodes.size(), treeSize);
    EXPECT_GT(
        expectTheModelsPuzzles(nodesImage(weightsFor(alphabet, rng), nodes), alphabet, rng, "garbage past the tree"),
        0u);
}

TEST(UnusualTrees, DeepWordsOnLongBoards) {
    // Words of 10 letters (and a longer chain that is never followed) on 10 x 1 to 10 x 25 boards.
    auto& api = EngineApi::shipped();
    Rng rng(2718);
    const std::vector<std::string> words = {"abcdefghij", "abcdefghi", "jihgfedcba", "abcdefghijab",
                                            "aaaaaaaaaa", "abababab",  "ba",         "a"};
    const auto image = nodesImage(weightsOf("abcdefghij"), layOut(words, Layout{}, rng));
    TempFile file(image);
    ASSERT_EQ(api.loadLangDict(file.c_str()), 1);
    RefEngine model(image);
    const auto flat = flatten(kEightSteps);
    for (const int height : {1, 2, 25}) {
        std::vector<std::uint8_t> grid(static_cast<std::size_t>(10 * height));
        for (std::size_t i = 0; i < grid.size(); ++i)
            grid[i] = static_cast<std::uint8_t>(height == 1 ? 'a' + i : 'a' + uniform(rng, 0, 2));
        EXPECT_EQ(api.recreatePuzzle(10, height, grid.data(), flat.data(), 8),
                  model.recreate(10, height, grid, kEightSteps));
        const auto lists = readLists(api);
        EXPECT_EQ(lists, listsOf(model)) << "10 x " << height;
        if (height == 1) {
            // "abcdefghij" both ways along the row; "abcdefghijab" would need 12 cells.
            EXPECT_EQ(lists[9].size(), 2u);
            EXPECT_EQ(lists[10].size(), 0u);
        }
        api.clearMemory();
        model.clearMemory();
    }
}

TEST(UnusualTrees, AStepTableChangedInPlaceOrAnotherShapeIsUsedAtOnce) {
    // The same caller buffer for the steps, rewritten between calls, and shapes changing from
    // call to call: each solve must follow the table and shape of its own call.
    auto& api = EngineApi::shipped();
    TempFile file(dictionaryImage({"abc", "acb", "bad", "dab", "cab", "abcd"}, weightsOf("abcd")));
    ASSERT_EQ(api.loadLangDict(file.c_str()), 1);
    RefEngine model(dictionaryImage({"abc", "acb", "bad", "dab", "cab", "abcd"}, weightsOf("abcd")));
    auto flat = flatten(kEightSteps);
    const auto grid = gridOf({"ab", "cd"});
    struct Call {
        int width, height;
        Steps steps;
    };
    const std::vector<Call> calls = {{2, 2, kEightSteps}, {2, 2, kFourSteps},  {4, 1, kEightSteps},
                                     {1, 4, kEightSteps}, {2, 2, kEightSteps}, {2, 2, {{1, 1}, {-1, -1}}}};
    for (const auto& call : calls) {
        const auto steps = flatten(call.steps);
        std::copy(steps.begin(), steps.end(), flat.begin());
        const auto numDirs = static_cast<std::int32_t>(call.steps.size());
        EXPECT_EQ(api.recreatePuzzle(call.width, call.height, grid.data(), flat.data(), numDirs),
                  model.recreate(call.width, call.height, grid, call.steps));
        EXPECT_EQ(readLists(api), listsOf(model)) << call.width << " x " << call.height << ", " << numDirs << " steps";
        api.clearMemory();
        model.clearMemory();
    }
}

}  // namespace
}  // namespace varnook::engine_test
