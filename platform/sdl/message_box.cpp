// The message box: layout, its picture, and the keys and presses that close it.
#include "message_box.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/window.h"

namespace platform {

namespace {

constexpr Color kBackground = rgb(240, 240, 240);
constexpr Color kText = rgb(0, 0, 0);
constexpr Color kButtonFace = rgb(225, 225, 225);
constexpr Color kButtonFrame = rgb(112, 112, 112);
constexpr Color kFocusFrame = rgb(0, 84, 153);
const Font kFont{"MS Sans Serif", 10, false};

constexpr int kMargin = 18;
constexpr int kMinTextWidth = 260;
constexpr int kMaxTextWidth = 520;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kMeasureWidth = 4096;

// The right edge of the ink of text drawn from x = 0 on one line, and the line's height.
class Measure {
public:
    Measure() : scratch_(kMeasureWidth, 64) { scratch_.setFont(kFont); }

    int width(std::string_view text) {
        if (text.empty()) return 0;
        scratch_.fillRect({0, 0, kMeasureWidth, 64}, Brush{0});
        scratch_.setTextColor(rgb(255, 255, 255));
        scratch_.drawText(text, {0, 0, kMeasureWidth, 64}, text::kSingleLine);
        for (int x = kMeasureWidth - 1; x >= 0; --x)
            for (int y = 0; y < 64; ++y)
                if (scratch_.pixel(x, y) != 0) return x + 1;
        return 0;
    }
    int lineHeight() {
        // The height of a line as the layout spaces lines: "Ag" drawn twice, one line apart.
        scratch_.fillRect({0, 0, kMeasureWidth, 64}, Brush{0});
        scratch_.setTextColor(rgb(255, 255, 255));
        scratch_.drawText("|\n|", {0, 0, kMeasureWidth, 64}, 0);
        int top = -1, bottom = -1;
        for (int y = 0; y < 64; ++y)
            if (scratch_.pixel(1, y) != 0 || scratch_.pixel(2, y) != 0 || scratch_.pixel(0, y) != 0) {
                if (top < 0) top = y;
                bottom = y;
            }
        return top < 0 ? 16 : std::max(12, (bottom - top + 1) / 2 + 2);
    }

private:
    PixelSurface scratch_;
};

// The text in lines of at most maxWidth pixels: its own line breaks kept, words wrapped, a word
// wider than a line cut where it must be.
std::vector<std::string> wrap(std::string_view text, int maxWidth, Measure& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        std::string line;
        std::size_t at = 0;
        while (at < paragraph.size()) {
            const std::size_t space = paragraph.find(' ', at);
            const std::size_t wordEnd = space == std::string_view::npos ? paragraph.size() : space;
            std::string word(paragraph.substr(at, wordEnd - at));
            const std::string tried = line.empty() ? word : line + " " + word;
            if (measure.width(tried) <= maxWidth || line.empty()) {
                line = tried;
                // A single word wider than the line is cut.
                while (measure.width(line) > maxWidth && line.size() > 1) {
                    std::size_t cut = line.size() - 1;
                    while (cut > 1 && measure.width(line.substr(0, cut)) > maxWidth) --cut;
                    lines.push_back(line.substr(0, cut));
                    line = line.substr(cut);
                }
            } else {
                lines.push_back(line);
                line = word;
            }
            at = wordEnd + 1;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class MessageBoxWindow final : public WindowHandler {
public:
    MessageBoxWindow(std::string_view caption, std::string_view text) : caption_(caption) {
        Measure measure;
        const int lineHeight = measure.lineHeight();
        int textWidth = kMinTextWidth;
        lines_ = wrap(text, kMaxTextWidth, measure);
        for (const std::string& line : lines_) textWidth = std::max(textWidth, measure.width(line));
        width_ = textWidth + 2 * kMargin;
        const int textHeight = static_cast<int>(lines_.size()) * lineHeight;
        height_ = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
        button_ = {(width_ - kButtonWidth) / 2, height_ - kMargin - kButtonHeight, (width_ + kButtonWidth) / 2,
                   height_ - kMargin};
        picture_ = std::make_unique<PixelSurface>(width_, height_, kBackground);
        picture_->setFont(kFont);
        picture_->setTextColor(kText);
        int y = kMargin;
        for (const std::string& line : lines_) {
            picture_->drawText(line, {kMargin, y, width_ - kMargin + 2, y + lineHeight + 4}, 0);
            y += lineHeight;
        }
        drawButton();
    }

    int width() const { return width_; }
    int height() const { return height_; }
    const Surface& picture() const { return *picture_; }
    void attach(Window* window) { window_ = window; }

    void onMouseDown(int, int, double x, double y) override {
        if (x > button_.left && x < button_.right && y > button_.top && y < button_.bottom) close();
    }
    void onKeyPress(char32_t ch) override {
        if (ch == key::kEnter || ch == key::kEscape || ch == U' ') close();
    }

private:
    void drawButton() {
        picture_->fillRect(button_, Brush{kButtonFace});
        picture_->selectPen(Pen{kButtonFrame, 1});
        picture_->frameRect(button_);
        // The button has the focus: Enter presses it.
        picture_->selectPen(Pen{kFocusFrame, 1});
        picture_->frameRect({button_.left + 1, button_.top + 1, button_.right - 1, button_.bottom - 1});
        picture_->setTextColor(kText);
        picture_->drawText("OK", button_, text::kCenter | text::kVCenter | text::kSingleLine);
    }
    void close() {
        if (window_ != nullptr && window_->isOpen()) window_->close();
    }

    std::string caption_;
    std::vector<std::string> lines_;
    int width_ = 0;
    int height_ = 0;
    Rect button_;
    std::unique_ptr<PixelSurface> picture_;
    Window* window_ = nullptr;
};

}  // namespace

bool showMessageBox(Ui& ui, std::string_view caption, std::string_view text) {
    MessageBoxWindow box(caption, text);
    WindowOptions options;
    options.caption = std::string(caption);
    options.clientWidth = box.width();
    options.clientHeight = box.height();
    options.minimizeBox = false;
    std::unique_ptr<Window> window = ui.createWindow(box, options);
    if (!window) return false;
    box.attach(window.get());
    window->present(box.picture());
    ui.runModal(*window);
    return true;
}

}  // namespace platform
