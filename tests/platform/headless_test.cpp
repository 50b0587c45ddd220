// The headless back end: timers on the virtual clock, scripted modal loops that never hang,
// modality, windows' screens, and the recorded message boxes, sounds and shell requests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless.h"

namespace {

using platform::HeadlessPlatform;
using platform::HeadlessUi;
using platform::Window;
using platform::WindowOptions;

// A window handler that writes down what reaches it.
struct Recorder : platform::WindowHandler {
    std::vector<std::string> log;
    Window* window = nullptr;
    bool closeOnPress = false;
    void onMouseDown(int button, int shift, double x, double y) override {
        log.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
        if (closeOnPress && window) window->close();
    }
    void onMouseMove(int button, int, double x, double y) override {
        log.push_back("move " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) + "," +
                      std::to_string(static_cast<int>(y)));
    }
    void onMouseUp(int button, int, double, double) override { log.push_back("up " + std::to_string(button)); }
    void onKeyPress(char32_t ch) override { log.push_back("key " + std::to_string(static_cast<int>(ch))); }
    void onStateChange(bool minimized) override { log.push_back(minimized ? "minimized" : "restored"); }
    void onClose() override { log.push_back("close"); }
};

struct Opened {
    Recorder handler;
    std::unique_ptr<Window> window;
    Opened(HeadlessUi& ui, const std::string& caption) {
        window = ui.createWindow(handler, WindowOptions{caption, 100, 50, true});
        handler.window = window.get();
        window->show();
    }
};

TEST(HeadlessTimers, FireInTimeOrderOnTheVirtualClock) {
    HeadlessUi ui;
    std::vector<std::string> fired;
    auto fast = ui.createTimer([&] { fired.push_back("fast@" + std::to_string(ui.nowMs())); });
    auto slow = ui.createTimer([&] { fired.push_back("slow@" + std::to_string(ui.nowMs())); });
    fast->setInterval(100);
    slow->setInterval(300);
    fast->setEnabled(true);
    slow->setEnabled(true);
    ui.advance(99);
    EXPECT_TRUE(fired.empty());
    ui.advance(551);
    // Due together at 300 and 600: the timer made first fires first.
    EXPECT_EQ(fired, (std::vector<std::string>{"fast@100", "fast@200", "fast@300", "slow@300", "fast@400", "fast@500",
                                               "fast@600", "slow@600"}));
    EXPECT_EQ(ui.nowMs(), 650);
}

TEST(HeadlessTimers, EnablingAndNewIntervalsRestartTheCount) {
    HeadlessUi ui;
    int ticks = 0;
    auto t = ui.createTimer([&] { ++ticks; });
    t->setInterval(100);
    ui.advance(500);
    EXPECT_EQ(ticks, 0);  // made disabled
    t->setEnabled(true);
    ui.advance(150);
    EXPECT_EQ(ticks, 1);
    t->setEnabled(false);
    ui.advance(1000);
    EXPECT_EQ(ticks, 1);
    t->setEnabled(true);  // counts from now: due 100 ms later
    ui.advance(99);
    EXPECT_EQ(ticks, 1);
    ui.advance(1);
    EXPECT_EQ(ticks, 2);
    t->setInterval(300);
    ui.advance(299);
    EXPECT_EQ(ticks, 2);
    ui.advance(1);
    EXPECT_EQ(ticks, 3);
    t->setInterval(0);  // an interval of 0 never fires
    ui.advance(10000);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(t->enabled());
}

TEST(HeadlessTimers, SleepMovesTheClockWithoutFiringAndMissedTicksComeAsOne) {
    HeadlessUi ui;
    std::vector<long long> at;
    auto t = ui.createTimer([&] { at.push_back(ui.nowMs()); });
    t->setInterval(100);
    t->setEnabled(true);
    ui.sleep(350);
    EXPECT_TRUE(at.empty());
    EXPECT_EQ(ui.nowMs(), 350);
    ui.advance(0);  // the overdue tick, once
    ui.advance(100);
    EXPECT_EQ(at, (std::vector<long long>{350, 400}));
    EXPECT_EQ(ui.sleeps(), std::vector<int>{350});
}

