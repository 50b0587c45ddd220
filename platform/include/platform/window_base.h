// What every back end's window has in common: caption and picture size, the zoom and full-screen
// state with the mapping of input from screen pixels to picture pixels, the open, visible and
// minimised state with the rule for closing, and the enlarged picture written pixel for pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "platform/pixel_surface.h"
#include "platform/window.h"

namespace platform::detail {

// Where a window's picture lies in its client area: the whole zoom and the picture's top-left
// corner, in screen pixels.
struct ZoomView {
    int zoom = 1;
    int left = 0;
    int top = 0;

    // The picture pixel under a screen position, as a whole number: every screen pixel of one
    // picture pixel gives the same position, so hit tests decide as they do at zoom 1.
    double toPictureX(double x) const;
    double toPictureY(double y) const;
    friend constexpr bool operator==(const ZoomView&, const ZoomView&) = default;
};

// A w x h picture in full screen on an area of areaW x areaH: the largest zoom that fits, centred.
ZoomView fullScreenView(int w, int h, int areaW, int areaH);

// Bit positions of the 8-bit channels in a destination's 32-bit pixels. The defaults are Color's
// own layout (0x00BBGGRR).
struct ChannelShifts {
    int red = 0;
    int green = 8;
    int blue = 16;
};

// Writes the picture as the view shows it into a 32-bit destination of w x h pixels with pitch
// pixels per row: each picture pixel a block of zoom x zoom pixels, black (0) around it.
void drawZoomed(const PixelSurface& picture, const ZoomView& view, std::uint32_t* dst, int w, int h, std::size_t pitch,
                ChannelShifts shifts = {});

// The state a back end's window keeps, and the rules every back end follows. The back end supplies
// the system window through the apply hooks, which run after the common state has changed, and
// hands input in with the mouse calls, in screen pixels of the client area.
class WindowBase : public Window {
public:
    WindowBase(WindowHandler& handler, const WindowOptions& options, int zoom);

    void setCaption(std::string_view caption) final;
    std::string caption() const final { return caption_; }
    void setClientSize(int w, int h) final;
    int clientWidth() const final { return width_; }
    int clientHeight() const final { return height_; }
    void show() final;
    void hide() final;
    bool isVisible() const final { return visible_; }
    void minimize() final;
    void restore() final;
    bool isMinimized() const final { return minimized_; }
    void present(const Surface& surface) final;
    // onClose sees the window still open; the window must not be destroyed from inside it.
    void close() final;
    bool isOpen() const final { return open_; }
    void setFullScreen(bool on) final;
    bool isFullScreen() const final { return fullScreen_; }

    // The Ui's zoom changed: a window not in full screen takes the new size.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // The client area's size on screen when not in full screen.
    int scaledWidth() const { return width_ * zoom_; }
    int scaledHeight() const { return height_ * zoom_; }
    // Where the picture lies now: at the corner at the window's zoom, or centred in full screen.
    ZoomView view() const;
    // The last presented picture (0 x 0 before the first present()).
    const PixelSurface& picture() const { return picture_; }
    WindowHandler& handler() { return handler_; }

    // Input from the system, in screen pixels of the client area; the handler hears picture pixels.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int buttons, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void mouseWheel(int steps, int shift, double x, double y);
    // Whether a key's press reaches this window: its first press always does, its auto-repeats only
    // when the first went down in this window, so a key held as a dialog opens does not act there.
    // code names the physical key, the same for its press and its character.
    bool keyReaches(unsigned code, bool repeat);
    // The system minimised or restored the window; the handler hears of real changes only.
    void noteMinimized(bool minimized);

protected:
    // Why applySize runs.
    enum class Resize { Picture, Zoom, FullScreen };

    virtual void applyCaption() {}
    // The picture size, the zoom or full screen changed.
    virtual void applySize(Resize /*why*/) {}
    virtual void applyVisible() {}
    // minimize() or restore() was asked for (the state is already changed, the handler not yet told).
    virtual void applyMinimized() {}
    virtual void applyPresent() {}
    // After onClose: the system window goes.
    virtual void applyClose() {}
    // The client area in full screen, in screen pixels.
    virtual Size fullScreenArea() const = 0;

private:
    WindowHandler& handler_;
    std::string caption_;
    int width_;
    int height_;
    int zoom_;
    bool visible_ = false;
    bool minimized_ = false;
    bool open_ = true;
    bool closing_ = false;
    bool fullScreen_ = false;
    PixelSurface picture_;
    std::set<unsigned> keysDown_;  // keys whose first press came to this window
};

}  // namespace platform::detail
