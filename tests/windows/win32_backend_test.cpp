// The Win32 back end with real windows (under wine on a virtual X server): client size and place,
// input as the window procedure receives it, modal loops that disable the other windows, SetTimer
// timers, the picture on screen, minimising, GDI text in a surface's pixels, and library loading.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/library.h"
#include "platform/win32.h"

namespace {

using platform::Color;
using platform::rgb;

struct Recorder : platform::WindowHandler {
    std::vector<std::string> events;
    std::function<void()> onAnyKey;
    void onMouseDown(int button, int shift, double x, double y) override {
        events.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                         std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
    }
    void onMouseUp(int button, int, double x, double y) override {
        events.push_back("up " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
    }
    void onMouseMove(int buttons, int, double x, double y) override {
        events.push_back("move " + std::to_string(buttons) + " " + std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
    }
    void onKeyPress(char32_t ch) override { events.push_back("key " + std::to_string(static_cast<unsigned>(ch))); }
    void onKeyDown(platform::Key key, int shift) override {
        events.push_back("keydown " + std::to_string(static_cast<int>(key)) + " " + std::to_string(shift));
    }
    void onShortcut(char32_t letter, int shift) override {
        events.push_back("shortcut " + std::to_string(static_cast<unsigned>(letter)) + " " + std::to_string(shift));
    }
    void onMouseWheel(int steps, int, double x, double y) override {
        events.push_back("wheel " + std::to_string(steps) + " " + std::to_string(static_cast<int>(x)) + "," +
                         std::to_string(static_cast<int>(y)));
    }
    void onStateChange(bool minimized) override { events.push_back(minimized ? "minimized" : "restored"); }
    void onClose() override { events.push_back("close"); }
};

HWND windowNamed(const char* caption) { return FindWindowA(nullptr, caption); }

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

class Win32Backend : public ::testing::Test {
protected:
    platform::Win32Ui ui;
    Recorder handler;

    std::unique_ptr<platform::Window> make(const char* caption, int w = 200, int h = 100) {
        platform::WindowOptions o;
        o.caption = caption;
        o.clientWidth = w;
        o.clientHeight = h;
        return ui.createWindow(handler, o);
    }
};

TEST_F(Win32Backend, ClientAreaIsTheSizeAskedAndTheWindowIsCentredWithoutMaximiseBox) {
    ASSERT_TRUE(ui.ok()) << ui.error();
    auto w = make("Size test", 704, 528);
    w->show();
    HWND hwnd = windowNamed("Size test");
    ASSERT_NE(hwnd, nullptr);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right - client.left, 704);
    EXPECT_EQ(client.bottom - client.top, 528);
    RECT outer, work;
    GetWindowRect(hwnd, &outer);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (work.top + work.bottom) / 2, 1);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    w->setClientSize(300, 200);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
}

TEST_F(Win32Backend, MouseButtonsPositionsAndTypedCharactersReachTheHandler) {
    auto w = make("Input test");
    HWND hwnd = windowNamed("Input test");
    ASSERT_NE(hwnd, nullptr);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, at(10, 20));
    PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(11, 21));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at(12, 22));
    PostMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, at(30, 40));
    PostMessageW(hwnd, WM_RBUTTONUP, 0, at(30, 40));
    PostMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, at(50, 60));
    PostMessageW(hwnd, WM_MBUTTONUP, 0, at(50, 60));
    for (const WPARAM ch : {WPARAM{'a'}, WPARAM{8}, WPARAM{13}, WPARAM{27}, WPARAM{1}, WPARAM{0xE9}})
        PostMessageW(hwnd, WM_CHAR, ch, 0);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);  // the close box ends the modal loop
    ui.runModal(*w);
    EXPECT_FALSE(w->isOpen());
    const std::vector<std::string> expected = {
        "down 1 1 10,20", "move 1 11,21", "up 1 12,22", "down 2 0 30,40", "up 2 30,40", "down 4 2 50,60", "up 4 50,60",
        "key 97",         "key 8",        "key 13",     "key 27",         "key 233",    "close"};
    EXPECT_EQ(handler.events, expected);  // Ctrl+A (1) means nothing
}

TEST_F(Win32Backend, AModalWindowDisablesTheOthersUntilItCloses) {
    auto main = make("Main window");
    main->show();
    Recorder dialogHandler;
    platform::WindowOptions o;
    o.caption = "Modal window";
    o.clientWidth = 120;
    o.clientHeight = 60;
    auto dialog = ui.createWindow(dialogHandler, o);
    HWND mainHwnd = windowNamed("Main window");
    HWND dialogHwnd = windowNamed("Modal window");
    ASSERT_NE(mainHwnd, nullptr);
    ASSERT_NE(dialogHwnd, nullptr);
    EXPECT_EQ(GetWindow(dialogHwnd, GW_OWNER), mainHwnd);

    bool mainEnabledDuring = true;
    auto check = ui.createTimer([&] {
        mainEnabledDuring = IsWindowEnabled(mainHwnd) != FALSE;
        // A press sent to the main window meanwhile is not the main window's.
        SendMessageW(mainHwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
        dialog->close();
    });
    check->setInterval(30);
    check->setEnabled(true);
    ui.runModal(*dialog);
    check->setEnabled(false);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(mainHwnd));
    EXPECT_TRUE(handler.events.empty());
    ASSERT_FALSE(dialogHandler.events.empty());
    EXPECT_EQ(dialogHandler.events.back(), "close");
}

