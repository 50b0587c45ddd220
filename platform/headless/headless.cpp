// The headless back end: in-memory windows, the virtual clock with its timers, the scripted event
// loops, and the recording sound and shell services.
#include "platform/headless.h"

#include <algorithm>

#include "../src/timer_entry.h"

namespace platform {

// ---- Windows ---------------------------------------------------------------------------------

HeadlessWindow::HeadlessWindow(HeadlessUi& ui, WindowHandler& handler, const WindowOptions& options)
    : WindowBase(handler, options, ui.zoom()), ui_(&ui), minimizeBox_(options.minimizeBox) {
    if (options.icon != nullptr)
        icon_.assign(*options.icon);
    else
        icon_.assign(ui.programIcon_);
    ui.registerWindow(this);
}

HeadlessWindow::~HeadlessWindow() {
    if (ui_ != nullptr) ui_->unregisterWindow(this);
}

void HeadlessWindow::applySize(Resize) { drawScreen(); }

void HeadlessWindow::applyPresent() {
    ++presentCount_;
    drawScreen();
}

void HeadlessWindow::applyClose() {
    if (ui_ != nullptr) ++ui_->activity_;
}

Size HeadlessWindow::fullScreenArea() const { return ui_ != nullptr ? ui_->desktopSize() : Size{}; }

void HeadlessWindow::drawScreen() {
    if (picture().width() == 0) return;
    const detail::ZoomView v = view();
    const Size area = isFullScreen() ? fullScreenArea() : Size{picture().width() * v.zoom, picture().height() * v.zoom};
    if (area.width <= 0 || area.height <= 0) return;
    if (screen_.width() != area.width || screen_.height() != area.height)
        screen_ = PixelSurface(area.width, area.height);
    detail::drawZoomed(picture(), v, screen_.pixels().data(), area.width, area.height,
                       static_cast<std::size_t>(area.width));
}

// ---- The Ui ----------------------------------------------------------------------------------

HeadlessUi::HeadlessUi()
    : clock_(std::make_shared<long long>(0)),
      timers_(std::make_unique<detail::TimerSchedule>([clock = clock_] { return *clock; })) {}

HeadlessUi::~HeadlessUi() {
    for (HeadlessWindow* w : windows_) w->ui_ = nullptr;
}

std::unique_ptr<Window> HeadlessUi::createWindow(WindowHandler& handler, const WindowOptions& options) {
    return std::make_unique<HeadlessWindow>(*this, handler, options);
}

std::unique_ptr<Timer> HeadlessUi::createTimer(std::function<void()> onTick) {
    return timers_->create(std::move(onTick));
}

void HeadlessUi::setZoom(int zoom) {
    zoom_ = zoom::clamp(zoom);
    for (HeadlessWindow* w : windows_) w->setZoom(zoom_);
}

void HeadlessUi::unregisterWindow(HeadlessWindow* w) {
    std::erase(windows_, w);
    for (auto& m : modalStack_)
        if (m == w) m = nullptr;
}

void HeadlessUi::advance(long long ms) {
    const long long target = *clock_ + std::max(ms, 0LL);
    ++activity_;
    // The clock moves to each timer due within the step in turn, and it fires.
    while (const auto next = timers_->nextDue(target)) {
        *clock_ = std::max(*clock_, next->due);
        detail::TimerSchedule::fire(*next, *clock_);
    }
    *clock_ = std::max(*clock_, target);
}

void HeadlessUi::sleep(int ms) {
    sleeps_.push_back(ms);
    *clock_ += std::max(ms, 0);
}

void HeadlessUi::messageBox(std::string_view caption, std::string_view text) {
    messages_.push_back({std::string(caption), std::string(text)});
}

bool HeadlessUi::accepts(const Window& window) {
    if (!window.isOpen()) return false;
    return modalStack_.empty() || modalStack_.back() == &window;
}

HeadlessWindow* HeadlessUi::receiver(Window& window) {
    auto* w = dynamic_cast<HeadlessWindow*>(&window);
    if (w == nullptr || !accepts(*w)) {
        ++droppedInputs_;
        return nullptr;
    }
    ++activity_;
    return w;
}

void HeadlessUi::mouseDown(Window& window, int button, double x, double y, int shift) {
    if (auto* w = receiver(window)) w->mouseDown(button, shift, x, y);
}

void HeadlessUi::mouseMove(Window& window, int button, double x, double y, int shift) {
    if (auto* w = receiver(window)) w->mouseMove(button, shift, x, y);
}

void HeadlessUi::mouseUp(Window& window, int button, double x, double y, int shift) {
    if (auto* w = receiver(window)) w->mouseUp(button, shift, x, y);
}

void HeadlessUi::click(Window& window, double x, double y, int button, int shift) {
    mouseDown(window, button, x, y, shift);
    // The press may have closed the window; a release then goes nowhere, as on a real desktop.
    if (window.isOpen()) mouseUp(window, button, x, y, shift);
}

void HeadlessUi::mouseWheel(Window& window, int steps, double x, double y, int shift) {
    if (auto* w = receiver(window)) w->mouseWheel(steps, shift, x, y);
}

namespace {
// The physical key of a scripted press: its character, or past every character, its name.
unsigned keyCode(char32_t ch) { return static_cast<unsigned>(ch); }
unsigned keyCode(Key key) { return 0x110000u + static_cast<unsigned>(key); }
}  // namespace

void HeadlessUi::keyPress(Window& window, char32_t ch, bool repeat) {
    if (auto* w = receiver(window); w != nullptr && w->keyReaches(keyCode(ch), repeat)) w->handler().onKeyPress(ch);
}

void HeadlessUi::keyDown(Window& window, Key key, int shift, bool repeat) {
    if (auto* w = receiver(window); w != nullptr && w->keyReaches(keyCode(key), repeat))
        w->handler().onKeyDown(key, shift);
}

void HeadlessUi::shortcut(Window& window, char32_t letter, int shift) {
    if (auto* w = receiver(window)) w->handler().onShortcut(letter, shift);
}

void HeadlessUi::closeBox(Window& window) {
    if (auto* w = receiver(window)) w->close();
}

void HeadlessUi::minimizeBox(Window& window) {
    if (auto* w = receiver(window)) w->minimize();
}

void HeadlessUi::restoreBox(Window& window) {
    // A minimised window is restored from outside the application, so no modal loop blocks it.
    if (!window.isOpen()) return;
    ++activity_;
    window.restore();
}

void HeadlessUi::queue(ScriptEvent event) { script_.push_back(std::move(event)); }

namespace {

ScriptEvent scripted(ScriptEvent::Kind kind, std::string_view window = {}) {
    ScriptEvent e;
    e.kind = kind;
    e.window = window;
    return e;
}

ScriptEvent scriptedMouse(ScriptEvent::Kind kind, double x, double y, int button, std::string_view window) {
    ScriptEvent e = scripted(kind, window);
    e.button = button;
    e.x = x;
    e.y = y;
    return e;
}

}  // namespace

void HeadlessUi::queueMouseDown(double x, double y, int button, std::string_view window) {
    queue(scriptedMouse(ScriptEvent::Kind::MouseDown, x, y, button, window));
}

void HeadlessUi::queueMouseMove(double x, double y, int button, std::string_view window) {
    queue(scriptedMouse(ScriptEvent::Kind::MouseMove, x, y, button, window));
}

void HeadlessUi::queueMouseUp(double x, double y, int button, std::string_view window) {
    queue(scriptedMouse(ScriptEvent::Kind::MouseUp, x, y, button, window));
}

void HeadlessUi::queueClick(double x, double y, int button, std::string_view window) {
    queueMouseDown(x, y, button, window);
    queueMouseUp(x, y, button, window);
}

void HeadlessUi::queueKey(char32_t ch, std::string_view window) {
    ScriptEvent e = scripted(ScriptEvent::Kind::Key, window);
    e.ch = ch;
    queue(std::move(e));
}

void HeadlessUi::queueKeyDown(Key key, int shift, std::string_view window) {
    ScriptEvent e = scripted(ScriptEvent::Kind::KeyDown, window);
    e.key = key;
    e.shift = shift;
    queue(std::move(e));
}

void HeadlessUi::queueAdvance(long long ms) {
    ScriptEvent e = scripted(ScriptEvent::Kind::Advance);
    e.ms = ms;
    queue(std::move(e));
}

void HeadlessUi::queueClose(std::string_view window) { queue(scripted(ScriptEvent::Kind::Close, window)); }

void HeadlessUi::queueAction(std::function<void()> action) {
    ScriptEvent e = scripted(ScriptEvent::Kind::Action);
    e.action = std::move(action);
    queue(std::move(e));
}

HeadlessWindow* HeadlessUi::target(const std::string& caption) const {
    if (!caption.empty()) return findWindow(caption);
    if (!modalStack_.empty()) return modalStack_.back();
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->isOpen()) return *it;
    return nullptr;
}

