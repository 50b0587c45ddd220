// The puzzle-number dialog: a one-line text box, a line that explains a refused number, two buttons.
#include "game/ui/puzzle_number_dialog.h"

#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game/ui/strings.h"
#include "platform/window.h"

namespace game::ui {

namespace pn = puzzle_number_dialog;

namespace {
constexpr int kOneLine = static_cast<int>(platform::text::kVCenter | platform::text::kSingleLine);
platform::Rect rectOf(const BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

// The text broken into lines of at most width characters at its spaces (the surface does not wrap).
std::string wrapped(std::string_view text, std::size_t width) {
    std::string out;
    std::size_t lineLength = 0;
    while (!text.empty()) {
        const auto space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
        if (space == std::string_view::npos) break;
        text.remove_prefix(space + 1);
    }
    return out;
}
constexpr std::size_t kWhyLine = 58;
}  // namespace

std::string explainRefusal(const PuzzleNumberRefusal& refusal) {
    using Kind = PuzzleNumberRefusal::Kind;
    const StringId id = refusal.kind == Kind::UnknownLanguage   ? StringId::NotALanguage
                        : refusal.kind == Kind::NotAClassicSize ? StringId::NotAClassicSize
                        : refusal.kind == Kind::SeedOutOfRange  ? StringId::SeedOutOfRange
                                                                : StringId::NotAPuzzleNumber;
    return formatResString(id, {"|1", refusal.subject, "|2", refusal.allowed});
}

void FrmPuzzleNumber::paint() {
    platform::Surface& s = canvas();
    BoxInfo back;
    back.surface = &s;
    back.wid = layoutWidth();
    back.ht = layoutHeight();
    back.brush = brDialog;
    fillBox(back);

    s.setFont(platform::Font{dialog::kFontFamily, dialog::kTextPoints, false});
    BoxInfo prompt = back;
    prompt.x = pn::kMargin;
    prompt.y = pn::kPromptTop;
    prompt.wid = pn::kClientW - 2 * pn::kMargin;
    prompt.ht = pn::kBoxTop - pn::kPromptTop;
    prompt.textColor = clrDialogText;
    drawShadowText(prompt, 1, loadResString(StringId::PuzzleNumberPrompt), kOneLine);

    box_ = prompt;
    box_.y = pn::kBoxTop;
    box_.ht = pn::kBoxHeight;
    box_.brush = brPlay;
    box_.pen = penFrame;
    whyBox_ = prompt;
    whyBox_.y = pn::kWhyTop;
    whyBox_.ht = pn::kWhyHeight;
    whyBox_.textColor = clrTimeWarning;

    const int gap = pn::kClientW - 2 * pn::kButtonWidth;
    ok_ = buttonBox(gap / 3, pn::kButtonTop, pn::kButtonWidth);
    cancel_ = buttonBox(pn::kClientW - gap / 3 - pn::kButtonWidth, pn::kButtonTop, pn::kButtonWidth);
    s.setFont(platform::Font{dialog::kFontFamily, dialog::kButtonPoints, false});
    drawTextBtn(ok_, FrameStyle::Single, false, dialog::kOkCancelNormalShift, loadResString(StringId::Ok));
    drawTextBtn(cancel_, FrameStyle::Single, false, dialog::kOkCancelNormalShift, loadResString(StringId::Cancel));
    drawBox();
    drawWhy();
}

void FrmPuzzleNumber::drawBox() {
    platform::Surface& s = canvas();
    s.setFont(platform::Font{dialog::kFontFamily, dialog::kTextPoints, false});
    fillBox(box_);
    s.selectPen(box_.pen);
    s.frameRect(rectOf(box_));
    BoxInfo inner = box_;
    inner.x += 6;
    inner.wid -= 12;
    inner.textColor = clrDialogText;
    // The caret: a bar after the text.
    drawShadowText(inner, 1, text_ + "|", kOneLine);
}

void FrmPuzzleNumber::drawWhy() {
    platform::Surface& s = canvas();
    s.setFont(platform::Font{dialog::kFontFamily, dialog::kTextPoints - 2, false});
    fillBox(whyBox_);
    drawShadowText(whyBox_, 1, wrapped(why_, kWhyLine), static_cast<int>(platform::text::kLeft));
}

void FrmPuzzleNumber::tryNumber() {
    PuzzleNumberRefusal refusal;
    auto number = parsePuzzleNumber(text_, &refusal);
    std::string why = explainRefusal(refusal);
    if (number && number->language != language_) {
        number.reset();
        why = formatResString(StringId::OtherLanguagePuzzle, {"|1", letters::info(language_).code});
    }
    if (number) {
        number_ = number;
        close();
        return;
    }
    why_ = text_.empty() ? std::string(loadResString(StringId::TypeANumber)) : why;
    drawWhy();
    refresh();
}

void FrmPuzzleNumber::onKeyPress(char32_t ch) {
    if (tooEarly(ch)) return;
    if (ch == platform::key::kEnter) {
        tryNumber();
        return;
    }
    if (ch == platform::key::kEscape) {
        close();
        return;
    }
    if (ch == platform::key::kBackspace) {
        if (text_.empty()) return;
        text_.pop_back();
    } else {
        // A number is letters, digits and "-".
        const bool fits =
            (ch >= U'0' && ch <= U'9') || (ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z') || ch == U'-';
        if (!fits || text_.size() >= pn::kMaxTyped) return;
        text_ += static_cast<char>(ch);
    }
    drawBox();
    refresh();
}

void FrmPuzzleNumber::onMouseDown(int, int, double x, double y) {
    if (hitTest(ok_, x, y))
        tryNumber();
    else if (hitTest(cancel_, x, y))
        close();
}

}  // namespace game::ui
