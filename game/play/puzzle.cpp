// newPuzzle, restorePuzzle and reading the engine's solution lists into the game's word tables.
#include "game/play/puzzle.h"

#include <algorithm>
#include <vector>

#include "game/play/flow.h"
#include "game/play/engine_library.h"

namespace game {

namespace {

constexpr auto kEngineDirs = engineDirs();
// Lists read back from the engine: words of 2 to 10 letters.
constexpr int kFirstList = 1;
constexpr int kLastList = 9;

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

void resetPlay(GameData& g) {
    g.numFoundWords = 0;
    g.foundWords.clear();
    g.foundListTop = 1;
    g.numSolutionWords = 0;
    g.curWordLen = 0;
}

// Copies every solution list of 2 to 10 letters into wordLists, sums targetPoints, frees the
// engine's lists and applies the Arcade level cap.
void readSolutionLists(GameData& g, EngineLibrary& engine) {
    g.targetPoints = 0;
    for (int k = kFirstList; k <= kLastList; ++k) {
        WordList& list = g.wordLists[static_cast<std::size_t>(k)];
        list.sizeIndex = k;
        list.count = std::max(0, engine.qxpGetNumWordsInSize(k));
        // An empty list keeps its old entries; nothing reads beyond count.
        if (list.count == 0) continue;
        list.words.reset(list.count);
        list.paths.reset(list.count);
        std::vector<char> word(static_cast<std::size_t>(k) + 2, ' ');
        for (int i = 1; i <= list.count; ++i) {
            std::fill(word.begin(), word.end() - 1, ' ');
            word.back() = '\0';
            std::vector<std::uint8_t> path(static_cast<std::size_t>(k) + 1, 0);
            engine.qxpGetWord(k, i, word, path);
            std::string text(word.begin(), word.begin() + k + 1);
            std::transform(text.begin(), text.end(), text.begin(), upper);
            list.words[i] = std::move(text);
            list.paths[i] = std::move(path);
            g.targetPoints += wordPoints(k + 1);
        }
    }
    engine.clearMemory();

    if (g.gameMode == GameMode::Arcade && g.arcadeLevel >= 1 && g.arcadeLevel <= kLevelCount &&
        level(g.arcadeLevel).target < g.targetPoints)
        g.targetPoints = level(g.arcadeLevel).target;
}

}  // namespace

int puzzleSeed(double r) {
    return std::clamp(static_cast<int>(flow::roundHalfEven(r * kMaxPuzzleSeed)), 0, kMaxPuzzleSeed);
}

void newPuzzle(GameData& g, EngineLibrary& engine, int seed) {
    resetPlay(g);
    g.numCells = static_cast<std::int16_t>(g.gridWidth * g.gridHeight);
    // Every cell is in play: the engine replaces each 1 with a letter.
    g.gridLetters.reset(g.numCells, 1);
    g.cellSelected.reset(g.numCells, 0);
    g.numSolutionWords = engine.makeQXPuzzleA(g.gridWidth, g.gridHeight, g.gridLetters.raw(), kEngineDirs, seed);
    readSolutionLists(g, engine);
}

bool restorePuzzle(GameData& g, EngineLibrary& engine, const LoadSavedGame& loadSavedGame) {
    resetPlay(g);
    if (loadSavedGame) loadSavedGame(g);
    if (g.gridWidth < 1 || g.gridHeight < 1 || g.gridWidth * g.gridHeight > kMaxCells) return false;
    g.numCells = static_cast<std::int16_t>(g.gridWidth * g.gridHeight);
    // A damaged record must not make the engine read past the letters it gave.
    g.gridLetters.resize(g.numCells, 0);
    g.cellSelected.reset(g.numCells, 0);
    g.numSolutionWords = engine.recreatePuzzle(g.gridWidth, g.gridHeight, g.gridLetters.raw(), kEngineDirs);
    readSolutionLists(g, engine);
    return true;
}

void buildAllSolutionWords(GameData& g) {
    g.allSolutionWords.reset(g.numSolutionWords);
    int next = 1;
    // Words of 3 to 9 letters; 10-letter words count in numSolutionWords but have no slot here.
    for (int k = 2; k <= 8; ++k) {
        const WordList& list = g.wordLists[static_cast<std::size_t>(k)];
        for (int i = 1; i <= list.count && next <= g.numSolutionWords; ++i) g.allSolutionWords[next++] = list.words[i];
    }
}

}  // namespace game
