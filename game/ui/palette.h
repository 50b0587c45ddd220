// The game's fixed palette: text colours, brushes and pens shared by every surface and dialog,
// the letter colours of the tiles, and the font sizes the callers set before drawing.
#pragma once

#include "platform/graphics.h"

namespace game::ui {

using platform::rgb;

// Caption colours.
constexpr platform::Color clrHiText = rgb(200, 220, 120);     // hover look; found words in the list
constexpr platform::Color clrText = rgb(160, 160, 120);       // normal look; words not yet found
constexpr platform::Color clrValueText = rgb(249, 249, 230);  // side-panel values; dialog texts
constexpr platform::Color clrPanel = rgb(51, 68, 140);        // the panel blue as a colour value

// Brushes.
constexpr platform::Brush brPlay{rgb(150, 150, 240)};  // play surface, board, strip, message line
constexpr platform::Brush brPanel{rgb(51, 68, 140)};   // side panel, buttons, word list, menu

// Pens.
constexpr platform::Pen penDialog{rgb(170, 170, 100), 1};  // frames of the custom dialogs
constexpr platform::Pen penChain{rgb(100, 100, 10), 3};    // lines joining the linked tiles
constexpr platform::Pen penFrame{rgb(250, 250, 140), 1};   // button frames, strip slots, list selection

// The Time value in an Arcade level's last seconds.
constexpr platform::Color clrTimeWarning = rgb(255, 72, 48);

// The main window's own background, seen only while the game is paused, and the pause caption.
constexpr platform::Color clrWindow = rgb(128, 128, 255);
constexpr platform::Color clrPauseText = rgb(128, 255, 128);

// The custom dialogs: panel blue, light texts, button captions in the normal caption colour.
constexpr platform::Brush brDialog = brPanel;
constexpr platform::Color clrDialogText = clrValueText;
constexpr platform::Color clrDialogButton = clrText;

// Shadows of every shadowed text, and the message line's text.
constexpr platform::Color clrShadow = rgb(0, 0, 0);
constexpr platform::Color clrMessage = rgb(0, 0, 0);

// Letter colours fixed by the tile and strip drawing.
constexpr platform::Color clrTileLinked = rgb(250, 250, 0);
constexpr platform::Color clrTilePlain = rgb(240, 240, 100);
constexpr platform::Color clrStripLetter = rgb(240, 240, 100);

// Font sizes in points, set on a surface (family and weight unchanged) before an element is drawn.
namespace fontsize {
constexpr double kTiles = 14;    // board tiles and the word strip
constexpr double kPanel = 12;    // side panel, sprite buttons, statistics rows, the back button
constexpr double kList = 10;     // the word list
constexpr double kMessage = 10;  // the message line (drawn not bold)
}  // namespace fontsize

}  // namespace game::ui
