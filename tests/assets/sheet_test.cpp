// The sprite sheet: every region where the game copies it from, tiles that composite cleanly with the
// mask, letters that stay readable, highlighted looks brighter than plain ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "sheet.h"

namespace va = varnook::assets;
namespace sh = varnook::assets::sheet;
using va::Rgb;

namespace {

const va::Image& sheetImage() {
    static const va::Image image = va::makeSpriteSheet();
    return image;
}

Rgb pixel(const va::SheetRegion& r, int x, int y) { return sheetImage().at(r.left + x, r.top + y); }

// Relative luminance as used for contrast ratios (sRGB transfer undone).
double luminance(Rgb c) {
    auto lin = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double contrast(Rgb a, Rgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double meanLuminance(const va::SheetRegion& r) {
    double sum = 0;
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) sum += luminance(pixel(r, x, y));
    return sum / (r.width * r.height);
}

// Mean colour of a block inside a region.
Rgb meanColour(const va::SheetRegion& r, int x0, int y0, int w, int h) {
    double s[3] = {0, 0, 0};
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            const Rgb p = pixel(r, x, y);
            s[0] += p.r;
            s[1] += p.g;
            s[2] += p.b;
        }
    }
    const double n = w * h;
    return {std::uint8_t(s[0] / n), std::uint8_t(s[1] / n), std::uint8_t(s[2] / n)};
}

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

}  // namespace

TEST(SpriteSheet, IsLargeEnoughAndEveryRegionFitsWithoutOverlap) {
    const va::Image& img = sheetImage();
    EXPECT_GE(img.width(), 283);
    EXPECT_GE(img.height(), 232);
    for (std::size_t i = 0; i < sh::kAllRegions.size(); ++i) {
        const va::SheetRegion& a = sh::kAllRegions[i];
        EXPECT_GE(a.left, 0) << a.name;
        EXPECT_GE(a.top, 0) << a.name;
        EXPECT_LE(a.left + a.width, img.width()) << a.name;
        EXPECT_LE(a.top + a.height, img.height()) << a.name;
        for (std::size_t j = i + 1; j < sh::kAllRegions.size(); ++j) {
            const va::SheetRegion& b = sh::kAllRegions[j];
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left || a.top + a.height <= b.top ||
                               b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}

// The game copies the mask with OR and a tile picture with AND. Onto any background that must leave
// the pixels outside the silhouette untouched and show the picture's own colours inside it.
TEST(SpriteSheet, MaskThenTileLeavesEverythingOutsideTheSilhouetteUnchanged) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const va::SheetRegion* tile : {&sh::kTilePlain, &sh::kTileLinked}) {
        int inside = 0;
        for (int y = 0; y < sh::kTile; ++y) {
            for (int x = 0; x < sh::kTile; ++x) {
                const Rgb m = pixel(sh::kTileMask, x, y);
                const Rgb p = pixel(*tile, x, y);
                ASSERT_TRUE(m == kWhite || m == kBlack) << "mask must be hard-edged at " << x << "," << y;
                // Exactly where the mask is black the picture is pure white.
                EXPECT_EQ(m == kBlack, p == kWhite) << tile->name << " at " << x << "," << y;
                inside += m == kWhite;
                for (int trial = 0; trial < 4; ++trial) {
                    const Rgb bg{std::uint8_t(byte(rng)), std::uint8_t(byte(rng)), std::uint8_t(byte(rng))};
                    const Rgb ored{std::uint8_t(bg.r | m.r), std::uint8_t(bg.g | m.g), std::uint8_t(bg.b | m.b)};
                    const Rgb out{std::uint8_t(ored.r & p.r), std::uint8_t(ored.g & p.g), std::uint8_t(ored.b & p.b)};
                    EXPECT_EQ(out, m == kBlack ? bg : p);
                }
            }
        }
        // A rounded tile: most of the square, but the corners stay transparent.
        EXPECT_GT(inside, 40 * 40 * 9 / 10) << tile->name;
        EXPECT_LT(inside, 40 * 40) << tile->name;
    }
    EXPECT_EQ(pixel(sh::kTileMask, 0, 0), kBlack);
    EXPECT_EQ(pixel(sh::kTileMask, 39, 39), kBlack);
    EXPECT_EQ(pixel(sh::kTileMask, 20, 0), kWhite);
    EXPECT_EQ(pixel(sh::kTileMask, 20, 20), kWhite);
}

TEST(SpriteSheet, TileFacesKeepTheGamesLettersReadable) {
    const Rgb plainFace = meanColour(sh::kTilePlain, 10, 10, 20, 20);
    const Rgb linkedFace = meanColour(sh::kTileLinked, 10, 10, 20, 20);
    EXPECT_GE(contrast(sh::kLetterPlain, plainFace), 4.5);
    EXPECT_GE(contrast(sh::kLetterLinked, linkedFace), 3.0);
    // The linked tile must be told apart at a glance.
    const double dr = plainFace.r - linkedFace.r, dg = plainFace.g - linkedFace.g, db = plainFace.b - linkedFace.b;
    EXPECT_GT(std::sqrt(dr * dr + dg * dg + db * db), 100.0);
    // And both stand out from the board's background.
    EXPECT_GE(contrast(plainFace, sh::kPlayBlue), 2.5);
    EXPECT_GE(contrast(linkedFace, sh::kPlayBlue), 2.0);
}

