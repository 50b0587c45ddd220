// The drawing operations every window and dialog of the game is painted with: board tiles and chain
// lines, the word strip, the word list, sprite buttons, the progress bar, text buttons and shadowed
// text. Each draws into the region's surface buffer; refreshing the screen is the caller's job.
#pragma once

#include <string>
#include <string_view>

#include "game/play/game_data.h"
#include "game/play/one_based.h"
#include "game/ui/box_info.h"
#include "game/ui/layout.h"
#include "game/ui/sprite_sheet.h"
#include "platform/graphics.h"

namespace game::ui {

// Frames of a text button: none, one in the box's pen, or that and an inner one in penFrame.
enum class FrameStyle { None = 0, Single = 1, Double = 2 };

// The sprite buttons: the sound icon off and on, nothing, the arrow bars and the title picture.
enum class SpriteKind { SoundOff = 0, SoundOn = 1, Nothing = 2, UpBar = 3, DownBar = 4, Title = 5 };

// The sound icon for a main sound switch: any value but 0 shows it on.
constexpr SpriteKind soundIcon(int soundSwitch) {
    return soundSwitch != 0 ? SpriteKind::SoundOn : SpriteKind::SoundOff;
}

// Text flags of a caption: one line, centred both ways.
constexpr unsigned kCaptionFlags = platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine;
// drawShadowText's default format: vertical centring alone, which multi-line text ignores.
constexpr int kDefaultTextFormat = -1;

// Sets the surface font's size, keeping its family and weight.
void setFontSize(platform::Surface& surface, double points);

// A tile's picture of size x size pixels at (left, top), its corners left transparent.
void blitTile(const SpriteSheet& sheet, platform::Surface& s, int left, int top, int size, Sprite picture);
// One tile of the board with its letter; cell is 1-based.
void drawTile(const SpriteSheet& sheet, const BoxInfo& board, const GameData& data, int cell, bool linked);
// Every tile whose character code is 1..128, linked where cellSelected is set.
void drawAllTiles(const SpriteSheet& sheet, const BoxInfo& board, const GameData& data);
// The chain line between the centres of cells a and b.
void drawChainLine(const BoxInfo& board, const GameData& data, int a, int b);
// Clears the board area with its half-cell margin and draws the chain lines of curPath.
void drawBoardBack(const BoxInfo& board, const GameData& data);
// The seven-slot strip showing the linked letters.
void drawWordStrip(const SpriteSheet& sheet, const BoxInfo& strip, const GameData& data);
// A typed letter no path can take, in the strip's slot after the chain (its last slot when the
// chain fills it), struck out with the chain's pen.
void drawRefusedLetter(const SpriteSheet& sheet, const BoxInfo& strip, const GameData& data, char letter);
// The strip showing the letters of word (its first seven, upper case).
void drawWordStripText(const SpriteSheet& sheet, const BoxInfo& strip, std::string_view word);
// The word list box: entries first .. first + min(count - first, 12) of words, found words (exact
// match in data.foundWords()) in clrHiText, the entry numbered selected framed with the current pen.
void drawWordList(const BoxInfo& list, const GameData& data, const OneBased<std::string>& words, int count, int first,
                  int selected);
// A sprite button in its plain or highlighted look; Nothing (and a value outside the enumeration)
// draws nothing.
void drawSpriteBtn(const SpriteSheet& sheet, const BoxInfo& box, SpriteKind kind, bool highlighted);
// The progress bar at percent (above 100 counts as 100).
void drawProgressBar(const SpriteSheet& sheet, const BoxInfo& box, double percent);
void fillSurface(platform::Surface& surface, const platform::Brush& brush);
// A text button or label. The coloured caption sits shift / 2 pixels right of and above its black
// shadow.
void drawTextBtn(const BoxInfo& box, FrameStyle frame, bool highlighted, int shift, std::string_view caption);
void fillBox(const BoxInfo& box);
// Text in black, then in box.textColor with the left edge shift pixels right and the top shift up.
// format is a set of text flags, or kDefaultTextFormat.
void drawShadowText(const BoxInfo& box, int shift, std::string_view text, int format = kDefaultTextFormat);
// The text as one line no wider than width pixels in font: the text itself when it fits, else its
// longest start that ends with a whole word and fits with an ellipsis after it. Measured by drawing
// it on a scratch surface of graphics.
std::string fitOneLine(platform::Graphics& graphics, const platform::Font& font, std::string_view text, int width);
// Stretches the texture over (0, 0, width, height) of the surface.
void drawTexture(const SpriteSheet& sheet, platform::Surface& surface, int width, int height);

}  // namespace game::ui
