// The program's icon: one linked board tile, scaled from its look at the window icon's size.
#include "game/ui/program_icon.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "game/ui/draw.h"
#include "game/ui/frm_play.h"
#include "game/ui/layout.h"
#include "game/ui/palette.h"

namespace game::ui {

namespace {
// At the window icon's size: the board's tile (a cell less its margins) centred, and its letter.
constexpr int kTileAt48 = layout::kTileSize;
constexpr double kPointsAt48 = 21;
static_assert(kWindowIconSize == 48);
}  // namespace

std::unique_ptr<platform::Surface> drawProgramIcon(platform::Graphics& graphics, const SpriteSheet& sheet, int size) {
    if (sheet.empty() || size < 1) return nullptr;
    // The window's icon: one linked tile of a one-cell board, exactly as the board draws it.
    auto icon = graphics.createSurface(kWindowIconSize, kWindowIconSize);
    fillSurface(*icon, brPanel);
    icon->setFont({window::kPlayFont, kPointsAt48, true});
    GameData tile;
    tile.setBoard(1, 1);
    tile.setLetters({static_cast<std::uint8_t>(window::kTitle[0])});
    BoxInfo board;
    board.surface = icon.get();
    board.wid = kWindowIconSize;
    board.ht = (kWindowIconSize - kTileAt48) / 2;
    drawTile(sheet, board, tile, 1, true);
    if (size == kWindowIconSize) return icon;

    // Other sizes: the tile's picture (the sheet has it at one size only) stretched over the
    // scaled tile, and the letter drawn afresh at the scaled size so that it stays sharp.
    const double scale = static_cast<double>(size) / kWindowIconSize;
    const int margin = static_cast<int>(std::lround(board.ht * scale));
    const int shift = std::max(1, static_cast<int>(std::lround(2 * scale)));
    auto scaled = graphics.createSurface(size, size);
    fillSurface(*scaled, brPanel);
    auto plain = graphics.createSurface(kTileAt48, kTileAt48);
    fillSurface(*plain, brPanel);
    blitTile(sheet, *plain, 0, 0, kTileAt48, Sprite::TileLinked);
    scaled->stretchBlt(margin, margin, size - 2 * margin, size - 2 * margin, *plain, 0, 0, kTileAt48, kTileAt48);
    scaled->setFont({window::kPlayFont, kPointsAt48 * scale, true});
    const std::string_view letter(window::kTitle, 1);
    platform::Rect r{margin, margin, size - margin, size - margin};
    scaled->setTextColor(clrShadow);
    scaled->drawText(letter, r, kCaptionFlags);
    r.left += shift;
    r.top -= shift;
    scaled->setTextColor(clrTileLinked);
    scaled->drawText(letter, r, kCaptionFlags);
    return scaled;
}

}  // namespace game::ui
