// Text on PixelSurfaces: fontconfig finds a font file for the game's Windows family names, SDL_ttf
// renders the glyphs, and the layout follows DrawTextA's flags.
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/codepage.h"
#include "platform/pixel_surface.h"

namespace platform {

namespace {

// Installed metric-compatible families for the Windows families the game asks for.
struct FamilySubstitute {
    std::string_view windows;
    std::string_view local;
};
constexpr FamilySubstitute kFamilySubstitutes[] = {
    {"Times New Roman", "Liberation Serif"}, {"Arial Narrow", "Liberation Sans Narrow"},
    {"MS Sans Serif", "Liberation Sans"},    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
};
constexpr const char* kFallbackFamily = "sans-serif";

// The screen resolution that font points are measured against.
constexpr double kDpi = 96.0;

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

struct FontCloser {
    void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
struct SurfaceFreer {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// Opened fonts by family, pixel size and weight, for the life of the program. A font that cannot
// be found is remembered as missing too, so the search runs once.
class FontLibrary {
public:
    static FontLibrary& instance() {
        static FontLibrary library;
        return library;
    }

    TTF_Font* get(const Font& font) {
        if (!ready_) return nullptr;
        const int px = std::max(1, static_cast<int>(std::lround(font.points * kDpi / 72.0)));
        const auto key = std::make_tuple(font.family, px, font.bold);
        if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.get();
        std::unique_ptr<TTF_Font, FontCloser> opened;
        const Face face = resolve(font.family, font.bold);
        if (!face.file.empty()) {
            opened.reset(TTF_OpenFont(face.file.c_str(), px));
            if (opened && font.bold && !face.bold) TTF_SetFontStyle(opened.get(), TTF_STYLE_BOLD);
        }
        TTF_Font* result = opened.get();
        fonts_.emplace(key, std::move(opened));
        return result;
    }

    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

private:
    struct Face {
        std::string file;
        bool bold = false;
    };

    FontLibrary() {
        ready_ = TTF_Init() == 0;
        fcReady_ = FcInit() == FcTrue;
    }
    ~FontLibrary() {
        fonts_.clear();
        if (ready_) TTF_Quit();
        if (fcReady_) FcFini();
    }

    // The font file for a family: its installed substitute when it has one, else the family
    // itself, else the default sans font. Empty when fontconfig finds nothing usable.
    Face resolve(const std::string& family, bool bold) {
        std::string wanted = family;
        for (const auto& s : kFamilySubstitutes)
            if (sameName(s.windows, family)) wanted = std::string(s.local);
        Face face = match(wanted.c_str(), bold, true);
        if (face.file.empty()) face = match(kFallbackFamily, bold, false);
        return face;
    }

    Face match(const char* family, bool bold, bool exactFamily) {
        Face face;
        if (!fcReady_) return face;
        FcPattern* pattern = FcPatternCreate();
        if (pattern == nullptr) return face;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* found = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (found == nullptr) return face;
        FcChar8* file = nullptr;
        FcChar8* foundFamily = nullptr;
        int weight = FC_WEIGHT_REGULAR;
        const bool familyOk = !exactFamily || (FcPatternGetString(found, FC_FAMILY, 0, &foundFamily) == FcResultMatch &&
                                               sameName(reinterpret_cast<const char*>(foundFamily), family));
        if (familyOk && FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
            face.file = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(found, FC_WEIGHT, 0, &weight) == FcResultMatch)
                face.bold = weight >= FC_WEIGHT_BOLD;
        }
        FcPatternDestroy(found);
        return face;
    }

    bool ready_ = false;
    bool fcReady_ = false;
    std::map<std::tuple<std::string, int, bool>, std::unique_ptr<TTF_Font, FontCloser>> fonts_;
};

// Splits text into lines at CR LF, LF or CR.
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

}  // namespace

void PixelSurface::drawText(std::string_view textIn, const Rect& r, unsigned flags) {
    TTF_Font* ttf = FontLibrary::instance().get(font_);
    if (ttf == nullptr) return;
    // Text is clipped to the layout rectangle, as DrawTextA does without DT_NOCLIP.
    int clipL = r.left, clipT = r.top, clipR = r.right, clipB = r.bottom;
    clipL = std::max(clipL, 0);
    clipT = std::max(clipT, 0);
    clipR = std::min(clipR, width_);
    clipB = std::min(clipB, height_);
    if (clipL >= clipR || clipT >= clipB) return;

    const bool single = (flags & text::kSingleLine) != 0;
    std::vector<std::string_view> lines;
    if (single)
        lines.push_back(textIn);
    else
        lines = splitLines(textIn);

    const int lineHeight = TTF_FontHeight(ttf);
    int y = r.top;
    // Vertical centring applies to single-line layout only.
    if (single && (flags & text::kVCenter) != 0) y = r.top + (r.height() - lineHeight) / 2;

    for (std::string_view line : lines) {
        const std::string utf8 = codepage::toUtf8(line, false);
        if (!utf8.empty() && y < clipB && y + lineHeight > clipT) {
            int textW = 0, textH = 0;
            TTF_SizeUTF8(ttf, utf8.c_str(), &textW, &textH);
            const int x = (flags & text::kCenter) != 0 ? r.left + (r.width() - textW) / 2 : r.left;
            std::unique_ptr<SDL_Surface, SurfaceFreer> glyphs(
                TTF_RenderUTF8_Blended(ttf, utf8.c_str(), SDL_Color{255, 255, 255, 255}));
            if (glyphs && glyphs->format->BytesPerPixel == 4 && SDL_LockSurface(glyphs.get()) == 0) {
                const auto* base = static_cast<const std::uint8_t*>(glyphs->pixels);
                const Uint32 aMask = glyphs->format->Amask;
                const int aShift = glyphs->format->Ashift;
                const int x0 = std::max(clipL, x), x1 = std::min(clipR, x + glyphs->w);
                const int y0 = std::max(clipT, y), y1 = std::min(clipB, y + glyphs->h);
                for (int py = y0; py < y1; ++py) {
                    const auto* src =
                        reinterpret_cast<const Uint32*>(base + static_cast<std::ptrdiff_t>(py - y) * glyphs->pitch);
                    for (int px = x0; px < x1; ++px)
                        blendPixel(px, py, textColor_, static_cast<int>((src[px - x] & aMask) >> aShift));
                }
                SDL_UnlockSurface(glyphs.get());
            }
        }
        y += lineHeight;
    }
}

}  // namespace platform
