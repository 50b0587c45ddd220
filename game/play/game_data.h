// The current puzzle, its word tables, the chain of linked letters and the state of the game being
// played: everything the rules, the drawing and the saved game read. Counts are those of the
// containers; the board's size is set in one place, setBoard.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
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
    using Chain = Indexed<std::int16_t, 1, kMaxPath>;
    using WordLists = Indexed<WordList, kFirstList, kLastList>;

    // --- The board. Cells are numbered from 1, row by row.
    int gridWidth() const { return gridWidth_; }
    int gridHeight() const { return gridHeight_; }
    int numCells() const { return gridWidth_ * gridHeight_; }
    // A board of width x height cells: every letter 0 and every cell unlinked, no chain.
    void setBoard(int width, int height);
    // The board's letters from its first cell on, as the engine made them or a saved game kept them;
    // letters past the last cell are dropped, cells past the last letter keep theirs.
    void setLetters(const std::vector<std::uint8_t>& letters);
    // The letters become as many as the board's cells (missing ones 0), every cell unlinked, no
    // chain: a board rebuilt from a saved game, before the engine reads it.
    void fitLettersToBoard();

    const OneBased<std::uint8_t>& gridLetters() const { return gridLetters_; }
    // 1 for a cell in the chain (or in the solution path shown), else 0.
    const OneBased<std::uint8_t>& cellSelected() const { return cellSelected_; }
    // The seed the letters were made from; unknown for a board rebuilt from a saved game that did
    // not keep it (or kept one that does not make these letters).
    const std::optional<int>& puzzleSeed() const { return puzzleSeed_; }
    void setPuzzleSeed(std::optional<int> seed) { puzzleSeed_ = seed; }
    // The language of the board's dictionary: it decides which letters a typed character plays.
    letters::Language language() const { return language_; }
    void setLanguage(letters::Language language) { language_ = language; }

    // --- The chain of linked letters: curPath()[1..curWordLen()] are 1-based cell indices.
    const Chain& curPath() const { return curPath_; }
    std::int16_t curWordLen() const { return curWordLen_; }
    // Links the cell at the chain's end (a cell of the board, with the chain shorter than kMaxPath).
    void pushCell(int cell);
    // Unlinks the chain's last cell (a chain of at least one).
    void popCell();
    // Unlinks every cell of the chain: no chain.
    void clearChain();
    // Every cell unlinked, then these cells linked in order: a solution's path shown.
    void showPath(const std::vector<int>& cells);

    // --- Solution tables: wordLists()[k] holds the words of k + 1 letters.
    const WordLists& wordLists() const { return wordLists_; }
    // The solution words of len letters (an empty list for a length the tables do not hold).
    const WordList& wordsOfLength(int len) const;
    // Solution words of 3 to 10 letters, as the engine counts them: the results display lists them.
    int numSolutionWords() const;
    // Solution words a chain can link, of 3 to 7 letters: what a game can find, what its target and
    // every "found of total" figure count.
    int numLinkableWords() const;
    std::int32_t targetPoints() const { return targetPoints_; }
    // The puzzle's solution tables and the points the game needs.
    void setSolutions(WordLists lists, std::int32_t target);
    // The solution words of the results display, in its order.
    const OneBased<std::string>& allSolutionWords() const { return allSolutionWords_; }
    void setAllSolutionWords(OneBased<std::string> words) { allSolutionWords_ = std::move(words); }
    // A new puzzle is coming: no seed, no found word, no solution and a chain of no cells (whose
    // cells the new board unlinks).
    void clearPuzzle();

    // --- Words the player has found, kept sorted (shorter first, then alphabetically, any case).
    const OneBased<std::string>& foundWords() const { return foundWords_; }
    int numFoundWords() const { return foundWords_.size(); }
    // Adds a word not yet found, in its place in the order.
    void addFoundWord(const std::string& word);
    // The found words of a saved game, in the order it kept them.
    void restoreFoundWords(const std::vector<std::string>& words);

    // --- The game being played.
    GameMode gameMode() const { return gameMode_; }
    std::int32_t score() const { return score_; }
    std::int32_t levelScore() const { return levelScore_; }
    std::int16_t arcadeLevel() const { return arcadeLevel_; }
    std::int32_t timeLeft() const { return timeLeft_; }  // tenths of a second
    bool levelQualified() const { return levelQualified_; }

    // A Classic game is chosen (from the menu, or a puzzle asked for by its number).
    void chooseClassic() { gameMode_ = GameMode::Classic; }
    // A Classic game starts: no points yet.
    void startClassicGame() { score_ = 0; }
    // An Arcade run starts, before its first level: no points, no level played.
    void startArcadeRun();
    // The next Arcade level starts: no level points, not qualified, the full clock.
    void startLevel();
    // A found word scores: the game's points, and in Arcade Mode the level's.
    void scoreWord(std::int32_t points);
    // The bonus of a won level: the game's points only.
    void addLevelBonus(std::int32_t points);
    // The level's target is reached.
    void qualifyLevel() { levelQualified_ = true; }
    // One tenth of a second off the clock.
    void tickClock() { timeLeft_ -= 1; }
    // The counters of a saved game.
    void restoreCounters(GameMode mode, std::int16_t arcadeLevel, std::int32_t score, std::int32_t levelScore,
                         std::int32_t timeLeft);

    // --- Cell helpers.
    int cellIndex(int x, int y) const { return x + y * gridWidth_ + 1; }
    int cellX(int i) const { return (i - 1) % gridWidth_; }
    int cellY(int i) const { return (i - 1) / gridWidth_; }
    bool inGrid(int x, int y) const { return x >= 0 && x <= gridWidth_ - 1 && y >= 0 && y <= gridHeight_ - 1; }

private:
    int gridWidth_ = 6;
    int gridHeight_ = 6;
    OneBased<std::uint8_t> gridLetters_;
    OneBased<std::uint8_t> cellSelected_;
    std::optional<int> puzzleSeed_;
    letters::Language language_ = letters::Language::English;

    Chain curPath_;
    std::int16_t curWordLen_ = 0;

    WordLists wordLists_;
    std::int32_t targetPoints_ = 0;
    OneBased<std::string> allSolutionWords_;

    OneBased<std::string> foundWords_;

    GameMode gameMode_ = GameMode::Classic;
    std::int32_t score_ = 0;
    std::int32_t levelScore_ = 0;
    std::int16_t arcadeLevel_ = 1;
    std::int32_t timeLeft_ = 0;
    bool levelQualified_ = false;
};

}  // namespace game
