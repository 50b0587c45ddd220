// The SDL2 back end: real top-level windows showing PixelSurface pictures, the event loops with
// their timers, the message box, and sound effects through SDL2_mixer.
//
// Implements: Ui (windows with caption, client size, icon, minimise/restore, close box, full screen
// on the desktop's mode; pictures enlarged by a whole zoom; modal and modeless showing; mouse,
// Enter/Backspace/Esc, the keys of platform::Key and typed characters; timers run from the event
// loop on the UI thread), Sound (one channel, a new sound cuts off the playing one).
// Not implemented: resizing by the user (windows are fixed-size), a maximise box, removing the
// minimise box (WindowOptions::minimizeBox is the window manager's affair here), high-dpi scaling
// of its own (the zoom is the game's choice), sound formats other than those SDL2_mixer reads.
// Without a display the Ui reports !ok() and its modal loops return at once (SDL's offscreen
// fallback does not count as a display unless asked for by name); without an audio device the
// Sound is silent.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/platform.h"
#include "platform/xdg_shell.h"

union SDL_Event;
struct SDL_Window;
struct Mix_Chunk;

namespace platform {

namespace detail {
class TimerSchedule;
}

class SdlWindow;

class SdlUi final : public Ui {
public:
    SdlUi();
    ~SdlUi() override;
    SdlUi(const SdlUi&) = delete;
    SdlUi& operator=(const SdlUi&) = delete;

    // False when SDL's video could not start, or (no driver asked for by SDL_VIDEODRIVER) when
    // there is no X or Wayland display to use; error() tells why.
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

    std::unique_ptr<Window> createWindow(WindowHandler& handler, const WindowOptions& options) override;
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;
    void runModal(Window& window) override;
    void run() override;
    void quit() override { quitRequested_ = true; }
    void messageBox(std::string_view caption, std::string_view text) override;
    void sleep(int ms) override;
    long long nowMs() override;
    void setProgramIcon(const Surface& icon) override { programIcon_.assign(icon); }
    void setZoom(int zoom) override;
    int zoom() const override { return zoom_; }
    // The usable bounds of the first display.
    Size desktopSize() const override;

private:
    friend class SdlWindow;
    // Runs the event loop, timers included, while keepGoing() holds.
    template <class Pred>
    void pump(Pred keepGoing);
    void handle(const SDL_Event& event);
    SdlWindow* windowOf(unsigned id) const;
    bool accepts(const SdlWindow* w) const;
    // A closed window's SDL window, hidden, outlives it while a mouse button is held: the release
    // of the press that closed it may already be on its way to it, and SDL, which drops events for
    // windows it no longer has, would otherwise go on thinking the button is down and ignore the
    // next press anywhere.
    void retire(SDL_Window* window);
    void destroyRetired(bool evenWithButtonHeld);

    bool ok_ = false;
    bool x11_ = false;  // SDL's video runs on an X display
    std::string error_;
    std::map<unsigned, SdlWindow*> windows_;
    std::vector<SdlWindow*> modalStack_;  // an entry is null once its window is destroyed
    std::vector<SDL_Window*> retired_;
    PixelSurface programIcon_;
    std::unique_ptr<detail::TimerSchedule> timers_;
    bool quitRequested_ = false;
    int zoom_ = zoom::kMin;
};

class SdlSound final : public Sound {
public:
    // With open false no audio device is opened: a silent Sound.
    explicit SdlSound(bool open = true);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void play(const std::string& path) override;
    void stop() override;
    // False when no audio device could be opened; every request is then silent.
    bool ok() const { return ok_; }

private:
    struct ChunkFree {
        void operator()(Mix_Chunk* c) const;
    };
    bool ok_ = false;
    std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks_;
};

// Keeps SDL initialised for the life of its owner (SDL_Quit at the end). SDL is told to leave
// the process's signal handlers alone.
class SdlSession {
public:
    SdlSession();
    ~SdlSession();
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
};

// Every desktop service in one owner; hands them out as Services.
class SdlPlatform {
public:
    SdlSession session;  // first made, last gone
    SoftGraphics graphics;
    SdlUi ui;
    SdlSound sound{ui.ok()};  // a program without a display ends before it plays anything
    XdgShell shell;

    Services services(Store* store = nullptr) { return {&graphics, &ui, &sound, &shell, store}; }
};

}  // namespace platform
