// Where the pointer is: which board cell a press hits, which word-list row it is over, and what
// its button means.
#include <gtest/gtest.h>

#include "game/play/game_data.h"
#include "game/ui/pointer.h"
#include "platform/window.h"

namespace {

using game::ui::cellAt;
using game::ui::ListArea;
using game::ui::listIndexAt;

// A 4-column board at the place the play surface puts it.
constexpr int kLeft = 242;
constexpr int kTop = 176;

double centreX(int column) { return kLeft + column * 44 + 22; }
double centreY(int row) { return kTop + row * 44 + 22; }

game::GameData board4x4() {
    game::GameData g;
    g.setBoard(4, 4);
    return g;
}

TEST(CellAt, EveryTileCentreHitsItsCell) {
    const auto g = board4x4();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(cellAt(g, kLeft, kTop, centreX(c), centreY(r)), c + r * 4 + 1);
}

TEST(CellAt, APressCountsWithin19PixelsOfACentreAndNotAt20) {
    const auto g = board4x4();
    const double x = centreX(1), y = centreY(2);  // cell 10
    for (auto [dx, dy] : {std::pair{-19.0, 0.0},
                          {19.0, 0.0},
                          {0.0, -19.0},
                          {0.0, 19.0},
                          {13.0, 13.0},
                          {-19.4, 0.0},
                          {18.5, 0.0},
                          {0.0, -6.0}})
        EXPECT_EQ(cellAt(g, kLeft, kTop, x + dx, y + dy), 10) << dx << ", " << dy;
    // 19.5 rounds to the even 20; 14, 14 is 19.8 away.
    for (auto [dx, dy] : {std::pair{-20.0, 0.0}, {20.0, 0.0}, {0.0, 20.0}, {0.0, -20.0}, {14.0, 14.0}, {-19.5, 0.0}})
        EXPECT_EQ(cellAt(g, kLeft, kTop, x + dx, y + dy), std::nullopt) << dx << ", " << dy;
}

TEST(CellAt, CornersBordersAndPlacesOffTheBoardHitNothing) {
    const auto g = board4x4();
    // Corners of cell 6's square.
    for (auto [x, y] : {std::pair{kLeft + 45.0, kTop + 45.0}, {kLeft + 87.0, kTop + 45.0}, {kLeft + 87.0, kTop + 87.0}})
        EXPECT_EQ(cellAt(g, kLeft, kTop, x, y), std::nullopt) << x << ", " << y;
    // The border line between two cells, level with their centres.
    EXPECT_EQ(cellAt(g, kLeft, kTop, kLeft + 44.0, centreY(0)), std::nullopt);
    EXPECT_EQ(cellAt(g, kLeft, kTop, centreX(2), kTop + 88.0), std::nullopt);
    // Left of, above, right of and below the board.
    EXPECT_EQ(cellAt(g, kLeft, kTop, kLeft - 10.0, centreY(0)), std::nullopt);
    EXPECT_EQ(cellAt(g, kLeft, kTop, centreX(0), kTop - 5.0), std::nullopt);
    EXPECT_EQ(cellAt(g, kLeft, kTop, centreX(3) + 44.0, centreY(0)), std::nullopt);
    EXPECT_EQ(cellAt(g, kLeft, kTop, centreX(0), centreY(3) + 44.0), std::nullopt);
}

TEST(ResultsHover, RowUnderThePointerIncludesTheBoxEdges) {
    const ListArea area{528, 60, 15, 20};
    EXPECT_EQ(listIndexAt(area, 1, 528, 60), 1);
    EXPECT_EQ(listIndexAt(area, 1, 648, 79.4), 1);
    EXPECT_EQ(listIndexAt(area, 1, 600, 79.5), 2);  // 19.5 rounds to the even 20
    EXPECT_EQ(listIndexAt(area, 1, 600, 80.5), 2);  // 20.5 rounds to 20
    EXPECT_EQ(listIndexAt(area, 5, 600, 305), 17);
    EXPECT_FALSE(listIndexAt(area, 1, 527.9, 100));
    EXPECT_FALSE(listIndexAt(area, 1, 648.1, 100));
    EXPECT_FALSE(listIndexAt(area, 1, 600, 59.9));
    EXPECT_FALSE(listIndexAt(area, 1, 600, 320.1));
}

TEST(PressKind, OnlyTheRightButtonSubmits) {
    EXPECT_EQ(game::ui::pressKind(platform::mouse::kRight), game::linking::PressKind::Submit);
    EXPECT_EQ(game::ui::pressKind(platform::mouse::kLeft), game::linking::PressKind::Link);
    EXPECT_EQ(game::ui::pressKind(platform::mouse::kMiddle), game::linking::PressKind::Link);
}

}  // namespace
