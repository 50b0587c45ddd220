// The Win32 back end: real windows showing PixelSurface pictures through GDI, message loops with
// SetTimer timers, the standard message box, sound through winmm and documents through the shell.
//
// Implements: Ui (windows with caption, client area of the asked size at the zoom, centred, icon,
// minimise box, minimised state, close box, full screen as a frameless window over the monitor;
// modal windows in a nested message loop with the other windows disabled; mouse buttons 1, 2 and 4
// with positions, WM_CHAR keys and the WM_KEYDOWN keys of platform::Key; timers), Sound
// (PlaySoundW, a new sound replacing the playing one), Shell (ShellExecuteW "open"); paths are UTF-8.
// Not implemented: resizing by the user and a maximise box (windows are fixed-size). The program is
// DPI-aware per monitor: sizes are real pixels, and a move to a monitor of another scale picks the
// zoom anew (within that monitor's room). Without an audio device sounds are silent.
// Windows' own headers stay out of this one: handles are kept as void*.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/platform.h"

struct tagRECT;  // windows.h's RECT

namespace platform {

class Win32Window;

namespace detail {
struct TimerEntry;
struct TimerLink;
}  // namespace detail

class Win32Ui final : public Ui {
public:
    Win32Ui();
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    // False when the window classes or the timer window could not be made; error() tells why.
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

    std::unique_ptr<Window> createWindow(WindowHandler& handler, const WindowOptions& options) override;
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;
    void runModal(Window& window) override;
    void run() override;
    void quit() override;
    void messageBox(std::string_view caption, std::string_view text) override;
    void sleep(int ms) override;
    long long nowMs() override;
    void setProgramIcon(const Surface& icon) override { programIcon_.assign(icon); }
    void setZoom(int zoom) override;
    int zoom() const override { return zoom_; }
    // The primary monitor's work area.
    Size desktopSize() const override;
    int twipsPerPixelX() const override;
    int twipsPerPixelY() const override;

    // A WM_TIMER of the timer window: runs the timer's tick.
    void tick(unsigned id);
    // WM_DPICHANGED of a window moved to a monitor of another scale (dpi), whose rectangle the system
    // suggests: the zoom for that monitor.
    void dpiChanged(Win32Window& window, unsigned dpi, const ::tagRECT& suggested);

private:
    friend class Win32Window;
    friend class Win32Timer;
    // Dispatches messages until keepGoing() turns false.
    template <class Pred>
    void pump(Pred keepGoing);
    bool accepts(const Win32Window* w) const;
    // The window that a new window or a message box belongs to: the innermost modal window, else
    // the oldest open one.
    Win32Window* ownerWindow() const;
    // Gives back the input that a modal level took from the other windows (before its window goes).
    void endModalLevel(std::size_t level);
    void forget(Win32Window* w);

    bool ok_ = false;
    std::string error_;
    void* timerWindow_ = nullptr;  // a message-only window that receives every WM_TIMER
    std::vector<Win32Window*> windows_;
    struct ModalLevel {
        Win32Window* window;
        std::vector<void*> disabled;  // windows this level disabled, enabled again when it ends
        bool ended = false;
    };
    std::vector<ModalLevel> modalStack_;
    PixelSurface programIcon_;
    std::map<unsigned, std::weak_ptr<detail::TimerEntry>> timers_;
    std::shared_ptr<detail::TimerLink> timerLink_;
    unsigned nextTimerId_ = 1;
    bool quitRequested_ = false;
    int zoom_ = zoom::kMin;
    unsigned dpi_ = 0;  // the scale of the monitor the windows are on, as dots per inch
};

// Sound effects with PlaySoundW: asynchronous, from the file, never the system's default sound.
class Win32Sound final : public Sound {
public:
    void play(const std::string& path) override;
    void stop() override;
};

// The desktop shell: ShellExecuteW "open". False when the shell could not open the document (the
// caller tells the player).
class Win32Shell final : public Shell {
public:
    bool open(const std::string& target, const std::string& directory) override;
};

// Makes the fonts that ship in the program folder (Liberation Sans Narrow) the process's own
// (AddFontResourceExW, FR_PRIVATE), once; GDI text then uses them where Windows lacks the family the
// game asks for (Arial Narrow). Text drawing does it before its first text; the desktop at start.
void loadProgramFonts();

// The size of one line of text in the font, as GDI lays it out (DrawTextA's DT_CALCRECT).
Size textExtent(const Font& font, std::string_view text);

// Every Win32 service in one owner; hands them out as Services.
class Win32Platform {
public:
    SoftGraphics graphics;
    Win32Ui ui;
    Win32Sound sound;
    Win32Shell shell;

    Services services(Store* store = nullptr) { return {&graphics, &ui, &sound, &shell, store}; }
};

}  // namespace platform
