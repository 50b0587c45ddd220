// Layout numbers shared by the drawing operations and the windows' layouts, each in one place.
#pragma once

#include "game/play/rules.h"

namespace game::ui {

// The board pitch in pixels: a press counts for a cell by its distance from the cell's centre, and
// every window is laid out in this unit.
constexpr int kCellSize = 44;

}  // namespace game::ui

namespace game::ui::layout {

constexpr int kUnit = kCellSize;          // 44: the board pitch and every window's layout unit
constexpr int kHalfCell = kCellSize / 2;  // cell centres and the board's margin
constexpr int kTileMargin = 2;            // a tile is the pitch less this margin on each side
constexpr int kTileSize = kCellSize - 2 * kTileMargin;
constexpr int kStripSlots = kMaxWordLen;  // the word strip has a slot per letter of the longest chain
constexpr int kListRows = game::kListRows;
constexpr int kListWidthUnits = 8;  // list box width in units of its text indent
constexpr int kBarWidth = 283;
constexpr int kBarHeight = 18;
constexpr double kBarInset = 12.5;  // the bar centred in a span of seven cells

}  // namespace game::ui::layout
