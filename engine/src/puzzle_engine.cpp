// Generator and solver: letters from the weighted pool, words laid along random walks, and a
// depth-first search of the board pruned by the dictionary tree.
#include "puzzle_engine.h"

#include <algorithm>
#include <utility>

namespace varnook::engine {

PuzzleEngine::PuzzleEngine(LangDict dict)
    : dict_(std::move(dict)), nodeListed_(static_cast<std::size_t>(dict_.nodeCount()), false) {
    // The lists are shuffled by swapping each position with any position (not Fisher-Yates):
    // the order, and so the word a seed picks, depends on exactly these draws.
    for (int length = kFirstPlacedLength; length <= kLastPlacedLength; ++length) {
        auto& words = wordsByLength_[static_cast<std::size_t>(length)];
        words = dict_.collect(length);
        const int n = static_cast<int>(words.size());
        for (int i = 0; i < n; ++i)
            std::swap(words[static_cast<std::size_t>(i)], words[static_cast<std::size_t>(rng_.below(n))]);
    }
    for (int c = 0; c < static_cast<int>(kWeightCount); ++c)
        letterPool_.insert(letterPool_.end(), dict_.weights()[static_cast<std::size_t>(c)],
                           static_cast<std::uint8_t>(c));
}

void PuzzleEngine::begin(const Board& board, std::span<const std::uint8_t> cells) {
    width_ = board.width;
    height_ = board.height;
    numCells_ = board.width * board.height;
    grid_ = cells;
    steps_ = board.steps;
    inPlay_.reset();
    visited_.reset();
}

int PuzzleEngine::neighbour(int cell, const Step& step) const {
    // 64-bit sums: the step table comes from the caller and may hold any int32 values.
    const std::int64_t x = std::int64_t{cell % width_} + step.dx;
    const std::int64_t y = std::int64_t{cell / width_} + step.dy;
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return -1;
    return static_cast<int>(y * width_ + x);
}

std::int32_t PuzzleEngine::makePuzzle(const Board& board, std::span<std::uint8_t> cells, std::int32_t seed) {
    begin(board, cells);
    // A negative seed leaves a negative remainder: it seeds the state as an unsigned number and
    // discards no draws.
    const std::int32_t s = seed % kSeedModulus;
    rng_.seed(static_cast<std::uint32_t>(s));
    for (std::int32_t i = 0; i < s; ++i) rng_.next();

    drawLetters(cells);
    placeWords(cells);
    solve();
    return finishLists();
}

std::int32_t PuzzleEngine::recreatePuzzle(const Board& board, std::span<const std::uint8_t> cells) {
    begin(board, cells);
    for (int cell = 0; cell < numCells_; ++cell)
        if (cells[static_cast<std::size_t>(cell)] != 0) inPlay_.set(static_cast<std::size_t>(cell));
    solve();
    return finishLists();
}

void PuzzleEngine::drawLetters(std::span<std::uint8_t> cells) {
    // Bytes 1..127 mark cells in play; 0 and 128..255 are holes and keep their byte.
    const int poolLength = static_cast<int>(letterPool_.size());
    for (int cell = 0; cell < numCells_; ++cell) {
        auto& byte = cells[static_cast<std::size_t>(cell)];
        if (static_cast<std::int8_t>(byte) > 0) {
            byte = letterPool_[static_cast<std::size_t>(rng_.below(poolLength))];
            inPlay_.set(static_cast<std::size_t>(cell));
        }
    }
}

void PuzzleEngine::placeWords(std::span<std::uint8_t> cells) {
    for (int length = kFirstPlacedLength; length <= kLastPlacedLength; ++length) {
        const auto& words = wordsByLength_[static_cast<std::size_t>(length)];
        for (int attempt = 0; attempt < kAttemptsPerLength; ++attempt) {
            walkFound_ = false;
            walkLength_ = 0;
            walkTarget_ = length;
            randomWalk(rng_.below(numCells_));
            // With no word of this length the walk has still drawn its numbers; only the
            // word draw is skipped.
            if (!walkFound_ || words.empty()) continue;
            const std::string& word = words[static_cast<std::size_t>(rng_.below(static_cast<int>(words.size())))];
            for (int i = 0; i < length; ++i)
                cells[chainPath_[static_cast<std::size_t>(i)]] =
                    static_cast<std::uint8_t>(word[static_cast<std::size_t>(i)]);
        }
    }
}

void PuzzleEngine::randomWalk(int cell) {
    // Depth-first search for a self-avoiding walk of walkTarget_ cells. Each expanded cell draws
    // the step it tries first and then goes round the table, so backtracked cells draw too.
    const auto at = static_cast<std::size_t>(cell);
    if (visited_[at] || !inPlay_[at]) return;
    chainPath_[static_cast<std::size_t>(walkLength_)] = static_cast<std::uint8_t>(cell);
    if (++walkLength_ == walkTarget_) {
        --walkLength_;
        walkFound_ = true;
        return;
    }
    visited_.set(at);
    const int numDirs = static_cast<int>(steps_.size());
    const int first = rng_.below(numDirs);
    for (int i = 0; i < numDirs && !walkFound_; ++i) {
        const int next = neighbour(cell, steps_[static_cast<std::size_t>((first + i) % numDirs)]);
        if (next >= 0) randomWalk(next);
    }
    --walkLength_;
    visited_.reset(at);
}

void PuzzleEngine::solve() {
    // The solver's working copy of the board: the letter of each cell a chain may still enter,
    // 0 for holes, zero letters and cells already on the chain.
    for (int cell = 0; cell < numCells_; ++cell) {
        const auto at = static_cast<std::size_t>(cell);
        freeLetters_[at] = inPlay_[at] ? grid_[at] : 0;
    }
    findNeighbours();
    for (int cell = 0; cell < numCells_; ++cell)
        if (freeLetters_[static_cast<std::size_t>(cell)] != 0) extendChain(cell, 0, 0);
}

void PuzzleEngine::findNeighbours() {
    // Each cell's neighbours in step table order. A repeated step is left out: it would search
    // again exactly what the first one searched and could only find words already listed. Steps
    // that leave the board from every cell are left out too. So a cell has at most 255 entries.
    const std::int64_t spanX = 2 * std::int64_t{width_} - 1;
    const std::int64_t spanY = 2 * std::int64_t{height_} - 1;
    std::vector<bool> seen(static_cast<std::size_t>(spanX * spanY), false);
    std::vector<Step> distinct;
    for (const Step& step : steps_) {
        const std::int64_t dx = step.dx, dy = step.dy;
        if (dx <= -width_ || dx >= width_ || dy <= -height_ || dy >= height_) continue;
        const auto key = static_cast<std::size_t>((dy + height_ - 1) * spanX + (dx + width_ - 1));
        if (seen[key]) continue;
        seen[key] = true;
        distinct.push_back(step);
    }
    neighbours_.clear();
    for (int cell = 0; cell < numCells_; ++cell) {
        neighbourStart_[static_cast<std::size_t>(cell)] = static_cast<std::uint32_t>(neighbours_.size());
        for (const Step& step : distinct) {
            const int next = neighbour(cell, step);
            if (next >= 0) neighbours_.push_back(static_cast<std::uint8_t>(next));
        }
    }
    neighbourStart_[static_cast<std::size_t>(numCells_)] = static_cast<std::uint32_t>(neighbours_.size());
}

void PuzzleEngine::extendChain(int cell, std::int32_t listStart, int depth) {
    // The cell is free (see solve). The node reached through the chain's letters tells both
    // whether the chain is a word (its end flag, the same answer as a lookup from the root) and
    // whether it can grow.
    const auto at = static_cast<std::size_t>(cell);
    const std::uint8_t letter = freeLetters_[at];
    const std::int32_t node = dict_.findSibling(listStart, letter);
    if (node < 0) return;

    chainWord_[static_cast<std::size_t>(depth)] = letter;
    chainPath_[static_cast<std::size_t>(depth)] = static_cast<std::uint8_t>(cell);
    if (dict_.isWordEnd(node)) addSolution(node, depth);
    if (depth + 1 >= kMaxChain || !dict_.hasChildren(node)) return;

    freeLetters_[at] = 0;  // on the chain now
    const std::int32_t children = dict_.firstChild(node);
    const std::uint32_t end = neighbourStart_[at + 1];
    for (std::uint32_t i = neighbourStart_[at]; i < end; ++i) {
        const std::uint8_t next = neighbours_[i];
        if (freeLetters_[next] != 0) extendChain(next, children, depth + 1);
    }
    freeLetters_[at] = letter;
}

void PuzzleEngine::addSolution(std::int32_t node, int depth) {
    // A word already listed keeps the path it was first found with. In a checked tree each
    // word has exactly one last node, so the node stands for the word.
    std::vector<bool>::reference listed = nodeListed_[static_cast<std::size_t>(node)];
    if (listed) return;
    listed = true;
    Solution solution;
    const auto length = static_cast<std::size_t>(depth) + 1;
    std::copy_n(chainWord_.begin(), length, solution.letters.begin());
    std::copy_n(chainPath_.begin(), length, solution.cells.begin());
    solution.node = node;
    solutions_[static_cast<std::size_t>(depth)].push_back(solution);
}

std::int32_t PuzzleEngine::finishLists() {
    // Words are unique within a list, so any sort gives the one ascending byte order.
    std::int32_t total = 0;
    for (int k = kFirstCountedList; k <= kLastCountedList; ++k) {
        auto& list = solutions_[static_cast<std::size_t>(k)];
        std::ranges::sort(list, {}, &Solution::letters);
        total += static_cast<std::int32_t>(list.size());
    }
    return total;
}

std::int32_t PuzzleEngine::wordCount(int k) const {
    if (k < 0 || k >= kListCount) return 0;
    return static_cast<std::int32_t>(solutions_[static_cast<std::size_t>(k)].size());
}

bool PuzzleEngine::copyWord(int k, std::int32_t n, std::span<char> word, std::span<std::uint8_t> path) const {
    if (n < 1 || n > wordCount(k)) return false;
    const auto length = static_cast<std::size_t>(k) + 1;
    if (word.size() < length + 1 || path.size() < length) return false;
    const Solution& solution = solutions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(n - 1)];
    std::copy_n(solution.letters.begin(), length, reinterpret_cast<std::uint8_t*>(word.data()));
    word[length] = '\0';
    std::copy_n(solution.cells.begin(), length, path.begin());
    return true;
}

void PuzzleEngine::clearLists() {
    for (int k = 0; k < kClearedLists; ++k) {
        auto& list = solutions_[static_cast<std::size_t>(k)];
        for (const Solution& solution : list) nodeListed_[static_cast<std::size_t>(solution.node)] = false;
        list.clear();
    }
}

}  // namespace varnook::engine
