// The Win32 back end with real windows (under wine on a virtual X server): the back-end suite with
// input as window messages; and what only it has: the window's frame and place, modal windows that
// disable the others, the mouse's modifier flags and control characters, GDI text in a surface's
// pixels, and library loading.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend_conformance.h"
#include "platform/library.h"
#include "platform/win32.h"

namespace conformance {
namespace {

using platform::Color;
using platform::rgb;
using platform::Window;

HWND hwndOf(const Window& w) { return FindWindowA(nullptr, w.caption().c_str()); }

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

// Holds the modifier keys in the thread's keyboard state, as the window procedure reads them.
void holdModifiers(int shift) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const auto down = [&](int modifier) { return static_cast<BYTE>((shift & modifier) ? 0x80 : 0); };
    keys[VK_SHIFT] = down(platform::modifier::kShift);
    keys[VK_CONTROL] = down(platform::modifier::kCtrl);
    keys[VK_MENU] = down(platform::modifier::kAlt);
    SetKeyboardState(keys);
}

class Win32Driver final : public Driver {
public:
    Win32Driver() {
        if (!ui_.ok()) ADD_FAILURE() << ui_.error();
    }
    platform::Ui& ui() override { return ui_; }

    void mouse(Window& w, Mouse what, int buttons, int x, int y) override {
        const WPARAM held = ((buttons & platform::mouse::kLeft) ? MK_LBUTTON : 0) |
                            ((buttons & platform::mouse::kRight) ? MK_RBUTTON : 0) |
                            ((buttons & platform::mouse::kMiddle) ? MK_MBUTTON : 0);
        const int which = buttons == platform::mouse::kRight ? 1 : buttons == platform::mouse::kMiddle ? 2 : 0;
        static constexpr UINT downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static constexpr UINT ups[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        if (what == Mouse::Press) PostMessageW(hwndOf(w), downs[which], held, at(x, y));
        if (what == Mouse::Drag) PostMessageW(hwndOf(w), WM_MOUSEMOVE, held, at(x, y));
        if (what == Mouse::Release) PostMessageW(hwndOf(w), ups[which], 0, at(x, y));
    }
    // The movement is the high word of wParam, signed, in WHEEL_DELTA a notch; turns away from the
    // player come from a fine wheel, in half notches. Positions are the screen's.
    void wheel(Window& w, int notches) override {
        POINT origin{0, 0};
        ClientToScreen(hwndOf(w), &origin);
        auto turn = [&](int delta) {
            const WPARAM high = static_cast<WPARAM>(static_cast<WORD>(static_cast<SHORT>(delta))) << 16;
            PostMessageW(hwndOf(w), WM_MOUSEWHEEL, high, at(origin.x, origin.y));
        };
        if (notches < 0) return turn(notches * WHEEL_DELTA);
        for (int i = 0; i < 2 * notches; ++i) turn(WHEEL_DELTA / 2);
    }
    // WM_CHAR with the key's scan code and, for an auto-repeat, bit 30 (the key was down before).
    void type(Window& w, char32_t ch, bool repeat) override {
        const LPARAM scan = ch == platform::key::kEnter       ? 0x1C
                            : ch == platform::key::kBackspace ? 0x0E
                            : ch == platform::key::kEscape    ? 0x01
                                                              : 0;
        PostMessageW(hwndOf(w), WM_CHAR, static_cast<WPARAM>(ch), (scan << 16) | (repeat ? LPARAM{1} << 30 : 0));
    }
    // Sent at once, while the modifiers are held.
    void keyDown(Window& w, KeyCap cap, int shift) override {
        static constexpr WPARAM keys[] = {VK_UP,    VK_DOWN,      VK_TAB,      VK_F1,       VK_F11,
                                          VK_PRIOR, VK_NEXT,      VK_HOME,     VK_END,      VK_OEM_PLUS,
                                          VK_ADD,   VK_OEM_MINUS, VK_SUBTRACT, VK_OEM_PLUS, 'S', VK_LEFT, VK_RIGHT};
        holdModifiers(shift);
        SendMessageW(hwndOf(w), WM_KEYDOWN, keys[static_cast<int>(cap)], 0);
        holdModifiers(0);
    }
    void closeBox(Window& w) override { PostMessageW(hwndOf(w), WM_CLOSE, 0, 0); }

    void advance(int ms) override { runFor(ui(), ms); }
    Color shownAt(Window& w, int x, int y) override {
        UpdateWindow(hwndOf(w));
        HDC dc = GetDC(hwndOf(w));
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwndOf(w), dc);
        return rgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
    platform::Size screenSize(Window& w) override {
        RECT client{};
        GetClientRect(hwndOf(w), &client);
        return {client.right - client.left, client.bottom - client.top};
    }
    // The system's box, answered with OK by a timer once it is up; its caption and the text it shows.
    std::string messageBox(std::string_view caption, std::string_view text) override {
        const std::string wanted(caption), said(text);
        std::string seen;
        auto answer = ui_.createTimer([&] {
            HWND box = FindWindowA("#32770", wanted.c_str());
            if (box == nullptr) return;
            const bool showsText = FindWindowExA(box, nullptr, "Static", said.c_str()) != nullptr;
            seen = wanted + ": " + (showsText ? said : "<another text>");
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        answer->setInterval(50);
        answer->setEnabled(true);
        ui_.messageBox(caption, text);
        return seen;
    }

private:
    platform::Win32Ui ui_;
};

VARNOOK_BACKEND_CONFORMANCE(Win32, [] { return std::make_unique<Win32Driver>(); });

// ---- What only the Win32 back end has ----------------------------------------------------------

class Win32Backend : public ::testing::Test {
protected:
    platform::Win32Ui ui;
    Recorder handler;

    std::unique_ptr<Window> make(const char* caption, int w = 200, int h = 100) {
        return ui.createWindow(handler, platform::WindowOptions{caption, w, h, true});
    }
};

TEST_F(Win32Backend, TheWindowIsCentredWithAMinimiseBoxAndNoMaximiseBoxOrSizingFrame) {
    ASSERT_TRUE(ui.ok()) << ui.error();
    auto w = make("Size test", 704, 528);
    w->show();
    HWND hwnd = hwndOf(*w);
    ASSERT_NE(hwnd, nullptr);
    RECT outer, work;
    GetWindowRect(hwnd, &outer);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (work.top + work.bottom) / 2, 1);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    w->minimize();
    EXPECT_TRUE(IsIconic(hwnd));
}

// The suite shows that input behind a modal window is dropped; here, how: the others are disabled.
TEST_F(Win32Backend, AModalWindowIsOwnedByTheMainWindowAndDisablesItUntilItCloses) {
    auto main = make("Main window");
    main->show();
    auto dialog = make("Modal window", 120, 60);
    HWND mainHwnd = hwndOf(*main);
    ASSERT_NE(mainHwnd, nullptr);
    EXPECT_EQ(GetWindow(hwndOf(*dialog), GW_OWNER), mainHwnd);
    bool mainEnabledDuring = true;
    auto check = ui.createTimer([&] {
        mainEnabledDuring = IsWindowEnabled(mainHwnd) != FALSE;
        dialog->close();
    });
    check->setInterval(30);
    check->setEnabled(true);
    ui.runModal(*dialog);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(mainHwnd));
}

TEST_F(Win32Backend, MouseFlagsGiveTheModifiersControlCharactersMeanNothingAndTheWheelIsAtThePointer) {
    struct WheelAt : Recorder {
        void onMouseWheel(int steps, int, double x, double y) override {
            log.push_back("wheel " + std::to_string(steps) + " " + at(x, y));
        }
    } wheelAt;
    auto w = ui.createWindow(wheelAt, platform::WindowOptions{"Input test", 200, 100, true});
    HWND hwnd = hwndOf(*w);
    ASSERT_NE(hwnd, nullptr);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, at(10, 20));
    SendMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, at(50, 60));
    SendMessageW(hwnd, WM_CHAR, 1, 0);  // Ctrl+A as a character
    SendMessageW(hwnd, WM_CHAR, 9, 0);  // the Tab character
    // Ctrl+H and Ctrl+M come as characters 8 and 13 too: they are not Backspace and Enter.
    holdModifiers(platform::modifier::kCtrl);
    SendMessageW(hwnd, WM_CHAR, 8, 0);
    SendMessageW(hwnd, WM_CHAR, 13, 0);
    holdModifiers(0);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    SendMessageW(hwnd, WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, at(origin.x + 30, origin.y + 40));
    EXPECT_EQ(wheelAt.log, (std::vector<std::string>{"down 1 1 10,20", "down 4 2 50,60", "wheel 1 30,40"}));
}

