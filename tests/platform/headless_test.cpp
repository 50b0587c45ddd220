// The headless back end: the back-end suite on the virtual clock, with input queued as script
// events; and what only it has: the script, modal loops that never hang, and the recorded sounds
// and shell requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "backend_conformance.h"
#include "platform/headless.h"

namespace conformance {
namespace {

using platform::HeadlessUi;
using platform::HeadlessWindow;
using platform::Window;

class HeadlessDriver final : public Driver {
public:
    HeadlessDriver() {
        // A modal loop with nothing queued waits as a real one does: the clock moves on in steps of
        // 10 ms, for a virtual minute at most, before the loop gives the window up.
        ui_.setModalHandler([this](Window&) {
            if (waited_ >= 60000) return;
            waited_ += 10;
            ui_.advance(10);
        });
    }
    platform::Ui& ui() override { return ui_; }

    void mouse(Window& w, Mouse what, int buttons, int x, int y) override {
        if (what == Mouse::Press) ui_.queueMouseDown(x, y, buttons, w.caption());
        if (what == Mouse::Drag) ui_.queueMouseMove(x, y, buttons, w.caption());
        if (what == Mouse::Release) ui_.queueMouseUp(x, y, buttons, w.caption());
    }
    void wheel(Window& w, int notches) override {
        ui_.queueAction([this, &w, notches] { ui_.mouseWheel(w, notches, 0, 0); });
    }
    void type(Window& w, char32_t ch, bool repeat) override {
        ui_.queueAction([this, &w, ch, repeat] { ui_.keyPress(w, ch, repeat); });
    }
    void keyDown(Window& w, KeyCap cap, int shift) override {
        using platform::Key;
        // The keyboard is the driver here: Ctrl+Alt (AltGr) with S types a character of the layout.
        if (cap == KeyCap::S && (shift & platform::modifier::kAlt)) return;
        if (cap == KeyCap::S) return ui_.queueAction([this, &w, shift] { ui_.shortcut(w, 's', shift); });
        static constexpr Key keys[] = {Key::Up,     Key::Down,     Key::Tab,   Key::F1,   Key::F11,
                                       Key::PageUp, Key::PageDown, Key::Home,  Key::End,  Key::Plus,
                                       Key::Plus,   Key::Minus,    Key::Minus, Key::Plus, Key::Plus /* S: above */,
                                       Key::Left,   Key::Right};
        ui_.queueKeyDown(keys[static_cast<int>(cap)], shift, w.caption());
    }
    void closeBox(Window& w) override { ui_.queueClose(w.caption()); }
    void advance(int ms) override { ui_.advance(ms); }
    platform::Color shownAt(Window& w, int x, int y) override { return screen(w).pixel(x, y); }
    platform::Size screenSize(Window& w) override { return {screen(w).width(), screen(w).height()}; }
    std::string messageBox(std::string_view caption, std::string_view text) override {
        ui_.messageBox(caption, text);
        return ui_.messages().back().caption + ": " + ui_.messages().back().text;
    }

private:
    static const platform::PixelSurface& screen(Window& w) { return static_cast<HeadlessWindow&>(w).screen(); }

