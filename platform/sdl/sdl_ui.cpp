// SdlUi and its windows and timers: SDL2 windows that show PixelSurface pictures enlarged by the
// zoom, by the X server's RENDER extension on X11 or written onto the window's own surface
// elsewhere (no renderer, so no GL), and the one event loop (main or modal) that also fires the
// timers.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "../src/timer_entry.h"
#include "message_box.h"
#include "platform/codepage.h"
#include "platform/sdl.h"
#include "platform/window_base.h"
#include "x11_errors.h"
#include "x11_present.h"

namespace platform {

namespace {

// The longest the loop sleeps in SDL_WaitEventTimeout when no timer is due sooner.
constexpr int kIdleWaitMs = 250;

struct WindowDestroyer {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

// Mouse buttons as the game numbers them: 1 left, 2 right, 4 middle.
int buttonCode(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return mouse::kLeft;
        case SDL_BUTTON_RIGHT: return mouse::kRight;
        case SDL_BUTTON_MIDDLE: return mouse::kMiddle;
        default: return 0;
    }
}

int buttonMask(Uint32 state) {
    return ((state & SDL_BUTTON_LMASK) ? mouse::kLeft : 0) | ((state & SDL_BUTTON_RMASK) ? mouse::kRight : 0) |
           ((state & SDL_BUTTON_MMASK) ? mouse::kMiddle : 0);
}

// The shift argument of input events: 1 Shift, 2 Ctrl, 4 Alt.
int shiftFlags(Uint16 m) {
    return ((m & KMOD_SHIFT) ? modifier::kShift : 0) | ((m & KMOD_CTRL) ? modifier::kCtrl : 0) |
           ((m & KMOD_ALT) ? modifier::kAlt : 0);
}

// The modifiers held now, for mouse events.
int shiftFlags() { return shiftFlags(static_cast<Uint16>(SDL_GetModState())); }

// Keys that come as the characters the game knows them by (Enter, Backspace, Esc); typed text
// comes as text input.
std::optional<char32_t> keyCharacter(SDL_Keycode sym) {
    switch (sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return key::kEnter;
        case SDLK_BACKSPACE: return key::kBackspace;
        case SDLK_ESCAPE: return key::kEscape;
        default: return std::nullopt;
    }
}

// Keys that type nothing the game reads, as its own names.
std::optional<Key> keyOf(SDL_Keycode sym) {
    switch (sym) {
        case SDLK_UP: return Key::Up;
        case SDLK_DOWN: return Key::Down;
        case SDLK_LEFT: return Key::Left;
        case SDLK_RIGHT: return Key::Right;
        case SDLK_TAB:
        case SDLK_KP_TAB: return Key::Tab;
        case SDLK_F11: return Key::F11;
        case SDLK_F1: return Key::F1;
        case SDLK_PAGEUP: return Key::PageUp;
        case SDLK_PAGEDOWN: return Key::PageDown;
        case SDLK_HOME: return Key::Home;
        case SDLK_END: return Key::End;
        case SDLK_PLUS:
        case SDLK_EQUALS:
        case SDLK_KP_PLUS: return Key::Plus;
        case SDLK_MINUS:
        case SDLK_KP_MINUS: return Key::Minus;
        default: return std::nullopt;
    }
}

}  // namespace

// ---- Windows ---------------------------------------------------------------------------------

class SdlWindow final : public detail::WindowBase {
public:
    SdlWindow(SdlUi& ui, WindowHandler& handler, const WindowOptions& options)
        : WindowBase(handler, options, ui.zoom_), ui_(&ui) {
        if (!ui.ok()) return;
        // Fixed-size and hidden until shown; the size given is the client area's, at the zoom.
        window_.reset(SDL_CreateWindow(codepage::toUtf8(caption()).c_str(), SDL_WINDOWPOS_CENTERED,
                                       SDL_WINDOWPOS_CENTERED, scaledWidth(), scaledHeight(), SDL_WINDOW_HIDDEN));
        if (!window_) return;
        if (options.icon != nullptr)
            setIcon(*options.icon);
        else if (ui.programIcon_.width() > 0)
            setIcon(ui.programIcon_);
        id_ = SDL_GetWindowID(window_.get());
        ui.windows_[id_] = this;
        // On X the server enlarges the picture; elsewhere it is written enlarged into the surface.
        if (ui.x11_) presenter_ = detail::X11Presenter::create(window_.get());
    }

    ~SdlWindow() override { release(); }
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    SDL_Window* sdlWindow() const { return window_.get(); }

