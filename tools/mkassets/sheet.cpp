// Painters of the sprite sheet: letter tiles with their mask, dialog texture, progress bar, title
// picture, sound icons and the word-list arrow bars. All art is computed, nothing is loaded.
#include "sheet.h"

#include <numbers>

#include "strokefont.h"

namespace varnook::assets {
namespace {

using namespace sheet;

constexpr Color kWhite{255, 255, 255};
constexpr Color kBlack{0, 0, 0};
// Light comes from the upper left (y grows downwards).
constexpr Vec2 kLight{-0.5430, -0.8397};

double lightFacing(Vec2 outwardNormal) { return dot(outwardNormal, kLight); }

// ---- Letter tiles -------------------------------------------------------------------------------

struct TileStyle {
    Color top, bottom;  // face gradient
    Color outline;      // thin dark edge
    Color rim;          // light line just inside the edge, on the lit side
    Color glow;         // inner glow along the edge
    double glowStrength;
    double bevel;  // strength of the bevel's light and shade
};

// Deep glossy teal: the yellow letters read well on it and it stands out from the play blue.
constexpr TileStyle kPlainStyle{{36, 112, 142}, {12, 52, 86}, {6, 22, 40}, {170, 225, 240}, {60, 160, 190}, 0.15, 0.42};
// Linked: warm ember red with an amber glow, clearly apart from the plain tile.
constexpr TileStyle kLinkedStyle{{188, 62, 20},  {116, 24, 12}, {50, 12, 4}, {255, 230, 150},
                                 {255, 178, 40}, 0.62,          0.36};

double tileShape(Vec2 p, double size) { return sdRoundRect(p, {0.5, 0.5}, {size - 0.5, size - 0.5}, size * 0.2); }

// Colour of the tile face at p (inside the shape) for a tile `size` pixels square.
Color tileFace(Vec2 p, double size, const TileStyle& s) {
    auto shape = [size](Vec2 q) { return tileShape(q, size); };
    const double depth = -shape(p);
    const Vec2 n = fieldNormal(shape, p);
    const double lit = lightFacing(n);

    Color c = mix(s.top, s.bottom, smoothstep(0, size, p.y));
    // A faint dome: the middle of the face bulges towards the light.
    const Vec2 centre{size * 0.42, size * 0.40};
    const double dome = clamp01(1 - dot(p - centre, p - centre) / (size * size * 0.36));
    c = lighten(c, 0.10 * dome);
    // Inner glow along the edge.
    c = mix(c, s.glow, s.glowStrength * std::exp(-depth / (size * 0.11)));
    // Bevel: the rim facing the light is brighter, the far rim darker.
    const double bevelBand = 1 - smoothstep(0, size * 0.10, depth);
    c = lighten(c, s.bevel * lit * bevelBand);
    // Gloss: a soft ellipse of light across the upper part of the face.
    const Vec2 g = p - Vec2{size * 0.5, size * 0.2};
    const double e = length(Vec2{g.x / (size * 0.36), g.y / (size * 0.15)});
    c = mix(c, kWhite, 0.20 * (1 - smoothstep(0.2, 1.0, e)));
    // Thin bright rim line on the lit side, then the dark outline at the very edge.
    const double rimLine = std::exp(-(depth - 1.6) * (depth - 1.6) / 0.30);
    c = mix(c, s.rim, 0.75 * rimLine * clamp01(0.25 + lit));
    c = mix(c, s.outline, 0.85 * (1 - smoothstep(0.5, 1.3, depth)));
    return c;
}

// Minimum number of the kSuper^2 samples that must fall inside the shape for a pixel to belong to the
// silhouette; pixels with less coverage stay fully transparent.
constexpr int kMinSamplesInside = 2;

// Tile picture and its mask. Edge pixels are the face blended with the play blue by their coverage,
// so the tile's outline is smooth on the board while the mask stays hard-edged.
void paintTile(Image& img, const SheetRegion& picture, const TileStyle& style, bool writeMask) {
    const double size = kTile;
    for (int j = 0; j < kTile; ++j) {
        for (int i = 0; i < kTile; ++i) {
            Color sum;
            int inside = 0;
            for (int sy = 0; sy < kSuper; ++sy) {
                for (int sx = 0; sx < kSuper; ++sx) {
                    const Vec2 p{i + (sx + 0.5) / kSuper, j + (sy + 0.5) / kSuper};
                    if (tileShape(p, size) < 0) {
                        sum = sum + tileFace(p, size, style);
                        ++inside;
                    } else {
                        sum = sum + color(kPlayBlue);
                    }
                }
            }
            const bool solid = inside >= kMinSamplesInside;
            Rgb px = toRgb(sum * (1.0 / (kSuper * kSuper)));
            if (!solid)
                px = {255, 255, 255};
            else if (px == Rgb{255, 255, 255})
                px = {254, 254, 254};  // white would read as transparent
            img.at(picture.left + i, picture.top + j) = px;
            if (writeMask) {
                img.at(kTileMask.left + i, kTileMask.top + j) = solid ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
            }
        }
    }
}

// ---- Dialog texture -----------------------------------------------------------------------------

// A soft, low-contrast cushion of blues: it is stretched over whole dialogs, so it must have no fine
// detail that would turn into blocks.
void paintTexture(Image& img) {
    const SheetRegion& r = kTexture;
    const double w = r.width, h = r.height;
    render(img, r.left, r.top, r.width, r.height, [&](Vec2 p) {
        const Vec2 c{w * 0.45, h * 0.40};
        const double d = length(Vec2{(p.x - c.x) / w, (p.y - c.y) / h});
        return mix(Color{86, 104, 184}, Color{58, 75, 150}, smoothstep(0.0, 0.75, d));
    });
}

// ---- Progress bar -------------------------------------------------------------------------------

constexpr double kBarRadius = 8.5;

double barShape(Vec2 p) {
    return sdRoundRect(p, {0.5, 0.5}, {kBarFull.width - 0.5, kBarFull.height - 0.5}, kBarRadius);
}

Color barColor(Vec2 p, bool full) {
    const double d = barShape(p);
    if (d >= 0) return color(kPlayBlue);
    const double depth = -d;
    const double lit = lightFacing(fieldNormal(barShape, p));
    const double band = 1 - smoothstep(0, 3.5, depth);
    const double h = kBarFull.height;
    Color c;
    if (full) {
        // Green through gold to orange along the bar, with a glossy upper half.
        const double t = p.x / kBarFull.width;
        c = t < 0.5 ? mix(Color{52, 196, 112}, Color{246, 222, 64}, t / 0.5)
                    : mix(Color{246, 222, 64}, Color{255, 138, 36}, (t - 0.5) / 0.5);
        c = lighten(c, 0.42 * (1 - smoothstep(2, h * 0.52, p.y)));
        c = lighten(c, -0.22 * smoothstep(h * 0.5, h - 1, p.y));
        c = lighten(c, 0.30 * lit * band);
    } else {
        // A recessed groove: shaded along its upper edge, catching light along the lower one.
        c = mix(Color{16, 19, 50}, Color{40, 48, 104}, smoothstep(1, h - 1, p.y));
        c = lighten(c, -0.30 * lit * band);
        // Faint notches every tenth of the bar.
        const double step = kBarEmpty.width / 10.0;
        const double fx = std::fmod(p.x, step);
        const double notch = std::min(fx, step - fx);
        if (p.x > step * 0.5 && p.x < kBarEmpty.width - step * 0.5 && depth > 3.5)
            c = lighten(c, 0.10 * (1 - smoothstep(0.4, 0.9, notch)));
    }
    return mix(c, Color{10, 12, 36}, 0.9 * (1 - smoothstep(0.5, 1.4, depth)));
}

void paintBars(Image& img) {
    for (bool full : {false, true}) {
        const SheetRegion& r = full ? kBarFull : kBarEmpty;
        render(img, r.left, r.top, r.width, r.height, [&](Vec2 p) { return barColor(p, full); });
    }
}

// ---- Title picture ------------------------------------------------------------------------------

// Distance to a small tile of the given size centred at c (for the title's word chain).
struct MiniTile {
    Vec2 centre;
    char letter;
};

void paintTitle(Image& img) {
    const SheetRegion& r = kTitle;
    const double w = r.width;

    // "Varnook" in the stroke font, gold with a dark outline and a soft shadow.
    constexpr double unit = 19.0, stroke = 5.6, tracking = 0.36, baseline = 56.0;
    const double textWidth = textAdvance("Varnook", tracking) * unit;
    const StrokeText name("Varnook", {(w - textWidth) / 2, baseline}, unit, stroke, tracking);

    // Below it, a chain of five small linked tiles spelling WORDS, zig-zagging like a path on the board.
    constexpr double miniSize = 19, miniPitch = 23, chainY = 82;
    std::array<MiniTile, 5> tiles{};
    const char* word = "WORDS";
    for (int k = 0; k < 5; ++k) {
        tiles[std::size_t(k)] = {{w / 2 + (k - 2) * miniPitch, chainY + (k % 2 ? 3.0 : -3.0)}, word[k]};
    }
    std::vector<StrokeText> letters;
    constexpr double letterUnit = 5.2, letterStroke = 1.7;
    for (const MiniTile& t : tiles) {
        const char s[2] = {t.letter, 0};
        const double lw = textAdvance(s, 0) * letterUnit;
        letters.emplace_back(s, Vec2{t.centre.x - lw / 2 + 0.5, t.centre.y + 1.4 * letterUnit / 2 + 0.5}, letterUnit,
                             letterStroke, 0);
    }

    render(img, r.left, r.top, r.width, r.height, [&](Vec2 p) {
        Color c = color(kPanelBlue);
        // Soft glow behind the name, vanishing well inside the picture's border.
        const double e = length(Vec2{(p.x - w / 2) / 88.0, (p.y - 46) / 42.0});
        c = mix(c, Color{92, 116, 206}, 0.55 * std::pow(1 - smoothstep(0, 1, e), 2));

        // Chain line under the mini tiles, in the colour of the board's chain pen.
        double chain = 1e9;
        for (std::size_t k = 0; k + 1 < tiles.size(); ++k)
            chain = std::min(chain, sdSegment(p, tiles[k].centre, tiles[k + 1].centre));
        if (chain < 1.3) c = Color{100, 100, 10};

        for (std::size_t k = 0; k < tiles.size(); ++k) {
            const Vec2 local = p - tiles[k].centre + Vec2{miniSize / 2, miniSize / 2};
            const double shadow = tileShape(local - Vec2{1.0, 1.5}, miniSize);
            if (shadow < 0.5) c = mix(c, Color{16, 20, 56}, 0.45 * (1 - smoothstep(-1.5, 0.5, shadow)));
            if (tileShape(local, miniSize) < 0) {
                c = tileFace(local, miniSize, kLinkedStyle);
                // Letter as the game draws it: black, then yellow one pixel right and up.
                if (letters[k].distance(p - Vec2{-1.0, 1.0}) < 0) c = kBlack;
                if (letters[k].distance(p) < 0) c = color(kLetterLinked);
            }
        }

        const double ds = name.distance(p - Vec2{1.6, 2.6});
        c = mix(c, Color{8, 10, 34}, 0.6 * (1 - smoothstep(-1.0, 3.0, ds)));
        const double d = name.distance(p);
        if (d < 1.7) c = Color{40, 20, 8};
        if (d < 0) {
            const double t = (baseline - p.y) / unit;  // 0 at the baseline, 1.4 at the cap height
            Color fill = t > 0.7 ? mix(Color{250, 204, 74}, Color{255, 246, 178}, smoothstep(0.7, 1.45, t))
                                 : mix(Color{212, 120, 30}, Color{250, 204, 74}, smoothstep(-0.1, 0.7, t));
            // A light edge on the strokes' upper sides.
            if (-d < 1.3) {
                const Vec2 n = fieldNormal([&](Vec2 q) { return name.distance(q); }, p);
                fill = lighten(fill, 0.45 * clamp01(lightFacing(n)));
            }
            c = fill;
        }
        return c;
    });
}

// ---- Sound icons --------------------------------------------------------------------------------

constexpr Vec2 kIconCentre{16, 16};
constexpr double kIconRadius = 14.5;

// Distance to a circular arc of radius rad around c spanning +-halfAngle degrees from the +x axis.
double sdArcStroke(Vec2 p, Vec2 c, double rad, double halfAngle) {
    const Vec2 q = p - c;
    const double a = std::atan2(q.y, q.x) * 180 / std::numbers::pi;
    if (std::abs(a) <= halfAngle) return std::abs(length(q) - rad);
    const double t = halfAngle * std::numbers::pi / 180;
    const Vec2 e1 = c + Vec2{rad * std::cos(t), rad * std::sin(t)};
    const Vec2 e2 = c + Vec2{rad * std::cos(t), -rad * std::sin(t)};
    return std::min(length(p - e1), length(p - e2));
}

// Distance to the icon's glyph: a loudspeaker, with sound waves (on) or a cross (off).
double iconGlyph(Vec2 p, bool soundOn) {
    static constexpr std::array<Vec2, 6> speaker{Vec2{7.0, 12.5},  Vec2{11.5, 12.5}, Vec2{17.0, 8.0},
                                                 Vec2{17.0, 24.0}, Vec2{11.5, 19.5}, Vec2{7.0, 19.5}};
    double d = sdPolygon(p, speaker) - 0.6;
    if (soundOn) {
        d = std::min(d, sdArcStroke(p, {17.5, 16}, 4.6, 42) - 0.95);
        d = std::min(d, sdArcStroke(p, {17.5, 16}, 8.6, 46) - 0.95);
    }
    return d;
}

double iconCross(Vec2 p) {
    return std::min(sdSegment(p, {20.0, 12.5}, {26.5, 19.5}), sdSegment(p, {26.5, 12.5}, {20.0, 19.5})) - 1.25;
}

void paintSoundIcon(Image& img, const SheetRegion& r, bool soundOn, bool lit) {
    render(img, r.left, r.top, r.width, r.height, [&](Vec2 p) {
        Color c = color(kPlayBlue);
        auto disc = [](Vec2 q) { return sdCircle(q, kIconCentre, kIconRadius); };
        const double d = disc(p);
        if (d >= 0) return c;
        const double depth = -d;
        const double light = lightFacing(fieldNormal(disc, p));
        c = lit ? mix(Color{124, 148, 236}, Color{60, 80, 164}, smoothstep(2, 30, p.y))
                : mix(Color{84, 104, 190}, Color{36, 48, 112}, smoothstep(2, 30, p.y));
        c = lighten(c, 0.35 * light * (1 - smoothstep(0, 3.0, depth)));
        c = mix(c, kWhite, 0.16 * (1 - smoothstep(0.2, 1.0, length(Vec2{(p.x - 16) / 10, (p.y - 8.5) / 5}))));
        if (lit) c = mix(c, Color{250, 250, 140}, 0.9 * std::exp(-(depth - 1.5) * (depth - 1.5) / 0.35));
        c = mix(c, Color{16, 22, 60}, 0.9 * (1 - smoothstep(0.5, 1.2, depth)));

        const Color ink = lit ? Color{255, 252, 178} : Color{232, 228, 198};
        const Color cross = lit ? Color{255, 96, 80} : Color{222, 74, 64};
        const Vec2 drop{0.9, 1.1};
        double shadow = iconGlyph(p - drop, soundOn);
        if (!soundOn) shadow = std::min(shadow, iconCross(p - drop));
        if (shadow < 0) c = mix(c, Color{10, 14, 40}, 0.55);
        if (iconGlyph(p, soundOn) < 0) c = ink;
        if (!soundOn && iconCross(p) < 0) c = cross;
        return c;
    });
}

// ---- Word-list arrow bars -----------------------------------------------------------------------

// The bars cap the list box: rounded on their outer side, square where they meet the list.
void paintArrowBar(Image& img, const SheetRegion& r, bool up, bool lit) {
    const double w = r.width, h = r.height;
    render(img, r.left, r.top, r.width, r.height, [&](Vec2 p) {
        // Work as if the bar were an up bar; a down bar is its mirror image.
        const Vec2 q{p.x, up ? p.y : h - p.y};
        auto shape = [&](Vec2 s) { return sdRoundRect(s, {0.5, 0.5}, {w - 0.5, h + 10}, 7); };
        const double d = shape(q);
        if (d >= 0) return color(kPlayBlue);
        const double depth = -d;
        Vec2 n = fieldNormal(shape, q);
        if (!up) n.y = -n.y;
        const double light = lightFacing(n);
        const double t = smoothstep(1, h, q.y);  // 0 at the outer edge, 1 where the list begins
        Color c =
            lit ? mix(Color{118, 142, 228}, Color{64, 84, 164}, t) : mix(Color{88, 110, 190}, color(kPanelBlue), t);
        c = lighten(c, 0.30 * light * (1 - smoothstep(0, 3.0, depth)));
        if (lit) c = mix(c, Color{250, 250, 140}, 0.85 * std::exp(-(depth - 1.4) * (depth - 1.4) / 0.3));
        c = mix(c, Color{16, 22, 60}, 0.9 * (1 - smoothstep(0.5, 1.2, depth)));

        // Grip lines either side of the arrow.
        for (double gx : {24.0, 96.0}) {
            if (std::abs(q.y - 10.5) < 0.6 && std::abs(q.x - gx) < 14) c = lighten(c, lit ? 0.30 : 0.14);
            if (std::abs(q.y - 12.0) < 0.6 && std::abs(q.x - gx) < 14) c = lighten(c, -0.35);
        }
        // The arrow head, pointing away from the list.
        static constexpr std::array<Vec2, 3> head{Vec2{51.5, 14.0}, Vec2{60.0, 5.0}, Vec2{68.5, 14.0}};
        const Vec2 drop{0.8, up ? 1.0 : -1.0};
        if (sdPolygon(q - drop, head) < 0.7) c = mix(c, Color{10, 14, 40}, 0.5);
        if (sdPolygon(q, head) < 0.7) c = lit ? Color{252, 248, 150} : Color{214, 210, 170};
        return c;
    });
}

}  // namespace

Image makeSpriteSheet() {
    Image img(kWidth, kHeight, kUnused);
    paintTile(img, kTilePlain, kPlainStyle, true);
    paintTile(img, kTileLinked, kLinkedStyle, false);
    paintTexture(img);
    paintBars(img);
    paintTitle(img);
    paintSoundIcon(img, kSoundOn, true, false);
    paintSoundIcon(img, kSoundOnLit, true, true);
    paintSoundIcon(img, kSoundOff, false, false);
    paintSoundIcon(img, kSoundOffLit, false, true);
    paintArrowBar(img, kUpBar, true, false);
    paintArrowBar(img, kUpBarLit, true, true);
    paintArrowBar(img, kDownBar, false, false);
    paintArrowBar(img, kDownBarLit, false, true);
    return img;
}

}  // namespace varnook::assets
