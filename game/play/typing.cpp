// The typed-letter path search: the longest start of the current chain that a path spelling the
// typed word can keep, searched from the whole chain down to none.
#include "game/play/typing.h"

#include <algorithm>
#include <string>

#include "game/play/letters.h"

namespace game::typing {

namespace {

// Depth-first search for the rest of a path: cells 1..path.size() are fixed and spell word's start;
// the next cells must spell the rest. The first path found in board order completes `path`.
class PathSearch {
public:
    PathSearch(const GameData& g, std::string word) : g_(g), word_(std::move(word)), used_(g.numCells() + 1, false) {}

    bool complete(std::vector<int>& path) {
        std::fill(used_.begin(), used_.end(), false);
        for (int cell : path) used_[static_cast<std::size_t>(cell)] = true;
        if (path.empty()) {
            for (int cell = 1; cell <= g_.numCells(); ++cell)
                if (tryCell(path, cell)) return true;
            return false;
        }
        return extend(path);
    }

private:
    bool letterAt(int cell, std::size_t position) const {
        return letters::lower(static_cast<char>(g_.gridLetters()[cell])) == word_[position];
    }

    bool tryCell(std::vector<int>& path, int cell) {
        if (used_[static_cast<std::size_t>(cell)] || !letterAt(cell, path.size())) return false;
        path.push_back(cell);
        used_[static_cast<std::size_t>(cell)] = true;
        if (extend(path)) return true;
        used_[static_cast<std::size_t>(cell)] = false;
        path.pop_back();
        return false;
    }

    bool extend(std::vector<int>& path) {
        if (path.size() == word_.size()) return true;
        const int last = path.back();
        const int c0 = g_.cellX(last), r0 = g_.cellY(last);
        for (std::size_t i = 0; i < kDirX.size(); ++i) {
            const int c = c0 + kDirX[i], r = r0 + kDirY[i];
            if (g_.inGrid(c, r) && tryCell(path, g_.cellIndex(c, r))) return true;
        }
        return false;
    }

    const GameData& g_;
    std::string word_;
    std::vector<bool> used_;
};

}  // namespace

bool isTypedLetter(char32_t ch) { return !letters::boardLetters(letters::Language::English, ch).empty(); }

std::optional<std::vector<int>> chainAfterTyping(const GameData& g, char32_t letter) {
    const std::string typed = letters::boardLetters(g.language(), letter);
    const int length = g.curWordLen();
    if (typed.empty() || length + static_cast<int>(typed.size()) > kMaxWordLen) return std::nullopt;
    std::vector<int> chain;
    std::string word;
    for (int i = 1; i <= length; ++i) {
        const int cell = g.curPath()[i];
        if (!g.gridLetters().contains(cell)) return std::nullopt;
        chain.push_back(cell);
        word += letters::lower(static_cast<char>(g.gridLetters()[cell]));
    }
    word += typed;

    // The longest start of the chain that a path can keep wins; keeping the whole chain first.
    PathSearch search(g, word);
    for (int keep = length; keep >= 0; --keep) {
        std::vector<int> path(chain.begin(), chain.begin() + keep);
        if (search.complete(path)) return path;
    }
    return std::nullopt;
}

void setChain(GameData& g, std::span<const int> cells) {
    g.clearChain();
    for (int cell : cells) {
        if (!g.cellSelected().contains(cell) || g.curWordLen() >= kMaxPath) break;
        g.pushCell(cell);
    }
}

}  // namespace game::typing
