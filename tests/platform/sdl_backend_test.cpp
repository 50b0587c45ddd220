// The SDL back end on SDL's dummy video and audio drivers: the back-end suite with input pushed as
// SDL events; and what only it has: window surfaces without a renderer, the window manager's news,
// sound on one channel.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "backend_conformance.h"
#include "platform/codepage.h"
#include "platform/sdl.h"

namespace conformance {
namespace {

using platform::Window;

// No real display or sound card is touched, even when the tests are run by hand, unless a driver
// is chosen explicitly (SDL_VIDEODRIVER=x11 under xvfb-run, for instance).
void useDummyDrivers() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

// The SDL window with this caption.
SDL_Window* sdlWindow(const Window& w) {
    const std::string caption = platform::codepage::toUtf8(w.caption());
    for (Uint32 id = 1; id < 1000; ++id)
        if (SDL_Window* s = SDL_GetWindowFromID(id); s != nullptr && caption == SDL_GetWindowTitle(s)) return s;
    return nullptr;
}

Uint32 idOf(const Window& w) { return SDL_GetWindowID(sdlWindow(w)); }

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

void pushWindowEvent(Uint32 window, Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = what;
    SDL_PushEvent(&e);
}

class SdlDriver final : public Driver {
public:
    SdlDriver() {
        if (!p_.ui.ok()) ADD_FAILURE() << p_.ui.error();
    }
    platform::Ui& ui() override { return p_.ui; }

    void mouse(Window& w, Mouse what, int buttons, int x, int y) override {
        SDL_Event e{};
        if (what == Mouse::Drag) {
            e.type = SDL_MOUSEMOTION;
            e.motion.windowID = idOf(w);
            e.motion.state = ((buttons & platform::mouse::kLeft) ? SDL_BUTTON_LMASK : 0) |
                             ((buttons & platform::mouse::kRight) ? SDL_BUTTON_RMASK : 0) |
                             ((buttons & platform::mouse::kMiddle) ? SDL_BUTTON_MMASK : 0);
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.type = what == Mouse::Press ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            e.button.windowID = idOf(w);
            e.button.button = buttons == platform::mouse::kRight    ? SDL_BUTTON_RIGHT
                              : buttons == platform::mouse::kMiddle ? SDL_BUTTON_MIDDLE
                                                                    : SDL_BUTTON_LEFT;
            e.button.x = x;
            e.button.y = y;
        }
        SDL_PushEvent(&e);
    }
    // Turns away from the player come from a wheel set the other way round (flipped), as a
    // touchpad with natural scrolling sends them.
    void wheel(Window& w, int notches) override {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.windowID = idOf(w);
        e.wheel.y = notches > 0 ? -notches : notches;
        e.wheel.direction = notches > 0 ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
        SDL_PushEvent(&e);
    }
    // Enter, Backspace and Esc are key events; other characters text input, after the key event of
    // a letter's key as a keyboard sends it.
    void type(Window& w, char32_t ch, bool repeat) override {
        const SDL_Keycode special = ch == platform::key::kEnter       ? SDLK_RETURN
                                    : ch == platform::key::kBackspace ? SDLK_BACKSPACE
                                    : ch == platform::key::kEscape    ? SDLK_ESCAPE
                                                                      : SDLK_UNKNOWN;
        if (special != SDLK_UNKNOWN) return pushKey(idOf(w), special, KMOD_NONE, repeat);
        if (ch >= 'a' && ch <= 'z') pushKey(idOf(w), static_cast<SDL_Keycode>(ch));
        if (ch >= 'A' && ch <= 'Z') pushKey(idOf(w), static_cast<SDL_Keycode>(ch - 'A' + 'a'), KMOD_LSHIFT);
        std::string utf8;
        platform::codepage::appendUtf8(utf8, ch);
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = idOf(w);
        SDL_strlcpy(e.text.text, utf8.c_str(), sizeof e.text.text);
        SDL_PushEvent(&e);
    }
    void keyDown(Window& w, KeyCap cap, int shift) override {
        static constexpr SDL_Keycode syms[] = {SDLK_UP,      SDLK_DOWN,     SDLK_TAB,      SDLK_F1,   SDLK_F11,
                                               SDLK_PAGEUP,  SDLK_PAGEDOWN, SDLK_HOME,     SDLK_END,  SDLK_EQUALS,
                                               SDLK_KP_PLUS, SDLK_MINUS,    SDLK_KP_MINUS, SDLK_PLUS, SDLK_s, SDLK_LEFT, SDLK_RIGHT};
        const int mods = ((shift & platform::modifier::kShift) ? KMOD_LSHIFT : 0) |
                         ((shift & platform::modifier::kCtrl) ? KMOD_LCTRL : 0) |
                         ((shift & platform::modifier::kAlt) ? KMOD_LALT : 0);
        pushKey(idOf(w), syms[static_cast<int>(cap)], static_cast<Uint16>(mods));
    }
    void closeBox(Window& w) override { pushWindowEvent(idOf(w), SDL_WINDOWEVENT_CLOSE); }

