// Win32Ui and its windows and timers: top-level windows that show PixelSurface pictures enlarged by
// the zoom with StretchDIBits, the message loops (main and modal), and SetTimer timers on the UI
// thread.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "../src/timer_entry.h"
#include "platform/codepage.h"
#include "platform/win32.h"
#include "platform/window_base.h"

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"VarnookWindow";
constexpr wchar_t kTimerClass[] = L"VarnookTimers";
// Fixed-size windows: a caption with the system menu and close box, no sizing frame, no maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;
constexpr int kTwipsPerInch = 1440;

HWND asHwnd(void* h) { return static_cast<HWND>(h); }

// The game's single-byte text as UTF-16 (every character of the code page is one unit).
std::wstring toWide(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (const char c : text) out.push_back(static_cast<wchar_t>(codepage::toCodePoint(static_cast<unsigned char>(c))));
    return out;
}

// The shift argument of mouse events: 1 Shift, 2 Ctrl, 4 Alt.
int shiftFlags(WPARAM keys) {
    return ((keys & MK_SHIFT) ? modifier::kShift : 0) | ((keys & MK_CONTROL) ? modifier::kCtrl : 0) |
           (GetKeyState(VK_MENU) < 0 ? modifier::kAlt : 0);
}

// The same for a key: the modifiers held as the key went down.
int keyShiftFlags() {
    return (GetKeyState(VK_SHIFT) < 0 ? modifier::kShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? modifier::kCtrl : 0) |
           (GetKeyState(VK_MENU) < 0 ? modifier::kAlt : 0);
}

// Mouse buttons held, as the game numbers them: 1 left, 2 right, 4 middle.
int buttonMask(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? mouse::kLeft : 0) | ((keys & MK_RBUTTON) ? mouse::kRight : 0) |
           ((keys & MK_MBUTTON) ? mouse::kMiddle : 0);
}

// The work area (real pixels: the program is DPI-aware per monitor) of the monitor a window is on,
// or of the primary monitor when there is no window yet.
RECT workAreaOf(HWND hwnd) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (hwnd != nullptr && GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return monitor.rcWork;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The outer rectangle of a window whose client area is w x h, centred on the work area of the
// monitor the window is on (the primary one for a new window).
RECT outerRect(int w, int h, DWORD style, HWND hwnd = nullptr) {
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, style, FALSE, kExStyle);
    const RECT work = workAreaOf(hwnd);
    const int outerW = r.right - r.left, outerH = r.bottom - r.top;
    const int x = std::max(work.left, work.left + (work.right - work.left - outerW) / 2);
    const int y = std::max(work.top, work.top + (work.bottom - work.top - outerH) / 2);
    return RECT{x, y, x + outerW, y + outerH};
}

