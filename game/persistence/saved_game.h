// The saved game as read from the store, the checks a stored record must pass before it is resumed,
// and putting it into the game's state. Store access is in records.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/persistence/records_layout.h"
#include "game/play/game_data.h"
#include "game/play/puzzle_number.h"

namespace game::persistence {

// Why a saved game is not resumed. Callers treat everything but Loaded alike.
enum class SavedGameStatus {
    Loaded,
    StoreUnavailable,  // the store could not be opened
    NotWaiting,        // no game waits any more: another copy of the game took it
    NotTaken,          // the mark that the game is taken could not be written: it stays saved
    MissingValue,      // a value is missing or has the wrong size
    BadBoard,          // a board size the game does not play
    BadLetters,        // letters missing, too many, or ones a tile cannot show
    BadMode,           // not Classic or Arcade, or an Arcade level that does not fit the board
    BadCounters,       // a score out of range, an Arcade clock out of range, impossible word counts
    BadFoundWords,     // the found-word text does not match its counts, or holds impossible words
    BadScore,          // the score is not the points of the found words
    WordsNotInPuzzle,  // a found word is not a solution word of the rebuilt puzzle
};

// Limits on the found-word record; nothing larger is read.
constexpr std::int32_t kMaxStoredFoundWords = 10000;
constexpr std::int32_t kMaxStoredFoundText = kMaxStoredFoundWords * (kMaxWordLen + 1);

struct SavedGame {
    std::int16_t gridWidth = 0;
    std::int16_t gridHeight = 0;
    std::vector<std::uint8_t> letters;  // one byte per cell, row by row
    GameMode gameMode = GameMode::Classic;
    std::int16_t arcadeLevel = 0;
    std::int32_t score = 0;
    std::int32_t timeLeft = 0;
    std::int32_t levelScore = 0;
    std::vector<std::string> foundWords;  // in stored order
    SolvingData solvingData;              // the settings record stored with the game
    // A Classic game's puzzle number, when the record keeps one that fits its board.
    std::optional<PuzzleNumber> puzzleNumber;
    // The language of the board's dictionary (a record without one is English).
    letters::Language language = letters::Language::English;
};

// A board size the game plays: one of the level table's.
bool isPlayableBoard(int width, int height);
// A byte a tile shows and the engine treats as a letter: printable ASCII other than space and ",",
// and the Windows-1252 letters À to ÿ (the boards of other languages have Ä, Ö, Ü and Ñ).
bool isBoardLetter(std::uint8_t byte);

// The found-words text: every found word followed by ",".
std::string foundWordsText(const GameData& game);
// Splits the stored text of a record that says `count` words. Words must be comma-terminated,
// 3 to 7 board letters, distinct. Fewer words than count: the words present are kept (a trailing
// piece without its comma is dropped). More words than count, or characters after the last of
// count words: BadFoundWords.
SavedGameStatus splitFoundWords(std::string_view text, std::int32_t count, std::vector<std::string>& words);

// The number a saved game's record text gives: a puzzle number of the record's own board size in a
// Classic game, else nullopt (an empty or unreadable text, another size, an Arcade game).
std::optional<PuzzleNumber> savedPuzzleNumber(std::string_view text, const SavedGame& saved);
// The text saveGame stores for a game: its Classic puzzle number, or empty.
std::string puzzleNumberRecord(const GameData& game);

// Checks the mode, level, clock and scores against each other and the board. Loaded when usable.
SavedGameStatus checkSavedState(const SavedGame& saved);
// Checks the scores against the found words: in Classic Mode the score is the points of the found
// words; in Arcade Mode the level's score is (the found words are the level's) and the run's score
// is at least that.
SavedGameStatus checkSavedScores(const SavedGame& saved);

// Puts a checked saved game into the game's state (grid, mode, level, scores, clock, found words,
// the seed of its number) and its settings record into solvingData (restorePuzzle's read of the
// saved game).
void applySavedGame(const SavedGame& saved, GameData& game, SolvingData& solvingData);

}  // namespace game::persistence
