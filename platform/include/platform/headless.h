// The headless back end: windows that keep their last presented picture in memory, a virtual clock
// that tests advance, scripted input, and sound and shell services that only record requests.
//
// Implements: Ui (windows with their zoom and full screen on a desktop of a size the test sets,
// scripted mouse, characters and keys, timers, modal and main loops, message box, sleep, clock),
// Sound, Shell.
// Not implemented: real screens, real time, audio output, starting programs.
// A modal loop with nothing scripted closes its window and records that, so a test never hangs.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/platform.h"
#include "platform/window_base.h"

namespace platform {

namespace detail {
class TimerSchedule;
}

class HeadlessUi;

// A window kept in memory; its "screen" is the picture of the last present() as a screen would show
// it: enlarged by the zoom, or in full screen the whole desktop with the picture centred on black.
class HeadlessWindow final : public detail::WindowBase {
public:
    HeadlessWindow(HeadlessUi& ui, WindowHandler& handler, const WindowOptions& options);
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    // What the window shows (0 x 0 before the first present()); picture() is the presented picture.
    const PixelSurface& screen() const { return screen_; }
    int presentCount() const { return presentCount_; }
    bool hasMinimizeBox() const { return minimizeBox_; }
    // The icon the window was made with (0 x 0 for none).
    const PixelSurface& icon() const { return icon_; }

private:
    friend class HeadlessUi;
    void applySize(Resize why) override;
    void applyPresent() override;
    void applyClose() override;
    Size fullScreenArea() const override;
    void drawScreen();

    HeadlessUi* ui_;  // null once the Ui is gone
    bool minimizeBox_ = true;
    PixelSurface screen_;
    PixelSurface icon_;
    int presentCount_ = 0;
};

// One scripted step for the event loops. The target window is named by its caption; an empty
// caption means the innermost modal window, or the newest open window when no modal loop runs.
// Mouse positions are screen pixels of the client area, as a real window receives them.
struct ScriptEvent {
    enum class Kind { MouseDown, MouseMove, MouseUp, Key, KeyDown, Advance, Close, Action };
    Kind kind = Kind::Action;
    std::string window;
    int button = mouse::kLeft;
    int shift = 0;
    double x = 0;
    double y = 0;
    char32_t ch = 0;
    Key key = Key::Tab;
    bool repeat = false;  // Key and KeyDown: an auto-repeat of a key held down
    long long ms = 0;
    std::function<void()> action;
};

struct MessageBoxRecord {
    std::string caption;
    std::string text;
};

class HeadlessUi final : public Ui {
public:
    HeadlessUi();
    ~HeadlessUi() override;
    HeadlessUi(const HeadlessUi&) = delete;
    HeadlessUi& operator=(const HeadlessUi&) = delete;

    std::unique_ptr<Window> createWindow(WindowHandler& handler, const WindowOptions& options) override;
    std::unique_ptr<Timer> createTimer(std::function<void()> onTick) override;
    // Runs scripted events until the window closes. When the script is empty the modal handler is
    // asked for input; when nothing comes of that either, the window is closed and recorded in
    // unattendedModals().
    void runModal(Window& window) override;
    // Runs scripted events until quit(), no open window, or an empty script.
    void run() override;
    void quit() override { quitRequested_ = true; }
    void messageBox(std::string_view caption, std::string_view text) override;
    // Moves the clock on without firing timers; the sleep is recorded.
    void sleep(int ms) override;
    long long nowMs() override { return *clock_; }
    void setProgramIcon(const Surface& icon) override { programIcon_.assign(icon); }
    void setZoom(int zoom) override;
    int zoom() const override { return zoom_; }
    // 1920 x 1080 unless a test sets another (0 x 0: the desktop is not known).
    Size desktopSize() const override { return desktop_; }
    void setDesktopSize(Size size) { desktop_ = size; }

    // --- The virtual clock -------------------------------------------------------------------
    // Moves the clock on by ms, firing every timer that falls due on the way, in time order
    // (timers due at the same moment fire in the order they were created).
    void advance(long long ms);
    void setNow(long long ms) { *clock_ = ms; }
    const std::vector<int>& sleeps() const { return sleeps_; }

    // --- Input, delivered at once -------------------------------------------------------------
    // Input goes to any open window, shown or not. Input to a window that a modal loop blocks
    // (any window but the innermost modal one) is dropped and counted, as a real modal loop would
    // swallow it. Positions are screen pixels of the client area: the window maps them to picture
    // pixels by its zoom.
    void mouseDown(Window& window, int button, double x, double y, int shift = 0);
    void mouseMove(Window& window, int button, double x, double y, int shift = 0);
    void mouseUp(Window& window, int button, double x, double y, int shift = 0);
    void click(Window& window, double x, double y, int button = mouse::kLeft, int shift = 0);
    void mouseWheel(Window& window, int steps, double x, double y, int shift = 0);
    // A key's press; repeat: an auto-repeat of a key held down, which reaches only the window its
    // first press went to.
    void keyPress(Window& window, char32_t ch, bool repeat = false);
    void keyDown(Window& window, Key key, int shift = 0, bool repeat = false);
    // Ctrl and a letter key.
    void shortcut(Window& window, char32_t letter, int shift = modifier::kCtrl);
    // The close box: onClose runs, then the window closes.
    void closeBox(Window& window);
    // The minimise box and restoring from the task bar.
    void minimizeBox(Window& window);
    void restoreBox(Window& window);
    int droppedInputs() const { return droppedInputs_; }

