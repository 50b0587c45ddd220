// The name dialog and the Hall of Fame table on their own: layout, typing into the name box, the
// name handed back, hover looks, "Clear Scores" and keys.
#include <gtest/gtest.h>

#include <string>

#include "game/persistence/hall_of_fame.h"
#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/palette.h"
#include "platform/headless.h"
#include "ui_test_support.h"

namespace game::ui {
namespace {

using platform::HeadlessPlatform;
using platform::HeadlessWindow;
using platform::Rect;

HeadlessWindow& windowOf(ModalDialog& d) {
    auto* w = dynamic_cast<HeadlessWindow*>(d.window());
    EXPECT_NE(w, nullptr);
    return *w;
}

Rect rectOf(const BoxInfo& b) { return {b.x, b.y, b.x + b.wid, b.y + b.ht}; }

// The rightmost column of the name box's inside that holds the text colour (caret or glyphs).
int rightmostInk(const platform::Surface& s, const BoxInfo& box) {
    for (int x = box.x + box.wid - 2; x > box.x; --x)
        for (int y = box.y + 2; y < box.y + box.ht - 2; ++y)
            if (s.pixel(x, y) == clrDialogText) return x;
    return -1;
}

void typeText(platform::HeadlessUi& ui, HeadlessWindow& w, std::u32string_view text) {
    for (char32_t ch : text) ui.keyPress(w, ch);
}

class NameDialog : public ::testing::Test {
protected:
    HeadlessPlatform p;
    SpriteSheet sheet = uitest::realOrSyntheticSheet();
};

TEST_F(NameDialog, LayoutTextureAndCongratulation) {
    DiagUN d(p.ui, p.graphics, sheet, GameMode::Arcade);
    d.load();
    HeadlessWindow& w = windowOf(d);
    EXPECT_EQ(w.caption(), "Best Score");
    EXPECT_EQ(w.clientWidth(), 329);
    EXPECT_EQ(w.clientHeight(), 207);
    EXPECT_EQ(DiagUN::congratulation(GameMode::Classic),
              " Congratulations ! \r\n You have the best Score In \r\nClassic Mode");
    EXPECT_EQ(DiagUN::congratulation(GameMode::Arcade),
              " Congratulations ! \r\n You have the best Score In \r\nArcade Mode");

    const BoxInfo& name = d.nameBox();
    EXPECT_EQ(rectOf(name), (Rect{133, 101, 299, 123}));
    EXPECT_EQ(rectOf(d.okButton()), (Rect{128, 153, 209, 178}));
    EXPECT_TRUE(d.text().empty());

    const platform::PixelSurface& screen = w.screen();
    // Texture outside the controls: no panel-blue fill there, and not one flat colour.
    EXPECT_NE(screen.pixel(5, 5), screen.pixel(160, 90));
    EXPECT_EQ(screen.pixel(name.x, name.y + 10), penFrame.color);
    EXPECT_EQ(screen.pixel(name.x + 60, name.y + 11), brPanel.color);
    // Light congratulation text around the label's centre, the prompt left of the box.
    EXPECT_GT(uitest::countColor(screen, Rect{60, 20, 260, 70}, clrDialogText), 100);
    EXPECT_GT(uitest::countColor(screen, Rect{20, 104, 130, 122}, clrDialogText), 30);
    // The caret of the empty box sits at its left.
    EXPECT_LT(rightmostInk(screen, name), name.x + 10);
    d.unload();
}

TEST_F(NameDialog, TypingBackspaceAndTheCaret) {
    DiagUN d(p.ui, p.graphics, sheet, GameMode::Classic);
    d.load();
    HeadlessWindow& w = windowOf(d);
    const BoxInfo& box = d.nameBox();

    typeText(p.ui, w, U"Zo\u00EB");
    EXPECT_EQ(d.text(), "Zo\xEB");
    const int afterThree = rightmostInk(w.screen(), box);
    typeText(p.ui, w, U"y");
    const int afterFour = rightmostInk(w.screen(), box);
    EXPECT_GT(afterFour, afterThree + 2) << "the caret moves on with the text";

    // Characters outside the single-byte set, and control characters, are refused.
    const int presents = w.presentCount();
    typeText(p.ui, w, U"\u0416\u4E2D\U0001F600");
    p.ui.keyPress(w, platform::key::kEscape);
    p.ui.keyPress(w, U'\t');
    EXPECT_EQ(d.text(), "Zo\xEBy");
    EXPECT_EQ(w.presentCount(), presents);
    // The euro sign has a byte of its own.
    p.ui.keyPress(w, U'\u20AC');
    EXPECT_EQ(d.text(), "Zo\xEBy\x80");

    p.ui.keyPress(w, platform::key::kBackspace);
    p.ui.keyPress(w, platform::key::kBackspace);
    EXPECT_EQ(d.text(), "Zo\xEB");
    EXPECT_EQ(rightmostInk(w.screen(), box), afterThree);
    for (int i = 0; i < 5; ++i) p.ui.keyPress(w, platform::key::kBackspace);
    EXPECT_TRUE(d.text().empty());

    // A long name scrolls: its end, with the caret, stays inside the box.
    typeText(p.ui, w, U"Bartholomew Fitzgerald-Montgomery");
    const int caret = rightmostInk(w.screen(), box);
    EXPECT_GT(caret, box.x + box.wid / 2);
    EXPECT_LT(caret, box.x + box.wid - 1);
    EXPECT_EQ(w.screen().pixel(box.x + box.wid - 1, box.y + 10), penFrame.color) << "the frame stays whole";
    d.unload();
}

TEST_F(NameDialog, EnterOkAndTheCloseBoxHandBackTheNameCutTo19OrADash) {
    struct Case {
        std::u32string typed;
        enum { Enter, Ok, CloseBox } how;
        std::string name;
    };
    const Case cases[] = {
        {U"Ada", Case::Enter, "Ada"},
        {U"abcdefghijklmnopqrstuvwxy", Case::Ok, "abcdefghijklmnopqrs"},  // 25 typed, 19 kept
        {U"", Case::Enter, "-"},
        {U"Grace", Case::CloseBox, "Grace"},
        {U"\u0416", Case::Ok, "-"},  // nothing the box accepts
    };
    for (const Case& c : cases) {
        DiagUN d(p.ui, p.graphics, sheet, GameMode::Classic);
        d.bestNo = 3;
        for (char32_t ch : c.typed) p.ui.queueKey(ch);
        switch (c.how) {
            case Case::Enter:
                p.ui.queueAdvance(dialog::kKeySettleMs);
                p.ui.queueKey(platform::key::kEnter);
                break;
            case Case::Ok: p.ui.queueMouseDown(150, 165); break;
            case Case::CloseBox: p.ui.queueClose(); break;
        }
        d.showModal();
        EXPECT_EQ(d.nameEntered, c.name);
        EXPECT_EQ(d.bestNo, 3);
    }
    EXPECT_TRUE(p.ui.unattendedModals().empty());
    EXPECT_EQ(p.ui.queuedEvents(), 0u);
}

TEST_F(NameDialog, TabLightsOkWhileTheNameBoxKeepsItsTyping) {
    DiagUN dialog(p.ui, p.graphics, sheet, GameMode::Classic);
    dialog.load();
    HeadlessWindow& w = windowOf(dialog);
    typeText(p.ui, w, U"Ad");
    p.ui.keyDown(w, platform::Key::Tab);
    EXPECT_TRUE(dialog.okButton().hover);
    p.ui.keyPress(w, U'\t');  // no character of a name
    typeText(p.ui, w, U"a");
    EXPECT_EQ(dialog.text(), "Ada");
    p.ui.advance(ui::dialog::kKeySettleMs);
    p.ui.keyPress(w, platform::key::kEnter);
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(dialog.nameEntered, "Ada");
}

TEST_F(NameDialog, PressesBesideOkDoNothingAndOkLightsUnderThePointer) {
    DiagUN d(p.ui, p.graphics, sheet, GameMode::Classic);
    d.load();
    HeadlessWindow& w = windowOf(d);
    const BoxInfo ok = d.okButton();
    p.ui.click(w, ok.x, ok.y + 10);  // its border line
    p.ui.click(w, 150, 110);         // the name box
    EXPECT_TRUE(d.isOpen());
    p.ui.mouseMove(w, 0, ok.x + 10, ok.y + 10);
    EXPECT_TRUE(d.okButton().hover);
    EXPECT_EQ(w.screen().pixel(ok.x + 1, ok.y + 10), penFrame.color) << "double frame when lit";
    p.ui.mouseMove(w, 0, 5, 5);
    EXPECT_FALSE(d.okButton().hover);
    EXPECT_EQ(w.screen().pixel(ok.x + 1, ok.y + 10), brDialog.color);
    p.ui.click(w, ok.x + 10, ok.y + 10);
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.nameEntered, "-");
}

// ---- frmStats ----------------------------------------------------------------------------------

persistence::HallOfFame sampleTables() {
    persistence::HallOfFame h;
    const char* classic[] = {"Ada", "Grace", "Zo\xEB", "-", "Alan", "Edsger", "Barbara", "Anononymous"};
    const std::int32_t classicScores[] = {512, 300, 300, 120, 66, 28, 6, 0};
    for (int i = 1; i <= persistence::kHallOfFameRanks; ++i) {
        h.table(GameMode::Classic)->name(i) = classic[i - 1];
        h.table(GameMode::Classic)->score(i) = classicScores[i - 1];
        h.table(GameMode::Arcade)->name(i) = "Arcade " + std::to_string(i);
        h.table(GameMode::Arcade)->score(i) = 1000 - 100 * i;
    }
    return h;
}

class StatsWindow : public ::testing::Test {
protected:
    HeadlessPlatform p;
    persistence::HallOfFame tables = sampleTables();
};

TEST_F(StatsWindow, LayoutTitleRowsAndButtons) {
    FrmStats stats(p.ui, p.graphics, tables, 1);
    stats.show();
    HeadlessWindow& w = windowOf(stats);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.caption(), "Best Scores - Varnook");
    EXPECT_EQ(w.clientWidth(), 466);
    EXPECT_EQ(w.clientHeight(), 454);
    EXPECT_EQ(rectOf(stats.nameRegion(1)), (Rect{44, 44, 308, 88}));
    EXPECT_EQ(rectOf(stats.scoreRegion(8)), (Rect{352, 352, 440, 396}));
    EXPECT_EQ(rectOf(stats.button(1)), (Rect{88, 396, 220, 426}));
    EXPECT_EQ(rectOf(stats.button(2)), (Rect{264, 396, 396, 426}));

