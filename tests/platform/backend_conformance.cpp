// The back-end suite of backend_conformance.h, run by each back end's test program on its driver.
// Real clocks may run late under load: the timer checks hold whatever the delays.
#include "backend_conformance.h"

#include <algorithm>
#include <string>

namespace conformance {

void runFor(platform::Ui& ui, int ms) {
    auto stop = ui.createTimer([&] { ui.quit(); });
    stop->setInterval(ms);
    stop->setEnabled(true);
    ui.run();
}

namespace {

using platform::Key;
using platform::rgb;
using platform::Size;
using platform::Window;
using Log = std::vector<std::string>;
namespace button = platform::mouse;

std::unique_ptr<Window> open(platform::Ui& ui, Recorder& r, const char* caption, int w = 40, int h = 30) {
    auto window = ui.createWindow(r, platform::WindowOptions{caption, w, h, true});
    window->show();
    return window;
}

std::string down(Key k, int shift) {
    return "keydown " + std::to_string(static_cast<int>(k)) + " " + std::to_string(shift);
}

TEST_P(BackendConformance, TimersFireSoonestFirstAndThoseDueTogetherInTheOrderTheyWereMade) {
    Recorder idle;  // the main loop, which advance() may run, runs while a window is open
    const auto clock = open(ui(), idle, "Clock");
    Log fired;
    auto slow = ui().createTimer([&] { fired.push_back("slow"); });
    auto a = ui().createTimer([&] { fired.push_back("a"); });
    auto b = ui().createTimer([&] { fired.push_back("b"); });
    slow->setInterval(250);
    a->setInterval(100);
    b->setInterval(100);
    for (auto* t : {slow.get(), a.get(), b.get()}) t->setEnabled(true);
    driver->advance(280);
    // On time: a b a b slow. A late clock folds ticks, but never changes the order.
    ASSERT_GE(fired.size(), 3u);
    EXPECT_EQ(fired[0], "a");
    for (std::size_t i = 0; i < fired.size(); ++i)
        if (fired[i] == "a") {
            EXPECT_TRUE(i + 1 < fired.size() && fired[i + 1] == "b") << "tick " << i;
        }
    EXPECT_EQ(std::count(fired.begin(), fired.end(), "slow"), 1);
    EXPECT_GE(std::find(fired.begin(), fired.end(), "slow") - fired.begin(), 2);
}

TEST_P(BackendConformance, SleepFiresNothingAndTheTicksItMissedComeAsOne) {
    Recorder idle;  // the main loop, which advance() may run, runs while a window is open
    const auto clock = open(ui(), idle, "Clock");
    int ticks = 0;
    auto t = ui().createTimer([&] { ++ticks; });
    t->setInterval(400);
    t->setEnabled(true);
    const long long start = ui().nowMs();
    ui().sleep(1000);
    EXPECT_GE(ui().nowMs() - start, 980) << "a clock that counts in the system's ticks may be a tick short";
    EXPECT_EQ(ticks, 0);
    driver->advance(50);
    EXPECT_EQ(ticks, 1) << "the ticks due at 400 and 800 come as one";
    driver->advance(200);
    EXPECT_EQ(ticks, 2) << "the next on the timer's own beat, at 1200";
}

TEST_P(BackendConformance, EnablingOrANewIntervalStartsTheCountAgainAndIntervalZeroNeverFires) {
    Recorder idle;  // the main loop, which advance() may run, runs while a window is open
    const auto clock = open(ui(), idle, "Clock");
    int ticks = 0;
    auto t = ui().createTimer([&] { ++ticks; });
    t->setInterval(200);
    driver->advance(300);
    EXPECT_EQ(ticks, 0) << "made disabled";
    t->setEnabled(true);
    driver->advance(300);
    EXPECT_EQ(ticks, 1);
    t->setEnabled(false);
    driver->advance(300);
    EXPECT_EQ(ticks, 1);
    t->setEnabled(true);  // due 200 ms from now, not on the old beat
    driver->advance(100);
    EXPECT_EQ(ticks, 1);
    driver->advance(200);
    EXPECT_EQ(ticks, 2);
    t->setInterval(400);
    driver->advance(300);
    EXPECT_EQ(ticks, 2);
    driver->advance(200);
    EXPECT_EQ(ticks, 3);
    t->setInterval(0);
    driver->advance(200);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(t->enabled());
    EXPECT_EQ(t->interval(), 0);
}

TEST_P(BackendConformance, ATimerMayStopOrDropItselfWhileFiringAndADroppedOneNeverFires) {
    Recorder idle;  // the main loop, which advance() may run, runs while a window is open
    const auto clock = open(ui(), idle, "Clock");
    int ticks = 0, others = 0, dropped = 0;
    std::unique_ptr<platform::Timer> self, other;
    self = ui().createTimer([&] {
        if (++ticks == 2) self.reset();
    });
    other = ui().createTimer([&] {
        ++others;
        other->setEnabled(false);
    });
    auto gone = ui().createTimer([&] { ++dropped; });
    for (auto* t : {self.get(), other.get(), gone.get()}) {
        t->setInterval(30);
        t->setEnabled(true);
    }
    gone.reset();
    driver->advance(300);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(others, 1);
    EXPECT_FALSE(other->enabled());
    EXPECT_EQ(dropped, 0);
}

TEST_P(BackendConformance, ModalLoopsNestTakeInputForTheInnermostWindowOnlyAndRunTheTimers) {
    Recorder main, outer, inner;
    auto mainWindow = open(ui(), main, "Varnook");
    auto outerWindow = ui().createWindow(outer, {"Hall of Fame", 60, 40, false});
    auto innerWindow = ui().createWindow(inner, {"Name", 50, 20, false});
    outer.onKey = [&](char32_t ch) {
        if (ch == 'n') ui().runModal(*innerWindow);
    };
    // The input of the nested loop comes from a timer, so it also shows that timers run there.
    std::unique_ptr<platform::Timer> later;
    later = ui().createTimer([&] {
        later->setEnabled(false);
        driver->type(*innerWindow, 'A');
        driver->mouse(*mainWindow, Mouse::Press, button::kLeft, 5, 5);
        driver->type(*outerWindow, 'x');  // behind the inner window now
        driver->closeBox(*innerWindow);
        driver->type(*outerWindow, 'y');
        driver->closeBox(*outerWindow);
    });
    later->setInterval(100);
    later->setEnabled(true);

    driver->mouse(*mainWindow, Mouse::Press, button::kLeft, 5, 5);  // behind the modal window
    driver->mouse(*outerWindow, Mouse::Press, button::kRight, 40, 30);
    driver->mouse(*outerWindow, Mouse::Drag, button::kLeft | button::kMiddle, 41, 31);
    driver->mouse(*outerWindow, Mouse::Release, button::kMiddle, 40, 30);
    for (const char32_t ch : {platform::key::kEnter, platform::key::kBackspace, platform::key::kEscape, char32_t{'a'},
                              char32_t{0xE9}, char32_t{0x20AC}})
        driver->type(*outerWindow, ch);
    driver->closeBox(*mainWindow);  // the main window's close box is blocked too
    driver->type(*outerWindow, 'n');
    ui().runModal(*outerWindow);

    EXPECT_EQ(outer.log, (Log{"down 2 0 40,30", "move 5 41,31", "up 4 40,30", "key 13", "key 8", "key 27", "key 97",
                              "key 233", "key 8364", "key 110", "key 121", "close"}));
    EXPECT_EQ(inner.log, (Log{"key 65", "close"}));
    EXPECT_TRUE(main.log.empty());
    EXPECT_TRUE(mainWindow->isOpen());

    // Back in the main loop the main window hears again; its close box ends the loop.
    driver->mouse(*mainWindow, Mouse::Press, button::kLeft, 7, 9);
    driver->closeBox(*mainWindow);
    ui().run();
    EXPECT_EQ(main.log, (Log{"down 1 0 7,9", "close"}));
    mainWindow->close();  // closing twice tells the handler once
    EXPECT_EQ(main.log.size(), 2u);
}

TEST_P(BackendConformance, MinimisingAndRestoringAreReportedOnce) {
    Recorder r;
    auto w = open(ui(), r, "Varnook");
    w->minimize();
    EXPECT_TRUE(w->isMinimized());
    w->minimize();
    w->restore();
    EXPECT_FALSE(w->isMinimized());
    EXPECT_EQ(r.log, (Log{"minimized", "restored"}));
}

TEST_P(BackendConformance, TheScreenShowsThePictureAsItWasPresentedAtTheClientSize) {
    Recorder r;
    platform::PixelSurface icon(16, 16, rgb(1, 2, 3));
    platform::WindowOptions options{"Varnook", 160, 120, true};
    options.icon = &icon;
    auto w = ui().createWindow(r, options);
    w->show();
    EXPECT_TRUE(w->isVisible());
    platform::PixelSurface s(160, 120, rgb(10, 200, 30));
    s.fillRect({8, 8, 24, 24}, platform::Brush{rgb(250, 20, 120)});
    w->present(s);
    s.fillRect({0, 0, 160, 120}, platform::Brush{rgb(9, 9, 9)});  // after the present: not shown
    EXPECT_EQ(driver->screenSize(*w), (Size{160, 120}));
    EXPECT_EQ(driver->shownAt(*w, 10, 10), rgb(250, 20, 120));
    EXPECT_EQ(driver->shownAt(*w, 40, 40), rgb(10, 200, 30));

    w->setClientSize(300, 200);
    EXPECT_EQ(w->clientWidth(), 300);
    EXPECT_EQ(w->clientHeight(), 200);
    w->present(platform::PixelSurface(300, 200, rgb(51, 68, 140)));
    EXPECT_EQ(driver->screenSize(*w), (Size{300, 200}));
    EXPECT_EQ(driver->shownAt(*w, 299, 199), rgb(51, 68, 140));
}

TEST_P(BackendConformance, AZoomedWindowShowsEachPicturePixelAsABlockAndMapsInputBack) {
    Recorder r;
    ui().setZoom(3);
    auto w = open(ui(), r, "Varnook", 60, 40);
    platform::PixelSurface picture(60, 40, rgb(51, 68, 140));
    picture.setPixel(10, 5, rgb(250, 20, 120));
    w->present(picture);
    const platform::Color lit = rgb(250, 20, 120), plain = rgb(51, 68, 140);
    EXPECT_EQ(driver->screenSize(*w), (Size{180, 120}));
    EXPECT_EQ(w->clientWidth(), 60) << "the client size stays the picture's";
    for (int y = 15; y < 18; ++y)
        for (int x = 30; x < 33; ++x) EXPECT_EQ(driver->shownAt(*w, x, y), lit) << x << "," << y;
    EXPECT_EQ(driver->shownAt(*w, 29, 15), plain);
    EXPECT_EQ(driver->shownAt(*w, 33, 17), plain);
    EXPECT_EQ(driver->shownAt(*w, 31, 18), plain);

    // A new zoom resizes the open window and draws it again; it is clamped to 1..4.
    ui().setZoom(7);
    EXPECT_EQ(ui().zoom(), 4);
    ui().setZoom(2);
    EXPECT_EQ(driver->screenSize(*w), (Size{120, 80}));
    EXPECT_EQ(driver->shownAt(*w, 21, 11), lit);
    EXPECT_EQ(driver->shownAt(*w, 22, 11), plain);

    // Full screen: the whole screen, the picture at the largest zoom that fits, centred on black.
    w->setFullScreen(true);
    EXPECT_TRUE(w->isFullScreen());
    const Size screen = driver->screenSize(*w);
    const int z = platform::zoom::largestFitting(60, 40, screen.width, screen.height);
    const int left = (screen.width - 60 * z) / 2, top = (screen.height - 40 * z) / 2;
    ASSERT_GT(left, 0);
    EXPECT_EQ(driver->shownAt(*w, left + 10 * z + z - 1, top + 5 * z), lit);
    EXPECT_EQ(driver->shownAt(*w, left, top), plain);
    EXPECT_EQ(driver->shownAt(*w, left - 1, top), rgb(0, 0, 0));
    driver->mouse(*w, Mouse::Press, button::kLeft, left + 10 * z + z - 1, top + 5 * z);
    driver->mouse(*w, Mouse::Press, button::kLeft, left - z, top);  // on the black: outside the picture
    driver->closeBox(*w);
    ui().runModal(*w);
    EXPECT_EQ(r.log, (Log{"down 1 0 10,5", "down 1 0 -1,0", "close"}));

    // Back from full screen, and in windows made later, the Ui's zoom.
    r.log.clear();
    auto later = open(ui(), r, "Later", 60, 40);
    later->setFullScreen(true);
    later->setFullScreen(false);
    later->present(picture);
    EXPECT_EQ(driver->screenSize(*later), (Size{120, 80}));
    driver->mouse(*later, Mouse::Press, button::kLeft, 21, 11);
    driver->mouse(*later, Mouse::Drag, button::kLeft, 20, 10);
    driver->mouse(*later, Mouse::Release, button::kLeft, 119, 79);
    driver->closeBox(*later);
    ui().runModal(*later);
    EXPECT_EQ(r.log, (Log{"down 1 0 10,5", "move 1 10,5", "up 1 59,39", "close"}));
}

TEST_P(BackendConformance, KeysThatTypeNothingComeAsKeyDownsWithTheirModifiersAndCtrlLettersAsShortcuts) {
    Recorder r;
    auto w = open(ui(), r, "Varnook");
    const int ctrl = platform::modifier::kCtrl, shift = platform::modifier::kShift, alt = platform::modifier::kAlt;
    for (const KeyCap k : {KeyCap::Up, KeyCap::Down, KeyCap::Tab, KeyCap::F11, KeyCap::Equals, KeyCap::PadPlus,
                           KeyCap::Plus, KeyCap::Minus, KeyCap::PadMinus, KeyCap::F1, KeyCap::S})
        driver->keyDown(*w, k, ctrl);
    driver->keyDown(*w, KeyCap::S, ctrl | alt);  // Ctrl+Alt is AltGr, which types: no shortcut
    for (const KeyCap k : {KeyCap::PageUp, KeyCap::PageDown, KeyCap::Home, KeyCap::End, KeyCap::Left, KeyCap::Right})
        driver->keyDown(*w, k, 0);
    driver->keyDown(*w, KeyCap::Tab, shift);
    driver->closeBox(*w);
    ui().runModal(*w);
    EXPECT_EQ(r.log, (Log{down(Key::Up, ctrl), down(Key::Down, ctrl), down(Key::Tab, ctrl), down(Key::F11, ctrl),
                          down(Key::Plus, ctrl), down(Key::Plus, ctrl), down(Key::Plus, ctrl), down(Key::Minus, ctrl),
                          down(Key::Minus, ctrl), down(Key::F1, ctrl), "shortcut 115 2", down(Key::PageUp, 0),
                          down(Key::PageDown, 0), down(Key::Home, 0), down(Key::End, 0), down(Key::Left, 0),
                          down(Key::Right, 0), down(Key::Tab, shift), "close"}));
}

TEST_P(BackendConformance, TheWheelComesInNotchesAndAKeyHeldElsewhereDoesNotRepeatHere) {
    Recorder game, dialog;
    auto gameWindow = open(ui(), game, "Varnook");
    auto dialogWindow = open(ui(), dialog, "Dialog");
    driver->wheel(*gameWindow, -2);
    driver->wheel(*gameWindow, 1);
    // Enter goes down in the game's window and is held as the dialog appears: its auto-repeats do
    // nothing there. Pressed in the dialog, it repeats there.
    driver->type(*gameWindow, platform::key::kEnter);
    driver->type(*dialogWindow, platform::key::kEnter, true);
    driver->type(*dialogWindow, platform::key::kEnter);
    driver->type(*dialogWindow, platform::key::kEnter, true);
    driver->closeBox(*dialogWindow);
    driver->closeBox(*gameWindow);
    ui().run();
    EXPECT_EQ(game.log, (Log{"wheel -2", "wheel 1", "key 13", "close"}));
    EXPECT_EQ(dialog.log, (Log{"key 13", "key 13", "close"}));
}

TEST_P(BackendConformance, TheMessageBoxShowsItsCaptionAndTextAndReturnsOnceAnswered) {
    Recorder r;
    const auto w = open(ui(), r, "Varnook");  // over the game's window
    EXPECT_EQ(driver->messageBox("Varnook", "Unable to save the game"), "Varnook: Unable to save the game");
}

}  // namespace
}  // namespace conformance