void HeadlessUi::dispatch(ScriptEvent& e) {
    using Kind = ScriptEvent::Kind;
    if (e.kind == Kind::Advance) {
        advance(e.ms);
        return;
    }
    if (e.kind == Kind::Action) {
        ++activity_;
        if (e.action) e.action();
        return;
    }
    HeadlessWindow* w = target(e.window);
    if (w == nullptr) {
        ++droppedInputs_;
        return;
    }
    switch (e.kind) {
        case Kind::MouseDown: mouseDown(*w, e.button, e.x, e.y, e.shift); break;
        case Kind::MouseMove: mouseMove(*w, e.button, e.x, e.y, e.shift); break;
        case Kind::MouseUp: mouseUp(*w, e.button, e.x, e.y, e.shift); break;
        case Kind::Key: keyPress(*w, e.ch, e.repeat); break;
        case Kind::KeyDown: keyDown(*w, e.key, e.shift, e.repeat); break;
        case Kind::Close: closeBox(*w); break;
        default: break;
    }
}

bool HeadlessUi::runNextScripted() {
    if (script_.empty()) return false;
    ScriptEvent e = std::move(script_.front());
    script_.pop_front();
    dispatch(e);
    return true;
}

void HeadlessUi::runModal(Window& window) {
    auto* w = dynamic_cast<HeadlessWindow*>(&window);
    if (w == nullptr || !w->isOpen()) return;
    const std::string caption = w->caption();
    modalHistory_.push_back(caption);
    w->show();
    modalStack_.push_back(w);
    const std::size_t level = modalStack_.size() - 1;
    auto alive = [&] { return modalStack_[level] != nullptr && modalStack_[level]->isOpen(); };

    while (alive()) {
        if (runNextScripted()) continue;
        if (modalHandler_) {
            const std::uint64_t before = activity_;
            const auto handler = modalHandler_;  // the handler may replace itself
            handler(*w);
            if (activity_ != before || !script_.empty() || !alive()) continue;
        }
        // Nothing will ever come for this window: close it rather than wait forever.
        unattended_.push_back(caption);
        w->close();
    }
    modalStack_.resize(level);
}

