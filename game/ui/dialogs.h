// The game's own message boxes, drawn in the look of the play screen and shown modally through the
// platform's nested event loop: the question box frmOKCancel and the end-of-game box diagWow.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "game/play/flow.h"
#include "game/play/rules.h"
#include "game/ui/box_info.h"
#include "game/ui/layout.h"
#include "game/ui/palette.h"
#include "game/ui/strings.h"
#include "platform/graphics.h"
#include "platform/window.h"

namespace game::ui {

namespace dialog {
// The margin of every dialog layout: the program-wide layout unit.
constexpr int kMargin = kCellSize;
// Design client sizes in twips; the client area is that size at 15 twips per pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int kOkCancelClientW = 6330 / kTwipsPerPixel;  // 422
constexpr int kOkCancelClientH = 3300 / kTwipsPerPixel;  // 220
constexpr int kWowClientW = 6285 / kTwipsPerPixel;       // 419
constexpr int kWowClientH = 3300 / kTwipsPerPixel;       // 220
// The layouts are measured from the outer window size: the client area plus the frame of a fixed
// dialog (3-pixel borders and a 19-pixel caption bar). Parts beyond the client area are cut off.
constexpr int kFrameExtraW = 6;
constexpr int kFrameExtraH = 25;
constexpr int kButtonHeight = 30;
constexpr int kOkCancelButtonWidth = 4 * kMargin;  // 176
constexpr int kOkCancelButton1Left = 20;
constexpr int kOkCancelButton2Left = 4 * kMargin + 40;  // 216
constexpr int kOkButtonWidth = 2 * kMargin;             // 88

// Caption offsets of the button looks.
constexpr int kOkCancelNormalShift = 4;
constexpr int kWowNormalShift = 6;
constexpr int kHoverShift = 8;
// Text offsets of the shadowed texts.
constexpr int kQuestionShift = 1;
constexpr int kWowTextShift = 2;

constexpr const char* kFontFamily = "MS Sans Serif";
constexpr double kTextPoints = 12;
constexpr double kButtonPoints = 14;

// Enter and Esc do nothing for this long after a dialog opens: a key meant for the game, typed as
// the dialog appeared, does not close it unread.
constexpr long long kKeySettleMs = 500;

}  // namespace dialog

// A dialog window with its retained drawing surface. load() creates and paints it, showModal()
// loads it, runs the nested loop until it closes and then unloads it.
class ModalDialog : public platform::WindowHandler {
public:
    ModalDialog(platform::Ui& ui, platform::Graphics& graphics) : ui_(ui), graphics_(graphics) {}
    ~ModalDialog() override;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    void showModal();
    // Creates the window and draws its first picture, without running it.
    void load();
    // Destroys the window; the surface's last picture stays readable.
    void unload();
    bool isOpen() const { return window_ && window_->isOpen(); }
    platform::Window* window() { return window_.get(); }
    const platform::Surface* surface() const { return surface_.get(); }

    void onClose() override { closed_ = true; }

protected:
    virtual std::string_view caption() const = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // Paints the freshly created surface.
    virtual void paint() = 0;

    // The outer window size the layout is measured from.
    int layoutWidth() const { return clientWidth() + dialog::kFrameExtraW; }
    int layoutHeight() const { return clientHeight() + dialog::kFrameExtraH; }
    platform::Surface& canvas() { return *surface_; }
    // Tab moves the highlight to the next of count buttons (Shift+Tab to the one before), round the
    // row; from none, to the first (the last). Buttons are numbered from 1, 0 for none.
    static int tabTarget(int current, int count, int shift);
    void refresh();
    void close();
    // Enter or Esc within kKeySettleMs of the dialog opening: the key is ignored. Other keys
    // (typing into a name box) always count.
    bool tooEarly(char32_t ch) const;
    BoxInfo buttonBox(int left, int top, int width) const;
    // The standard message box, captioned with the application title.
    void tell(std::string_view message);

private:
    platform::Ui& ui_;
    platform::Graphics& graphics_;
    std::unique_ptr<platform::Surface> surface_;
    std::unique_ptr<platform::Window> window_;
    bool closed_ = false;
    long long openedMs_ = 0;
};

// The end dialog's text with its placeholders filled.
std::string endDialogString(const flow::ResText& text);

// The two-button question box: "Yes" (or Enter) gives 1, "No thanks" (or Esc) gives 2, the close
// box leaves -1.
class FrmOKCancel final : public ModalDialog {
public:
    using ModalDialog::ModalDialog;

    // Readable after the window has closed, until it is shown again.
    std::int16_t clickedBtnNum() const { return clickedBtnNum_; }
    bool highlighted(int button) const { return buttons_[index(button)].hover; }
    const BoxInfo& button(int n) const { return buttons_[index(n)]; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    // Enter presses the button Tab highlighted, else "Yes"; Esc is "No thanks".
    void onKeyPress(char32_t ch) override;
    void onKeyDown(platform::Key key, int shift) override;

protected:
    std::string_view caption() const override { return loadResString(StringId::QuestionCaption); }
    int clientWidth() const override { return dialog::kOkCancelClientW; }
    int clientHeight() const override { return dialog::kOkCancelClientH; }
    void paint() override;

private:
    static std::size_t index(int n) { return n == 2 ? 1 : 0; }
    void drawButton(int n, bool hot);

    std::int16_t clickedBtnNum_ = -1;
    BoxInfo buttons_[2]{};
    int tabbed_ = 0;  // the button Tab highlighted while it stays highlighted, or 0
};

// The end-of-game statistics box, showing the text the rules chose for the game's end.
class DiagWow final : public ModalDialog {
public:
    DiagWow(platform::Ui& ui, platform::Graphics& graphics, const flow::ResText& text)
        : ModalDialog(ui, graphics), text_(endDialogString(text)) {}
    // A text of its own (the daily puzzle's end, a note on hints after the rules' text).
    DiagWow(platform::Ui& ui, platform::Graphics& graphics, std::string text)
        : ModalDialog(ui, graphics), text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    bool highlighted() const { return okButton_.hover; }
    // Ctrl+C calls copy (when set): the game's share line goes to the clipboard, and a note under
    // the button says whether it went.
    std::function<bool()> copy;
    // A line under the button from the start (empty: none), such as what Ctrl+C does.
    std::string note;
    void onShortcut(char32_t letter, int shift) override;
    const BoxInfo& okButton() const { return okButton_; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    void onKeyPress(char32_t ch) override;
    // Tab highlights the one button.
    void onKeyDown(platform::Key key, int shift) override;

protected:
    std::string_view caption() const override { return loadResString(StringId::EndDialogCaption); }
    int clientWidth() const override { return dialog::kWowClientW; }
    int clientHeight() const override { return dialog::kWowClientH; }
    void paint() override;

private:
    void drawOk(bool hot);
    // A line of small text under the button, over what was there.
    void drawNote(std::string_view text);

    std::string text_;
    BoxInfo okButton_{};
};

}  // namespace game::ui
