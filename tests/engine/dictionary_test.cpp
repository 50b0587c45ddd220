// Loading dictionaries: refused files leave an engine that does nothing, corrupt trees are
// refused, odd but valid files load, and a second load replaces the engine.
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace varnook::engine_test {
namespace {

// After a refused load every export returns 0 and writes nothing.
void expectInert(EngineApi& api) {
    const auto steps = flatten(kEightSteps);
    std::vector<std::uint8_t> grid(16, 1);
    EXPECT_EQ(api.makeQXPuzzleA(4, 4, grid.data(), steps.data(), 8, 1), 0);
    EXPECT_EQ(grid, std::vector<std::uint8_t>(16, 1));
    const auto letters = gridOf({"cats", "dogs", "ears", "tone"});
    EXPECT_EQ(api.recreatePuzzle(4, 4, letters.data(), steps.data(), 8), 0);
    api.clearMemory();
    for (int k = 0; k < 15; ++k) EXPECT_EQ(api.qxpGetNumWordsInSize(k), 0);
    std::vector<std::uint8_t> word(8, 0xA5), path(8, 0xA5);
    EXPECT_EQ(api.qxpGetWord(2, 1, reinterpret_cast<char*>(word.data()), path.data()), 0);
    EXPECT_EQ(word, std::vector<std::uint8_t>(8, 0xA5));
    EXPECT_EQ(path, std::vector<std::uint8_t>(8, 0xA5));
}

constexpr std::uint32_t kEnd = 0x100, kMore = 0x200;
constexpr std::uint32_t child(std::uint32_t index) { return index << 12; }

TEST(DictionaryLoad, MissingUnreadableAndShortFilesAreRefused) {
    auto& api = EngineApi::shipped();
    EXPECT_EQ(api.loadLangDict("/nonexistent/DEFAULT.DICT"), 0);
    expectInert(api);
    EXPECT_EQ(api.loadLangDict(VARNOOK_TEST_BIN_DIR), 0);  // a folder
    expectInert(api);
    EXPECT_EQ(api.loadLangDict(nullptr), 0);
    expectInert(api);
    for (const std::size_t size : {0u, 1u, 256u, 259u}) {
        TempFile file(std::vector<std::uint8_t>(size, 1));
        EXPECT_EQ(api.loadLangDict(file.c_str()), 0) << size << " bytes";
        expectInert(api);
    }
}

TEST(DictionaryLoad, CorruptTreesAreRefused) {
    auto& api = EngineApi::shipped();
    const std::vector<std::pair<const char*, std::vector<std::uint32_t>>> corrupt = {
        {"child index past the end", {'a' | child(5)}},
        {"negative child index", {0x80000061u}},
        {"sibling run leaving the array", {'a' | kMore, 'b' | kMore}},
        {"child list looping to itself", {'a' | child(1), 'b' | child(1)}},
        {"child list looping to an ancestor list", {'a' | child(1), 'b' | kMore | child(1), 'c'}},
        {"two nodes sharing a child list", {'a' | kMore | child(2), 'b' | child(2), 'c' | kEnd}},
        {"child list starting inside another", {'a' | kMore | child(2), 'b' | child(3), 'c' | kMore, 'd' | kEnd}},
    };
    for (const auto& [what, nodes] : corrupt) {
        TempFile file(nodesImage(weightsOf("abcd"), nodes));
        EXPECT_EQ(api.loadLangDict(file.c_str()), 0) << what;
        expectInert(api);
    }
}

TEST(DictionaryLoad, ACorruptTreeIsRefusedBeforeAnyIndexIsBuiltOverIt) {
    // The shipped tree with one fault deep inside, and small trees whose faults would send a walk
    // that trusts the file round forever or outside the array (loops, lists that overlap or never
    // end, more letters than a child mask has bits). Each is refused as a whole, and the engine
    // loaded before it goes too. A walk over them before the check would hang, or trip the
    // sanitizers, here.
    auto& api = EngineApi::shipped();
    const auto shipped = shippedDictionary();
    const std::size_t lastNode = (shipped.size() - 256) / 4 - 1;
    auto setNode = [](std::vector<std::uint8_t>& image, std::size_t index, std::uint32_t word) {
        for (int b = 0; b < 4; ++b)
            image[256 + 4 * index + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(word >> (8 * b));
    };
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> corrupt;
    // The last node of the file is the last of a list: it now runs on past the end, points past
    // the end, or points back to the list it is in.
    for (const auto& [what, word] : std::vector<std::pair<std::string, std::uint32_t>>{
             {"shipped tree, last list never ends", 'z' | kMore},
             {"shipped tree, last node's children past the end", 'z' | child(static_cast<std::uint32_t>(lastNode + 1))},
             {"shipped tree, last node its own child", 'z' | child(static_cast<std::uint32_t>(lastNode))}}) {
        auto image = shipped;
        setNode(image, lastNode, word);
        corrupt.emplace_back(what, image);
    }
    // A chain of ten letters whose last list leads back to the first-level list's second node.
    std::vector<std::uint32_t> chain = {'a' | kMore | child(2), 'b' | kEnd};
    for (std::uint32_t i = 2; i < 11; ++i) chain.push_back(('c' + i) | child(i + 1));
    chain.back() = 'z' | child(1);
    corrupt.emplace_back("ten-letter chain looping to the first list", nodesImage(weightsOf("ab"), chain));
    // Forty letters in the first list; one child list overlaps it.
    std::vector<std::uint32_t> wide;
    for (std::uint32_t c = 0; c < 40; ++c) wide.push_back((0x41 + c) | kEnd | kMore);
    wide.back() = (0x41 + 39) | child(38);
    corrupt.emplace_back("forty letters, a child list inside the first", nodesImage(weightsOf("AB"), wide));

    for (const auto& [what, image] : corrupt) {
        ASSERT_EQ(api.loadLangDict(shippedDictionaryPath().c_str()), 1);
        TempFile file(image);
        EXPECT_EQ(api.loadLangDict(file.c_str()), 0) << what;
        expectInert(api);
    }
}

TEST(DictionaryLoad, SmallestFileAndTrailingBytesLoad) {
    auto& api = EngineApi::shipped();
    const auto steps = flatten(kEightSteps);
    // 260 bytes: one node, the one-letter word "a".
    TempFile smallest(nodesImage(weightsOf("a"), {'a' | kEnd}));
    ASSERT_EQ(api.loadLangDict(smallest.c_str()), 1);
    const auto a = gridOf({"a"});
    EXPECT_EQ(api.recreatePuzzle(1, 1, a.data(), steps.data(), 8), 0);
    EXPECT_EQ(readLists(api)[0], (std::vector<Listed>{{"a", {0}}}));
    api.clearMemory();

    // 1 to 3 bytes after the last whole node word are ignored: the same puzzles.
    auto image = dictionaryImage({"cat", "dog", "tone", "ears", "stone"}, weightsOf("acdegnorst"));
    std::vector<Lists> lists;
    for (int extra = 0; extra <= 3; ++extra) {
        TempFile file(image);
        ASSERT_EQ(api.loadLangDict(file.c_str()), 1) << extra;
        std::vector<std::uint8_t> grid(25, 1);
        api.makeQXPuzzleA(5, 5, grid.data(), steps.data(), 8, 77);
        lists.push_back(readLists(api));
        api.clearMemory();
        EXPECT_EQ(lists.back(), lists.front()) << extra << " trailing bytes";
        image.push_back(0xFF);
    }
}

TEST(DictionaryLoad, ASecondLoadReplacesTheEngine) {
    auto& api = EngineApi::shipped();
    const auto steps = flatten(kEightSteps);
    ASSERT_EQ(api.loadLangDict(shippedDictionaryPath().c_str()), 1);
    std::vector<std::uint8_t> grid(25, 1);
    ASSERT_GT(api.makeQXPuzzleA(5, 5, grid.data(), steps.data(), 8, 3), 0);

    // The new engine starts with empty lists and shuffles its word lists from the initial
    // generator state, exactly like a first load.
    const auto image =
        dictionaryImage({"cat", "cot", "dog", "god", "tone", "note", "stone", "tones", "onsets", "stoned", "detonas"},
                        weightsOf("cdegnost"));
    TempFile small(image);
    ASSERT_EQ(api.loadLangDict(small.c_str()), 1);
    for (int k = 0; k < 15; ++k) EXPECT_EQ(api.qxpGetNumWordsInSize(k), 0);
    RefEngine model(image);
    for (const std::int32_t seed : {9, 10}) {
        std::vector<std::uint8_t> engineGrid(25, 1), modelGrid(25, 1);
        EXPECT_EQ(api.makeQXPuzzleA(5, 5, engineGrid.data(), steps.data(), 8, seed),
                  model.make(5, 5, modelGrid, kEightSteps, seed));
        EXPECT_EQ(engineGrid, modelGrid);
        EXPECT_EQ(readLists(api), listsOf(model));
        api.clearMemory();
        model.clearMemory();
    }

    // A refused load drops the old engine too.
    EXPECT_EQ(api.loadLangDict("/nonexistent"), 0);
    expectInert(api);
}

TEST(DictionaryLoad, WithoutLetterWeightsOnlyRecreateWorks) {
    auto& api = EngineApi::shipped();
    TempFile file(dictionaryImage({"cat"}, Weights{}));
    ASSERT_EQ(api.loadLangDict(file.c_str()), 1);
    const auto steps = flatten(kEightSteps);
    std::vector<std::uint8_t> grid(9, 1);
    EXPECT_EQ(api.makeQXPuzzleA(3, 3, grid.data(), steps.data(), 8, 5), 0);
    EXPECT_EQ(grid, std::vector<std::uint8_t>(9, 1));
    const auto letters = gridOf({"cat"});
    EXPECT_EQ(api.recreatePuzzle(3, 1, letters.data(), steps.data(), 8), 1);
    api.clearMemory();
}

}  // namespace
}  // namespace varnook::engine_test
