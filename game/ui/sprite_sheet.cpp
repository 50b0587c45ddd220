// Loading the sprite sheet and copying its regions.
#include "game/ui/sprite_sheet.h"

namespace game::ui {

void SpriteSheet::blit(platform::Surface& dst, int x, int y, int w, int h, Sprite s, platform::Rop rop, int dxIn,
                       int dyIn) const {
    if (!picture_ || w <= 0 || h <= 0) {
        return;
    }
    const SheetRegion& r = region(s);
    dst.bitBlt(x, y, w, h, *picture_, r.left + dxIn, r.top + dyIn, rop);
}

void SpriteSheet::stretch(platform::Surface& dst, int x, int y, int w, int h, Sprite s) const {
    if (!picture_ || w <= 0 || h <= 0) {
        return;
    }
    const SheetRegion& r = region(s);
    dst.stretchBlt(x, y, w, h, *picture_, r.left, r.top, r.width, r.height);
}

SpriteSheet initGraphics(platform::Graphics& graphics, const std::string& appPath) {
    return SpriteSheet(graphics.loadBitmap(appPath + kSheetFileName));
}

}  // namespace game::ui
