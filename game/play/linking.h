// Linking letters on the board: how a press on a cell changes the chain of linked letters.
#pragma once

#include "game/play/game_data.h"

namespace game::linking {

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

// How a press was made: a submitting press (the right mouse button) on the chain's last letter
// submits the word; otherwise it acts as any other press.
enum class PressKind { Link, Submit };

// Applies a press on cell to the chain.
Press pressCell(GameData& g, int cell, PressKind kind);

}  // namespace game::linking
