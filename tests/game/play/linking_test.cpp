// How presses link, unlink and submit.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "game/play/linking.h"

namespace {

using game::linking::Press;
using game::linking::PressKind;
using game::linking::pressCell;

game::GameData board4x4() { return playtest::board(4, 4, "CATSOXEMDRINLUPG"); }

// cellSelected holds exactly the chain's cells.
void expectChain(const game::GameData& g, std::vector<int> cells) {
    ASSERT_EQ(g.curWordLen(), static_cast<int>(cells.size()));
    for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(g.curPath()[static_cast<int>(i) + 1], cells[i]);
    for (int c = 1; c <= g.numCells(); ++c) {
        const bool on = std::find(cells.begin(), cells.end(), c) != cells.end();
        EXPECT_EQ(g.cellSelected()[c], on ? 1 : 0) << "cell " << c;
    }
}

TEST(PressCell, LinksNeighboursInAllEightDirections) {
    auto g = board4x4();
    // From cell 6 (column 1, row 1) every neighbour links.
    for (int n : {7, 10, 5, 2, 11, 3, 1, 9}) {
        g = board4x4();
        EXPECT_EQ(pressCell(g, 6, PressKind::Link), Press::Started);
        EXPECT_EQ(pressCell(g, n, PressKind::Link), Press::Linked) << n;
        expectChain(g, {6, n});
    }
}

TEST(PressCell, CellsTwoApartOrOnOppositeEdgesDoNotLink) {
    auto g = board4x4();
    pressCell(g, 4, PressKind::Link);  // column 3, row 0
    EXPECT_EQ(pressCell(g, 5, PressKind::Link), Press::Ignored) << "the next index, but the first cell of the next row";
    EXPECT_EQ(pressCell(g, 2, PressKind::Link), Press::Ignored);
    EXPECT_EQ(pressCell(g, 1, PressKind::Link), Press::Ignored) << "opposite edge: no wrapping";
    EXPECT_EQ(pressCell(g, 16, PressKind::Link), Press::Ignored);
    expectChain(g, {4});
}

}  // namespace
