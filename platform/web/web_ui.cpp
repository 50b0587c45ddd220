// WebUi and its windows and timers: canvases that show PixelSurface pictures enlarged by the zoom,
// input from html5.h queued and handled by the loop that runs (main or modal), timers on the same
// loop, and the page's message box. While nothing is to be done the loop waits in js_wait, which
// hands the page back to the browser.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "../src/timer_entry.h"
#include "platform/codepage.h"
#include "platform/window_base.h"
#include "web.h"
#include "web_js.h"

namespace platform {

namespace {

// The longest the loop waits without looking at its timers, and how long it may run events and
// timers before the browser gets a turn to paint and to queue more input.
constexpr double kMaxWaitMs = 250.0;
constexpr double kMaxBusyMs = 12.0;
// Browsers follow a touch with mouse events of their own; those are ignored for this long.
constexpr double kTouchEchoMs = 1000.0;

WebUi* theUi = nullptr;  // for the close buttons of the page, which call in by window id

int shiftFlags(bool shift, bool ctrl, bool alt) {
    return (shift ? modifier::kShift : 0) | (ctrl ? modifier::kCtrl : 0) | (alt ? modifier::kAlt : 0);
}

// The game's button number of a DOM mouse button (0 left, 1 middle, 2 right).
int buttonOf(unsigned short domButton) {
    return domButton == 0 ? mouse::kLeft : domButton == 2 ? mouse::kRight : domButton == 1 ? mouse::kMiddle : 0;
}

std::optional<Key> keyOf(std::string_view key, std::string_view code) {
    if (key == "ArrowUp") return Key::Up;
    if (key == "ArrowDown") return Key::Down;
    if (key == "ArrowLeft") return Key::Left;
    if (key == "ArrowRight") return Key::Right;
    if (key == "Tab") return Key::Tab;
    if (key == "F11") return Key::F11;
    if (code == "Equal" || code == "NumpadAdd") return Key::Plus;
    if (code == "Minus" || code == "NumpadSubtract") return Key::Minus;
    return std::nullopt;
}

// The character a key types: Backspace, Enter and Esc as 8, 13 and 27; a key whose name is one
// printable character as that character; nothing for the rest or with Ctrl held.
std::optional<char32_t> charOf(std::string_view key, bool ctrl, bool meta) {
    if (key == "Backspace") return key::kBackspace;
    if (key == "Enter") return key::kEnter;
    if (key == "Escape") return key::kEscape;
    if (ctrl || meta) return std::nullopt;
    const std::u32string chars = codepage::fromUtf8(key);
    if (chars.size() != 1 || chars[0] < 0x20 || chars[0] == 0x7F) return std::nullopt;
    return chars[0];
}

double lastTouchMs = -kTouchEchoMs;
long trackedTouch = -1;  // the identifier of the touch that acts as the left button

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* e, void* data) {
    auto* ui = static_cast<WebUi*>(data);
    if (emscripten_get_now() - lastTouchMs < kTouchEchoMs) return EM_FALSE;
    WebUi::Event event;
    event.kind = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? WebUi::EventKind::MouseDown
                 : type == EMSCRIPTEN_EVENT_MOUSEUP ? WebUi::EventKind::MouseUp
                                                    : WebUi::EventKind::MouseMove;
    event.button = event.kind == WebUi::EventKind::MouseMove ? static_cast<int>(e->buttons) : buttonOf(e->button);
    event.shift = shiftFlags(e->shiftKey, e->ctrlKey, e->altKey);
    event.x = static_cast<double>(e->clientX);
    event.y = static_cast<double>(e->clientY);
    ui->post(event);
    return EM_FALSE;
}

EM_BOOL onTouch(int type, const EmscriptenTouchEvent* e, void* data) {
    auto* ui = static_cast<WebUi*>(data);
    lastTouchMs = emscripten_get_now();
    for (int i = 0; i < e->numTouches; ++i) {
        const EmscriptenTouchPoint& t = e->touches[i];
        if (!t.isChanged) continue;
        WebUi::Event event;
        event.x = static_cast<double>(t.clientX);
        event.y = static_cast<double>(t.clientY);
        event.button = mouse::kLeft;
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART) {
            if (trackedTouch >= 0) continue;  // a second finger means nothing
            trackedTouch = t.identifier;
            event.kind = WebUi::EventKind::MouseDown;
        } else if (t.identifier != trackedTouch) {
            continue;
        } else if (type == EMSCRIPTEN_EVENT_TOUCHMOVE) {
            event.kind = WebUi::EventKind::MouseMove;
        } else {
            trackedTouch = -1;
            event.kind = WebUi::EventKind::MouseUp;
        }
        ui->post(event);
    }
    return EM_FALSE;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void* data) {
    auto* ui = static_cast<WebUi*>(data);
    const std::string_view key(e->key), code(e->code);
    if (js_message_box_open() != 0) {
        // The page's message box: Enter, Esc and Space press its button.
        if (key == "Enter" || key == "Escape" || key == " ") {
            js_message_box_close();
            return EM_TRUE;
        }
        return EM_FALSE;
    }
    const int shift = shiftFlags(e->shiftKey, e->ctrlKey, e->altKey);
    const std::optional<Key> k = keyOf(key, code);
    const std::optional<char32_t> ch = charOf(key, e->ctrlKey, e->metaKey);
    if (k) {
        WebUi::Event event;
        event.kind = WebUi::EventKind::Key;
        event.key = *k;
        event.shift = shift;
        ui->post(event);
    }
    if (ch) {
        WebUi::Event event;
        event.kind = WebUi::EventKind::Char;
        event.ch = *ch;
        ui->post(event);
    }
    // The game's keys are the game's: the browser does not also move the focus or zoom the page.
    return k || ch ? EM_TRUE : EM_FALSE;
}

}  // namespace

