// Every text of the main menu, the side panels and the results, in every language, drawn by GDI in
// the fonts the program ships and stands in with, fits the box it is drawn in: no letter cut off at
// either end.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frm_play_fixture.h"
#include "game/ui/catalogue.h"
#include "game/ui/strings.h"
#include "platform/pixel_surface.h"
#include "platform/win32.h"

namespace {

struct DrawnText {
    std::string text;
    platform::Rect box;
    unsigned flags;
    platform::Font font;
};

// A PixelSurface that notes every text drawn on it.
class NotingSurface final : public platform::Surface {
public:
    NotingSurface(std::unique_ptr<platform::Surface> inner, std::vector<DrawnText>& log)
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
        log_.push_back({std::string(text), r, flags, inner_->font()});
        inner_->drawText(text, r, flags);
    }
    platform::Color pixel(int x, int y) const override { return inner_->pixel(x, y); }

private:
    static const platform::Surface& unwrap(const platform::Surface& s) {
        const auto* noting = dynamic_cast<const NotingSurface*>(&s);
        return noting != nullptr ? *noting->inner_ : s;
    }
    std::unique_ptr<platform::Surface> inner_;
    std::vector<DrawnText>& log_;
};

class NotingGraphics final : public platform::Graphics {
public:
    std::unique_ptr<platform::Surface> createSurface(int w, int h) override {
        return std::make_unique<NotingSurface>(soft_.createSurface(w, h), drawn);
    }
    std::unique_ptr<platform::Surface> loadBitmap(const std::string& path) override {
        return soft_.loadBitmap(path);
    }
    std::vector<DrawnText> drawn;

private:
    platform::SoftGraphics soft_;
};

TEST(TextFit, EveryTextOfTheMenuThePanelsAndTheResultsFitsItsBoxInEveryLanguage) {
    std::vector<std::string> codes{"en"};
    for (const auto& c : game::ui::catalogues()) codes.emplace_back(c.code);
    for (const std::string& code : codes) {
        game::ui::setTextLanguage(code);
        NotingGraphics graphics;
        frmtest::PlayWindow w(false, &graphics);
        for (int i = 1; i <= game::ui::window::kMenuEntries; ++i) {  // each entry lit by the pointer
            const auto& entry = w.frm->mmBtn(i);
            w.move(entry.x + entry.wid / 2.0, entry.y + entry.ht / 2.0);
        }
        w.startClassic(frmtest::kRow4x4, frmtest::kSeed);
        for (int n = game::ui::kFirstCommand; n <= game::ui::kLastItem; ++n) {  // each command lit too
            const auto& item = w.frm->regions().item(n);
            w.move(item.x + item.wid / 2.0, item.y + item.ht / 2.0);
        }
        const auto& showSolution = w.frm->regions().item(13);
        w.pressAt(showSolution.x + showSolution.wid / 2.0, showSolution.y + showSolution.ht / 2.0);
        ASSERT_EQ(w.session->phase(), game::Phase::Results);

        int checked = 0;
        for (const DrawnText& d : graphics.drawn) {
            if ((d.flags & platform::text::kSingleLine) == 0 || d.text.empty()) continue;
            const platform::Size size = platform::textExtent(d.font, d.text);
            ASSERT_GT(size.width, 0) << d.text;
            EXPECT_LE(size.width, d.box.right - d.box.left)
                << code << ": \"" << d.text << "\" in " << d.font.family << (d.font.bold ? " bold " : " ")
                << d.font.points << " pt is " << size.width << " pixels wide in a box of " << d.box.right - d.box.left;
            ++checked;
        }
        // The six entries, the panel's commands, the results' lines.
        EXPECT_GE(checked, 20) << code;
        for (const game::ui::StringId id :
             {game::ui::StringId::MenuHallOfFameClassic, game::ui::StringId::MenuHallOfFameArcade}) {
            const std::string_view text = game::ui::loadResString(id);
            EXPECT_TRUE(std::any_of(graphics.drawn.begin(), graphics.drawn.end(),
                                    [&](const DrawnText& d) { return d.text == text; }))
                << code << ": " << text << " was not drawn";
        }
    }
    game::ui::setTextLanguage("en");
}

}  // namespace
