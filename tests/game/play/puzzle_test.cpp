// The game's puzzle tables as the engine fills them: newPuzzle, restorePuzzle, the Arcade cap, the
// list of all solution words, and the seeds the game draws.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine_fixture.h"
#include "game/play/linking.h"
#include "game/play/puzzle.h"
#include "game/play/uniform_random.h"
#include "game_builder.h"

namespace {

using game::GameData;
using game::GameMode;

GameData sized(int w, int h) {
    GameData g;
    g.setBoard(w, h);
    return g;
}

// A new puzzle from seed on the board g already has.
void makePuzzle(GameData& g, int seed) { game::newPuzzle(g, playtest::engine(), g.gridWidth(), g.gridHeight(), seed); }

// Every table the puzzle procedures fill, for comparing two puzzles.
std::string tables(const GameData& g) {
    std::string out = std::to_string(g.numSolutionWords()) + "/" + std::to_string(g.targetPoints()) + ":";
    for (int k = 1; k <= 9; ++k) {
        const auto& list = g.wordLists()[k];
        out += "|" + std::to_string(list.count());
        for (int i = 1; i <= list.count(); ++i) {
            out += " " + list.words[i] + "@";
            for (auto c : list.paths[i]) out += std::to_string(c) + ".";
        }
    }
    return out;
}

TEST(NewPuzzle, FillsTheBoardAndWordTablesConsistently) {
    GameData g = sized(6, 6);
    g = game::testing::GameBuilder(g).found({"OLD", "OLD", "OLD", "OLD"}).chain({1, 2, 3}).build();
    makePuzzle(g, 1234);

    EXPECT_EQ(g.numCells(), 36);
    EXPECT_EQ(g.numFoundWords(), 0);
    EXPECT_EQ(g.curWordLen(), 0);
    ASSERT_EQ(g.gridLetters().size(), 36);
    ASSERT_EQ(g.cellSelected().size(), 36);
    for (int i = 1; i <= 36; ++i) {
        EXPECT_TRUE(g.gridLetters()[i] >= 'a' && g.gridLetters()[i] <= 'z') << "cell " << i;
        EXPECT_EQ(g.cellSelected()[i], 0);
    }

    int words3to10 = 0, words3to7 = 0, points = 0;
    for (int k = 1; k <= 9; ++k) {
        const auto& list = g.wordLists()[k];
        if (k >= 2) words3to10 += list.count();
        // Only words a chain can link count towards the target.
        if (k >= 2 && k <= 6) {
            words3to7 += list.count();
            points += list.count() * game::wordPoints(k + 1);
        }
        for (int i = 1; i <= list.count(); ++i) {
            const std::string& w = list.words[i];
            ASSERT_EQ(static_cast<int>(w.size()), k + 1);
            ASSERT_EQ(static_cast<int>(list.paths[i].size()), k + 1);
            // The path spells the word in upper case, one neighbour after another.
            for (int j = 0; j <= k; ++j) {
                const int cell = list.paths[i][static_cast<std::size_t>(j)] + 1;
                ASSERT_TRUE(cell >= 1 && cell <= 36);
                EXPECT_EQ(w[static_cast<std::size_t>(j)], g.gridLetters()[cell] - 'a' + 'A') << w;
                if (j > 0) {
                    EXPECT_TRUE(game::linking::adjacent(g, list.paths[i][static_cast<std::size_t>(j) - 1] + 1, cell))
                        << w;
                }
            }
            if (i > 1) {
                EXPECT_LT(list.words[i - 1], w) << "listed once, ascending";
            }
        }
    }
    EXPECT_GT(words3to10, 0);
    EXPECT_EQ(g.numSolutionWords(), words3to10);
    EXPECT_EQ(g.numLinkableWords(), words3to7);
    EXPECT_EQ(g.targetPoints(), points);
}

TEST(NewPuzzle, WordsLongerThanAChainAreListedButLeftOutOfTheTarget) {
    // Over many boards every target is exactly the points of the words of 3 to 7 letters, so every
    // game can end with every linkable word found; the longer words stay in the lists.
    int boardsWithLongWords = 0;
    for (int seed = 0; seed < 60; ++seed) {
        GameData g = sized(6, 6);
        makePuzzle(g, seed);
        int linkablePoints = 0, longWords = 0;
        for (int len = 3; len <= 10; ++len) {
            if (len <= 7)
                linkablePoints += g.wordsOfLength(len).count() * game::wordPoints(len);
            else
                longWords += g.wordsOfLength(len).count();
        }
        EXPECT_EQ(g.targetPoints(), linkablePoints) << "seed " << seed;
        EXPECT_EQ(g.numSolutionWords(), g.numLinkableWords() + longWords);
        boardsWithLongWords += longWords > 0;
    }
    EXPECT_GT(boardsWithLongWords, 10) << "the check met boards with words of 8 letters or more";
}

TEST(NewPuzzle, TheSameSeedGivesTheSamePuzzleAndAnotherSeedAnother) {
    GameData a = sized(5, 4), b = sized(5, 4), c = sized(5, 4);
    makePuzzle(a, 77);
    makePuzzle(b, 77);
    makePuzzle(c, 78);
    EXPECT_EQ(a.gridLetters().raw(), b.gridLetters().raw());
    EXPECT_EQ(tables(a), tables(b));
    EXPECT_NE(a.gridLetters().raw(), c.gridLetters().raw());
}

TEST(NewPuzzle, ArcadeTargetIsCappedByTheLevelTargetClassicIsNot) {
    GameData classic = sized(6, 6);
    makePuzzle(classic, 1234);
    ASSERT_GT(classic.targetPoints(), 225) << "a 6 x 6 puzzle is worth more than level 3's target";

    GameData arcade = sized(6, 6);
    arcade = game::testing::GameBuilder(arcade).mode(GameMode::Arcade).level(3).build();
    makePuzzle(arcade, 1234);
    EXPECT_EQ(arcade.targetPoints(), 225);
    EXPECT_EQ(arcade.numSolutionWords(), classic.numSolutionWords());

    // A level target above the puzzle's worth leaves the full sum.
    GameData small = sized(4, 4);
    small = game::testing::GameBuilder(small).mode(GameMode::Arcade).level(10).build();
    makePuzzle(small, 5);
    GameData smallClassic = sized(4, 4);
    makePuzzle(smallClassic, 5);
    EXPECT_EQ(small.targetPoints(), std::min(smallClassic.targetPoints(), 425));
}

TEST(RestorePuzzle, RebuildsExactlyTheTablesTheNewPuzzleHad) {
    GameData made = sized(5, 5);
    makePuzzle(made, 4321);

    GameData restored;
    const auto letters = made.gridLetters().raw();
    const bool ok = game::restorePuzzle(restored, playtest::engine(), [&](GameData& g) {
        g.setBoard(5, 5);
        g.setLetters(letters);
        g = game::testing::GameBuilder(g).score(31).found({"ANY"}).build();
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(restored.numCells(), 25);
    EXPECT_EQ(tables(restored), tables(made));
    EXPECT_EQ(restored.score(), 31) << "the stored state is kept";
    EXPECT_EQ(restored.numFoundWords(), 1);
    EXPECT_EQ(restored.curWordLen(), 0);
}

TEST(RestorePuzzle, RefusesABoardSizeNoEngineCallCanTake) {
    for (auto [w, h] : {std::pair{0, 5}, {5, -1}, {20, 20}}) {
        GameData g;
        EXPECT_FALSE(game::restorePuzzle(g, playtest::engine(), [&](GameData& s) { s.setBoard(w, h); }))
            << w << " x " << h;
        EXPECT_EQ(g.numSolutionWords(), 0);
    }
}

TEST(AllSolutionWords, ListsWordsOfThreeToNineLettersByLengthThenListOrder) {
    GameData g = sized(6, 6);
    makePuzzle(g, 1234);
    game::buildAllSolutionWords(g);
    ASSERT_EQ(g.allSolutionWords().size(), g.numSolutionWords());

    std::vector<std::string> expected;
    for (int k = 2; k <= 8; ++k)
        for (int i = 1; i <= g.wordLists()[k].count(); ++i) expected.push_back(g.wordLists()[k].words[i]);
    // 10-letter words count in numSolutionWords but leave their slots empty at the end.
    const int tenLetter = g.wordLists()[9].count();
    ASSERT_EQ(static_cast<int>(expected.size()) + tenLetter, g.numSolutionWords());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(g.allSolutionWords()[static_cast<int>(i) + 1], expected[i]);
    for (int i = static_cast<int>(expected.size()) + 1; i <= g.numSolutionWords(); ++i)
        EXPECT_TRUE(g.allSolutionWords()[i].empty());
}

TEST(PuzzleSeed, UniformNumbersGiveSeedsFromZeroTo10000RoundedHalfToEven) {
    EXPECT_EQ(game::puzzleSeed(0.0), 0);
    EXPECT_EQ(game::puzzleSeed(0.5), 5000);
    EXPECT_EQ(game::puzzleSeed(0.12344), 1234);
    EXPECT_EQ(game::puzzleSeed(0.12346), 1235);
    EXPECT_EQ(game::puzzleSeed(0.99996), 10000);
    EXPECT_EQ(game::puzzleSeed(std::nextafter(1.0, 0.0)), 10000);
}

TEST(UniformRandom, IsReproducibleFromItsSeedAndStaysInZeroToOne) {
    game::UniformRandom a(42), b(42), c(43);
    double sum = 0;
    std::set<double> distinct;
    bool differs = false;
    for (int i = 0; i < 20000; ++i) {
        const double x = a.next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        EXPECT_EQ(x, b.next());
        differs = differs || x != c.next();
        sum += x;
        distinct.insert(x);
    }
    EXPECT_TRUE(differs);
    EXPECT_NEAR(sum / 20000, 0.5, 0.01);
    EXPECT_EQ(distinct.size(), 20000u);
    a.reseed(42);
    b.reseed(42);
    EXPECT_EQ(a.next(), b.next());
}

}  // namespace
