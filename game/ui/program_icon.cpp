// The program's icon: one linked tile of the board, drawn as the board draws it.
#include "game/ui/program_icon.h"

#include "game/play/game_data.h"
#include "game/ui/draw.h"
#include "game/ui/frm_play.h"
#include "game/ui/palette.h"
#include "game/ui/sprite_sheet.h"

namespace game::ui {

std::unique_ptr<platform::Surface> drawProgramIcon(platform::Graphics& graphics, const SpriteSheet& sheet) {
    if (sheet.empty()) return nullptr;
    constexpr int kIconMargin = (kIconSize - layout::kTileSize) / 2;  // a board tile, centred
    constexpr double kIconPoints = 21;
    auto icon = graphics.createSurface(kIconSize, kIconSize);
    fillSurface(*icon, brPanel);
    icon->setFont({window::kPlayFont, kIconPoints, true});
    // A one-cell board whose only tile is linked.
    GameData tile;
    tile.setBoard(1, 1);
    tile.gridLetters[1] = static_cast<std::uint8_t>(window::kTitle[0]);
    BoxInfo board;
    board.hdc = icon.get();
    board.wid = kIconSize;
    board.ht = kIconMargin;
    drawTile(sheet, board, tile, 1, true);
    return icon;
}

}  // namespace game::ui
