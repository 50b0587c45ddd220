// The current puzzle, its word tables, the chain of linked letters and the state of the game being
// played: everything the rules, the drawing and the saved game read and change.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/play/one_based.h"

namespace game {

// The board pitch in pixels and the layout unit of every window.
constexpr int kCellSize = 44;
// Longest chain the player can link, and longest path the results display loads.
constexpr int kMaxLinked = 7;
constexpr int kMaxPath = 9;
constexpr int kLevelCount = 10;

enum class GameMode : std::int16_t { Classic = 1, Arcade = 2 };

struct Level {
    std::int16_t width;
    std::int16_t height;
    std::int32_t target;
};

// Board sizes of both modes and the Arcade targets, by level 1..10.
constexpr std::array<Level, kLevelCount> kLevels{{
    {6, 6, 125},
    {6, 5, 175},
    {5, 5, 225},
    {5, 5, 250},
    {6, 4, 300},
    {5, 4, 325},
    {5, 4, 350},
    {5, 4, 375},
    {4, 4, 400},
    {4, 4, 425},
}};

constexpr const Level& level(int n) { return kLevels[static_cast<std::size_t>(n - 1)]; }

// Points of a word of len letters.
constexpr int wordPoints(int len) { return len * (len + 1) / 2; }

// The solution words of one length, as the engine listed them (upper case, ascending byte order).
struct WordList {
    std::int32_t count = 0;
    std::int32_t sizeIndex = 0;  // word length - 1
    OneBased<std::string> words;
    OneBased<std::vector<std::uint8_t>> paths;  // 0-based cell index of each letter
};

struct GameData {
    // Board. Cells are numbered from 1, row by row.
    std::int16_t gridWidth = 6;
    std::int16_t gridHeight = 6;
    std::int16_t numCells = 36;
    OneBased<std::uint8_t> gridLetters;
    OneBased<std::uint8_t> cellSelected;

    // The chain of linked letters: curPath[1..curWordLen] are 1-based cell indices.
    std::array<std::int16_t, kMaxPath + 2> curPath{};
    std::int16_t curWordLen = 0;

    // Solution tables: wordLists[k] holds the words of k + 1 letters, k = 1..9.
    std::array<WordList, 10> wordLists{};
    std::int32_t numSolutionWords = 0;
    std::int32_t targetPoints = 0;
    OneBased<std::string> allSolutionWords;

    // Words the player has found, kept sorted (shorter words first, then alphabetically, any case).
    OneBased<std::string> foundWords;
    std::int32_t numFoundWords = 0;
    // First word shown in the word-list box (13 rows).
    std::int16_t foundListTop = 1;

    // The game being played.
    GameMode gameMode = GameMode::Classic;
    std::int32_t score = 0;
    std::int32_t levelScore = 0;
    std::int16_t arcadeLevel = 1;
    std::int32_t timeLeft = 0;  // tenths of a second
    bool levelQualified = false;

    // Cell helpers.
    int cellIndex(int x, int y) const { return x + y * gridWidth + 1; }
    int cellX(int i) const { return (i - 1) % gridWidth; }
    int cellY(int i) const { return (i - 1) / gridWidth; }
    bool inGrid(int x, int y) const { return x >= 0 && x <= gridWidth - 1 && y >= 0 && y <= gridHeight - 1; }
};

// Neighbour steps as (column step, row step), in the order that decides paths and puzzles.
constexpr std::array<int, 8> kDirX{1, 0, -1, 0, 1, 1, -1, -1};
constexpr std::array<int, 8> kDirY{0, 1, 0, -1, 1, -1, -1, 1};

}  // namespace game
