// Text on the rasterizer: placement by the layout flags, clipping, transparency, fonts found for
// the game's family names, and a snapshot to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/pixel_surface.h"

namespace {

using platform::Brush;
using platform::Color;
using platform::Font;
using platform::PixelSurface;
using platform::Rect;
using platform::rgb;
namespace text = platform::text;

constexpr Color kBack = rgb(51, 68, 140);
constexpr Color kInk = rgb(249, 249, 230);

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right, bottom exclusive
    bool empty() const { return right < 0; }
    double centerX() const { return (left + right) / 2.0; }
    double centerY() const { return (top + bottom) / 2.0; }
};

// The bounding box of every pixel that is no longer the background, within rows y0..y1.
Box inkBox(const PixelSurface& s, int y0 = 0, int y1 = -1) {
    if (y1 < 0) y1 = s.height();
    Box b;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != kBack) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x + 1);
                b.bottom = std::max(b.bottom, y + 1);
            }
    return b;
}

PixelSurface drawn(std::string_view str, const Rect& r, unsigned flags, const Font& font, int w = 240, int h = 120) {
    PixelSurface s(w, h, kBack);
    s.setFont(font);
    s.setTextColor(kInk);
    s.drawText(str, r, flags);
    return s;
}

const Font kTileFont{"Times New Roman", 14, true};

TEST(Text, CentredSingleLineSitsInTheMiddleOfItsRectangle) {
    const Rect r{20, 10, 220, 110};
    const PixelSurface s = drawn("HOME", r, text::kCenter | text::kVCenter | text::kSingleLine, kTileFont);
    const Box b = inkBox(s);
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(b.centerX(), 120.0, 2.0);
    // Capitals sit above the middle of the line box by at most a few pixels (the descender room).
    EXPECT_NEAR(b.centerY(), 60.0, 4.0);
    // A taller rectangle moves the line down by half the difference, exactly.
    const PixelSurface t =
        drawn("HOME", {20, 10, 220, 130}, text::kCenter | text::kVCenter | text::kSingleLine, kTileFont, 240, 140);
    const Box bt = inkBox(t);
    EXPECT_EQ(bt.top - b.top, 10);
    EXPECT_EQ(bt.left, b.left);
}

TEST(Text, VerticalCentringNeedsSingleLine) {
    const Rect r{10, 10, 230, 110};
    const Box plain = inkBox(drawn("Yes", r, 0, kTileFont));
    const Box vOnly = inkBox(drawn("Yes", r, text::kVCenter, kTileFont));
    EXPECT_EQ(plain.top, vOnly.top);
    EXPECT_EQ(plain.left, vOnly.left);
    EXPECT_LT(plain.top, 20);   // at the top of the rectangle
    EXPECT_LT(plain.left, 14);  // at its left edge
}

TEST(Text, MultiLineStartsTopLeftWithEachLineBelowTheLast) {
    const Rect r{10, 10, 230, 110};
    const PixelSurface s = drawn("First\nSecond", r, 0, kTileFont);
    // Find the two bands of inked rows.
    std::vector<bool> inked(s.height());
    for (int y = 0; y < s.height(); ++y) inked[y] = !inkBox(s, y, y + 1).empty();
    const int firstTop = static_cast<int>(std::find(inked.begin(), inked.end(), true) - inked.begin());
    const int firstEnd = static_cast<int>(std::find(inked.begin() + firstTop, inked.end(), false) - inked.begin());
    const int secondTop = static_cast<int>(std::find(inked.begin() + firstEnd, inked.end(), true) - inked.begin());
    ASSERT_LT(secondTop, s.height()) << "no second line";
    EXPECT_GE(firstTop, 10);
    EXPECT_LT(firstTop, 16);
    const Box one = inkBox(s, firstTop, firstEnd), two = inkBox(s, secondTop, s.height());
    EXPECT_LT(one.left, 13);
    EXPECT_LT(two.left, 13);
    // The pitch is about one line of a 19-pixel font.
    EXPECT_GE(secondTop - firstTop, 17);
    EXPECT_LE(secondTop - firstTop, 26);

    // CR LF is one line break, not two.
    const PixelSurface crlf = drawn("First\r\nSecond", r, 0, kTileFont);
    EXPECT_EQ(inkBox(crlf).bottom, inkBox(s).bottom);
}

