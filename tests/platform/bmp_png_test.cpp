// Reading BMP files (both row orders, 24 and 32 bits, damaged files) and writing PNG snapshots.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "platform/pixel_surface.h"

namespace {

using platform::Color;
using platform::PixelSurface;
using platform::rgb;

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The colour the test pictures have at (x, y).
Color sample(int x, int y) { return rgb(10 + x * 20, 100 + y * 30, 200 - x - y); }

// A BMP file of w x h pixels of sample(), written the way Windows writes them.
Bytes makeBmp(int w, int h, int bpp, bool topDown, bool bitfields = false) {
    const std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
    const std::size_t headers = 14 + 40 + (bitfields ? 12 : 0);
    Bytes b(headers + stride * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(headers));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(w));
    put32(b, 22, static_cast<std::uint32_t>(topDown ? -h : h));
    put16(b, 26, 1);
    put16(b, 28, static_cast<std::uint32_t>(bpp));
    put32(b, 30, bitfields ? 3 : 0);
    if (bitfields) {
        put32(b, 54, 0x00FF0000u);
        put32(b, 58, 0x0000FF00u);
        put32(b, 62, 0x000000FFu);
    }
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        std::uint8_t* p = b.data() + headers + row * stride;
        for (int x = 0; x < w; ++x) {
            const Color c = sample(x, y);
            p[0] = static_cast<std::uint8_t>(platform::blueOf(c));
            p[1] = static_cast<std::uint8_t>(platform::greenOf(c));
            p[2] = static_cast<std::uint8_t>(platform::redOf(c));
            if (bpp == 32) p[3] = 0xAB;  // alpha is ignored
            p += bpp / 8;
        }
    }
    return b;
}

// Whether the surface is the w x h sample picture, pixel for pixel; says where it first differs.
testing::AssertionResult isSamplePicture(const PixelSurface& s, int w, int h) {
    if (s.width() != w || s.height() != h)
        return testing::AssertionFailure() << "size " << s.width() << "x" << s.height() << ", not " << w << "x" << h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (s.pixel(x, y) != sample(x, y)) return testing::AssertionFailure() << "pixel " << x << "," << y;
    return testing::AssertionSuccess();
}

TEST(Bmp, ReadsBothBitDepthsAndBothRowOrders) {
    // Width 3 gives 24-bit rows with padding.
    EXPECT_TRUE(isSamplePicture(platform::decodeBmp(makeBmp(3, 4, 24, false)), 3, 4));
    EXPECT_TRUE(isSamplePicture(platform::decodeBmp(makeBmp(3, 4, 24, true)), 3, 4));
    EXPECT_TRUE(isSamplePicture(platform::decodeBmp(makeBmp(5, 2, 32, false)), 5, 2));
    EXPECT_TRUE(isSamplePicture(platform::decodeBmp(makeBmp(5, 2, 32, true)), 5, 2));
    EXPECT_TRUE(isSamplePicture(platform::decodeBmp(makeBmp(4, 3, 32, false, true)), 4, 3));
}

TEST(Bmp, EveryTruncationOfAFileGivesAnEmptySurface) {
    const Bytes full = makeBmp(3, 4, 24, false);
    for (std::size_t n = 0; n < full.size(); ++n) {
        const PixelSurface s = platform::decodeBmp(std::span(full.data(), n));
        EXPECT_EQ(s.width(), 0) << "length " << n;
        EXPECT_EQ(s.height(), 0) << "length " << n;
    }
}

TEST(Bmp, ImpossibleHeadersAreRejected) {
    auto rejected = [](void (*damage)(Bytes&)) {
        Bytes b = makeBmp(3, 4, 24, false);
        damage(b);
        return platform::decodeBmp(b).width() == 0;
    };
    EXPECT_TRUE(rejected([](Bytes& b) { b[0] = 'X'; }));
    EXPECT_TRUE(rejected([](Bytes& b) { put16(b, 28, 8); }));            // palette bitmaps
    EXPECT_TRUE(rejected([](Bytes& b) { put16(b, 26, 2); }));            // planes
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 30, 1); }));            // RLE compression
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 18, 0); }));            // width 0
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 18, 0x80000000u); }));  // negative width
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 22, 0x80000000u); }));  // height INT_MIN
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 18, 40000); }));        // far past the data
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 10, 20); }));           // pixels inside the header
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 10, 0xFFFFFFF0u); }));  // pixels past the end
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 14, 0xFFFFFFFFu); }));  // header size
    EXPECT_TRUE(rejected([](Bytes& b) { put32(b, 14, 64); }));           // header past the end
}

