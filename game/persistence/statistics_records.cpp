// Reading and writing the statistics, each figure its own text value under the settings key.
#include "game/persistence/statistics_records.h"

#include <algorithm>
#include <array>
#include <climits>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "game/persistence/records_layout.h"
#include "game/play/daily.h"
#include "platform/store.h"

namespace game::persistence {

using platform::StoreKey;
using platform::StoreStatus;
using platform::ValueType;

namespace {

// Value names: the mode's prefix and the figure.
constexpr std::array<std::string_view, 3> kModePrefix{"CLASSIC", "ARCADE", "DAILY"};
constexpr std::string_view kPlayed = "PLAYED";
constexpr std::string_view kFinished = "FINISHED";
constexpr std::string_view kBest = "BEST";
constexpr std::string_view kTotal = "TOTAL";
constexpr std::string_view kLongest = "LONGEST";
constexpr std::string_view kDailyDays = "DAILYDAYS";
constexpr std::string_view kDailyLastDay = "DAILYLASTDAY";
constexpr std::string_view kDailyStreak = "DAILYSTREAK";
constexpr std::string_view kDailyStreakDay = "DAILYSTREAKDAY";
constexpr std::string_view kDailyLongestStreak = "DAILYLONGESTSTREAK";
constexpr std::string_view kDailyHistory = "DAILYHISTORY";  // "2026-12-08 38;2026-12-07 41"
// The day's game left unfinished.
constexpr std::string_view kKeptDate = "DAILYGAMEDATE";    // "2026-12-08", empty for none
constexpr std::string_view kKeptWords = "DAILYGAMEWORDS";  // "CAT,DOG"
constexpr std::string_view kKeptScore = "DAILYGAMESCORE";
constexpr std::string_view kKeptHints = "DAILYGAMEHINTS";
// The found words' text is bounded by kMaxText: a game with more is kept without the rest.

// No figure's text is longer; a longer value is damaged.
constexpr std::size_t kMaxText = 1024;

std::string name(StatsMode mode, std::string_view figure) {
    return std::string(kModePrefix[static_cast<std::size_t>(mode)]) + std::string(figure);
}

std::optional<std::string> readText(platform::Store& store, const StoreKey& key, std::string_view valueName) {
    std::array<std::uint8_t, kMaxText> buffer{};
    const platform::QueryResult r = store.queryValue(key, valueName, buffer);
    if (r.status != StoreStatus::Success || r.type != ValueType::String || r.size > buffer.size()) return std::nullopt;
    std::string text(reinterpret_cast<const char*>(buffer.data()), r.size);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

template <typename Int>
std::optional<Int> parseCount(std::string_view text, Int max) {
    Int v{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty() || v < 0 || v > max) return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseDay(std::string_view text) {
    const auto date = parseDate(text);
    return date ? std::optional(dayNumber(*date)) : std::nullopt;
}

bool isWord(std::string_view text) {
    return text.size() <= 16 && std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string historyText(const DailyStatistics& daily) {
    std::string text;
    for (auto it = daily.requiredFound.rbegin(); it != daily.requiredFound.rend(); ++it) {
        if (!text.empty()) text += ';';
        text += dateText(dateOfDay(it->first)) + " " + std::to_string(it->second);
    }
    return text;
}

void parseHistory(std::string_view text, DailyStatistics& daily) {
    while (!text.empty()) {
        const auto end = text.find(';');
        const std::string_view entry = text.substr(0, end);
        const auto space = entry.find(' ');
        if (space != std::string_view::npos) {
            const auto day = parseDay(entry.substr(0, space));
            const auto count = parseCount<std::int32_t>(entry.substr(space + 1), 9999);
            if (day && count && daily.requiredFound.size() < DailyStatistics::kHistoryDays)
                daily.requiredFound[*day] = *count;
        }
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

// Every figure as its value name and text.
std::vector<std::pair<std::string, std::string>> figures(const Statistics& stats) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const StatsMode mode : kStatsModes) {
        const ModeStatistics& m = stats.of(mode);
        out.emplace_back(name(mode, kPlayed), std::to_string(m.played));
        out.emplace_back(name(mode, kFinished), std::to_string(m.finished));
        out.emplace_back(name(mode, kBest), std::to_string(m.best));
        out.emplace_back(name(mode, kTotal), std::to_string(m.total));
        out.emplace_back(name(mode, kLongest), m.longestWord);
    }
    const DailyStatistics& d = stats.daily;
    out.emplace_back(kDailyDays, std::to_string(d.daysPlayed));
    out.emplace_back(kDailyLastDay, d.daysPlayed > 0 ? dateText(dateOfDay(d.lastDay)) : "");
    out.emplace_back(kDailyStreak, std::to_string(d.streak));
    out.emplace_back(kDailyStreakDay, d.streak > 0 ? dateText(dateOfDay(d.streakDay)) : "");
    out.emplace_back(kDailyLongestStreak, std::to_string(d.longestStreak));
    out.emplace_back(kDailyHistory, historyText(d));
    return out;
}

void readAll(platform::Store& store, const StoreKey& key, Statistics& stats) {
    stats = Statistics{};
    auto text = [&](std::string_view valueName) { return readText(store, key, valueName); };
    auto count32 = [&](std::string_view valueName) -> std::int32_t {
        const auto t = text(valueName);
        return t ? parseCount<std::int32_t>(*t, INT32_MAX).value_or(0) : 0;
    };
    for (const StatsMode mode : kStatsModes) {
        ModeStatistics& m = stats.of(mode);
        m.played = count32(name(mode, kPlayed));
        m.finished = count32(name(mode, kFinished));
        m.best = count32(name(mode, kBest));
        if (m.best > kMaxScore) m.best = 0;
        const auto total = text(name(mode, kTotal));
        m.total = total ? parseCount<std::int64_t>(*total, INT64_MAX / 2).value_or(0) : 0;
        const auto longest = text(name(mode, kLongest));
        if (longest && isWord(*longest)) m.longestWord = *longest;
    }
    DailyStatistics& d = stats.daily;
    d.daysPlayed = count32(kDailyDays);
    const auto last = text(kDailyLastDay);
    const auto lastDay = last ? parseDay(*last) : std::nullopt;
    if (lastDay)
        d.lastDay = *lastDay;
    else
        d.daysPlayed = 0;  // without its last day the next count could not be told from this one
    d.streak = count32(kDailyStreak);
    const auto streakDay = text(kDailyStreakDay);
    const auto streakDayNumber = streakDay ? parseDay(*streakDay) : std::nullopt;
    if (streakDayNumber)
        d.streakDay = *streakDayNumber;
    else
        d.streak = 0;
    d.longestStreak = std::max(count32(kDailyLongestStreak), d.streak);
    if (const auto history = text(kDailyHistory)) parseHistory(*history, d);
}

struct SettingsKey {
    StoreKey parent;
    StoreKey key;
    bool open(platform::Store& store) {
        return store.openKey(nullptr, records::kParentKey, parent) == StoreStatus::Success &&
               store.createKey(&parent, records::settingsKeyPath(), records::kSettingsClass, key) ==
                   StoreStatus::Success;
    }
    bool close() {
        bool ok = true;
        if (key.isOpen()) ok = key.close() == StoreStatus::Success;
        if (parent.isOpen()) ok = parent.close() == StoreStatus::Success && ok;
        return ok;
    }
};

}  // namespace

bool setTexts(platform::Store& store, const std::vector<std::pair<std::string_view, std::string>>& values) {
    platform::StoreLock lock;
    SettingsKey k;
    if (store.lock(lock) != StoreStatus::Success || !k.open(store)) {
        k.close();
        return false;
    }
    bool ok = true;
    for (const auto& [valueName, text] : values) {
        const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.c_str()), text.size() + 1);
        ok = store.setValue(k.key, valueName, ValueType::String, bytes) == StoreStatus::Success && ok;
    }
    return k.close() && ok;
}

bool loadStatistics(platform::Store& store, Statistics& stats) {
    stats = Statistics{};
    SettingsKey k;
    if (!k.open(store)) {
        k.close();
        return false;
    }
    readAll(store, k.key, stats);
    k.close();
    return true;
}

bool updateStatistics(platform::Store& store, Statistics& stats, const std::function<void(Statistics&)>& change) {
    platform::StoreLock lock;
    SettingsKey k;
    if (store.lock(lock) != StoreStatus::Success || !k.open(store)) {
        change(stats);
        k.close();
        return false;
    }
    readAll(store, k.key, stats);
    const auto before = figures(stats);
    change(stats);
    const auto after = figures(stats);
    bool ok = true;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i]) continue;
        const std::string& text = after[i].second;
        const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.c_str()), text.size() + 1);
        ok = store.setValue(k.key, after[i].first, ValueType::String, bytes) == StoreStatus::Success && ok;
    }
    return k.close() && ok;
}