    const platform::PixelSurface& screen = w.screen();
    EXPECT_EQ(screen.pixel(3, 3), brPlay.color);
    EXPECT_EQ(screen.pixel(465, 453), brPlay.color);
    EXPECT_EQ(screen.pixel(stats.button(1).x + 2, stats.button(1).y + 2), brPanel.color);
    // The title in the highlighted colour; every row's name and score in the panel blue, top left.
    EXPECT_GT(uitest::countColor(screen, Rect{145, 22, 321, 52}, clrHiText), 30);
    for (int i = 1; i <= persistence::kHallOfFameRanks; ++i) {
        const BoxInfo& n = stats.nameRegion(i);
        EXPECT_GT(uitest::countColor(screen, Rect{n.x, n.y - 1, n.x + 120, n.y + 20}, clrPanel), 3) << "rank " << i;
        EXPECT_EQ(uitest::countOther(screen, Rect{n.x, n.y + 24, n.x + n.wid, n.y + n.ht}, brPlay.color), 0)
            << "rank " << i << ": top-left aligned";
        const BoxInfo& s = stats.scoreRegion(i);
        EXPECT_GT(uitest::countColor(screen, Rect{s.x, s.y - 1, s.x + s.wid, s.y + 20}, clrPanel), 5) << "rank " << i;
    }
}

