// Graphics whose surfaces note every text drawn on them, with its box, flags and font, for the
// tests that measure each text against the box it was drawn in.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/graphics.h"
#include "platform/pixel_surface.h"

namespace texttest {

struct DrawnText {
    std::string text;
    platform::Rect box;
    unsigned flags;
    platform::Font font;
    bool operator<(const DrawnText& o) const {
        return std::tie(text, box.left, box.top, box.right, box.bottom, flags, font.family, font.points, font.bold) <
               std::tie(o.text, o.box.left, o.box.top, o.box.right, o.box.bottom, o.flags, o.font.family, o.font.points,
                        o.font.bold);
    }
};

// Surfaces that note every text drawn on them.
class NotingSurface final : public platform::Surface {
public:
    NotingSurface(std::unique_ptr<platform::Surface> inner, std::set<DrawnText>& log)
        : inner_(std::move(inner)), log_(log) {}
    int width() const override { return inner_->width(); }
    int height() const override { return inner_->height(); }
    void fillRect(const platform::Rect& r, const platform::Brush& b) override { inner_->fillRect(r, b); }
    void selectPen(const platform::Pen& pen) override { inner_->selectPen(pen); }
    void frameRect(const platform::Rect& r) override { inner_->frameRect(r); }
    void moveTo(int x, int y) override { inner_->moveTo(x, y); }
    void lineTo(int x, int y) override { inner_->lineTo(x, y); }
    void bitBlt(int dx, int dy, int w, int h, const platform::Surface& src, int sx, int sy,
                platform::Rop rop) override {
        inner_->bitBlt(dx, dy, w, h, unwrap(src), sx, sy, rop);
    }
    void stretchBlt(int dx, int dy, int dw, int dh, const platform::Surface& src, int sx, int sy, int sw,
                    int sh) override {
        inner_->stretchBlt(dx, dy, dw, dh, unwrap(src), sx, sy, sw, sh);
    }
    void setFont(const platform::Font& font) override { inner_->setFont(font); }
    const platform::Font& font() const override { return inner_->font(); }
    void setTextColor(platform::Color c) override { inner_->setTextColor(c); }
    void drawText(std::string_view text, const platform::Rect& r, unsigned flags) override {
        log_.insert({std::string(text), r, flags, inner_->font()});
        inner_->drawText(text, r, flags);
    }
    platform::Color pixel(int x, int y) const override { return inner_->pixel(x, y); }

private:
    static const platform::Surface& unwrap(const platform::Surface& s) {
        const auto* noting = dynamic_cast<const NotingSurface*>(&s);
        return noting != nullptr ? *noting->inner_ : s;
    }
    std::unique_ptr<platform::Surface> inner_;
    std::set<DrawnText>& log_;
};

class NotingGraphics final : public platform::Graphics {
public:
    std::unique_ptr<platform::Surface> createSurface(int w, int h) override {
        return std::make_unique<NotingSurface>(soft_.createSurface(w, h), drawn);
    }
    std::unique_ptr<platform::Surface> loadBitmap(const std::string& path) override { return soft_.loadBitmap(path); }
    std::set<DrawnText> drawn;

private:
    platform::SoftGraphics soft_;
};

}  // namespace texttest
