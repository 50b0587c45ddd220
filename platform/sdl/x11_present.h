// Showing a window's picture on an X display through the server's RENDER extension (x11_present.cpp):
// the picture goes to the server at its own size and the server enlarges it, so that the program
// holds no enlarged copy (the window surface SDL would otherwise fill takes 13 MB at 3x, 33 MB for a
// full 3840 x 2160 screen).
#pragma once

#include <memory>

struct SDL_Window;

namespace platform {
class PixelSurface;
}

namespace platform::detail {

struct ZoomView;

class X11Presenter {
public:
    // A presenter for an SDL window on X11 whose server has RENDER and whose visual is 24- or
    // 32-bit true colour; nullptr otherwise (the window surface is used then).
    static std::unique_ptr<X11Presenter> create(SDL_Window* window);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // Sends a new picture to the server, which keeps it for every show() until the next one.
    void upload(const PixelSurface& picture);
    // Draws the kept picture as the view places it on a client area of w x h pixels, each pixel a
    // block of zoom x zoom (nearest neighbour), black around it.
    void show(const ZoomView& view, int w, int h);

    struct Parts;

private:
    explicit X11Presenter(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

// True when a window manager runs on the X display of this SDL window (one that acts on a request
// for full screen); false without one, or for a window not on X.
bool x11WindowManagerRuns(SDL_Window* window);

}  // namespace platform::detail
