// Glyph skeletons of the stroke font (the few letters the artwork spells) and their placement.
#include "strokefont.h"

#include <numbers>

namespace varnook::assets {
namespace {

using Polyline = std::vector<Vec2>;

struct Glyph {
    double advance = 0;  // skeleton width in font units
    std::vector<Polyline> strokes;
};

constexpr double kCap = 1.4;

// Points along an elliptic arc from angle a0 to a1 (degrees, counter-clockwise, y up).
Polyline arc(Vec2 c, double rx, double ry, double a0, double a1, int steps = 28) {
    Polyline out;
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * std::numbers::pi / 180;
        out.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
    }
    return out;
}

Polyline join(Polyline a, const Polyline& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Glyph glyph(char ch) {
    switch (ch) {
        case 'V': return {1.1, {{{0, kCap}, {0.55, 0}, {1.1, kCap}}}};
        case 'a': return {1.0, {arc({0.5, 0.5}, 0.5, 0.5, 0, 360, 40), {{1.0, 1.0}, {1.0, 0}}}};
        case 'r': return {0.72, {{{0, 0}, {0, 1.0}}, arc({0.52, 0.48}, 0.52, 0.52, 180, 72)}};
        case 'n': return {1.0, {{{0, 0}, {0, 1.0}}, join(arc({0.5, 0.5}, 0.5, 0.5, 180, 0), {{1.0, 0}})}};
        case 'o': return {1.0, {arc({0.5, 0.5}, 0.5, 0.5, 0, 360, 40)}};
        case 'k': return {0.82, {{{0, 0}, {0, kCap}}, {{0.78, 1.0}, {0.02, 0.34}}, {{0.3, 0.58}, {0.84, 0}}}};
        case 'W': return {1.5, {{{0, kCap}, {0.36, 0}, {0.75, kCap}, {1.14, 0}, {1.5, kCap}}}};
        case 'O': return {1.3, {arc({0.65, 0.7}, 0.65, 0.7, 0, 360, 40)}};
        case 'R':
            return {0.95,
                    {join(join({{0, 0}, {0, kCap}, {0.5, kCap}}, arc({0.5, 1.03}, 0.37, 0.37, 90, -90)), {{0, 0.66}}),
                     {{0.45, 0.66}, {0.95, 0}}}};
        case 'D':
            return {1.1, {join(join({{0, 0}, {0, kCap}, {0.4, kCap}}, arc({0.4, 0.7}, 0.7, 0.7, 90, -90)), {{0, 0}})}};
        case 'S': return {0.9, {join(arc({0.45, 1.04}, 0.43, 0.36, 25, 270), arc({0.45, 0.36}, 0.45, 0.36, 90, -150))}};
        default: return {0.6, {}};
    }
}

}  // namespace

double textAdvance(std::string_view text, double tracking) {
    double w = 0;
    for (char ch : text) w += glyph(ch).advance + tracking;
    return text.empty() ? 0 : w - tracking;
}

StrokeText::StrokeText(std::string_view text, Vec2 origin, double unit, double strokeWidth, double tracking)
    : halfStroke_(strokeWidth / 2) {
    double pen = 0;
    for (char ch : text) {
        const Glyph g = glyph(ch);
        PlacedGlyph placed;
        auto place = [&](Vec2 q) { return Vec2{origin.x + (pen + q.x) * unit, origin.y - q.y * unit}; };
        for (const Polyline& line : g.strokes) {
            for (std::size_t i = 0; i + 1 < line.size(); ++i) {
                const Segment s{place(line[i]), place(line[i + 1])};
                placed.segments.push_back(s);
                for (Vec2 q : {s.a, s.b}) {
                    placed.boxMin = {std::min(placed.boxMin.x, q.x), std::min(placed.boxMin.y, q.y)};
                    placed.boxMax = {std::max(placed.boxMax.x, q.x), std::max(placed.boxMax.y, q.y)};
                }
            }
        }
        if (!placed.segments.empty()) glyphs_.push_back(std::move(placed));
        pen += g.advance + tracking;
    }
}

double StrokeText::distance(Vec2 p) const {
    double best = kExactRange + halfStroke_;
    for (const PlacedGlyph& g : glyphs_) {
        // The distance to a glyph's box bounds the distance to its strokes from below.
        const double dx = std::max({g.boxMin.x - p.x, 0.0, p.x - g.boxMax.x});
        const double dy = std::max({g.boxMin.y - p.y, 0.0, p.y - g.boxMax.y});
        if (dx >= best || dy >= best || length(Vec2{dx, dy}) >= best) continue;
        for (const Segment& s : g.segments) best = std::min(best, sdSegment(p, s.a, s.b));
    }
    return best - halfStroke_;
}

}  // namespace varnook::assets