bool keepDailyGame(platform::Store& store, const KeptDailyGame& game) {
    std::string words;
    for (const std::string& word : game.foundWords) {
        if (!isWord(word) || words.size() + word.size() + 1 >= kMaxText) continue;
        if (!words.empty()) words += ',';
        words += word;
    }
    return setTexts(store, {{kKeptDate, dateText(game.date)},
                            {kKeptWords, words},
                            {kKeptScore, std::to_string(std::max<std::int32_t>(0, game.score))},
                            {kKeptHints, std::to_string(std::max<std::int32_t>(0, game.hints))}});
}

std::optional<KeptDailyGame> keptDailyGame(platform::Store& store, const Date& date) {
    SettingsKey k;
    if (!k.open(store)) {
        k.close();
        return std::nullopt;
    }
    auto text = [&](std::string_view valueName) { return readText(store, k.key, valueName); };
    const auto kept = text(kKeptDate);
    const auto words = text(kKeptWords);
    const auto score = text(kKeptScore);
    const auto hints = text(kKeptHints);
    k.close();
    if (!kept || parseDate(*kept) != date || !words || !score || !hints) return std::nullopt;
    KeptDailyGame game;
    game.date = date;
    const auto s = parseCount<std::int32_t>(*score, kMaxScore);
    const auto h = parseCount<std::int32_t>(*hints, 9999);
    if (!s || !h) return std::nullopt;
    game.score = *s;
    game.hints = *h;
    std::string_view rest = *words;
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string_view word = rest.substr(0, comma);
        if (!word.empty() && isWord(word)) game.foundWords.emplace_back(word);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return game;
}

bool forgetDailyGame(platform::Store& store) { return setTexts(store, {{kKeptDate, std::string()}}); }

}  // namespace game::persistence
