// newPuzzle, restorePuzzle and reading the engine's solution lists into the game's word tables.
#include "game/play/puzzle.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "game/play/engine_library.h"
#include "game/play/flow.h"
#include "game/play/letters.h"

namespace game {

namespace {

constexpr auto kEngineDirs = engineDirs();

// Copies every solution list of 2 to 10 letters into wordLists, sums the points of the words a chain
// can link (3 to 7 letters) into targetPoints, frees the engine's lists and applies the Arcade level
// cap. Longer words are listed for the results display but could never be found, so they do not
// count towards the target: every game can be won by finding every word it can link.
void readSolutionLists(GameData& g, EngineLibrary& engine) {
    GameData::WordLists lists;
    std::int32_t target = 0;
    for (int k = kFirstList; k <= kLastList; ++k) {
        WordList& list = lists[k];
        const int count = std::max(0, engine.qxpGetNumWordsInSize(k));
        list.words.reset(count);
        list.paths.reset(count);
        std::vector<char> word(static_cast<std::size_t>(k) + 2, ' ');
        for (int i = 1; i <= count; ++i) {
            std::fill(word.begin(), word.end() - 1, ' ');
            word.back() = '\0';
            std::vector<std::uint8_t> path(static_cast<std::size_t>(k) + 1, 0);
            engine.qxpGetWord(k, i, word, path);
            std::string text(word.begin(), word.begin() + k + 1);
            std::transform(text.begin(), text.end(), text.begin(), letters::upper);
            list.words[i] = std::move(text);
            list.paths[i] = std::move(path);
            if (k + 1 >= kMinWordLen && k + 1 <= kMaxWordLen) target += wordPoints(k + 1);
        }
    }
    engine.clearMemory();

    if (g.gameMode() == GameMode::Arcade && g.arcadeLevel() >= 1 && g.arcadeLevel() <= kLevelCount &&
        level(g.arcadeLevel()).target < target)
        target = level(g.arcadeLevel()).target;
    g.setSolutions(std::move(lists), target);
}

}  // namespace

int puzzleSeed(double r) {
    return std::clamp(static_cast<int>(flow::roundHalfEven(r * kMaxPuzzleSeed)), 0, kMaxPuzzleSeed);
}

void newPuzzle(GameData& g, EngineLibrary& engine, int width, int height, int seed) {
    g.clearPuzzle();
    g.setBoard(width, height);
    // Every cell is in play: the engine replaces each 1 with a letter.
    std::vector<std::uint8_t> letters(static_cast<std::size_t>(g.numCells()), 1);
    engine.makeQXPuzzleA(g.gridWidth(), g.gridHeight(), letters, kEngineDirs, seed);
    g.setLetters(letters);
    g.setPuzzleSeed(seed);
    readSolutionLists(g, engine);
}

bool puzzleMadeFrom(const GameData& g, EngineLibrary& engine, int seed) {
    std::vector<std::uint8_t> letters(static_cast<std::size_t>(g.numCells()), 1);
    engine.makeQXPuzzleA(g.gridWidth(), g.gridHeight(), letters, kEngineDirs, seed);
    engine.clearMemory();
    return letters == g.gridLetters().raw();
}

bool restorePuzzle(GameData& g, EngineLibrary& engine, const LoadSavedGame& loadSavedGame) {
    g.clearPuzzle();
    if (loadSavedGame) loadSavedGame(g);
    if (g.gridWidth() < 1 || g.gridHeight() < 1 || g.numCells() > kMaxCells) return false;
    // A damaged record must not make the engine read past the letters it gave.
    g.fitLettersToBoard();
    engine.recreatePuzzle(g.gridWidth(), g.gridHeight(), g.gridLetters().raw(), kEngineDirs);
    readSolutionLists(g, engine);
    return true;
}

bool foundWordsAreSolutions(const GameData& g) {
    for (const std::string& word : g.foundWords()) {
        const WordList& list = g.wordsOfLength(static_cast<int>(word.size()));
        if (std::find(list.words.begin(), list.words.end(), word) == list.words.end()) return false;
    }
    return true;
}

void buildAllSolutionWords(GameData& g) {
    OneBased<std::string> all;
    // Words of 3 to 9 letters; 10-letter words count in numSolutionWords but have no slot here, so
    // the list is as long as that count and its tail stays empty.
    for (int k = 2; k <= 8; ++k)
        for (const std::string& word : g.wordLists()[k].words) all.push_back(word);
    all.resize(g.numSolutionWords());
    g.setAllSolutionWords(std::move(all));
}

}  // namespace game
