// Generator and solver: letters from the weighted pool, words laid along random walks, and a
// depth-first search of the board pruned by the dictionary tree.
#include "puzzle_engine.h"

#include <algorithm>
#include <utility>

namespace varnook::engine {

PuzzleEngine::PuzzleEngine(LangDict dict) : dict_(std::move(dict)), index_(dict_) {
    // The lists are shuffled by swapping each position with any position (not Fisher-Yates):
    // the order, and so the word a seed picks, depends on exactly these draws.
    // Each list is then kept as one block of letters, a word every length bytes.
    auto collected = dict_.collect(kFirstPlacedLength, kLastPlacedLength);
    for (int length = kFirstPlacedLength; length <= kLastPlacedLength; ++length) {
        auto& words = collected[static_cast<std::size_t>(length)];
        const int n = static_cast<int>(words.size());
        for (int i = 0; i < n; ++i)
            std::swap(words[static_cast<std::size_t>(i)], words[static_cast<std::size_t>(rng_.below(n))]);
        auto& letters = wordsByLength_[static_cast<std::size_t>(length)];
        letters.reserve(words.size() * static_cast<std::size_t>(length));
        for (const std::string& word : words) letters.insert(letters.end(), word.begin(), word.end());
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
    board_ = board;
    inPlay_.reset();
    visited_.reset();
}

int PuzzleEngine::neighbour(int cell, const Step& step) const { return neighbour(cell % width_, cell / width_, step); }

int PuzzleEngine::neighbour(int x, int y, const Step& step) const {
    // 64-bit sums: the step table comes from the caller and may hold any int32 values.
    const std::int64_t nx = std::int64_t{x} + step.dx;
    const std::int64_t ny = std::int64_t{y} + step.dy;
    if (nx < 0 || nx >= width_ || ny < 0 || ny >= height_) return -1;
    return static_cast<int>(ny * width_ + nx);
}

std::int32_t PuzzleEngine::makePuzzle(const Board& board, std::span<std::uint8_t> cells, std::int32_t seed) {
    begin(board, cells);
    // A negative seed leaves a negative remainder: it seeds the state as an unsigned number and
    // discards no draws.
    const std::int32_t s = seed % kSeedModulus;
    rng_.seed(static_cast<std::uint32_t>(s));
    if (s > 0) rng_.discard(static_cast<std::uint32_t>(s));

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
        const int count = static_cast<int>(words.size() / static_cast<std::size_t>(length));
        for (int attempt = 0; attempt < kAttemptsPerLength; ++attempt) {
            walkFound_ = false;
            walkLength_ = 0;
            walkTarget_ = length;
            randomWalk(rng_.below(numCells_));
            // With no word of this length the walk has still drawn its numbers; only the
            // word draw is skipped.
            if (!walkFound_ || count == 0) continue;
            const auto word = words.begin() + static_cast<std::ptrdiff_t>(rng_.below(count)) * length;
            for (int i = 0; i < length; ++i) cells[chainPath_[static_cast<std::size_t>(i)]] = word[i];
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
    const int numDirs = board_.stepCount();
    const int first = rng_.below(numDirs);
    const int x = cell % width_, y = cell / width_;
    for (int i = 0, d = first; i < numDirs && !walkFound_; ++i, d = d + 1 == numDirs ? 0 : d + 1) {
        const int next = neighbour(x, y, board_.step(d));
        if (next >= 0) randomWalk(next);
    }
    --walkLength_;
    visited_.reset(at);
}

void PuzzleEngine::solve() {
    // The solver's working copy of the board: the letter bit of each cell a chain may enter, 0 for
    // holes, zero letters and letters no node holds.
    for (int cell = 0; cell < numCells_; ++cell) {
        const auto at = static_cast<std::size_t>(cell);
        freeBits_[at] = inPlay_[at] && grid_[at] != 0 ? index_.letterBit(grid_[at]) : 0;
    }
    // std::equal over both ranges rather than std::ranges::equal, which not every library has yet.
    if (width_ != neighboursWidth_ || height_ != neighboursHeight_ ||
        !std::equal(board_.dirs.begin(), board_.dirs.end(), neighboursDirs_.begin(), neighboursDirs_.end()))
        findNeighbours();
    for (int cell = 0; cell < numCells_; ++cell) {
        const auto at = static_cast<std::size_t>(cell);
        std::uint32_t near = 0;
        for (std::uint32_t i = neighbourStart_[at]; i < neighbourStart_[at + 1]; ++i) near |= freeBits_[neighbours_[i]];
        nearBits_[at] = near;
    }
    const TreeIndex::Node root = index_.node(index_.root());
    for (int cell = 0; cell < numCells_; ++cell) {
        const std::uint32_t bit = freeBits_[static_cast<std::size_t>(cell)];
        if ((root.childMask & bit) == 0) continue;
        const std::int32_t node = index_.child(root, bit, grid_[static_cast<std::size_t>(cell)]);
        if (node >= 0) enterCell(cell, node, 0);
    }
}

void PuzzleEngine::findNeighbours() {
    // Each cell's neighbours in step table order. A repeated step is left out: it would search
    // again exactly what the first one searched and could only find words already listed. Steps
    // that leave the board from every cell are left out too. So a cell has at most 255 entries.
    const std::int64_t spanX = 2 * std::int64_t{width_} - 1;
    const std::int64_t spanY = 2 * std::int64_t{height_} - 1;
    std::vector<bool> seen(static_cast<std::size_t>(spanX * spanY), false);
    std::vector<Step> distinct;
    for (int i = 0; i < board_.stepCount(); ++i) {
        const Step step = board_.step(i);
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
    neighboursWidth_ = width_;
    neighboursHeight_ = height_;
    neighboursDirs_.assign(board_.dirs.begin(), board_.dirs.end());
}

void PuzzleEngine::enterCell(int cell, std::int32_t node, int depth) {
    // The chain's letters so far, this cell's included, lead to node: its end flag tells whether
    // the chain is a word (the same answer as a lookup from the root), its child mask which
    // neighbours can follow; nearBits_ holds every letter around the cell, so a chain whose node
    // has none of them as children ends here. A word already listed keeps the path it was first
    // found with; in a checked tree each word has exactly one last node, so the node's mark
    // stands for the word.
    const auto at = static_cast<std::size_t>(cell);
    const TreeIndex::Node reached = index_.node(node);
    if (depth + 1 < kMaxChain && (reached.childMask & nearBits_[at]) != 0) {
        extendChain(cell, node, reached, depth);
    } else if (reached.endsWord() && index_.markListed(node)) {
        chainWord_[static_cast<std::size_t>(depth)] = grid_[at];
        chainPath_[static_cast<std::size_t>(depth)] = static_cast<std::uint8_t>(cell);
        addSolution(node, depth);
    }
}

void PuzzleEngine::extendChain(int cell, std::int32_t node, TreeIndex::Node reached, int depth) {
    // As enterCell, for a chain that may grow: reached has children among the cell's neighbours.
    const auto at = static_cast<std::size_t>(cell);
    const std::uint8_t* const letters = grid_.data();
    chainWord_[static_cast<std::size_t>(depth)] = letters[at];
    chainPath_[static_cast<std::size_t>(depth)] = static_cast<std::uint8_t>(cell);
    if (reached.endsWord() && index_.markListed(node)) addSolution(node, depth);

    // The neighbours that can follow, in table order (a step of (0, 0) leads back to this cell,
    // which is on the chain now). Every deeper step leaves the board as it found it, so they can
    // be picked before the first is followed; picking them without a branch per neighbour saves
    // the mispredictions of a test that goes either way.
    const std::uint32_t bit = freeBits_[at];
    freeBits_[at] = 0;
    std::array<std::uint8_t, kMaxCells> following;
    int count = 0;
    const std::uint8_t* const first = neighbours_.data() + neighbourStart_[at];
    const std::uint8_t* const end = neighbours_.data() + neighbourStart_[at + 1];
    for (const std::uint8_t* next = first; next != end; ++next) {
        following[static_cast<std::size_t>(count)] = *next;
        count += (freeBits_[*next] & reached.childMask) != 0 ? 1 : 0;
    }

    // Their nodes, fetched ahead so that the later ones arrive while the first is followed.
    std::array<std::int32_t, kMaxCells> children;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t next = following[static_cast<std::size_t>(i)];
        const std::int32_t child = index_.child(reached, freeBits_[next], letters[next]);
        children[static_cast<std::size_t>(i)] = child;
        if (child >= 0) index_.prefetch(child);
    }

    const int nextDepth = depth + 1;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t next = following[static_cast<std::size_t>(i)];
        const std::int32_t child = children[static_cast<std::size_t>(i)];
        if (child < 0) continue;
        // enterCell, inline: most chains end at their next cell.
        const TreeIndex::Node grown = index_.node(child);
        if (nextDepth + 1 < kMaxChain && (grown.childMask & nearBits_[next]) != 0) {
            extendChain(next, child, grown, nextDepth);
        } else if (grown.endsWord() && index_.markListed(child)) {
            chainWord_[static_cast<std::size_t>(nextDepth)] = letters[next];
            chainPath_[static_cast<std::size_t>(nextDepth)] = next;
            addSolution(child, nextDepth);
        }
    }
    freeBits_[at] = bit;
}

void PuzzleEngine::addSolution(std::int32_t node, int depth) {
    // Written in place (a copy from the stack stalls on its partial writes). Whole arrays are
    // read, fixed sizes being the fastest to copy; the letters past the word are cleared.
    const auto length = static_cast<std::size_t>(depth) + 1;
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < kHeadLetters; ++i) head = head << 8 | chainWord_[i];
    auto tail = static_cast<std::uint16_t>(chainWord_[kHeadLetters] << 8 | chainWord_[kHeadLetters + 1]);
    if (length < kHeadLetters) {
        head &= ~std::uint64_t{0} << (8 * (kHeadLetters - length));
        tail = 0;
    } else if (length < kMaxChain) {
        tail &= static_cast<std::uint16_t>(0xFFFFu << (8 * (kMaxChain - length)));
    }
    Solution& solution = solutions_[static_cast<std::size_t>(depth)].emplace_back();
    solution.head = head;
    solution.tail = tail;
    solution.cells = chainPath_;
    solution.node = node;
}

namespace {

template <class It, class Less>
void insertionSort(It first, It last, Less less) {
    for (It i = first; i != last; ++i) {
        auto value = *i;
        It j = i;
        for (; j != first && less(value, *(j - 1)); --j) *j = *(j - 1);
        *j = value;
    }
}

// Lists and buckets up to this size are sorted by insertion; larger buckets (a small alphabet)
// by std::sort.
constexpr std::ptrdiff_t kInsertionSortLimit = 24;

}  // namespace

void PuzzleEngine::sortList(std::vector<Solution>& list) {
    // A short list is sorted by insertion. A longer one is dealt out by first letter in one pass,
    // and the few words of a bucket are then sorted by insertion: cheaper than a comparison sort
    // of the whole list, whose compares go either way.
    const auto less = [](const Solution& a, const Solution& b) {
        return a.head < b.head || (a.head == b.head && a.tail < b.tail);
    };
    if (std::ssize(list) <= kInsertionSortLimit) {
        insertionSort(list.begin(), list.end(), less);
        return;
    }
    const auto firstLetter = [](const Solution& solution) { return static_cast<std::size_t>(solution.head >> 56); };
    std::array<std::uint32_t, kByteValues + 1> bucketStart{};
    std::size_t lowest = kByteValues - 1, highest = 0;  // only the buckets in use are visited
    for (const Solution& solution : list) {
        const std::size_t letter = firstLetter(solution);
        ++bucketStart[letter + 1];
        lowest = std::min(lowest, letter);
        highest = std::max(highest, letter);
    }
    for (std::size_t b = lowest + 1; b <= highest + 1; ++b) bucketStart[b] += bucketStart[b - 1];
    std::array<std::uint32_t, kByteValues> next;
    std::copy_n(bucketStart.begin(), kByteValues, next.begin());
    sorted_.resize(list.size());
    for (const Solution& solution : list) sorted_[next[firstLetter(solution)]++] = solution;
    for (std::size_t b = lowest; b <= highest; ++b) {
        const auto first = sorted_.begin() + bucketStart[b], last = sorted_.begin() + bucketStart[b + 1];
        if (last - first > kInsertionSortLimit) {
            std::sort(first, last, less);
        } else {
            insertionSort(first, last, less);
        }
    }
    list.swap(sorted_);
}

std::int32_t PuzzleEngine::finishLists() {
    // Words are unique within a list, so any sort gives the one ascending byte order.
    std::int32_t total = 0;
    for (int k = kFirstCountedList; k <= kLastCountedList; ++k) {
        auto& list = solutions_[static_cast<std::size_t>(k)];
        sortList(list);
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
    std::array<std::uint8_t, kMaxChain> letters;
    for (std::size_t i = 0; i < kHeadLetters; ++i)
        letters[i] = static_cast<std::uint8_t>(solution.head >> (8 * (kHeadLetters - 1 - i)));
    letters[kHeadLetters] = static_cast<std::uint8_t>(solution.tail >> 8);
    letters[kHeadLetters + 1] = static_cast<std::uint8_t>(solution.tail);
    std::copy_n(letters.begin(), length, reinterpret_cast<std::uint8_t*>(word.data()));
    word[length] = '\0';
    std::copy_n(solution.cells.begin(), length, path.begin());
    return true;
}

void PuzzleEngine::clearLists() {
    for (int k = 0; k < kClearedLists; ++k) {
        auto& list = solutions_[static_cast<std::size_t>(k)];
        for (const Solution& solution : list) index_.clearListed(solution.node);
        list.clear();
    }
}

}  // namespace varnook::engine
