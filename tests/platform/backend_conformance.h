// One suite for every back end of the windowing service: each back end's test program hands it a
// driver that makes the back end's Ui and sends it input as its system would, and the suite checks
// what the game relies on (timers, modal loops, input at a zoom, keys, the message box).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/window.h"

namespace conformance {

// Keys as the keyboard has them (several give one platform::Key: Equals is "=" and "+", Plus the
// "+" of keyboards that have a key of its own, Pad the keypad's), and the letter S.
enum class KeyCap { Up, Down, Tab, F1, F11, PageUp, PageDown, Home, End, Equals, PadPlus, Minus, PadMinus, Plus, S, Left, Right };
// A button going down, a move with buttons held, a button going up.
enum class Mouse { Press, Drag, Release };

// Drives one back end. Input goes to a window's client area at screen pixels, as the system sends
// it: it reaches the window when an event loop runs (run, runModal), or at once where the system
// delivers it so. Windows are found by their captions, which the tests keep unique.
class Driver {
public:
    virtual ~Driver() = default;
    virtual platform::Ui& ui() = 0;

    virtual void mouse(platform::Window& w, Mouse what, int buttons, int x, int y) = 0;
    // Whole notches, positive away from the player.
    virtual void wheel(platform::Window& w, int notches) = 0;
    // A typed character; repeat: an auto-repeat of its key held down.
    virtual void type(platform::Window& w, char32_t ch, bool repeat = false) = 0;
    virtual void keyDown(platform::Window& w, KeyCap key, int shift) = 0;
    virtual void closeBox(platform::Window& w) = 0;

    // Lets ms milliseconds pass with the timers running (on a real clock, in the main loop: with a
    // window open).
    virtual void advance(int ms) = 0;
    // What the client area shows at screen pixel (x, y), and its size on screen.
    virtual platform::Color shownAt(platform::Window& w, int x, int y) = 0;
    virtual platform::Size screenSize(platform::Window& w) = 0;
    // Shows the message box, answers it as the player would and tells what it showed: "caption: text".
    virtual std::string messageBox(std::string_view caption, std::string_view text) = 0;
};

struct Backend {
    const char* name;
    std::function<std::unique_ptr<Driver>()> make;
    friend void PrintTo(const Backend& b, std::ostream* os) { *os << b.name; }
};

class BackendConformance : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override { driver = GetParam().make(); }
    platform::Ui& ui() { return driver->ui(); }
    std::unique_ptr<Driver> driver;
};

// Runs the suite against a back end; used inside namespace conformance.
#define VARNOOK_BACKEND_CONFORMANCE(Name, factory)                                               \
    INSTANTIATE_TEST_SUITE_P(Name, BackendConformance, testing::Values(Backend{#Name, factory}), \
                             [](const auto&) { return std::string(#Name); })

// advance() of the back ends on a real clock: the main loop runs until a timer made now quits it.
void runFor(platform::Ui& ui, int ms);

// A window handler that writes down what reaches it; moves without a button are left out (a window
// that appears under the pointer hears one).
struct Recorder : platform::WindowHandler {
    std::vector<std::string> log;
    std::function<void(char32_t)> onKey;  // runs after a typed character is written down
    static std::string at(double x, double y) {
        return std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
    }
    void onMouseDown(int button, int shift, double x, double y) override {
        log.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " + at(x, y));
    }
    void onMouseMove(int buttons, int, double x, double y) override {
        if (buttons != 0) log.push_back("move " + std::to_string(buttons) + " " + at(x, y));
    }
    void onMouseUp(int button, int, double x, double y) override {
        log.push_back("up " + std::to_string(button) + " " + at(x, y));
    }
    void onKeyPress(char32_t ch) override {
        log.push_back("key " + std::to_string(static_cast<unsigned>(ch)));
        if (onKey) onKey(ch);
    }
    void onKeyDown(platform::Key key, int shift) override {
        log.push_back("keydown " + std::to_string(static_cast<int>(key)) + " " + std::to_string(shift));
    }
    void onShortcut(char32_t letter, int shift) override {
        log.push_back("shortcut " + std::to_string(static_cast<unsigned>(letter)) + " " + std::to_string(shift));
    }
    void onMouseWheel(int steps, int, double, double) override { log.push_back("wheel " + std::to_string(steps)); }
    void onStateChange(bool minimized) override { log.push_back(minimized ? "minimized" : "restored"); }
    void onClose() override { log.push_back("close"); }
};

}  // namespace conformance