// An icon from a picture: a 32-bit colour bitmap, fully opaque.
HICON makeIcon(const Surface& picture) {
    PixelSurface pixels;
    pixels.assign(picture);
    if (pixels.width() == 0 || pixels.height() == 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.width();
    info.bmiHeader.biHeight = -pixels.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP color = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (color == nullptr || bits == nullptr) return nullptr;
    auto* out = static_cast<std::uint32_t*>(bits);
    const auto in = pixels.pixels();
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Color c = in[i];
        out[i] = 0xFF000000u | (static_cast<std::uint32_t>(redOf(c)) << 16) |
                 (static_cast<std::uint32_t>(greenOf(c)) << 8) | static_cast<std::uint32_t>(blueOf(c));
    }
    HBITMAP mask = CreateBitmap(pixels.width(), pixels.height(), 1, 1, nullptr);
    ICONINFO ii{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

// The program's icon in its resources (Varnook.exe has it; test programs do not).
constexpr int kIconResource = 1;
bool hasIconResource() {
    return FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource), MAKEINTRESOURCEW(14)) !=
           nullptr;  // 14: RT_GROUP_ICON
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK timerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

// ---- Windows ---------------------------------------------------------------------------------

class Win32Window final : public detail::WindowBase {
public:
    Win32Window(Win32Ui& ui, WindowHandler& handler, const WindowOptions& options)
        : WindowBase(handler, options, ui.zoom_),
          ui_(&ui),
          style_(kStyle | (options.minimizeBox ? WS_MINIMIZEBOX : 0)) {
        if (!ui.ok()) return;
        Win32Window* owner = ui.ownerWindow();
        const RECT r = outerRect(scaledWidth(), scaledHeight(), style_);
        hwnd_ = CreateWindowExW(kExStyle, kWindowClass, toWide(caption()).c_str(), style_, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, owner != nullptr ? owner->hwnd_ : nullptr, nullptr,
                                GetModuleHandleW(nullptr), this);
        if (hwnd_ == nullptr) return;
        if (ui.dpi_ == 0) ui.dpi_ = GetDpiForWindow(hwnd_);
        // The program's own icon resource (every size from 16 to 256 pixels) is the window class's;
        // a program without one shows the drawn icon.
        if (options.icon != nullptr)
            icon_ = makeIcon(*options.icon);
        else if (!hasIconResource() && ui.programIcon_.width() > 0)
            icon_ = makeIcon(ui.programIcon_);
        if (icon_ != nullptr) {
            SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
            SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
        }
        ui.windows_.push_back(this);
    }

    ~Win32Window() override { release(); }
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // One message of this window. The handler may destroy the window object, so nothing of it is
    // touched after a handler call.
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT: paint(); return 0;
            case WM_ERASEBKGND: return 1;  // WM_PAINT covers the whole client area
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN: {
                if (ui_ == nullptr || !ui_->accepts(this)) return 0;
                const int button = message == WM_LBUTTONDOWN   ? mouse::kLeft
                                   : message == WM_RBUTTONDOWN ? mouse::kRight
                                                               : mouse::kMiddle;
                SetCapture(hwnd_);  // the release comes here even when it happens outside
                mouseDown(button, shiftFlags(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            }
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP: {
                if (buttonMask(wParam) == 0 && GetCapture() == hwnd_) ReleaseCapture();
                if (ui_ == nullptr || !ui_->accepts(this)) return 0;
                const int button = message == WM_LBUTTONUP   ? mouse::kLeft
                                   : message == WM_RBUTTONUP ? mouse::kRight
                                                             : mouse::kMiddle;
                mouseUp(button, shiftFlags(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            }
            case WM_MOUSEMOVE:
                if (ui_ != nullptr && ui_->accepts(this))
                    mouseMove(buttonMask(wParam), shiftFlags(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            case WM_MOUSEWHEEL: {
                if (ui_ == nullptr || !ui_->accepts(this)) return 0;
                // Whole notches; a fine wheel's parts add up until they make one.
                wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
                const int steps = wheelRest_ / WHEEL_DELTA;
                if (steps == 0) return 0;
                wheelRest_ -= steps * WHEEL_DELTA;
                POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
                ScreenToClient(hwnd_, &at);
                mouseWheel(steps, shiftFlags(GET_KEYSTATE_WPARAM(wParam)), at.x, at.y);
                return 0;
            }
            case WM_KEYDOWN: {
                if (ui_ == nullptr || !ui_->accepts(this) || !keyReaches(scanCode(lParam), isRepeat(lParam))) return 0;
                const int shift = keyShiftFlags();
                if (ctrlWithoutAlt(shift) && wParam >= 'A' && wParam <= 'Z') {
                    handler().onShortcut(static_cast<char32_t>(wParam - 'A' + 'a'), shift);
                    return 0;
                }
                if (const std::optional<Key> key = keyOf(wParam)) handler().onKeyDown(*key, shift);
                return 0;
            }
            case WM_CHAR: {
                const auto unit = static_cast<char32_t>(wParam);
                char32_t ch = unit;
                if (unit >= 0xD800 && unit < 0xDC00) {  // the first half of a pair: wait for the second
                    highSurrogate_ = unit;
                    return 0;
                }
                if (unit >= 0xDC00 && unit < 0xE000) {
                    if (highSurrogate_ == 0) return 0;
                    ch = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
                }
                highSurrogate_ = 0;
                // Backspace, Enter, Esc and typed characters; other control characters (Ctrl+letter,
                // Tab) mean nothing as characters.
                // Ctrl with a letter gives a control character (Ctrl+H is 8, Ctrl+M is 13): the
                // letter went to onShortcut, the character is nothing. AltGr (Ctrl+Alt) types.
                const bool control = ch < 0x20 && ctrlWithoutAlt(keyShiftFlags());
                const bool wanted = !control && (ch == key::kBackspace || ch == key::kEnter || ch == key::kEscape ||
                                                 (ch >= 0x20 && ch != 0x7F));
                if (wanted && ui_ != nullptr && ui_->accepts(this) && keyReaches(scanCode(lParam), isRepeat(lParam)))
                    handler().onKeyPress(ch);
                return 0;
            }
            case WM_SIZE:
                if (wParam == SIZE_MINIMIZED)
                    noteMinimized(true);
                else if (wParam == SIZE_RESTORED)
                    noteMinimized(false);
                return 0;
            case WM_DPICHANGED:
                // Moved to a monitor of another scale: the zoom is picked anew for it.
                if (ui_ != nullptr) ui_->dpiChanged(*this, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
                return 0;
            case WM_CLOSE:
                // The close box. A window behind a modal one is disabled and never gets here.
                if (ui_ != nullptr && ui_->accepts(this)) close();
                return 0;
            default: return DefWindowProcW(hwnd_, message, wParam, lParam);
        }
    }

    void attach(HWND hwnd) { hwnd_ = hwnd; }

    // The Ui is going: the window loses its system window and its link to the Ui.
    void detach() {
        release();
        ui_ = nullptr;
    }

private:
    void applyCaption() override {
        if (hwnd_ != nullptr) SetWindowTextW(hwnd_, toWide(caption()).c_str());
    }

    void applySize(Resize why) override {
        if (hwnd_ == nullptr) return;
        if (isFullScreen()) {
            // A frameless window over the whole monitor the window is on.
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
            const RECT& m = monitor.rcMonitor;
            SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(WS_POPUP | (isVisible() ? WS_VISIBLE : 0)));
            SetWindowPos(hwnd_, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top, SWP_FRAMECHANGED);
        } else {
            if (why == Resize::FullScreen)
                SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style_ | (isVisible() ? WS_VISIBLE : 0)));
            // A window not yet on screen, or at a new zoom or back from full screen, is centred.
            const RECT r = outerRect(scaledWidth(), scaledHeight(), style_, hwnd_);
            const UINT move = isVisible() && why == Resize::Picture ? SWP_NOMOVE : 0;
            const UINT frame = why == Resize::FullScreen ? SWP_FRAMECHANGED : 0;
            SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         move | frame | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        InvalidateRect(hwnd_, nullptr, FALSE);
    }

    void applyVisible() override {
        if (hwnd_ == nullptr) return;
        if (!isVisible()) {
            ShowWindow(hwnd_, SW_HIDE);
            return;
        }
        ShowWindow(hwnd_, isMinimized() ? SW_SHOWMINIMIZED : SW_SHOW);
        SetForegroundWindow(hwnd_);
        UpdateWindow(hwnd_);
    }

    void applyMinimized() override {
        if (hwnd_ != nullptr) ShowWindow(hwnd_, isMinimized() ? SW_MINIMIZE : SW_RESTORE);
    }

    void applyPresent() override {
        // The picture in the layout of a 32-bit DIB (0x00RRGGBB), ready for WM_PAINT.
        const auto px = picture().pixels();
        dib_.resize(px.size());
        for (std::size_t i = 0; i < px.size(); ++i) {
            const Color c = px[i];
            dib_[i] = (static_cast<std::uint32_t>(redOf(c)) << 16) | (static_cast<std::uint32_t>(greenOf(c)) << 8) |
                      static_cast<std::uint32_t>(blueOf(c));
        }
        if (hwnd_ != nullptr) {
            InvalidateRect(hwnd_, nullptr, FALSE);
            UpdateWindow(hwnd_);
        }
    }

    void applyClose() override { release(); }

    Size fullScreenArea() const override {
        RECT client{0, 0, scaledWidth(), scaledHeight()};
        if (hwnd_ != nullptr) GetClientRect(hwnd_, &client);
        return {client.right - client.left, client.bottom - client.top};
    }

    // A key message's physical key (scan code with the extended-key bit) and whether it is an
    // auto-repeat (the key was down before).
    static unsigned scanCode(LPARAM lParam) { return static_cast<unsigned>((lParam >> 16) & 0x1FF); }
    static bool isRepeat(LPARAM lParam) { return (lParam & (LPARAM{1} << 30)) != 0; }
    // Ctrl held and Alt not: Ctrl+Alt is AltGr, which types characters.
    static bool ctrlWithoutAlt(int shift) {
        return (shift & modifier::kCtrl) != 0 && (shift & modifier::kAlt) == 0;
    }

    // Keys that type nothing the game reads, as its own names.
    static std::optional<Key> keyOf(WPARAM vk) {
        switch (vk) {
            case VK_UP: return Key::Up;
            case VK_DOWN: return Key::Down;
            case VK_LEFT: return Key::Left;
            case VK_RIGHT: return Key::Right;
            case VK_TAB: return Key::Tab;
            case VK_F11: return Key::F11;
            case VK_F1: return Key::F1;
            case VK_PRIOR: return Key::PageUp;
            case VK_NEXT: return Key::PageDown;
            case VK_HOME: return Key::Home;
            case VK_END: return Key::End;
            case VK_OEM_PLUS:
            case VK_ADD: return Key::Plus;
            case VK_OEM_MINUS:
            case VK_SUBTRACT: return Key::Minus;
            default: return std::nullopt;
        }
    }

    // The picture enlarged by the view's zoom (GDI's nearest-neighbour stretch), black around it.
    void paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT client;
        GetClientRect(hwnd_, &client);
        const int w = picture().width(), h = picture().height();
        const detail::ZoomView v = view();
        const RECT shown{v.left, v.top, v.left + w * v.zoom, v.top + h * v.zoom};
        if (w > 0 && h > 0) {
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = w;
            info.bmiHeader.biHeight = -h;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchDIBits(dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top, 0, 0, w, h,
                          dib_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        }
        // Whatever the picture does not cover is black.
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const int right = w > 0 ? shown.right : 0, bottom = h > 0 ? shown.bottom : 0;
        const int left = w > 0 ? shown.left : 0, top = h > 0 ? shown.top : 0;
        const RECT bands[] = {{0, 0, client.right, top},
                              {0, bottom, client.right, client.bottom},
                              {0, top, left, bottom},
                              {right, top, client.right, bottom}};
        for (const RECT& band : bands)
            if (band.right > band.left && band.bottom > band.top) FillRect(dc, &band, black);
        EndPaint(hwnd_, &ps);
    }

    // Drops the system window (on closing, or when the Ui goes). A modal level that the window
    // heads gives the other windows their input back first, so that the system activates the
    // window beneath it and not another program's.
    void release() {
        if (ui_ != nullptr) ui_->forget(this);
        if (hwnd_ != nullptr) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            if (GetCapture() == hwnd_) ReleaseCapture();
            DestroyWindow(hwnd_);
            hwnd_ = nullptr;
        }
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
            icon_ = nullptr;
        }
    }

    Win32Ui* ui_;
    DWORD style_;
    char32_t highSurrogate_ = 0;
    int wheelRest_ = 0;  // wheel movement short of a whole notch
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    std::vector<std::uint32_t> dib_;
};

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* w = static_cast<Win32Window*>(create->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        if (w != nullptr) w->attach(hwnd);
    }
    auto* w = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (w == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    return w->handle(message, wParam, lParam);
}

LRESULT CALLBACK timerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* ui = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (ui != nullptr) ui->tick(static_cast<unsigned>(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

// ---- Timers ----------------------------------------------------------------------------------

// The timer window of a Ui, shared with the timers, which may outlive it.
struct detail::TimerLink {
    HWND window = nullptr;
};

// A SetTimer timer of the timer window; its state is the back ends' common TimerEntry. A new
// interval starts the count again, as does enabling a disabled timer (SetTimer again does both).
class Win32Timer final : public Timer {
public:
    Win32Timer(std::shared_ptr<detail::TimerEntry> entry, std::shared_ptr<detail::TimerLink> link, unsigned id)
        : entry_(std::move(entry)), link_(std::move(link)), id_(id) {}
    ~Win32Timer() override {
        if (link_->window != nullptr) KillTimer(link_->window, id_);
    }
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    void setInterval(int ms) override {
        if (ms == entry_->interval) return;
        entry_->interval = std::max(ms, 0);
        arm();
    }
    int interval() const override { return entry_->interval; }
    void setEnabled(bool enabled) override {
        const bool start = enabled && !entry_->enabled;
        entry_->enabled = enabled;
        if (start || !enabled) arm();
    }
    bool enabled() const override { return entry_->enabled; }

private:
    void arm() {
        if (link_->window == nullptr) return;
        if (entry_->enabled && entry_->interval > 0)
            SetTimer(link_->window, id_, static_cast<UINT>(entry_->interval), nullptr);
        else
            KillTimer(link_->window, id_);
    }

    std::shared_ptr<detail::TimerEntry> entry_;
    std::shared_ptr<detail::TimerLink> link_;
    unsigned id_;
};

// ---- The Ui ----------------------------------------------------------------------------------

Win32Ui::Win32Ui() : timerLink_(std::make_shared<detail::TimerLink>()) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    if (hasIconResource()) {
        wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
        wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    }
    wc.lpszClassName = kWindowClass;
    if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error_ = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    WNDCLASSEXW tc{};
    tc.cbSize = sizeof tc;
    tc.lpfnWndProc = timerWindowProc;
    tc.hInstance = instance;
    tc.lpszClassName = kTimerClass;
    if (RegisterClassExW(&tc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error_ = "cannot register the timer window class (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    HWND timers = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (timers == nullptr) {
        error_ = "cannot create the timer window (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    SetWindowLongPtrW(timers, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    timerWindow_ = timers;
    timerLink_->window = timers;
    ok_ = true;
}

Win32Ui::~Win32Ui() {
    const auto open = windows_;
    for (Win32Window* w : open) w->detach();
    timerLink_->window = nullptr;
    if (timerWindow_ != nullptr) DestroyWindow(asHwnd(timerWindow_));
}

std::unique_ptr<Window> Win32Ui::createWindow(WindowHandler& handler, const WindowOptions& options) {
    return std::make_unique<Win32Window>(*this, handler, options);
}

std::unique_ptr<Timer> Win32Ui::createTimer(std::function<void()> onTick) {
    auto entry = std::make_shared<detail::TimerEntry>();
    entry->onTick = std::move(onTick);
    entry->now = [] { return static_cast<long long>(GetTickCount64()); };
    const unsigned id = nextTimerId_++;
    entry->serial = id;
    timers_[id] = entry;
    return std::make_unique<Win32Timer>(std::move(entry), timerLink_, id);
}

void Win32Ui::tick(unsigned id) {
    const auto it = timers_.find(id);
    std::shared_ptr<detail::TimerEntry> t = it != timers_.end() ? it->second.lock() : nullptr;
    if (!t) {
        if (it != timers_.end()) timers_.erase(it);
        KillTimer(asHwnd(timerWindow_), id);
        return;
    }
    if (!t->enabled || t->interval <= 0) return;
    const auto onTick = t->onTick;  // the tick may drop the timer
    if (onTick) onTick();
}

long long Win32Ui::nowMs() { return static_cast<long long>(GetTickCount64()); }

void Win32Ui::sleep(int ms) { Sleep(static_cast<DWORD>(std::max(ms, 0))); }

void Win32Ui::setZoom(int zoom) {
    zoom_ = zoom::clamp(zoom);
    for (Win32Window* w : windows_) w->setZoom(zoom_);
}

void Win32Ui::dpiChanged(Win32Window& window, unsigned dpi, const RECT& suggested) {
    // The window keeps its size on the screen as far as the new monitor has room for it: the zoom
    // grows with the scale, up to the largest at which the window fits that monitor's work area.
    const unsigned before = dpi_ > 0 ? dpi_ : USER_DEFAULT_SCREEN_DPI;
    dpi_ = dpi;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int room = zoom::largestFitting(window.clientWidth(), window.clientHeight(), work.right - work.left,
                                          work.bottom - work.top);
    const int scaled = static_cast<int>((static_cast<unsigned>(zoom_) * dpi + before / 2) / before);
    const int zoom = std::min(zoom::clamp(scaled), room);
    if (zoom != zoom_) setZoom(zoom);
}

Size Win32Ui::desktopSize() const {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return {};
    return {work.right - work.left, work.bottom - work.top};
}

int Win32Ui::twipsPerPixelX() const {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? kTwipsPerInch / dpi : Ui::twipsPerPixelX();
}

int Win32Ui::twipsPerPixelY() const {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? kTwipsPerInch / dpi : Ui::twipsPerPixelY();
}

void Win32Ui::messageBox(std::string_view caption, std::string_view text) {
    const std::string c(caption), t(text);
    Win32Window* owner = ownerWindow();
    HWND parent = owner != nullptr && owner->isVisible() ? owner->hwnd() : nullptr;
    MessageBoxA(parent, t.c_str(), c.c_str(), MB_OK | (parent == nullptr ? MB_TASKMODAL : 0));
}

Win32Window* Win32Ui::ownerWindow() const {
    for (auto it = modalStack_.rbegin(); it != modalStack_.rend(); ++it)
        if (it->window != nullptr && !it->ended) return it->window;
    for (Win32Window* w : windows_)
        if (w->isOpen()) return w;
    return nullptr;
}

bool Win32Ui::accepts(const Win32Window* w) const {
    if (w == nullptr || !w->isOpen()) return false;
    return modalStack_.empty() || modalStack_.back().window == w;
}

void Win32Ui::endModalLevel(std::size_t level) {
    if (level >= modalStack_.size() || modalStack_[level].ended) return;
    modalStack_[level].ended = true;
    for (void* h : modalStack_[level].disabled)
        if (IsWindow(asHwnd(h))) EnableWindow(asHwnd(h), TRUE);
}

void Win32Ui::forget(Win32Window* w) {
    std::erase(windows_, w);
    for (std::size_t i = 0; i < modalStack_.size(); ++i)
        if (modalStack_[i].window == w) {
            endModalLevel(i);
            modalStack_[i].window = nullptr;
        }
}

template <class Pred>
void Win32Ui::pump(Pred keepGoing) {
    MSG msg;
    while (keepGoing()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: leave every loop
            quitRequested_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Ui::runModal(Window& window) {
    auto* w = dynamic_cast<Win32Window*>(&window);
    if (w == nullptr || !w->isOpen()) return;
    if (!ok_ || w->hwnd() == nullptr) {
        // No system window, so no input will ever come: the window closes at once.
        w->close();
        return;
    }
    // The other windows take no input while the modal one is up.
    ModalLevel level{w, {}, false};
    for (Win32Window* other : windows_)
        if (other != w && other->hwnd() != nullptr && IsWindowEnabled(other->hwnd())) {
            EnableWindow(other->hwnd(), FALSE);
            level.disabled.push_back(other->hwnd());
        }
    modalStack_.push_back(std::move(level));
    const std::size_t index = modalStack_.size() - 1;
    w->show();
    pump([&] { return modalStack_[index].window != nullptr && modalStack_[index].window->isOpen(); });
    endModalLevel(index);
    modalStack_.resize(index);
}

void Win32Ui::run() {
    if (ok_) pump([&] { return !quitRequested_ && !windows_.empty(); });
    quitRequested_ = false;
}

void Win32Ui::quit() {
    quitRequested_ = true;
    if (timerWindow_ != nullptr) PostMessageW(asHwnd(timerWindow_), WM_NULL, 0, 0);  // wakes the loop
}

}  // namespace platform
