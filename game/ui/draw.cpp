// The drawing operations: coordinates, colours, raster operations and drawing orders as the game's
// pictures are built from them.
#include "game/ui/draw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "game/play/letters.h"
#include "game/ui/palette.h"

namespace game::ui {

namespace {

using platform::Rect;
using platform::Rop;
using platform::Surface;

char toUpper(unsigned char c) { return letters::upper(static_cast<char>(c)); }

// The strip with the given upper-case letters in its first slots (at most seven).
void drawStrip(const SpriteSheet& sheet, const BoxInfo& strip, std::string_view letters) {
    Surface& s = *strip.surface;
    const int p = strip.wid;
    const int m = strip.ht;
    s.fillRect(Rect{strip.x, strip.y, strip.x + layout::kStripSlots * p, strip.y + p + 2}, brPlay);

    s.setTextColor(clrStripLetter);
    const int filled = std::min<int>(layout::kStripSlots, static_cast<int>(letters.size()));
    for (int k = 1; k <= filled; ++k) {
        const Rect slot{strip.x + (k - 1) * kCellSize + m, strip.y + m + 1, strip.x + k * kCellSize - m,
                        strip.y + p + 2};
        blitTile(sheet, s, slot.left, slot.top, p - 2 * m, Sprite::TilePlain);
        s.drawText(letters.substr(static_cast<std::size_t>(k - 1), 1), slot, kCaptionFlags);
    }

    s.selectPen(penFrame);
    for (int k = 1; k <= layout::kStripSlots; ++k) {
        s.frameRect(Rect{strip.x + (k - 1) * kCellSize, strip.y, strip.x + k * kCellSize, strip.y + p + 2});
    }
}

bool isFoundWord(const GameData& data, const std::string& word) {
    return std::find(data.foundWords().begin(), data.foundWords().end(), word) != data.foundWords().end();
}

// Sheet sources of the sprite button kinds 0..5.
struct SpriteBtnKind {
    bool drawn;
    Sprite plain;
    Sprite highlighted;
};
constexpr std::array<SpriteBtnKind, 6> kSpriteBtnKinds{{
    // by SpriteKind
    {true, Sprite::SoundOff, Sprite::SoundOffHi},
    {true, Sprite::SoundOn, Sprite::SoundOnHi},
    {false, Sprite::Title, Sprite::Title},  // kind 2 draws nothing
    {true, Sprite::UpBar, Sprite::UpBarHi},
    {true, Sprite::DownBar, Sprite::DownBarHi},
    {true, Sprite::Title, Sprite::Title},
}};

Rect boxRect(const BoxInfo& box) { return Rect{box.x, box.y, box.x + box.wid, box.y + box.ht}; }

}  // namespace

// Tile mask with OR, then the picture with AND: the picture shows with its corners transparent.
void blitTile(const SpriteSheet& sheet, Surface& s, int left, int top, int size, Sprite picture) {
    sheet.blit(s, left, top, size, size, Sprite::TileMask, Rop::Or);
    sheet.blit(s, left, top, size, size, picture, Rop::And);
}

void setFontSize(Surface& surface, double points) {
    platform::Font f = surface.font();
    f.points = points;
    surface.setFont(f);
}

void drawTile(const SpriteSheet& sheet, const BoxInfo& board, const GameData& data, int cell, bool linked) {
    if (!board.surface || data.gridWidth() <= 0 || !data.gridLetters().contains(cell)) {
        return;
    }
    Surface& s = *board.surface;
    const int column = data.cellX(cell);
    const int row = data.cellY(cell);
    const int m = board.ht;
    const int p = board.wid;
    Rect r{board.x + column * p + m, board.y + row * p + m, board.x + (column + 1) * p - m,
           board.y + (row + 1) * p - m};

    blitTile(sheet, s, r.left, r.top, p - 2 * m, linked ? Sprite::TileLinked : Sprite::TilePlain);

    const char letter = toUpper(data.gridLetters()[cell]);
    const std::string_view text(&letter, 1);
    s.setTextColor(clrShadow);
    s.drawText(text, r, kCaptionFlags);
    r.left += 2;
    r.top -= 2;
    s.setTextColor(linked ? clrTileLinked : clrTilePlain);
    s.drawText(text, r, kCaptionFlags);
}

void drawAllTiles(const SpriteSheet& sheet, const BoxInfo& board, const GameData& data) {
    const int cells = std::min<int>(data.numCells(), data.gridLetters().size());
    for (int cell = 1; cell <= cells; ++cell) {
        // Every letter is drawn, those above 128 too (Ä, Ö, Ü, Ñ); 0 is no letter.
        if (data.gridLetters()[cell] == 0) continue;
        const bool linked = data.cellSelected().contains(cell) && data.cellSelected()[cell] != 0;
        drawTile(sheet, board, data, cell, linked);
    }
}

void drawChainLine(const BoxInfo& board, const GameData& data, int a, int b) {
    if (!board.surface || data.gridWidth() <= 0) {
        return;
    }
    auto centreX = [&](int c) { return board.x + data.cellX(c) * board.wid + layout::kHalfCell; };
    auto centreY = [&](int c) { return board.y + data.cellY(c) * board.wid + layout::kHalfCell; };
    Surface& s = *board.surface;
    s.selectPen(penChain);
    s.moveTo(centreX(a), centreY(a));
    s.lineTo(centreX(b), centreY(b));
}

void drawBoardBack(const BoxInfo& board, const GameData& data) {
    if (!board.surface) {
        return;
    }
    constexpr int h = layout::kHalfCell;
    board.surface->fillRect(Rect{board.x - h, board.y - h, board.x + data.gridWidth() * kCellSize + h,
                             board.y + data.gridHeight() * kCellSize + h},
                        brPlay);
    const int len = std::min<int>(data.curWordLen(), kMaxPath);
    for (int k = 1; k <= len - 1; ++k) drawChainLine(board, data, data.curPath()[k], data.curPath()[k + 1]);
}

void drawWordStrip(const SpriteSheet& sheet, const BoxInfo& strip, const GameData& data) {
    if (!strip.surface) {
        return;
    }
    std::string letters;
    const int len = std::min<int>(data.curWordLen(), layout::kStripSlots);
    for (int k = 1; k <= len; ++k) {
        const int cell = data.curPath()[k];
        letters += data.gridLetters().contains(cell) ? toUpper(data.gridLetters()[cell]) : ' ';
    }
    drawStrip(sheet, strip, letters);
}

void drawRefusedLetter(const SpriteSheet& sheet, const BoxInfo& strip, const GameData& data, char letter) {
    if (!strip.surface) {
        return;
    }
    Surface& s = *strip.surface;
    const int p = strip.wid;
    const int m = strip.ht;
    const int k = std::clamp<int>(data.curWordLen() + 1, 1, layout::kStripSlots);
    const Rect slot{strip.x + (k - 1) * kCellSize + m, strip.y + m + 1, strip.x + k * kCellSize - m, strip.y + p + 2};
    blitTile(sheet, s, slot.left, slot.top, p - 2 * m, Sprite::TilePlain);
    s.setTextColor(clrStripLetter);
    const char upper = toUpper(static_cast<unsigned char>(letter));
    s.drawText(std::string_view(&upper, 1), slot, kCaptionFlags);
    s.selectPen(penChain);
    s.moveTo(slot.left + m, slot.bottom - m);
    s.lineTo(slot.right - m, slot.top + m);
}

void drawWordStripText(const SpriteSheet& sheet, const BoxInfo& strip, std::string_view word) {
    if (!strip.surface) {
        return;
    }
    std::string letters(word.substr(0, layout::kStripSlots));
    for (char& c : letters) {
        c = toUpper(static_cast<unsigned char>(c));
    }
    drawStrip(sheet, strip, letters);
}

void drawWordList(const BoxInfo& list, const GameData& data, const OneBased<std::string>& words, int count, int first,
                  int selected) {
    if (!list.surface) {
        return;
    }
    Surface& s = *list.surface;
    const int right = list.x + layout::kListWidthUnits * list.wid;
    s.fillRect(Rect{list.x, list.y, right, list.y + layout::kListRows * list.ht}, brPanel);
    if (count <= 0) {
        return;
    }
    const int n = std::min(count - first, layout::kListRows - 1);
    for (int i = 0; i <= n; ++i) {
        const int e = first + i;
        if (!words.contains(e)) {
            continue;  // a row past the caller's list stays blank
        }
        const int top = list.y + i * list.ht;
        s.setTextColor(isFoundWord(data, words[e]) ? clrHiText : clrText);
        s.drawText(words[e], Rect{list.x + list.wid, top, right, top + list.wid},
                   platform::text::kSingleLine | platform::text::kVCenter);
        if (e == selected) {
            s.frameRect(Rect{list.x, top, right, top + list.wid});
        }
    }
}

void drawSpriteBtn(const SpriteSheet& sheet, const BoxInfo& box, SpriteKind kind, bool highlighted) {
    const int index = static_cast<int>(kind);
    if (!box.surface || index < 0 || index >= static_cast<int>(kSpriteBtnKinds.size())) {
        return;
    }
    const SpriteBtnKind& k = kSpriteBtnKinds[static_cast<std::size_t>(index)];
    if (!k.drawn) {
        return;
    }
    sheet.blit(*box.surface, box.x, box.y, box.wid, box.ht, highlighted ? k.highlighted : k.plain, Rop::Copy);
}

void drawProgressBar(const SpriteSheet& sheet, const BoxInfo& box, double percent) {
    if (!box.surface) {
        return;
    }
    // Above 100 counts as full. Below 0, and NaN (a puzzle without points), count as empty: the
    // picture a negative fill would give once the copies are clipped to the sheet.
    double p = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
    const int filled = static_cast<int>(std::nearbyint(p * layout::kBarWidth / 100.0));
    const int left = box.x + static_cast<int>(std::nearbyint(layout::kBarInset));
    sheet.blit(*box.surface, left + filled, box.y, layout::kBarWidth - filled, layout::kBarHeight, Sprite::BarEmpty,
               Rop::Copy, filled);
    sheet.blit(*box.surface, left, box.y, filled, layout::kBarHeight, Sprite::BarFull, Rop::Copy);
}

void fillSurface(Surface& surface, const platform::Brush& brush) {
    surface.fillRect(Rect{0, 0, surface.width(), surface.height()}, brush);
}

void drawTextBtn(const BoxInfo& box, FrameStyle frame, bool highlighted, int shift, std::string_view caption) {
    if (!box.surface) {
        return;
    }
    Surface& s = *box.surface;
    Rect r = boxRect(box);
    s.fillRect(r, box.brush);
    if (frame == FrameStyle::Single || frame == FrameStyle::Double) {
        s.selectPen(box.pen);
        s.frameRect(r);
    }
    if (frame == FrameStyle::Double) {
        s.selectPen(penFrame);
        s.frameRect(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
    }
    s.setTextColor(clrShadow);
    s.drawText(caption, r, kCaptionFlags);
    r.right += shift;
    r.bottom -= shift;
    s.setTextColor(highlighted ? clrHiText : box.textColor);
    s.drawText(caption, r, kCaptionFlags);
}

void fillBox(const BoxInfo& box) {
    if (box.surface) {
        box.surface->fillRect(boxRect(box), box.brush);
    }
}

void drawShadowText(const BoxInfo& box, int shift, std::string_view text, int format) {
    if (!box.surface) {
        return;
    }
    const unsigned flags = format == kDefaultTextFormat ? platform::text::kVCenter : static_cast<unsigned>(format);
    Surface& s = *box.surface;
    Rect r = boxRect(box);
    s.setTextColor(clrShadow);
    s.drawText(text, r, flags);
    r.left += shift;
    r.top -= shift;
    s.setTextColor(box.textColor);
    s.drawText(text, r, flags);
}

void drawTexture(const SpriteSheet& sheet, Surface& surface, int width, int height) {
    sheet.stretch(surface, 0, 0, width, height, Sprite::Texture);
}

namespace {
// The width of text's ink in font, drawn from the left edge of a scratch surface.
int inkWidth(platform::Graphics& graphics, const platform::Font& font, std::string_view text) {
    constexpr int kScratchWidth = 2048, kScratchHeight = 64;
    auto scratch = graphics.createSurface(kScratchWidth, kScratchHeight);
    const platform::Color back = platform::rgb(255, 255, 255);
    scratch->fillRect({0, 0, kScratchWidth, kScratchHeight}, platform::Brush{back});
    scratch->setFont(font);
    scratch->setTextColor(platform::rgb(0, 0, 0));
    scratch->drawText(text, {0, 0, kScratchWidth, kScratchHeight}, platform::text::kSingleLine | platform::text::kVCenter);
    for (int x = kScratchWidth - 1; x >= 0; --x)
        for (int y = 0; y < kScratchHeight; ++y)
            if (scratch->pixel(x, y) != back) return x + 1;
    return 0;
}
}  // namespace

std::string fitOneLine(platform::Graphics& graphics, const platform::Font& font, std::string_view text, int width) {
    if (inkWidth(graphics, font, text) <= width) return std::string(text);
    constexpr std::string_view kEllipsis = "\x85";  // "..." as one Windows-1252 character
    // The ends of whole words, and the longest start of them that fits.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] == ' ' && text[i - 1] != ' ') ends.push_back(i);
    std::size_t low = 0, high = ends.size();  // ends[0, low) fit; ends[high, size) do not
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        if (inkWidth(graphics, font, std::string(text.substr(0, ends[mid])) + std::string(kEllipsis)) <= width)
            low = mid + 1;
        else
            high = mid;
    }
    return low == 0 ? std::string(kEllipsis) : std::string(text.substr(0, ends[low - 1])) + std::string(kEllipsis);
}

}  // namespace game::ui
