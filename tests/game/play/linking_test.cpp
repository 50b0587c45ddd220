// Which cell a press hits, and how presses link, unlink and submit.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "game/play/linking.h"

namespace {

using game::linking::cellAt;
using game::linking::Press;
using game::linking::pressCell;

// A 4-column board at the place the play surface puts it.
constexpr int kLeft = 242;
constexpr int kTop = 176;

double centreX(int column) { return kLeft + column * 44 + 22; }
double centreY(int row) { return kTop + row * 44 + 22; }

game::GameData board4x4() { return playtest::board(4, 4, "CATSOXEMDRINLUPG"); }

// cellSelected holds exactly the chain's cells.
void expectChain(const game::GameData& g, std::vector<int> cells) {
    ASSERT_EQ(g.curWordLen, static_cast<int>(cells.size()));
    for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(g.curPath[static_cast<int>(i) + 1], cells[i]);
    for (int c = 1; c <= g.numCells(); ++c) {
        const bool on = std::find(cells.begin(), cells.end(), c) != cells.end();
        EXPECT_EQ(g.cellSelected[c], on ? 1 : 0) << "cell " << c;
    }
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

TEST(PressCell, LinksNeighboursInAllEightDirections) {
    auto g = board4x4();
    // From cell 6 (column 1, row 1) every neighbour links.
    for (int n : {7, 10, 5, 2, 11, 3, 1, 9}) {
        g = board4x4();
        EXPECT_EQ(pressCell(g, 6, 1), Press::Started);
        EXPECT_EQ(pressCell(g, n, 1), Press::Linked) << n;
        expectChain(g, {6, n});
    }
}

TEST(PressCell, CellsTwoApartOrOnOppositeEdgesDoNotLink) {
    auto g = board4x4();
    pressCell(g, 4, 1);  // column 3, row 0
    EXPECT_EQ(pressCell(g, 5, 1), Press::Ignored) << "the next index, but the first cell of the next row";
    EXPECT_EQ(pressCell(g, 2, 1), Press::Ignored);
    EXPECT_EQ(pressCell(g, 1, 1), Press::Ignored) << "opposite edge: no wrapping";
    EXPECT_EQ(pressCell(g, 16, 1), Press::Ignored);
    expectChain(g, {4});
}

}  // namespace
