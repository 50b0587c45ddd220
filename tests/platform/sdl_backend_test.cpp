// Smoke test of the SDL back end on SDL's dummy video and audio drivers: windows, presenting,
// timers fired by the loop, modal loops and the routing of input, sound on one channel.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "platform/sdl.h"

namespace {

using platform::SdlPlatform;
using platform::Window;

// No real display or sound card is touched, even when the tests are run by hand, unless a driver
// is chosen explicitly (SDL_VIDEODRIVER=x11 under xvfb-run, for instance).
class SdlBackend : public testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
};

struct Recorder : platform::WindowHandler {
    std::vector<std::string> log;
    void onMouseDown(int button, int shift, double x, double y) override {
        log.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
    }
    // A window that appears under the pointer hears a move with no button; only dragging moves count.
    void onMouseMove(int button, int, double, double) override {
        if (button != 0) log.push_back("move " + std::to_string(button));
    }
    void onMouseUp(int button, int, double, double) override { log.push_back("up " + std::to_string(button)); }
    void onKeyPress(char32_t ch) override { log.push_back("key " + std::to_string(static_cast<unsigned>(ch))); }
    void onKeyDown(platform::Key key, int shift) override {
        log.push_back("keydown " + std::to_string(static_cast<int>(key)) + " " + std::to_string(shift));
    }
    void onShortcut(char32_t letter, int shift) override {
        log.push_back("shortcut " + std::to_string(static_cast<unsigned>(letter)) + " " + std::to_string(shift));
    }
    void onMouseWheel(int steps, int, double, double) override { log.push_back("wheel " + std::to_string(steps)); }
    void onStateChange(bool minimized) override { log.push_back(minimized ? "minimized" : "restored"); }
    void onClose() override { log.push_back("close"); }
};

// The SDL id of the window with this caption.
Uint32 idOf(const char* caption) {
    for (Uint32 id = 1; id < 1000; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id); w != nullptr && std::string(SDL_GetWindowTitle(w)) == caption)
            return id;
    return 0;
}

void pushMouse(Uint32 type, Uint32 window, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = window;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void pushKey(Uint32 window, SDL_Keycode sym, Uint16 mod = KMOD_NONE, bool repeat = false) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    e.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&e);
}

void pushText(Uint32 window, const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    SDL_PushEvent(&e);
}

void pushWindowEvent(Uint32 window, Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = what;
    SDL_PushEvent(&e);
}

TEST_F(SdlBackend, TimersFireFromTheLoopUntilTheLastWindowCloses) {
    SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Recorder handler;
    auto icon = p.graphics.createSurface(16, 16);
    platform::WindowOptions options{"Varnook", 704, 528, true};
    options.icon = icon.get();
    auto window = p.ui.createWindow(handler, options);
    auto picture = p.graphics.createSurface(704, 528);
    picture->fillRect({0, 0, 704, 528}, platform::Brush{platform::rgb(51, 68, 140)});
    window->show();
    window->present(*picture);
    EXPECT_EQ(window->clientWidth(), 704);
    EXPECT_TRUE(window->isVisible());
    // The picture reached the window, red, green and blue each in its place, at the client size.
    SDL_Window* sdlWindow = SDL_GetWindowFromID(idOf("Varnook"));
    ASSERT_NE(sdlWindow, nullptr);
    int w = 0, h = 0;
    SDL_GetWindowSize(sdlWindow, &w, &h);
    EXPECT_EQ(w, 704);
    EXPECT_EQ(h, 528);
    // It is copied onto the window's own surface: no renderer (and so no GL) is made for it.
    EXPECT_EQ(SDL_GetRenderer(sdlWindow), nullptr);
    SDL_Surface* screen = SDL_GetWindowSurface(sdlWindow);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->format->BytesPerPixel, 4);
    ASSERT_EQ(SDL_LockSurface(screen), 0);
    Uint32 raw = 0;
    std::memcpy(&raw, static_cast<const Uint8*>(screen->pixels) + 10 * screen->pitch + 10 * 4, 4);
    SDL_UnlockSurface(screen);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, screen->format, &r, &g, &b);
    EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{51, 68, 140}));

    int ticks = 0;
    const long long start = p.ui.nowMs();
    auto timer = p.ui.createTimer([&] {
        if (++ticks == 3) window->close();
    });
    timer->setInterval(20);
    timer->setEnabled(true);
    p.ui.run();
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(p.ui.nowMs() - start, 60);
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(handler.log, std::vector<std::string>{"close"});
}

