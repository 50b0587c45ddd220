// Shared pieces of the drawing tests: a synthetic sprite sheet whose regions can be told apart pixel
// by pixel, small picture queries, PNG snapshots and golden-image comparison.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/play/game_data.h"
#include "game/ui/box_info.h"
#include "game/ui/sprite_sheet.h"
#include "platform/pixel_surface.h"

namespace uitest {

using platform::Color;
using platform::PixelSurface;
using platform::Rect;
using platform::rgb;

// Colours of the synthetic sheet.
constexpr Color kGap = rgb(255, 0, 255);  // everything outside the regions
constexpr Color kTilePlainBody = rgb(30, 120, 60);
constexpr Color kTileLinkedBody = rgb(200, 90, 20);
constexpr Color kTextureQuadrant[4] = {rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(10, 11, 12)};
// The bars encode their source column so a test can tell which sheet pixel a bar pixel came from.
constexpr Color barEmptyColumn(int c) { return rgb(c & 0xFF, 0x40 | (c >> 8), 0x11); }
constexpr Color barFullColumn(int c) { return rgb(c & 0xFF, 0x80 | (c >> 8), 0x22); }
// Solid colour of a sprite region (title, icons, arrow bars).
Color solidColor(game::ui::Sprite s);
// True for the tile pixels the silhouette leaves out (three-pixel corner triangles).
bool tileCorner(int x, int y);

// A 283 x 232 sheet following the region map with the colours above.
std::unique_ptr<PixelSurface> makeSyntheticPicture();
game::ui::SpriteSheet makeSyntheticSheet();
// The real sheet from the program folder when it has been built, else the synthetic one.
game::ui::SpriteSheet realOrSyntheticSheet(bool* isReal = nullptr);

// A surface with the play surface's font (bold serif) at the given size.
std::unique_ptr<PixelSurface> makeSurface(int w, int h, Color fill, double points = 14);

int countColor(const platform::Surface& s, const Rect& r, Color c);
// Pixels in r that differ from c.
int countOther(const platform::Surface& s, const Rect& r, Color c);
bool sameImage(const platform::Surface& a, const platform::Surface& b);

// A board of the given letters (row by row) with nothing linked.
game::GameData makeBoard(int width, int height, const std::string& letters);
game::ui::BoxInfo boardBox(platform::Surface* s, int x, int y);

// Reads an 8-bit RGB PNG (as savePng writes it); empty surface when unreadable.
PixelSurface loadPng(const std::string& path);

// Compares s with tests/game/ui/golden/<name>.png. Outside textAreas every pixel must match
// exactly; inside them (anti-aliased glyphs, which may differ between font versions) at most
// 15 % of the pixels may differ by more than 64 in a channel. With VARNOOK_UPDATE_GOLDEN=1 the
// golden is rewritten instead. Returns an empty string on success, else what differed.
std::string compareWithGolden(const platform::Surface& s, const std::string& name, const std::vector<Rect>& textAreas);

}  // namespace uitest
