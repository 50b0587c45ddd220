// The synthetic sheet, picture queries, snapshots and golden images of the drawing tests.
#include "ui_test_support.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game/ui/layout.h"
#include "game_builder.h"

namespace uitest {

using game::ui::Sprite;

Color solidColor(Sprite s) {
    const int i = static_cast<int>(s);
    return rgb(0x20 + 0x0B * i, 0xA0 + i, 0x30 + 0x07 * i);
}

bool tileCorner(int x, int y) {
    const int dx = std::min(x, 39 - x);
    const int dy = std::min(y, 39 - y);
    return dx + dy < 3;
}

std::unique_ptr<PixelSurface> makeSyntheticPicture() {
    auto pic = std::make_unique<PixelSurface>(game::ui::kSheetMinWidth, game::ui::kSheetMinHeight, kGap);
    auto paint = [&](Sprite s, auto colorAt) {
        const auto& r = game::ui::region(s);
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) pic->setPixel(r.left + x, r.top + y, colorAt(x, y));
    };
    const Color white = rgb(255, 255, 255);
    paint(Sprite::TileMask, [&](int x, int y) { return tileCorner(x, y) ? rgb(0, 0, 0) : white; });
    paint(Sprite::TilePlain, [&](int x, int y) { return tileCorner(x, y) ? white : kTilePlainBody; });
    paint(Sprite::TileLinked, [&](int x, int y) { return tileCorner(x, y) ? white : kTileLinkedBody; });
    paint(Sprite::Texture, [](int x, int y) { return kTextureQuadrant[(y >= 17 ? 2 : 0) + (x >= 17 ? 1 : 0)]; });
    paint(Sprite::BarEmpty, [](int x, int) { return barEmptyColumn(x); });
    paint(Sprite::BarFull, [](int x, int) { return barFullColumn(x); });
    for (Sprite s : {Sprite::Title, Sprite::SoundOn, Sprite::SoundOnHi, Sprite::SoundOff, Sprite::SoundOffHi,
                     Sprite::UpBar, Sprite::UpBarHi, Sprite::DownBar, Sprite::DownBarHi}) {
        paint(s, [&](int, int) { return solidColor(s); });
    }
    return pic;
}

game::ui::SpriteSheet makeSyntheticSheet() { return game::ui::SpriteSheet(makeSyntheticPicture()); }

game::ui::SpriteSheet realOrSyntheticSheet(bool* isReal) {
    platform::SoftGraphics graphics;
    game::ui::SpriteSheet sheet = game::ui::initGraphics(graphics, std::string(VARNOOK_BIN_DIR) + "/");
    const bool real = !sheet.empty() && sheet.surface()->width() >= game::ui::kSheetMinWidth &&
                      sheet.surface()->height() >= game::ui::kSheetMinHeight;
    if (isReal) *isReal = real;
    return real ? std::move(sheet) : makeSyntheticSheet();
}

std::unique_ptr<PixelSurface> makeSurface(int w, int h, Color fill, double points) {
    auto s = std::make_unique<PixelSurface>(w, h, fill);
    s->setFont(platform::Font{"Times New Roman", points, true});
    return s;
}

int countColor(const platform::Surface& s, const Rect& r, Color c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += s.pixel(x, y) == c;
    return n;
}

int countOther(const platform::Surface& s, const Rect& r, Color c) {
    return r.width() * r.height() - countColor(s, r, c);
}

bool sameImage(const platform::Surface& a, const platform::Surface& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

game::GameData makeBoard(int width, int height, const std::string& letters) {
    return game::testing::GameBuilder().board(letters, width, height).build();
}

game::ui::BoxInfo boardBox(platform::Surface* s, int x, int y) {
    game::ui::BoxInfo b;
    b.surface = s;
    b.x = x;
    b.y = y;
    b.wid = game::ui::kCellSize;
    b.ht = 2;
    return b;
}

namespace {

std::uint32_t readU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) |
           std::uint32_t{b[at + 3]};
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

}  // namespace