void HeadlessUi::run() {
    while (!quitRequested_) {
        const bool anyOpen = std::any_of(windows_.begin(), windows_.end(), [](auto* w) { return w->isOpen(); });
        if (!anyOpen || !runNextScripted()) break;
    }
    quitRequested_ = false;
}

std::vector<HeadlessWindow*> HeadlessUi::openWindows() const {
    std::vector<HeadlessWindow*> open;
    for (auto* w : windows_)
        if (w->isOpen()) open.push_back(w);
    return open;
}

HeadlessWindow* HeadlessUi::findWindow(std::string_view caption) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->isOpen() && (*it)->caption() == caption) return *it;
    return nullptr;
}

// ---- Sound and shell -------------------------------------------------------------------------

void HeadlessSound::play(const std::string& path) {
    requests_.push_back({false, path});
    playing_ = path;
}

void HeadlessSound::stop() {
    requests_.push_back({true, {}});
    playing_.clear();
}

std::vector<std::string> HeadlessSound::played() const {
    std::vector<std::string> paths;
    for (const auto& r : requests_)
        if (!r.stop) paths.push_back(r.path);
    return paths;
}

int HeadlessSound::stopCount() const {
    return static_cast<int>(std::count_if(requests_.begin(), requests_.end(), [](const Request& r) { return r.stop; }));
}

}  // namespace platform
