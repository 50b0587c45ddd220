// The word list, sprite buttons, progress bar, text buttons, shadowed text, texture and the sheet
// loading.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "game/ui/draw.h"
#include "game/ui/palette.h"
#include "game_builder.h"
#include "ui_test_support.h"

namespace {

using namespace game::ui;
using namespace uitest;

constexpr Color kBack = rgb(0, 0, 0);

// The list box of the play surface, at (20, 10): text indent 15, line pitch 20, 120 x 260.
class WordList : public ::testing::Test {
protected:
    void SetUp() override {
        surface = makeSurface(200, 320, kBack, fontsize::kList);
        surface->selectPen(penFrame);
        box.surface = surface.get();
        box.x = 20;
        box.y = 10;
        box.wid = 15;
        box.ht = 20;
        for (int i = 1; i <= 30; ++i) words.push_back("WORD" + std::to_string(i));
    }
    Rect row(int i) const { return Rect{35, 10 + 20 * i, 140, 10 + 20 * i + 15}; }
    bool rowHasText(int i) const { return countOther(*surface, row(i), brPanel.color) > 0; }
    int rowsWithText() const {
        int n = 0;
        for (int i = 0; i < 13; ++i) n += rowHasText(i);
        return n;
    }
    bool outsideUntouched() const {
        return countOther(*surface, Rect{0, 270, 200, 320}, kBack) == 0 &&
               countOther(*surface, Rect{140, 0, 200, 320}, kBack) == 0;
    }

