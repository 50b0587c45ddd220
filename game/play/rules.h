// The fixed numbers of the game's rules, each in one place: word lengths and points, the level
// table, the Arcade clock, the found list's rows, the puzzle seeds and the board limit.
#pragma once

#include <array>
#include <cstdint>

#include "qxdll.h"

namespace game {

// The application title: the main window's caption, the caption of every message box, and a part of
// the settings key.
constexpr const char* kAppTitle = "Varnook";

enum class GameMode : std::int16_t { Classic = 1, Arcade = 2 };

// A word is linked from 3 to 7 letters; the results display shows solution paths of up to 9.
constexpr int kMinWordLen = 3;
constexpr int kMaxWordLen = 7;
constexpr int kMaxPath = 9;
// The engine lists solution words of up to 10 letters (list k holds words of k + 1 letters).
constexpr int kFirstList = 1;
constexpr int kLastList = 9;

// Points of a word of len letters: 1 + 2 + ... + len.
constexpr int wordPoints(int len) { return len * (len + 1) / 2; }

// No score reaches this: a whole Arcade run earns a few tens of thousands of points at most. Scores
// read from the store are refused above it, and scores stop growing at it.
constexpr std::int32_t kMaxScore = 1'000'000;

// Adds points to a score, which stops at kMaxScore.
constexpr std::int32_t addPoints(std::int32_t score, std::int32_t points) {
    const std::int64_t sum = static_cast<std::int64_t>(score) + points;
    return static_cast<std::int32_t>(sum > kMaxScore ? kMaxScore : sum);
}

// The found-word list box shows this many words at a time.
constexpr int kListRows = 13;

// The Arcade countdown: one tick every 100 ms, five minutes per level, in tenths of a second.
constexpr int kCountdownMs = 100;
constexpr std::int32_t kLevelTime = 3000;

// Puzzle seeds run from 0 to this value.
constexpr int kMaxPuzzleSeed = 10000;

// The largest board the engine gives exact paths for.
constexpr int kMaxCells = QXDLL_MAX_CELLS;

struct Level {
    std::int16_t width;
    std::int16_t height;
    std::int32_t target;
};

// Board sizes of both modes and the Arcade targets, by level 1..10. Classic Mode takes its board
// sizes from rows 1..9.
constexpr int kLevelCount = 10;
constexpr int kClassicRows = 9;
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

// Neighbour steps as (column step, row step), in the order that decides paths and puzzles.
constexpr std::array<int, 8> kDirX{1, 0, -1, 0, 1, 1, -1, -1};
constexpr std::array<int, 8> kDirY{0, 1, 0, -1, 1, -1, -1, 1};

}  // namespace game