TEST_F(StatsWindow, ARankNotSavedYetIsMarkedAndTheNoteSaysSo) {
    const Rect note{44, stats_window::kNoteTop, 422, 454};
    FrmStats plain(p.ui, p.graphics, tables, 1);
    plain.show();
    const platform::PixelSurface before = windowOf(plain).screen();
    EXPECT_EQ(uitest::countOther(before, note, brPlay.color), 0) << "no note while all is saved";
    plain.unload();

    tables.table(GameMode::Classic)->unsaved[1] = true;
    FrmStats marked(p.ui, p.graphics, tables, 1);
    marked.show();
    const platform::PixelSurface& after = windowOf(marked).screen();
    EXPECT_GT(uitest::countColor(after, note, clrHiText), 20);
    auto differing = [&](const BoxInfo& b) {
        int n = 0;
        for (int y = b.y; y < b.y + b.ht; ++y)
            for (int x = b.x; x < b.x + b.wid; ++x) n += before.pixel(x, y) != after.pixel(x, y);
        return n;
    };
    EXPECT_GT(differing(marked.scoreRegion(2)), 5) << "rank 2's score carries the mark";
    EXPECT_EQ(differing(marked.scoreRegion(1)), 0);
    EXPECT_EQ(differing(marked.nameRegion(2)), 0);
}

