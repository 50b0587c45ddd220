// The sprite sheet ALLPICDATA.BMP: the map of its regions and the loaded picture that every tile,
// bar, icon and texture is copied from.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "platform/graphics.h"

namespace game::ui {

constexpr const char* kSheetFileName = "ALLPICDATA.BMP";
// The sheet must be at least this large for every region to be present.
constexpr int kSheetMinWidth = 283;
constexpr int kSheetMinHeight = 232;

enum class Sprite {
    TileMask,    // the tile's silhouette in white on black, combined with OR
    TilePlain,   // tile picture on white, combined with AND
    TileLinked,  // linked-tile picture on white, combined with AND
    Texture,     // dialog background, stretched
    BarEmpty,
    BarFull,
    Title,
    SoundOn,
    SoundOnHi,
    SoundOff,
    SoundOffHi,
    UpBar,
    UpBarHi,
    DownBar,
    DownBarHi,
};
constexpr std::size_t kSpriteCount = 15;

struct SheetRegion {
    int left;
    int top;
    int width;
    int height;
};

// Where each sprite lies in the sheet, in the order of the Sprite enumeration.
constexpr std::array<SheetRegion, kSpriteCount> kSheetRegions{{
    {0, 0, 40, 40},       // TileMask
    {41, 0, 40, 40},      // TilePlain
    {82, 0, 40, 40},      // TileLinked
    {179, 0, 34, 34},     // Texture
    {0, 44, 283, 18},     // BarEmpty
    {0, 63, 283, 18},     // BarFull
    {0, 85, 195, 105},    // Title
    {196, 85, 32, 32},    // SoundOn
    {229, 85, 32, 32},    // SoundOnHi
    {196, 118, 32, 32},   // SoundOff
    {229, 118, 32, 32},   // SoundOffHi
    {0, 191, 120, 20},    // UpBar
    {121, 191, 120, 20},  // UpBarHi
    {0, 212, 120, 20},    // DownBar
    {121, 212, 120, 20},  // DownBarHi
}};

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