PixelSurface loadPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.size() < 8 + 25) return {};
    std::uint32_t w = 0, h = 0;
    std::vector<std::uint8_t> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t len = readU32(file, at);
        if (at + 12 + len > file.size()) return {};
        const std::string type(file.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               file.begin() + static_cast<std::ptrdiff_t>(at + 8));
        const std::size_t data = at + 8;
        if (type == "IHDR") {
            w = readU32(file, data);
            h = readU32(file, data + 4);
            if (file[data + 8] != 8 || file[data + 9] != 2 || file[data + 12] != 0) return {};  // 8-bit RGB only
        } else if (type == "IDAT") {
            packed.insert(packed.end(), file.begin() + static_cast<std::ptrdiff_t>(data),
                          file.begin() + static_cast<std::ptrdiff_t>(data + len));
        }
        at += 12 + len;
    }
    if (w == 0 || h == 0 || w > 4096 || h > 4096) return {};
    const std::size_t stride = 3 * std::size_t{w};
    std::vector<std::uint8_t> raw(std::size_t{h} * (stride + 1));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        rawSize != raw.size()) {
        return {};
    }
    PixelSurface out(static_cast<int>(w), static_cast<int>(h));
    std::vector<std::uint8_t> prev(stride, 0), cur(stride);
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::uint8_t* row = raw.data() + y * (stride + 1);
        const int filter = row[0];
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? cur[i - 3] : 0, b = prev[i], c = i >= 3 ? prev[i - 3] : 0;
            int pred = 0;
            switch (filter) {
                case 1: pred = a; break;
                case 2: pred = b; break;
                case 3: pred = (a + b) / 2; break;
                case 4: pred = paeth(a, b, c); break;
                default: break;
            }
            cur[i] = static_cast<std::uint8_t>(row[1 + i] + pred);
        }
        for (std::uint32_t x = 0; x < w; ++x) {
            out.setPixel(static_cast<int>(x), static_cast<int>(y), rgb(cur[3 * x], cur[3 * x + 1], cur[3 * x + 2]));
        }
        prev.swap(cur);
    }
    return out;
}

std::string compareWithGolden(const platform::Surface& s, const std::string& name, const std::vector<Rect>& textAreas) {
    const std::string path = std::string(VARNOOK_SOURCE_DIR) + "/tests/game/ui/golden/" + name + ".png";
    const char* update = std::getenv("VARNOOK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        return platform::savePng(s, path) ? "" : "cannot write " + path;
    }
    const PixelSurface golden = loadPng(path);
    if (golden.width() != s.width() || golden.height() != s.height()) {
        return "golden " + path + " missing or of another size (VARNOOK_UPDATE_GOLDEN=1 writes it)";
    }
    auto inText = [&](int x, int y) {
        return std::any_of(textAreas.begin(), textAreas.end(),
                           [&](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
    };
    auto farApart = [](Color a, Color b) {
        return std::abs(platform::redOf(a) - platform::redOf(b)) > 64 ||
               std::abs(platform::greenOf(a) - platform::greenOf(b)) > 64 ||
               std::abs(platform::blueOf(a) - platform::blueOf(b)) > 64;
    };
    int textPixels = 0, textFar = 0;
    std::ostringstream fault;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const Color a = s.pixel(x, y), g = golden.pixel(x, y);
            if (inText(x, y)) {
                ++textPixels;
                textFar += farApart(a, g);
            } else if (a != g && fault.tellp() == 0) {
                fault << name << ": pixel (" << x << ", " << y << ") is " << std::hex << a << ", golden " << g;
            }
        }
    }
    if (fault.tellp() == 0 && textFar * 100 > textPixels * 15) {
        fault << name << ": " << textFar << " of " << textPixels << " text pixels differ from the golden";
    }
    return fault.str();
}

}  // namespace uitest
