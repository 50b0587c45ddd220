// The real puzzle engine from the program folder, loaded once for every test of the rules, and a
// helper that makes boards of known letters without it.
#pragma once

#include <string>

#include "game/play/engine_library.h"
#include "game/play/game_data.h"

namespace playtest {

// The engine library of the build with DEFAULT.DICT loaded; the test fails if it is missing.
game::EngineLibrary& engine();

// A board of the given letters (row by row), nothing linked, no solution words.
game::GameData board(int width, int height, const std::string& letters);

// Adds a solution word of word.size() letters (upper case) with its 1-based cells.
void addSolution(game::GameData& g, const std::string& word, std::initializer_list<int> cells);

// Links the cells in order, as presses on them would.
void link(game::GameData& g, std::initializer_list<int> cells);

}  // namespace playtest