    std::unique_ptr<PixelSurface> surface;
    BoxInfo box;
    game::GameData data;
    game::OneBased<std::string> words;
};

TEST_F(WordList, CountZeroOnlyClearsTheBox) {
    drawWordList(box, data, words, 0, 1, 0);
    EXPECT_EQ(countOther(*surface, Rect{20, 10, 140, 270}, brPanel.color), 0);
    EXPECT_TRUE(outsideUntouched());
}

TEST_F(WordList, TwentyEntriesAheadDrawThirteenRows) {
    drawWordList(box, data, words, 25, 5, 0);
    EXPECT_EQ(rowsWithText(), 13);
    EXPECT_TRUE(outsideUntouched());

    // Row 12 shows entry 17, drawn as a plain left-aligned, vertically centred line.
    auto expected = makeSurface(200, 320, brPanel.color, fontsize::kList);
    expected->setTextColor(clrText);
    expected->drawText("WORD17", row(12), platform::text::kSingleLine | platform::text::kVCenter);
    for (int y = row(12).top; y < row(12).bottom; ++y)
        for (int x = row(12).left; x < row(12).right; ++x)
            ASSERT_EQ(surface->pixel(x, y), expected->pixel(x, y)) << x << "," << y;
}

TEST_F(WordList, CountEqualToFirstDrawsOneRow) {
    drawWordList(box, data, words, 7, 7, 0);
    EXPECT_EQ(rowsWithText(), 1);
    EXPECT_TRUE(rowHasText(0));
}

TEST_F(WordList, ShortListDrawsEntriesFirstToCount) {
    drawWordList(box, data, words, 5, 1, 0);
    EXPECT_EQ(rowsWithText(), 5);
    EXPECT_TRUE(rowHasText(4));
    EXPECT_FALSE(rowHasText(5));
}

TEST_F(WordList, FoundWordsExactlyMatchedShowHighlighted) {
    game::OneBased<std::string> list;
    for (const char* w : {"CAT", "cat", "DOG", "CATS"}) list.push_back(w);
    data = game::testing::GameBuilder(data).found({"CAT"}).build();  // only "CAT" is found
    drawWordList(box, data, list, 4, 1, 0);

    EXPECT_GT(countColor(*surface, row(0), clrHiText), 0);
    EXPECT_EQ(countColor(*surface, row(0), clrText), 0);
    for (int i : {1, 2, 3}) {
        EXPECT_GT(countColor(*surface, row(i), clrText), 0) << i;
        EXPECT_EQ(countColor(*surface, row(i), clrHiText), 0) << i;
    }
}

TEST_F(WordList, SelectedEntryIsFramedWithTheCurrentPen) {
    drawWordList(box, data, words, 30, 3, 4);                                     // entry 4 is row 1
    EXPECT_EQ(countColor(*surface, Rect{20, 30, 140, 31}, penFrame.color), 120);  // top edge
    EXPECT_EQ(countColor(*surface, Rect{20, 44, 140, 45}, penFrame.color), 120);  // bottom edge, top + 15 - 1
    EXPECT_EQ(surface->pixel(20, 37), penFrame.color);
    EXPECT_EQ(surface->pixel(139, 37), penFrame.color);
    // No other row is framed.
    EXPECT_EQ(countColor(*surface, Rect{20, 10, 35, 30}, penFrame.color), 0);
    EXPECT_EQ(countColor(*surface, Rect{20, 45, 35, 270}, penFrame.color), 0);
}

TEST(DrawSpriteBtn, EachKindCopiesItsRegion) {
    const SpriteSheet sheet = makeSyntheticSheet();
    struct Case {
        int kind;
        Sprite plain;
        Sprite hi;
    };
    for (Case c : {Case{0, Sprite::SoundOff, Sprite::SoundOffHi}, Case{1, Sprite::SoundOn, Sprite::SoundOnHi},
                   Case{3, Sprite::UpBar, Sprite::UpBarHi}, Case{4, Sprite::DownBar, Sprite::DownBarHi},
                   Case{5, Sprite::Title, Sprite::Title}}) {
        for (bool hi : {false, true}) {
            const SheetRegion& r = region(c.plain);
            auto s = makeSurface(300, 200, kBack);
            BoxInfo box{s.get(), 20, 30, r.width, r.height};
            drawSpriteBtn(sheet, box, static_cast<SpriteKind>(c.kind), hi);
            const Color want = solidColor(hi ? c.hi : c.plain);
            EXPECT_EQ(countColor(*s, Rect{20, 30, 20 + r.width, 30 + r.height}, want), r.width * r.height)
                << "kind " << c.kind << " hi " << hi;
            EXPECT_EQ(countOther(*s, Rect{0, 0, 300, 30}, kBack), 0);
            EXPECT_EQ(countOther(*s, Rect{0, 30 + r.height, 300, 200}, kBack), 0);
            EXPECT_EQ(countOther(*s, Rect{20 + r.width, 0, 300, 200}, kBack), 0);
            EXPECT_EQ(countOther(*s, Rect{0, 0, 20, 200}, kBack), 0);
        }
    }
}

TEST(DrawSpriteBtn, KindTwoAndUnknownKindsDrawNothing) {
    const SpriteSheet sheet = makeSyntheticSheet();
    for (int kind : {2, -1, 6, 100}) {
        for (bool hi : {false, true}) {
            auto s = makeSurface(300, 200, kBack);
            drawSpriteBtn(sheet, BoxInfo{s.get(), 20, 30, 120, 105}, static_cast<SpriteKind>(kind), hi);
            EXPECT_EQ(countOther(*s, Rect{0, 0, 300, 200}, kBack), 0) << kind;
        }
    }
}

// The bar of a box at (10, 5): drawn at (22, 5), 283 x 18.
class ProgressBar : public ::testing::Test {
protected:
    void draw(double percent) {
        surface = makeSurface(330, 30, kBack);
        drawProgressBar(sheet, BoxInfo{surface.get(), 10, 5, 330, 30}, percent);
    }
    // Columns of the bar that came from the full bar; -1 if any pixel came from the wrong place.
    int filledColumns() const {
        int full = 0;
        while (full < 283 && surface->pixel(22 + full, 5) == barFullColumn(full)) ++full;
        for (int c = 0; c < 283; ++c)
            for (int y = 5; y < 23; ++y)
                if (surface->pixel(22 + c, y) != (c < full ? barFullColumn(c) : barEmptyColumn(c))) return -1;
        return full;
    }
    bool outsideUntouched() const {
        return countOther(*surface, Rect{0, 0, 330, 5}, kBack) == 0 &&
               countOther(*surface, Rect{0, 23, 330, 30}, kBack) == 0 &&
               countOther(*surface, Rect{0, 0, 22, 30}, kBack) == 0 &&
               countOther(*surface, Rect{305, 0, 330, 30}, kBack) == 0;
    }
    SpriteSheet sheet = makeSyntheticSheet();
    std::unique_ptr<PixelSurface> surface;
};

TEST_F(ProgressBar, FillsByPercentRoundedHalfToEven) {
    struct Case {
        double percent;
        int filled;
    };
    for (Case c : {Case{150, 283}, Case{100, 283}, Case{0, 0}, Case{50, 142}, Case{100.0 / 3, 94}, Case{99.9, 283},
                   Case{0.1, 0}}) {
        draw(c.percent);
        EXPECT_EQ(filledColumns(), c.filled) << c.percent;
        EXPECT_TRUE(outsideUntouched()) << c.percent;
    }
}

TEST_F(ProgressBar, NegativeAndUndefinedPercentShowTheEmptyBar) {
    for (double p : {-20.0, -1e300, std::nan("")}) {
        draw(p);
        EXPECT_EQ(filledColumns(), 0) << p;
        EXPECT_TRUE(outsideUntouched()) << p;
    }
}

// A button at (10, 10), 120 x 30, panel blue with a dialog pen.
class TextButton : public ::testing::Test {
protected:
    void SetUp() override {
        surface = makeSurface(200, 60, kBack, fontsize::kPanel);
        box = BoxInfo{surface.get(), 10, 10, 120, 30, false, brPanel, penDialog, clrText};
    }
    std::unique_ptr<PixelSurface> surface;
    BoxInfo box;
};

TEST_F(TextButton, FrameStyles) {
    drawTextBtn(box, static_cast<FrameStyle>(0), false, 4, "");
    EXPECT_EQ(countColor(*surface, Rect{10, 10, 130, 40}, brPanel.color), 120 * 30);
    EXPECT_EQ(countOther(*surface, Rect{0, 40, 200, 60}, kBack), 0);

    drawTextBtn(box, static_cast<FrameStyle>(1), true, 8, "");
    EXPECT_EQ(countColor(*surface, Rect{10, 10, 130, 40}, penDialog.color), 2 * 120 + 2 * 28);
    EXPECT_EQ(surface->pixel(11, 11), brPanel.color);

    drawTextBtn(box, static_cast<FrameStyle>(2), true, 8, "");
    EXPECT_EQ(countColor(*surface, Rect{10, 10, 130, 40}, penDialog.color), 2 * 120 + 2 * 28);
    EXPECT_EQ(countColor(*surface, Rect{11, 11, 129, 39}, penFrame.color), 2 * 118 + 2 * 26);
    EXPECT_EQ(surface->pixel(12, 12), brPanel.color);

    drawTextBtn(box, static_cast<FrameStyle>(7), true, 8, "");  // unknown styles have no frame
    EXPECT_EQ(countColor(*surface, Rect{10, 10, 130, 40}, brPanel.color), 120 * 30);
}

TEST_F(TextButton, CaptionSitsHalfTheShiftRightAndUpOfItsShadow) {
    const unsigned flags = platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine;
    for (auto [shift, hi] : {std::pair{4, false}, std::pair{8, true}, std::pair{6, false}, std::pair{1, false}}) {
        drawTextBtn(box, static_cast<FrameStyle>(0), hi, shift, "Hall of Fame");
        auto expected = makeSurface(200, 60, kBack, fontsize::kPanel);
        expected->fillRect(Rect{10, 10, 130, 40}, brPanel);
        expected->setTextColor(rgb(0, 0, 0));
        expected->drawText("Hall of Fame", Rect{10, 10, 130, 40}, flags);
        expected->setTextColor(hi ? clrHiText : clrText);
        expected->drawText("Hall of Fame", Rect{10, 10, 130 + shift, 40 - shift}, flags);
        EXPECT_TRUE(sameImage(*surface, *expected)) << shift;

        EXPECT_GT(countColor(*surface, Rect{10, 10, 130, 40}, hi ? clrHiText : clrText), 0);
        EXPECT_EQ(countColor(*surface, Rect{10, 10, 130, 40}, hi ? clrText : clrHiText), 0);
    }
}

TEST(DrawShadowText, DefaultFormatIsTopLeftWithFullShift) {
    auto drawn = makeSurface(200, 80, brPlay.color, fontsize::kPanel);
    BoxInfo box{drawn.get(), 10, 10, 150, 50, false, brPlay, {}, clrPanel};
    drawShadowText(box, 1, "Anonoymous\n0");

    auto expected = makeSurface(200, 80, brPlay.color, fontsize::kPanel);
    expected->setTextColor(rgb(0, 0, 0));
    expected->drawText("Anonoymous\n0", Rect{10, 10, 160, 60}, platform::text::kVCenter);
    expected->setTextColor(clrPanel);
    expected->drawText("Anonoymous\n0", Rect{11, 9, 160, 60}, platform::text::kVCenter);
    EXPECT_TRUE(sameImage(*drawn, *expected));

    // A given format is used as it is for both passes.
    const unsigned centred = platform::text::kCenter | platform::text::kVCenter | platform::text::kSingleLine;
    drawShadowText(box, 3, "10 points", static_cast<int>(centred));
    expected->setTextColor(rgb(0, 0, 0));
    expected->drawText("10 points", Rect{10, 10, 160, 60}, centred);
    expected->setTextColor(clrPanel);
    expected->drawText("10 points", Rect{13, 7, 160, 60}, centred);
    EXPECT_TRUE(sameImage(*drawn, *expected));
}

TEST(DrawTexture, StretchesTheTextureOverTheSurface) {
    const SpriteSheet sheet = makeSyntheticSheet();
    auto s = makeSurface(340, 170, kBack);
    drawTexture(sheet, *s, 340, 170);
    EXPECT_EQ(countColor(*s, Rect{0, 0, 170, 85}, kTextureQuadrant[0]), 170 * 85);
    EXPECT_EQ(countColor(*s, Rect{170, 0, 340, 85}, kTextureQuadrant[1]), 170 * 85);
    EXPECT_EQ(countColor(*s, Rect{0, 85, 170, 170}, kTextureQuadrant[2]), 170 * 85);
    EXPECT_EQ(countColor(*s, Rect{170, 85, 340, 170}, kTextureQuadrant[3]), 170 * 85);
}

// Writes a 24-bit bottom-up BMP of the picture.
void writeBmp(const platform::Surface& pic, const std::filesystem::path& path) {
    const int w = pic.width(), h = pic.height();
    const int stride = (3 * w + 3) & ~3;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * h);
    std::vector<std::uint8_t> b(size, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Color c = pic.pixel(x, h - 1 - y);
            const std::size_t at = 54 + static_cast<std::size_t>(y * stride + 3 * x);
            b[at] = static_cast<std::uint8_t>(platform::blueOf(c));
            b[at + 1] = static_cast<std::uint8_t>(platform::greenOf(c));
            b[at + 2] = static_cast<std::uint8_t>(platform::redOf(c));
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

TEST(InitGraphics, LoadsTheSheetFromTheProgramFolder) {
    const auto dir = std::filesystem::temp_directory_path() / "varnook_ui_sheet_test";
    std::filesystem::create_directories(dir);
    writeBmp(*makeSyntheticPicture(), dir / "ALLPICDATA.BMP");

    platform::SoftGraphics graphics;
    const SpriteSheet sheet = initGraphics(graphics, dir.string() + "/");
    ASSERT_FALSE(sheet.empty());
    EXPECT_EQ(sheet.surface()->width(), 283);
    EXPECT_EQ(sheet.surface()->height(), 232);

    auto s = makeSurface(100, 40, kBack);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 0, 0, 32, 32}, SpriteKind::SoundOn, true);
    EXPECT_EQ(s->pixel(31, 31), solidColor(Sprite::SoundOnHi));
    std::filesystem::remove_all(dir);
}

