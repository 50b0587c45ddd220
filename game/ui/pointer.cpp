// Hit tests of the board and the word list, and the meaning of the mouse buttons.
#include "game/ui/pointer.h"

#include <cmath>

#include "game/play/flow.h"
#include "game/ui/layout.h"
#include "platform/window.h"

namespace game::ui {

std::optional<int> cellAt(const GameData& g, int originX, int originY, double x, double y) {
    const double bx = x - originX;
    const double by = y - originY;
    // The column is floor(x' - 0.5) divided by the pitch, truncated toward zero (C++ division).
    const int column = static_cast<int>(std::floor(bx - 0.5)) / kCellSize;
    const int row = static_cast<int>(std::floor(by - 0.5)) / kCellSize;
    if (!g.inGrid(column, row)) return std::nullopt;

    const int dx = static_cast<int>(flow::roundHalfEven(column * kCellSize + layout::kHalfCell - bx));
    const int dy = static_cast<int>(flow::roundHalfEven(row * kCellSize + layout::kHalfCell - by));
    // 380 lies between 19 x 19 and 20 x 20: a rounded distance of at most 19 pixels.
    constexpr int kMaxSquare = kPressRadius * kPressRadius + kPressRadius;
    if (dx * dx + dy * dy > kMaxSquare) return std::nullopt;
    return g.cellIndex(column, row);
}

linking::PressKind pressKind(int button) {
    return button == platform::mouse::kRight ? linking::PressKind::Submit : linking::PressKind::Link;
}

std::optional<int> listIndexAt(const ListArea& area, int topWord, double x, double y) {
    if (area.pitch <= 0) return std::nullopt;
    if (x < area.x || x > area.x + layout::kListWidthUnits * area.indent) return std::nullopt;
    if (y < area.y || y > area.y + layout::kListRows * area.pitch) return std::nullopt;
    const int offset = static_cast<int>(flow::roundHalfEven(y - area.y));
    return topWord + offset / area.pitch;
}

}  // namespace game::ui
