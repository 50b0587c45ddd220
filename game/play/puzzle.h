// Making the current puzzle through the engine: a fresh one from a seed (newPuzzle) or the one of a
// saved game rebuilt from its letters (restorePuzzle), and the game's word tables read back from it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "game/play/game_data.h"

namespace game {

class EngineLibrary;

// The neighbour steps in the layout the engine takes: eight (dx, dy) pairs, in table order.
constexpr std::array<std::int32_t, 16> engineDirs() {
    std::array<std::int32_t, 16> dirs{};
    for (std::size_t i = 0; i < 8; ++i) {
        dirs[2 * i] = kDirX[i];
        dirs[2 * i + 1] = kDirY[i];
    }
    return dirs;
}

// The seed of a new puzzle from a uniform r in [0, 1): r x 10000 rounded half to even.
int puzzleSeed(double r);

// A fresh puzzle on a board of width x height from seed: letters, solution tables and targetPoints
// (capped by the level target in Arcade Mode), and the seed kept. Found words and the chain are
// emptied.
void newPuzzle(GameData& g, EngineLibrary& engine, int width, int height, int seed);

// Reads a saved game into g: the board (through setBoard) and its letters, the mode, the scores,
// the found words, the seed when it was kept. Supplied by the saved-game records.
using LoadSavedGame = std::function<void(GameData&)>;

// The saved game's puzzle: loadSavedGame fills the board and the stored state, the engine solves
// the stored letters, and the word tables are read back as for a new puzzle. False, with no
// puzzle made, when the stored board size is not a usable board (a damaged record).
bool restorePuzzle(GameData& g, EngineLibrary& engine, const LoadSavedGame& loadSavedGame);

// True when seed makes exactly the letters of g's board (same size, same dictionary). The engine's
// lists are freed again; g is not changed.
bool puzzleMadeFrom(const GameData& g, EngineLibrary& engine, int seed);

// After a saved game's puzzle has been rebuilt: true when every found word is a solution word of it.
bool foundWordsAreSolutions(const GameData& g);

// Fills allSolutionWords with the solution words of 3 to 9 letters: by length, then in list order.
void buildAllSolutionWords(GameData& g);

}  // namespace game
