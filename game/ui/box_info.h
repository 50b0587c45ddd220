// One drawable region of a surface (BoxInfo) and the strict point-in-region test.
#pragma once

#include <cstdint>

#include "platform/graphics.h"

namespace game::ui {

// A region of a surface with the tools it is drawn with. It owns nothing: the surface belongs to
// its window, brushes and pens are palette values.
struct BoxInfo {
    platform::Surface* hdc = nullptr;
    std::int32_t x = 0;
    std::int32_t y = 0;
    // Board and word strip: the cell pitch. Word list: the text indent and the row height.
    std::int32_t wid = 0;
    // Board and word strip: the tile margin. Word list: the line pitch.
    std::int32_t ht = 0;
    bool hover = false;  // drawn in its highlighted look
    platform::Brush brush{};
    platform::Pen pen{};
    platform::Color textColor = 0;
    // Meaning fixed by the region's user: the sound icon's kind, the open/closed state of the
    // statistics toggle.
    std::int32_t state = 0;
};

// True when (x, y) lies strictly inside the region; a point on any border line belongs to none.
constexpr bool hitTest(const BoxInfo& box, double x, double y) {
    return box.x < x && x < box.x + box.wid && box.y < y && y < box.y + box.ht;
}

}  // namespace game::ui