TEST(HeadlessTimers, ATimerMayStopOrDestroyItselfWhileFiring) {
    HeadlessUi ui;
    int ticks = 0;
    std::unique_ptr<platform::Timer> t;
    t = ui.createTimer([&] {
        if (++ticks == 2) t.reset();
    });
    t->setInterval(10);
    t->setEnabled(true);
    std::unique_ptr<platform::Timer> other;
    other = ui.createTimer([&] { other->setEnabled(false); });
    other->setInterval(15);
    other->setEnabled(true);
    ui.advance(100);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(other->enabled());
}

TEST(HeadlessModal, ScriptedInputReachesTheModalWindowOnly) {
    HeadlessUi ui;
    Opened main(ui, "Varnook");
    Opened dialog(ui, "Game Statistics");
    dialog.handler.closeOnPress = true;
    ui.queueMouseMove(10, 12);
    ui.queueMouseDown(5, 6, platform::mouse::kRight, "Varnook");  // blocked by the modal dialog
    ui.queueKey(platform::key::kEnter);
    ui.queueMouseDown(40, 20);
    ui.queueKey('x');  // after the dialog closed: left for the main loop
    ui.runModal(*dialog.window);
    EXPECT_FALSE(dialog.window->isOpen());
    EXPECT_EQ(dialog.handler.log, (std::vector<std::string>{"move 0 10,12", "key 13", "down 1 0 40,20", "close"}));
    EXPECT_TRUE(main.handler.log.empty());
    EXPECT_EQ(ui.droppedInputs(), 1);
    EXPECT_TRUE(ui.unattendedModals().empty());
    EXPECT_EQ(ui.queuedEvents(), 1u);
    ui.run();
    EXPECT_EQ(main.handler.log, std::vector<std::string>{"key 120"});
}

TEST(HeadlessModal, AModalWithNothingScriptedClosesAndIsRecorded) {
    HeadlessUi ui;
    Opened dialog(ui, "Do you want to exit");
    ui.runModal(*dialog.window);
    EXPECT_FALSE(dialog.window->isOpen());
    EXPECT_EQ(ui.unattendedModals(), std::vector<std::string>{"Do you want to exit"});
    EXPECT_EQ(dialog.handler.log, std::vector<std::string>{"close"});
}

TEST(HeadlessModal, HandlerDrivesNestedModalLoopsAndTimersRunMeanwhile) {
    HeadlessUi ui;
    Opened main(ui, "Varnook");
    Opened outer(ui, "Hall of Fame");
    Opened inner(ui, "Name");
    int ticks = 0;
    auto t = ui.createTimer([&] { ++ticks; });
    t->setInterval(100);
    t->setEnabled(true);
    std::vector<std::string> asked;
    ui.setModalHandler([&](Window& w) {
        asked.push_back(w.caption());
        if (w.caption() == "Hall of Fame" && inner.window->isOpen()) {
            ui.runModal(*inner.window);
        } else if (w.caption() == "Name") {
            ui.advance(250);  // the countdown keeps ticking under a modal window
            ui.keyPress(w, 'A');
            ui.closeBox(w);
        } else {
            ui.keyPress(w, platform::key::kEscape);
            w.close();
        }
    });
    ui.runModal(*outer.window);
    EXPECT_EQ(asked, (std::vector<std::string>{"Hall of Fame", "Name", "Hall of Fame"}));
    EXPECT_EQ(inner.handler.log, (std::vector<std::string>{"key 65", "close"}));
    EXPECT_EQ(outer.handler.log, (std::vector<std::string>{"key 27", "close"}));
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(ui.modalHistory(), (std::vector<std::string>{"Hall of Fame", "Name"}));
    EXPECT_TRUE(ui.unattendedModals().empty());
    EXPECT_EQ(ui.activeModal(), nullptr);
}

