// Writing a surface as an 8-bit RGB PNG file (zlib does the compression), for test snapshots.
#include <zlib.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/pixel_surface.h"

namespace platform {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kColorTypeRgb = 2;

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void putChunk(std::vector<std::uint8_t>& out, const char (&type)[5], std::span<const std::uint8_t> data) {
    putU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    putU32(out, static_cast<std::uint32_t>(crc));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool savePng(const Surface& surface, const std::string& path) {
    const int w = surface.width(), h = surface.height();
    if (w <= 0 || h <= 0) return false;

    // Each row: filter byte 0 (none), then R, G, B per pixel.
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const Color c = surface.pixel(x, y);
            raw.push_back(static_cast<std::uint8_t>(redOf(c)));
            raw.push_back(static_cast<std::uint8_t>(greenOf(c)));
            raw.push_back(static_cast<std::uint8_t>(blueOf(c)));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return false;
    packed.resize(packedSize);

    std::vector<std::uint8_t> header;
    putU32(header, static_cast<std::uint32_t>(w));
    putU32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, kColorTypeRgb, 0, 0, 0});  // depth, colour type, methods, no interlace

    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    if (std::fwrite(out.data(), 1, out.size(), file.get()) != out.size()) return false;
    return std::fclose(file.release()) == 0;
}

}  // namespace platform
