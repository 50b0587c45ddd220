// The "Puzzle number" dialog of the menu: the player types a puzzle's number as --puzzle takes it
// ("5x4-1234"); "OK" or Enter plays it when it is one, and otherwise says what is wrong and stays
// open; "Cancel", Esc or the close box start nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/play/letters.h"
#include "game/play/puzzle_number.h"
#include "game/ui/box_info.h"
#include "game/ui/dialogs.h"
#include "game/ui/strings.h"

namespace game::ui {

// What is wrong with a text that is no puzzle number, in the player's language.
std::string explainRefusal(const PuzzleNumberRefusal& refusal);

namespace puzzle_number_dialog {
constexpr int kClientW = dialog::kOkCancelClientW;  // 422
constexpr int kClientH = 200;
constexpr int kMargin = 20;
constexpr int kPromptTop = 16;
constexpr int kBoxTop = 48;
constexpr int kBoxHeight = 28;
constexpr int kWhyTop = 84;
constexpr int kWhyHeight = 40;
constexpr int kButtonTop = kClientH - dialog::kButtonHeight - 16;
constexpr int kButtonWidth = 120;
constexpr std::size_t kMaxTyped = 24;
}  // namespace puzzle_number_dialog

class FrmPuzzleNumber final : public ModalDialog {
public:
    // language: the board's language played now; a number of another is refused.
    FrmPuzzleNumber(platform::Ui& ui, platform::Graphics& graphics, letters::Language language)
        : ModalDialog(ui, graphics), language_(language) {}

    // The number chosen, once the dialog closed by "OK" or Enter on a good one; nullopt otherwise.
    const std::optional<PuzzleNumber>& number() const { return number_; }
    const std::string& text() const { return text_; }
    // What is wrong with the last number tried, empty before.
    const std::string& why() const { return why_; }
    const BoxInfo& okButton() const { return ok_; }
    const BoxInfo& cancelButton() const { return cancel_; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onKeyPress(char32_t ch) override;

protected:
    std::string_view caption() const override { return loadResString(StringId::MenuPuzzleNumber); }
    int clientWidth() const override { return puzzle_number_dialog::kClientW; }
    int clientHeight() const override { return puzzle_number_dialog::kClientH; }
    void paint() override;

private:
    void drawBox();
    void drawWhy();
    void tryNumber();

    letters::Language language_;
    std::string text_;
    std::string why_;
    std::optional<PuzzleNumber> number_;
    BoxInfo box_{};
    BoxInfo whyBox_{};
    BoxInfo ok_{};
    BoxInfo cancel_{};
};

}  // namespace game::ui
