// Reading BMP files: 24- and 32-bit uncompressed bitmaps, every header field checked before use,
// and SoftGraphics::loadBitmap on top of it.
#include <bit>
#include <cstdint>
#include <fstream>
#include <limits>

#include "platform/library.h"
#include "platform/pixel_surface.h"

namespace platform {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;      // BITMAPCOREHEADER
constexpr std::uint32_t kInfoHeaderSize = 40;      // BITMAPINFOHEADER
constexpr std::uint32_t kMaxInfoHeaderSize = 124;  // BITMAPV5HEADER
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
// Bounds that keep a hostile header from asking for absurd amounts of memory.
constexpr std::int64_t kMaxSide = 1 << 15;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 30;

// Little-endian reads that report running off the end instead of doing it.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> b) : bytes_(b) {}
    bool has(std::size_t offset, std::size_t n) const { return offset <= bytes_.size() && n <= bytes_.size() - offset; }
    std::uint32_t u16(std::size_t o) const { return bytes_[o] | (bytes_[o + 1] << 8); }
    std::uint32_t u32(std::size_t o) const {
        return static_cast<std::uint32_t>(bytes_[o]) | (static_cast<std::uint32_t>(bytes_[o + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[o + 2]) << 16) | (static_cast<std::uint32_t>(bytes_[o + 3]) << 24);
    }
    std::int32_t i32(std::size_t o) const { return static_cast<std::int32_t>(u32(o)); }
    std::size_t size() const { return bytes_.size(); }
    const std::uint8_t* at(std::size_t o) const { return bytes_.data() + o; }

private:
    std::span<const std::uint8_t> bytes_;
};

// One colour channel described by a bit mask of a 32-bit pixel.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    bool valid() const {
        // A non-empty run of consecutive bits.
        return mask != 0 && ((mask >> shift) & ((mask >> shift) + 1)) == 0;
    }
    int value(std::uint32_t px) const {
        const std::uint32_t v = (px & mask) >> shift;
        if (bits >= 8) return static_cast<int>(v >> (bits - 8));
        return static_cast<int>(v * 255 / ((1u << bits) - 1));
    }
};

Channel channel(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask != 0) {
        c.shift = std::countr_zero(mask);
        c.bits = std::popcount(mask);
    }
    return c;
}

}  // namespace

PixelSurface decodeBmp(std::span<const std::uint8_t> bytes) {
    const Reader in(bytes);
    if (!in.has(0, kFileHeaderSize + 4) || bytes[0] != 'B' || bytes[1] != 'M') return {};
    const std::uint32_t dataOffset = in.u32(10);
    const std::uint32_t infoSize = in.u32(kFileHeaderSize);
    if (infoSize != kCoreHeaderSize && (infoSize < kInfoHeaderSize || infoSize > kMaxInfoHeaderSize)) return {};
    if (!in.has(kFileHeaderSize, infoSize)) return {};

    const std::size_t h0 = kFileHeaderSize;
    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bpp = 0, compression = kBiRgb;
    if (infoSize == kCoreHeaderSize) {
        width = in.u16(h0 + 4);
        height = in.u16(h0 + 6);
        planes = in.u16(h0 + 8);
        bpp = in.u16(h0 + 10);
    } else {
        width = in.i32(h0 + 4);
        height = in.i32(h0 + 8);
        planes = in.u16(h0 + 12);
        bpp = in.u16(h0 + 14);
        compression = in.u32(h0 + 16);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (planes != 1 || (bpp != 24 && bpp != 32)) return {};
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) return {};

    // Channel masks: the fixed 8-8-8 layout for BI_RGB, or the masks given with BI_BITFIELDS.
    Channel red = channel(0x00FF0000u), green = channel(0x0000FF00u), blue = channel(0x000000FFu);
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (bpp != 32) return {};
        // In a plain info header the masks follow it; in the later headers they are part of it.
        const std::size_t maskAt = h0 + kInfoHeaderSize;
        if (!in.has(maskAt, 12)) return {};
        red = channel(in.u32(maskAt));
        green = channel(in.u32(maskAt + 4));
        blue = channel(in.u32(maskAt + 8));
        if (!red.valid() || !green.valid() || !blue.valid()) return {};
    } else if (compression != kBiRgb) {
        return {};
    }

    // The pixel rows, padding included, must lie wholly after the headers and inside the file.
    const std::int64_t stride = ((width * bpp + 31) / 32) * 4;
    if (dataOffset < kFileHeaderSize + infoSize) return {};
    const std::int64_t end = static_cast<std::int64_t>(dataOffset) + stride * height;
    if (end > static_cast<std::int64_t>(in.size())) return {};

    PixelSurface out(static_cast<int>(width), static_cast<int>(height));
    auto pixels = out.pixels();
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t y = topDown ? row : height - 1 - row;
        const std::uint8_t* src = in.at(static_cast<std::size_t>(dataOffset + row * stride));
        Color* dst = pixels.data() + y * width;
        for (std::int64_t x = 0; x < width; ++x) {
            if (bpp == 24) {
                const std::uint8_t* p = src + x * 3;
                dst[x] = rgb(p[2], p[1], p[0]);
            } else {
                const std::uint32_t px = Reader(std::span(src + x * 4, 4)).u32(0);
                dst[x] = rgb(red.value(px), green.value(px), blue.value(px));
            }
        }
    }
    return out;
}

std::unique_ptr<Surface> SoftGraphics::loadBitmap(const std::string& path) {
    std::ifstream file(filePath(path), std::ios::binary | std::ios::ate);
    if (!file) return std::make_unique<PixelSurface>();
    const std::streamoff size = file.tellg();
    if (size <= 0 || static_cast<std::uintmax_t>(size) > kMaxFileSize) return std::make_unique<PixelSurface>();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return std::make_unique<PixelSurface>();
    return std::make_unique<PixelSurface>(decodeBmp(bytes));
}

}  // namespace platform
