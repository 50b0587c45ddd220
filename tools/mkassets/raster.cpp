// Colour helpers, the RGB image and the signed-distance shapes of the asset raster.
#include "raster.h"

namespace varnook::assets {

Color lighten(Color c, double k) {
    if (k >= 0) return mix(c, Color{255, 255, 255}, k);
    return c * (1 + k);
}

Rgb toRgb(Color c) {
    auto channel = [](double v) { return std::uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

double sdRoundRect(Vec2 p, Vec2 min, Vec2 max, double radius) {
    const Vec2 centre = (min + max) * 0.5;
    const Vec2 half = (max - min) * 0.5;
    const double qx = std::abs(p.x - centre.x) - (half.x - radius);
    const double qy = std::abs(p.y - centre.y) - (half.y - radius);
    const double outside = length(Vec2{std::max(qx, 0.0), std::max(qy, 0.0)});
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double sdCircle(Vec2 p, Vec2 centre, double radius) { return length(p - centre) - radius; }

double sdPolygon(Vec2 p, std::span<const Vec2> v) {
    const std::size_t n = v.size();
    double d2 = dot(p - v[0], p - v[0]);
    double sign = 1;
    for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const Vec2 e = v[j] - v[i];
        const Vec2 w = p - v[i];
        const Vec2 b = w - e * clamp01(dot(w, e) / dot(e, e));
        d2 = std::min(d2, dot(b, b));
        // Crossing test of the even-odd rule along a horizontal ray.
        const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
    }
    return sign * std::sqrt(d2);
}

}  // namespace varnook::assets