TEST_F(SdlBackend, ModalLoopTakesInputForItsWindowOnlyAndEndsWhenItCloses) {
    SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Recorder mainHandler, dialogHandler;
    auto main = p.ui.createWindow(mainHandler, {"Varnook", 704, 528, true});
    auto dialog = p.ui.createWindow(dialogHandler, {"Game Statistics", 419, 220, false});
    main->show();
    const Uint32 mainId = idOf("Varnook"), dialogId = idOf("Game Statistics");
    ASSERT_NE(mainId, 0u);
    ASSERT_NE(dialogId, 0u);

    pushMouse(SDL_MOUSEBUTTONDOWN, mainId, SDL_BUTTON_LEFT, 5, 5);  // blocked by the modal dialog
    pushMouse(SDL_MOUSEBUTTONDOWN, dialogId, SDL_BUTTON_RIGHT, 40, 30);
    SDL_Event drag{};
    drag.type = SDL_MOUSEMOTION;
    drag.motion.windowID = dialogId;
    drag.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_MMASK;
    SDL_PushEvent(&drag);
    pushMouse(SDL_MOUSEBUTTONUP, dialogId, SDL_BUTTON_MIDDLE, 40, 30);
    pushKey(dialogId, SDLK_RETURN);
    pushKey(dialogId, SDLK_BACKSPACE);
    pushKey(dialogId, SDLK_ESCAPE);
    pushKey(dialogId, SDLK_a);                       // letters come as text input, not as key events
    pushText(dialogId, "a\xC3\xA9\xE2\x82\xAC");     // a, e-acute, euro sign
    pushWindowEvent(mainId, SDL_WINDOWEVENT_CLOSE);  // the main window's close box is blocked too
    auto closer = p.ui.createTimer([&] { dialog->close(); });
    closer->setInterval(30);
    closer->setEnabled(true);
    p.ui.runModal(*dialog);
    closer->setEnabled(false);

    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(dialogHandler.log, (std::vector<std::string>{"down 2 0 40,30", "move 5", "up 4", "key 13", "key 8",
                                                           "key 27", "key 97", "key 233", "key 8364", "close"}));
    EXPECT_TRUE(mainHandler.log.empty());
    EXPECT_TRUE(main->isOpen());

    // Back in the main loop the main window hears again; its close box ends the loop.
    pushMouse(SDL_MOUSEBUTTONDOWN, mainId, SDL_BUTTON_LEFT, 7, 9);
    pushWindowEvent(mainId, SDL_WINDOWEVENT_CLOSE);
    p.ui.run();
    EXPECT_EQ(mainHandler.log, (std::vector<std::string>{"down 1 0 7,9", "close"}));
}

TEST_F(SdlBackend, MinimiseRestoreAndTheMessageBoxNeverBlock) {
    SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Recorder handler;
    auto w = p.ui.createWindow(handler, {"Varnook", 200, 100, true});
    w->show();
    w->minimize();
    EXPECT_TRUE(w->isMinimized());
    pushWindowEvent(idOf("Varnook"), SDL_WINDOWEVENT_MINIMIZED);  // the same news from the window manager
    pushWindowEvent(idOf("Varnook"), SDL_WINDOWEVENT_RESTORED);
    auto stop = p.ui.createTimer([&] { p.ui.quit(); });
    stop->setInterval(20);
    stop->setEnabled(true);
    p.ui.run();
    EXPECT_FALSE(w->isMinimized());
    EXPECT_EQ(handler.log, (std::vector<std::string>{"minimized", "restored"}));

    // The dummy driver has no message boxes: the text goes to standard error instead.
    testing::internal::CaptureStderr();
    p.ui.messageBox("Varnook", "Unable to save the game");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Varnook: Unable to save the game"), std::string::npos);

    const long long before = p.ui.nowMs();
    p.ui.sleep(30);
    EXPECT_GE(p.ui.nowMs() - before, 30);
}