    // Shows the last presented picture again (after an expose, a restore or a show): enlarged by
    // the X server, or written enlarged onto the window's own surface and handed to the display.
    void render() {
        if (!window_ || !isVisible()) return;
        if (presenter_) {
            int w = 0, h = 0;
            SDL_GetWindowSize(window_.get(), &w, &h);
            presenter_->show(view(), w, h);
            return;
        }
        SDL_Surface* screen = SDL_GetWindowSurface(window_.get());
        if (screen == nullptr) return;
        const detail::ZoomView v = view();
        const SDL_PixelFormat* f = screen->format;
        const bool direct = f->BytesPerPixel == 4 && f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0;
        if (direct && SDL_LockSurface(screen) == 0) {
            detail::drawZoomed(picture(), v, static_cast<std::uint32_t*>(screen->pixels), screen->w, screen->h,
                               static_cast<std::size_t>(screen->pitch) / 4, {f->Rshift, f->Gshift, f->Bshift});
            SDL_UnlockSurface(screen);
        } else {
            blitScaled(screen, v);
        }
        SDL_UpdateWindowSurface(window_.get());
    }

    // Drops the SDL objects (on closing, or before the Ui shuts video down). The SDL window itself
    // goes to the Ui, which destroys it once no mouse button is held.
    void release() {
        if (ui_ != nullptr) {
            if (id_ != 0) ui_->windows_.erase(id_);
            for (auto& m : ui_->modalStack_)
                if (m == this) m = nullptr;
        }
        id_ = 0;
        presenter_.reset();  // its pictures go before the window they draw on
        if (ui_ != nullptr && window_) {
            SDL_HideWindow(window_.get());
            ui_->retire(window_.release());
        }
        window_.reset();
    }
    void detach() {
        release();
        ui_ = nullptr;
    }

private:
    void applyCaption() override {
        if (window_) SDL_SetWindowTitle(window_.get(), codepage::toUtf8(caption()).c_str());
    }

    void applySize(Resize why) override {
        if (window_) {
            const int display = std::max(SDL_GetWindowDisplayIndex(window_.get()), 0);
            if (why == Resize::FullScreen) {
                if (ui_ != nullptr && ui_->x11_ && !detail::x11WindowManagerRuns(window_.get())) {
                    // Without a window manager nobody acts on a request for full screen: the window
                    // covers the display by itself (and has no frame to lose).
                    SDL_Rect bounds{};
                    if (isFullScreen() && SDL_GetDisplayBounds(display, &bounds) == 0) {
                        SDL_SetWindowPosition(window_.get(), bounds.x, bounds.y);
                        SDL_SetWindowSize(window_.get(), bounds.w, bounds.h);
                    }
                } else {
                    SDL_SetWindowFullscreen(window_.get(), isFullScreen() ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
                }
            }
            if (!isFullScreen()) {
                SDL_SetWindowSize(window_.get(), scaledWidth(), scaledHeight());
                // A new zoom, or the way back from full screen: the window is centred again.
                if (why != Resize::Picture) {
                    SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
                }
            }
        }
        render();
    }

    void applyVisible() override {
        if (!window_) return;
        if (isVisible()) {
            SDL_ShowWindow(window_.get());
            SDL_RaiseWindow(window_.get());
            render();
        } else {
            SDL_HideWindow(window_.get());
        }
    }

    void applyMinimized() override {
        if (!window_) return;
        if (isMinimized())
            SDL_MinimizeWindow(window_.get());
        else
            SDL_RestoreWindow(window_.get());
    }

    void applyPresent() override {
        if (presenter_) presenter_->upload(picture());
        render();
    }
    void applyClose() override { release(); }

    Size fullScreenArea() const override {
        Size area{scaledWidth(), scaledHeight()};
        if (window_) SDL_GetWindowSize(window_.get(), &area.width, &area.height);
        return area;
    }

    // For a window surface whose pixels drawZoomed cannot write: SDL converts and scales (nearest).
    void blitScaled(SDL_Surface* screen, const detail::ZoomView& v) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        const PixelSurface& p = picture();
        if (p.width() == 0) return;
        // Colors are 0x00BBGGRR, which is SDL's XBGR8888 in a 32-bit word.
        SDL_Surface* source =
            SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Color*>(p.pixels().data()), p.width(), p.height(), 32,
                                               p.width() * static_cast<int>(sizeof(Color)), SDL_PIXELFORMAT_XBGR8888);
        if (source == nullptr) return;
        SDL_Rect where{v.left, v.top, p.width() * v.zoom, p.height() * v.zoom};
        SDL_BlitScaled(source, nullptr, screen, &where);
        SDL_FreeSurface(source);
    }

