// The SDL back end on a real X display (the test is run under xvfb-run), with the pointer driven by
// xdotool: input orderings that SDL's dummy driver cannot produce.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/sdl.h"

// Xlib last: its macros (None, Bool) would otherwise reach the headers above.
#include <X11/Xlib.h>

namespace {

using platform::SdlSession;
using platform::SdlUi;
using platform::Window;
using platform::WindowOptions;

struct Presses : platform::WindowHandler {
    std::vector<std::string> log;
    std::function<void()> onDown;
    void onMouseDown(int button, int, double, double) override {
        log.push_back("down " + std::to_string(button));
        if (onDown) onDown();
    }
    void onMouseUp(int button, int, double, double) override { log.push_back("up " + std::to_string(button)); }
};

// Runs xdotool with these arguments and returns once the X server has taken its requests.
void xdotool(const std::string& args) {
    const int status = std::system(("xdotool " + args).c_str());
    ASSERT_EQ(status, 0) << "xdotool " << args;
}

// The screen position of a point in the window captioned so.
SDL_Point onScreen(const char* caption, int x, int y) {
    for (Uint32 id = 1; id < 100; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id); w != nullptr && std::string(SDL_GetWindowTitle(w)) == caption) {
            int left = 0, top = 0;
            SDL_GetWindowPosition(w, &left, &top);
            return {left + x, top + y};
        }
    ADD_FAILURE() << "no window " << caption;
    return {0, 0};
}

std::string at(SDL_Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

// A dialog that closes on the press of its button: the release of that press reaches the X server
// while the dialog is still there, so the server sends it to the dialog. SDL must still hear it,
// or it takes the button for held and drops the next press on any window.
TEST(SdlOnX11, ThePressAfterADialogClosedOnAPressIsNotLost) {
    // Windows and input only: no sound is opened (the test runs with SDL's dummy audio driver too).
    struct {
        SdlSession session;
        SdlUi ui;
    } p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();

    Presses mainInput;
    Presses dialogInput;
    auto main = p.ui.createWindow(mainInput, WindowOptions{"Main", 300, 300});
    auto dialog = p.ui.createWindow(dialogInput, WindowOptions{"Dialog", 100, 100});
    main->show();
    dialog->show();

    xdotool("mousemove " + at(onScreen("Dialog", 50, 50)) + " mousedown 1");
    dialogInput.onDown = [&] {
        xdotool("mouseup 1");
        dialog->close();
    };
    p.ui.runModal(*dialog);
    ASSERT_EQ(dialogInput.log, std::vector<std::string>{"down 1"});

    // Outside where the dialog was, on the main window; the first press there ends the loop.
    mainInput.onDown = [&] { main->close(); };
    xdotool("mousemove " + at(onScreen("Main", 20, 20)) + " click 1");
    auto giveUp = p.ui.createTimer([&] { main->close(); });
    giveUp->setInterval(5000);
    giveUp->setEnabled(true);
    p.ui.run();
    EXPECT_EQ(mainInput.log, std::vector<std::string>{"down 1"});
}

// SDL wakes its event wait by sending an event to its newest window over a second X connection;
// when a dialog closed by a press is destroyed meanwhile, a busy server answers that send with
// BadWindow, which Xlib's default handler would turn into the end of the program.
TEST(SdlOnX11, AnEventSentToAWindowAlreadyDestroyedEndsNothing) {
    struct {
        SdlSession session;
        SdlUi ui;
    } p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Presses input;
    auto dialog = p.ui.createWindow(input, WindowOptions{"Dialog", 100, 100});
    dialog->show();
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    const ::Window gone = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(other, gone);
    XEvent wakeup{};
    wakeup.xclient.type = ClientMessage;
    wakeup.xclient.window = gone;
    wakeup.xclient.format = 8;
    XSendEvent(other, gone, False, NoEventMask, &wakeup);
    XSync(other, False);  // the BadWindow error arrives here
    XCloseDisplay(other);
    dialog->close();
    EXPECT_EQ(input.log, std::vector<std::string>{});
}

}  // namespace
