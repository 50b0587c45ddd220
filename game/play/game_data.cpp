// The board's size, the chain, the counts of the solution tables and the changes play makes to the
// game's state.
#include "game/play/game_data.h"

#include <algorithm>
#include <utility>

#include "game/play/words.h"

namespace game {

void GameData::setBoard(int width, int height) {
    gridWidth_ = width;
    gridHeight_ = height;
    gridLetters_.reset(numCells(), 0);
    cellSelected_.reset(numCells(), 0);
    curWordLen_ = 0;
}

void GameData::setLetters(const std::vector<std::uint8_t>& letters) {
    const int n = std::min(gridLetters_.size(), static_cast<int>(letters.size()));
    for (int i = 1; i <= n; ++i) gridLetters_[i] = letters[static_cast<std::size_t>(i - 1)];
}

void GameData::fitLettersToBoard() {
    gridLetters_.resize(numCells(), 0);
    cellSelected_.reset(numCells(), 0);
    curWordLen_ = 0;
}

void GameData::pushCell(int cell) {
    curWordLen_ += 1;
    curPath_[curWordLen_] = static_cast<std::int16_t>(cell);
    cellSelected_[cell] = 1;
}

void GameData::popCell() {
    cellSelected_[curPath_[curWordLen_]] = 0;
    curWordLen_ -= 1;
}

void GameData::clearChain() {
    for (int i = 1; i <= curWordLen_; ++i)
        if (cellSelected_.contains(curPath_[i])) cellSelected_[curPath_[i]] = 0;
    curWordLen_ = 0;
}

void GameData::showPath(const std::vector<int>& cells) {
    for (auto& c : cellSelected_) c = 0;
    curWordLen_ = 0;
    for (int cell : cells) pushCell(cell);
}

const WordList& GameData::wordsOfLength(int len) const {
    static const WordList kNone;
    return wordLists_.contains(len - 1) ? wordLists_[len - 1] : kNone;
}

int GameData::numSolutionWords() const {
    // Words of 3 to 10 letters; lists of 1 and 2 letters are read but not counted.
    int n = 0;
    for (int k = 2; k <= kLastList; ++k) n += wordLists_[k].count();
    return n;
}

int GameData::numLinkableWords() const {
    int n = 0;
    for (int len = kMinWordLen; len <= kMaxWordLen; ++len) n += wordsOfLength(len).count();
    return n;
}

void GameData::setSolutions(WordLists lists, std::int32_t target) {
    wordLists_ = std::move(lists);
    targetPoints_ = target;
}

void GameData::clearPuzzle() {
    puzzleSeed_.reset();
    foundWords_.clear();
    curWordLen_ = 0;
    for (WordList& list : wordLists_) list = WordList{};
}

void GameData::addFoundWord(const std::string& word) {
    foundWords_.push_back(word);
    // Exchange sort: every pair (i, j), i < j, swapped when out of order.
    const int n = numFoundWords();
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (words::compareFoundWords(foundWords_[i], foundWords_[j]) > 0) std::swap(foundWords_[i], foundWords_[j]);
}

void GameData::restoreFoundWords(const std::vector<std::string>& words) {
    foundWords_.clear();
    for (const std::string& word : words) foundWords_.push_back(word);
}

void GameData::startArcadeRun() {
    gameMode_ = GameMode::Arcade;
    score_ = 0;
    levelScore_ = 0;
    arcadeLevel_ = 0;
}

void GameData::startLevel() {
    levelScore_ = 0;
    levelQualified_ = false;
    arcadeLevel_ += 1;
    timeLeft_ = kLevelTime;
}

void GameData::scoreWord(std::int32_t points) {
    score_ = addPoints(score_, points);
    if (gameMode_ == GameMode::Arcade) levelScore_ = addPoints(levelScore_, points);
}

void GameData::addLevelBonus(std::int32_t points) { score_ = addPoints(score_, points); }

void GameData::restoreCounters(GameMode mode, std::int16_t arcadeLevel, std::int32_t score, std::int32_t levelScore,
                               std::int32_t timeLeft) {
    gameMode_ = mode;
    arcadeLevel_ = arcadeLevel;
    score_ = score;
    levelScore_ = levelScore;
    timeLeft_ = timeLeft;
}

}  // namespace game
