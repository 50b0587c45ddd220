// Drawing the statistics window: the table, the daily line and the chart of the last 30 days.
#include "game/ui/statistics_window.h"

#include <algorithm>
#include <string>

#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "platform/window.h"

namespace game::ui {

namespace {

namespace sw = statistics_window;

constexpr std::array<StringId, 3> kModeNames{StringId::StatsClassic, StringId::StatsArcade, StringId::StatsDaily};
constexpr std::array<StringId, 5> kHeadings{StringId::StatsPlayed, StringId::StatsFinished, StringId::StatsBest,
                                            StringId::StatsAverage, StringId::StatsLongestWord};

// A text region of the table: column c (0 the mode's name, 5 the longest word) of row r (0 the headings).
BoxInfo cell(platform::Surface& s, int column, int row) {
    BoxInfo b;
    b.surface = &s;
    b.x = sw::kTableLeft + (column == 0 ? 0 : sw::kModeWidth + (column - 1) * sw::kFigureWidth);
    b.y = sw::kTableTop + row * sw::kRowHeight;
    b.wid = column == 0 ? sw::kModeWidth : column == 5 ? sw::kWordWidth : sw::kFigureWidth;
    b.ht = sw::kRowHeight;
    b.brush = brPlay;
    b.textColor = row == 0 || column == 0 ? clrHiText : clrPanel;
    return b;
}

BoxInfo line(platform::Surface& s, int top, platform::Color color) {
    BoxInfo b;
    b.surface = &s;
    b.x = sw::kTableLeft;
    b.y = top;
    b.wid = sw::kClientW - sw::kU;
    b.ht = sw::kRowHeight;
    b.brush = brPlay;
    b.textColor = color;
    return b;
}

constexpr unsigned kCentred = platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine;
constexpr unsigned kLeft = platform::text::kVCenter | platform::text::kSingleLine;

}  // namespace

void FrmStatistics::show() {
    load();
    if (window() != nullptr) window()->show();
}

void FrmStatistics::paint() {
    platform::Surface& s = canvas();
    fillSurface(s, brPlay);

    s.setFont(platform::Font{dialog::kFontFamily, sw::kTitlePoints, true});
    BoxInfo title = line(s, sw::kTitleTop, clrHiText);
    title.ht = sw::kTitleHeight;
    drawShadowText(title, 2, loadResString(StringId::Statistics), static_cast<int>(kCentred));

    s.setFont(platform::Font{dialog::kFontFamily, sw::kTablePoints, true});
    for (int c = 0; c < 6; ++c)
        drawShadowText(cell(s, c, 0), sw::kTextShift,
                       c == 0 ? std::string_view() : loadResString(kHeadings[static_cast<std::size_t>(c - 1)]),
                       static_cast<int>(c == 0 || c == 5 ? kLeft : kCentred));
    for (const StatsMode mode : kStatsModes) {
        const int row = static_cast<int>(mode) + 1;
        const ModeStatistics& m = stats_.of(mode);
        const std::array<std::string, 6> texts{std::string(loadResString(kModeNames[static_cast<std::size_t>(mode)])),
                                               std::to_string(m.played),
                                               std::to_string(m.finished),
                                               std::to_string(m.best),
                                               std::to_string(m.average()),
                                               m.longestWord.empty() ? "-" : m.longestWord};
        for (int c = 0; c < 6; ++c)
            drawShadowText(cell(s, c, row), sw::kTextShift, texts[static_cast<std::size_t>(c)],
                           static_cast<int>(c == 0 || c == 5 ? kLeft : kCentred));
    }

    const DailyStatistics& d = stats_.daily;
    drawShadowText(line(s, sw::kDailyTop, clrPanel), sw::kTextShift,
                   formatResString(StringId::StatsDailyLine,
                                   {"|1", d.daysPlayed, "|2", d.currentStreak(today_), "|3", d.longestStreak}),
                   static_cast<int>(kLeft));
    drawShadowText(line(s, sw::kChartLabelTop, clrHiText), sw::kTextShift, loadResString(StringId::StatsChartLabel),
                   static_cast<int>(kLeft));

    // The chart: a panel-blue field, one bar per day, the newest on the right.
    chart_ = line(s, sw::kChartTop, clrHiText);
    chart_.ht = sw::kChartHeight;
    chart_.brush = brPanel;
    fillBox(chart_);
    const auto days = d.lastDays(today_);
    const int pitch = sw::kChartWidth / DailyStatistics::kHistoryDays;
    const int left = chart_.x + (sw::kChartWidth - pitch * DailyStatistics::kHistoryDays) / 2;
    const platform::Brush barBrush{clrHiText};
    for (std::size_t i = 0; i < days.size(); ++i) {
        const int found = std::clamp(days[i], 0, sw::kChartFullScale);
        BoxInfo& bar = bars_[i];
        bar = chart_;
        bar.wid = pitch - sw::kBarGap;
        bar.x = left + static_cast<int>(i) * pitch + sw::kBarGap / 2;
        bar.ht = (sw::kChartHeight - 4) * found / sw::kChartFullScale;
        bar.y = chart_.y + chart_.ht - 2 - bar.ht;
        bar.brush = barBrush;
        bar.state = days[i];
        if (bar.ht > 0) fillBox(bar);
    }

    s.setFont(platform::Font{dialog::kFontFamily, dialog::kButtonPoints, false});
    ok_ = buttonBox((sw::kClientW - sw::kButtonWidth) / 2, sw::kButtonTop, sw::kButtonWidth);
    drawOk(false);
}

void FrmStatistics::drawOk(bool hot) {
    ok_.hover = hot;
    drawTextBtn(ok_, hot ? FrameStyle::Single : FrameStyle::None, hot,
                hot ? dialog::kHoverShift : dialog::kWowNormalShift, loadResString(StringId::Ok));
}

void FrmStatistics::onMouseMove(int, int, double x, double y) {
    const bool inside = hitTest(ok_, x, y);
    if (inside == ok_.hover) return;
    drawOk(inside);
    refresh();
}

void FrmStatistics::onMouseDown(int, int, double x, double y) {
    if (hitTest(ok_, x, y)) close();
}

void FrmStatistics::onKeyPress(char32_t ch) {
    if (ch == platform::key::kEscape || ch == platform::key::kEnter) close();
}

}  // namespace game::ui
