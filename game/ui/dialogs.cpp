// The question box and the end-of-game box: layout, looks, keys and hover, shown modally.
#include "game/ui/dialogs.h"

#include <vector>

#include "game/play/flow.h"
#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game/ui/strings.h"

namespace game::ui {

using dialog::kMargin;

ModalDialog::~ModalDialog() = default;

void ModalDialog::load() {
    closed_ = false;
    surface_ = graphics_.createSurface(clientWidth(), clientHeight());
    platform::WindowOptions options;
    options.caption = std::string(caption());
    options.clientWidth = clientWidth();
    options.clientHeight = clientHeight();
    options.minimizeBox = false;
    window_ = ui_.createWindow(*this, options);
    openedMs_ = ui_.nowMs();
    surface_->setFont(platform::Font{dialog::kFontFamily, dialog::kTextPoints, false});
    paint();
    refresh();
}

void ModalDialog::unload() { window_.reset(); }

void ModalDialog::showModal() {
    load();
    if (!closed_ && window_) ui_.runModal(*window_);
    unload();
}

void ModalDialog::refresh() {
    if (window_ && surface_) window_->present(*surface_);
}

void ModalDialog::close() {
    if (window_ && window_->isOpen()) window_->close();
    closed_ = true;
}

bool ModalDialog::tooEarly(char32_t ch) const {
    return (ch == platform::key::kEnter || ch == platform::key::kEscape) &&
           ui_.nowMs() - openedMs_ < dialog::kKeySettleMs;
}

void ModalDialog::tell(std::string_view message) { ui_.messageBox(kAppTitle, message); }

int ModalDialog::tabTarget(int current, int count, int shift) {
    if (count <= 0) return 0;
    if ((shift & platform::modifier::kShift) != 0) return current <= 1 ? count : current - 1;
    return current >= count ? 1 : current + 1;
}

BoxInfo ModalDialog::buttonBox(int left, int top, int width) const {
    BoxInfo b;
    b.surface = surface_.get();
    b.x = left;
    b.y = top;
    b.wid = width;
    b.ht = dialog::kButtonHeight;
    b.brush = brDialog;
    b.pen = penDialog;
    b.textColor = clrDialogButton;
    return b;
}

// ---- frmOKCancel

void FrmOKCancel::paint() {
    clickedBtnNum_ = -1;
    platform::Surface& s = canvas();
    BoxInfo back;
    back.surface = &s;
    back.x = 1;
    back.y = 1;
    back.wid = layoutWidth() - 2;
    back.ht = layoutHeight() - 2;
    back.brush = brDialog;
    fillBox(back);

    BoxInfo question = back;
    question.x = kMargin;
    question.y = kMargin;
    question.wid = back.wid - 2 * kMargin;
    question.ht = back.ht - 4 * kMargin;
    question.textColor = clrDialogText;
    // Vertical centring alone: multi-line layout ignores it, the text sits at the top left.
    drawShadowText(question, dialog::kQuestionShift, loadResString(StringId::SavedGameQuestion),
                   static_cast<int>(platform::text::kVCenter));

    setFontSize(s, dialog::kButtonPoints);
    const int top = back.ht - 2 * kMargin;
    buttons_[0] = buttonBox(dialog::kOkCancelButton1Left, top, dialog::kOkCancelButtonWidth);
    buttons_[1] = buttonBox(dialog::kOkCancelButton2Left, top, dialog::kOkCancelButtonWidth);
    drawButton(1, false);
    drawButton(2, false);
}

void FrmOKCancel::drawButton(int n, bool hot) {
    BoxInfo& b = buttons_[index(n)];
    // Button n's caption is entry 230 + n.
    const std::string_view text = loadResString(offsetString(StringId::SavedGameQuestion, n));
    if (hot)
        drawTextBtn(b, FrameStyle::Double, true, dialog::kHoverShift, text);
    else
        drawTextBtn(b, FrameStyle::Single, false, dialog::kOkCancelNormalShift, text);
    b.hover = hot;
}

void FrmOKCancel::onKeyPress(char32_t ch) {
    if (tooEarly(ch)) return;
    if (ch == platform::key::kEnter) {
        clickedBtnNum_ = static_cast<std::int16_t>(tabbed_ != 0 ? tabbed_ : 1);
        close();
    } else if (ch == platform::key::kEscape) {
        clickedBtnNum_ = 2;
        close();
    }
}

void FrmOKCancel::onKeyDown(platform::Key key, int shift) {
    if (key != platform::Key::Tab) return;
    tabbed_ = tabTarget(tabbed_, 2, shift);
    for (int n = 1; n <= 2; ++n)
        if ((n == tabbed_) != buttons_[index(n)].hover) drawButton(n, n == tabbed_);
    refresh();
}

void FrmOKCancel::onMouseDown(int, int, double x, double y) {
    for (int n = 1; n <= 2; ++n) {
        if (hitTest(buttons_[index(n)], x, y)) {
            clickedBtnNum_ = static_cast<std::int16_t>(n);
            close();
            return;
        }
    }
}

void FrmOKCancel::onMouseMove(int, int, double x, double y) {
    for (int n = 1; n <= 2; ++n) {
        const bool inside = hitTest(buttons_[index(n)], x, y);
        if (inside != buttons_[index(n)].hover) {
            drawButton(n, inside);
            // The pointer took the highlight: Enter means "Yes" again.
            if (!inside && n == tabbed_) tabbed_ = 0;
            refresh();
        }
    }
}

// ---- diagWow

// The end texts are string-table entries of the same numbers.
static_assert(static_cast<int>(flow::EndText::AllFound) == static_cast<int>(StringId::AllFound));
static_assert(static_cast<int>(flow::EndText::Percentage) == static_cast<int>(StringId::Percentage));
static_assert(static_cast<int>(flow::EndText::Qualified) == static_cast<int>(StringId::Qualified));
static_assert(static_cast<int>(flow::EndText::AllLevels) == static_cast<int>(StringId::AllLevels));
static_assert(static_cast<int>(flow::EndText::GameOver) == static_cast<int>(StringId::GameOver));

std::string endDialogString(const flow::ResText& text) {
    const std::vector<ResArg> args(text.args.begin(), text.args.end());
    return formatResString(static_cast<StringId>(text.id), args);
}

void DiagWow::paint() {
    platform::Surface& s = canvas();
    const int w = layoutWidth();
    const int h = layoutHeight();
    BoxInfo back;
    back.surface = &s;
    back.wid = w;
    back.ht = h;
    back.brush = brDialog;
    fillBox(back);

    BoxInfo textBox = back;
    textBox.x = kMargin;
    textBox.y = kMargin;
    textBox.wid = w - 2 * kMargin;
    textBox.ht = h - 4 * kMargin;
    textBox.textColor = clrDialogText;

    const int left = static_cast<int>(flow::roundHalfEven((w - 2 * kMargin) / 2.0));
    okButton_ = buttonBox(left, h - 2 * kMargin, dialog::kOkButtonWidth);

    drawShadowText(textBox, dialog::kWowTextShift, text_, static_cast<int>(platform::text::kCenter));
    drawTextBtn(okButton_, FrameStyle::Single, false, dialog::kWowNormalShift, loadResString(StringId::Ok));
    okButton_.hover = false;
    if (!note.empty()) drawNote(note);
}

void DiagWow::onKeyPress(char32_t ch) {
    if (tooEarly(ch)) return;
    if (ch == platform::key::kEnter || ch == platform::key::kEscape) close();
}

void DiagWow::onShortcut(char32_t letter, int) {
    if (letter != U'c' || !copy) return;
    drawNote(loadResString(copy() ? StringId::ShareCopied : StringId::NotCopied));
    refresh();
}

void DiagWow::drawNote(std::string_view text) {
    BoxInfo line;
    line.surface = &canvas();
    line.x = kMargin;
    line.y = okButton_.y + okButton_.ht + 4;
    line.wid = layoutWidth() - 2 * kMargin;
    line.ht = clientHeight() - line.y;
    line.brush = brDialog;
    line.textColor = clrDialogText;
    fillBox(line);
    setFontSize(canvas(), dialog::kTextPoints - 3);
    drawShadowText(line, 1, text, static_cast<int>(platform::text::kCenter));
}

void DiagWow::onMouseDown(int, int, double x, double y) {
    if (hitTest(okButton_, x, y)) close();
}

void DiagWow::drawOk(bool hot) {
    setFontSize(canvas(), dialog::kButtonPoints);
    if (hot)
        drawTextBtn(okButton_, FrameStyle::Double, true, dialog::kHoverShift, loadResString(StringId::Ok));
    else
        drawTextBtn(okButton_, FrameStyle::Single, false, dialog::kWowNormalShift, loadResString(StringId::Ok));
    okButton_.hover = hot;
    refresh();
}

void DiagWow::onMouseMove(int, int, double x, double y) {
    const bool inside = hitTest(okButton_, x, y);
    if (inside != okButton_.hover) drawOk(inside);
}

void DiagWow::onKeyDown(platform::Key key, int) {
    if (key == platform::Key::Tab && !okButton_.hover) drawOk(true);
}

}  // namespace game::ui
