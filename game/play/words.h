// Submitting the chain as a word: the lookup in the solution tables, the sorted list of found
// words, scoring, clearing the chain, and the test for a completed level or game.
#pragma once

#include <string>

#include "game/play/game_data.h"

namespace game::words {

// Order of the found list: by length, then alphabetical without regard to case.
// Negative, 0 or positive as a sorts before, with or after b.
int compareFoundWords(const std::string& a, const std::string& b);

// 1-based index of word in foundWords (exact comparison, first match), or -1.
int findFoundWord(const GameData& g, const std::string& word);

// Adds word to foundWords unless it is there, keeps the list in order, and returns its index.
int addFoundWord(GameData& g, const std::string& word);

// True when the solution list of the word's length holds it (exact, case-sensitive).
bool isSolutionWord(const GameData& g, const std::string& word);

// The linked letters in chain order, upper case.
std::string chainWord(const GameData& g);

// The first word the list box shows so that word i of n found words is in view.
int listTopFor(int i, int numFound);

// The answer to a submission.
enum class Answer {
    None,      // fewer than three letters: nothing happens
    Refused,   // not a solution word; the chain stays
    Repeated,  // found before; the chain stays
    New,       // a new word: scored and listed; the caller clears the chain
};

struct Submission {
    Answer answer = Answer::None;
    std::string word;
    int index = 0;   // position in foundWords (Repeated, New)
    int points = 0;  // points scored (New)
};

// Submits the chain: looks the word up, adds a new word to the found list, adds its points to
// score (and levelScore in Arcade Mode).
Submission submitChain(GameData& g);

// Unlinks every letter. False when the chain was already empty.
bool clearChain(GameData& g);

// True when the points of the game (Classic) or of the level (Arcade) reach targetPoints.
bool targetReached(const GameData& g);

}  // namespace game::words
