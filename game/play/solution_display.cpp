// Word-list scrolling, statistics texts and solution paths.
#include "game/play/solution_display.h"

#include <algorithm>
#include <vector>

namespace game::results {

int listCount(const GameData& g, ListMode mode) {
    return mode == ListMode::Solutions ? g.numSolutionWords() : g.numFoundWords();
}

const OneBased<std::string>& listWords(const GameData& g, ListMode mode) {
    return mode == ListMode::Solutions ? g.allSolutionWords() : g.foundWords();
}

bool scrollDown(std::int16_t& top, int count) {
    if (top > count - kListRows) return false;
    ++top;
    return true;
}

bool scrollUp(std::int16_t& top) {
    if (top < 2) return false;
    --top;
    return true;
}

int nextRepeatInterval(int ms) { return ms > kRepeatStepMs ? ms - kRepeatStepMs : ms; }

int foundOfLength(const GameData& g, int len) {
    return static_cast<int>(std::count_if(g.foundWords().begin(), g.foundWords().end(),
                                          [len](const std::string& w) { return static_cast<int>(w.size()) == len; }));
}

int solutionsOfLength(const GameData& g, int len) { return g.wordsOfLength(len).count(); }

std::optional<int> wordToShow(const GameData& g, int id, int lastShownWordId) {
    if (id < 1 || id > g.numSolutionWords() || id == lastShownWordId) return std::nullopt;
    if (!g.allSolutionWords().contains(id) || g.allSolutionWords()[id].empty()) return std::nullopt;
    return id;
}

bool loadSolutionPath(GameData& g, const std::string& word) {
    const int len = static_cast<int>(word.size());
    if (len > kMaxPath) return false;
    const WordList& list = g.wordsOfLength(len);
    for (int i = 1; i <= list.count(); ++i) {
        if (list.words[i] != word) continue;
        if (!list.paths.contains(i) || static_cast<int>(list.paths[i].size()) < len) return false;
        // Every cell of the path must be on the board before anything is changed.
        for (int j = 0; j < len; ++j)
            if (list.paths[i][static_cast<std::size_t>(j)] + 1 > g.cellSelected().size()) return false;
        std::vector<int> cells;
        for (int j = 1; j <= len; ++j) cells.push_back(list.paths[i][static_cast<std::size_t>(j - 1)] + 1);
        g.showPath(cells);
        return true;
    }
    return false;
}

}  // namespace game::results