TEST_F(StatsWindow, ClearScoresEmptiesTheShownTableOnlyAndRedrawsIt) {
    FrmStats stats(p.ui, p.graphics, tables, 2);
    stats.show();
    HeadlessWindow& w = windowOf(stats);
    const platform::PixelSurface before = w.screen();
    const BoxInfo clear = stats.button(2);
    p.ui.click(w, clear.x + 20, clear.y + 15, platform::mouse::kRight);  // any mouse button
    EXPECT_TRUE(stats.isOpen());
    for (int i = 1; i <= persistence::kHallOfFameRanks; ++i) {
        EXPECT_EQ(tables.table(GameMode::Arcade)->name(i), "Anonoymous");
        EXPECT_EQ(tables.table(GameMode::Arcade)->score(i), 0);
    }
    const persistence::HallOfFame untouched = sampleTables();
    for (int i = 1; i <= persistence::kHallOfFameRanks; ++i) {
        EXPECT_EQ(tables.table(GameMode::Classic)->name(i), untouched.table(GameMode::Classic)->name(i));
        EXPECT_EQ(tables.table(GameMode::Classic)->score(i), untouched.table(GameMode::Classic)->score(i));
    }
    // Every row now reads the same: the rows' pictures are equal to each other and differ from before.
    const BoxInfo& r1 = stats.nameRegion(1);
    const BoxInfo& r2 = stats.nameRegion(2);
    int rowDiff = 0, changed = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x) {
            rowDiff += w.screen().pixel(r1.x + x, r1.y + y) != w.screen().pixel(r2.x + x, r2.y + y);
            changed += w.screen().pixel(r1.x + x, r1.y + y) != before.pixel(r1.x + x, r1.y + y);
        }
    EXPECT_EQ(rowDiff, 0);
    EXPECT_GT(changed, 20);
}

TEST_F(StatsWindow, TabReachesClearScoresWhichEnterThenPresses) {
    FrmStats stats(p.ui, p.graphics, tables, 1);
    stats.show();
    HeadlessWindow& w = windowOf(stats);
    using platform::Key;
    p.ui.keyDown(w, Key::Tab);
    EXPECT_TRUE(stats.button(1).hover);
    p.ui.keyDown(w, Key::Tab);
    EXPECT_FALSE(stats.button(1).hover);
    EXPECT_TRUE(stats.button(2).hover);
    EXPECT_GT(uitest::countColor(w.screen(), rectOf(stats.button(2)), clrHiText), 5) << "in the hover look";
    p.ui.advance(dialog::kKeySettleMs);
    p.ui.keyPress(w, platform::key::kEnter);
    EXPECT_TRUE(stats.isOpen()) << "\"Clear Scores\" keeps the table on screen";
    EXPECT_EQ(tables.table(GameMode::Classic)->score(1), 0);
    EXPECT_TRUE(stats.button(2).hover) << "the highlight stays where Tab put it";
    EXPECT_EQ(tables.table(GameMode::Arcade)->score(1), 900) << "the other table is not touched";
    p.ui.keyDown(w, Key::Tab, platform::modifier::kShift);
    EXPECT_TRUE(stats.button(1).hover);
    p.ui.keyPress(w, platform::key::kEnter);
    EXPECT_FALSE(stats.isOpen());

    // Esc closes whatever Tab lit.
    FrmStats again(p.ui, p.graphics, tables, 2);
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueKeyDown(Key::Tab);
    p.ui.queueAdvance(dialog::kKeySettleMs);
    p.ui.queueKey(platform::key::kEscape);
    again.showModal();
    EXPECT_FALSE(again.isOpen());
    EXPECT_EQ(tables.table(GameMode::Arcade)->score(1), 900);
}

TEST_F(StatsWindow, HoverLightsEachButtonOnceAndOkEscEnterClose) {
    FrmStats stats(p.ui, p.graphics, tables, 1);
    stats.show();
    HeadlessWindow& w = windowOf(stats);
    const BoxInfo ok = stats.button(1);
    const int before = w.presentCount();
    p.ui.mouseMove(w, 0, ok.x + 10, ok.y + 10);
    p.ui.mouseMove(w, 0, ok.x + 20, ok.y + 12);
    EXPECT_TRUE(stats.button(1).hover);
    EXPECT_EQ(w.screen().pixel(ok.x, ok.y + 10), penFrame.color) << "framed when lit";
    EXPECT_GT(uitest::countColor(w.screen(), rectOf(ok), clrHiText), 5);
    p.ui.mouseMove(w, 0, stats.button(2).x + 10, stats.button(2).y + 10);
    EXPECT_FALSE(stats.button(1).hover);
    EXPECT_TRUE(stats.button(2).hover);
    EXPECT_EQ(w.screen().pixel(ok.x, ok.y + 10), brPanel.color);
    EXPECT_EQ(w.presentCount(), before + 3);

    // A press on the border line of "OK" does nothing; inside it closes the window.
    p.ui.click(w, ok.x, ok.y + 10);
    EXPECT_TRUE(stats.isOpen());
    p.ui.click(w, ok.x + 5, ok.y + 5);
    EXPECT_FALSE(stats.isOpen());

    for (char32_t key : {platform::key::kEscape, platform::key::kEnter}) {
        FrmStats again(p.ui, p.graphics, tables, 2);
        p.ui.queueKey('x');
        p.ui.queueAdvance(dialog::kKeySettleMs);
        p.ui.queueKey(key);
        again.showModal();
        EXPECT_FALSE(again.isOpen());
    }
    EXPECT_TRUE(p.ui.unattendedModals().empty());
}

}  // namespace
}  // namespace game::ui