TEST(Bmp, RandomDamageNeverReadsOutOfBounds) {
    // Under the sanitizers this catches any read past the buffer.
    std::mt19937 rng(1234);
    const Bytes good = makeBmp(7, 5, 32, false, true);
    for (int round = 0; round < 3000; ++round) {
        Bytes b = good;
        const int hits = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < hits; ++i) b[rng() % 70] = static_cast<std::uint8_t>(rng());
        b.resize(rng() % (b.size() + 1));
        const PixelSurface s = platform::decodeBmp(b);
        EXPECT_EQ(s.pixels().size(), static_cast<std::size_t>(s.width()) * s.height());
    }
}

TEST(Bmp, LoadBitmapReadsFilesAndGivesEmptyForMissingOnes) {
    platform::SoftGraphics graphics;
    const std::string path = VARNOOK_SNAPSHOT_DIR "/platform_bmp_test.bmp";
    const Bytes bmp = makeBmp(6, 3, 24, false);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::ssize(bmp));
    const auto loaded = graphics.loadBitmap(path);
    EXPECT_EQ(loaded->width(), 6);
    EXPECT_EQ(loaded->pixel(5, 2), sample(5, 2));
    std::remove(path.c_str());

    for (const std::string bad : {"/no/such/file.bmp", "", VARNOOK_SNAPSHOT_DIR}) {
        const auto empty = graphics.loadBitmap(bad);
        EXPECT_EQ(empty->width(), 0) << bad;
        EXPECT_EQ(empty->height(), 0) << bad;
    }
    const auto fresh = graphics.createSurface(3, 2);
    EXPECT_EQ(fresh->width(), 3);
    EXPECT_EQ(fresh->pixel(2, 1), 0u);
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) |
           b[at + 3];
}

TEST(Png, WrittenFileDecodesToTheSurfacePixels) {
    PixelSurface s(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) s.setPixel(x, y, sample(x, y));
    const std::string path = VARNOOK_SNAPSHOT_DIR "/platform_png_test.png";
    ASSERT_TRUE(platform::savePng(s, path));
    std::ifstream in(path, std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(file[1], 'P');

    // Walk the chunks, checking each CRC; gather IHDR and IDAT.
    Bytes idat;
    std::uint32_t width = 0, height = 0;
    bool sawEnd = false;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t len = be32(file, at);
        ASSERT_LE(at + 12 + len, file.size());
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        EXPECT_EQ(crc32(0, file.data() + at + 4, 4 + len), be32(file, at + 8 + len)) << type;
        if (type == "IHDR") {
            width = be32(file, at + 8);
            height = be32(file, at + 12);
        }
        if (type == "IDAT") idat.insert(idat.end(), file.begin() + at + 8, file.begin() + at + 8 + len);
        if (type == "IEND") sawEnd = true;
        at += 12 + len;
    }
    EXPECT_TRUE(sawEnd);
    EXPECT_EQ(width, 5u);
    EXPECT_EQ(height, 3u);
    Bytes raw(3 * (1 + 5 * 3));
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, idat.data(), idat.size()), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(raw[y * 16], 0);  // no filter
        for (int x = 0; x < 5; ++x) {
            const std::uint8_t* p = &raw[y * 16 + 1 + x * 3];
            EXPECT_EQ(rgb(p[0], p[1], p[2]), sample(x, y));
        }
    }
    EXPECT_FALSE(platform::savePng(PixelSurface(), path));
    EXPECT_FALSE(platform::savePng(s, "/no/such/folder/x.png"));
}

}  // namespace
