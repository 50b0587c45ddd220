// Typing words on fixed boards: the chain after each letter spells every letter typed, moving to
// another path only when the one shown cannot take the letter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_fixture.h"
#include "game/play/typing.h"
#include "game/play/words.h"
#include "game_builder.h"

namespace {

using game::typing::chainAfterTyping;
using game::typing::setChain;
using Cells = std::vector<int>;

// Types each letter in turn; a refused letter fails the test.
void type(game::GameData& g, const std::string& letters) {
    for (const char c : letters) {
        const auto chain = chainAfterTyping(g, static_cast<unsigned char>(c));
        ASSERT_TRUE(chain.has_value()) << "'" << c << "' was refused";
        setChain(g, *chain);
    }
}

Cells chainOf(const game::GameData& g) {
    Cells cells;
    for (int i = 1; i <= g.curWordLen(); ++i) cells.push_back(g.curPath()[i]);
    return cells;
}

// cellSelected marks exactly the chain.
void expectMarks(const game::GameData& g) {
    const Cells chain = chainOf(g);
    for (int c = 1; c <= g.numCells(); ++c) {
        const bool on = std::find(chain.begin(), chain.end(), c) != chain.end();
        EXPECT_EQ(g.cellSelected()[c], on ? 1 : 0) << "cell " << c;
    }
}

TEST(Typing, AChainThatCannotTakeTheNextLetterMovesToThePathThatCan) {
    // "ca" fits c-a along the top row and c-a down to the right; only the second reaches a t.
    auto g = playtest::board(4, 4,
                             "acoo"
                             "ooao"
                             "ooot"
                             "oooo");
    type(g, "c");
    EXPECT_EQ(chainOf(g), (Cells{2}));
    type(g, "a");
    EXPECT_EQ(chainOf(g), (Cells{2, 1})) << "the first neighbour in step order";
    type(g, "t");
    EXPECT_EQ(chainOf(g), (Cells{2, 7, 12}));
    expectMarks(g);
    // A chain that can take the letter is kept and extended.
    type(g, "o");
    EXPECT_EQ(chainOf(g), (Cells{2, 7, 12, 16}));
}

TEST(Typing, TheSearchBacktracksAsFarAsItMustAndNoFurther) {
    // s-t-o runs along the top row, but only s-t-o down the left column reaches a p.
    auto g = playtest::board(4, 4,
                             "stox"
                             "txxx"
                             "oxxx"
                             "pxxx");
    type(g, "sto");
    EXPECT_EQ(chainOf(g), (Cells{1, 2, 3}));
    type(g, "p");
    EXPECT_EQ(chainOf(g), (Cells{1, 5, 9, 13}));
    expectMarks(g);

    // Nothing of the chain can stay: the whole path moves to the other corner.
    auto h = playtest::board(4, 4,
                             "caxx"
                             "xxxx"
                             "xxca"
                             "xxxt");
    type(h, "ca");
    EXPECT_EQ(chainOf(h), (Cells{1, 2}));
    type(h, "t");
    EXPECT_EQ(chainOf(h), (Cells{11, 12, 16}));
    expectMarks(h);
}

TEST(Typing, RepeatedLettersTakeDifferentCellsAndACellIsNeverUsedTwice) {
    auto g = playtest::board(4, 4,
                             "eetx"
                             "xxxx"
                             "xxxx"
                             "xxxx");
    type(g, "tee");
    EXPECT_EQ(chainOf(g), (Cells{3, 2, 1}));
    // A third e would have to be one of the two already on the chain.
    EXPECT_EQ(chainAfterTyping(g, 'e'), std::nullopt);
    EXPECT_EQ(chainOf(g), (Cells{3, 2, 1}));

    // a-b-a uses both a's; another b would need the b again.
    auto h = playtest::board(4, 4,
                             "abax"
                             "xxxx"
                             "xxxx"
                             "xxxx");
    type(h, "aba");
    EXPECT_EQ(chainOf(h), (Cells{1, 2, 3}));
    EXPECT_EQ(chainAfterTyping(h, 'b'), std::nullopt);
    // A letter the board does not hold is refused on an empty chain too.
    auto empty = playtest::board(4, 4, std::string(16, 'x'));
    EXPECT_EQ(chainAfterTyping(empty, 'q'), std::nullopt);
}

TEST(Typing, TheChainNeverGrowsPastSevenLetters) {
    auto g = playtest::board(4, 4, std::string(16, 'o'));
    type(g, "ooooooo");
    ASSERT_EQ(g.curWordLen(), 7);
    const Cells seven = chainOf(g);
    EXPECT_EQ(chainAfterTyping(g, 'o'), std::nullopt);
    EXPECT_EQ(chainOf(g), seven);
    expectMarks(g);
}

TEST(Typing, TypingContinuesFromAPressedChainAndKeepsIt) {
    // Two c-a pairs; the player pressed the second c, so typing a stays with it although the first
    // pair comes first in board order.
    auto g = playtest::board(4, 4,
                             "caoo"
                             "oooo"
                             "ooca"
                             "oooo");
    playtest::link(g, {11});
    type(g, "a");
    EXPECT_EQ(chainOf(g), (Cells{11, 12}));
    // A pressed chain the letters cannot continue gives way like a typed one.
    auto h = playtest::board(4, 4,
                             "caot"
                             "oooo"
                             "ooca"
                             "ooot");
    playtest::link(h, {1, 2});
    type(h, "t");
    EXPECT_EQ(chainOf(h), (Cells{11, 12, 16}));
    expectMarks(h);
}

TEST(Typing, EitherCaseTypesALetterAndNothingElseDoes) {
    auto g = playtest::board(4, 4,
                             "Caoo"
                             "oooo"
                             "oooo"
                             "oooo");
    type(g, "cA");
    EXPECT_EQ(chainOf(g), (Cells{1, 2}));
    for (const char32_t other : {U'1', U' ', U'-', U'\u00f8', U'\r'})
        EXPECT_EQ(chainAfterTyping(g, other), std::nullopt) << static_cast<unsigned>(other);
    EXPECT_TRUE(game::typing::isTypedLetter('z'));
    EXPECT_FALSE(game::typing::isTypedLetter('['));
}

TEST(Typing, AccentedLettersPlayTheLettersOfTheBoardsLanguage) {
    using game::letters::Language;
    auto g = playtest::board(4, 4,
                             "es\xE4o"
                             "s\xF1oo"
                             "oooo"
                             "oooo");
    g = game::testing::GameBuilder(g)
            .language(Language::French)
            .build();  // accents fold: é plays e, ä plays a (not on this board)
    EXPECT_EQ(chainAfterTyping(g, U'\u00e9'), (Cells{1}));
    EXPECT_EQ(chainAfterTyping(g, U'\u00e4'), std::nullopt);
    g = game::testing::GameBuilder(g).language(Language::German).build();  // Ä is a tile of its own; ß plays s then s
    EXPECT_EQ(chainAfterTyping(g, U'\u00c4'), (Cells{3}));
    EXPECT_EQ(chainAfterTyping(g, U'a'), std::nullopt);
    EXPECT_EQ(chainAfterTyping(g, U'\u00df'), (Cells{2, 5}));
    setChain(g, Cells{3, 2});
    EXPECT_EQ(game::words::chainWord(g), "\xC4S");  // the word submitted, in upper case as listed
    setChain(g, Cells{});
    g = game::testing::GameBuilder(g).language(Language::Spanish).build();  // Ñ is a tile of its own
    EXPECT_EQ(chainAfterTyping(g, U'\u00f1'), (Cells{6}));
    EXPECT_EQ(chainAfterTyping(g, U'n'), std::nullopt);
}

}  // namespace
