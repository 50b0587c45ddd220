// Checks on a stored game and putting it back into the game's state.
#include "game/persistence/saved_game.h"

#include <algorithm>
#include <set>

namespace game::persistence {
namespace {

constexpr std::size_t kMinWordLength = kMinWordLen;
constexpr std::size_t kMaxWordLength = kMaxWordLen;

bool isFoundWord(std::string_view word) {
    return word.size() >= kMinWordLength && word.size() <= kMaxWordLength &&
           std::all_of(word.begin(), word.end(), [](char c) { return isBoardLetter(static_cast<std::uint8_t>(c)); });
}

}  // namespace

bool isPlayableBoard(int width, int height) {
    return std::any_of(kLevels.begin(), kLevels.end(),
                       [&](const Level& l) { return l.width == width && l.height == height; });
}

bool isBoardLetter(std::uint8_t byte) {
    const bool latinLetter = byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;  // À to ÿ, not × and ÷
    return (byte > 0x20 && byte < 0x7F && byte != ',') || latinLetter;
}

std::string foundWordsText(const GameData& game) {
    std::string text;
    for (const std::string& word : game.foundWords()) {
        text += word;
        text += ',';
    }
    return text;
}

SavedGameStatus splitFoundWords(std::string_view text, std::int32_t count, std::vector<std::string>& words) {
    words.clear();
    if (count < 0 || count > kMaxStoredFoundWords) return SavedGameStatus::BadCounters;
    std::set<std::string_view> seen;
    std::size_t start = 0;
    while (static_cast<std::int32_t>(words.size()) < count) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            // Fewer commas than the count says: keep the words there are.
            start = text.size();
            break;
        }
        const std::string_view word = text.substr(start, comma - start);
        if (!isFoundWord(word) || !seen.insert(word).second) return SavedGameStatus::BadFoundWords;
        words.emplace_back(word);
        start = comma + 1;
    }
    if (static_cast<std::int32_t>(words.size()) == count && start != text.size())
        return SavedGameStatus::BadFoundWords;  // more text than the count says
    return SavedGameStatus::Loaded;
}

std::optional<PuzzleNumber> savedPuzzleNumber(std::string_view text, const SavedGame& saved) {
    if (saved.gameMode != GameMode::Classic) return std::nullopt;
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    const std::optional<PuzzleNumber> number = parsePuzzleNumber(text);
    if (!number || number->width != saved.gridWidth || number->height != saved.gridHeight) return std::nullopt;
    return number;
}

std::string puzzleNumberRecord(const GameData& game) {
    if (game.gameMode() != GameMode::Classic || !game.puzzleSeed()) return {};
    return puzzleNumberText(PuzzleNumber{game.gridWidth(), game.gridHeight(), *game.puzzleSeed(), game.language()});
}

SavedGameStatus checkSavedState(const SavedGame& saved) {
    if (!isPlayableBoard(saved.gridWidth, saved.gridHeight)) return SavedGameStatus::BadBoard;
    if (saved.letters.size() != static_cast<std::size_t>(saved.gridWidth * saved.gridHeight) ||
        !std::all_of(saved.letters.begin(), saved.letters.end(), isBoardLetter))
        return SavedGameStatus::BadLetters;
    switch (saved.gameMode) {
        case GameMode::Classic:
            if (saved.arcadeLevel < 0 || saved.arcadeLevel > kLevelCount) return SavedGameStatus::BadMode;
            break;
        case GameMode::Arcade: {
            // An Arcade game is always played on its level's board.
            if (saved.arcadeLevel < 1 || saved.arcadeLevel > kLevelCount) return SavedGameStatus::BadMode;
            const Level& l = level(saved.arcadeLevel);
            if (l.width != saved.gridWidth || l.height != saved.gridHeight) return SavedGameStatus::BadMode;
            // A level ends when its clock reaches 0, so a game in progress has time left.
            if (saved.timeLeft < 1 || saved.timeLeft > kLevelTime) return SavedGameStatus::BadCounters;
            if (saved.levelScore < 0 || saved.levelScore > saved.score) return SavedGameStatus::BadCounters;
            break;
        }
        default: return SavedGameStatus::BadMode;
    }
    if (saved.score < 0 || saved.score > kMaxScore) return SavedGameStatus::BadCounters;
    return SavedGameStatus::Loaded;
}

SavedGameStatus checkSavedScores(const SavedGame& saved) {
    std::int64_t points = 0;
    for (const std::string& word : saved.foundWords) points += wordPoints(static_cast<int>(word.size()));
    if (saved.gameMode == GameMode::Classic)
        return points == saved.score ? SavedGameStatus::Loaded : SavedGameStatus::BadScore;
    if (points != saved.levelScore || saved.levelScore > saved.score) return SavedGameStatus::BadScore;
    return SavedGameStatus::Loaded;
}

void applySavedGame(const SavedGame& saved, GameData& game, SolvingData& solvingData) {
    game.setBoard(saved.gridWidth, saved.gridHeight);
    game.setLetters(saved.letters);
    solvingData = saved.solvingData;
    game.restoreCounters(saved.gameMode, saved.arcadeLevel, saved.score, saved.levelScore, saved.timeLeft);
    game.restoreFoundWords(saved.foundWords);
    game.setPuzzleSeed(saved.puzzleNumber ? std::optional<int>(saved.puzzleNumber->seed) : std::nullopt);
}

}  // namespace game::persistence