TEST(Text, CentredMultiLineCentresEachLine) {
    const PixelSurface s = drawn("I\nWWWWWW", {0, 0, 240, 120}, text::kCenter, kTileFont);
    const Box all = inkBox(s);
    const Box narrow = inkBox(s, 0, all.top + 12);
    const Box wide = inkBox(s, all.top + 22, s.height());
    EXPECT_NEAR(narrow.centerX(), 120.0, 2.0);
    EXPECT_NEAR(wide.centerX(), 120.0, 2.0);
    EXPECT_GT(wide.right - wide.left, 4 * (narrow.right - narrow.left));
}

TEST(Text, SingleLineIgnoresLineFeeds) {
    const PixelSurface s = drawn("AB\nCD", {0, 0, 240, 120}, text::kSingleLine, kTileFont);
    const Box b = inkBox(s);
    EXPECT_LT(b.bottom - b.top, 20);  // one line high
    EXPECT_GT(b.right - b.left, inkBox(drawn("AB", {0, 0, 240, 120}, text::kSingleLine, kTileFont)).right);
}

TEST(Text, DrawsOnlyGlyphsAndOnlyInsideTheRectangle) {
    PixelSurface s(100, 60, kBack);
    s.fillRect({0, 0, 50, 60}, Brush{rgb(0, 0, 0)});
    s.setFont(kTileFont);
    s.setTextColor(kInk);
    s.drawText("MMMMMMMM", {10, 20, 60, 30}, text::kSingleLine);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= 10 && x < 60 && y >= 20 && y < 30;
            if (!inside) {
                EXPECT_EQ(s.pixel(x, y), x < 50 ? rgb(0, 0, 0) : kBack) << x << "," << y;
            }
        }
    // Glyph cores are exactly the text colour; the background between letters survives.
    int ink = 0, back = 0;
    for (int y = 20; y < 30; ++y)
        for (int x = 10; x < 60; ++x) {
            ink += s.pixel(x, y) == kInk;
            back += s.pixel(x, y) == (x < 50 ? rgb(0, 0, 0) : kBack);
        }
    EXPECT_GT(ink, 20);
    EXPECT_GT(back, 20);
}

TEST(Text, EveryFamilyDrawsAndBoldIsHeavier) {
    for (const char* family : {"Times New Roman", "Arial Narrow", "MS Sans Serif", "No Such Family"}) {
        const Box regular = inkBox(drawn("Hallo", {0, 0, 240, 120}, 0, Font{family, 12, false}));
        EXPECT_FALSE(regular.empty()) << family;
    }
    auto inkCount = [](const PixelSurface& s) {
        return std::count_if(s.pixels().begin(), s.pixels().end(), [](Color c) { return c == kInk; });
    };
    EXPECT_GT(inkCount(drawn("Hallo", {0, 0, 240, 120}, 0, Font{"Arial Narrow", 14.25, true})),
              inkCount(drawn("Hallo", {0, 0, 240, 120}, 0, Font{"Arial Narrow", 14.25, false})));
    // 14.25 points at 96 dpi is a 19-pixel font: a capital is clearly taller than at 10 points.
    const Box big = inkBox(drawn("H", {0, 0, 240, 120}, 0, Font{"Arial Narrow", 14.25, true}));
    const Box small = inkBox(drawn("H", {0, 0, 240, 120}, 0, Font{"Arial Narrow", 10, true}));
    EXPECT_GE(big.bottom - big.top, 13);
    EXPECT_LE(small.bottom - small.top, 10);
}

TEST(Text, SingleByteTextAndOddInputDrawSafely) {
    // é in Windows-1252, the euro sign at 0x80, control characters and an empty string.
    const Box accented = inkBox(drawn("\xE9\x80", {0, 0, 240, 120}, 0, kTileFont));
    EXPECT_FALSE(accented.empty());
    EXPECT_TRUE(inkBox(drawn("", {0, 0, 240, 120}, 0, kTileFont)).empty());
    EXPECT_TRUE(inkBox(drawn("\x01\t\x7F", {0, 0, 240, 120}, text::kSingleLine, kTileFont)).empty());
    EXPECT_TRUE(inkBox(drawn("Away", {500, 500, 600, 600}, 0, kTileFont)).empty());
    EXPECT_TRUE(inkBox(drawn("Flat", {10, 10, 200, 10}, 0, kTileFont)).empty());
}

}  // namespace
