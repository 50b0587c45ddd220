// The daily puzzle's choice of board, its words, progress, hints and share line.
#include "game/play/daily.h"

#include <algorithm>
#include <array>

#include "game/play/puzzle.h"
#include "game/play/word_notes.h"
#include "game/play/words.h"

namespace game {

namespace {

// The board sizes a daily puzzle is drawn from: a day's candidates mix them, so that the day's
// board is a small one or a larger one with fewer common words.
constexpr std::array<std::pair<int, int>, 3> kDailySizes{{{4, 4}, {5, 4}, {5, 5}}};

// A 64-bit mixing function (the finaliser of SplitMix64): plain unsigned arithmetic, so every
// platform and compiler gives the same candidates for a day.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Tells the daily sequence apart from any other use of the same mixing.
constexpr std::uint64_t kDailySalt = 0x56524E4B4441594Bull;

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int monthLength(int y, int m) {
    constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[static_cast<std::size_t>(m - 1)];
}

void appendPadded(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

bool isFound(const GameData& g, const std::string& word) { return words::findFoundWord(g, word) >= 1; }

int distanceFromRange(int required) {
    if (required < kDailyMinRequired) return kDailyMinRequired - required;
    if (required > kDailyMaxRequired) return required - kDailyMaxRequired;
    return 0;
}

std::string plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

}  // namespace

// Days from civil (the well-known era-based method): exact for every proleptic Gregorian date.
std::int64_t dayNumber(const Date& date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t m = date.month;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date dateOfDay(std::int64_t day) {
    const std::int64_t z = day + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return Date{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

std::string dateText(const Date& date) {
    std::string out;
    appendPadded(out, date.year, 4);
    out += '-';
    appendPadded(out, date.month, 2);
    out += '-';
    appendPadded(out, date.day, 2);
    return out;
}

std::optional<Date> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t at, std::size_t len) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = at; i < at + len; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const auto y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (!y || !m || !d || *y < 1 || *m < 1 || *m > 12 || *d < 1 || *d > monthLength(*y, *m)) return std::nullopt;
    return Date{*y, *m, *d};
}

PuzzleNumber dailyCandidate(std::int64_t day, int n) {
    const std::uint64_t h = mix(mix(static_cast<std::uint64_t>(day) ^ kDailySalt) + static_cast<std::uint64_t>(n));
    const auto& [width, height] = kDailySizes[h % kDailySizes.size()];
    const int seed = static_cast<int>((h >> 32) % static_cast<std::uint64_t>(kMaxPuzzleSeed + 1));
    return PuzzleNumber{width, height, seed};
}

DailyWords splitDailyWords(const GameData& g, const CommonWords& common) {
    DailyWords out;
    for (int len = kMinWordLen; len <= kMaxWordLen; ++len)
        for (const std::string& word : g.wordsOfLength(len).words)
            (common.size() == 0 || common.contains(word) ? out.required : out.bonus).push_back(word);
    return out;
}

PuzzleNumber chooseDailyPuzzle(std::int64_t day, EngineLibrary& engine, const CommonWords& common,
                               GameData& scratch) {
    PuzzleNumber best;
    int bestDistance = -1;
    for (int n = 0; n < kDailyCandidates; ++n) {
        const PuzzleNumber candidate = dailyCandidate(day, n);
        newPuzzle(scratch, engine, candidate.width, candidate.height, candidate.seed);
        const int distance = distanceFromRange(static_cast<int>(splitDailyWords(scratch, common).required.size()));
        if (bestDistance < 0 || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
        if (distance == 0) return candidate;
    }
    newPuzzle(scratch, engine, best.width, best.height, best.seed);
    return best;
}

std::string dailyTitle(const Date& date, const PuzzleNumber& number) {
    return "daily " + dateText(date) + " (" + puzzleNumberText(number) + ")";
}

DailyProgress dailyProgress(const DailyWords& words, const GameData& g) {
    DailyProgress p;
    p.requiredTotal = static_cast<int>(words.required.size());
    for (const std::string& word : words.required) p.requiredFound += isFound(g, word) ? 1 : 0;
    for (const std::string& word : words.bonus) p.bonusFound += isFound(g, word) ? 1 : 0;
    return p;
}

std::optional<Hint> nextHint(HintState& state, const GameData& g, const std::vector<std::string>& wanted) {
    Hint hint;
    if (state.last && state.last->level == 1 && !isFound(g, state.last->word)) {
        hint = *state.last;
        hint.level = 2;
    } else {
        // The shortest unfound word, alphabetically first among those; the word just hinted at twice
        // only when no other is left.
        auto better = [](const std::string* a, const std::string& b) {
            return !a || b.size() < a->size() || (b.size() == a->size() && b < *a);
        };
        const std::string* pick = nullptr;
        const std::string* again = nullptr;
        for (const std::string& word : wanted) {
            if (word.empty() || isFound(g, word)) continue;
            if (state.last && state.last->word == word)
                again = &word;
            else if (better(pick, word))
                pick = &word;
        }
        if (!pick) pick = again;
        if (!pick) return std::nullopt;
        hint.word = *pick;
        hint.level = 1;
    }
    hint.length = static_cast<int>(hint.word.size());
    hint.letters = hint.word.substr(0, static_cast<std::size_t>(hint.level));
    hint.cells.clear();
    if (hint.level == 2) {
        const WordList& list = g.wordsOfLength(hint.length);
        for (int i = 1; i <= list.count(); ++i)
            if (list.words[i] == hint.word) {
                for (std::size_t c = 0; c < 2 && c < list.paths[i].size(); ++c) hint.cells.push_back(list.paths[i][c] + 1);
                break;
            }
    }
    state.last = hint;
    ++state.hintsUsed;
    return hint;
}

bool entersHallOfFame(GameMode mode, int hintsUsed) { return mode != GameMode::Classic || hintsUsed == 0; }

std::string shareText(const ShareFacts& f) {
    std::string out = "Varnook ";
    out += f.daily ? dailyTitle(*f.daily, f.number) : puzzleNumberText(f.number);
    out += ": " + std::to_string(f.found) + "/" + std::to_string(f.total) + " words, ";
    if (f.daily) out += std::to_string(f.bonus) + " bonus, ";
    out += plural(f.hints, "hint", "hints") + ", " + plural(f.score, "point", "points");
    return out;
}

}  // namespace game