TEST_F(Win32Backend, TimersTickWhileEnabledAndNotWithoutAnInterval) {
    auto w = make("Timer test");
    int fast = 0, disabled = 0, noInterval = 0;
    auto a = ui.createTimer([&] { ++fast; });
    auto b = ui.createTimer([&] { ++disabled; });
    auto c = ui.createTimer([&] { ++noInterval; });
    a->setInterval(20);
    a->setEnabled(true);
    b->setInterval(20);
    c->setEnabled(true);
    EXPECT_EQ(c->interval(), 0);
    EXPECT_FALSE(b->enabled());
    const long long start = ui.nowMs();
    auto stop = ui.createTimer([&] { w->close(); });
    stop->setInterval(400);
    stop->setEnabled(true);
    ui.runModal(*w);
    EXPECT_GE(ui.nowMs() - start, 350);
    EXPECT_GE(fast, 3);
    EXPECT_EQ(disabled, 0);
    EXPECT_EQ(noInterval, 0);

    // A timer dropped while enabled never ticks again, and a tick may drop its own timer.
    const int fastBefore = fast;
    a.reset();
    int selfDropped = 0;
    std::unique_ptr<platform::Timer> once;
    once = ui.createTimer([&] {
        ++selfDropped;
        once.reset();
    });
    once->setInterval(10);
    once->setEnabled(true);
    auto w2 = make("Timer test 2");
    auto stop2 = ui.createTimer([&] { w2->close(); });
    stop2->setInterval(200);
    stop2->setEnabled(true);
    ui.runModal(*w2);
    EXPECT_EQ(selfDropped, 1);
    EXPECT_EQ(fast, fastBefore);
}

TEST_F(Win32Backend, ThePresentedPictureIsOnScreen) {
    auto w = make("Picture test", 64, 48);
    w->show();
    platform::PixelSurface s(64, 48, rgb(10, 200, 30));
    s.fillRect({8, 8, 24, 24}, platform::Brush{rgb(250, 20, 120)});
    w->present(s);
    HWND hwnd = windowNamed("Picture test");
    HDC dc = GetDC(hwnd);
    const COLORREF inside = GetPixel(dc, 10, 10);
    const COLORREF outside = GetPixel(dc, 40, 40);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(inside, RGB(250, 20, 120));
    EXPECT_EQ(outside, RGB(10, 200, 30));
}

