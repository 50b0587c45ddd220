// The Hall of Fame windows: the name dialog diagUN, which asks for the name of a new best score, and
// frmStats, the table of one mode's eight best scores with its "OK" and "Clear Scores" buttons.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "game/persistence/hall_of_fame.h"
#include "game/persistence/records.h"
#include "game/persistence/records_layout.h"
#include "game/ui/box_info.h"
#include "game/ui/dialogs.h"
#include "game/ui/draw.h"
#include "game/ui/strings.h"

namespace game::ui {

class SpriteSheet;

// A mode's name, "Classic Mode" or "Arcade Mode": entry 30 + mode.
constexpr StringId modeCaption(GameMode mode) { return static_cast<StringId>(30 + static_cast<int>(mode)); }

// Fixed layout of the name dialog, in pixels (its design positions in twips divided by 15).
namespace name_dialog {
constexpr int kClientW = 4935 / dialog::kTwipsPerPixel;  // 329
constexpr int kClientH = 3105 / dialog::kTwipsPerPixel;  // 207

// The congratulation label: centred lines around x = 2377 twips, from 330 twips down.
constexpr int kMessageCentreX = 2377 / dialog::kTwipsPerPixel;  // 158
constexpr int kMessageTop = 330 / dialog::kTwipsPerPixel;       // 22
constexpr int kMessageBottom = 1500 / dialog::kTwipsPerPixel;   // room for the lines above the name row
constexpr const char* kMessageFont = "MS Sans Serif";
constexpr double kMessagePoints = 8.25;

// "Enter Your Name" (NamePrompt), sized to its text.
constexpr int kPromptLeft = 345 / dialog::kTwipsPerPixel;  // 23
constexpr int kPromptTop = 1590 / dialog::kTwipsPerPixel;  // 106
constexpr int kPromptRight = 1995 / dialog::kTwipsPerPixel;
constexpr int kPromptBottom = kPromptTop + 20;

// The text box txtName.
constexpr int kNameLeft = 1995 / dialog::kTwipsPerPixel;   // 133
constexpr int kNameTop = 1515 / dialog::kTwipsPerPixel;    // 101
constexpr int kNameWidth = 2490 / dialog::kTwipsPerPixel;  // 166
constexpr int kNameHeight = 330 / dialog::kTwipsPerPixel;  // 22
constexpr int kNamePadding = 4;                            // text inset from the box's left edge
constexpr double kNamePoints = 9.75;
// What the box holds at most while typing; the name keeps its first kMaxNameLength characters.
constexpr std::size_t kMaxTyped = 255;

// The default button OKButton.
constexpr int kOkLeft = 1920 / dialog::kTwipsPerPixel;   // 128
constexpr int kOkTop = 2295 / dialog::kTwipsPerPixel;    // 153
constexpr int kOkWidth = 1215 / dialog::kTwipsPerPixel;  // 81
constexpr int kOkHeight = 375 / dialog::kTwipsPerPixel;  // 25
constexpr double kOkPoints = 12;
constexpr int kOkNormalShift = 4;

constexpr int kTextShift = 1;  // offset of the shadowed labels
}  // namespace name_dialog

// Fixed layout of the Hall of Fame window, in pixels, in the layout unit where it fits.
namespace stats_window {
using layout::kUnit;
constexpr int kClientW = 6990 / dialog::kTwipsPerPixel;  // 466
constexpr int kClientH = 6810 / dialog::kTwipsPerPixel;  // 454

constexpr int kTitleLeft = kClientW / 2 - 2 * kUnit;
constexpr int kTitleTop = kUnit / 2;
constexpr int kTitleWidth = 4 * kUnit;
constexpr int kTitleHeight = 30;
constexpr int kTitleShift = 2;

constexpr int kNameLeft = kUnit;
constexpr int kNameWidth = 6 * kUnit;
constexpr int kScoreLeft = 8 * kUnit;
constexpr int kScoreWidth = 2 * kUnit;
constexpr int kRowHeight = kUnit;  // row i lies at top i x u
constexpr int kRowShift = 1;

constexpr int kButtonTop = 9 * kUnit;
constexpr int kButtonWidth = 3 * kUnit;
constexpr int kButtonHeight = 30;
constexpr int kOkLeft = 2 * kUnit;
constexpr int kClearLeft = 6 * kUnit;
constexpr int kLoadShift = 4;
constexpr int kHoverShift = 8;
constexpr int kLeaveShift = 6;

constexpr const char* kFont = "MS Sans Serif";
constexpr double kPoints = 12;

// A rank the store has not taken yet: its score is followed by the mark, and the note below the
// buttons says what the mark means, only while a rank has it.
constexpr std::string_view kUnsavedMark = " *";
constexpr int kNoteTop = kButtonTop + kButtonHeight;
constexpr int kNoteHeight = kClientH - kNoteTop;
}  // namespace stats_window

// Fixed layout of the box that asks, at exit, whether to try writing the records again.
namespace unsaved_box {
constexpr int kClientW = dialog::kOkCancelClientW;  // 422
constexpr int kClientH = 260;
constexpr int kTextMargin = 12;
constexpr int kButtonWidth = 4 * dialog::kMargin;  // 176
constexpr int kButton1Left = 20;
constexpr int kButton2Left = 4 * dialog::kMargin + 40;  // 216
constexpr int kButtonTop = kClientH - dialog::kButtonHeight - kTextMargin;
}  // namespace unsaved_box

// The name dialog. bestNo is set before it is shown; nameEntered is set when it unloads, by "OK",
// Enter or its close box: the typed text cut to kMaxNameLength characters, kEmptyName for nothing.
class DiagUN final : public ModalDialog {
public:
    DiagUN(platform::Ui& ui, platform::Graphics& graphics, const SpriteSheet& sheet, GameMode mode)
        : ModalDialog(ui, graphics), graphics_(graphics), sheet_(sheet), mode_(mode) {}

