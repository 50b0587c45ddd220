// A plain, slow model of the engine written straight from the rules of the dictionary, solver
// and generator (full lookups from the root, linear duplicate scans, exchange sort), used to
// work out the expected grids and lists for the library under test. Valid dictionaries only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace varnook::engine_test {

// srand/rand with the classic recurrence; state 1 before any seeding.
struct RefRand {
    std::uint32_t state = 1;
    void srand(std::uint32_t s) { state = s; }
    int rand() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

using Steps = std::vector<std::pair<std::int32_t, std::int32_t>>;

class RefEngine {
public:
    // Reads a dictionary file image and builds the word lists and the letter pool.
    explicit RefEngine(const std::vector<std::uint8_t>& file);

    std::int32_t make(int width, int height, std::vector<std::uint8_t>& grid, const Steps& dirs, std::int32_t seed);
    std::int32_t recreate(int width, int height, const std::vector<std::uint8_t>& grid, const Steps& dirs);
    void clearMemory();

    std::array<std::vector<std::string>, 15> solutionWords;
    std::array<std::vector<std::vector<std::int16_t>>, 15> solutionPaths;
    int successfulWalks = 0;  // walks of the last make that reached their length

private:
    int findSibling(int start, std::uint8_t ch) const;
    bool hasChildren(int i) const;
    int firstChild(int i) const;
    bool isWordEnd(int i) const;
    bool contains(const char* word) const;
    void collect(int node, int depth, int targetDepth, std::vector<std::string>& target);

    void setShape(int width, int height, const std::vector<std::uint8_t>& grid, const Steps& dirs);
    void solve();
    void extendChain(int cell, int listStart, int depth);
    void addSolution(int depth);
    std::int32_t finishLists();
    void randomWalk(int cell);

    std::array<std::uint8_t, 256> weights_{};
    std::vector<std::int32_t> nodes_;
    std::array<int, 15> enumPath_{};
    std::array<std::vector<std::string>, 15> wordsByLength_;
    std::vector<std::uint8_t> letterPool_;
    RefRand rand_;

    int gridWidth_ = 0, gridHeight_ = 0, numCells_ = 0;
    std::vector<std::uint8_t> grid_;
    Steps dirs_;
    std::vector<std::int16_t> cellInPlay_, cellVisited_;
    char chainWord_[16] = {};
    std::int16_t chainPath_[10] = {};
    int walkTarget_ = 0, walkLength_ = 0;
    bool walkFound_ = false;
};

}  // namespace varnook::engine_test
