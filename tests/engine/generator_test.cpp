// The generator through makeQXPuzzleA: grids and lists must equal the model's for every seed,
// shape and step table, and one known puzzle of the shipped dictionary stays pinned.
#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

#include "engine_harness.h"

namespace varnook::engine_test {
namespace {

struct Made {
    std::int32_t total;
    std::vector<std::uint8_t> grid;
    Lists lists;
};

Made makeWithEngine(EngineApi& api, int width, int height, std::vector<std::uint8_t> grid, const Steps& steps,
                    std::int32_t seed) {
    const auto flat = flatten(steps);
    const auto total =
        api.makeQXPuzzleA(width, height, grid.data(), flat.data(), static_cast<std::int32_t>(steps.size()), seed);
    Made made{total, grid, readLists(api)};
    api.clearMemory();
    return made;
}

Made makeWithModel(RefEngine& ref, int width, int height, std::vector<std::uint8_t> grid, const Steps& steps,
                   std::int32_t seed) {
    const auto total = ref.make(width, height, grid, steps, seed);
    Made made{total, grid, listsOf(ref)};
    ref.clearMemory();
    return made;
}

void expectSamePuzzle(const Made& engine, const Made& model, const std::string& what) {
    EXPECT_EQ(engine.grid, model.grid) << what;
    EXPECT_EQ(engine.total, model.total) << what;
    EXPECT_EQ(engine.total, countedWords(engine.lists)) << what;
    for (std::size_t k = 0; k < 15; ++k) EXPECT_EQ(engine.lists[k], model.lists[k]) << what << ", list " << k;
}

RefEngine& shippedModel() {
    static RefEngine model(shippedDictionary());
    return model;
}

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(api_.loadLangDict(shippedDictionaryPath().c_str()), 1); }
    EngineApi& api_ = EngineApi::shipped();
};

TEST_F(GeneratorTest, EveryPuzzleEqualsTheModelsAcrossSeedsShapesAndStepTables) {
    struct Shape {
        int width, height;
    };
    const std::vector<Shape> shapes = {{4, 4}, {5, 5}, {6, 6}, {1, 1}, {3, 7}, {16, 16}};
    const std::vector<Steps> stepTables = {
        kEightSteps, kFourSteps, {{2, 1}, {-1, 2}, {0, -1}}, {{1, 1}, {1, 1}, {-1, 0}}};
    const std::vector<std::int32_t> seeds = {0, 1, 7, 1234, 10000, 29999, 30000, -1, -7, -29999, INT_MIN, INT_MAX};
    for (const auto& shape : shapes)
        for (std::size_t t = 0; t < stepTables.size(); ++t)
            for (const auto seed : seeds) {
                if (shape.width == 16 && (seed % 5 != 0 || t > 1)) continue;  // the big board: a few cases
                const std::vector<std::uint8_t> blank(static_cast<std::size_t>(shape.width * shape.height), 1);
                const std::string what = std::to_string(shape.width) + "x" + std::to_string(shape.height) + " steps " +
                                         std::to_string(t) + " seed " + std::to_string(seed);
                expectSamePuzzle(makeWithEngine(api_, shape.width, shape.height, blank, stepTables[t], seed),
                                 makeWithModel(shippedModel(), shape.width, shape.height, blank, stepTables[t], seed),
                                 what);
                if (shape.width == 4 && shape.height == 4 && t == 0) {
                    EXPECT_EQ(shippedModel().successfulWalks, 25) << what;  // every walk exists on a 4x4 board
                }
            }
}

TEST_F(GeneratorTest, SeedsCountModulo30000) {
    const std::vector<std::uint8_t> blank(25, 1);
    EXPECT_EQ(makeWithEngine(api_, 5, 5, blank, kEightSteps, 30007).grid,
              makeWithEngine(api_, 5, 5, blank, kEightSteps, 7).grid);
    EXPECT_EQ(makeWithEngine(api_, 5, 5, blank, kEightSteps, -30007).grid,
              makeWithEngine(api_, 5, 5, blank, kEightSteps, -7).grid);
    EXPECT_NE(makeWithEngine(api_, 5, 5, blank, kEightSteps, 8).grid,
              makeWithEngine(api_, 5, 5, blank, kEightSteps, 7).grid);
}

