// The software rasterizer: a retained 32-bit pixel buffer with GDI's drawing rules, the Graphics
// that makes such surfaces and reads BMP files, and a PNG writer for snapshots of any surface.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace platform {

// A w x h buffer of Color values (0x00BBGGRR), row by row from the top. Every back end draws
// through this class, so a snapshot taken in a test is the picture a player sees.
//
// Rules, as GDI's:
// - fillRect: right and bottom edges exclusive.
// - frameRect: with a 1-pixel pen the outline lies on the rectangle's inner edge pixels
//   (columns left and right-1, rows top and bottom-1). A wider pen is centred on that outline.
// - lineTo: a 1-pixel pen draws the Bresenham line without its end point (a cosmetic pen).
//   A wider pen (a geometric pen with round ends) stamps a disc of the pen's diameter on every
//   pixel of the line, end point included; for 3 pixels the disc is the 3 x 3 square, which gives
//   3 rows for a horizontal line and the 5 diagonals within 1.5 pixels of a 45-degree line.
// - bitBlt: copy, OR or AND, clipped to the source and the destination.
// - stretchBlt: nearest neighbour, plain copy, clipped.
// - drawText: transparent background, anti-aliased glyphs blended in the text colour, clipped to
//   the layout rectangle (DrawTextA without DT_NOCLIP).
class PixelSurface final : public Surface {
public:
    PixelSurface() = default;
    PixelSurface(int w, int h, Color fill = 0);

    int width() const override { return width_; }
    int height() const override { return height_; }

    void fillRect(const Rect& r, const Brush& brush) override;
    void selectPen(const Pen& pen) override { pen_ = pen; }
    void frameRect(const Rect& r) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void bitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop rop) override;
    void stretchBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh) override;

    void setFont(const Font& font) override { font_ = font; }
    const Font& font() const override { return font_; }
    void setTextColor(Color c) override { textColor_ = c; }
    void drawText(std::string_view text, const Rect& r, unsigned flags) override;

    Color pixel(int x, int y) const override;

    // Direct access for back ends, loaders and tests.
    void setPixel(int x, int y, Color c);
    // Blends c over the pixel with coverage alpha 0..255.
    void blendPixel(int x, int y, Color c, int alpha);
    std::span<const Color> pixels() const { return pixels_; }
    std::span<Color> pixels() { return pixels_; }
    const Pen& pen() const { return pen_; }
    Color textColor() const { return textColor_; }
    // Resizes to w x h and takes the picture of src (any Surface).
    void assign(const Surface& src);

private:
    void plotPen(int x, int y);

    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
    Pen pen_{};
    Font font_{};
    Color textColor_ = 0;
    int posX_ = 0;
    int posY_ = 0;
};

// Graphics that makes PixelSurfaces and reads 24- and 32-bit BMP files with its own reader.
class SoftGraphics final : public Graphics {
public:
    std::unique_ptr<Surface> createSurface(int w, int h) override;
    std::unique_ptr<Surface> loadBitmap(const std::string& path) override;
};

// Reads a 24- or 32-bit uncompressed BMP (bottom-up or top-down) from memory. Anything else, or a
// damaged file, gives an empty 0 x 0 surface.
PixelSurface decodeBmp(std::span<const std::uint8_t> bytes);

// Writes the surface as an 8-bit RGB PNG file; false when the file cannot be written.
bool savePng(const Surface& surface, const std::string& path);

}  // namespace platform
