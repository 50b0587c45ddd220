// The question box and the end-of-game box: layout, keys, presses, hover redraws and their pictures,
// driven through the headless back end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "end_states.h"
#include "game/play/flow.h"
#include "game/ui/dialogs.h"
#include "game/ui/palette.h"
#include "platform/headless.h"
#include "platform/pixel_surface.h"

namespace game::ui {
namespace {

using game::testing::arcadeEnd;
using game::testing::classicEnd;

using platform::HeadlessPlatform;
using platform::HeadlessWindow;

HeadlessWindow& windowOf(ModalDialog& d) {
    auto* w = dynamic_cast<HeadlessWindow*>(d.window());
    EXPECT_NE(w, nullptr);
    return *w;
}

// Pixels within (left, top, right, bottom) that are close to colour c.
int countNear(const platform::Surface& s, int left, int top, int right, int bottom, platform::Color c, int tol = 40) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const platform::Color p = s.pixel(x, y);
            if (std::abs(platform::redOf(p) - platform::redOf(c)) <= tol &&
                std::abs(platform::greenOf(p) - platform::greenOf(c)) <= tol &&
                std::abs(platform::blueOf(p) - platform::blueOf(c)) <= tol)
                ++n;
        }
    return n;
}

TEST(FrmOKCancel, LayoutAndLooks) {
    HeadlessPlatform p;
    FrmOKCancel box(p.ui, p.graphics);
    box.load();
    HeadlessWindow& w = windowOf(box);
    EXPECT_EQ(w.caption(), "Do you want to exit");
    EXPECT_EQ(w.clientWidth(), 422);
    EXPECT_EQ(w.clientHeight(), 220);
    EXPECT_FALSE(w.hasMinimizeBox());
    EXPECT_EQ(box.clickedBtnNum(), -1);

    // Buttons 176 x 30 at 20 and 216, two margins above the bottom of the background.
    const BoxInfo& b1 = box.button(1);
    const BoxInfo& b2 = box.button(2);
    EXPECT_EQ(b1.x, 20);
    EXPECT_EQ(b2.x, 216);
    EXPECT_EQ(b1.wid, 176);
    EXPECT_EQ(b1.ht, 30);
    EXPECT_EQ(b1.y, 155);  // the background's height, 243, less two margins
    EXPECT_EQ(b2.y, 155);

    const platform::PixelSurface& screen = w.screen();
    EXPECT_EQ(screen.pixel(100, 10), brDialog.color);
    EXPECT_EQ(screen.pixel(b1.x, b1.y + 10), penDialog.color);  // single frame in the normal look
    EXPECT_EQ(screen.pixel(b1.x + 1, b1.y + 10), brDialog.color);
    // The question starts at the top left of its rectangle, not centred.
    EXPECT_GT(countNear(screen, 44, 40, 120, 64, clrDialogText), 10);
    EXPECT_EQ(countNear(screen, 340, 40, 422, 64, clrDialogText), 0);

    box.onMouseMove(0, 0, b1.x + 5, b1.y + 5);
    EXPECT_EQ(w.screen().pixel(b1.x + 1, b1.y + 10), penFrame.color);  // double frame when lit
}

TEST(FrmOKCancel, KeysAndPressesChooseTheButtons) {
    HeadlessPlatform p;
    FrmOKCancel box(p.ui, p.graphics);

    p.ui.queueAdvance(dialog::kKeySettleMs);
    p.ui.queueKey(platform::key::kEnter);
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 1);

    p.ui.queueAdvance(dialog::kKeySettleMs);
    p.ui.queueKey(platform::key::kEscape);
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 2);

    // Other keys and presses outside both buttons (or on their border lines) do nothing.
    p.ui.queueKey('y');
    p.ui.queueMouseDown(10, 10);
    p.ui.queueMouseDown(20, 170);                            // left border line of button 1
    p.ui.queueMouseDown(100, 155);                           // top border line of button 1
    p.ui.queueMouseDown(200, 170);                           // between the buttons
    p.ui.queueMouseDown(300, 170, platform::mouse::kRight);  // inside button 2, any button
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 2);
    EXPECT_EQ(p.ui.queuedEvents(), 0u);

    p.ui.queueMouseDown(100, 170);
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 1);

    // The close box leaves the answer at -1, which callers treat as no.
    p.ui.queueClose();
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), -1);
    EXPECT_TRUE(p.ui.unattendedModals().empty());
    EXPECT_EQ(p.ui.openWindows().size(), 0u);
}

