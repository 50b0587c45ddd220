// Golden images of the drawn elements, drawn with the synthetic sheet so that the drawing cannot
// drift. VARNOOK_UPDATE_GOLDEN=1 rewrites the goldens in tests/game/ui/golden/.
#include <gtest/gtest.h>

#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game/ui/strings.h"
#include "game_builder.h"
#include "ui_test_support.h"

namespace {

using namespace game::ui;
using namespace uitest;

// A 4 x 4 board with the chain V-A-R-N-O linked (cells 1, 2, 6, 11, 15).
game::GameData chainBoard() {
    game::GameData d = makeBoard(4, 4, "VAGQsRbLEmNkTWOd");
    return game::testing::GameBuilder(d).chain({1, 2, 6, 11, 15}).build();
}

// The board at (22, 22) on a 220 x 220 surface; text areas are the tiles with room for the shift.
std::unique_ptr<PixelSurface> renderBoard(const SpriteSheet& sheet, std::vector<Rect>* textAreas = nullptr) {
    auto s = makeSurface(220, 220, rgb(128, 128, 255), fontsize::kTiles);
    const game::GameData d = chainBoard();
    const BoxInfo board = boardBox(s.get(), 22, 22);
    drawBoardBack(board, d);
    drawAllTiles(sheet, board, d);
    if (textAreas)
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) textAreas->push_back(Rect{30 + 44 * c, 28 + 44 * r, 60 + 44 * c, 60 + 44 * r});
    return s;
}

std::unique_ptr<PixelSurface> renderStrip(const SpriteSheet& sheet, std::vector<Rect>* textAreas = nullptr) {
    auto s = makeSurface(330, 60, rgb(128, 128, 255), fontsize::kTiles);
    drawWordStrip(sheet, boardBox(s.get(), 11, 7), chainBoard());
    if (textAreas)
        for (int k = 0; k < 5; ++k) textAreas->push_back(Rect{21 + 44 * k, 14, 45 + 44 * k, 50});
    return s;
}

std::unique_ptr<PixelSurface> renderList(std::vector<Rect>* textAreas = nullptr) {
    auto s = makeSurface(140, 280, brPlay.color, fontsize::kList);
    s->selectPen(penFrame);
    game::GameData d;
    game::OneBased<std::string> words;
    for (const char* w : {"ARE", "EAR", "ERA", "OAR", "ORE", "RAN", "ROE", "VAN", "EARN", "NEAR", "ROVE", "OVEN",
                          "RAVEN", "ROVEN", "VARNOOK"}) {
        words.push_back(w);
    }
    d = game::testing::GameBuilder(d).found({"EAR", "RAN", "NEAR", "RAVEN"}).build();
    drawWordList(BoxInfo{s.get(), 10, 10, 15, 20}, d, words, words.size(), 2, 5);
    if (textAreas)
        for (int i = 0; i < 13; ++i) textAreas->push_back(Rect{25, 10 + 20 * i, 130, 25 + 20 * i});
    return s;
}

// Every sprite button, plain and highlighted, and the texture.
std::unique_ptr<PixelSurface> renderSprites(const SpriteSheet& sheet) {
    auto s = makeSurface(520, 260, brPanel.color, fontsize::kPanel);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 10, 10, 195, 105}, SpriteKind::Title, false);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 10, 125, 120, 20}, SpriteKind::UpBar, false);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 140, 125, 120, 20}, SpriteKind::UpBar, true);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 10, 155, 120, 20}, SpriteKind::DownBar, false);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 140, 155, 120, 20}, SpriteKind::DownBar, true);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 220, 10, 32, 32}, SpriteKind::SoundOn, false);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 260, 10, 32, 32}, SpriteKind::SoundOn, true);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 220, 50, 32, 32}, SpriteKind::SoundOff, false);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 260, 50, 32, 32}, SpriteKind::SoundOff, true);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 220, 90, 32, 32}, SpriteKind::Nothing, true);  // draws nothing
    auto texture = makeSurface(200, 120, rgb(0, 0, 0));
    drawTexture(sheet, *texture, 200, 120);
    s->bitBlt(310, 10, 200, 120, *texture, 0, 0, platform::Rop::Copy);
    return s;
}

std::unique_ptr<PixelSurface> renderProgress(const SpriteSheet& sheet) {
    auto s = makeSurface(330, 130, brPlay.color);
    int y = 4;
    for (double p : {0.0, 25.0, 50.0, 100.0, 150.0}) {
        drawProgressBar(sheet, BoxInfo{s.get(), 0, y, 330, 30}, p);
        y += 25;
    }
    return s;
}

TEST(Golden, BoardWithLinkedChain) {
    std::vector<Rect> text;
    const auto s = renderBoard(makeSyntheticSheet(), &text);
    EXPECT_EQ(compareWithGolden(*s, "board", text), "");
}

TEST(Golden, WordStrip) {
    std::vector<Rect> text;
    const auto s = renderStrip(makeSyntheticSheet(), &text);
    EXPECT_EQ(compareWithGolden(*s, "word_strip", text), "");
}

TEST(Golden, WordList) {
    std::vector<Rect> text;
    const auto s = renderList(&text);
    EXPECT_EQ(compareWithGolden(*s, "word_list", text), "");
}

TEST(Golden, SpritesAndProgressBar) {
    const SpriteSheet sheet = makeSyntheticSheet();
    EXPECT_EQ(compareWithGolden(*renderSprites(sheet), "sprites", {}), "");
    EXPECT_EQ(compareWithGolden(*renderProgress(sheet), "progress_bar", {}), "");
}

}  // namespace
