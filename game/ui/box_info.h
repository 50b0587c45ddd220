// One drawable region of a surface (BoxInfo) and the strict point-in-region test.
#pragma once

#include <cstdint>

#include "platform/graphics.h"

namespace game::ui {

// A region of a surface with the tools it is drawn with. It owns nothing: the surface belongs to
// its window, brushes and pens are palette values.
struct BoxInfo {
    platform::Surface* surface = nullptr;
    std::int32_t x = 0;
    std::int32_t y = 0;
    // wid and ht are the width and height in pixels (hitTest, boxRect, sprite buttons), except in
    // three regions that are never hit-tested and keep drawing measures here instead:
    //   board and word strip: wid = the cell pitch, ht = the tile margin;
    //   word list: wid = the text indent and the height of a word's row, ht = the line pitch.
    std::int32_t wid = 0;
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
