// Tiles, chain lines and the word strip: which cells are drawn, how the tile sprites combine, where
// letters and lines go.
#include <gtest/gtest.h>

#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game_builder.h"
#include "ui_test_support.h"

namespace {

using namespace game::ui;
using namespace uitest;

constexpr Color kBack = brPlay.color;

// Tile rectangle of a cell on a board at (50, 50): margin 2, pitch 44.
Rect tileRect(int col, int row) { return Rect{52 + col * 44, 52 + row * 44, 52 + col * 44 + 40, 52 + row * 44 + 40}; }

TEST(DrawTile, MaskThenPictureLeavesCornersTransparent) {
    const SpriteSheet sheet = makeSyntheticSheet();
    auto s = makeSurface(200, 200, kBack);
    game::GameData data = makeBoard(2, 2, "ABCD");
    drawTile(sheet, boardBox(s.get(), 50, 50), data, 1, false);
    drawTile(sheet, boardBox(s.get(), 50, 50), data, 4, true);

    for (auto [col, row, body] : {std::tuple{0, 0, kTilePlainBody}, std::tuple{1, 1, kTileLinkedBody}}) {
        const Rect t = tileRect(col, row);
        // Corners keep the background; the picture's body shows along the edges.
        EXPECT_EQ(s->pixel(t.left, t.top), kBack);
        EXPECT_EQ(s->pixel(t.left + 2, t.top), kBack);
        EXPECT_EQ(s->pixel(t.right - 1, t.bottom - 1), kBack);
        EXPECT_EQ(s->pixel(t.left + 3, t.top), body);
        EXPECT_EQ(s->pixel(t.left + 20, t.bottom - 1), body);
        EXPECT_EQ(s->pixel(t.left, t.top + 20), body);
        // The margin round the tile is not touched.
        EXPECT_EQ(s->pixel(t.left - 1, t.top + 20), kBack);
        EXPECT_EQ(s->pixel(t.right, t.top + 20), kBack);
    }
    // Cells 2 and 3 were not drawn.
    EXPECT_EQ(countOther(*s, tileRect(1, 0), kBack), 0);
    EXPECT_EQ(countOther(*s, tileRect(0, 1), kBack), 0);
}

TEST(DrawTile, LetterHasBlackShadowAndColouredCopyOnePixelRightAndUp) {
    const SpriteSheet sheet = makeSyntheticSheet();
    for (bool linked : {false, true}) {
        auto drawn = makeSurface(200, 200, kBack);
        drawTile(sheet, boardBox(drawn.get(), 50, 50), makeBoard(2, 2, "QBCD"), 1, linked);

        // The same tile with a blank letter, then the letter drawn by hand where it belongs.
        auto expected = makeSurface(200, 200, kBack);
        drawTile(sheet, boardBox(expected.get(), 50, 50), makeBoard(2, 2, " BCD"), 1, linked);
        const unsigned flags = platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine;
        expected->setTextColor(rgb(0, 0, 0));
        expected->drawText("Q", Rect{52, 52, 92, 92}, flags);
        expected->setTextColor(linked ? rgb(250, 250, 0) : rgb(240, 240, 100));
        expected->drawText("Q", Rect{54, 50, 92, 92}, flags);

        EXPECT_TRUE(sameImage(*drawn, *expected)) << "linked " << linked;
        EXPECT_GT(countColor(*drawn, tileRect(0, 0), linked ? rgb(250, 250, 0) : rgb(240, 240, 100)), 0);
    }
}

TEST(DrawAllTiles, DrawsEveryLetterAndSkipsCodeZero) {
    const SpriteSheet sheet = makeSyntheticSheet();
    auto s = makeSurface(250, 200, kBack);
    game::GameData data = makeBoard(3, 2, "A??B??");
    data =
        game::testing::GameBuilder(data).letter(2, 0).letter(3, 129).letter(5, 128).letter(6, 255).chain({4}).build();
    drawAllTiles(sheet, boardBox(s.get(), 50, 50), data);

    EXPECT_EQ(s->pixel(tileRect(0, 0).left + 20, tileRect(0, 0).top), kTilePlainBody);   // 'A'
    EXPECT_EQ(countOther(*s, tileRect(1, 0), kBack), 0);                                 // code 0
    EXPECT_EQ(s->pixel(tileRect(2, 0).left + 20, tileRect(2, 0).top), kTilePlainBody);   // code 129
    EXPECT_EQ(s->pixel(tileRect(0, 1).left + 20, tileRect(0, 1).top), kTileLinkedBody);  // 'B', linked
    EXPECT_EQ(s->pixel(tileRect(1, 1).left + 20, tileRect(1, 1).top), kTilePlainBody);   // code 128
    EXPECT_EQ(s->pixel(tileRect(2, 1).left + 20, tileRect(2, 1).top), kTilePlainBody);   // code 255
}

TEST(DrawAllTiles, LowerCaseLettersShowUpperCase) {
    const SpriteSheet sheet = makeSyntheticSheet();
    auto lower = makeSurface(250, 250, kBack);
    auto upper = makeSurface(250, 250, kBack);
    auto other = makeSurface(250, 250, kBack);
    drawAllTiles(sheet, boardBox(lower.get(), 50, 50), makeBoard(3, 3, "abcxyz\xE4\xF6\xF1"));
    drawAllTiles(sheet, boardBox(upper.get(), 50, 50), makeBoard(3, 3, "ABCXYZ\xC4\xD6\xD1"));
    drawAllTiles(sheet, boardBox(other.get(), 50, 50), makeBoard(3, 3, "ABCXYZ\xC4\xD6N"));
    EXPECT_TRUE(sameImage(*lower, *upper));
    EXPECT_FALSE(sameImage(*upper, *other));  // the letters are really drawn
}

TEST(DrawBoardBack, ClearsBoardWithHalfCellMarginAndJoinsChainCentres) {
    auto s = makeSurface(400, 400, rgb(0, 0, 0));
    game::GameData data = makeBoard(3, 3, "ABCDEFGHI");
    data = game::testing::GameBuilder(data).chain({1, 2, 5}).build();
    drawBoardBack(boardBox(s.get(), 100, 100), data);

    // Cleared area (78, 78) - (254, 254).
    EXPECT_EQ(s->pixel(78, 78), kBack);
    EXPECT_EQ(s->pixel(253, 253), kBack);
    EXPECT_EQ(s->pixel(77, 100), rgb(0, 0, 0));
    EXPECT_EQ(s->pixel(254, 100), rgb(0, 0, 0));
    EXPECT_EQ(s->pixel(100, 254), rgb(0, 0, 0));

    // Cell 1's centre is (122, 122), cell 2's (166, 122), cell 5's (166, 166); the pen is 3 pixels.
    for (int dy : {-1, 0, 1}) EXPECT_EQ(s->pixel(140, 122 + dy), penChain.color);
    EXPECT_EQ(s->pixel(140, 124), kBack);
    for (int dx : {-1, 0, 1}) EXPECT_EQ(s->pixel(166 + dx, 145), penChain.color);
    EXPECT_EQ(s->pixel(169, 145), kBack);
    // No line from cell 5 back to cell 1.
    EXPECT_EQ(s->pixel(144, 144), kBack);

    // A chain of one letter has no lines.
    data = game::testing::GameBuilder(data).chain({1}).build();
    drawBoardBack(boardBox(s.get(), 100, 100), data);
    EXPECT_EQ(countColor(*s, Rect{0, 0, 400, 400}, penChain.color), 0);
}

class WordStrip : public ::testing::Test {
protected:
    static BoxInfo strip(platform::Surface* s) { return boardBox(s, 20, 10); }
    static Rect slot(int k) {
        const int left = 20 + (k - 1) * 44 + 2;
        return Rect{left, 13, left + 40, 56};
    }
    SpriteSheet sheet = makeSyntheticSheet();
};

TEST_F(WordStrip, ShowsLinkedLettersInSlotsFramedSevenTimes) {
    auto s = makeSurface(400, 80, rgb(0, 0, 0));
    game::GameData data = makeBoard(3, 3, "ABCDEFGHI");
    data = game::testing::GameBuilder(data).chain({5, 1, 9}).build();
    drawWordStrip(sheet, strip(s.get()), data);

    // Area (20, 10) - (328, 56) in brPlay; nothing outside.
    EXPECT_EQ(s->pixel(19, 30), rgb(0, 0, 0));
    EXPECT_EQ(s->pixel(328, 30), rgb(0, 0, 0));
    EXPECT_EQ(s->pixel(30, 56), rgb(0, 0, 0));
    // Slots 1..3 hold tiles (top left at (left, 13)), slot 4 does not.
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(s->pixel(slot(k).left + 20, 13), kTilePlainBody) << k;
    EXPECT_EQ(s->pixel(slot(4).left + 20, 13), kBack);
    EXPECT_EQ(countOther(*s, Rect{slot(4).left, 13, slot(4).right, 54}, kBack), 0);
    // The letter is one colour, no shadow: black never appears in the strip.
    EXPECT_GT(countColor(*s, slot(1), clrStripLetter), 0);
    EXPECT_EQ(countColor(*s, Rect{21, 11, 327, 55}, rgb(0, 0, 0)), 0);
    // Seven frames (20 + 44 (k - 1), 10) - (20 + 44 k, 56).
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(s->pixel(20 + (k - 1) * 44, 30), penFrame.color) << k;
        EXPECT_EQ(s->pixel(20 + k * 44 - 1, 30), penFrame.color) << k;
        EXPECT_EQ(s->pixel(20 + (k - 1) * 44 + 30, 10), penFrame.color) << k;
        EXPECT_EQ(s->pixel(20 + (k - 1) * 44 + 30, 55), penFrame.color) << k;
    }
}

