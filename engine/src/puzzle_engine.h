// The engine object: one dictionary with its generator aids, the solution lists, and the
// solver and generator that fill them from a caller's grid.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "lang_dict.h"
#include "layout.h"
#include "rng.h"
#include "tree_index.h"

namespace varnook::engine {

struct Step {
    std::int32_t dx;
    std::int32_t dy;
};

// The shape of a caller's grid for one call: size and neighbour steps (the caller's table of
// (dx, dy) pairs, borrowed for the call). The cells themselves (width x height bytes, row-major)
// are passed beside it.
struct Board {
    int width = 0;
    int height = 0;
    std::span<const std::int32_t> dirs;

    int stepCount() const { return static_cast<int>(dirs.size() / 2); }
    Step step(int i) const {
        return {dirs[2 * static_cast<std::size_t>(i)], dirs[2 * static_cast<std::size_t>(i) + 1]};
    }
};

class PuzzleEngine {
public:
    // Builds the per-length word lists (shuffled with draws from the generator's initial state)
    // and the letter pool.
    explicit PuzzleEngine(LangDict dict);

    bool hasLetterPool() const { return !letterPool_.empty(); }

    // Fills the cells of the board that hold 1..127 with a puzzle made from seed, then solves it.
    // Needs a letter pool. Returns the number of listed words of 3 to 10 letters.
    std::int32_t makePuzzle(const Board& board, std::span<std::uint8_t> cells, std::int32_t seed);
    // Solves a board of letters as it is; every non-zero byte is a usable cell.
    std::int32_t recreatePuzzle(const Board& board, std::span<const std::uint8_t> cells);

    // Words of k + 1 letters currently listed (k from 0 to 14).
    std::int32_t wordCount(int k) const;
    // Copies word n (from 1) of list k and its cells; false, writing nothing, when there is none.
    bool copyWord(int k, std::int32_t n, std::span<char> word, std::span<std::uint8_t> path) const;
    // Empties the lists of 1 to 10 letters.
    void clearLists();

private:
    static constexpr std::size_t kHeadLetters = 8;
    static_assert(kMaxChain == kHeadLetters + 2, "a word of kMaxChain letters fills head and tail");
    // A listed word. Its letters are kept packed, first letter highest and zeros after the last, so
    // comparing (head, tail) as numbers compares the words byte by byte as unsigned bytes.
    struct Solution {
        std::uint64_t head = 0;  // letters 1 to 8
        std::uint16_t tail = 0;  // letters 9 and 10
        std::array<std::uint8_t, kMaxChain> cells{};
        std::int32_t node = 0;  // the word's last tree node: one word, one node
    };

    void begin(const Board& board, std::span<const std::uint8_t> cells);
    void drawLetters(std::span<std::uint8_t> cells);
    void placeWords(std::span<std::uint8_t> cells);
    // The cell one step away from a cell (or from column x, row y), or -1 off the board.
    int neighbour(int cell, const Step& step) const;
    int neighbour(int x, int y, const Step& step) const;
    void randomWalk(int cell);
    void solve();
    void findNeighbours();
    void enterCell(int cell, std::int32_t node, int depth);
    void extendChain(int cell, std::int32_t node, TreeIndex::Node reached, int depth);
    void addSolution(std::int32_t node, int depth);
    std::int32_t finishLists();
    // Sorts a list in ascending byte order of its words, which are distinct.
    void sortList(std::vector<Solution>& list);

    LangDict dict_;
    TreeIndex index_;  // also marks the nodes whose words are listed
    // The words of each length 3 to 7, shuffled, one after another without separators.
    std::array<std::vector<std::uint8_t>, kListCount> wordsByLength_;
    std::vector<std::uint8_t> letterPool_;
    Rng rng_;

    std::array<std::vector<Solution>, kListCount> solutions_;
    std::vector<Solution> sorted_;  // sortList's work space, kept for its memory

    // The board of the current call.
    int width_ = 0;
    int height_ = 0;
    int numCells_ = 0;
    std::span<const std::uint8_t> grid_;
    Board board_;
    std::bitset<kMaxCells> inPlay_;
    std::bitset<kMaxCells> visited_;  // the generator's walk
    // The solver's chain may enter a cell only while its entry here is non-zero: the letter bit
    // (TreeIndex::letterBit) of a cell in play, holding a letter some node holds, not yet on the
    // chain. A child mask that misses it ends the chain there.
    std::array<std::uint32_t, kMaxCells> freeBits_{};
    // Every letter bit of the cell's neighbours at the start of the solve.
    std::array<std::uint32_t, kMaxCells> nearBits_{};
    // The solver's neighbours of cell c: neighbours_[neighbourStart_[c] .. neighbourStart_[c + 1]).
    // They depend only on the shape and the step table, so they are kept for the next board of
    // the same shape and table.
    std::vector<std::uint8_t> neighbours_;
    std::array<std::uint32_t, kMaxCells + 1> neighbourStart_{};
    int neighboursWidth_ = 0;
    int neighboursHeight_ = 0;
    std::vector<std::int32_t> neighboursDirs_;

    // The chain being built: the solver's letters and cells, or the generator's walk.
    std::array<std::uint8_t, kMaxChain> chainWord_{};
    std::array<std::uint8_t, kMaxChain> chainPath_{};
    int walkTarget_ = 0;
    int walkLength_ = 0;
    bool walkFound_ = false;
};

}  // namespace varnook::engine