// ---- Windows ---------------------------------------------------------------------------------

class WebWindow final : public detail::WindowBase {
public:
    WebWindow(WebUi& ui, WindowHandler& handler, const WindowOptions& options, int id)
        : WindowBase(handler, options, ui.zoom_), ui_(&ui), id_(id) {
        js_window_create(id_);
        applyCaption();
        ui.windows_.push_back(this);
    }
    ~WebWindow() override { release(); }
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    int id() const { return id_; }

    // The Ui is going: the window loses its canvas and its link to the Ui.
    void detach() { release(); }

private:
    void applyCaption() override { js_window_caption(id_, codepage::toUtf8(caption(), false).c_str()); }
    void applySize(Resize) override { render(); }
    void applyVisible() override {
        render();
        js_window_show(id_, isVisible() && !isMinimized() ? 1 : 0);
    }
    void applyMinimized() override { applyVisible(); }
    void applyPresent() override { render(); }
    void applyClose() override { release(); }

    Size fullScreenArea() const override {
        int size[2] = {0, 0};
        js_viewport(size);
        return {size[0], size[1]};
    }

    // The picture as the view shows it, in RGBA with full alpha, to the canvas.
    void render() {
        if (ui_ == nullptr || picture().width() == 0 || picture().height() == 0) return;
        const Size area = isFullScreen() ? fullScreenArea() : Size{scaledWidth(), scaledHeight()};
        if (area.width <= 0 || area.height <= 0) return;
        pixels_.assign(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height), 0);
        detail::drawZoomed(picture(), view(), pixels_.data(), area.width, area.height,
                           static_cast<std::size_t>(area.width));
        for (std::uint32_t& p : pixels_) p |= 0xFF000000u;
        js_window_present(id_, pixels_.data(), area.width, area.height);
    }

    void release() {
        if (ui_ == nullptr) return;
        ui_->forget(this);
        ui_ = nullptr;
        js_window_destroy(id_);
    }

    WebUi* ui_;
    int id_;
    std::vector<std::uint32_t> pixels_;
};

