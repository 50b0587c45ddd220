// The daily puzzle: one board per calendar day, the same for every player, chosen among the day's
// candidate boards as the first that asks for a fair number of common words; its required and
// bonus words, the player's progress, hints, and the line a player shares. The date is given by the
// caller: nothing here reads a clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/play/game_data.h"
#include "game/play/puzzle_number.h"

namespace game {

class CommonWords;
class EngineLibrary;

// A calendar date of the proleptic Gregorian calendar.
struct Date {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to the month's length
    friend bool operator==(const Date&, const Date&) = default;
};

// Days since 1970-01-01 (negative before it).
std::int64_t dayNumber(const Date& date);
Date dateOfDay(std::int64_t day);
// "2026-12-08" (years 1 to 9999).
std::string dateText(const Date& date);
// Reads "YYYY-MM-DD", a real date of the years 1 to 9999; nullopt otherwise.
std::optional<Date> parseDate(std::string_view text);

// The daily board asks for this many common words, both included.
constexpr int kDailyMinRequired = 30;
constexpr int kDailyMaxRequired = 60;
// Candidates tried per day before the one nearest to the range is taken.
constexpr int kDailyCandidates = 200;

// Candidate n (from 0) of the day: a board size and a seed, from the day alone.
PuzzleNumber dailyCandidate(std::int64_t day, int n);

// Words of a solution a chain can link (3 to 7 letters): the common ones are required, the rest bonus.
// A language without a list of common words (an empty one) requires every word, as Classic does.
struct DailyWords {
    std::vector<std::string> required;  // upper case, by length, then in list order
    std::vector<std::string> bonus;
};
DailyWords splitDailyWords(const GameData& g, const CommonWords& common);

// The day's puzzle: the first candidate whose board asks for kDailyMinRequired to kDailyMaxRequired
// common words (if none of kDailyCandidates does, the one nearest to the range, the earlier on a tie).
// scratch is used to make the candidates and holds the chosen puzzle at the end.
PuzzleNumber chooseDailyPuzzle(std::int64_t day, EngineLibrary& engine, const CommonWords& common,
                               GameData& scratch);

// "daily 2026-12-08 (5x5-4711)": the main window's title while the day's puzzle is played.
std::string dailyTitle(const Date& date, const PuzzleNumber& number);

struct DailyProgress {
    int requiredFound = 0;
    int requiredTotal = 0;
    int bonusFound = 0;
    bool finished() const { return requiredFound == requiredTotal; }
};
DailyProgress dailyProgress(const DailyWords& words, const GameData& g);

// ---- Hints -----------------------------------------------------------------------------------------

// What the player was told about one unfound word.
struct Hint {
    std::string word;         // the word hinted at (not shown)
    int level = 1;            // 1: its length and first letter; 2: its first two letters and cells
    int length = 0;
    std::string letters;      // the first letter, or the first two
    std::vector<int> cells;   // level 2: the board cells (from 1) the word's path starts with
};

struct HintState {
    std::optional<Hint> last;
    int hintsUsed = 0;
};

// The next hint among the wanted words (the required words of the daily puzzle, every linkable
// solution word in Classic): a second hint on the word last hinted at while it is unfound, else a
// first hint on the shortest unfound word (alphabetically first among those). Counts it in
// hintsUsed. nullopt, counting nothing, when every wanted word is found.
std::optional<Hint> nextHint(HintState& state, const GameData& g, const std::vector<std::string>& wanted);

// A Classic game scores with hints, but only a game played without them enters the Hall of Fame.
bool entersHallOfFame(GameMode mode, int hintsUsed);

// ---- Sharing ---------------------------------------------------------------------------------------

struct ShareFacts {
    std::optional<Date> daily;  // the day of a daily puzzle; none for a Classic game
    PuzzleNumber number;
    int found = 0;  // required words found (Classic: words found)
    int total = 0;  // required words (Classic: linkable words)
    int bonus = 0;  // daily only
    int hints = 0;
    std::int32_t score = 0;
};
// "Varnook daily 2026-12-08 (5x5-4711): 38/41 words, 2 bonus, 1 hint, 412 points", or for Classic
// "Varnook 5x5-4711: 120/190 words, 0 hints, 1412 points".
std::string shareText(const ShareFacts& facts);

}  // namespace game
