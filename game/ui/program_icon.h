// The program's icon: a linked board tile bearing the title's initial on the panel blue, drawn at
// any size from the sprite sheet. The windows show it at 48 pixels; the desktop icons are made from
// the same drawing.
#pragma once

#include <memory>

#include "game/ui/sprite_sheet.h"
#include "platform/graphics.h"

namespace game::ui {

// The size of the icon that every window of the game shows.
constexpr int kWindowIconSize = 48;

// The icon, size x size pixels; null when the sprite sheet is missing or size is below 1.
std::unique_ptr<platform::Surface> drawProgramIcon(platform::Graphics& graphics, const SpriteSheet& sheet, int size);

}  // namespace game::ui
