// Text on PixelSurfaces in the web build: stb_truetype renders the glyphs of the Liberation fonts
// (the metric-compatible families the Linux build finds for the game's Windows families), and the
// layout follows DrawTextA's flags as the Linux renderer does.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/codepage.h"
#include "platform/library.h"
#include "platform/pixel_surface.h"
#include "stb_truetype.h"

namespace platform {

namespace {

// The font files for the families the game asks for; anything else is drawn in Liberation Sans.
struct FamilyFiles {
    std::string_view windows;
    const char* regular;
    const char* bold;
};
constexpr FamilyFiles kFamilies[] = {
    {"Times New Roman", "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"},
    {"Arial Narrow", "LiberationSansNarrow-Regular.ttf", "LiberationSansNarrow-Bold.ttf"},
    {"MS Sans Serif", "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"},
    {"Arial", "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"},
};
constexpr const char* kFallbackRegular = "LiberationSans-Regular.ttf";
constexpr const char* kFallbackBold = "LiberationSans-Bold.ttf";

// The screen resolution that font points are measured against.
constexpr double kDpi = 96.0;

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// One font file, read whole and kept for stb_truetype, which reads the file's tables in place.
struct Face {
    std::vector<unsigned char> bytes;
    stbtt_fontinfo info{};
};

// A face at one pixel size: the scale and the line metrics, rounded up as FreeType's are.
struct Sized {
    const Face* face = nullptr;
    float scale = 0;
    int ascent = 0;
    int height = 0;
};

// Opened faces by file and sized fonts by family, size and weight, for the life of the program.
class FontLibrary {
public:
    static FontLibrary& instance() {
        static FontLibrary library;
        return library;
    }

    const Sized* get(const Font& font) {
        const int px = std::max(1, static_cast<int>(std::lround(font.points * kDpi / 72.0)));
        const auto key = std::make_tuple(font.family, px, font.bold);
        if (auto it = sized_.find(key); it != sized_.end()) return it->second.face != nullptr ? &it->second : nullptr;
        Sized s;
        s.face = face(fileFor(font.family, font.bold));
        if (s.face != nullptr) {
            s.scale = stbtt_ScaleForMappingEmToPixels(&s.face->info, static_cast<float>(px));
            int ascent = 0, descent = 0, gap = 0;
            stbtt_GetFontVMetrics(&s.face->info, &ascent, &descent, &gap);
            s.ascent = static_cast<int>(std::ceil(static_cast<float>(ascent) * s.scale));
            s.height = static_cast<int>(std::ceil(static_cast<float>(ascent - descent) * s.scale));
        }
        const Sized& kept = sized_[key] = s;
        return kept.face != nullptr ? &kept : nullptr;
    }

private:
    static const char* fileFor(std::string_view family, bool bold) {
        for (const FamilyFiles& f : kFamilies)
            if (sameName(f.windows, family)) return bold ? f.bold : f.regular;
        return bold ? kFallbackBold : kFallbackRegular;
    }

    const Face* face(const std::string& file) {
        if (auto it = faces_.find(file); it != faces_.end()) return it->second.get();
        auto f = std::make_unique<Face>();
        const std::string path = programFolder() + "fonts/" + file;
        if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
            unsigned char chunk[65536];
            for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
                f->bytes.insert(f->bytes.end(), chunk, chunk + n);
            std::fclose(in);
        }
        const bool ok = !f->bytes.empty() &&
                        stbtt_InitFont(&f->info, f->bytes.data(), stbtt_GetFontOffsetForIndex(f->bytes.data(), 0)) != 0;
        if (!ok) f.reset();  // remembered as missing, so the file is looked for once
        return (faces_[file] = std::move(f)).get();
    }

    std::map<std::string, std::unique_ptr<Face>> faces_;
    std::map<std::tuple<std::string, int, bool>, Sized> sized_;
};

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The code points of a line of the game's single-byte text; control characters are left out.
std::u32string codePoints(std::string_view line) {
    std::u32string out;
    for (const char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20) out.push_back(codepage::toCodePoint(b));
    }
    return out;
}