// ---- The Ui ----------------------------------------------------------------------------------

WebUi::WebUi() {
    theUi = this;
    const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_mousedown_callback(target, this, EM_TRUE, onMouse);
    emscripten_set_mousemove_callback(target, this, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback(target, this, EM_TRUE, onMouse);
    emscripten_set_touchstart_callback(target, this, EM_TRUE, onTouch);
    emscripten_set_touchmove_callback(target, this, EM_TRUE, onTouch);
    emscripten_set_touchend_callback(target, this, EM_TRUE, onTouch);
    emscripten_set_touchcancel_callback(target, this, EM_TRUE, onTouch);
    emscripten_set_keydown_callback(target, this, EM_TRUE, onKeyDown);
}

WebUi::~WebUi() {
    const auto open = windows_;
    for (WebWindow* w : open) w->detach();
    emscripten_html5_remove_all_event_listeners();
    if (theUi == this) theUi = nullptr;
}

std::unique_ptr<Window> WebUi::createWindow(WindowHandler& handler, const WindowOptions& options) {
    return std::make_unique<WebWindow>(*this, handler, options, nextWindowId_++);
}

std::unique_ptr<Timer> WebUi::createTimer(std::function<void()> onTick) {
    auto entry = std::make_shared<detail::TimerEntry>();
    entry->onTick = std::move(onTick);
    entry->now = [] { return static_cast<long long>(emscripten_get_now()); };
    entry->serial = nextTimerSerial_++;
    timers_.push_back(entry);
    return std::make_unique<detail::EntryTimer>(std::move(entry));
}

void WebUi::post(const Event& event) {
    events_.push_back(event);
    js_wake();
}

long long WebUi::nowMs() { return static_cast<long long>(emscripten_get_now()); }

void WebUi::sleep(int ms) {
    // Nothing is handled meanwhile: input waits in the queue.
    const double until = emscripten_get_now() + std::max(ms, 0);
    for (double left = until - emscripten_get_now(); left > 0; left = until - emscripten_get_now()) js_wait(left);
}

void WebUi::setZoom(int zoom) {
    zoom_ = zoom::clamp(zoom);
    for (WebWindow* w : windows_) w->setZoom(zoom_);
}

Size WebUi::desktopSize() const {
    int size[2] = {0, 0};
    js_viewport(size);
    return {size[0], size[1]};
}

void WebUi::messageBox(std::string_view caption, std::string_view text) {
    js_message_box(codepage::toUtf8(caption, false).c_str(), codepage::toUtf8(text).c_str());
    pump([] { return js_message_box_open() != 0; });
}

WebWindow* WebUi::find(int id) const {
    for (WebWindow* w : windows_)
        if (w->id() == id) return w;
    return nullptr;
}

bool WebUi::accepts(const WebWindow* w) const {
    if (w == nullptr || !w->isOpen() || js_message_box_open() != 0) return false;
    return modalStack_.empty() || modalStack_.back() == w;
}

WebWindow* WebUi::keyWindow() const {
    if (!modalStack_.empty()) return modalStack_.back();
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->isOpen() && (*it)->isVisible()) return *it;
    return nullptr;
}

WebWindow* WebUi::windowAt(double x, double y, double* px, double* py) const {
    double at[2] = {0, 0};
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (js_window_point((*it)->id(), x, y, at) != 0) {
            *px = at[0];
            *py = at[1];
            return *it;
        }
    return nullptr;
}

void WebUi::forget(WebWindow* w) {
    std::erase(windows_, w);
    for (WebWindow*& m : modalStack_)
        if (m == w) m = nullptr;
    if (pressedWindow_ == w->id()) pressedWindow_ = 0;
}

