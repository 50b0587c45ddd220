// PixelSurface: fills, frames, lines and block copies on a retained 32-bit buffer, by GDI's rules.
#include "platform/pixel_surface.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

// Clips the rectangle to 0..w x 0..h; false when nothing is left.
bool clipTo(int w, int h, int& left, int& top, int& right, int& bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, w);
    bottom = std::min(bottom, h);
    return left < right && top < bottom;
}

// A pixel of any surface: the buffer when it is a PixelSurface, pixel() otherwise.
class SourceReader {
public:
    explicit SourceReader(const Surface& s) : surface_(s), pixels_(dynamic_cast<const PixelSurface*>(&s)) {}
    Color at(int x, int y) const {
        if (pixels_ != nullptr) return pixels_->pixels()[static_cast<std::size_t>(y) * pixels_->width() + x];
        return surface_.pixel(x, y);
    }

private:
    const Surface& surface_;
    const PixelSurface* pixels_;
};

}  // namespace

PixelSurface::PixelSurface(int w, int h, Color fill)
    : width_(std::max(w, 0)), height_(std::max(h, 0)), pixels_(static_cast<std::size_t>(width_) * height_, fill) {
    if (width_ == 0 || height_ == 0) {
        width_ = height_ = 0;
        pixels_.clear();
    }
}

Color PixelSurface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void PixelSurface::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = c & 0xFFFFFFu;
}

void PixelSurface::blendPixel(int x, int y, Color c, int alpha) {
    if (alpha <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Color& d = pixels_[static_cast<std::size_t>(y) * width_ + x];
    if (alpha >= 255) {
        d = c & 0xFFFFFFu;
        return;
    }
    auto mix = [alpha](int fg, int bg) { return (fg * alpha + bg * (255 - alpha) + 127) / 255; };
    d = rgb(mix(redOf(c), redOf(d)), mix(greenOf(c), greenOf(d)), mix(blueOf(c), blueOf(d)));
}

void PixelSurface::assign(const Surface& src) {
    if (&src == this) return;
    *this = PixelSurface(src.width(), src.height());
    bitBlt(0, 0, width_, height_, src, 0, 0, Rop::Copy);
}

void PixelSurface::fillRect(const Rect& r, const Brush& brush) {
    int left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    if (!clipTo(width_, height_, left, top, right, bottom)) return;
    const Color c = brush.color & 0xFFFFFFu;
    for (int y = top; y < bottom; ++y) {
        auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        std::fill(row + left, row + right, c);
    }
}

void PixelSurface::frameRect(const Rect& r) {
    // Rectangle normalises its corners; the outline runs through the inner edge pixels.
    const int left = std::min(r.left, r.right), right = std::max(r.left, r.right) - 1;
    const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom) - 1;
    if (right < left || bottom < top) return;
    const int w = std::max(pen_.width, 1);
    const int lo = -(w - 1) / 2, hi = w / 2;  // band of the pen round the outline
    const Brush b{pen_.color};
    fillRect({left + lo, top + lo, right + hi + 1, top + hi + 1}, b);        // top edge
    fillRect({left + lo, bottom + lo, right + hi + 1, bottom + hi + 1}, b);  // bottom edge
    fillRect({left + lo, top + lo, left + hi + 1, bottom + hi + 1}, b);      // left edge
    fillRect({right + lo, top + lo, right + hi + 1, bottom + hi + 1}, b);    // right edge
}

void PixelSurface::moveTo(int x, int y) {
    posX_ = x;
    posY_ = y;
}

void PixelSurface::plotPen(int x, int y) {
    const int w = pen_.width;
    if (w <= 1) {
        setPixel(x, y, pen_.color);
        return;
    }
    // The pixel disc of diameter w centred on (x, y): every pixel centre within w / 2.
    const int reach = w / 2;
    const int limit4 = w * w;  // (2 * distance)^2 <= w^2
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (4 * (dx * dx + dy * dy) <= limit4) setPixel(x + dx, y + dy, pen_.color);
}

void PixelSurface::lineTo(int x1, int y1) {
    int x = posX_, y = posY_;
    const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
    const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    int err = dx + dy;
    while (x != x1 || y != y1) {
        plotPen(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    // A geometric (wide) pen has round caps on both ends, so its end point is painted too.
    if (pen_.width > 1) plotPen(x1, y1);
    posX_ = x1;
    posY_ = y1;
}

void PixelSurface::bitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop rop) {
    if (w <= 0 || h <= 0) return;
    // Clip the source rectangle to the source, moving the destination with it, then to ourselves.
    int left = 0, top = 0, right = w, bottom = h;  // offsets within the copied block
    left = std::max({left, -sx, -dx});
    top = std::max({top, -sy, -dy});
    right = std::min({right, src.width() - sx, width_ - dx});
    bottom = std::min({bottom, src.height() - sy, height_ - dy});
    if (left >= right || top >= bottom) return;

    // Copying within one surface reads from a snapshot of the block, so overlaps come out right.
    PixelSurface snapshot;
    const Surface* from = &src;
    int fx = sx, fy = sy;
    if (&src == this) {
        snapshot = PixelSurface(right - left, bottom - top);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) snapshot.setPixel(x - left, y - top, pixel(sx + x, sy + y));
        from = &snapshot;
        fx = -left;
        fy = -top;
    }
    const SourceReader reader(*from);
    for (int y = top; y < bottom; ++y) {
        Color* row = pixels_.data() + static_cast<std::size_t>(dy + y) * width_ + dx;
        for (int x = left; x < right; ++x) {
            const Color s = reader.at(fx + x, fy + y) & 0xFFFFFFu;
            switch (rop) {
                case Rop::Copy: row[x] = s; break;
                case Rop::Or: row[x] |= s; break;
                case Rop::And: row[x] &= s; break;
            }
        }
    }
}

void PixelSurface::stretchBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    PixelSurface snapshot;
    const Surface* from = &src;
    if (&src == this) {
        snapshot = *this;
        from = &snapshot;
    }
    const SourceReader reader(*from);
    const int srcW = from->width(), srcH = from->height();
    int left = dx, top = dy, right = dx + dw, bottom = dy + dh;
    if (!clipTo(width_, height_, left, top, right, bottom)) return;
    for (int y = top; y < bottom; ++y) {
        // The source pixel under the centre of the destination pixel.
        const long long syy = sy + ((2LL * (y - dy) + 1) * sh) / (2LL * dh);
        if (syy < 0 || syy >= srcH) continue;
        for (int x = left; x < right; ++x) {
            const long long sxx = sx + ((2LL * (x - dx) + 1) * sw) / (2LL * dw);
            if (sxx < 0 || sxx >= srcW) continue;
            pixels_[static_cast<std::size_t>(y) * width_ + x] =
                reader.at(static_cast<int>(sxx), static_cast<int>(syy)) & 0xFFFFFFu;
        }
    }
}

std::unique_ptr<Surface> SoftGraphics::createSurface(int w, int h) { return std::make_unique<PixelSurface>(w, h); }

}  // namespace platform
