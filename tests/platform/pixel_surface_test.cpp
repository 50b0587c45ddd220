// The rasterizer pixel by pixel: edge rules of fills, frames and lines, block copies with their
// raster operations and clipping, and stretched copies.
#include <gtest/gtest.h>

#include "platform/pixel_surface.h"

namespace {

using platform::Brush;
using platform::Color;
using platform::Pen;
using platform::PixelSurface;
using platform::Rect;
using platform::rgb;
using platform::Rop;

constexpr Color kBlack = 0;
constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);

// The painted pixels of a surface as a picture: '#' for colour c, '.' for anything else.
std::string picture(const PixelSurface& s, Color c) {
    std::string out;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) out += s.pixel(x, y) == c ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(PixelSurface, NewSurfaceIsBlackAndOutsideReadsZero) {
    PixelSurface s(3, 2, kWhite);
    EXPECT_EQ(s.pixel(2, 1), kWhite);
    EXPECT_EQ(s.pixel(3, 1), 0u);
    EXPECT_EQ(s.pixel(-1, 0), 0u);
    PixelSurface empty(0, 5);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.height(), 0);
    empty.fillRect({0, 0, 5, 5}, Brush{kRed});  // nothing to draw on, nothing breaks
}

TEST(PixelSurface, FillRectExcludesRightAndBottomAndClips) {
    PixelSurface s(6, 5);
    s.fillRect({1, 1, 4, 3}, Brush{kRed});
    EXPECT_EQ(picture(s, kRed),
              "......\n"
              ".###..\n"
              ".###..\n"
              "......\n"
              "......\n");
    PixelSurface c(4, 3);
    c.fillRect({-10, -10, 2, 100}, Brush{kRed});
    c.fillRect({3, 0, 2, 3}, Brush{kRed});  // right < left: nothing
    EXPECT_EQ(picture(c, kRed), "##..\n##..\n##..\n");
}

TEST(PixelSurface, OnePixelFrameLiesOnTheInnerEdge) {
    PixelSurface s(7, 6);
    s.selectPen(Pen{kRed, 1});
    s.frameRect({1, 1, 6, 5});
    EXPECT_EQ(picture(s, kRed),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
    // Corners given the other way round draw the same frame.
    PixelSurface t(7, 6);
    t.selectPen(Pen{kRed, 1});
    t.frameRect({6, 5, 1, 1});
    EXPECT_EQ(picture(t, kRed), picture(s, kRed));
}

TEST(PixelSurface, FrameKeepsTheInsideAndClipsAtTheEdges) {
    PixelSurface s(4, 4, kWhite);
    s.selectPen(Pen{kRed, 1});
    s.frameRect({-1, -1, 3, 3});
    EXPECT_EQ(picture(s, kRed),
              "..#.\n"
              "..#.\n"
              "###.\n"
              "....\n");
    EXPECT_EQ(s.pixel(0, 0), kWhite);
}

TEST(PixelSurface, OnePixelLineLeavesOutItsEndPoint) {
    PixelSurface s(6, 6);
    s.selectPen(Pen{kRed, 1});
    s.moveTo(0, 0);
    s.lineTo(5, 0);
    s.moveTo(0, 1);
    s.lineTo(4, 5);
    EXPECT_EQ(picture(s, kRed),
              "#####.\n"
              "#.....\n"
              ".#....\n"
              "..#...\n"
              "...#..\n"
              "......\n");
    // The pen position moves to the end point: the next line starts there.
    s.lineTo(4, 3);
    EXPECT_EQ(s.pixel(4, 5), kRed);
    EXPECT_EQ(s.pixel(4, 4), kRed);
    EXPECT_EQ(s.pixel(4, 3), kBlack);
}

TEST(PixelSurface, ThreePixelLineIsThreeWideAndCentred) {
    PixelSurface s(12, 7);
    s.selectPen(Pen{kRed, 3});
    s.moveTo(2, 3);
    s.lineTo(9, 3);
    // Rows 2..4 from one pixel before the start to one past the end (round caps).
    EXPECT_EQ(picture(s, kRed),
              "............\n"
              "............\n"
              ".##########.\n"
              ".##########.\n"
              ".##########.\n"
              "............\n"
              "............\n");

    // A 45-degree line covers the five diagonals within 1.5 pixels of its centre line.
    PixelSurface d(20, 20);
    d.selectPen(Pen{kRed, 3});
    d.moveTo(3, 3);
    d.lineTo(16, 16);
    for (int k = -3; k <= 3; ++k) {
        const bool inside = k >= -2 && k <= 2;
        EXPECT_EQ(d.pixel(10 + k, 10) == kRed, inside) << "offset " << k;
    }
    // A vertical line: columns 4..6.
    PixelSurface v(11, 11);
    v.selectPen(Pen{kRed, 3});
    v.moveTo(5, 1);
    v.lineTo(5, 9);
    for (int x = 0; x < 11; ++x) EXPECT_EQ(v.pixel(x, 5) == kRed, x >= 4 && x <= 6) << x;
}

// A 4 x 4 source whose pixel (x, y) is rgb(x, y, 7).
PixelSurface numbered() {
    PixelSurface src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) src.setPixel(x, y, rgb(x, y, 7));
    return src;
}