void WebUi::dispatch(const Event& e) {
    double px = 0, py = 0;
    switch (e.kind) {
        case EventKind::MouseDown: {
            WebWindow* w = windowAt(e.x, e.y, &px, &py);
            if (!accepts(w)) return;
            pressedWindow_ = w->id();
            w->mouseDown(e.button, e.shift, px, py);
            return;
        }
        case EventKind::MouseMove:
        case EventKind::MouseUp: {
            // A window that took a press gets the moves and the release wherever they happen.
            WebWindow* w = nullptr;
            if (pressedWindow_ != 0) {
                w = find(pressedWindow_);
                double at[2] = {0, 0};
                if (w != nullptr) js_window_point(w->id(), e.x, e.y, at);
                px = at[0];
                py = at[1];
            } else if (e.kind == EventKind::MouseMove) {
                w = windowAt(e.x, e.y, &px, &py);
            }
            if (e.kind == EventKind::MouseUp) pressedWindow_ = 0;
            if (!accepts(w)) return;
            if (e.kind == EventKind::MouseUp)
                w->mouseUp(e.button, e.shift, px, py);
            else
                w->mouseMove(e.button, e.shift, px, py);
            return;
        }
        case EventKind::Char: {
            WebWindow* w = keyWindow();
            if (accepts(w)) w->handler().onKeyPress(e.ch);
            return;
        }
        case EventKind::Key: {
            WebWindow* w = keyWindow();
            if (accepts(w)) w->handler().onKeyDown(e.key, e.shift);
            return;
        }
        case EventKind::Close: {
            WebWindow* w = find(e.window);
            if (accepts(w)) w->close();
            return;
        }
    }
}

bool WebUi::fireDueTimer(double* waitMs) {
    const long long now = nowMs();
    std::erase_if(timers_, [](const std::weak_ptr<detail::TimerEntry>& t) { return t.expired(); });
    std::shared_ptr<detail::TimerEntry> due;
    for (const auto& weak : timers_) {
        const std::shared_ptr<detail::TimerEntry> t = weak.lock();
        if (!t || !t->enabled || t->interval <= 0) continue;
        if (t->due > now) {
            *waitMs = std::min(*waitMs, static_cast<double>(t->due - now));
            continue;
        }
        if (!due || t->due < due->due || (t->due == due->due && t->serial < due->serial)) due = t;
    }
    if (!due) return false;
    due->due = now + due->interval;
    const auto onTick = due->onTick;  // the tick may drop the timer
    if (onTick) onTick();
    return true;
}

template <class Pred>
void WebUi::pump(Pred keepGoing) {
    double busySince = emscripten_get_now();
    while (keepGoing()) {
        if (emscripten_get_now() - busySince > kMaxBusyMs) {
            js_wait(0);  // the browser paints and queues input
            busySince = emscripten_get_now();
            continue;
        }
        if (!events_.empty()) {
            const Event e = events_.front();
            events_.pop_front();
            dispatch(e);
            continue;
        }
        double wait = kMaxWaitMs;
        if (fireDueTimer(&wait)) continue;
        js_wait(wait);
        busySince = emscripten_get_now();
    }
}

void WebUi::runModal(Window& window) {
    auto* w = dynamic_cast<WebWindow*>(&window);
    if (w == nullptr || !w->isOpen()) return;
    modalStack_.push_back(w);
    const std::size_t level = modalStack_.size() - 1;
    w->show();
    pump([&] { return modalStack_[level] != nullptr && modalStack_[level]->isOpen(); });
    modalStack_.resize(level);
}

void WebUi::run() {
    pump([&] { return !quitRequested_ && !windows_.empty(); });
    quitRequested_ = false;
}

void WebUi::quit() {
    quitRequested_ = true;
    js_wake();
}

}  // namespace platform

// The close button of a dialog's caption bar in the page.
extern "C" EMSCRIPTEN_KEEPALIVE void vn_close_request(int id) {
    if (platform::theUi == nullptr) return;
    platform::WebUi::Event event;
    event.kind = platform::WebUi::EventKind::Close;
    event.window = id;
    platform::theUi->post(event);
}
