// Drawing surfaces: retained 32-bit pixel buffers with the GDI-like operations the game draws with.
// A back end supplies the surfaces; the game only ever sees this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// A colour as 0x00BBGGRR, the layout of a Windows COLORREF, so RGB values read the same everywhere.
using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// A rectangle whose right and bottom edges are exclusive, as GDI's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A solid brush.
struct Brush {
    Color color = 0;
};

// A solid pen of 1 or 3 pixels.
struct Pen {
    Color color = 0;
    int width = 1;
};

// A font: family name as the game asks for it, size in points at 96 dpi, weight.
struct Font {
    std::string family = "MS Sans Serif";
    double points = 12.0;
    bool bold = false;
};

// Raster operations of block copies: SRCCOPY, SRCPAINT (OR) and SRCAND (AND).
enum class Rop { Copy, Or, And };

// Text layout flags with the values of DrawTextA's DT_ flags.
namespace text {
constexpr unsigned kLeft = 0x0;
constexpr unsigned kCenter = 0x1;
constexpr unsigned kVCenter = 0x4;
constexpr unsigned kSingleLine = 0x20;
}  // namespace text

class Surface {
public:
    virtual ~Surface() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills r with the brush; right and bottom edges are exclusive.
    virtual void fillRect(const Rect& r, const Brush& brush) = 0;
    // Chooses the pen for frameRect and lineTo.
    virtual void selectPen(const Pen& pen) = 0;
    // A hollow rectangle outline with the current pen (GDI's Rectangle with a hollow brush).
    virtual void frameRect(const Rect& r) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the current position to (x, y) with the current pen; the end point is not drawn.
    virtual void lineTo(int x, int y) = 0;
    // Copies w x h pixels from src at (sx, sy) to (dx, dy), combined by rop. Clipped to both surfaces.
    virtual void bitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop rop) = 0;
    // Stretches the source rectangle over the destination rectangle (plain copy).
    virtual void stretchBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh) = 0;

    virtual void setFont(const Font& font) = 0;
    virtual const Font& font() const = 0;
    virtual void setTextColor(Color c) = 0;
    // Draws single-byte text in r with DrawTextA's layout flags, transparent background.
    // Without kSingleLine each line feed starts a new line, laid out from the top left, no wrapping.
    virtual void drawText(std::string_view text, const Rect& r, unsigned flags) = 0;

    // Reads one pixel back (tests and snapshots); outside the surface gives 0.
    virtual Color pixel(int x, int y) const = 0;
};

// Makes surfaces and loads bitmaps.
class Graphics {
public:
    virtual ~Graphics() = default;
    // A new memory surface of w x h pixels, filled with black.
    virtual std::unique_ptr<Surface> createSurface(int w, int h) = 0;
    // Loads a 24- or 32-bit BMP file. A missing or unreadable file gives an empty (0 x 0) surface.
    virtual std::unique_ptr<Surface> loadBitmap(const std::string& path) = 0;
};

}  // namespace platform
