// Linking letters on the board: which cell a press hits, and how a press changes the chain of
// linked letters. Positions are play-surface pixels; the board's origin is given by the caller.
#pragma once

#include <optional>

#include "game/play/game_data.h"

namespace game::linking {

// A press counts for a cell only within this distance of its centre, rounded to a whole pixel.
constexpr int kPressRadius = 19;

// The cell (1-based) that a press at (x, y) hits on a board whose top-left corner is at
// (originX, originY); nullopt when it is off the board or farther than kPressRadius from the
// nearest cell centre (cell corners and the borders between cells).
std::optional<int> cellAt(const GameData& g, int originX, int originY, double x, double y);

// True when b is one of the eight neighbours of a on the board (no wrapping at the edges).
bool adjacent(const GameData& g, int a, int b);

// What a press on a cell did to the chain.
enum class Press {
    Started,   // the first letter of a new chain
    Linked,    // a neighbour of the last letter joined the chain
    Unlinked,  // the last letter was pressed again and left the chain
    Submit,    // the right button on the last letter: the word goes to enterClicked
    Ignored,   // a letter of the chain other than the last, not a neighbour, or the chain is full
};

// Applies a press with a mouse button (1 left, 2 right, 4 middle) on cell to the chain.
Press pressCell(GameData& g, int cell, int button);

}  // namespace game::linking
