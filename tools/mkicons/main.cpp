// mkicons: the program's icons, drawn by the game's own icon drawing from the sprite sheet in the
// program folder. Usage: mkicons PROGRAM_FOLDER OUTPUT_FOLDER [SIZE]...
// Writes OUTPUT_FOLDER/hicolor/NxN/apps/varnook.png for each size the Linux desktop looks for, and
// OUTPUT_FOLDER/Varnook.ico, the Windows program's icon with the sizes Windows shows (16 to 256);
// with sizes given (the web app's, which a browser asks for in other sizes), only those PNG files.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/ui/program_icon.h"
#include "game/ui/sprite_sheet.h"
#include "platform/pixel_surface.h"

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// An icon image as Windows keeps it below 256 pixels: a 32-bit DIB of twice the height (the colour
// rows, then the AND mask's), bottom row first, every pixel opaque.
std::vector<std::uint8_t> dibImage(const platform::Surface& icon) {
    const int w = icon.width(), h = icon.height();
    const auto maskRow = static_cast<std::uint32_t>((w + 31) / 32 * 4);
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(2 * h));
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, static_cast<std::uint32_t>(w * h * 4) + maskRow * static_cast<std::uint32_t>(h));
    for (int i = 0; i < 4; ++i) put32(out, 0);  // resolution and palette: unused
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const platform::Color c = icon.pixel(x, y);
            out.insert(out.end(), {static_cast<std::uint8_t>(platform::blueOf(c)),
                                   static_cast<std::uint8_t>(platform::greenOf(c)),
                                   static_cast<std::uint8_t>(platform::redOf(c)), 0xFF});
        }
    out.insert(out.end(), static_cast<std::size_t>(maskRow) * static_cast<std::size_t>(h), 0);
    return out;
}

// An .ico file holding the images by size; each is a DIB or a PNG file's bytes.
bool writeIco(const std::map<int, std::vector<std::uint8_t>>& images, const std::filesystem::path& path) {
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const auto& [size, bytes] : images) {
        out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));  // 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(bytes.size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bytes.size());
    }
    for (const auto& [size, bytes] : images) out.insert(out.end(), bytes.begin(), bytes.end());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file.flush());
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    if (argc > 3) sizes.clear();
    for (int i = 3; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (argc < 3 || std::find_if(sizes.begin(), sizes.end(), [](int n) { return n < 16 || n > 1024; }) != sizes.end()) {
        std::fprintf(stderr, "usage: mkicons PROGRAM_FOLDER OUTPUT_FOLDER [SIZE]... (sizes 16 to 1024)\n");
        return 2;
    }
    platform::SoftGraphics graphics;
    const game::ui::SpriteSheet sheet = game::ui::initGraphics(graphics, std::string(argv[1]) + "/");
    if (sheet.empty()) {
        std::fprintf(stderr, "mkicons: no sprite sheet in %s\n", argv[1]);
        return 1;
    }
    std::map<int, std::vector<std::uint8_t>> icoImages;
    for (const int size : sizes) {
        const auto icon = game::ui::drawProgramIcon(graphics, sheet, size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(argv[2]) / "hicolor" / name / "apps";
        std::filesystem::create_directories(folder);
        const std::filesystem::path png = folder / "varnook.png";
        if (!icon || !platform::savePng(*icon, png.string())) {
            std::fprintf(stderr, "mkicons: cannot write the %s icon in %s\n", name.c_str(), folder.c_str());
            return 1;
        }
        // Windows keeps the 256-pixel image as PNG (a DIB of it would take 260 KB); 22 is not a
        // size it shows.
        if (size == 256)
            icoImages[size] = fileBytes(png);
        else if (size != 22)
            icoImages[size] = dibImage(*icon);
    }
    if (argc > 3) return 0;
    const std::filesystem::path ico = std::filesystem::path(argv[2]) / "Varnook.ico";
    if (icoImages[256].empty() || !writeIco(icoImages, ico)) {
        std::fprintf(stderr, "mkicons: cannot write %s\n", ico.c_str());
        return 1;
    }
    return 0;
}
