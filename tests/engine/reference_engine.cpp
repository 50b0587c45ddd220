// The model engine: each step follows the written rules one for one.
#include "reference_engine.h"

#include <cstring>

namespace varnook::engine_test {

RefEngine::RefEngine(const std::vector<std::uint8_t>& file) {
    for (int c = 0; c < 256; ++c) weights_[c] = file[c];
    const std::size_t count = (file.size() - 256) / 4;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = &file[256 + 4 * i];
        nodes_.push_back(static_cast<std::int32_t>(p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24));
    }
    for (int length = 3; length <= 7; ++length) {
        auto& list = wordsByLength_[length];
        collect(0, 0, length - 1, list);
        const int n = static_cast<int>(list.size());
        for (int i = 0; i < n; ++i) std::swap(list[i], list[rand_.rand() % n]);
    }
    for (int c = 0; c < 256; ++c)
        for (int k = 0; k < weights_[c]; ++k) letterPool_.push_back(static_cast<std::uint8_t>(c));
}

int RefEngine::findSibling(int start, std::uint8_t ch) const {
    if (start == -1) return -1;
    for (int i = start;; ++i) {
        if (i >= static_cast<int>(nodes_.size())) return -1;
        if ((nodes_[i] & 0xFF) == ch) return i;
        if ((nodes_[i] & 0x200) == 0) return -1;
    }
}

bool RefEngine::hasChildren(int i) const { return i < static_cast<int>(nodes_.size()) && nodes_[i] / 4096 != 0; }
int RefEngine::firstChild(int i) const { return nodes_[i] / 4096; }
bool RefEngine::isWordEnd(int i) const { return (nodes_[i] & 0x100) != 0; }

bool RefEngine::contains(const char* word) const {
    int start = 0;
    for (const char* p = word;; ++p) {
        const int i = findSibling(start, static_cast<std::uint8_t>(*p));
        if (i == -1) return false;
        if (p[1] == '\0' && isWordEnd(i)) return true;
        if (!hasChildren(i) || p[1] == '\0') return false;
        start = firstChild(i);
    }
}

void RefEngine::collect(int node, int depth, int targetDepth, std::vector<std::string>& target) {
    auto emit = [&](int d) {
        std::string word;
        for (int k = 0; k <= d; ++k) word.push_back(static_cast<char>(nodes_[enumPath_[k]] & 0xFF));
        target.push_back(word);
    };
    enumPath_[depth] = node;
    if (depth > targetDepth) return;
    if (isWordEnd(node) && depth == targetDepth) emit(depth);
    int current = node;
    while (true) {
        if (hasChildren(current)) collect(firstChild(current), depth + 1, targetDepth, target);
        if ((nodes_[current] & 0x200) == 0 || current + 1 >= static_cast<int>(nodes_.size())) break;
        ++current;
        enumPath_[depth] = current;
        if (isWordEnd(current) && depth == targetDepth) emit(depth);
    }
}

void RefEngine::setShape(int width, int height, const std::vector<std::uint8_t>& grid, const Steps& dirs) {
    gridWidth_ = width;
    gridHeight_ = height;
    numCells_ = width * height;
    grid_ = grid;
    dirs_ = dirs;
    cellInPlay_.assign(numCells_, 0);
    cellVisited_.assign(numCells_, 0);
}

std::int32_t RefEngine::recreate(int width, int height, const std::vector<std::uint8_t>& grid, const Steps& dirs) {
    setShape(width, height, grid, dirs);
    for (int c = 0; c < numCells_; ++c) cellInPlay_[c] = grid_[c] != 0 ? 1 : 0;
    solve();
    return finishLists();
}

