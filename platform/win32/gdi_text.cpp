// Text on PixelSurfaces drawn by GDI itself: CreateFontA with the family, size and weight the game
// asks for, DrawTextA with its layout flags, into a DIB section that holds the surface's pixels
// under the text rectangle, which then go back to the surface. The fonts that ship in the program
// folder are the process's own (private) fonts, and stand in for families Windows may lack.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "platform/library.h"
#include "platform/pixel_surface.h"
#include "platform/win32.h"

namespace platform {

namespace {

// The screen resolution that font points are measured against.
constexpr int kDpi = 96;
constexpr int kPointsPerInch = 72;

// The font files of the program folder, and the family each stands in for when Windows lacks it:
// "Arial Narrow" comes with Office, not with Windows, and Liberation Sans Narrow has its metrics.
constexpr const wchar_t* kFontFiles[] = {L"LiberationSansNarrow-Regular.ttf", L"LiberationSansNarrow-Bold.ttf"};
struct StandIn {
    const char* family;
    const char* standIn;
};
constexpr StandIn kStandIns[] = {{"Arial Narrow", "Liberation Sans Narrow"}};

int CALLBACK noteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether GDI knows the family (the system's fonts and the process's own).
bool hasFamily(HDC dc, const std::string& family) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, family.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(dc, &wanted, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// A surface colour (0x00BBGGRR) as a DIB pixel (0x00RRGGBB), and back: the same swap both ways.
constexpr std::uint32_t swapRedBlue(std::uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// The fonts made so far, by family, pixel height and weight, for the life of the program; and the
// memory device context that text is drawn in.
class GdiText {
public:
    static GdiText& instance() {
        static GdiText text;
        return text;
    }
    GdiText(const GdiText&) = delete;
    GdiText& operator=(const GdiText&) = delete;

    HDC dc() const { return dc_; }

    HFONT font(const Font& font) {
        // A negative height asks for the character height (the em size) in pixels, as points do.
        const int px = std::max(1, static_cast<int>(std::lround(font.points * kDpi / kPointsPerInch)));
        const auto key = std::make_tuple(font.family, px, font.bold);
        if (const auto it = fonts_.find(key); it != fonts_.end()) return it->second;
        HFONT f = CreateFontA(-px, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              familyFor(font.family).c_str());
        fonts_.emplace(key, f);
        return f;
    }

private:
    GdiText() : dc_(CreateCompatibleDC(nullptr)) { loadProgramFonts(); }

    // The family asked for, or the one that stands in for it when GDI lacks it.
    std::string familyFor(const std::string& family) {
        for (const StandIn& s : kStandIns)
            if (family == s.family) {
                const auto it = standIns_.find(family);
                if (it != standIns_.end()) return it->second;
                const std::string use = hasFamily(dc_, family) ? family : s.standIn;
                standIns_.emplace(family, use);
                return use;
            }
        return family;
    }

    ~GdiText() {
        for (auto& [key, f] : fonts_)
            if (f != nullptr) DeleteObject(f);
        if (dc_ != nullptr) DeleteDC(dc_);
    }

    HDC dc_;
    std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
    std::map<std::string, std::string> standIns_;
};

}  // namespace

void loadProgramFonts() {
    static const bool loaded = [] {
        const std::filesystem::path folder = filePath(programFolder());
        for (const wchar_t* file : kFontFiles) AddFontResourceExW((folder / file).c_str(), FR_PRIVATE, nullptr);
        return true;
    }();
    (void)loaded;
}

Size textExtent(const Font& font, std::string_view text) {
    GdiText& gdi = GdiText::instance();
    HFONT f = gdi.font(font);
    if (gdi.dc() == nullptr || f == nullptr) return {};
    HGDIOBJ old = SelectObject(gdi.dc(), f);
    RECT box{0, 0, 0, 0};
    const std::string s(text);
    DrawTextA(gdi.dc(), s.c_str(), static_cast<int>(s.size()), &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(gdi.dc(), old);
    return {box.right - box.left, box.bottom - box.top};
}

void PixelSurface::drawText(std::string_view textIn, const Rect& r, unsigned flags) {
    // Only the part of the layout rectangle on the surface can change: DrawTextA without
    // DT_NOCLIP keeps the text inside the rectangle.
    const int clipL = std::max(r.left, 0), clipT = std::max(r.top, 0);
    const int clipR = std::min(r.right, width_), clipB = std::min(r.bottom, height_);
    if (clipL >= clipR || clipT >= clipB || textIn.empty()) return;
    const int w = clipR - clipL, h = clipB - clipT;

    GdiText& gdi = GdiText::instance();
    HFONT font = gdi.font(font_);
    if (gdi.dc() == nullptr || font == nullptr) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows, as the surface keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(gdi.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib == nullptr || bits == nullptr) return;
    auto* dibPixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dibPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                swapRedBlue(pixels_[static_cast<std::size_t>(clipT + y) * static_cast<std::size_t>(width_) +
                                    static_cast<std::size_t>(clipL + x)]);

    HGDIOBJ oldBitmap = SelectObject(gdi.dc(), dib);
    HGDIOBJ oldFont = SelectObject(gdi.dc(), font);
    SetBkMode(gdi.dc(), TRANSPARENT);
    SetTextColor(gdi.dc(), static_cast<COLORREF>(textColor_));  // Color has COLORREF's layout
    RECT box{r.left - clipL, r.top - clipT, r.right - clipL, r.bottom - clipT};
    const std::string text(textIn);
    DrawTextA(gdi.dc(), text.c_str(), static_cast<int>(text.size()), &box, flags);
    GdiFlush();
    SelectObject(gdi.dc(), oldFont);
    SelectObject(gdi.dc(), oldBitmap);

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels_[static_cast<std::size_t>(clipT + y) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(clipL + x)] =
                swapRedBlue(dibPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                      static_cast<std::size_t>(x)]) &
                0x00FFFFFF;
    DeleteObject(dib);
}

}  // namespace platform
