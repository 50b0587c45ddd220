// Windows at a zoom, in the mapping every back end shares and on the headless back end: positions
// between screen pixels. The rest is the back-end suite's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/window_base.h"

namespace {

using platform::Color;
using platform::HeadlessPlatform;
using platform::HeadlessWindow;
using platform::rgb;
using platform::detail::drawZoomed;
using platform::detail::fullScreenView;
using platform::detail::ZoomView;

struct Positions : platform::WindowHandler {
    std::vector<std::string> log;
    static std::string at(double x, double y) { return std::to_string(x) + "," + std::to_string(y); }
    void onMouseDown(int, int, double x, double y) override { log.push_back("down " + at(x, y)); }
    void onMouseMove(int, int, double x, double y) override { log.push_back("move " + at(x, y)); }
    void onMouseUp(int, int, double x, double y) override { log.push_back("up " + at(x, y)); }
};

// A 4 x 3 picture whose every pixel has its own colour.
platform::PixelSurface numbered() {
    platform::PixelSurface s(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) s.setPixel(x, y, rgb(10 * x + 1, 20 * y + 2, 100));
    return s;
}

struct ZoomedWindow {
    HeadlessPlatform p;
    Positions handler;
    std::unique_ptr<platform::Window> window;
    explicit ZoomedWindow(int zoom) {
        p.ui.setZoom(zoom);
        window = p.ui.createWindow(handler, platform::WindowOptions{"Zoomed", 4, 3, true});
        window->show();
        window->present(numbered());
    }
    HeadlessWindow& hw() { return static_cast<HeadlessWindow&>(*window); }
};

TEST(Zoom, TheLargestZoomThatFitsIsBetweenOneAndFour) {
    using platform::zoom::largestFitting;
    EXPECT_EQ(largestFitting(704, 528, 3840, 2160), 4);
    EXPECT_EQ(largestFitting(704, 528, 3840, 2160 * 85 / 100), 3);
    EXPECT_EQ(largestFitting(704, 528, 1920, 1080), 2);
    EXPECT_EQ(largestFitting(704, 528, 1920, 1055), 1);
    EXPECT_EQ(largestFitting(704, 528, 640, 480), 1) << "nothing fits: still 1";
    EXPECT_EQ(largestFitting(704, 528, 0, 0), 1) << "an unknown desktop";
    EXPECT_EQ(largestFitting(10, 10, 100000, 100000), 4);
    EXPECT_EQ(platform::zoom::clamp(0), 1);
    EXPECT_EQ(platform::zoom::clamp(9), 4);
}

TEST(Zoom, EveryScreenPixelOfAPicturePixelGivesThatPixelsPosition) {
    ZoomedWindow w(3);
    // Picture pixel (2, 1) covers screen pixels 6..8 x 3..5.
    w.p.ui.mouseDown(*w.window, 1, 6, 3);
    w.p.ui.mouseMove(*w.window, 1, 8.9, 5.9);
    w.p.ui.mouseUp(*w.window, 1, 9, 6);
    EXPECT_EQ(w.handler.log, (std::vector<std::string>{"down " + Positions::at(2, 1), "move " + Positions::at(2, 1),
                                                       "up " + Positions::at(3, 2)}));
}

TEST(ZoomMapping, DrawingHonoursTheChannelLayoutThePitchAndAViewLargerThanTheDestination) {
    const platform::PixelSurface picture = numbered();
    // An 0x00RRGGBB destination with two spare pixels per row.
    std::vector<std::uint32_t> dst(10 * 6, 0xDEADBEEF);
    drawZoomed(picture, ZoomView{2, 1, 0}, dst.data(), 8, 6, 10, {16, 8, 0});
    const auto rgbAt = [&](int x, int y) { return dst[static_cast<std::size_t>(y * 10 + x)]; };
    const auto asRgb = [](Color c) {
        return (static_cast<std::uint32_t>(platform::redOf(c)) << 16) |
               (static_cast<std::uint32_t>(platform::greenOf(c)) << 8) |
               static_cast<std::uint32_t>(platform::blueOf(c));
    };
    EXPECT_EQ(rgbAt(0, 0), 0u) << "left of the picture";
    EXPECT_EQ(rgbAt(1, 0), asRgb(picture.pixel(0, 0)));
    EXPECT_EQ(rgbAt(2, 1), asRgb(picture.pixel(0, 0)));
    EXPECT_EQ(rgbAt(3, 1), asRgb(picture.pixel(1, 0)));
    EXPECT_EQ(rgbAt(7, 5), asRgb(picture.pixel(3, 2))) << "the last column is cut at the destination's edge";
    EXPECT_EQ(rgbAt(8, 0), 0xDEADBEEFu) << "beyond the width nothing is written";

    EXPECT_EQ(fullScreenView(704, 528, 3840, 2160), (ZoomView{4, (3840 - 2816) / 2, (2160 - 2112) / 2}));
    EXPECT_EQ(fullScreenView(704, 528, 1920, 1080), (ZoomView{2, 256, 12}));
    EXPECT_EQ(fullScreenView(704, 528, 600, 400), (ZoomView{1, 0, 0})) << "too small: at the corner";
}

}  // namespace