    // --- Input queued for the loops -----------------------------------------------------------
    void queue(ScriptEvent event);
    void queueMouseDown(double x, double y, int button = mouse::kLeft, std::string_view window = {});
    void queueMouseMove(double x, double y, int button = 0, std::string_view window = {});
    void queueMouseUp(double x, double y, int button = mouse::kLeft, std::string_view window = {});
    void queueClick(double x, double y, int button = mouse::kLeft, std::string_view window = {});
    void queueKey(char32_t ch, std::string_view window = {});
    void queueKeyDown(Key key, int shift = 0, std::string_view window = {});
    void queueAdvance(long long ms);
    void queueClose(std::string_view window = {});
    void queueAction(std::function<void()> action);
    std::size_t queuedEvents() const { return script_.size(); }
    // Called with the modal window whenever a modal loop finds the script empty.
    void setModalHandler(std::function<void(Window&)> handler) { modalHandler_ = std::move(handler); }

    // --- What happened ------------------------------------------------------------------------
    const std::vector<MessageBoxRecord>& messages() const { return messages_; }
    // Captions of modal windows closed because nothing was scripted for them.
    const std::vector<std::string>& unattendedModals() const { return unattended_; }
    // Captions of every window that ran modally, in order of starting.
    const std::vector<std::string>& modalHistory() const { return modalHistory_; }

    // --- Finding windows ----------------------------------------------------------------------
    std::vector<HeadlessWindow*> openWindows() const;
    // The newest open window with this caption, or nullptr.
    HeadlessWindow* findWindow(std::string_view caption) const;
    // The innermost window running modally, or nullptr.
    HeadlessWindow* activeModal() const { return modalStack_.empty() ? nullptr : modalStack_.back(); }

private:
    friend class HeadlessWindow;

    void registerWindow(HeadlessWindow* w) { windows_.push_back(w); }
    void unregisterWindow(HeadlessWindow* w);
    bool accepts(const Window& window);
    // The window as a receiver of input now, or nullptr (the input is then dropped and counted).
    HeadlessWindow* receiver(Window& window);
    HeadlessWindow* target(const std::string& caption) const;
    void dispatch(ScriptEvent& event);
    bool runNextScripted();

    std::shared_ptr<long long> clock_;  // shared with the timers, which may outlive the Ui
    std::vector<HeadlessWindow*> windows_;
    std::vector<HeadlessWindow*> modalStack_;  // an entry is null once its window is destroyed
    std::unique_ptr<detail::TimerSchedule> timers_;
    std::deque<ScriptEvent> script_;
    std::function<void(Window&)> modalHandler_;
    std::uint64_t activity_ = 0;  // counts delivered input, clock moves and actions
    bool quitRequested_ = false;
    int droppedInputs_ = 0;
    std::vector<int> sleeps_;
    std::vector<MessageBoxRecord> messages_;
    std::vector<std::string> unattended_;
    std::vector<std::string> modalHistory_;
    PixelSurface programIcon_;
    int zoom_ = zoom::kMin;
    Size desktop_{1920, 1080};
};

// Records what the game asked to hear.
class HeadlessSound final : public Sound {
public:
    struct Request {
        bool stop = false;  // a stop request, else a play request of path
        std::string path;
    };
    void play(const std::string& path) override;
    void stop() override;
    const std::vector<Request>& requests() const { return requests_; }
    // The paths of the play requests, in order.
    std::vector<std::string> played() const;
    // The file that would be sounding now: the last one started and not stopped since.
    const std::string& playing() const { return playing_; }
    int stopCount() const;
    void clear() {
        requests_.clear();
        playing_.clear();
    }

private:
    std::vector<Request> requests_;
    std::string playing_;
};

// Records every document handed to the shell; open() answers what setOpens() said (true at first).
class HeadlessShell final : public Shell {
public:
    struct Request {
        std::string target;
        std::string directory;
    };
    bool open(const std::string& target, const std::string& directory) override {
        requests_.push_back({target, directory});
        return opens_;
    }
    void setOpens(bool opens) { opens_ = opens; }
    const std::vector<Request>& requests() const { return requests_; }

private:
    std::vector<Request> requests_;
    bool opens_ = true;
};

// Every headless service in one owner; hands them out as Services.
class HeadlessPlatform {
public:
    SoftGraphics graphics;
    HeadlessUi ui;
    HeadlessSound sound;
    HeadlessShell shell;

    // The store is someone else's; pass it in to have it bundled.
    Services services(Store* store = nullptr) { return {&graphics, &ui, &sound, &shell, store}; }
};

}  // namespace platform
