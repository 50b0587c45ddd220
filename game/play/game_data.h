// The current puzzle, its word tables, the chain of linked letters and the state of the game being
// played: everything the rules, the drawing and the saved game read. Counts are those of the
// containers; the board's size is set in one place, setBoard.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/play/letters.h"
#include "game/play/one_based.h"
#include "game/play/rules.h"

namespace game {

// The solution words of one length, as the engine listed them (upper case, ascending byte order),
// each with the 0-based cell of each of its letters.
struct WordList {
    OneBased<std::string> words;
    OneBased<std::vector<std::uint8_t>> paths;

    int count() const { return words.size(); }
};

class GameData {
public:
    // --- The board. Cells are numbered from 1, row by row.
    int gridWidth() const { return gridWidth_; }
    int gridHeight() const { return gridHeight_; }
    int numCells() const { return gridWidth_ * gridHeight_; }
    // A board of width x height cells: every letter 0 and every cell unlinked, no chain.
    void setBoard(int width, int height);

    OneBased<std::uint8_t> gridLetters;
    OneBased<std::uint8_t> cellSelected;
    // The seed the letters were made from; unknown for a board rebuilt from a saved game that did
    // not keep it (or kept one that does not make these letters).
    std::optional<int> puzzleSeed;
    // The language of the board's dictionary: it decides which letters a typed character plays.
    letters::Language language = letters::Language::English;

    // --- The chain of linked letters: curPath[1..curWordLen] are 1-based cell indices.
    Indexed<std::int16_t, 1, kMaxPath> curPath;
    std::int16_t curWordLen = 0;

    // --- Solution tables: wordLists[k] holds the words of k + 1 letters.
    Indexed<WordList, kFirstList, kLastList> wordLists;
    // The solution words of len letters (an empty list for a length the tables do not hold).
    const WordList& wordsOfLength(int len) const;
    // Solution words of 3 to 10 letters, as the engine counts them: the results display lists them.
    int numSolutionWords() const;
    // Solution words a chain can link, of 3 to 7 letters: what a game can find, what its target and
    // every "found of total" figure count.
    int numLinkableWords() const;
    std::int32_t targetPoints = 0;
    OneBased<std::string> allSolutionWords;

    // --- Words the player has found, kept sorted (shorter first, then alphabetically, any case).
    OneBased<std::string> foundWords;
    int numFoundWords() const { return foundWords.size(); }

    // --- The game being played.
    GameMode gameMode = GameMode::Classic;
    std::int32_t score = 0;
    std::int32_t levelScore = 0;
    std::int16_t arcadeLevel = 1;
    std::int32_t timeLeft = 0;  // tenths of a second
    bool levelQualified = false;

    // --- Cell helpers.
    int cellIndex(int x, int y) const { return x + y * gridWidth_ + 1; }
    int cellX(int i) const { return (i - 1) % gridWidth_; }
    int cellY(int i) const { return (i - 1) / gridWidth_; }
    bool inGrid(int x, int y) const { return x >= 0 && x <= gridWidth_ - 1 && y >= 0 && y <= gridHeight_ - 1; }

private:
    int gridWidth_ = 6;
    int gridHeight_ = 6;
};

}  // namespace game
