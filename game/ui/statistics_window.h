// frmStatistics: the player's statistics in a window of their own. Per way of playing the games
// played and finished, the best and average score and the longest word; for the daily puzzle the
// days played, the current and longest streak, and a bar chart of the required words found on each
// of the last 30 days. "OK", Esc or Enter close it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "game/play/statistics.h"
#include "game/ui/box_info.h"
#include "game/ui/dialogs.h"

namespace game::ui {

// Fixed layout, in pixels; u is the layout unit (cellSize).
namespace statistics_window {
constexpr int kU = kCellSize;
constexpr int kClientW = 12 * kU;  // 528
constexpr int kClientH = 11 * kU;  // 484

constexpr int kTitleTop = kU / 4;
constexpr int kTitleHeight = 30;
constexpr double kTitlePoints = 14;

// The table: a heading row, then Classic, Arcade and Daily.
constexpr int kTableLeft = kU / 2;
constexpr int kTableTop = kU + kU / 4;
constexpr int kRowHeight = kU * 3 / 4;  // 33
constexpr int kModeWidth = 2 * kU;
constexpr int kFigureWidth = kU * 3 / 2;  // played, finished, best, average
constexpr int kWordWidth = kClientW - kU - kModeWidth - 4 * kFigureWidth;
constexpr double kTablePoints = 10;

// The daily line under the table, and the chart under it.
constexpr int kDailyTop = kTableTop + 4 * kRowHeight + kU / 4;
constexpr int kChartLabelTop = kDailyTop + kRowHeight;
constexpr int kChartLeft = kU / 2;
constexpr int kChartTop = kChartLabelTop + kRowHeight;
constexpr int kChartWidth = kClientW - kU;
constexpr int kChartHeight = 3 * kU;
constexpr int kBarGap = 2;
// A bar as high as the chart stands for this many words; more are drawn as high.
constexpr int kChartFullScale = 60;

constexpr int kButtonTop = kClientH - kU;
constexpr int kButtonWidth = 2 * kU;
constexpr int kTextShift = 1;
}  // namespace statistics_window

class FrmStatistics final : public ModalDialog {
public:
    // today (a day number) ends the chart and decides whether the streak still stands.
    FrmStatistics(platform::Ui& ui, platform::Graphics& graphics, const Statistics& stats, std::int64_t today)
        : ModalDialog(ui, graphics), stats_(stats), today_(today) {}

    // Shows the window without blocking.
    void show();

    const BoxInfo& okButton() const { return ok_; }
    // The chart's area, and the bar of day i (0 the oldest of the 30); a day not played has a bar of
    // height 0 at the chart's foot.
    const BoxInfo& chart() const { return chart_; }
    const BoxInfo& bar(int i) const { return bars_[static_cast<std::size_t>(i)]; }

    void onMouseDown(int button, int shift, double x, double y) override;
    void onMouseMove(int button, int shift, double x, double y) override;
    void onKeyPress(char32_t ch) override;

protected:
    std::string_view caption() const override { return loadResString(StringId::Statistics); }
    int clientWidth() const override { return statistics_window::kClientW; }
    int clientHeight() const override { return statistics_window::kClientH; }
    void paint() override;

private:
    void drawOk(bool hot);

    const Statistics& stats_;
    std::int64_t today_;
    BoxInfo ok_{};
    BoxInfo chart_{};
    std::array<BoxInfo, DailyStatistics::kHistoryDays> bars_{};
};

}  // namespace game::ui