TEST_F(Win32Backend, KeysThatTypeNothingComeAsKeyDownsWithTheModifiersHeld) {
    auto w = make("Key test");
    HWND hwnd = windowNamed("Key test");
    ASSERT_NE(hwnd, nullptr);
    // Ctrl held, as the thread's keyboard state says.
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    for (const WPARAM vk : {WPARAM{VK_UP}, WPARAM{VK_DOWN}, WPARAM{VK_TAB}, WPARAM{VK_F11}, WPARAM{VK_OEM_PLUS},
                            WPARAM{VK_ADD}, WPARAM{VK_OEM_MINUS}, WPARAM{VK_SUBTRACT}, WPARAM{VK_F1}, WPARAM{'A'}})
        SendMessageW(hwnd, WM_KEYDOWN, vk, 0);
    // Ctrl+H and Ctrl+M come as characters 8 and 13 too: they are not Backspace and Enter.
    SendMessageW(hwnd, WM_CHAR, 8, 0);
    SendMessageW(hwnd, WM_CHAR, 13, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    SendMessageW(hwnd, WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(hwnd, WM_CHAR, 9, 0);  // the Tab character means nothing
    for (const WPARAM vk : {WPARAM{VK_PRIOR}, WPARAM{VK_NEXT}, WPARAM{VK_HOME}, WPARAM{VK_END}})
        SendMessageW(hwnd, WM_KEYDOWN, vk, 0);
    using platform::Key;
    auto down = [](Key k, int shift) {
        return "keydown " + std::to_string(static_cast<int>(k)) + " " + std::to_string(shift);
    };
    const int ctrl = platform::modifier::kCtrl;
    EXPECT_EQ(handler.events,
              (std::vector<std::string>{down(Key::Up, ctrl), down(Key::Down, ctrl), down(Key::Tab, ctrl),
                                        down(Key::F11, ctrl), down(Key::Plus, ctrl), down(Key::Plus, ctrl),
                                        down(Key::Minus, ctrl), down(Key::Minus, ctrl), down(Key::F1, ctrl),
                                        "shortcut 97 2", down(Key::Tab, 0), down(Key::PageUp, 0),
                                        down(Key::PageDown, 0), down(Key::Home, 0), down(Key::End, 0)}));
}

TEST_F(Win32Backend, TheWheelComesInNotchesAtThePointerAndAKeyHeldElsewhereDoesNotRepeatHere) {
    auto w = make("Wheel test");
    HWND hwnd = windowNamed("Wheel test");
    ASSERT_NE(hwnd, nullptr);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const LPARAM pointer = at(origin.x + 30, origin.y + 40);  // wheel positions are the screen's
    // The wheel's movement is the high word of wParam, signed.
    auto turn = [](int delta) { return static_cast<WPARAM>(static_cast<WORD>(static_cast<SHORT>(delta))) << 16; };
    SendMessageW(hwnd, WM_MOUSEWHEEL, turn(-2 * WHEEL_DELTA), pointer);
    SendMessageW(hwnd, WM_MOUSEWHEEL, turn(WHEEL_DELTA / 2), pointer);
    SendMessageW(hwnd, WM_MOUSEWHEEL, turn(WHEEL_DELTA / 2), pointer);
    // Enter went down in another window (the game's, under a dialog): here its auto-repeats
    // (bit 30, the key was down before) do nothing; pressed here, it repeats here.
    const LPARAM enterScan = LPARAM{0x1C} << 16;
    const LPARAM repeat = LPARAM{1} << 30;
    SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, enterScan | repeat);
    SendMessageW(hwnd, WM_CHAR, 13, enterScan | repeat);
    SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, enterScan);
    SendMessageW(hwnd, WM_CHAR, 13, enterScan);
    SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, enterScan | repeat);
    SendMessageW(hwnd, WM_CHAR, 13, enterScan | repeat);
    EXPECT_EQ(handler.events, (std::vector<std::string>{"wheel -2 30,40", "wheel 1 30,40", "key 13", "key 13"}));
}

TEST_F(Win32Backend, AZoomedWindowShowsThePictureEnlargedAndMapsInputBack) {
    ui.setZoom(2);
    auto w = make("Zoom test", 64, 48);
    w->show();
    HWND hwnd = windowNamed("Zoom test");
    ASSERT_NE(hwnd, nullptr);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 128);
    EXPECT_EQ(client.bottom, 96);
    EXPECT_EQ(w->clientWidth(), 64);
    platform::PixelSurface s(64, 48, rgb(10, 200, 30));
    s.fillRect({10, 20, 11, 21}, platform::Brush{rgb(250, 20, 120)});
    w->present(s);
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 20, 40), RGB(250, 20, 120));
    EXPECT_EQ(GetPixel(dc, 21, 41), RGB(250, 20, 120));
    EXPECT_EQ(GetPixel(dc, 22, 41), RGB(10, 200, 30));
    EXPECT_EQ(GetPixel(dc, 21, 42), RGB(10, 200, 30));
    ReleaseDC(hwnd, dc);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(21, 41));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at(127, 95));
    EXPECT_EQ(handler.events, (std::vector<std::string>{"down 1 0 10,20", "up 1 63,47"}));

    // Full screen: the whole monitor, the picture at the largest zoom that fits, centred on black.
    w->setFullScreen(true);
    GetClientRect(hwnd, &client);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(client.right, sw);
    EXPECT_EQ(client.bottom, sh);
    const int z = platform::zoom::largestFitting(64, 48, sw, sh);
    const int left = (sw - 64 * z) / 2, top = (sh - 48 * z) / 2;
    UpdateWindow(hwnd);
    dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, left + 10 * z, top + 20 * z), RGB(250, 20, 120));
    EXPECT_EQ(GetPixel(dc, left, top), RGB(10, 200, 30));
    EXPECT_EQ(GetPixel(dc, left - 1, top), RGB(0, 0, 0));
    ReleaseDC(hwnd, dc);
    handler.events.clear();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(left + 10 * z + z - 1, top + 20 * z));
    EXPECT_EQ(handler.events, (std::vector<std::string>{"down 1 0 10,20"}));
    w->setFullScreen(false);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 128);
    EXPECT_EQ(client.bottom, 96);
}

TEST_F(Win32Backend, MinimisingAndRestoringAreReportedOnce) {
    auto w = make("Minimise test");
    w->show();
    w->minimize();
    EXPECT_TRUE(w->isMinimized());
    EXPECT_TRUE(IsIconic(windowNamed("Minimise test")));
    w->minimize();
    w->restore();
    EXPECT_FALSE(w->isMinimized());
    EXPECT_EQ(handler.events, (std::vector<std::string>{"minimized", "restored"}));
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
