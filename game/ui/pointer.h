// Where the pointer is, in the game's terms: the board cell a press hits, the word-list row under
// the pointer, and what a mouse button means for a press on a letter. Positions are play-surface
// pixels; the regions' places are given by the caller.
#pragma once

#include <optional>

#include "game/play/game_data.h"
#include "game/play/linking.h"

namespace game::ui {

// A press counts for a cell only within this distance of its centre, rounded to a whole pixel.
constexpr int kPressRadius = 19;

// The cell (1-based) that a press at (x, y) hits on a board whose top-left corner is at
// (originX, originY); nullopt when it is off the board or farther than kPressRadius from the
// nearest cell centre (cell corners and the borders between cells).
std::optional<int> cellAt(const GameData& g, int originX, int originY, double x, double y);

// The right button submits the chain's word from its last letter; the others link and unlink.
linking::PressKind pressKind(int button);

// Geometry of the list box as drawWordList fills it: left edge, top edge, the text indent (its
// right edge is left + 8 x indent) and the line pitch.
struct ListArea {
    int x = 0;
    int y = 0;
    int indent = 15;
    int pitch = 20;
};

// The list index under the pointer: inside the filled box (bounds included), row =
// (y - top) rounded to a whole pixel, div pitch; index = top word + row. nullopt outside the box.
std::optional<int> listIndexAt(const ListArea& area, int topWord, double x, double y);

}  // namespace game::ui
