// The board press: hit test by distance from a cell centre, linking, unlinking, submitting.
#include "game/play/linking.h"

#include <cmath>

#include "game/play/flow.h"

namespace game::linking {

namespace {
constexpr int kHalfCell = kCellSize / 2;
constexpr int kRightButton = 2;
}  // namespace

std::optional<int> cellAt(const GameData& g, int originX, int originY, double x, double y) {
    const double bx = x - originX;
    const double by = y - originY;
    // The column is floor(x' - 0.5) divided by the pitch, truncated toward zero (C++ division).
    const int column = static_cast<int>(std::floor(bx - 0.5)) / kCellSize;
    const int row = static_cast<int>(std::floor(by - 0.5)) / kCellSize;
    if (!g.inGrid(column, row)) return std::nullopt;

    const int dx = static_cast<int>(flow::roundHalfEven(column * kCellSize + kHalfCell - bx));
    const int dy = static_cast<int>(flow::roundHalfEven(row * kCellSize + kHalfCell - by));
    // 380 lies between 19 x 19 and 20 x 20: a rounded distance of at most 19 pixels.
    constexpr int kMaxSquare = kPressRadius * kPressRadius + kPressRadius;
    if (dx * dx + dy * dy > kMaxSquare) return std::nullopt;
    return g.cellIndex(column, row);
}

bool adjacent(const GameData& g, int a, int b) {
    const int c0 = g.cellX(a);
    const int r0 = g.cellY(a);
    const int c1 = g.cellX(b);
    const int r1 = g.cellY(b);
    for (std::size_t i = 0; i < kDirX.size(); ++i) {
        const int c = c0 + kDirX[i];
        const int r = r0 + kDirY[i];
        if (g.inGrid(c, r) && c == c1 && r == r1) return true;
    }
    return false;
}

Press pressCell(GameData& g, int cell, int button) {
    if (!g.cellSelected.contains(cell)) return Press::Ignored;

    if (g.curWordLen == 0) {
        g.curPath[1] = static_cast<std::int16_t>(cell);
        g.curWordLen = 1;
        g.cellSelected[cell] = 1;
        return Press::Started;
    }

    const int last = g.curPath[g.curWordLen];
    if (cell == last) {
        if (button == kRightButton) return Press::Submit;
        g.curWordLen -= 1;
        g.cellSelected[cell] = 0;
        return Press::Unlinked;
    }

    if (g.cellSelected[cell] == 1) return Press::Ignored;
    if (!adjacent(g, last, cell) || g.curWordLen >= kMaxWordLen) return Press::Ignored;

    g.curWordLen += 1;
    g.cellSelected[cell] = 1;
    g.curPath[g.curWordLen] = static_cast<std::int16_t>(cell);
    return Press::Linked;
}

}  // namespace game::linking