TEST(FrmOKCancel, TabMovesTheHighlightBetweenTheButtonsAndEnterPressesTheOneItLit) {
    HeadlessPlatform p;
    FrmOKCancel box(p.ui, p.graphics);
    box.load();
    HeadlessWindow& w = windowOf(box);
    using platform::Key;
    p.ui.keyDown(w, Key::Tab);
    EXPECT_TRUE(box.highlighted(1));
    EXPECT_FALSE(box.highlighted(2));
    p.ui.keyDown(w, Key::Tab);
    EXPECT_FALSE(box.highlighted(1));
    EXPECT_TRUE(box.highlighted(2));
    // The hover look, as the pointer gives it.
    const BoxInfo b2 = box.button(2);
    EXPECT_GT(countNear(w.screen(), b2.x, b2.y, b2.x + b2.wid, b2.y + b2.ht, clrHiText, 10), 20);
    p.ui.keyDown(w, Key::Tab);
    EXPECT_TRUE(box.highlighted(1)) << "round the row";
    p.ui.keyDown(w, Key::Tab, platform::modifier::kShift);
    EXPECT_TRUE(box.highlighted(2)) << "Shift+Tab goes back";
    box.unload();

    // Enter presses "No thanks" once Tab lit it; Esc keeps its meaning.
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueAdvance(dialog::kKeySettleMs);
    p.ui.queueKey(platform::key::kEnter);
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 2);
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueAdvance(dialog::kKeySettleMs);
    p.ui.queueKey(platform::key::kEscape);
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 2);
    // When the pointer takes the highlight away, Enter means "Yes" again.
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueMouseMove(5, 5);
    p.ui.queueAdvance(dialog::kKeySettleMs);
    p.ui.queueKey(platform::key::kEnter);
    box.showModal();
    EXPECT_EQ(box.clickedBtnNum(), 1);
    EXPECT_TRUE(p.ui.unattendedModals().empty());
}

TEST(FrmOKCancel, HoverLightsAndRestoresEachButtonExactlyOnce) {
    HeadlessPlatform p;
    FrmOKCancel box(p.ui, p.graphics);
    box.load();
    HeadlessWindow& w = windowOf(box);
    const int before = w.presentCount();
    const BoxInfo b1 = box.button(1);
    const BoxInfo b2 = box.button(2);

    p.ui.mouseMove(w, 0, b1.x + 10, b1.y + 10);
    p.ui.mouseMove(w, 0, b1.x + 50, b1.y + 20);
    EXPECT_TRUE(box.highlighted(1));
    EXPECT_FALSE(box.highlighted(2));
    EXPECT_EQ(w.presentCount(), before + 1);

    // Straight from button 1 onto button 2: one restore, one highlight.
    p.ui.mouseMove(w, 0, b2.x + 10, b2.y + 10);
    EXPECT_FALSE(box.highlighted(1));
    EXPECT_TRUE(box.highlighted(2));
    EXPECT_EQ(w.presentCount(), before + 3);

    p.ui.mouseMove(w, 0, 5, 5);
    p.ui.mouseMove(w, 0, 6, 5);
    EXPECT_FALSE(box.highlighted(2));
    EXPECT_EQ(w.presentCount(), before + 4);
    EXPECT_EQ(w.screen().pixel(b2.x + 1, b2.y + 10), brDialog.color);
    box.unload();
}