// The colour of a pixel of an SDL window's surface, as r, g, b.
std::array<int, 3> shownAt(SDL_Window* window, int x, int y) {
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    if (screen == nullptr || SDL_LockSurface(screen) != 0) return {-1, -1, -1};
    Uint32 raw = 0;
    std::memcpy(&raw, static_cast<const Uint8*>(screen->pixels) + y * screen->pitch + x * 4, 4);
    SDL_UnlockSurface(screen);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, screen->format, &r, &g, &b);
    return {r, g, b};
}

TEST_F(SdlBackend, AZoomedWindowShowsEachPicturePixelAsABlockAndMapsPressesBack) {
    SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Recorder handler;
    p.ui.setZoom(3);
    auto window = p.ui.createWindow(handler, {"Varnook", 40, 30, true});
    auto picture = p.graphics.createSurface(40, 30);
    picture->fillRect({0, 0, 40, 30}, platform::Brush{platform::rgb(51, 68, 140)});
    picture->fillRect({10, 5, 11, 6}, platform::Brush{platform::rgb(250, 20, 120)});  // one pixel
    window->show();
    window->present(*picture);
    SDL_Window* sdlWindow = SDL_GetWindowFromID(idOf("Varnook"));
    ASSERT_NE(sdlWindow, nullptr);
    int w = 0, h = 0;
    SDL_GetWindowSize(sdlWindow, &w, &h);
    EXPECT_EQ(w, 120);
    EXPECT_EQ(h, 90);
    EXPECT_EQ(window->clientWidth(), 40);
    const std::array<int, 3> lit{250, 20, 120}, plain{51, 68, 140};
    for (int y = 15; y < 18; ++y)
        for (int x = 30; x < 33; ++x) EXPECT_EQ(shownAt(sdlWindow, x, y), lit) << x << "," << y;
    EXPECT_EQ(shownAt(sdlWindow, 29, 15), plain);
    EXPECT_EQ(shownAt(sdlWindow, 33, 17), plain);
    EXPECT_EQ(shownAt(sdlWindow, 31, 18), plain);

    // A new zoom resizes the open window and draws it again.
    p.ui.setZoom(2);
    SDL_GetWindowSize(sdlWindow, &w, &h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(shownAt(sdlWindow, 21, 11), lit);
    EXPECT_EQ(shownAt(sdlWindow, 22, 11), plain);

    const Uint32 id = idOf("Varnook");
    pushMouse(SDL_MOUSEBUTTONDOWN, id, SDL_BUTTON_LEFT, 21, 11);
    pushMouse(SDL_MOUSEBUTTONUP, id, SDL_BUTTON_LEFT, 79, 59);
    pushWindowEvent(id, SDL_WINDOWEVENT_CLOSE);
    p.ui.run();
    EXPECT_EQ(handler.log, (std::vector<std::string>{"down 1 0 10,5", "up 1", "close"}));
    EXPECT_GT(p.ui.desktopSize().width, 0) << "the dummy display has a size";
}

TEST_F(SdlBackend, KeysThatTypeNothingComeAsKeyDownsWithTheirModifiers) {
    SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Recorder handler;
    auto window = p.ui.createWindow(handler, {"Varnook", 40, 30, true});
    window->show();
    const Uint32 id = idOf("Varnook");
    for (const SDL_Keycode sym :
         {SDLK_UP, SDLK_DOWN, SDLK_TAB, SDLK_F11, SDLK_EQUALS, SDLK_KP_PLUS, SDLK_PLUS, SDLK_MINUS, SDLK_KP_MINUS,
          SDLK_F1, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_HOME, SDLK_END, SDLK_LEFT, SDLK_RIGHT, SDLK_INSERT, SDLK_s})
        pushKey(id, sym, KMOD_LCTRL);
    pushKey(id, SDLK_s, KMOD_LCTRL | KMOD_RALT);  // AltGr types; it is no shortcut
    pushWindowEvent(id, SDL_WINDOWEVENT_CLOSE);
    p.ui.run();
    const std::string ctrl = " " + std::to_string(platform::modifier::kCtrl);
    auto down = [&](platform::Key k) { return "keydown " + std::to_string(static_cast<int>(k)) + ctrl; };
    using platform::Key;
    EXPECT_EQ(handler.log, (std::vector<std::string>{
                               down(Key::Up), down(Key::Down), down(Key::Tab), down(Key::F11), down(Key::Plus),
                               down(Key::Plus), down(Key::Plus), down(Key::Minus), down(Key::Minus), down(Key::F1),
                               down(Key::PageUp), down(Key::PageDown), down(Key::Home), down(Key::End), down(Key::Left),
                               down(Key::Right), "shortcut 115" + ctrl, "close"}));
}

TEST_F(SdlBackend, TheWheelComesInNotchesAndAKeyHeldElsewhereDoesNotRepeatHere) {
    SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    Recorder game, dialog;
    auto gameWindow = p.ui.createWindow(game, {"Varnook", 40, 30, true});
    auto dialogWindow = p.ui.createWindow(dialog, {"Dialog", 40, 30, true});
    gameWindow->show();
    dialogWindow->show();
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = idOf("Varnook");
    wheel.wheel.y = -2;
    SDL_PushEvent(&wheel);
    wheel.wheel.y = 1;
    wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    SDL_PushEvent(&wheel);
    // Enter goes down in the game's window and is held as the dialog appears: its auto-repeats do
    // nothing there. Pressed in the dialog, it repeats there.
    pushKey(idOf("Varnook"), SDLK_RETURN);
    pushKey(idOf("Dialog"), SDLK_RETURN, KMOD_NONE, true);
    pushKey(idOf("Dialog"), SDLK_RETURN);
    pushKey(idOf("Dialog"), SDLK_RETURN, KMOD_NONE, true);
    pushWindowEvent(idOf("Dialog"), SDL_WINDOWEVENT_CLOSE);
    pushWindowEvent(idOf("Varnook"), SDL_WINDOWEVENT_CLOSE);
    p.ui.run();
    EXPECT_EQ(game.log, (std::vector<std::string>{"wheel -2", "wheel -1", "key 13", "close"}));
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"key 13", "key 13", "close"}));
}

