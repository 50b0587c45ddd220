// The SDL back end on a real X display (the test is run under xvfb-run), with the pointer driven by
// xdotool: input orderings that SDL's dummy driver cannot produce.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/sdl.h"

// Xlib last: its macros (None, Bool) would otherwise reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

// Everything a window hears, with positions.
struct Heard : platform::WindowHandler {
    std::vector<std::string> log;
    void onMouseDown(int button, int shift, double x, double y) override {
        log.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
    }
    void onKeyPress(char32_t ch) override { log.push_back("key " + std::to_string(static_cast<unsigned>(ch))); }
    void onKeyDown(platform::Key key, int shift) override {
        log.push_back("keydown " + std::to_string(static_cast<int>(key)) + " " + std::to_string(shift));
    }
};

// The colour of a screen pixel as "r g b".
std::string screenPixel(int x, int y) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return "no display";
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    std::string rgb = "none";
    if (image != nullptr) {
        const unsigned long p = XGetPixel(image, 0, 0);
        rgb = std::to_string((p >> 16) & 0xFF) + " " + std::to_string((p >> 8) & 0xFF) + " " + std::to_string(p & 0xFF);
        XDestroyImage(image);
    }
    XCloseDisplay(d);
    return rgb;
}

// A window at zoom 3 on a real display: the picture enlarged on screen by the X server, each pixel
// exactly a 3 x 3 block up to the far corner, a real click and real keys (Ctrl held for one)
// reaching the handler in picture pixels and key names.
TEST(SdlOnX11, AZoomedWindowShowsItsPictureEnlargedAndTakesRealInput) {
    struct {
        SdlSession session;
        SdlUi ui;
    } p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    p.ui.setZoom(3);
    Heard input;
    auto window = p.ui.createWindow(input, WindowOptions{"Zoomed", 100, 80});
    platform::PixelSurface picture(100, 80, platform::rgb(51, 68, 140));
    picture.fillRect({20, 10, 21, 11}, platform::Brush{platform::rgb(250, 20, 120)});
    picture.fillRect({98, 78, 99, 79}, platform::Brush{platform::rgb(10, 200, 30)});
    window->show();
    window->present(picture);
    // Let the window be mapped and drawn before the display is read.
    auto settle = p.ui.createTimer([&] { p.ui.quit(); });
    settle->setInterval(300);
    settle->setEnabled(true);
    p.ui.run();
    settle->setEnabled(false);

    // Picture pixel (20, 10) is screen block 60..62 x 30..32, (98, 78) is 294..296 x 234..236.
    for (const auto& [x, y, colour] : std::vector<std::tuple<int, int, std::string>>{{60, 30, "250 20 120"},
                                                                                     {62, 32, "250 20 120"},
                                                                                     {59, 31, "51 68 140"},
                                                                                     {63, 31, "51 68 140"},
                                                                                     {61, 33, "51 68 140"},
                                                                                     {294, 234, "10 200 30"},
                                                                                     {296, 236, "10 200 30"},
                                                                                     {293, 235, "51 68 140"},
                                                                                     {297, 235, "51 68 140"},
                                                                                     {295, 233, "51 68 140"},
                                                                                     {295, 237, "51 68 140"},
                                                                                     {299, 239, "51 68 140"}}) {
        const SDL_Point at = onScreen("Zoomed", x, y);
        EXPECT_EQ(screenPixel(at.x, at.y), colour) << x << "," << y;
    }
    const SDL_Point lit = onScreen("Zoomed", 62, 31);

    xdotool("mousemove " + at(lit) + " click 1");
    xdotool("key --clearmodifiers ctrl+equal Tab F11 Up a");
    auto giveUp = p.ui.createTimer([&] { p.ui.quit(); });
    giveUp->setInterval(100);
    giveUp->setEnabled(true);
    for (int i = 0; i < 50 && input.log.size() < 7; ++i) p.ui.run();
    using platform::Key;
    auto down = [](Key k, int shift) {
        return "keydown " + std::to_string(static_cast<int>(k)) + " " + std::to_string(shift);
    };
    // X types "=" for Ctrl+= too; the game reads no such character.
    EXPECT_EQ(input.log,
              (std::vector<std::string>{"down 1 0 20,10", down(Key::Plus, platform::modifier::kCtrl), "key 61",
                                        down(Key::Tab, 0), down(Key::F11, 0), down(Key::Up, 0), "key 97"}));
}

}  // namespace