TEST(DiagWow, EachEndTextDrawnCentredWithAllItsLines) {
    struct Case {
        const char* name;
        GameData data;
        const char* text;
        int lines;
    };
    const Case cases[] = {
        {"end_dialog_110", classicEnd(12, 12, 140, 140), "Congrats ! You have found all the 12 words", 1},
        {"end_dialog_111", classicEnd(5, 12, 75, 200),
         "You found 5 of 12 words \n Your score of 75 is \n37.5 percent of maximum score possible.", 3},
        {"end_dialog_112", arcadeEnd(3, 1205, true, 600),
         "You qualified for the next level \n with 120 seconds to spare\n and you get 361 bonus points ", 3},
        {"end_dialog_113", arcadeEnd(10, 900, true, 5000), "Excellent work. You completed all the 10 levels.", 1},
        {"end_dialog_115", arcadeEnd(4, 0, false, 812), "Game Over \n Level reached 4 \n Points Scored 812", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessPlatform p;
        DiagWow dlg(p.ui, p.graphics, flow::endDialogText(c.data));
        dlg.load();
        HeadlessWindow& w = windowOf(dlg);
        EXPECT_EQ(w.caption(), "Game Statistics");
        EXPECT_EQ(w.clientWidth(), 419);
        EXPECT_EQ(w.clientHeight(), 220);
        EXPECT_EQ(dlg.text(), c.text);
        const platform::PixelSurface& s = w.screen();
        // Every line is readable: light text in each line band of the text rectangle.
        const int lineHeight = 19;
        for (int line = 0; line < 3; ++line) {
            const int top = 44 + line * lineHeight;
            const int n = countNear(s, 44, top, 375, top + lineHeight - 2, clrDialogText, 20);
            if (line < c.lines)
                EXPECT_GT(n, 20) << "line " << line;
            else
                EXPECT_EQ(n, 0) << "line " << line;
        }
        // Centred: as much text left of the middle as right of it, within a few pixels' worth.
        const int mid = 44 + (425 - 88) / 2;
        const int left = countNear(s, 0, 40, mid, 44 + 19, clrDialogText, 20);
        const int right = countNear(s, mid, 40, 419, 44 + 19, clrDialogText, 20);
        EXPECT_NEAR(left, right, (left + right) / 5 + 5);
        // The OK button, 88 x 30, centred, framed.
        const BoxInfo& ok = dlg.okButton();
        EXPECT_EQ(ok.x, 168);  // (425 - 88) / 2 = 168.5, the even neighbour
        EXPECT_EQ(ok.wid, 88);
        EXPECT_EQ(ok.ht, 30);
        EXPECT_LT(ok.y + ok.ht, 220);
        EXPECT_EQ(s.pixel(ok.x, ok.y + 5), penDialog.color);
        dlg.unload();
    }
}

TEST(DiagWow, ClosesOnEnterEscOrAPressOnOkOnly) {
    const GameData g = classicEnd(1, 2, 6, 12);
    for (char32_t closing : {platform::key::kEnter, platform::key::kEscape}) {
        HeadlessPlatform p;
        DiagWow dlg(p.ui, p.graphics, flow::endDialogText(g));
        p.ui.queueKey(' ');
        p.ui.queueMouseDown(30, 30);
        p.ui.queueAdvance(dialog::kKeySettleMs);
        p.ui.queueKey(closing);
        dlg.showModal();
        EXPECT_TRUE(p.ui.unattendedModals().empty());
        EXPECT_EQ(p.ui.modalHistory().size(), 1u);
    }
    HeadlessPlatform p;
    DiagWow dlg(p.ui, p.graphics, flow::endDialogText(g));
    dlg.load();
    HeadlessWindow& w = windowOf(dlg);
    const BoxInfo ok = dlg.okButton();
    p.ui.mouseDown(w, platform::mouse::kLeft, ok.x, ok.y + 10);  // border line
    EXPECT_TRUE(w.isOpen());
    p.ui.mouseDown(w, platform::mouse::kLeft, ok.x + ok.wid - 1, ok.y + ok.ht - 1);
    EXPECT_FALSE(w.isOpen());
}

// A word being typed as the dialog appears: its Enter, or a key held down from before, closes
// nothing; half a second on, Enter and Esc work as always. The name box keeps its typing meanwhile.
TEST(ModalDialog, EnterAndEscWaitHalfASecondAndAKeyHeldFromBeforePressesNothing) {
    HeadlessPlatform p;
    p.ui.setNow(10'000);
    const flow::ResText text{flow::EndText::AllFound, {"|1", "12"}};
    for (char32_t closing : {platform::key::kEnter, platform::key::kEscape}) {
        DiagWow dlg(p.ui, p.graphics, text);
        dlg.load();
        HeadlessWindow& w = windowOf(dlg);
        p.ui.advance(dialog::kKeySettleMs - 1);
        p.ui.keyPress(w, closing);
        EXPECT_TRUE(dlg.isOpen());
        p.ui.advance(1);
        p.ui.keyPress(w, closing);
        EXPECT_FALSE(dlg.isOpen());

        // Held down from before the dialog opened: its auto-repeat does nothing at any time.
        DiagWow held(p.ui, p.graphics, text);
        held.load();
        p.ui.advance(dialog::kKeySettleMs);
        p.ui.keyPress(windowOf(held), closing, true);
        EXPECT_TRUE(held.isOpen());
        p.ui.keyPress(windowOf(held), closing);
        EXPECT_FALSE(held.isOpen());
    }
    // A key pressed in the dialog repeats there.
    FrmOKCancel box(p.ui, p.graphics);
    box.load();
    HeadlessWindow& w = windowOf(box);
    p.ui.keyPress(w, platform::key::kEscape);
    p.ui.advance(dialog::kKeySettleMs);
    p.ui.keyPress(w, platform::key::kEscape, true);
    EXPECT_FALSE(box.isOpen());
    EXPECT_EQ(box.clickedBtnNum(), 2);
}

TEST(DiagWow, TabLightsTheOkButtonAndEnterStillCloses) {
    HeadlessPlatform p;
    DiagWow box(p.ui, p.graphics, flow::ResText{flow::EndText::AllFound, {"|1", "12"}});
    box.load();
    HeadlessWindow& w = windowOf(box);
    const int before = w.presentCount();
    p.ui.keyDown(w, platform::Key::Tab);
    p.ui.keyDown(w, platform::Key::Tab);
    EXPECT_TRUE(box.highlighted());
    EXPECT_EQ(w.presentCount(), before + 1) << "lit once";
    p.ui.advance(dialog::kKeySettleMs);
    p.ui.keyPress(w, platform::key::kEnter);
    EXPECT_FALSE(box.isOpen());
}

TEST(DiagWow, HoverRedrawsTheOkButtonOnceInOnceOut) {
    HeadlessPlatform p;
    const GameData g = arcadeEnd(2, 0, false, 100);
    DiagWow dlg(p.ui, p.graphics, flow::endDialogText(g));
    dlg.load();
    HeadlessWindow& w = windowOf(dlg);
    const int before = w.presentCount();
    const BoxInfo ok = dlg.okButton();
    p.ui.mouseMove(w, 0, ok.x + 20, ok.y + 15);
    p.ui.mouseMove(w, 0, ok.x + 40, ok.y + 15);
    EXPECT_TRUE(dlg.highlighted());
    EXPECT_EQ(w.presentCount(), before + 1);
    EXPECT_EQ(w.screen().pixel(ok.x + 1, ok.y + 5), penFrame.color);
    EXPECT_GT(countNear(w.screen(), ok.x, ok.y, ok.x + ok.wid, ok.y + ok.ht, clrHiText, 10), 10);
    p.ui.mouseMove(w, 0, 10, 10);
    p.ui.mouseMove(w, 0, 12, 10);
    EXPECT_FALSE(dlg.highlighted());
    EXPECT_EQ(w.presentCount(), before + 2);
    EXPECT_EQ(w.screen().pixel(ok.x + 1, ok.y + 5), brDialog.color);
    EXPECT_EQ(countNear(w.screen(), ok.x, ok.y, ok.x + ok.wid, ok.y + ok.ht, clrHiText, 10), 0);
    dlg.unload();
}

}  // namespace
}  // namespace game::ui