    std::int16_t bestNo = 0;
    std::string nameEntered;

    // The congratulation text for the mode.
    static std::string congratulation(GameMode mode);

    // txtName's text, single-byte.
    const std::string& text() const { return text_; }
    const BoxInfo& okButton() const { return okButton_; }
    const BoxInfo& nameBox() const { return nameBox_; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    // Typed characters go into txtName; Backspace removes the last one, Enter presses "OK".
    void onKeyPress(char32_t ch) override;
    // Tab highlights "OK", the one button.
    void onKeyDown(platform::Key key, int shift) override;
    void onClose() override;

protected:
    std::string_view caption() const override { return loadResString(StringId::NameDialogCaption); }
    int clientWidth() const override { return name_dialog::kClientW; }
    int clientHeight() const override { return name_dialog::kClientH; }
    void paint() override;

private:
    void drawNameBox();
    void drawOk(bool hot);
    // Where the caret stands after text drawn from x = 0 in the name box's font.
    int caretOffset(std::string_view text);

    platform::Graphics& graphics_;
    const SpriteSheet& sheet_;
    GameMode mode_;
    std::string text_;
    BoxInfo nameBox_{};
    BoxInfo okButton_{};
};

// The Hall of Fame table of modeNum (1 Classic Mode, 2 Arcade Mode) over the tables it is given. It is
// shown modally (showModal) or without blocking (show); "OK", Esc or Enter close it.
class FrmStats final : public ModalDialog {
public:
    // records, when given, keeps "Clear Scores" in the store at once.
    FrmStats(platform::Ui& ui, platform::Graphics& graphics, persistence::HallOfFame& hallOfFame, int mode,
             persistence::Records* records = nullptr)
        : ModalDialog(ui, graphics), modeNum(mode), hallOfFame_(hallOfFame), records_(records) {}

    const int modeNum;

    // Shows the window without blocking.
    void show();
    // "Clear Scores": the shown table becomes kClearedName with 0 at every rank and is redrawn.
    void clearScores();

    const BoxInfo& button(int k) const { return buttons_[k == 2 ? 1 : 0]; }
    const BoxInfo& nameRegion(int rank) const { return names_[static_cast<std::size_t>(rank - 1)]; }
    const BoxInfo& scoreRegion(int rank) const { return scores_[static_cast<std::size_t>(rank - 1)]; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    // Esc closes; Enter presses the button Tab highlighted, else "OK".
    void onKeyPress(char32_t ch) override;
    void onKeyDown(platform::Key key, int shift) override;

protected:
    std::string_view caption() const override { return caption_; }
    int clientWidth() const override { return stats_window::kClientW; }
    int clientHeight() const override { return stats_window::kClientH; }
    void paint() override;

private:
    void layOut();
    void drawTable();
    void drawButton(int k, FrameStyle frame, bool highlighted, int shift);
    // Button k in its highlighted (hover) or its plain look, the flag set to match.
    void lightButton(int k, bool on);

    persistence::HallOfFame& hallOfFame_;
    persistence::Records* records_;
    std::string caption_ = formatResString(StringId::HallOfFameCaption, {"|1", persistence::records::kAppTitle});
    BoxInfo background_{};
    BoxInfo title_{};
    std::array<BoxInfo, persistence::kHallOfFameRanks> names_{};
    std::array<BoxInfo, persistence::kHallOfFameRanks> scores_{};
    std::array<BoxInfo, 2> buttons_{};
    int tabbed_ = 0;  // the button Tab highlighted while it stays highlighted, or 0
};

// Asked at exit when records of this run could not be written: the text says what would be lost.
// "Try Again" (or Enter) gives 1, "Leave Anyway" (or Esc) 2, the close box leaves -1.
class DiagUnsaved final : public ModalDialog {
public:
    DiagUnsaved(platform::Ui& ui, platform::Graphics& graphics, std::string text)
        : ModalDialog(ui, graphics), text_(std::move(text)) {}

    std::int16_t clickedBtnNum() const { return clickedBtnNum_; }
    const std::string& text() const { return text_; }
    const BoxInfo& button(int n) const { return buttons_[n == 2 ? 1 : 0]; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    void onKeyPress(char32_t ch) override;

protected:
    std::string_view caption() const override { return loadResString(StringId::UnsavedCaption); }
    int clientWidth() const override { return unsaved_box::kClientW; }
    int clientHeight() const override { return unsaved_box::kClientH; }
    void paint() override;

private:
    void drawButton(int n, bool hot);
    void answer(int n);

    std::string text_;
    std::int16_t clickedBtnNum_ = -1;
    std::array<BoxInfo, 2> buttons_{};
};

}  // namespace game::ui
