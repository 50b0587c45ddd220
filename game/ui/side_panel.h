// Where every region of the play surface lies: the board, the word strip, the side panel's labels,
// values and commands, the word list with its arrow bars, the statistics rows, the message line,
// the progress bar and the sound icon (initLPBtns, initRPBtns), and what each command is.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "game/play/one_based.h"
#include "game/play/session.h"
#include "game/ui/box_info.h"
#include "game/ui/layout.h"
#include "game/ui/strings.h"

namespace platform {
class Surface;
}

namespace game::ui {

// Fixed layout numbers of the play surface, in pixels.
namespace panel {
using layout::kHalfCell;
using layout::kStripSlots;
using layout::kTileMargin;
using layout::kUnit;

constexpr int kBoardLeftAt7 = 4 * kUnit;  // 176: the left edge of a 7-column board
constexpr int kBoardTop = 4 * kUnit;      // 176
constexpr int kStripLeft = 4 * kUnit;     // 176
constexpr int kStripTop = kUnit;          // 44

constexpr int kCommandBtnWidth = 96;  // "Enter" and "Clear"
constexpr int kButtonHeight = 30;
constexpr int kEnterLeft = 10 * kUnit - kCommandBtnWidth;  // 344
constexpr int kClearLeft = kUnit + 4 * kUnit;              // 220
constexpr int kCommandTop = 110;

constexpr int kListLeft = 12 * kUnit;  // 528
constexpr int kListTop = 60;
constexpr int kListIndent = 15;  // text indent and text height
constexpr int kListPitch = 20;
using layout::kListRows;
constexpr int kArrowWidth = 120;
constexpr int kArrowHeight = 20;
constexpr int kUpBarTop = 40;
constexpr int kDownBarTop = kListTop + kListRows * kListPitch;  // 320

constexpr int kBarLeft = 4 * kUnit;  // 176
constexpr int kBarTop = 462;         // 10.5 units
constexpr int kBarWidth = 330;       // 7.5 units
constexpr int kBarHeight = 30;

constexpr int kLeftPanelWidth = 3 * kUnit;    // 132
constexpr int kLeftPanelHeight = 12 * kUnit;  // 528
constexpr int kItemLeft = 5;
constexpr int kItemWidth = 3 * kUnit - 10;  // 122
constexpr int kItemHeight = 25;

constexpr int kStatsLeft = 12 * kUnit;  // 528
constexpr int kStatsTop = 340;          // row r lies at 340 + 20 r
constexpr int kStatsWidth = 3 * kUnit;  // 132
constexpr int kStatsPitch = 20;
constexpr int kStatsRows = 6;

constexpr int kMsgLeft = 154;  // 3.5 units
constexpr int kMsgTop = 3;
constexpr int kMsgWidth = 9 * kUnit;  // 396
constexpr int kMsgHeight = 20;

constexpr int kBackLeft = 5 * kUnit;   // 220
constexpr int kBackTop = 110;          // 2.5 units
constexpr int kBackWidth = 5 * kUnit;  // 220

constexpr int kSoundSize = 32;
constexpr int kSoundFromRight = kUnit;  // 44 from the right edge
constexpr int kSoundFromBottom = 66;    // 1.5 units from the bottom edge
}  // namespace panel

// Side-panel items 2..18. Items 2..9 are labels and values; 10..18 are commands.
constexpr int kFirstItem = 2;
constexpr int kFirstCommand = 10;
constexpr int kLastItem = 18;

// The side panel's commands are game::Command's 10..18.

// Labels and value items of the side panel.
constexpr int kScoreLabel = 2;
constexpr int kBestScoreLabel = 4;
constexpr int kTimeLabel = 6;
constexpr int kLevelLabel = 8;
constexpr int kScoreItem = 3;
constexpr int kBestScoreItem = 5;
constexpr int kTimeItem = 7;
constexpr int kLevelItem = 9;

// The string-table entry of item n's caption: 60 + n.
constexpr StringId itemCaption(int n) { return static_cast<StringId>(60 + n); }
// The caption offset of an item in its normal look: labels and values 2, the first three commands
// 6, the rest 4.
constexpr int itemShift(int n) { return n < kFirstCommand ? 2 : (n <= 12 ? 6 : 4); }
// The y of side-panel item n (2..16): even items of 2..9 at 25 n, odd ones 20 below the item
// before; commands from 10 on at 30 n - 20.
constexpr int itemTop(int n) { return n >= kFirstCommand ? 30 * n - 20 : (n % 2 == 0 ? 25 * n : 25 * (n - 1) + 20); }

// Every region of the play surface.
struct PlayRegions {
    BoxInfo boardBox;  // wid = pitch, ht = tile margin
    BoxInfo stripBox;  // wid = pitch, ht = tile margin
    BoxInfo listBox;   // wid = text indent, ht = line pitch
    BoxInfo upBar;
    BoxInfo downBar;
    BoxInfo barBox;
    BoxInfo leftPanel;
    BoxInfo msgBox;
    BoxInfo backBtn;
    BoxInfo soundBox;                                   // state: 0 sound off, 1 sound on
    Indexed<BoxInfo, kFirstItem, kLastItem> panelBtns;  // items 2..18
    Indexed<BoxInfo, 1, panel::kStatsRows> statsRows;   // rows 1..6; row 1 is the toggle

    BoxInfo& item(int n) { return panelBtns[n]; }
    const BoxInfo& item(int n) const { return panelBtns[n]; }
    BoxInfo& statsRow(int r) { return statsRows[r]; }
    const BoxInfo& statsRow(int r) const { return statsRows[r]; }
    // The found-statistics toggle: statistics row 1.
    BoxInfo& statsToggle() { return statsRow(1); }
    const BoxInfo& statsToggle() const { return statsRow(1); }
};

// Board, word strip, "Enter" and "Clear", the word list, its arrow bars and the progress bar, for a
// board of gridWidth columns. Clears the hover flags of the arrow bars and the two commands.
void initLPBtns(PlayRegions& r, platform::Surface& surface, int gridWidth);

// The left side panel, its items and commands, the statistics rows, the message line, the back
// button and the sound icon. Clears the hover flags of the commands and the sound icon. The states
// of the statistics toggle and the sound icon are left as they are.
void initRPBtns(PlayRegions& r, platform::Surface& surface);

// The found statistics: " 4 Letter 2/7" for a row, " - Found 5 / 31" over the open rows and
// " + Found 5 / 31" over the closed ones, in the language of the texts.
std::string statsRowText(int len, int found, int total);
std::string statsHeaderText(bool open, int found, int total);

}  // namespace game::ui