    HeadlessUi ui_;
    long long waited_ = 0;
};

VARNOOK_BACKEND_CONFORMANCE(Headless, [] { return std::make_unique<HeadlessDriver>(); });

// ---- What only the headless back end has -------------------------------------------------------

struct Opened {
    Recorder handler;
    std::unique_ptr<Window> window;
    Opened(HeadlessUi& ui, const std::string& caption) {
        window = ui.createWindow(handler, platform::WindowOptions{caption, 100, 50, true});
        window->show();
    }
};

TEST(HeadlessModal, ScriptedInputGoesToTheInnermostModalWindowAndTheRestWaitsForTheMainLoop) {
    HeadlessUi ui;
    Opened main(ui, "Varnook");
    Opened dialog(ui, "Game Statistics");
    ui.queueMouseDown(5, 6, platform::mouse::kRight, "Varnook");  // blocked by the modal dialog
    ui.queueKey(platform::key::kEnter);                           // no caption: the modal window
    ui.queueClose();
    ui.queueKey('x');  // after the dialog closed: left for the main loop
    ui.runModal(*dialog.window);
    EXPECT_EQ(dialog.handler.log, (std::vector<std::string>{"key 13", "close"}));
    EXPECT_TRUE(main.handler.log.empty());
    EXPECT_EQ(ui.droppedInputs(), 1);
    EXPECT_EQ(ui.queuedEvents(), 1u);
    EXPECT_EQ(ui.modalHistory(), std::vector<std::string>{"Game Statistics"});
    EXPECT_EQ(ui.activeModal(), nullptr);
    ui.run();
    EXPECT_EQ(main.handler.log, std::vector<std::string>{"key 120"});

    // A modal loop with nothing scripted and no handler closes its window and says so.
    Opened question(ui, "Do you want to exit");
    ui.runModal(*question.window);
    EXPECT_FALSE(question.window->isOpen());
    EXPECT_EQ(ui.unattendedModals(), std::vector<std::string>{"Do you want to exit"});
    EXPECT_EQ(question.handler.log, std::vector<std::string>{"close"});
}

TEST(HeadlessWindows, FindWindowsAndRunUntilNoneIsOpen) {
    HeadlessUi ui;
    Opened a(ui, "Varnook");
    Opened b(ui, "Hall of Fame");
    EXPECT_EQ(ui.findWindow("Hall of Fame"), b.window.get());
    EXPECT_EQ(ui.openWindows().size(), 2u);
    EXPECT_EQ(ui.findWindow("Varnook")->screen().width(), 0) << "nothing presented yet";

    ui.queueClose("Hall of Fame");
    ui.queueClick(3, 4, platform::mouse::kMiddle);  // goes to the newest open window: the main one
    ui.queueClose();
    ui.queueKey('z');  // never delivered: run() stops once no window is open
    ui.run();
    EXPECT_EQ(b.handler.log, std::vector<std::string>{"close"});
    EXPECT_EQ(a.handler.log[0], "down 4 0 3,4");
    EXPECT_EQ(ui.findWindow("Hall of Fame"), nullptr);
    EXPECT_TRUE(ui.openWindows().empty());
    EXPECT_EQ(ui.queuedEvents(), 1u);
}

TEST(HeadlessWindows, QuitEndsTheMainLoopAndWindowsAndTimersMayOutliveTheUi) {
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
    ui->sleep(350);
    EXPECT_EQ(ui->sleeps(), std::vector<int>{350});
    auto timer = ui->createTimer([] {});
    timer->setInterval(5);
    ui.reset();
    timer->setEnabled(true);  // harmless after the Ui is gone
    a.window.reset();
}

TEST(HeadlessServices, SoundsAndShellRequestsAreRecorded) {
    platform::HeadlessPlatform p;
    const platform::Services s = p.services();
    EXPECT_EQ(s.store, nullptr);
    s.sound->play("/game/CLICK.wav");
    s.sound->play("/game/RIGHT.wav");
    EXPECT_EQ(p.sound.playing(), "/game/RIGHT.wav");
    s.sound->stop();
    s.shell->open("/game/Varnook.htm", "/game");
    EXPECT_EQ(p.sound.played(), (std::vector<std::string>{"/game/CLICK.wav", "/game/RIGHT.wav"}));
    EXPECT_EQ(p.sound.stopCount(), 1);
    EXPECT_TRUE(p.sound.playing().empty());
    EXPECT_TRUE(p.sound.requests().back().stop);
    ASSERT_EQ(p.shell.requests().size(), 1u);
    EXPECT_EQ(p.shell.requests()[0].target, "/game/Varnook.htm");
    EXPECT_EQ(p.shell.requests()[0].directory, "/game");
}

}  // namespace
}  // namespace conformance
