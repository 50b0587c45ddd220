// The board's size and the counts of the solution tables.
#include "game/play/game_data.h"

namespace game {

void GameData::setBoard(int width, int height) {
    gridWidth_ = width;
    gridHeight_ = height;
    gridLetters.reset(numCells(), 0);
    cellSelected.reset(numCells(), 0);
    curWordLen = 0;
}

const WordList& GameData::wordsOfLength(int len) const {
    static const WordList kNone;
    return wordLists.contains(len - 1) ? wordLists[len - 1] : kNone;
}

int GameData::numSolutionWords() const {
    // Words of 3 to 10 letters; lists of 1 and 2 letters are read but not counted.
    int n = 0;
    for (int k = 2; k <= kLastList; ++k) n += wordLists[k].count();
    return n;
}

int GameData::numLinkableWords() const {
    int n = 0;
    for (int len = kMinWordLen; len <= kMaxWordLen; ++len) n += wordsOfLength(len).count();
    return n;
}

}  // namespace game
