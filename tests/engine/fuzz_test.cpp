// Random and damaged input through the exports: dictionary files, boards, shapes and step
// tables. Nothing may crash or trip the sanitizers, every listed path must really spell its word
// on the board, and random valid dictionaries must give the model's puzzles.
#include <climits>
#include <random>

#include <gtest/gtest.h>

#include "engine_harness.h"

namespace varnook::engine_test {
namespace {

using Rng = std::mt19937;

int uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

Steps randomSteps(Rng& rng) {
    Steps steps(static_cast<std::size_t>(uniform(rng, 1, 10)));
    for (auto& [dx, dy] : steps) {
        dx = uniform(rng, -2, 2);
        dy = uniform(rng, -2, 2);
        if (uniform(rng, 0, 20) == 0) dx = uniform(rng, 0, 1) ? INT_MAX : INT_MIN;
    }
    return steps;
}

// Each listed word lies on the board: cells inside it, distinct, each reached from the one
// before by a step of the table, holding the word's letters; and the count matches the lists.
void checkLists(const Lists& lists, std::int32_t total, int width, int height, const std::vector<std::uint8_t>& grid,
                const Steps& steps) {
    EXPECT_EQ(total, countedWords(lists));
    for (std::size_t k = 0; k < lists.size(); ++k)
        for (const auto& entry : lists[k]) {
            ASSERT_EQ(entry.word.size(), k + 1);
            for (std::size_t i = 0; i < entry.path.size(); ++i) {
                const int cell = entry.path[i];
                ASSERT_LT(cell, width * height);
                EXPECT_EQ(grid[static_cast<std::size_t>(cell)], static_cast<std::uint8_t>(entry.word[i]));
                for (std::size_t j = 0; j < i; ++j) EXPECT_NE(entry.path[j], cell);
                if (i == 0) continue;
                const int prev = entry.path[i - 1];
                bool stepped = false;
                for (const auto& [dx, dy] : steps)
                    stepped = stepped || (std::int64_t{prev % width} + dx == cell % width &&
                                          std::int64_t{prev / width} + dy == cell / width);
                EXPECT_TRUE(stepped) << entry.word;
            }
        }
}

// Random calls against whatever dictionary is loaded.
void exerciseExports(EngineApi& api, Rng& rng, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        int width = uniform(rng, 1, 8), height = uniform(rng, 1, 8);
        if (uniform(rng, 0, 10) == 0) width = uniform(rng, -3, 300);
        const Steps steps = randomSteps(rng);
        auto flat = flatten(steps);
        const std::size_t cells = static_cast<std::size_t>(std::max(width, 1) * height);
        std::vector<std::uint8_t> grid(cells);
        for (auto& byte : grid) byte = static_cast<std::uint8_t>(uniform(rng, 0, 255));
        const bool valid = width >= 1 && width * height <= 256;
        if (uniform(rng, 0, 1)) {
            const auto before = grid;
            const auto total =
                api.makeQXPuzzleA(width, height, grid.data(), flat.data(), static_cast<std::int32_t>(steps.size()),
                                  static_cast<std::int32_t>(rng()));
            if (!valid) {
                EXPECT_EQ(grid, before);
            }
            for (std::size_t c = 0; c < grid.size(); ++c) {
                if (static_cast<std::int8_t>(before[c]) <= 0) {
                    EXPECT_EQ(grid[c], before[c]);
                }
            }
            if (valid) checkLists(readLists(api), total, width, height, grid, steps);
        } else {
            const auto total =
                api.recreatePuzzle(width, height, grid.data(), flat.data(), static_cast<std::int32_t>(steps.size()));
            if (valid) checkLists(readLists(api), total, width, height, grid, steps);
        }
        api.clearMemory();
    }
}

TEST(EngineFuzz, RandomAndDamagedDictionaryFiles) {
    auto& api = EngineApi::shipped();
    Rng rng(20240611);
    const auto valid = dictionaryImage(
        {"cat", "cats", "act", "tac", "ta", "a", "scat", "cast", "acts", "stack", "tacks"}, weightsOf("acknst\xC8"));
    int loaded = 0;
    for (int iteration = 0; iteration < 300; ++iteration) {
        std::vector<std::uint8_t> image;
        if (iteration % 3 == 0) {
            image.resize(static_cast<std::size_t>(uniform(rng, 0, 400)));
            for (auto& byte : image) byte = static_cast<std::uint8_t>(rng());
        } else {
            image = valid;
            for (int flips = uniform(rng, 1, 4); flips > 0; --flips)
                image[static_cast<std::size_t>(uniform(rng, 256, static_cast<int>(image.size()) - 1))] ^=
                    static_cast<std::uint8_t>(1u << uniform(rng, 0, 7));
            if (uniform(rng, 0, 5) == 0)
                image.resize(static_cast<std::size_t>(uniform(rng, 250, static_cast<int>(image.size()))));
        }
        TempFile file(image);
        if (api.loadLangDict(file.c_str()) == 1) ++loaded;
        exerciseExports(api, rng, 3);
    }
    EXPECT_GT(loaded, 0);  // some damaged files still form a valid tree
}

TEST(EngineFuzz, RandomBoardsShapesAndStepTablesOnTheShippedDictionary) {
    auto& api = EngineApi::shipped();
    ASSERT_EQ(api.loadLangDict(shippedDictionaryPath().c_str()), 1);
    Rng rng(777);
    exerciseExports(api, rng, 300);
}

TEST(EngineFuzz, RandomValidDictionariesGiveTheModelsPuzzles) {
    auto& api = EngineApi::shipped();
    Rng rng(4242);
    // A small alphabet with a high byte, so boards hold many words; the pool may hold byte 0,
    // which lands in cells that then join no chain.
    const std::string alphabet = "abcde\xE9";
    for (int iteration = 0; iteration < 40; ++iteration) {
        std::vector<std::string> words;
        for (int n = uniform(rng, 1, 120); n > 0; --n) {
            std::string word;
            for (int len = uniform(rng, 1, 10); len > 0; --len)
                word.push_back(alphabet[static_cast<std::size_t>(uniform(rng, 0, 5))]);
            words.push_back(word);
        }
        Weights weights{};
        for (const char ch : alphabet)
            weights[static_cast<unsigned char>(ch)] = static_cast<std::uint8_t>(uniform(rng, 0, 40));
        weights['a'] = static_cast<std::uint8_t>(uniform(rng, 1, 255));
        if (uniform(rng, 0, 3) == 0) weights[0] = static_cast<std::uint8_t>(uniform(rng, 1, 3));
        const auto image = dictionaryImage(words, weights);
        TempFile file(image);
        ASSERT_EQ(api.loadLangDict(file.c_str()), 1);
        RefEngine model(image);
        for (int round = 0; round < 4; ++round) {
            const int width = uniform(rng, 1, 7), height = uniform(rng, 1, 7);
            const Steps steps = uniform(rng, 0, 2) ? kEightSteps : randomSteps(rng);
            std::vector<std::uint8_t> grid(static_cast<std::size_t>(width * height), 1);
            if (uniform(rng, 0, 2) == 0)
                for (auto& byte : grid) byte = static_cast<std::uint8_t>(uniform(rng, 0, 6) == 0 ? 0 : 1);
            auto modelGrid = grid;
            const auto flat = flatten(steps);
            const auto seed = static_cast<std::int32_t>(rng());
            const auto total = api.makeQXPuzzleA(width, height, grid.data(), flat.data(),
                                                 static_cast<std::int32_t>(steps.size()), seed);
            EXPECT_EQ(total, model.make(width, height, modelGrid, steps, seed));
            EXPECT_EQ(grid, modelGrid);
            EXPECT_EQ(readLists(api), listsOf(model)) << "iteration " << iteration << " round " << round;
            // Skipping clearMemory now and then: both merge the next puzzle into the lists.
            if (uniform(rng, 0, 3) != 0) {
                api.clearMemory();
                model.clearMemory();
            }
        }
        api.clearMemory();
    }
}

}  // namespace
}  // namespace varnook::engine_test