TEST(HeadlessWindows, CloseMinimiseFindAndRunUntilNoneIsOpen) {
    HeadlessUi ui;
    Opened a(ui, "Varnook");
    Opened b(ui, "Hall of Fame");
    EXPECT_EQ(ui.findWindow("Hall of Fame"), b.window.get());
    EXPECT_EQ(ui.openWindows().size(), 2u);
    ui.minimizeBox(*a.window);
    EXPECT_TRUE(a.window->isMinimized());
    a.window->minimize();  // already minimised: no second event
    ui.restoreBox(*a.window);
    EXPECT_FALSE(a.window->isMinimized());
    EXPECT_EQ(a.handler.log, (std::vector<std::string>{"minimized", "restored"}));

    ui.queueClose("Hall of Fame");
    ui.queueClick(3, 4, platform::mouse::kMiddle);  // goes to the newest open window: the main one
    ui.queueClose();
    ui.queueKey('z');  // never delivered: run() stops once no window is open
    ui.run();
    EXPECT_EQ(b.handler.log, std::vector<std::string>{"close"});
    EXPECT_EQ(a.handler.log.back(), "close");
    EXPECT_EQ(a.handler.log[2], "down 4 0 3,4");
    EXPECT_EQ(ui.findWindow("Hall of Fame"), nullptr);
    EXPECT_TRUE(ui.openWindows().empty());
    EXPECT_EQ(ui.queuedEvents(), 1u);
    a.window->close();  // closing twice runs onClose once
    EXPECT_EQ(std::count(a.handler.log.begin(), a.handler.log.end(), "close"), 1);
}

TEST(HeadlessWindows, QuitEndsTheMainLoopAndWindowsMayOutliveTheUi) {
    auto ui = std::make_unique<HeadlessUi>();
    Opened a(*ui, "Varnook");
    int steps = 0;
    ui->queueAction([&] { ++steps; });
    ui->queueAction([&] {
        ++steps;
        ui->quit();
    });
    ui->queueAction([&] { ++steps; });
    ui->run();
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(a.window->isOpen());
    auto timer = ui->createTimer([] {});
    timer->setInterval(5);
    ui.reset();
    timer->setEnabled(true);  // harmless after the Ui is gone
    a.window.reset();
}

TEST(HeadlessWindows, PresentKeepsACopyOfThePicture) {
    HeadlessPlatform p;
    Opened w(p.ui, "Varnook");
    auto surface = p.graphics.createSurface(4, 3);
    surface->fillRect({0, 0, 4, 3}, platform::Brush{platform::rgb(1, 2, 3)});
    auto* hw = p.ui.findWindow("Varnook");
    ASSERT_NE(hw, nullptr);
    EXPECT_EQ(hw->screen().width(), 0);
    w.window->present(*surface);
    surface->fillRect({0, 0, 4, 3}, platform::Brush{platform::rgb(9, 9, 9)});
    EXPECT_EQ(hw->screen().pixel(3, 2), platform::rgb(1, 2, 3));
    EXPECT_EQ(hw->presentCount(), 1);
}

TEST(HeadlessServices, MessageBoxesSoundsAndShellRequestsAreRecorded) {
    HeadlessPlatform p;
    const platform::Services s = p.services();
    EXPECT_EQ(s.store, nullptr);
    s.ui->messageBox("Varnook", "Unable to save");
    s.sound->play("/game/CLICK.wav");
    s.sound->play("/game/RIGHT.wav");
    EXPECT_EQ(p.sound.playing(), "/game/RIGHT.wav");
    s.sound->stop();
    s.shell->open("/game/Varnook.htm", "/game");
    ASSERT_EQ(p.ui.messages().size(), 1u);
    EXPECT_EQ(p.ui.messages()[0].caption, "Varnook");
    EXPECT_EQ(p.ui.messages()[0].text, "Unable to save");
    EXPECT_EQ(p.sound.played(), (std::vector<std::string>{"/game/CLICK.wav", "/game/RIGHT.wav"}));
    EXPECT_EQ(p.sound.stopCount(), 1);
    EXPECT_TRUE(p.sound.playing().empty());
    EXPECT_TRUE(p.sound.requests().back().stop);
    ASSERT_EQ(p.shell.requests().size(), 1u);
    EXPECT_EQ(p.shell.requests()[0].target, "/game/Varnook.htm");
    EXPECT_EQ(p.shell.requests()[0].directory, "/game");
}

}  // namespace
