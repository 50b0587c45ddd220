// The name dialog and the Hall of Fame table: layout, looks, typing, hover and presses.
#include "game/ui/hall_of_fame_windows.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game/ui/sprite_sheet.h"
#include "game/ui/strings.h"
#include "platform/codepage.h"

namespace game::ui {

namespace {

constexpr FrameStyle kFrameNone = FrameStyle::None;
constexpr FrameStyle kFrameSingle = FrameStyle::Single;
constexpr FrameStyle kFrameDouble = FrameStyle::Double;
constexpr unsigned kOneLineFlags = platform::text::kSingleLine | platform::text::kVCenter;
// Ink for measuring typed text on a black scratch surface (not a colour the player sees).
constexpr platform::Color kMeasureInk = platform::rgb(255, 255, 255);
// Scratch width for measuring typed text: wide enough for kMaxTyped characters of the box's font.
constexpr int kMeasureWidth = 4096;

platform::Rect rectOf(const BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

void setFont(platform::Surface& s, const char* family, double points, bool bold) {
    s.setFont(platform::Font{family, points, bold});
}

// The leftmost and rightmost columns holding ink, or {-1, -1} for none.
std::pair<int, int> inkColumns(const platform::Surface& s) {
    int left = -1, right = -1;
    for (int x = 0; x < s.width(); ++x)
        for (int y = 0; y < s.height(); ++y)
            if (s.pixel(x, y) != 0) {
                if (left < 0) left = x;
                right = x;
                break;
            }
    return {left, right};
}

}  // namespace

// ---- diagUN -------------------------------------------------------------------------------------

std::string DiagUN::congratulation(GameMode mode) {
    return formatResString(StringId::Congratulation, {"|1", loadResString(modeCaption(mode))});
}

void DiagUN::paint() {
    using namespace name_dialog;
    platform::Surface& s = canvas();
    drawTexture(sheet_, s, layoutWidth(), layoutHeight());

    // lblCongMsg: centred lines around its fixed centre.
    setFont(s, kMessageFont, kMessagePoints, true);
    BoxInfo message;
    message.surface = &s;
    message.x = 0;
    message.y = kMessageTop;
    message.wid = 2 * kMessageCentreX + 1;
    message.ht = kMessageBottom - kMessageTop;
    message.textColor = clrDialogText;
    drawShadowText(message, kTextShift, congratulation(mode_), static_cast<int>(platform::text::kCenter));

    BoxInfo prompt = message;
    prompt.x = kPromptLeft;
    prompt.y = kPromptTop;
    prompt.wid = kPromptRight - kPromptLeft;
    prompt.ht = kPromptBottom - kPromptTop;
    drawShadowText(prompt, kTextShift, loadResString(StringId::NamePrompt));

    nameBox_ = BoxInfo{};
    nameBox_.surface = &s;
    nameBox_.x = kNameLeft;
    nameBox_.y = kNameTop;
    nameBox_.wid = kNameWidth;
    nameBox_.ht = kNameHeight;
    nameBox_.brush = brPanel;
    nameBox_.pen = penFrame;
    nameBox_.textColor = clrDialogText;
    text_.clear();
    drawNameBox();

    okButton_ = buttonBox(kOkLeft, kOkTop, kOkWidth);
    okButton_.ht = kOkHeight;
    drawOk(false);
}

int DiagUN::caretOffset(std::string_view text) {
    // The surface interface draws text but does not measure it, so the text is drawn followed by a
    // bar on a scratch surface: the caret goes where the bar's ink starts.
    auto s = graphics_.createSurface(kMeasureWidth, name_dialog::kNameHeight);
    s->setFont(canvas().font());
    s->setTextColor(kMeasureInk);
    const platform::Rect r{0, 0, kMeasureWidth, name_dialog::kNameHeight};
    s->drawText("|", r, kOneLineFlags);
    const auto [barLeft, barRight] = inkColumns(*s);
    if (text.empty()) return std::max(barLeft, 0);
    s->fillRect(r, platform::Brush{0});
    s->drawText(std::string(text) + "|", r, kOneLineFlags);
    const int end = inkColumns(*s).second;
    return std::max(end - (barRight - barLeft), 0);
}

void DiagUN::drawNameBox() {
    using namespace name_dialog;
    platform::Surface& s = canvas();
    setFont(s, kMessageFont, kNamePoints, false);
    fillBox(nameBox_);
    s.selectPen(nameBox_.pen);
    s.frameRect(rectOf(nameBox_));

    // The end of the text stays in view: leading characters that do not fit are scrolled out.
    const int room = nameBox_.wid - 2 * kNamePadding;
    std::size_t lo = 0, hi = text_.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (caretOffset(std::string_view(text_).substr(mid)) <= room)
            hi = mid;
        else
            lo = mid + 1;
    }
    const std::string_view shown = std::string_view(text_).substr(lo);

    BoxInfo inner = nameBox_;
    inner.x += kNamePadding;
    inner.y += 1;
    inner.wid -= 2 * kNamePadding;
    inner.ht -= 2;
    drawShadowText(inner, kTextShift, shown, static_cast<int>(kOneLineFlags));