    void setIcon(const Surface& icon) {
        PixelSurface pixels;
        pixels.assign(icon);
        if (pixels.width() == 0) return;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.pixels().data(), pixels.width(), pixels.height(), 32,
                                                            pixels.width() * 4, SDL_PIXELFORMAT_XBGR8888);
        if (s == nullptr) return;
        SDL_SetWindowIcon(window_.get(), s);
        SDL_FreeSurface(s);
    }

    SdlUi* ui_;
    unsigned id_ = 0;
    std::unique_ptr<SDL_Window, WindowDestroyer> window_;
    std::unique_ptr<detail::X11Presenter> presenter_;
};

// ---- The Ui ----------------------------------------------------------------------------------

SdlUi::SdlUi() : timers_(std::make_unique<detail::TimerSchedule>([] { return static_cast<long long>(SDL_GetTicks64()); })) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The press that activates a window is delivered too, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A window's surface stays a plain image in memory: SDL would otherwise back it with an
    // accelerated renderer, which on a display without a GPU loads a software GL stack (tens of
    // megabytes) to show a picture that is already drawn.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Unless a driver is asked for by name (tests ask for "dummy"), only a real display will do:
    // SDL would otherwise fall back to its offscreen driver and the game would run unseen.
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool explicitDriver = asked != nullptr && *asked != '\0';
    const auto isSet = [](const char* name) {
        const char* value = SDL_getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (!explicitDriver && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        error_ = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = SDL_GetError();
        return;
    }
    const char* current = SDL_GetCurrentVideoDriver();
    if (const std::string driver = current != nullptr ? current : "";
        !explicitDriver && driver != "x11" && driver != "wayland") {
        error_ = "the X or Wayland display could not be opened";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    x11_ = current != nullptr && std::string(current) == "x11";
    if (x11_) detail::dropStaleWakeupErrors();
    ok_ = true;
    SDL_StartTextInput();
}

SdlUi::~SdlUi() {
    const auto open = windows_;
    for (auto& [id, w] : open) w->detach();
    destroyRetired(true);
    if (ok_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::unique_ptr<Window> SdlUi::createWindow(WindowHandler& handler, const WindowOptions& options) {
    return std::make_unique<SdlWindow>(*this, handler, options);
}

std::unique_ptr<Timer> SdlUi::createTimer(std::function<void()> onTick) { return timers_->create(std::move(onTick)); }

long long SdlUi::nowMs() { return static_cast<long long>(SDL_GetTicks64()); }

void SdlUi::setZoom(int zoom) {
    zoom_ = zoom::clamp(zoom);
    for (auto& [id, w] : windows_) w->setZoom(zoom_);
}

Size SdlUi::desktopSize() const {
    if (!ok_) return {};
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) return {usable.w, usable.h};
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) return {mode.w, mode.h};
    return {};
}

void SdlUi::sleep(int ms) { SDL_Delay(static_cast<Uint32>(std::max(ms, 0))); }

void SdlUi::messageBox(std::string_view caption, std::string_view text) {
    // Every message also goes to stderr, for logs and for a run without a display. Drivers whose
    // windows nobody sees (dummy, offscreen) get no box, which nobody could close.
    std::fprintf(stderr, "%s: %s\n", codepage::toUtf8(caption).c_str(), codepage::toUtf8(text).c_str());
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool visible =
        driver != nullptr && std::string_view(driver) != "dummy" && std::string_view(driver) != "offscreen";
    if (ok_ && visible) showMessageBox(*this, caption, text);
}

void SdlUi::retire(SDL_Window* window) {
    retired_.push_back(window);
    destroyRetired(false);
}

void SdlUi::destroyRetired(bool evenWithButtonHeld) {
    if (retired_.empty()) return;
    if (!evenWithButtonHeld && SDL_GetMouseState(nullptr, nullptr) != 0) return;
    for (SDL_Window* w : retired_) SDL_DestroyWindow(w);
    retired_.clear();
}

SdlWindow* SdlUi::windowOf(unsigned id) const {
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
}

bool SdlUi::accepts(const SdlWindow* w) const {
    if (w == nullptr || !w->isOpen()) return false;
    return modalStack_.empty() || modalStack_.back() == w;
}

void SdlUi::handle(const SDL_Event& e) {
    switch (e.type) {
        case SDL_WINDOWEVENT: {
            SdlWindow* w = windowOf(e.window.windowID);
            if (w == nullptr) return;
            switch (e.window.event) {
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_SIZE_CHANGED: w->render(); break;
                case SDL_WINDOWEVENT_MINIMIZED: w->noteMinimized(true); break;
                case SDL_WINDOWEVENT_RESTORED:
                    w->noteMinimized(false);
                    w->render();
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    if (accepts(w))
                        w->close();
                    else if (!modalStack_.empty() && modalStack_.back() != nullptr)
                        SDL_RaiseWindow(modalStack_.back()->sdlWindow());
                    break;
                default: break;
            }
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            SdlWindow* w = windowOf(e.button.windowID);
            if (!accepts(w)) {
                // A press on a window behind a modal one brings the modal one forward.
                if (w != nullptr && e.type == SDL_MOUSEBUTTONDOWN && !modalStack_.empty() &&
                    modalStack_.back() != nullptr)
                    SDL_RaiseWindow(modalStack_.back()->sdlWindow());
                return;
            }
            const int button = buttonCode(e.button.button);
            if (button == 0) return;
            if (e.type == SDL_MOUSEBUTTONDOWN)
                w->mouseDown(button, shiftFlags(), e.button.x, e.button.y);
            else
                w->mouseUp(button, shiftFlags(), e.button.x, e.button.y);
            break;
        }
        case SDL_MOUSEMOTION: {
            SdlWindow* w = windowOf(e.motion.windowID);
            if (accepts(w)) w->mouseMove(buttonMask(e.motion.state), shiftFlags(), e.motion.x, e.motion.y);
            break;
        }
        case SDL_MOUSEWHEEL: {
            SdlWindow* w = windowOf(e.wheel.windowID);
            if (!accepts(w) || e.wheel.y == 0) return;
            const int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            w->mouseWheel(steps, shiftFlags(), x, y);
            break;
        }
        case SDL_KEYDOWN: {
            SdlWindow* w = windowOf(e.key.windowID);
            if (!accepts(w) || !w->keyReaches(static_cast<unsigned>(e.key.keysym.scancode), e.key.repeat != 0)) return;
            const SDL_Keycode sym = e.key.keysym.sym;
            const bool ctrlOnly = (e.key.keysym.mod & KMOD_CTRL) != 0 && (e.key.keysym.mod & KMOD_ALT) == 0;
            if (ctrlOnly && sym >= SDLK_a && sym <= SDLK_z) {
                w->handler().onShortcut(static_cast<char32_t>(sym), shiftFlags(e.key.keysym.mod));
            } else if (const std::optional<char32_t> ch = keyCharacter(e.key.keysym.sym)) {
                w->handler().onKeyPress(*ch);
            } else if (const std::optional<Key> key = keyOf(e.key.keysym.sym)) {
                w->handler().onKeyDown(*key, shiftFlags(e.key.keysym.mod));  // as the key went down
            }
            break;
        }
        case SDL_TEXTINPUT: {
            // Each code point is one key press; the window may close between two of them.
            const std::u32string typed = codepage::fromUtf8(e.text.text);
            for (char32_t ch : typed) {
                SdlWindow* w = windowOf(e.text.windowID);
                if (!accepts(w)) return;
                w->handler().onKeyPress(ch);
            }
            break;
        }
        default: break;
    }
}

template <class Pred>
void SdlUi::pump(Pred keepGoing) {
    while (keepGoing()) {
        timers_->fireDue(nowMs());
        if (!keepGoing()) break;
        const long long toTimer = timers_->msToNext();
        const int timeout = toTimer < 0 ? kIdleWaitMs : static_cast<int>(std::min<long long>(toTimer, kIdleWaitMs));
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, timeout) == 0) continue;
        handle(e);
        while (keepGoing() && SDL_PollEvent(&e)) handle(e);
        destroyRetired(false);
    }
}

void SdlUi::runModal(Window& window) {
    auto* w = dynamic_cast<SdlWindow*>(&window);
    if (w == nullptr || !w->isOpen()) return;
    if (!ok_) {
        // No display, so no input will ever come: the window closes at once.
        w->close();
        return;
    }
    w->show();
    modalStack_.push_back(w);
    const std::size_t level = modalStack_.size() - 1;
    pump([&] { return modalStack_[level] != nullptr && modalStack_[level]->isOpen(); });
    modalStack_.resize(level);
}

void SdlUi::run() {
    if (ok_) pump([&] { return !quitRequested_ && !windows_.empty(); });
    quitRequested_ = false;
}

// ---- The session -----------------------------------------------------------------------------

SdlSession::SdlSession() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_Init(0);
}

SdlSession::~SdlSession() { SDL_Quit(); }

}  // namespace platform
