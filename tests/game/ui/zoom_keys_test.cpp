// The windows' zoom in the running game: Ctrl+plus and Ctrl+minus within the desktop's room, F11 for
// full screen, every hit test working on the enlarged windows, and the choice kept for the next run.
#include <gtest/gtest.h>

#include "frm_play_fixture.h"
#include "game/ui/dialogs.h"
#include "records_program_fixture.h"

namespace recordstest {
namespace {

using frmtest::PlayWindow;
using game::ui::FrmPlay;
using platform::Key;
using platform::modifier::kCtrl;

void ctrl(PlayWindow& w, Key key) { w.hp.ui.keyDown(*w.frm->window(), key, kCtrl); }

TEST(ZoomKeys, CtrlPlusAndMinusStepTheZoomWithinTheDesktopsRoomAndAreRemembered) {
    PlayWindow w;
    w.hp.ui.setDesktopSize({1920, 1080});  // room for 2 (1408 x 1056)
    ASSERT_EQ(w.hp.ui.zoom(), 1);
    w.hp.ui.keyDown(*w.frm->window(), Key::Plus, 0);
    EXPECT_EQ(w.hp.ui.zoom(), 1) << "plus alone is no command";
    ctrl(w, Key::Plus);
    EXPECT_EQ(w.hp.ui.zoom(), 2);
    EXPECT_EQ(w.win().screen().width(), 2 * 704) << "the menu is shown enlarged at once";
    EXPECT_EQ(w.settings.zoom, 2);
    ctrl(w, Key::Plus);
    EXPECT_EQ(w.hp.ui.zoom(), 2) << "3x would not fit on the desktop";

    w.hp.ui.setDesktopSize({3840, 2160});
    ctrl(w, Key::Plus);
    ctrl(w, Key::Plus);
    ctrl(w, Key::Plus);
    EXPECT_EQ(w.hp.ui.zoom(), 4) << "never above 4";
    for (int i = 0; i < 5; ++i) ctrl(w, Key::Minus);
    EXPECT_EQ(w.hp.ui.zoom(), 1) << "never below 1";
    EXPECT_EQ(w.settings.zoom, 1);

    // During a game too, and the dialogs come at the same zoom.
    w.startClassic(9, 2024);
    ctrl(w, Key::Plus);
    EXPECT_EQ(w.hp.ui.zoom(), 2);
    game::ui::FrmOKCancel question(w.hp.ui, w.hp.graphics);
    question.load();
    auto& dialog = static_cast<platform::HeadlessWindow&>(*question.window());
    EXPECT_EQ(dialog.screen().width(), 2 * game::ui::dialog::kOkCancelClientW);
    // Its buttons answer at their enlarged places.
    const auto& yes = question.button(1);
    w.hp.ui.click(dialog, 2 * (yes.x + yes.wid / 2), 2 * (yes.y + yes.ht / 2));
    EXPECT_EQ(question.clickedBtnNum(), 1);
}

TEST(ZoomKeys, F11TogglesFullScreenWhereTheZoomKeysWait) {
    PlayWindow w;
    w.hp.ui.setDesktopSize({1920, 1080});
    w.hp.ui.keyDown(*w.frm->window(), Key::F11, 0);
    ASSERT_TRUE(w.frm->window()->isFullScreen());
    const auto& screen = w.win().screen();
    EXPECT_EQ(screen.width(), 1920);
    EXPECT_EQ(screen.height(), 1080);
    // 704 x 528 twice, centred: (256, 12).
    EXPECT_EQ(screen.pixel(255, 540), 0u);
    EXPECT_EQ(screen.pixel(256, 540), w.frm->pbMainMenu().pixel(0, 264));
    ctrl(w, Key::Plus);
    EXPECT_EQ(w.hp.ui.zoom(), 1) << "full screen has the screen's zoom";
    // A press at the enlarged place of "CLASSIC GAME".
    const auto& entry = w.frm->mmBtn(1);
    w.hp.ui.click(w.win(), 256 + 2 * (entry.x + entry.wid / 2), 12 + 2 * (entry.y + entry.ht / 2));
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    w.hp.ui.keyDown(*w.frm->window(), Key::F11, 0);
    EXPECT_FALSE(w.frm->window()->isFullScreen());
    EXPECT_EQ(w.win().screen().width(), 704);
}

TEST(ZoomKeys, PressesHitTheSameTargetsOnAnEnlargedWindow) {
    PlayWindow w;
    w.hp.ui.setZoom(3);
    const auto& entry = w.frm->mmBtn(1);
    // The entry's top border line, enlarged: still no choice (the hit test is strict).
    w.hp.ui.click(w.win(), 3 * (entry.x + 10) + 2, 3 * entry.y + 2);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    w.hp.ui.mouseMove(w.win(), 0, 3 * (entry.x + 10), 3 * (entry.y + 1));
    EXPECT_TRUE(w.frm->mmBtn(1).hover);
    w.session->setFixedPuzzle(game::Session::FixedPuzzle{9, 2024});
    w.hp.ui.click(w.win(), 3 * (entry.x + 1), 3 * (entry.y + 1));
    ASSERT_EQ(w.frm->view(), FrmPlay::View::Play);

    // A tile's centre, and 19 picture pixels from it, link; 20 do not.
    const auto [x, y] = w.centre(6);
    w.hp.ui.click(w.win(), 3 * x + 1, 3 * y + 2);
    EXPECT_EQ(w.chain(), std::vector<int>{6});
    w.hp.ui.click(w.win(), 3 * (x + 20) + 2, 3 * y);  // 20 right of cell 6: nothing (cell 7 is 24 away)
    EXPECT_EQ(w.chain(), std::vector<int>{6});
    w.hp.ui.click(w.win(), 3 * (x + 44 - 19), 3 * y + 2);  // 19 left of cell 7's centre
    EXPECT_EQ(w.chain(), (std::vector<int>{6, 7}));
}

class ZoomRun : public ProgramTest {};

TEST_F(ZoomRun, TheProgramOpensAtTheFittingZoomAndKeepsAChosenOne) {
    desktop = {3840, 2160};
    start();
    EXPECT_EQ(ui().zoom(), 3) << "2160 high: 3x takes 73 %";
    EXPECT_EQ(mainWindow().screen().width(), 3 * 704);
    // A click at the enlarged place of "CLASSIC GAME" opens the play surface.
    const auto& entry = frm().mmBtn(1);
    ui().click(mainWindow(), 3 * (entry.x + entry.wid / 2.0), 3 * (entry.y + entry.ht / 2.0));
    EXPECT_EQ(frm().view(), FrmPlay::View::Play);
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "ZOOM"), std::nullopt) << "the fitting zoom is not stored";

    start();
    ui().keyDown(mainWindow(), Key::Minus, kCtrl);
    EXPECT_EQ(ui().zoom(), 2);
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "ZOOM"), (std::vector<std::uint8_t>{2, 0, 0, 0}));

    start();
    EXPECT_EQ(ui().zoom(), 2) << "as chosen";
    closeWindow();

    // The command line's zoom is for its run only.
    game::StartOptions options;
    options.zoom = 4;
    start({}, options);
    EXPECT_EQ(ui().zoom(), 4);
    closeWindow();
    EXPECT_EQ(stored(kSettingsKey, "ZOOM"), (std::vector<std::uint8_t>{2, 0, 0, 0}));

    // A smaller desktop than the one the zoom was chosen on.
    desktop = {1024, 768};
    start();
    EXPECT_EQ(ui().zoom(), 1);
}

}  // namespace
}  // namespace recordstest