    // The caret, after the last character.
    const int x = inner.x + caretOffset(shown);
    s.selectPen(platform::Pen{clrDialogText, 1});
    s.moveTo(x, nameBox_.y + 4);
    s.lineTo(x, nameBox_.y + nameBox_.ht - 4);
}

void DiagUN::drawOk(bool hot) {
    setFont(canvas(), dialog::kFontFamily, name_dialog::kOkPoints, false);
    if (hot)
        drawTextBtn(okButton_, kFrameDouble, true, dialog::kHoverShift, loadResString(StringId::Ok));
    else
        drawTextBtn(okButton_, kFrameSingle, false, name_dialog::kOkNormalShift, loadResString(StringId::Ok));
    okButton_.hover = hot;
}

void DiagUN::onKeyPress(char32_t ch) {
    if (tooEarly(ch)) return;
    if (ch == platform::key::kEnter) {
        close();  // the default button
        return;
    }
    if (ch == platform::key::kBackspace) {
        if (text_.empty()) return;
        text_.pop_back();
    } else {
        // Only characters the single-byte names can hold; control characters (Esc) do nothing.
        const std::optional<char> byte = platform::codepage::fromCodePoint(ch);
        if (!byte || text_.size() >= name_dialog::kMaxTyped) return;
        text_ += *byte;
    }
    drawNameBox();
    refresh();
}

void DiagUN::onKeyDown(platform::Key key, int) {
    if (key != platform::Key::Tab || okButton_.hover) return;
    drawOk(true);
    refresh();
}

void DiagUN::onMouseDown(int, int, double x, double y) {
    if (hitTest(okButton_, x, y)) close();
}

void DiagUN::onMouseMove(int, int, double x, double y) {
    const bool inside = hitTest(okButton_, x, y);
    if (inside == okButton_.hover) return;
    drawOk(inside);
    refresh();
}

void DiagUN::onClose() {
    nameEntered = persistence::finishName(text_);
    ModalDialog::onClose();
}

// ---- frmStats -----------------------------------------------------------------------------------

void FrmStats::show() {
    load();
    if (window() != nullptr) window()->show();
}

void FrmStats::layOut() {
    using namespace stats_window;
    platform::Surface& s = canvas();
    background_ = BoxInfo{};
    background_.surface = &s;
    background_.wid = clientWidth();
    background_.ht = clientHeight();
    background_.brush = brPlay;

    title_ = background_;
    title_.x = kTitleLeft;
    title_.y = kTitleTop;
    title_.wid = kTitleWidth;
    title_.ht = kTitleHeight;
    title_.textColor = clrHiText;

    for (int i = 1; i <= persistence::kHallOfFameRanks; ++i) {
        BoxInfo& name = names_[static_cast<std::size_t>(i - 1)];
        name = background_;
        name.x = kNameLeft;
        name.y = i * kRowHeight;
        name.wid = kNameWidth;
        name.ht = kRowHeight;
        name.textColor = clrPanel;
        BoxInfo& score = scores_[static_cast<std::size_t>(i - 1)];
        score = name;
        score.x = kScoreLeft;
        score.wid = kScoreWidth;
    }

    for (int k = 1; k <= 2; ++k) {
        BoxInfo& b = buttons_[static_cast<std::size_t>(k - 1)];
        b = BoxInfo{};
        b.surface = &s;
        b.x = k == 1 ? kOkLeft : kClearLeft;
        b.y = kButtonTop;
        b.wid = kButtonWidth;
        b.ht = kButtonHeight;
        b.brush = brPanel;
        b.pen = penFrame;
        b.textColor = clrText;
    }
}

void FrmStats::paint() {
    setFont(canvas(), stats_window::kFont, stats_window::kPoints, true);
    layOut();
    drawTable();
    drawButton(1, kFrameNone, false, stats_window::kLoadShift);
    drawButton(2, kFrameNone, false, stats_window::kLoadShift);
}

void FrmStats::drawTable() {
    fillBox(background_);
    drawTextBtn(title_, kFrameNone, false, stats_window::kTitleShift,
                loadResString(modeCaption(static_cast<GameMode>(modeNum))));
    const persistence::HallOfFameTable* table = hallOfFame_.table(static_cast<GameMode>(modeNum));
    if (table == nullptr) return;
    bool unsaved = false;
    for (int i = 1; i <= persistence::kHallOfFameRanks; ++i) {
        drawShadowText(nameRegion(i), stats_window::kRowShift, table->name(i));
        std::string score = std::to_string(table->score(i));
        if (table->unsaved[static_cast<std::size_t>(i - 1)]) {
            score += stats_window::kUnsavedMark;
            unsaved = true;
        }
        drawShadowText(scoreRegion(i), stats_window::kRowShift, score);
    }
    if (!unsaved) return;
    BoxInfo note = background_;
    note.x = stats_window::kNameLeft;
    note.y = stats_window::kNoteTop;
    note.wid = stats_window::kClientW - 2 * stats_window::kNameLeft;
    note.ht = stats_window::kNoteHeight;
    note.textColor = clrHiText;
    drawShadowText(note, stats_window::kRowShift, loadResString(StringId::UnsavedNote));
}

void FrmStats::drawButton(int k, FrameStyle frame, bool highlighted, int shift) {
    // Button k's caption is entry 90 + k: "OK", "Clear Scores".
    drawTextBtn(button(k), frame, highlighted, shift, loadResString(k == 1 ? StringId::Ok : StringId::ClearScores));
}

void FrmStats::clearScores() {
    const GameMode mode = static_cast<GameMode>(modeNum);
    // A clearing the store cannot take yet stays pending; the table marks its ranks.
    if (records_ == nullptr)
        hallOfFame_.clearScores(mode);
    else
        records_->clearScores(hallOfFame_, mode);
    drawTable();
    drawButton(1, kFrameNone, false, stats_window::kLoadShift);
    drawButton(2, kFrameNone, false, stats_window::kLoadShift);
    refresh();
}

void FrmStats::lightButton(int k, bool on) {
    if (on)
        drawButton(k, kFrameSingle, true, stats_window::kHoverShift);
    else
        drawButton(k, kFrameNone, false, stats_window::kLeaveShift);
    buttons_[static_cast<std::size_t>(k - 1)].hover = on;
}

void FrmStats::onMouseMove(int, int, double x, double y) {
    for (int k = 1; k <= 2; ++k) {
        const bool inside = hitTest(button(k), x, y);
        if (inside == button(k).hover) continue;
        lightButton(k, inside);
        // The pointer took the highlight: Enter means "OK" again.
        if (!inside && k == tabbed_) tabbed_ = 0;
        refresh();
    }
}

void FrmStats::onMouseDown(int, int, double x, double y) {
    if (hitTest(button(1), x, y))
        close();
    else if (hitTest(button(2), x, y))
        clearScores();
}

void FrmStats::onKeyPress(char32_t ch) {
    if (tooEarly(ch)) return;
    if (ch == platform::key::kEnter && tabbed_ == 2) {
        clearScores();
        // The highlight stays where Tab put it.
        lightButton(2, true);
        refresh();
    } else if (ch == platform::key::kEscape || ch == platform::key::kEnter) {
        close();
    }
}

void FrmStats::onKeyDown(platform::Key key, int shift) {
    if (key != platform::Key::Tab) return;
    tabbed_ = tabTarget(tabbed_, 2, shift);
    for (int k = 1; k <= 2; ++k)
        if ((k == tabbed_) != button(k).hover) lightButton(k, k == tabbed_);
    refresh();
}

// ---- the unsaved-records box -------------------------------------------------------------------

void DiagUnsaved::paint() {
    using namespace unsaved_box;
    clickedBtnNum_ = -1;
    platform::Surface& s = canvas();
    BoxInfo back;
    back.surface = &s;
    back.x = 1;
    back.y = 1;
    back.wid = kClientW - 2;
    back.ht = kClientH - 2;
    back.brush = brDialog;
    fillBox(back);

    BoxInfo text = back;
    text.x = kTextMargin;
    text.y = kTextMargin;
    text.wid = kClientW - 2 * kTextMargin;
    text.ht = kButtonTop - 2 * kTextMargin;
    text.textColor = clrDialogText;
    drawShadowText(text, dialog::kQuestionShift, text_);

    setFontSize(s, dialog::kButtonPoints);
    buttons_[0] = buttonBox(kButton1Left, kButtonTop, kButtonWidth);
    buttons_[1] = buttonBox(kButton2Left, kButtonTop, kButtonWidth);
    drawButton(1, false);
    drawButton(2, false);
}

void DiagUnsaved::drawButton(int n, bool hot) {
    BoxInfo& b = buttons_[n == 2 ? 1 : 0];
    const std::string_view text = loadResString(n == 1 ? StringId::TryAgain : StringId::LeaveAnyway);
    if (hot)
        drawTextBtn(b, kFrameDouble, true, dialog::kHoverShift, text);
    else
        drawTextBtn(b, kFrameSingle, false, dialog::kOkCancelNormalShift, text);
    b.hover = hot;
}

void DiagUnsaved::answer(int n) {
    clickedBtnNum_ = static_cast<std::int16_t>(n);
    close();
}

void DiagUnsaved::onKeyPress(char32_t ch) {
    if (ch == platform::key::kEnter)
        answer(1);
    else if (ch == platform::key::kEscape)
        answer(2);
}

void DiagUnsaved::onMouseDown(int, int, double x, double y) {
    for (int n = 1; n <= 2; ++n)
        if (hitTest(button(n), x, y)) return answer(n);
}

void DiagUnsaved::onMouseMove(int, int, double x, double y) {
    for (int n = 1; n <= 2; ++n) {
        const bool inside = hitTest(button(n), x, y);
        if (inside == button(n).hover) continue;
        drawButton(n, inside);
        refresh();
    }
}

}  // namespace game::ui