TEST(InitGraphics, MissingSheetDrawsNoSpritesButStillText) {
    platform::SoftGraphics graphics;
    const SpriteSheet sheet = initGraphics(graphics, "/nonexistent/varnook/");
    EXPECT_TRUE(sheet.empty());

    auto s = makeSurface(300, 300, kBack);
    drawSpriteBtn(sheet, BoxInfo{s.get(), 0, 0, 120, 20}, SpriteKind::UpBar, false);
    drawProgressBar(sheet, BoxInfo{s.get(), 0, 30, 330, 30}, 50);
    drawTexture(sheet, *s, 300, 300);
    EXPECT_EQ(countOther(*s, Rect{0, 0, 300, 300}, kBack), 0);

    drawAllTiles(sheet, boardBox(s.get(), 100, 100), makeBoard(2, 2, "WXYZ"));
    EXPECT_GT(countColor(*s, Rect{102, 102, 142, 142}, clrTilePlain), 0);
}

}  // namespace

TEST(FitOneLine, ALongTextEndsWithAWholeWordAndAnEllipsisAShortOneStaysWhole) {
    platform::SoftGraphics graphics;
    const platform::Font font{"Times New Roman", 10, false};
    EXPECT_EQ(fitOneLine(graphics, font, "ACE: n. the smallest whole number", 400), "ACE: n. the smallest whole number");
    const std::string longer = "ACE: n. the smallest whole number or a numeral representing this number; v. succeed";
    const std::string cut = fitOneLine(graphics, font, longer, 200);
    ASSERT_TRUE(cut.ends_with("\x85")) << cut;
    const std::string kept = cut.substr(0, cut.size() - 1);
    EXPECT_TRUE(longer.starts_with(kept + " ")) << cut;
    EXPECT_GT(kept.size(), 10u) << "as many words as fit, not none";
    EXPECT_EQ(fitOneLine(graphics, font, longer, 1), "\x85") << "not one word fits";
}
