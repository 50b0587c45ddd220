// The web back end: the game's windows as canvases in the page, input through html5.h, timers and
// the event loops over js_wait (ASYNCIFY keeps the program's stack while the page waits), the
// message box in the page, sound through Web Audio, documents in new tabs, the store in
// localStorage.
//
// Implements: Ui (windows with caption, picture at the zoom in device pixels, so crisp whatever the
// devicePixelRatio; modal windows in a nested loop with the other windows taking no input; mouse
// buttons 1, 2 and 4 and touch (a touch is the left button) with positions, typed characters and
// the keys of platform::Key; timers; full screen as the picture over the whole page), Sound, Shell.
// Not implemented: minimising (a minimised window is hidden), icons in title bars, the browser's
// own full-screen mode (it needs a press to be asked for at once, and the game asks later).
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../store/store_text.h"
#include "platform/pixel_surface.h"
#include "platform/platform.h"
#include "platform/store.h"

namespace platform {

class WebWindow;

namespace detail {
struct TimerEntry;
}

class WebUi final : public Ui {
public:
    WebUi();
    ~WebUi() override;
    WebUi(const WebUi&) = delete;
    WebUi& operator=(const WebUi&) = delete;

    std::unique_ptr<Window> createWindow(WindowHandler& handler, const WindowOptions& options) override;
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;
    void runModal(Window& window) override;
    void run() override;
    void quit() override;
    void messageBox(std::string_view caption, std::string_view text) override;
    void sleep(int ms) override;
    long long nowMs() override;
    void setZoom(int zoom) override;
    int zoom() const override { return zoom_; }
    // The page's room for the main window, in device pixels.
    Size desktopSize() const override;

    // Input as the browser reports it (called from the html5.h callbacks): queued, and handled by
    // the loop that runs. Positions are the page's CSS pixels.
    enum class EventKind { MouseDown, MouseMove, MouseUp, Char, Key, Close };
    struct Event {
        EventKind kind = EventKind::MouseMove;
        int window = 0;  // for Close
        int button = 0;  // the button for a press or release, the buttons held for a move
        int shift = 0;
        double x = 0;
        double y = 0;
        char32_t ch = 0;
        Key key = Key::Up;
    };
    void post(const Event& event);

private:
    friend class WebWindow;
    // Handles events and timers until keepGoing() turns false.
    template <class Pred>
    void pump(Pred keepGoing);
    void dispatch(const Event& event);
    // Runs the timer that is due first; false when none is due. *waitMs: until the next one.
    bool fireDueTimer(double* waitMs);
    bool accepts(const WebWindow* w) const;
    // The window that takes keys: the innermost modal one, else the newest shown one.
    WebWindow* keyWindow() const;
    WebWindow* windowAt(double x, double y, double* px, double* py) const;
    WebWindow* find(int id) const;
    void forget(WebWindow* w);

    std::vector<WebWindow*> windows_;  // in the order they were made
    std::vector<WebWindow*> modalStack_;
    std::deque<Event> events_;
    std::vector<std::weak_ptr<detail::TimerEntry>> timers_;
    std::uint64_t nextTimerSerial_ = 1;
    int nextWindowId_ = 1;
    int pressedWindow_ = 0;  // the window a press went to: it gets the moves and the release
    bool quitRequested_ = false;
    int zoom_ = zoom::kMin;
};

// Sound effects through Web Audio; silent until the player's first press, as browsers require.
class WebSound final : public Sound {
public:
    void play(const std::string& path) override;
    void stop() override;
};

// Documents of the program folder open in a new tab of the browser, from the page's own folder.
class WebShell final : public Shell {
public:
    bool open(const std::string& target, const std::string& directory) override;
};

// The settings store in the browser's localStorage, one item in the Linux file store's text form.
// Changes are written when a key is closed. A line that cannot be read costs only itself; content
// that is no store at all, or that lost lines, is kept aside under its own item (setAsideCopy names
// it) and the store starts from what could be read.
class WebStore final : public Store {
public:
    static constexpr const char* kItem = "varnook-store";

    WebStore();
    std::string setAsideCopy() const override { return setAside_; }

protected:
    StoreStatus openKeyAt(const std::string& path) override;
    StoreStatus createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) override;
    QueryResult queryValueAt(const std::string& path, std::string_view name, std::span<std::uint8_t> buffer) override;
    StoreStatus setValueAt(const std::string& path, std::string_view name, ValueType type,
                           std::span<const std::uint8_t> data) override;
    StoreStatus keyClassAt(const std::string& path, std::string& result) override;
    void keyOpened(const std::string& path) override;
    StoreStatus keyClosed(const std::string& path) override;

private:
    store_text::Hive hive_;
    bool dirty_ = false;
    int openKeys_ = 0;
    std::string setAside_;
};

// Every web service in one owner; hands them out as Services.
class WebPlatform {
public:
    SoftGraphics graphics;
    WebUi ui;
    WebSound sound;
    WebShell shell;
    WebStore store;

    Services services() { return {&graphics, &ui, &sound, &shell, &store}; }
};

}  // namespace platform