// The advance of the line in pixels, kerning included.
float lineWidth(const Sized& f, const std::u32string& chars) {
    float x = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        int advance = 0, lsb = 0;
        stbtt_GetCodepointHMetrics(&f.face->info, static_cast<int>(chars[i]), &advance, &lsb);
        x += static_cast<float>(advance) * f.scale;
        if (i + 1 < chars.size())
            x += static_cast<float>(stbtt_GetCodepointKernAdvance(&f.face->info, static_cast<int>(chars[i]),
                                                                  static_cast<int>(chars[i + 1]))) *
                 f.scale;
    }
    return x;
}

}  // namespace

void PixelSurface::drawText(std::string_view textIn, const Rect& r, unsigned flags) {
    const Sized* f = FontLibrary::instance().get(font_);
    if (f == nullptr) return;
    // Text is clipped to the layout rectangle, as DrawTextA does without DT_NOCLIP.
    const int clipL = std::max(r.left, 0), clipT = std::max(r.top, 0);
    const int clipR = std::min(r.right, width_), clipB = std::min(r.bottom, height_);
    if (clipL >= clipR || clipT >= clipB) return;

    const bool single = (flags & text::kSingleLine) != 0;
    std::vector<std::string_view> lines;
    if (single)
        lines.push_back(textIn);
    else
        lines = splitLines(textIn);

    int y = r.top;
    // Vertical centring applies to single-line layout only.
    if (single && (flags & text::kVCenter) != 0) y = r.top + (r.height() - f->height) / 2;

    std::vector<unsigned char> glyph;
    for (std::string_view line : lines) {
        const std::u32string chars = codePoints(line);
        if (!chars.empty() && y < clipB && y + f->height > clipT) {
            const int textW = static_cast<int>(std::ceil(lineWidth(*f, chars)));
            const int x0 = (flags & text::kCenter) != 0 ? r.left + (r.width() - textW) / 2 : r.left;
            const int baseline = y + f->ascent;
            float pen = 0;
            for (std::size_t i = 0; i < chars.size(); ++i) {
                const int cp = static_cast<int>(chars[i]);
                const float shift = pen - std::floor(pen);
                int gx0 = 0, gy0 = 0, gx1 = 0, gy1 = 0;
                stbtt_GetCodepointBitmapBoxSubpixel(&f->face->info, cp, f->scale, f->scale, shift, 0, &gx0, &gy0, &gx1,
                                                    &gy1);
                const int gw = gx1 - gx0, gh = gy1 - gy0;
                if (gw > 0 && gh > 0) {
                    glyph.assign(static_cast<std::size_t>(gw) * static_cast<std::size_t>(gh), 0);
                    stbtt_MakeCodepointBitmapSubpixel(&f->face->info, glyph.data(), gw, gh, gw, f->scale, f->scale,
                                                      shift, 0, cp);
                    const int left = x0 + static_cast<int>(std::floor(pen)) + gx0, top = baseline + gy0;
                    for (int py = std::max(top, clipT); py < std::min(top + gh, clipB); ++py)
                        for (int px = std::max(left, clipL); px < std::min(left + gw, clipR); ++px)
                            blendPixel(px, py, textColor_,
                                       glyph[static_cast<std::size_t>(py - top) * static_cast<std::size_t>(gw) +
                                             static_cast<std::size_t>(px - left)]);
                }
                int advance = 0, lsb = 0;
                stbtt_GetCodepointHMetrics(&f->face->info, cp, &advance, &lsb);
                pen += static_cast<float>(advance) * f->scale;
                if (i + 1 < chars.size())
                    pen += static_cast<float>(
                               stbtt_GetCodepointKernAdvance(&f->face->info, cp, static_cast<int>(chars[i + 1]))) *
                           f->scale;
            }
        }
        y += f->height;
    }
}

}  // namespace platform
