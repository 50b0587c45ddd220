// The back ends' common window: its state and rules, the zoom mapping and the enlarged picture.
#include "platform/window_base.h"

#include <algorithm>
#include <cmath>

namespace platform::detail {

double ZoomView::toPictureX(double x) const { return std::floor((x - left) / zoom); }
double ZoomView::toPictureY(double y) const { return std::floor((y - top) / zoom); }

ZoomView fullScreenView(int w, int h, int areaW, int areaH) {
    ZoomView v;
    v.zoom = zoom::largestFitting(w, h, areaW, areaH);
    v.left = std::max(0, (areaW - w * v.zoom) / 2);
    v.top = std::max(0, (areaH - h * v.zoom) / 2);
    return v;
}

void drawZoomed(const PixelSurface& picture, const ZoomView& view, std::uint32_t* dst, int w, int h, std::size_t pitch,
                ChannelShifts shifts) {
    if (dst == nullptr || w <= 0 || h <= 0) return;
    const int z = std::max(view.zoom, 1);
    const auto pixels = picture.pixels();
    const auto convert = [&](Color c) {
        return (static_cast<std::uint32_t>(redOf(c)) << shifts.red) |
               (static_cast<std::uint32_t>(greenOf(c)) << shifts.green) |
               (static_cast<std::uint32_t>(blueOf(c)) << shifts.blue);
    };
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = dst + static_cast<std::size_t>(y) * pitch;
        const int rel = y - view.top;
        const int py = rel >= 0 ? rel / z : -1;
        if (py < 0 || py >= picture.height()) {
            std::fill(row, row + w, 0u);
            continue;
        }
        // Each picture row is written once; the rows below it in its block are copies.
        if (y > 0 && rel % z != 0) {
            std::copy(row - pitch, row - pitch + w, row);
            continue;
        }
        const Color* line = pixels.data() + static_cast<std::size_t>(py) * static_cast<std::size_t>(picture.width());
        int x = std::clamp(view.left, 0, w);
        std::fill(row, row + x, 0u);
        for (int px = (x - view.left) / z; px < picture.width() && x < w; ++px) {
            const std::uint32_t value = convert(line[px]);
            const int blockEnd = std::min(w, view.left + (px + 1) * z);
            for (; x < blockEnd; ++x) row[x] = value;
        }
        std::fill(row + x, row + w, 0u);
    }
}

WindowBase::WindowBase(WindowHandler& handler, const WindowOptions& options, int zoom)
    : handler_(handler),
      caption_(options.caption),
      width_(std::max(options.clientWidth, 1)),
      height_(std::max(options.clientHeight, 1)),
      zoom_(zoom::clamp(zoom)) {}

void WindowBase::setCaption(std::string_view caption) {
    caption_ = caption;
    applyCaption();
}

void WindowBase::setClientSize(int w, int h) {
    width_ = std::max(w, 1);
    height_ = std::max(h, 1);
    applySize(Resize::Picture);
}

void WindowBase::show() {
    if (!open_) return;
    visible_ = true;
    applyVisible();
}

void WindowBase::hide() {
    visible_ = false;
    applyVisible();
}

void WindowBase::minimize() {
    if (!open_ || minimized_) return;
    minimized_ = true;
    applyMinimized();
    handler_.onStateChange(true);
}

void WindowBase::restore() {
    if (!open_ || !minimized_) return;
    minimized_ = false;
    applyMinimized();
    handler_.onStateChange(false);
}

void WindowBase::noteMinimized(bool minimized) {
    if (minimized == minimized_) return;
    minimized_ = minimized;
    handler_.onStateChange(minimized);
}

void WindowBase::present(const Surface& surface) {
    picture_.assign(surface);
    applyPresent();
}

void WindowBase::close() {
    if (!open_ || closing_) return;
    closing_ = true;
    handler_.onClose();
    closing_ = false;
    open_ = false;
    visible_ = false;
    applyClose();
}

void WindowBase::setFullScreen(bool on) {
    if (on == fullScreen_ || !open_) return;
    fullScreen_ = on;
    applySize(Resize::FullScreen);
}

void WindowBase::setZoom(int zoom) {
    const int z = zoom::clamp(zoom);
    if (z == zoom_) return;
    zoom_ = z;
    if (open_) applySize(Resize::Zoom);
}

ZoomView WindowBase::view() const {
    if (!fullScreen_) return ZoomView{zoom_, 0, 0};
    const Size area = fullScreenArea();
    return fullScreenView(width_, height_, area.width, area.height);
}

void WindowBase::mouseDown(int button, int shift, double x, double y) {
    const ZoomView v = view();
    handler_.onMouseDown(button, shift, v.toPictureX(x), v.toPictureY(y));
}

void WindowBase::mouseMove(int buttons, int shift, double x, double y) {
    const ZoomView v = view();
    handler_.onMouseMove(buttons, shift, v.toPictureX(x), v.toPictureY(y));
}

void WindowBase::mouseUp(int button, int shift, double x, double y) {
    const ZoomView v = view();
    handler_.onMouseUp(button, shift, v.toPictureX(x), v.toPictureY(y));
}

void WindowBase::mouseWheel(int steps, int shift, double x, double y) {
    const ZoomView v = view();
    handler_.onMouseWheel(steps, shift, v.toPictureX(x), v.toPictureY(y));
}

bool WindowBase::keyReaches(unsigned code, bool repeat) {
    if (!repeat) {
        keysDown_.insert(code);
        return true;
    }
    return keysDown_.count(code) != 0;
}

}  // namespace platform::detail
