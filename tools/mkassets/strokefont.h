// A tiny stroke font for the artwork: each glyph is a set of polylines in font units (x-height 1,
// capitals and ascenders 1.4, y up from the baseline), drawn as round-capped strokes of one width.
#pragma once

#include <string_view>
#include <vector>

#include "raster.h"

namespace varnook::assets {

struct Segment {
    Vec2 a, b;
};

// Width in font units of a text set with `tracking` units between the glyphs' skeletons.
double textAdvance(std::string_view text, double tracking);

// The stroke skeleton of a text placed on a surface: baseline starting at `origin` (pixels, y down),
// `unit` pixels per font unit, strokes `strokeWidth` pixels wide. Glyphs the font lacks are blank.
class StrokeText {
public:
    StrokeText(std::string_view text, Vec2 origin, double unit, double strokeWidth, double tracking);
    // Signed distance from p to the edge of the inked strokes (negative inside the ink). Exact up to
    // kExactRange pixels outside the ink; beyond that only a lower bound.
    double distance(Vec2 p) const;
    static constexpr double kExactRange = 4;

private:
    // Each glyph's segments with its bounding box, so that distant glyphs are skipped quickly.
    struct PlacedGlyph {
        std::vector<Segment> segments;
        Vec2 boxMin{1e9, 1e9}, boxMax{-1e9, -1e9};
    };
    std::vector<PlacedGlyph> glyphs_;
    double halfStroke_;
};

}  // namespace varnook::assets