std::int32_t RefEngine::make(int width, int height, std::vector<std::uint8_t>& grid, const Steps& dirs,
                             std::int32_t seed) {
    const std::int32_t s = seed % 30000;
    rand_.srand(static_cast<std::uint32_t>(s));
    for (std::int32_t i = 0; i < s; ++i) rand_.rand();
    setShape(width, height, grid, dirs);

    // drawLetters
    for (int c = 0; c < numCells_; ++c) {
        if (static_cast<std::int8_t>(grid_[c]) > 0) {
            grid_[c] = letterPool_[rand_.rand() % static_cast<int>(letterPool_.size())];
            cellInPlay_[c] = 1;
        }
    }
    // placeWords; a length without words still walks but draws no word
    successfulWalks = 0;
    for (int length = 3; length <= 7; ++length) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            walkFound_ = false;
            walkLength_ = 0;
            walkTarget_ = length;
            randomWalk(rand_.rand() % numCells_);
            if (!walkFound_) continue;
            ++successfulWalks;
            const auto& list = wordsByLength_[length];
            if (list.empty()) continue;
            const std::string& word = list[rand_.rand() % static_cast<int>(list.size())];
            for (int i = 0; i < length; ++i) grid_[chainPath_[i]] = static_cast<std::uint8_t>(word[i]);
        }
    }
    solve();
    grid = grid_;
    return finishLists();
}

void RefEngine::randomWalk(int cell) {
    const int x = cell % gridWidth_, y = cell / gridWidth_;
    if (cellVisited_[cell] == 1 || cellInPlay_[cell] != 1) return;
    chainPath_[walkLength_] = static_cast<std::int16_t>(cell);
    ++walkLength_;
    if (walkLength_ == walkTarget_) {
        --walkLength_;
        walkFound_ = true;
        return;
    }
    cellVisited_[cell] = 1;
    const int numDirs = static_cast<int>(dirs_.size());
    const int r = rand_.rand() % numDirs;
    for (int i = 0; i < numDirs; ++i) {
        const auto [dx, dy] = dirs_[(r + i) % numDirs];
        const long long nx = x + static_cast<long long>(dx), ny = y + static_cast<long long>(dy);
        if (0 <= nx && nx < gridWidth_ && 0 <= ny && ny < gridHeight_)
            randomWalk(static_cast<int>(ny * gridWidth_ + nx));
        if (walkFound_) break;
    }
    --walkLength_;
    cellVisited_[cell] = 0;
}

void RefEngine::solve() {
    for (int cell = 0; cell < numCells_; ++cell) extendChain(cell, 0, 0);
}

void RefEngine::extendChain(int cell, int listStart, int depth) {
    const int x = cell % gridWidth_, y = cell / gridWidth_;
    if (cellVisited_[cell] == 1 || cellInPlay_[cell] != 1) return;
    // The engine's rule for byte 0 in a cell: it never joins a chain.
    if (grid_[cell] == 0) return;
    chainWord_[depth] = static_cast<char>(grid_[cell]);
    chainWord_[depth + 1] = '\0';
    chainPath_[depth] = static_cast<std::int16_t>(cell);
    cellVisited_[cell] = 1;
    if (contains(chainWord_)) addSolution(depth);
    const int i = findSibling(listStart, grid_[cell]);
    // Chains stop at 10 cells.
    if (i != -1 && hasChildren(i) && depth + 1 < 10) {
        for (const auto& [dx, dy] : dirs_) {
            const long long nx = x + static_cast<long long>(dx), ny = y + static_cast<long long>(dy);
            if (0 <= nx && nx < gridWidth_ && 0 <= ny && ny < gridHeight_)
                extendChain(static_cast<int>(ny * gridWidth_ + nx), firstChild(i), depth + 1);
        }
    }
    cellVisited_[cell] = 0;
}

void RefEngine::addSolution(int depth) {
    const std::string word(chainWord_, static_cast<std::size_t>(depth) + 1);
    for (const auto& listed : solutionWords[depth])
        if (listed == word) return;
    solutionWords[depth].push_back(word);
    solutionPaths[depth].emplace_back(chainPath_, chainPath_ + depth + 1);
}

std::int32_t RefEngine::finishLists() {
    std::int32_t total = 0;
    for (int k = 2; k <= 9; ++k) {
        auto& words = solutionWords[k];
        auto& paths = solutionPaths[k];
        for (std::size_t i = 0; i < words.size(); ++i)
            for (std::size_t j = i + 1; j < words.size(); ++j)
                if (std::strcmp(words[i].c_str(), words[j].c_str()) > 0) {
                    std::swap(words[i], words[j]);
                    std::swap(paths[i], paths[j]);
                }
        total += static_cast<std::int32_t>(words.size());
    }
    return total;
}

void RefEngine::clearMemory() {
    for (int k = 0; k <= 9; ++k) {
        solutionWords[k].clear();
        solutionPaths[k].clear();
    }
}

}  // namespace varnook::engine_test
