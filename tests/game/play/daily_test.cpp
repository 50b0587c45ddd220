// The daily puzzle with the real engine and the built common words: the calendar, the day's board
// (the same for every start and every platform, another the next day, with a fair number of
// required words), progress, hints and the share line.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <set>

#include "engine_fixture.h"
#include "game/play/daily.h"
#include "game/play/puzzle.h"
#include "game/play/word_notes.h"
#include "game/play/words.h"

namespace {

using game::Date;
using game::GameData;

const game::CommonWords& common() {
    static const game::CommonWords words = [] {
        std::ifstream in(std::string(VARNOOK_BIN_DIR) + "/" + game::kCommonWordsFileName, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return game::CommonWords::parse(bytes);
    }();
    return words;
}

void find(GameData& g, const std::string& word) { game::words::addFoundWord(g, word); }

TEST(DailyCalendar, DaysCountFromTheEpochThroughLeapYearsBothWays) {
    EXPECT_EQ(game::dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(game::dayNumber({2000, 3, 1}), 11017);
    EXPECT_EQ(game::dayNumber({1969, 12, 31}), -1);
    // Every day from 1900 to 2100 follows the one before, and reads back from its text.
    Date d{1900, 1, 1};
    for (std::int64_t day = game::dayNumber(d); d.year < 2100; ++day) {
        const Date next = game::dateOfDay(day + 1);
        const bool newMonth = next.day == 1;
        ASSERT_TRUE(newMonth ? (next.month == d.month % 12 + 1) : (next.month == d.month && next.day == d.day + 1))
            << game::dateText(d);
        ASSERT_EQ(game::parseDate(game::dateText(next)), next);
        d = next;
    }
    EXPECT_EQ(game::dateText({2026, 12, 8}), "2026-12-08");
    EXPECT_TRUE(game::parseDate("2024-02-29"));
    for (const char* bad : {"2026-02-29", "1900-02-29", "2026-13-01", "2026-00-10", "2026-12-32", "2026-12-8",
                            "2026/12/08", "0000-01-01", ""})
        EXPECT_FALSE(game::parseDate(bad)) << bad;
}

// The candidates are pinned (worked out apart from this code, with the mixing function written out
// in a script): the Windows build runs this test too, so a platform that drew other boards for a
// day would fail here.
TEST(DailyPuzzle, TheDaysCandidatesComeFromTheDateAloneTheSameEverywhere) {
    const std::int64_t day = game::dayNumber({2026, 12, 8});
    EXPECT_EQ(game::puzzleNumberText(game::dailyCandidate(day, 0)), "5x4-5894");
    EXPECT_EQ(game::puzzleNumberText(game::dailyCandidate(day, 1)), "5x5-4290");
    EXPECT_EQ(game::puzzleNumberText(game::dailyCandidate(day + 1, 0)), "4x4-4937");
    std::set<std::string> seen;
    for (int n = 0; n < 50; ++n) seen.insert(game::puzzleNumberText(game::dailyCandidate(day, n)));
    EXPECT_GT(seen.size(), 45u);
}

TEST(DailyPuzzle, TheDaysBoardIsTheFirstCandidateWithAFairNumberOfRequiredWords) {
    ASSERT_GT(common().size(), 40000u);
    for (const Date& date : {Date{2026, 12, 8}, Date{2026, 12, 9}, Date{2027, 2, 28}}) {
        const std::int64_t day = game::dayNumber(date);
        GameData g, again;
        const auto number = game::chooseDailyPuzzle(day, playtest::engine(), common(), g);
        EXPECT_EQ(game::chooseDailyPuzzle(day, playtest::engine(), common(), again), number);
        EXPECT_EQ(g.gridLetters().raw(), again.gridLetters().raw());
        EXPECT_EQ(g.puzzleSeed(), number.seed);

        const auto words = game::splitDailyWords(g, common());
        EXPECT_GE(words.required.size(), std::size_t{game::kDailyMinRequired});
        EXPECT_LE(words.required.size(), std::size_t{game::kDailyMaxRequired});
        EXPECT_EQ(static_cast<int>(words.required.size() + words.bonus.size()), g.numLinkableWords());
        for (const auto& w : words.required) EXPECT_TRUE(common().contains(w)) << w;
        for (const auto& w : words.bonus) EXPECT_FALSE(common().contains(w)) << w;

        // No earlier candidate was in the range.
        for (int n = 0; !(game::dailyCandidate(day, n) == number); ++n) {
            ASSERT_LT(n, game::kDailyCandidates);
            const auto c = game::dailyCandidate(day, n);
            GameData other;
            game::newPuzzle(other, playtest::engine(), c.width, c.height, c.seed);
            const auto required = game::splitDailyWords(other, common()).required.size();
            EXPECT_TRUE(required < game::kDailyMinRequired || required > game::kDailyMaxRequired);
        }
    }
    GameData a, b;
    // Without a list of common words every word is required.
    const game::CommonWords none;
    game::chooseDailyPuzzle(game::dayNumber({2026, 12, 8}), playtest::engine(), none, a);
    EXPECT_EQ(static_cast<int>(game::splitDailyWords(a, none).required.size()), a.numLinkableWords());
    EXPECT_TRUE(game::splitDailyWords(a, none).bonus.empty());
    EXPECT_FALSE(game::chooseDailyPuzzle(game::dayNumber({2026, 12, 8}), playtest::engine(), common(), a) ==
                 game::chooseDailyPuzzle(game::dayNumber({2026, 12, 9}), playtest::engine(), common(), b));
}

TEST(DailyPuzzle, ProgressCountsRequiredAndBonusWordsAndEndsWhenEveryRequiredWordIsFound) {
    GameData g;
    game::chooseDailyPuzzle(game::dayNumber({2026, 12, 8}), playtest::engine(), common(), g);
    const auto words = game::splitDailyWords(g, common());
    ASSERT_FALSE(words.bonus.empty());
    find(g, words.bonus[0]);
    find(g, words.required[0]);
    auto p = game::dailyProgress(words, g);
    EXPECT_EQ(p.requiredFound, 1);
    EXPECT_EQ(p.bonusFound, 1);
    EXPECT_EQ(p.requiredTotal, static_cast<int>(words.required.size()));
    EXPECT_FALSE(p.finished());
    for (const auto& w : words.required) find(g, w);
    p = game::dailyProgress(words, g);
    EXPECT_TRUE(p.finished());
    EXPECT_EQ(p.bonusFound, 1);
}

TEST(Hints, AFirstHintGivesLengthAndLetterASecondTheTwoFirstLettersAndTheirCells) {
    GameData g;
    game::chooseDailyPuzzle(game::dayNumber({2026, 12, 8}), playtest::engine(), common(), g);
    const auto wanted = game::splitDailyWords(g, common()).required;
    game::HintState state;

    const auto first = game::nextHint(state, g, wanted);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->level, 1);
    EXPECT_EQ(first->length, static_cast<int>(first->word.size()));
    EXPECT_EQ(first->letters, first->word.substr(0, 1));
    EXPECT_TRUE(first->cells.empty());
    for (const auto& w : wanted) EXPECT_GE(w.size(), first->word.size());

    const auto second = game::nextHint(state, g, wanted);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->word, first->word);
    EXPECT_EQ(second->level, 2);
    EXPECT_EQ(second->letters, first->word.substr(0, 2));
    ASSERT_EQ(second->cells.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(std::toupper(g.gridLetters()[second->cells[i]]), second->word[i]);

    // After two hints on a word, or once it is found, the next hint is about another word.
    const auto third = game::nextHint(state, g, wanted);
    ASSERT_TRUE(third);
    EXPECT_NE(third->word, first->word);
    EXPECT_EQ(third->level, 1);
    find(g, third->word);
    const auto fourth = game::nextHint(state, g, wanted);
    ASSERT_TRUE(fourth);
    EXPECT_NE(fourth->word, third->word);
    EXPECT_EQ(state.hintsUsed, 4);

    for (const auto& w : wanted) find(g, w);
    EXPECT_FALSE(game::nextHint(state, g, wanted));
    EXPECT_EQ(state.hintsUsed, 4);
}

TEST(Sharing, TheShareLineNamesThePuzzleAndTheFiguresAndHintsKeepClassicOutOfTheHallOfFame) {
    game::ShareFacts daily{Date{2026, 12, 8}, {5, 5, 4711}, 38, 41, 2, 1, 412};
    EXPECT_EQ(game::shareText(daily), "Varnook daily 2026-12-08 (5x5-4711): 38/41 words, 2 bonus, 1 hint, 412 points");
    game::ShareFacts classic{std::nullopt, {6, 4, 17}, 120, 190, 0, 2, 1};
    EXPECT_EQ(game::shareText(classic), "Varnook 6x4-17: 120/190 words, 2 hints, 1 point");

    EXPECT_TRUE(game::entersHallOfFame(game::GameMode::Classic, 0));
    EXPECT_FALSE(game::entersHallOfFame(game::GameMode::Classic, 1));
    EXPECT_TRUE(game::entersHallOfFame(game::GameMode::Arcade, 3));
}

}  // namespace
