// Encoders for BMP and WAVE files, and the writer that puts every generated data file in a folder.
#include "files.h"

#include <fstream>

#include "sheet.h"
#include "sounds.h"

namespace varnook::assets {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<std::uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

bool writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, std::string& error) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    f.close();
    if (!f) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    constexpr std::uint32_t headerSize = 14 + 40;
    const std::uint32_t w = std::uint32_t(image.width()), h = std::uint32_t(image.height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * h;
    std::vector<std::uint8_t> out;
    out.reserve(headerSize + dataSize);
    putTag(out, "BM");
    put32(out, headerSize + dataSize);
    put32(out, 0);           // reserved
    put32(out, headerSize);  // offset of the pixels
    put32(out, 40);          // BITMAPINFOHEADER
    put32(out, w);
    put32(out, h);   // positive: rows stored bottom-up
    put16(out, 1);   // planes
    put16(out, 24);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, dataSize);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(out.size() + (stride - w * 3), 0);
    }
    return out;
}

std::vector<std::uint8_t> encodeWav(std::span<const std::int16_t> samples, int sampleRate) {
    const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    put32(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate) * 2);  // bytes per second
    put16(out, 2);                              // block align
    put16(out, 16);                             // bits per sample
    putTag(out, "data");
    put32(out, dataSize);
    for (std::int16_t s : samples) put16(out, std::uint16_t(s));
    return out;
}

bool writeAllAssets(const std::filesystem::path& dir, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        error = "no such folder: " + dir.string();
        return false;
    }
    if (!writeFile(dir / kSheetFileName, encodeBmp(makeSpriteSheet()), error)) return false;
    for (const SoundFile& f : kSoundFiles) {
        if (!writeFile(dir / f.fileName, encodeWav(makeSound(f.sound), kSampleRate), error)) return false;
    }
    return true;
}

}  // namespace varnook::assets