TEST_F(GeneratorTest, HolesKeepTheirBytesAndNoWordPassesThroughThem) {
    // Bytes 0 and 128..255 are holes; 1..127 are cells in play.
    std::vector<std::uint8_t> shape(36, 1);
    shape[0] = 0;
    shape[7] = 128;
    shape[14] = 200;
    shape[21] = 255;
    shape[35] = 127;
    for (const std::int32_t seed : {3, 4444, 29001}) {
        const auto made = makeWithEngine(api_, 6, 6, shape, kEightSteps, seed);
        expectSamePuzzle(made, makeWithModel(shippedModel(), 6, 6, shape, kEightSteps, seed),
                         "holes, seed " + std::to_string(seed));
        for (const std::size_t hole : {0u, 7u, 14u, 21u}) EXPECT_EQ(made.grid[hole], shape[hole]);
        EXPECT_NE(made.grid[35], 127);
        for (const auto& list : made.lists)
            for (const auto& entry : list)
                for (const std::uint8_t cell : entry.path) EXPECT_LT(made.grid[cell], 128) << entry.word;
    }
}

TEST_F(GeneratorTest, KnownSeedOnTheShippedDictionary) {
    // Seed 1234 on a 5x5 board with the game's eight steps: letters and list sizes, as
    // `qx make --seed 1234 --size 5x5` prints them for the shipped word list.
    const auto made = makeWithEngine(api_, 5, 5, std::vector<std::uint8_t>(25, 1), kEightSteps, 1234);
    EXPECT_EQ(std::string(made.grid.begin(), made.grid.end()), "tesopnpnamlatoksneengladf");
    const std::vector<std::size_t> sizes = {0, 0, 63, 111, 82, 38, 13, 5, 2, 0, 0, 0, 0, 0, 0};
    for (std::size_t k = 0; k < sizes.size(); ++k) EXPECT_EQ(made.lists[k].size(), sizes[k]) << "list " << k;
    EXPECT_EQ(made.total, 314);
}

TEST(GeneratorDictionaryTest, LengthsWithoutWordsStillWalkButDrawNoWord) {
    // Only 7-letter words: the walks of lengths 3 to 6 still draw their numbers, which moves
    // where the 7-letter words land.
    auto& api = EngineApi::shipped();
    const auto image = dictionaryImage({"abcdefg", "hijklmn", "opqrstu"}, weightsOf("xyz"));
    TempFile dict(image);
    ASSERT_EQ(api.loadLangDict(dict.c_str()), 1);
    RefEngine model(image);
    for (const std::int32_t seed : {0, 1, 99, 2024}) {
        const std::vector<std::uint8_t> blank(25, 1);
        const auto made = makeWithEngine(api, 5, 5, blank, kEightSteps, seed);
        expectSamePuzzle(made, makeWithModel(model, 5, 5, blank, kEightSteps, seed), "seed " + std::to_string(seed));
        EXPECT_GT(made.total, 0);
    }
}

TEST(GeneratorDictionaryTest, CellsHoldingByteZeroJoinNoChain) {
    // A tree with a node for byte 0 ("a", 0, "b") and a pool of only byte 0: the placed words
    // leave 'a' and 'b' on the board between zero cells, and no chain may run through a zero.
    auto& api = EngineApi::shipped();
    Weights weights{};
    weights[0] = 3;
    const auto image = nodesImage(weights, {'a' | (1u << 12), 0x100 | (2u << 12), 'b' | 0x100});
    TempFile dict(image);
    ASSERT_EQ(api.loadLangDict(dict.c_str()), 1);
    RefEngine model(image);
    const std::vector<std::uint8_t> blank(9, 1);
    const auto made = makeWithEngine(api, 3, 3, blank, kEightSteps, 1);
    expectSamePuzzle(made, makeWithModel(model, 3, 3, blank, kEightSteps, 1), "zero cells");
    EXPECT_NE(std::count(made.grid.begin(), made.grid.end(), 'a'), 0);
    EXPECT_EQ(made.total, 0);
    for (const auto& list : made.lists) EXPECT_TRUE(list.empty());
}

TEST(GeneratorDictionaryTest, OnlyEWeightedAndNoPlaceableWordsGivesAllEs) {
    auto& api = EngineApi::shipped();
    TempFile dict(dictionaryImage({"ee", "eeeeeeee"}, weightsOf("e", 9)));
    ASSERT_EQ(api.loadLangDict(dict.c_str()), 1);
    const auto made = makeWithEngine(api, 4, 4, std::vector<std::uint8_t>(16, 1), kEightSteps, 42);
    EXPECT_EQ(made.grid, std::vector<std::uint8_t>(16, 'e'));
    EXPECT_EQ(made.total, 1);  // "eeeeeeee"; the 2-letter word is listed but not counted
    ASSERT_EQ(made.lists[1].size(), 1u);
    EXPECT_EQ(made.lists[1][0], (Listed{"ee", {0, 1}}));
    EXPECT_EQ(made.lists[7].size(), 1u);
}

}  // namespace
}  // namespace varnook::engine_test