TEST(PixelSurface, CopyIsClippedToSourceAndDestination) {
    const PixelSurface src = numbered();
    PixelSurface dst(5, 5, kWhite);
    dst.bitBlt(-1, 3, 4, 4, src, 1, 0, Rop::Copy);
    // Only the part inside the destination arrives, each pixel from its own place.
    EXPECT_EQ(dst.pixel(0, 3), rgb(2, 0, 7));
    EXPECT_EQ(dst.pixel(1, 4), rgb(3, 1, 7));
    EXPECT_EQ(dst.pixel(2, 4), kWhite);  // source column 4 does not exist
    EXPECT_EQ(dst.pixel(0, 2), kWhite);

    // A source block partly left of and above the source copies only its inside part.
    PixelSurface d2(6, 6, kWhite);
    d2.bitBlt(1, 1, 4, 4, src, -2, -1, Rop::Copy);
    EXPECT_EQ(d2.pixel(3, 2), rgb(0, 0, 7));
    EXPECT_EQ(d2.pixel(4, 4), rgb(1, 2, 7));
    EXPECT_EQ(d2.pixel(2, 2), kWhite);
    EXPECT_EQ(d2.pixel(3, 1), kWhite);
}

TEST(PixelSurface, MaskOrThenPictureAndLeavesCornersTransparent) {
    // The sprite technique: white-on-black mask with OR, picture on white with AND.
    PixelSurface mask(2, 1), pict(2, 1);
    mask.setPixel(0, 0, kWhite);  // tile inside
    mask.setPixel(1, 0, kBlack);  // corner
    pict.setPixel(0, 0, rgb(10, 200, 30));
    pict.setPixel(1, 0, kWhite);
    const Color back = rgb(150, 150, 240);
    PixelSurface dst(2, 1, back);
    dst.bitBlt(0, 0, 2, 1, mask, 0, 0, Rop::Or);
    EXPECT_EQ(dst.pixel(0, 0), kWhite);
    EXPECT_EQ(dst.pixel(1, 0), back);
    dst.bitBlt(0, 0, 2, 1, pict, 0, 0, Rop::And);
    EXPECT_EQ(dst.pixel(0, 0), rgb(10, 200, 30));
    EXPECT_EQ(dst.pixel(1, 0), back);

    PixelSurface bits(1, 1, 0x00F0F00Fu), with(1, 1, 0x00330F3Cu);
    bits.bitBlt(0, 0, 1, 1, with, 0, 0, Rop::And);
    EXPECT_EQ(bits.pixel(0, 0), 0x0030000Cu);
}

TEST(PixelSurface, OverlappingCopyWithinOneSurface) {
    PixelSurface s = numbered();
    s.bitBlt(1, 0, 3, 4, s, 0, 0, Rop::Copy);
    EXPECT_EQ(s.pixel(0, 2), rgb(0, 2, 7));
    EXPECT_EQ(s.pixel(1, 2), rgb(0, 2, 7));
    EXPECT_EQ(s.pixel(2, 2), rgb(1, 2, 7));
    EXPECT_EQ(s.pixel(3, 2), rgb(2, 2, 7));
    s.bitBlt(0, 0, 4, 3, s, 0, 1, Rop::Copy);
    EXPECT_EQ(s.pixel(2, 0), rgb(1, 1, 7));
    EXPECT_EQ(s.pixel(3, 2), rgb(2, 3, 7));
}

TEST(PixelSurface, StretchedCopyTakesTheNearestPixel) {
    PixelSurface src(2, 2);
    src.setPixel(0, 0, rgb(1, 0, 0));
    src.setPixel(1, 0, rgb(2, 0, 0));
    src.setPixel(0, 1, rgb(3, 0, 0));
    src.setPixel(1, 1, rgb(4, 0, 0));
    PixelSurface big(6, 4);
    big.stretchBlt(0, 0, 6, 4, src, 0, 0, 2, 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(big.pixel(x, y), rgb(1 + (x >= 3) + 2 * (y >= 2), 0, 0)) << x << "," << y;

    // Shrinking picks the source pixel under each destination pixel's centre.
    const PixelSurface n = numbered();
    PixelSurface small(2, 2);
    small.stretchBlt(0, 0, 2, 2, n, 0, 0, 4, 4);
    EXPECT_EQ(small.pixel(0, 0), rgb(1, 1, 7));
    EXPECT_EQ(small.pixel(1, 1), rgb(3, 3, 7));

    // Partly outside the destination: the visible part keeps its mapping.
    PixelSurface part(3, 3, kWhite);
    part.stretchBlt(-3, 0, 6, 4, src, 0, 0, 2, 2);
    EXPECT_EQ(part.pixel(0, 0), rgb(2, 0, 0));
    EXPECT_EQ(part.pixel(2, 2), rgb(4, 0, 0));
}

}  // namespace