TEST(SpriteSheet, HighlightedIconsAndArrowBarsAreBrighterThanPlainOnes) {
    const std::pair<va::SheetRegion, va::SheetRegion> pairs[] = {{sh::kSoundOn, sh::kSoundOnLit},
                                                                 {sh::kSoundOff, sh::kSoundOffLit},
                                                                 {sh::kUpBar, sh::kUpBarLit},
                                                                 {sh::kDownBar, sh::kDownBarLit}};
    for (const auto& [plain, lit] : pairs) {
        EXPECT_GT(meanLuminance(lit), meanLuminance(plain) * 1.15) << lit.name;
    }
    // Sound on and sound off must differ visibly, in both looks.
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) differing += !near(pixel(sh::kSoundOn, x, y), pixel(sh::kSoundOff, x, y), 30);
    EXPECT_GT(differing, 40);
}

TEST(SpriteSheet, PicturesMeetTheSurfaceColoursAtTheirEdges) {
    // The title picture sits on the menu's panel blue: its whole border is that colour.
    for (int x = 0; x < sh::kTitle.width; ++x) {
        EXPECT_TRUE(near(pixel(sh::kTitle, x, 0), sh::kPanelBlue, 2)) << x;
        EXPECT_TRUE(near(pixel(sh::kTitle, x, sh::kTitle.height - 1), sh::kPanelBlue, 2)) << x;
    }
    for (int y = 0; y < sh::kTitle.height; ++y) {
        EXPECT_TRUE(near(pixel(sh::kTitle, 0, y), sh::kPanelBlue, 2)) << y;
        EXPECT_TRUE(near(pixel(sh::kTitle, sh::kTitle.width - 1, y), sh::kPanelBlue, 2)) << y;
    }
    // Icons, bars and arrow bars are copied onto the play blue: their outer corners are that colour.
    for (const va::SheetRegion& r :
         {sh::kSoundOn, sh::kSoundOnLit, sh::kSoundOff, sh::kSoundOffLit, sh::kBarEmpty, sh::kBarFull}) {
        EXPECT_EQ(pixel(r, 0, 0), sh::kPlayBlue) << r.name;
        EXPECT_EQ(pixel(r, r.width - 1, r.height - 1), sh::kPlayBlue) << r.name;
    }
    EXPECT_EQ(pixel(sh::kUpBar, 0, 0), sh::kPlayBlue);
    EXPECT_EQ(pixel(sh::kDownBar, 0, 19), sh::kPlayBlue);
    // Where an arrow bar meets the word list, it is the list's panel blue.
    EXPECT_TRUE(near(pixel(sh::kUpBar, 30, 19), sh::kPanelBlue, 6));
    EXPECT_TRUE(near(pixel(sh::kDownBar, 30, 0), sh::kPanelBlue, 6));
}

TEST(SpriteSheet, EmptyAndFullBarsShareTheirOutlineButNotTheirFill) {
    int insideBoth = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 283; ++x) {
            const bool emptyOut = pixel(sh::kBarEmpty, x, y) == sh::kPlayBlue;
            const bool fullOut = pixel(sh::kBarFull, x, y) == sh::kPlayBlue;
            EXPECT_EQ(emptyOut, fullOut) << x << "," << y;
            insideBoth += !emptyOut;
        }
    }
    EXPECT_GT(insideBoth, 283 * 18 * 9 / 10);
    // The groove is dark, the filled bar bright, along its whole length.
    for (int x = 10; x < 273; x += 20) {
        EXPECT_GT(luminance(pixel(sh::kBarFull, x, 9)), 3 * luminance(pixel(sh::kBarEmpty, x, 9)) + 0.1) << x;
    }
}

TEST(SpriteSheet, TextureIsALowContrastBlueThatStretchesWithoutBlotches) {
    double lo = 1, hi = 0;
    for (int y = 0; y < 34; ++y) {
        for (int x = 0; x < 34; ++x) {
            const Rgb p = pixel(sh::kTexture, x, y);
            EXPECT_GT(p.b, p.r) << x << "," << y;
            lo = std::min(lo, luminance(p));
            hi = std::max(hi, luminance(p));
            // Neighbouring texels differ little, so a stretched copy shows no steps.
            if (x > 0) {
                EXPECT_TRUE(near(p, pixel(sh::kTexture, x - 1, y), 4)) << x << "," << y;
            }
        }
    }
    EXPECT_LT(hi - lo, 0.1);
}
