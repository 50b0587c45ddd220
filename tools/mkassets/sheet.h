// The sprite sheet "ALLPICDATA.BMP": where each picture lies in it and the painter that draws them all.
#pragma once

#include <array>
#include <string_view>

#include "raster.h"

namespace varnook::assets {

struct SheetRegion {
    std::string_view name;
    int left, top, width, height;
};

namespace sheet {

inline constexpr int kWidth = 283;
inline constexpr int kHeight = 232;
inline constexpr int kTile = 40;  // board pitch 44 less twice the 2-pixel tile margin

inline constexpr SheetRegion kTileMask{"tile mask", 0, 0, kTile, kTile};
inline constexpr SheetRegion kTilePlain{"tile", 41, 0, kTile, kTile};
inline constexpr SheetRegion kTileLinked{"linked tile", 82, 0, kTile, kTile};
inline constexpr SheetRegion kTexture{"texture", 179, 0, 34, 34};
inline constexpr SheetRegion kBarEmpty{"progress bar, empty", 0, 44, 283, 18};
inline constexpr SheetRegion kBarFull{"progress bar, full", 0, 63, 283, 18};
inline constexpr SheetRegion kTitle{"title picture", 0, 85, 195, 105};
inline constexpr SheetRegion kSoundOn{"sound on", 196, 85, 32, 32};
inline constexpr SheetRegion kSoundOnLit{"sound on, highlighted", 229, 85, 32, 32};
inline constexpr SheetRegion kSoundOff{"sound off", 196, 118, 32, 32};
inline constexpr SheetRegion kSoundOffLit{"sound off, highlighted", 229, 118, 32, 32};
inline constexpr SheetRegion kUpBar{"up arrow bar", 0, 191, 120, 20};
inline constexpr SheetRegion kUpBarLit{"up arrow bar, highlighted", 121, 191, 120, 20};
inline constexpr SheetRegion kDownBar{"down arrow bar", 0, 212, 120, 20};
inline constexpr SheetRegion kDownBarLit{"down arrow bar, highlighted", 121, 212, 120, 20};

inline constexpr std::array kAllRegions{kTileMask,    kTilePlain, kTileLinked, kTexture,    kBarEmpty,
                                        kBarFull,     kTitle,     kSoundOn,    kSoundOnLit, kSoundOff,
                                        kSoundOffLit, kUpBar,     kUpBarLit,   kDownBar,    kDownBarLit};

// The game's surfaces the pictures are copied onto: tiles, bar, icons and arrow bars land on the play
// blue; the title picture on the panel blue of the menu.
inline constexpr Rgb kPlayBlue{150, 150, 240};
inline constexpr Rgb kPanelBlue{51, 68, 140};
// Letter colours the game draws on the tiles (with a black shadow).
inline constexpr Rgb kLetterPlain{240, 240, 100};
inline constexpr Rgb kLetterLinked{250, 250, 0};
// Fill of the sheet outside every region (never copied by the game).
inline constexpr Rgb kUnused{36, 36, 48};

}  // namespace sheet

// Paints the whole sheet. The tile pictures are white exactly where the mask is black, so copying the
// mask with OR and then a picture with AND leaves every pixel outside the tile's silhouette unchanged.
Image makeSpriteSheet();

}  // namespace varnook::assets
