// The C interface as a foreign caller sees it: exports found by name, refused arguments, exact
// buffer sizes, and the call order rules.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "engine_harness.h"

extern "C" int cCallerMakePuzzle(const char* libraryFile, const char* dictFile, char firstWord[4],
                                 std::uint8_t firstPath[3]);

namespace varnook::engine_test {
namespace {

TEST(EngineAbi, EveryExportDoesNothingBeforeLoadLangDict) {
    const auto api = EngineApi::freshCopy();
    const auto steps = flatten(kEightSteps);
    std::vector<std::uint8_t> grid(16, 1);
    EXPECT_EQ(api->makeQXPuzzleA(4, 4, grid.data(), steps.data(), 8, 1), 0);
    EXPECT_EQ(grid, std::vector<std::uint8_t>(16, 1));
    EXPECT_EQ(api->recreatePuzzle(4, 4, grid.data(), steps.data(), 8), 0);
    api->clearMemory();
    for (int k = 0; k < 15; ++k) EXPECT_EQ(api->qxpGetNumWordsInSize(k), 0);
    char word[4] = {'x', 'x', 'x', 'x'};
    std::uint8_t path[3] = {7, 7, 7};
    EXPECT_EQ(api->qxpGetWord(2, 1, word, path), 0);
    EXPECT_EQ(std::string(word, 4), "xxxx");
    EXPECT_EQ(path[0], 7);
}

TEST(EngineAbi, ACProgramUsesTheHeaderAndTheExportsByName) {
    char word[4] = {};
    std::uint8_t path[3] = {};
    const std::string lib = std::string(VARNOOK_TEST_BIN_DIR) + "/libQXDLL.so";
    const int total = cCallerMakePuzzle(lib.c_str(), shippedDictionaryPath().c_str(), word, path);
    EXPECT_GT(total, 0);
    EXPECT_EQ(std::strlen(word), 3u);
}

class EngineAbiLoaded : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(api_.loadLangDict(shippedDictionaryPath().c_str()), 1); }
    void TearDown() override { api_.clearMemory(); }
    EngineApi& api_ = EngineApi::shipped();
    std::vector<std::int32_t> steps_ = flatten(kEightSteps);
};

TEST_F(EngineAbiLoaded, OutOfRangeArgumentsAreRefusedWithoutWriting) {
    std::vector<std::uint8_t> grid(300, 1);
    struct Call {
        const char* what;
        std::int32_t width, height;
        std::uint8_t* grid;
        const std::int32_t* dirs;
        std::int32_t numDirs;
    };
    const std::vector<Call> calls = {
        {"zero width", 0, 4, grid.data(), steps_.data(), 8},
        {"negative height", 4, -1, grid.data(), steps_.data(), 8},
        {"257 cells", 257, 1, grid.data(), steps_.data(), 8},
        {"17 x 16 cells", 17, 16, grid.data(), steps_.data(), 8},
        {"overflowing product", 65536, 65536, grid.data(), steps_.data(), 8},
        {"no steps", 4, 4, grid.data(), steps_.data(), 0},
        {"negative steps", 4, 4, grid.data(), steps_.data(), -1},
        {"65536 steps (low 16 bits zero)", 4, 4, grid.data(), steps_.data(), 65536},
        {"null grid", 4, 4, nullptr, steps_.data(), 8},
        {"null steps", 4, 4, grid.data(), nullptr, 8},
    };
    for (const auto& call : calls) {
        EXPECT_EQ(api_.makeQXPuzzleA(call.width, call.height, call.grid, call.dirs, call.numDirs, 1), 0) << call.what;
        EXPECT_EQ(grid, std::vector<std::uint8_t>(300, 1)) << call.what;
        EXPECT_EQ(api_.recreatePuzzle(call.width, call.height, call.grid, call.dirs, call.numDirs), 0) << call.what;
        for (int k = 0; k < 15; ++k) EXPECT_EQ(api_.qxpGetNumWordsInSize(k), 0) << call.what;
    }
    // Only the low 16 bits of numDirs count: 65536 + 8 steps is the 8-step table.
    std::vector<std::uint8_t> a(16, 1), b(16, 1);
    const auto withHighBits = api_.makeQXPuzzleA(4, 4, a.data(), steps_.data(), 65536 + 8, 5);
    api_.clearMemory();
    EXPECT_EQ(api_.makeQXPuzzleA(4, 4, b.data(), steps_.data(), 8, 5), withHighBits);
    EXPECT_EQ(a, b);
}

TEST_F(EngineAbiLoaded, GetWordWritesExactlyTheWordAndPathBytes) {
    std::vector<std::uint8_t> grid(25, 1);
    const auto total = api_.makeQXPuzzleA(5, 5, grid.data(), steps_.data(), 8, 1234);
    const auto count = api_.qxpGetNumWordsInSize(2);
    ASSERT_GT(count, 0);

    // A 3-letter word: 3 letters and a zero, 3 path bytes; the byte after each is untouched.
    char word[5] = {'?', '?', '?', '?', '#'};
    std::uint8_t path[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(api_.qxpGetWord(2, 1, word, path), 3);
    EXPECT_EQ(word[3], '\0');
    EXPECT_EQ(word[4], '#');
    EXPECT_EQ(path[3], 0xEE);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(grid[path[i]], static_cast<std::uint8_t>(word[i]));

    // Refused: word numbers outside 1..count, list indices outside 0..14, null buffers.
    const std::vector<std::pair<std::int32_t, std::int32_t>> refused = {{2, 0},  {2, count + 1}, {2, -1},      {-1, 1},
                                                                        {15, 1}, {INT_MAX, 1},   {INT_MIN, 1}, {12, 1}};
    for (const auto& [k, n] : refused) {
        char w[4] = {'x', 'x', 'x', 'x'};
        std::uint8_t p[3] = {9, 9, 9};
        EXPECT_EQ(api_.qxpGetWord(k, n, w, p), 0) << k << "/" << n;
        EXPECT_EQ(std::string(w, 4), "xxxx");
        EXPECT_EQ(p[0], 9);
    }
    std::uint8_t p[3] = {9, 9, 9};
    EXPECT_EQ(api_.qxpGetWord(2, 1, nullptr, p), 0);
    EXPECT_EQ(p[0], 9);
    EXPECT_EQ(api_.qxpGetWord(2, 1, word, nullptr), 0);
    for (const std::int32_t k : {-1, 15, INT_MIN}) EXPECT_EQ(api_.qxpGetNumWordsInSize(k), 0);

    // The result is the count of lists 2..9; after clearMemory every list is empty.
    std::int32_t sum = 0;
    for (int k = 2; k <= 9; ++k) sum += api_.qxpGetNumWordsInSize(k);
    EXPECT_EQ(total, sum);
    api_.clearMemory();
    for (int k = 0; k < 15; ++k) EXPECT_EQ(api_.qxpGetNumWordsInSize(k), 0);
}

}  // namespace
}  // namespace varnook::engine_test
