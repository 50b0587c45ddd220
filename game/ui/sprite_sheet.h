// The sprite sheet ALLPICDATA.BMP: the map of its regions and the loaded picture that every tile,
// bar, icon and texture is copied from.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>

#include "platform/graphics.h"

namespace game::ui {

constexpr const char* kSheetFileName = "ALLPICDATA.BMP";
// The sheet must be at least this large for every region to be present.
constexpr int kSheetMinWidth = 283;
constexpr int kSheetMinHeight = 232;

// The regions of the sheet, one entry each: name, left, top, width, height. The enumeration Sprite
// and the table of regions are made from this list.
#define VARNOOK_SPRITES(X)                                                       \
    X(TileMask, 0, 0, 40, 40)    /* the tile's silhouette, white on black: OR */ \
    X(TilePlain, 41, 0, 40, 40)  /* the tile picture on white: AND */            \
    X(TileLinked, 82, 0, 40, 40) /* the linked-tile picture on white: AND */     \
    X(Texture, 179, 0, 34, 34)   /* dialog background, stretched */              \
    X(BarEmpty, 0, 44, 283, 18)                                                  \
    X(BarFull, 0, 63, 283, 18)                                                   \
    X(Title, 0, 85, 195, 105)                                                    \
    X(SoundOn, 196, 85, 32, 32)                                                  \
    X(SoundOnHi, 229, 85, 32, 32)                                                \
    X(SoundOff, 196, 118, 32, 32)                                                \
    X(SoundOffHi, 229, 118, 32, 32)                                              \
    X(UpBar, 0, 191, 120, 20)                                                    \
    X(UpBarHi, 121, 191, 120, 20)                                                \
    X(DownBar, 0, 212, 120, 20)                                                  \
    X(DownBarHi, 121, 212, 120, 20)

enum class Sprite {
#define VARNOOK_SPRITE_NAME(name, left, top, width, height) name,
    VARNOOK_SPRITES(VARNOOK_SPRITE_NAME)
#undef VARNOOK_SPRITE_NAME
};

struct SheetRegion {
    int left;
    int top;
    int width;
    int height;
};

// Where each sprite lies in the sheet, in the order of the Sprite enumeration.
constexpr SheetRegion kSheetRegions[] = {
#define VARNOOK_SPRITE_REGION(name, left, top, width, height) {left, top, width, height},
    VARNOOK_SPRITES(VARNOOK_SPRITE_REGION)
#undef VARNOOK_SPRITE_REGION
};
constexpr std::size_t kSpriteCount = std::size(kSheetRegions);

constexpr const SheetRegion& region(Sprite s) { return kSheetRegions[static_cast<std::size_t>(s)]; }

// The loaded sheet. An empty sheet (missing or unreadable file) draws nothing where sprites go;
// text, fills and frames are unaffected.
class SpriteSheet {
public:
    SpriteSheet() = default;
    explicit SpriteSheet(std::unique_ptr<platform::Surface> picture) : picture_(std::move(picture)) {}

    bool empty() const { return !picture_ || picture_->width() == 0 || picture_->height() == 0; }
    const platform::Surface* surface() const { return picture_.get(); }

    // Copies w x h pixels of the sprite, starting (dxIn, dyIn) into its region, to (x, y) of dst.
    void blit(platform::Surface& dst, int x, int y, int w, int h, Sprite s, platform::Rop rop, int dxIn = 0,
              int dyIn = 0) const;
    // Stretches the whole sprite region over (x, y, w, h) of dst.
    void stretch(platform::Surface& dst, int x, int y, int w, int h, Sprite s) const;

private:
    std::unique_ptr<platform::Surface> picture_;
};

// Loads appPath followed by ALLPICDATA.BMP. A missing file gives an empty sheet and no message.
// (The palette is a set of constants and needs no creating.)
SpriteSheet initGraphics(platform::Graphics& graphics, const std::string& appPath);

}  // namespace game::ui
