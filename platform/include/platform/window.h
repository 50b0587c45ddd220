// Top-level windows, their input events, timers and the event loop. All callbacks run on the one
// user-interface thread, from the event loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics.h"

namespace platform {

// Mouse button codes as the game uses them.
namespace mouse {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
}  // namespace mouse

// The shift argument of input events: the modifier keys held.
namespace modifier {
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
}  // namespace modifier

// Key characters with a meaning of their own.
namespace key {
constexpr char32_t kBackspace = 8;
constexpr char32_t kEnter = 13;
constexpr char32_t kEscape = 27;
}  // namespace key

// Keys that type no character, as the game uses them. Plus and Minus are the keys of the main
// keyboard ("=" / "+" and "-") and of the keypad alike.
enum class Key { Up, Down, Tab, F11, Plus, Minus, PageUp, PageDown, Home, End, F1, Left, Right };

// A window's size in pixels.
struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

// Windows show their picture enlarged by a whole zoom, each picture pixel as a block of zoom x zoom
// screen pixels, and report input positions in picture pixels.
namespace zoom {
constexpr int kMin = 1;
constexpr int kMax = 4;

constexpr int clamp(int z) { return z < kMin ? kMin : (z > kMax ? kMax : z); }

// The largest zoom at which a w x h picture fits in an area of areaW x areaH; kMin when even that
// does not fit, or when the area is unknown (0 x 0).
constexpr int largestFitting(int w, int h, int areaW, int areaH) {
    int z = kMin;
    while (z < kMax && w * (z + 1) <= areaW && h * (z + 1) <= areaH) ++z;
    return z;
}
}  // namespace zoom

// What a window tells its owner. Positions are floating-point pixels of the picture the window shows,
// whatever its zoom: every screen pixel of one picture pixel gives that pixel's whole position.
class WindowHandler {
public:
    virtual ~WindowHandler() = default;
    virtual void onMouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void onMouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void onMouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    // A typed character as a Unicode code point (8, 13 and 27 for Backspace, Enter and Esc).
    virtual void onKeyPress(char32_t /*ch*/) {}
    // A key that types no character went down (again with each auto-repeat); shift as for the mouse.
    virtual void onKeyDown(Key /*key*/, int /*shift*/) {}
    // A letter key went down with Ctrl held and Alt not (Ctrl+Alt is AltGr, which types): the
    // letter in lower case, 'a' to 'z'. It types nothing.
    virtual void onShortcut(char32_t /*letter*/, int /*shift*/) {}
    // The mouse wheel turned over the window: steps notches, positive away from the player (up),
    // at the pointer's position.
    virtual void onMouseWheel(int /*steps*/, int /*shift*/, double /*x*/, double /*y*/) {}
    // The window was minimised or restored.
    virtual void onStateChange(bool /*minimized*/) {}
    // The window is closing: by its close box or by close(). It cannot be cancelled.
    virtual void onClose() {}
};

class Window {
public:
    virtual ~Window() = default;
    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string caption() const = 0;
    // Size of the client area in picture pixels (on screen it is zoom times that); the window cannot
    // be resized by the user.
    virtual void setClientSize(int w, int h) = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // Shows the window without blocking.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual void minimize() = 0;
    virtual void restore() = 0;
    virtual bool isMinimized() const = 0;
    // Shows the surface's picture in the client area (the refresh after a group of drawing).
    virtual void present(const Surface& surface) = 0;
    // Closes the window: onClose runs, a modal loop running for it returns.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Full screen: the picture at the largest zoom that fits the screen, centred on black; off, the
    // window again at the Ui's zoom.
    virtual void setFullScreen(bool on) = 0;
    virtual bool isFullScreen() const = 0;
};

// A timer that fires on the user-interface thread every interval while enabled.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
};

struct WindowOptions {
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    bool minimizeBox = true;
    // The picture for the title bar and task bar; copied when the window is made. Optional.
    const Surface* icon = nullptr;
};

// The windowing service: windows, timers, the event loops, the message box and time.
class Ui {
public:
    virtual ~Ui() = default;
    virtual std::unique_ptr<Window> createWindow(WindowHandler& handler, const WindowOptions& options) = 0;
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> onTick) = 0;
    // Shows the window and runs a nested event loop until it closes; other windows get no input meanwhile.
    virtual void runModal(Window& window) = 0;
    // Runs the main event loop until quit() is called or no window is open.
    virtual void run() = 0;
    virtual void quit() = 0;
    // The standard message box with an OK button.
    virtual void messageBox(std::string_view caption, std::string_view text) = 0;
    // Blocks the user-interface thread (no events, no timers) for ms milliseconds.
    virtual void sleep(int ms) = 0;
    // Milliseconds since some fixed point; the game seeds its generator from it.
    virtual long long nowMs() = 0;
    // The program's icon: every window made from now on shows it in its title bar and the task
    // bar, unless its options give one of its own. An empty surface means none. Copied. A back end
    // whose windows have no icons may ignore it.
    virtual void setProgramIcon(const Surface& icon) { (void)icon; }
    // Every window, open or made later, shows its picture enlarged zoom times (clamped to
    // zoom::kMin..kMax) and maps input back to picture pixels.
    virtual void setZoom(int zoom) = 0;
    virtual int zoom() const = 0;
    // The usable part of the desktop (the screen less panels and task bars) in screen pixels; 0 x 0
    // when the back end cannot tell.
    virtual Size desktopSize() const = 0;
    // Screen twips per pixel (15 at 96 dpi).
    virtual int twipsPerPixelX() const { return 15; }
    virtual int twipsPerPixelY() const { return 15; }
};

}  // namespace platform