// Ink of colour c inside r, and none outside it.
struct Ink {
    int inside = 0;
    int outside = 0;
    int minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1;
};

Ink inkOf(const platform::PixelSurface& s, Color background, const platform::Rect& r) {
    Ink ink;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            if (s.pixel(x, y) == background) continue;
            const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            (in ? ink.inside : ink.outside)++;
            ink.minX = std::min(ink.minX, x);
            ink.maxX = std::max(ink.maxX, x);
            ink.minY = std::min(ink.minY, y);
            ink.maxY = std::max(ink.maxY, y);
        }
    return ink;
}

TEST(GdiText, TextIsDrawnInTheSurfacesPixelsWithinItsRectangleAndLaidOutByTheFlags) {
    const Color back = rgb(51, 68, 140);
    platform::PixelSurface s(300, 100, back);
    s.setFont({"Times New Roman", 14.25, true});
    s.setTextColor(rgb(249, 249, 230));
    const platform::Rect box{50, 20, 250, 80};
    s.drawText("Centred", box, platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine);
    const Ink centred = inkOf(s, back, box);
    ASSERT_GT(centred.inside, 20);
    EXPECT_EQ(centred.outside, 0);
    EXPECT_NEAR((centred.minX + centred.maxX) / 2, 150, 4);
    EXPECT_NEAR((centred.minY + centred.maxY) / 2, 50, 6);
    bool textColour = false;
    for (int y = centred.minY; y <= centred.maxY; ++y)
        for (int x = centred.minX; x <= centred.maxX; ++x) textColour |= s.pixel(x, y) == rgb(249, 249, 230);
    EXPECT_TRUE(textColour);

    // Without DT_SINGLELINE: top-left, one line per line feed; text beyond the rectangle is cut.
    platform::PixelSurface t(300, 100, back);
    t.setFont({"MS Sans Serif", 12, false});
    t.setTextColor(rgb(255, 255, 255));
    const platform::Rect small{10, 10, 60, 40};
    t.drawText("Two\nlines and a long tail", small, platform::text::kVCenter);
    const Ink topLeft = inkOf(t, back, small);
    ASSERT_GT(topLeft.inside, 10);
    EXPECT_EQ(topLeft.outside, 0);
    EXPECT_LT(topLeft.minX, 14);
    EXPECT_LT(topLeft.minY, 16);
    EXPECT_GT(topLeft.maxY, 26);  // the second line
}

TEST(Win32Library, ProgramFolderFileNamesAndRefusals) {
    const std::string folder = platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(folder.find('/'), std::string::npos);
    EXPECT_EQ(platform::SharedLibrary::fileName("QXDLL"), "QXDLL.dll");
    std::string error;
    EXPECT_EQ(platform::SharedLibrary::open(folder + "NoSuchLibrary.dll", &error), nullptr);
    EXPECT_NE(error.find("NoSuchLibrary.dll"), std::string::npos);
    const auto kernel = platform::SharedLibrary::open("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_NE(kernel->symbol("GetTickCount64"), nullptr);
    EXPECT_EQ(kernel->symbol("NoSuchExport"), nullptr);
}

}  // namespace
}  // namespace conformance