TEST_F(WordStrip, LettersAreUpperCaseOnBoardStripAndWordStrip) {
    auto fromLower = makeSurface(400, 80, rgb(0, 0, 0));
    auto fromUpper = makeSurface(400, 80, rgb(0, 0, 0));
    game::GameData lower = makeBoard(2, 2, "qrst");
    game::GameData upper = makeBoard(2, 2, "QRST");
    for (game::GameData* d : {&lower, &upper}) {
        *d = game::testing::GameBuilder(*d).chain({4, 1}).build();
    }
    drawWordStrip(sheet, strip(fromLower.get()), lower);
    drawWordStrip(sheet, strip(fromUpper.get()), upper);
    EXPECT_TRUE(sameImage(*fromLower, *fromUpper));

    auto text = makeSurface(400, 80, rgb(0, 0, 0));
    drawWordStripText(sheet, strip(text.get()), "tq");
    EXPECT_TRUE(sameImage(*text, *fromUpper));
}

TEST_F(WordStrip, TextShowsAtMostSevenLetters) {
    auto longWord = makeSurface(400, 80, rgb(0, 0, 0));
    auto seven = makeSurface(400, 80, rgb(0, 0, 0));
    drawWordStripText(sheet, strip(longWord.get()), "abcdefghij");
    drawWordStripText(sheet, strip(seven.get()), "ABCDEFG");
    EXPECT_TRUE(sameImage(*longWord, *seven));
    EXPECT_EQ(longWord->pixel(slot(7).left + 20, 13), kTilePlainBody);
    EXPECT_EQ(longWord->pixel(340, 30), rgb(0, 0, 0));
}

}  // namespace
