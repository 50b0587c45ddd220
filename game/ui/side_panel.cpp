// Laying out the regions of the play surface.
#include "game/ui/side_panel.h"

#include "game/ui/palette.h"
#include "platform/graphics.h"

namespace game::ui {

namespace {

BoxInfo region(platform::Surface& s, int x, int y, int wid, int ht) {
    BoxInfo b;
    b.surface = &s;
    b.x = x;
    b.y = y;
    b.wid = wid;
    b.ht = ht;
    return b;
}

// Places a region and clears its hover flag; brush, pen, colour and state stay.
void place(BoxInfo& b, platform::Surface& s, int x, int y, int wid, int ht) {
    b.surface = &s;
    b.x = x;
    b.y = y;
    b.wid = wid;
    b.ht = ht;
    b.hover = false;
}

void styleButton(BoxInfo& b, platform::Color textColor) {
    b.brush = brPanel;
    b.pen = penFrame;
    b.textColor = textColor;
    b.hover = false;
}

}  // namespace

void initLPBtns(PlayRegions& r, platform::Surface& s, int gridWidth) {
    using namespace panel;
    r.boardBox = region(s, kBoardLeftAt7 + (kStripSlots - gridWidth) * kHalfCell, kBoardTop, kUnit, kTileMargin);
    r.stripBox = region(s, kStripLeft, kStripTop, kUnit, kTileMargin);
    place(r.item(static_cast<int>(Command::Enter)), s, kEnterLeft, kCommandTop, kCommandBtnWidth, kButtonHeight);
    place(r.item(static_cast<int>(Command::Clear)), s, kClearLeft, kCommandTop, kCommandBtnWidth, kButtonHeight);
    r.listBox = region(s, kListLeft, kListTop, kListIndent, kListPitch);
    r.upBar = region(s, kListLeft, kUpBarTop, kArrowWidth, kArrowHeight);
    r.downBar = region(s, kListLeft, kDownBarTop, kArrowWidth, kArrowHeight);
    r.barBox = region(s, kBarLeft, kBarTop, kBarWidth, kBarHeight);
}

void initRPBtns(PlayRegions& r, platform::Surface& s) {
    using namespace panel;
    r.leftPanel = region(s, 0, 0, kLeftPanelWidth, kLeftPanelHeight);
    r.leftPanel.brush = brPanel;

    for (int n = kFirstItem; n < static_cast<int>(Command::Enter); ++n) {
        BoxInfo& b = r.item(n);
        place(b, s, kItemLeft, itemTop(n), kItemWidth, kItemHeight);
        const bool value = n == kScoreItem || n == kBestScoreItem || n == kTimeItem || n == kLevelItem;
        styleButton(b, value ? clrValueText : clrText);
    }
    styleButton(r.item(static_cast<int>(Command::Enter)), clrText);
    styleButton(r.item(static_cast<int>(Command::Clear)), clrText);

    for (int row = 1; row <= kStatsRows; ++row) {
        BoxInfo& b = r.statsRow(row);
        place(b, s, kStatsLeft, kStatsTop + kStatsPitch * row, kStatsWidth, kStatsPitch);
        b.brush = row == 1 ? brPanel : brPlay;
        b.pen = penFrame;
        b.textColor = clrText;
    }

    r.msgBox = region(s, kMsgLeft, kMsgTop, kMsgWidth, kMsgHeight);
    r.msgBox.brush = brPlay;
    r.msgBox.textColor = clrMessage;

    r.backBtn = region(s, kBackLeft, kBackTop, kBackWidth, kButtonHeight);
    styleButton(r.backBtn, clrText);

    place(r.soundBox, s, s.width() - kSoundFromRight, s.height() - kSoundFromBottom, kSoundSize, kSoundSize);
}

std::string statsRowText(int len, int found, int total) {
    return formatResString(StringId::StatsRow, {"|1", len, "|2", found, "|3", total});
}

std::string statsHeaderText(bool open, int found, int total) {
    return formatResString(open ? StringId::FoundOpen : StringId::FoundClosed, {"|1", found, "|2", total});
}

}  // namespace game::ui
