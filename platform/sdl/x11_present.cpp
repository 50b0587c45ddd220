// The RENDER presenter of the SDL back end on X11: the picture in a server-side pixmap, enlarged
// onto the window by a scaling transform with the nearest filter.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/pixel_surface.h"
#include "platform/window_base.h"
#include "x11_present.h"

namespace platform::detail {

namespace {

// Rows of the picture converted and sent at once.
constexpr int kBandRows = 32;

// The bit position of an 8-bit channel mask, or -1 for another kind of mask.
int shiftOf(unsigned long mask) {
    if (mask == 0) return -1;
    const int shift = std::countr_zero(mask);
    return (mask >> shift) == 0xFF ? shift : -1;
}

}  // namespace

struct X11Presenter::Parts {
    Display* display = nullptr;
    ::Window window = 0;
    Visual* visual = nullptr;
    int depth = 0;
    XRenderPictFormat* format = nullptr;
    Picture target = 0;  // the window
    Pixmap pixmap = 0;   // the picture at its own size
    Picture source = 0;
    GC gc = nullptr;
    int width = 0;
    int height = 0;
    int zoom = 0;  // the scale the source picture is set up for
    int red = 0, green = 0, blue = 0;
    std::vector<std::uint32_t> band;  // rows of the picture in the visual's layout, for XPutImage

    ~Parts() {
        dropPicture();
        if (gc != nullptr) XFreeGC(display, gc);
        if (target != 0) XRenderFreePicture(display, target);
        if (display != nullptr) XFlush(display);
    }

    void dropPicture() {
        if (source != 0) XRenderFreePicture(display, source);
        if (pixmap != 0) XFreePixmap(display, pixmap);
        source = 0;
        pixmap = 0;
        width = height = zoom = 0;
    }
};

std::unique_ptr<X11Presenter> X11Presenter::create(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    auto parts = std::make_unique<Parts>();
    parts->display = info.info.x11.display;
    parts->window = info.info.x11.window;
    int event = 0, error = 0;
    if (!XRenderQueryExtension(parts->display, &event, &error)) return nullptr;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(parts->display, parts->window, &attributes) == 0) return nullptr;
    parts->visual = attributes.visual;
    parts->depth = attributes.depth;
    parts->red = shiftOf(parts->visual->red_mask);
    parts->green = shiftOf(parts->visual->green_mask);
    parts->blue = shiftOf(parts->visual->blue_mask);
    if ((parts->depth != 24 && parts->depth != 32) || parts->red < 0 || parts->green < 0 || parts->blue < 0)
        return nullptr;
    parts->format = XRenderFindVisualFormat(parts->display, parts->visual);
    if (parts->format == nullptr) return nullptr;
    parts->target = XRenderCreatePicture(parts->display, parts->window, parts->format, 0, nullptr);
    parts->gc = XCreateGC(parts->display, parts->window, 0, nullptr);
    return std::unique_ptr<X11Presenter>(new X11Presenter(std::move(parts)));
}

bool x11WindowManagerRuns(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* display = info.info.x11.display;
    // A window manager of the freedesktop kind (EWMH) names its check window on the root window.
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0) return false;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &items, &after, &data);
    const bool found = status == Success && type == XA_WINDOW && items == 1;
    if (data != nullptr) XFree(data);
    return found;
}

X11Presenter::X11Presenter(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

X11Presenter::~X11Presenter() = default;

void X11Presenter::upload(const PixelSurface& picture) {
    Parts& p = *parts_;
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0) return;
    if (w != p.width || h != p.height) {
        p.dropPicture();
        p.pixmap = XCreatePixmap(p.display, p.window, static_cast<unsigned>(w), static_cast<unsigned>(h),
                                 static_cast<unsigned>(p.depth));
        p.source = XRenderCreatePicture(p.display, p.pixmap, p.format, 0, nullptr);
        XRenderSetPictureFilter(p.display, p.source, FilterNearest, nullptr, 0);
        p.width = w;
        p.height = h;
    }
    // Converted and sent a band of rows at a time: the program keeps no second copy of the picture.
    const auto colors = picture.pixels();
    const int bandRows = std::min(h, kBandRows);
    p.band.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(bandRows));
    for (int top = 0; top < h; top += bandRows) {
        const int rows = std::min(bandRows, h - top);
        const std::size_t first = static_cast<std::size_t>(top) * static_cast<std::size_t>(w);
        for (std::size_t i = 0; i < static_cast<std::size_t>(rows) * static_cast<std::size_t>(w); ++i) {
            const Color c = colors[first + i];
            p.band[i] = (static_cast<std::uint32_t>(redOf(c)) << p.red) |
                        (static_cast<std::uint32_t>(greenOf(c)) << p.green) |
                        (static_cast<std::uint32_t>(blueOf(c)) << p.blue);
        }
        XImage* image = XCreateImage(p.display, p.visual, static_cast<unsigned>(p.depth), ZPixmap, 0,
                                     reinterpret_cast<char*>(p.band.data()), static_cast<unsigned>(w),
                                     static_cast<unsigned>(rows), 32, w * 4);
        if (image == nullptr) return;
        // The words are in this machine's order; Xlib reorders them for a server of the other kind.
        image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
        if (image->bits_per_pixel == 32)
            XPutImage(p.display, p.pixmap, p.gc, image, 0, 0, 0, top, static_cast<unsigned>(w),
                      static_cast<unsigned>(rows));
        image->data = nullptr;  // the pixels are ours
        XDestroyImage(image);
    }
}

void X11Presenter::show(const ZoomView& view, int w, int h) {
    Parts& p = *parts_;
    const XRenderColor black{0, 0, 0, 0xFFFF};
    const int z = view.zoom < 1 ? 1 : view.zoom;
    const int shownW = p.width * z, shownH = p.height * z;
    if (p.source != 0 && z != p.zoom) {
        // The transform maps window pixels to picture pixels: 1 / zoom in each direction.
        XTransform scale{};
        scale.matrix[0][0] = XDoubleToFixed(1.0 / z);
        scale.matrix[1][1] = XDoubleToFixed(1.0 / z);
        scale.matrix[2][2] = XDoubleToFixed(1.0);
        XRenderSetPictureTransform(p.display, p.source, &scale);
        p.zoom = z;
    }
    if (p.source != 0)
        XRenderComposite(p.display, PictOpSrc, p.source, 0, p.target, 0, 0, 0, 0, view.left, view.top,
                         static_cast<unsigned>(shownW), static_cast<unsigned>(shownH));
    // Black wherever the picture is not.
    const int right = view.left + shownW, bottom = view.top + shownH;
    const XRectangle bands[] = {
        {0, 0, static_cast<unsigned short>(std::max(w, 0)), static_cast<unsigned short>(std::max(view.top, 0))},
        {0, static_cast<short>(bottom), static_cast<unsigned short>(std::max(w, 0)),
         static_cast<unsigned short>(std::max(h - bottom, 0))},
        {0, static_cast<short>(view.top), static_cast<unsigned short>(std::max(view.left, 0)),
         static_cast<unsigned short>(std::max(shownH, 0))},
        {static_cast<short>(right), static_cast<short>(view.top), static_cast<unsigned short>(std::max(w - right, 0)),
         static_cast<unsigned short>(std::max(shownH, 0))},
    };
    for (const XRectangle& band : bands)
        if (band.width > 0 && band.height > 0)
            XRenderFillRectangle(p.display, PictOpSrc, p.target, &black, band.x, band.y, band.width, band.height);
    XFlush(p.display);
}

}  // namespace platform::detail