// A short 8-bit mono wave file of silence.
void writeWave(const std::string& path, int samples) {
    auto u32 = [](std::ofstream& f, std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::ofstream& f, std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream f(path, std::ios::binary);
    f.write("RIFF", 4);
    u32(f, 36 + samples);
    f.write("WAVEfmt ", 8);
    u32(f, 16);
    u16(f, 1);
    u16(f, 1);
    u32(f, 22050);
    u32(f, 22050);
    u16(f, 1);
    u16(f, 8);
    f.write("data", 4);
    u32(f, samples);
    for (int i = 0; i < samples; ++i) f.put(static_cast<char>(128));
}

TEST_F(SdlBackend, SoundPlaysAsynchronouslyAndANewRequestCutsTheOldOne) {
    SdlPlatform p;
    if (!p.sound.ok()) GTEST_SKIP() << "no audio device, not even the dummy one";
    const std::string wave = VARNOOK_SNAPSHOT_DIR "/platform_sound_test.wav";
    writeWave(wave, 22050 * 2);  // two seconds
    p.sound.play(wave);
    EXPECT_EQ(Mix_Playing(0), 1);  // returned at once, still sounding
    p.sound.play(wave);            // again, from the cache
    EXPECT_EQ(Mix_Playing(0), 1);
    p.sound.play("/no/such/CLICK.wav");  // a missing file is silence and stops the old sound
    EXPECT_EQ(Mix_Playing(0), 0);
    p.sound.play(wave);
    p.sound.stop();
    EXPECT_EQ(Mix_Playing(0), 0);
    std::remove(wave.c_str());
}

}  // namespace
