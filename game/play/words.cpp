// Word submission, the found list in its order, scoring and clearing the chain.
#include "game/play/words.h"

#include <algorithm>

#include "game/play/letters.h"

namespace game::words {

int compareFoundWords(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return static_cast<int>(a.size()) - static_cast<int>(b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(letters::upper(a[i]));
        const auto cb = static_cast<unsigned char>(letters::upper(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return 0;
}

int findFoundWord(const GameData& g, const std::string& word) {
    for (int i = 1; i <= g.numFoundWords(); ++i)
        if (g.foundWords()[i] == word) return i;
    return -1;
}

int addFoundWord(GameData& g, const std::string& word) {
    if (const int i = findFoundWord(g, word); i != -1) return i;
    g.addFoundWord(word);
    return findFoundWord(g, word);
}

bool isSolutionWord(const GameData& g, const std::string& word) {
    const WordList& list = g.wordsOfLength(static_cast<int>(word.size()));
    for (int i = 1; i <= list.count(); ++i)
        if (list.words[i] == word) return true;
    return false;
}

std::string chainWord(const GameData& g) {
    std::string word;
    for (int i = 1; i <= g.curWordLen(); ++i)
        word += letters::upper(static_cast<char>(g.gridLetters()[g.curPath()[i]]));
    return word;
}

int listTopFor(int i, int numFound) {
    // The list's last position shows words n - 12 to n (where the down arrow stops), so the word is
    // always in view.
    return i < kListRows + 1 ? 1 : std::min(i, numFound - kListRows + 1);
}

Submission submitChain(GameData& g) {
    Submission s;
    if (g.curWordLen() < kMinWordLen || g.curWordLen() > kMaxWordLen) return s;
    s.word = chainWord(g);
    if (!isSolutionWord(g, s.word)) {
        s.answer = Answer::Refused;
        return s;
    }
    const int before = g.numFoundWords();
    s.index = addFoundWord(g, s.word);
    if (g.numFoundWords() == before) {
        s.answer = Answer::Repeated;
        return s;
    }
    s.answer = Answer::New;
    s.points = wordPoints(g.curWordLen());
    g.scoreWord(s.points);
    return s;
}

bool clearChain(GameData& g) {
    if (g.curWordLen() < 1) return false;
    g.clearChain();
    return true;
}

bool targetReached(const GameData& g) {
    return g.gameMode() == GameMode::Arcade ? g.levelScore() >= g.targetPoints() : g.score() >= g.targetPoints();
}

}  // namespace game::words
