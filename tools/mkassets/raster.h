// Small software raster for the asset maker: an RGB image, colour arithmetic, signed-distance shapes
// and supersampled rendering, so every edge of the artwork is anti-aliased the same way.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace varnook::assets {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour with channels on the 0..255 scale, kept in doubles while shading.
struct Color {
    double r = 0, g = 0, b = 0;
};

constexpr Color color(Rgb c) { return {double(c.r), double(c.g), double(c.b)}; }
constexpr Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
constexpr Color operator*(Color a, double k) { return {a.r * k, a.g * k, a.b * k}; }
// Linear blend: t = 0 gives a, t = 1 gives b.
constexpr Color mix(Color a, Color b, double t) { return a * (1 - t) + b * t; }
// Moves every channel towards white (k > 0) or black (k < 0) by |k| of the way.
Color lighten(Color c, double k);

Rgb toRgb(Color c);

class Image {
public:
    Image(int width, int height, Rgb fill = {});
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    Rgb at(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    std::span<const Rgb> pixels() const { return pixels_; }
    friend bool operator==(const Image&, const Image&) = default;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

struct Vec2 {
    double x = 0, y = 0;
};
constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
constexpr Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }
constexpr double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double length(Vec2 a) { return std::sqrt(dot(a, a)); }

constexpr double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
// Hermite step from 0 at e0 to 1 at e1 (e0 may exceed e1 for a falling step).
constexpr double smoothstep(double e0, double e1, double v) {
    const double t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// Signed distances: negative inside the shape, positive outside, in pixels.
double sdRoundRect(Vec2 p, Vec2 min, Vec2 max, double radius);
double sdCircle(Vec2 p, Vec2 centre, double radius);
// Unsigned distance to the segment ab.
inline double sdSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 pa = p - a, ba = b - a;
    const double len2 = dot(ba, ba);
    const double h = len2 > 0 ? clamp01(dot(pa, ba) / len2) : 0;
    return length(pa - ba * h);
}
double sdPolygon(Vec2 p, std::span<const Vec2> vertices);

// Outward unit normal of a distance field at p, by central differences.
template <class Field>
Vec2 fieldNormal(Field&& field, Vec2 p) {
    constexpr double h = 0.25;
    const Vec2 n{field(Vec2{p.x + h, p.y}) - field(Vec2{p.x - h, p.y}),
                 field(Vec2{p.x, p.y + h}) - field(Vec2{p.x, p.y - h})};
    const double len = length(n);
    return len > 1e-9 ? n * (1 / len) : Vec2{0, 0};
}

// Samples per pixel edge; each pixel is the mean of kSuper x kSuper shader samples.
inline constexpr int kSuper = 4;

// Renders shader(p) over a w x h block whose top-left pixel lands at (left, top) of the image;
// p is in block coordinates, pixel (i, j) covering [i, i+1) x [j, j+1).
template <class Shader>
void render(Image& image, int left, int top, int w, int h, Shader&& shader) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            Color sum;
            for (int sy = 0; sy < kSuper; ++sy) {
                for (int sx = 0; sx < kSuper; ++sx) {
                    const Vec2 p{i + (sx + 0.5) / kSuper, j + (sy + 0.5) / kSuper};
                    sum = sum + shader(p);
                }
            }
            image.at(left + i, top + j) = toRgb(sum * (1.0 / (kSuper * kSuper)));
        }
    }
}

}  // namespace varnook::assets