    void advance(int ms) override { runFor(ui(), ms); }
    platform::Color shownAt(Window& w, int x, int y) override {
        SDL_Surface* screen = SDL_GetWindowSurface(sdlWindow(w));
        if (screen == nullptr || screen->format->BytesPerPixel != 4 || SDL_LockSurface(screen) != 0) return 0xFFFFFFFF;
        Uint32 raw = 0;
        std::memcpy(&raw, static_cast<const Uint8*>(screen->pixels) + y * screen->pitch + x * 4, 4);
        SDL_UnlockSurface(screen);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(raw, screen->format, &r, &g, &b);
        return platform::rgb(r, g, b);
    }
    platform::Size screenSize(Window& w) override {
        platform::Size size;
        SDL_GetWindowSize(sdlWindow(w), &size.width, &size.height);
        return size;
    }
    // The dummy driver has no message boxes: the text goes to standard error instead.
    std::string messageBox(std::string_view caption, std::string_view text) override {
        testing::internal::CaptureStderr();
        p_.ui.messageBox(caption, text);
        std::string said = testing::internal::GetCapturedStderr();
        if (!said.empty() && said.back() == '\n') said.pop_back();
        return said;
    }

private:
    platform::SdlPlatform p_;
};

VARNOOK_BACKEND_CONFORMANCE(Sdl, [] {
    useDummyDrivers();
    return std::make_unique<SdlDriver>();
});

// ---- What only the SDL back end has ------------------------------------------------------------

TEST(SdlBackend, PicturesGoToTheWindowSurfaceAndTheWindowManagersNewsIsNotDoubled) {
    useDummyDrivers();
    platform::SdlPlatform p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();
    EXPECT_GT(p.ui.desktopSize().width, 0) << "the dummy display has a size";
    Recorder handler;
    auto w = p.ui.createWindow(handler, {"Varnook", 200, 100, true});
    w->show();
    w->present(platform::PixelSurface(200, 100));
    // The picture is copied onto the window's own surface: no renderer (and so no GL) is made for it.
    EXPECT_EQ(SDL_GetRenderer(sdlWindow(*w)), nullptr);
    w->minimize();
    pushWindowEvent(idOf(*w), SDL_WINDOWEVENT_MINIMIZED);  // the same news from the window manager
    pushWindowEvent(idOf(*w), SDL_WINDOWEVENT_RESTORED);
    auto stop = p.ui.createTimer([&] { p.ui.quit(); });
    stop->setInterval(20);
    stop->setEnabled(true);
    p.ui.run();
    EXPECT_TRUE(w->isOpen()) << "quit ends the loop with the window open";
    EXPECT_FALSE(w->isMinimized());
    EXPECT_EQ(handler.log, (std::vector<std::string>{"minimized", "restored"}));
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

TEST(SdlBackend, SoundPlaysAsynchronouslyAndANewRequestCutsTheOldOne) {
    useDummyDrivers();
    platform::SdlPlatform p;
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
}  // namespace conformance
