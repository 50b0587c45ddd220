// The program's icon, which every window of the game shows: a linked board tile bearing the title's
// initial on the panel blue.
#pragma once

#include <memory>

namespace platform {
class Graphics;
class Surface;
}  // namespace platform

namespace game::ui {

class SpriteSheet;

constexpr int kIconSize = 48;

// The icon drawn at kIconSize pixels; null when the sprite sheet is missing.
std::unique_ptr<platform::Surface> drawProgramIcon(platform::Graphics& graphics, const SpriteSheet& sheet);

}  // namespace game::ui
