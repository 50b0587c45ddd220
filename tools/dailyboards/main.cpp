// dailyboards: the daily puzzles of a run of days as the game chooses them, with the number of
// required and bonus words of each, then the least, median and greatest required count and how many
// candidates a day took at most. Uses the program folder's engine and data files.
// Usage: dailyboards [FIRST-DAY [DAYS]]     (default: 2026-01-01 and 365 days)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/play/daily.h"
#include "game/play/engine_library.h"
#include "game/play/word_notes.h"
#include "platform/library.h"

int main(int argc, char** argv) {
    const auto first = game::parseDate(argc > 1 ? argv[1] : "2026-01-01");
    const int days = argc > 2 ? std::atoi(argv[2]) : 365;
    if (!first || days < 1) {
        std::fprintf(stderr, "usage: dailyboards [FIRST-DAY [DAYS]]  (a day as 2026-12-08)\n");
        return 2;
    }
    const std::string dir = std::string(VARNOOK_BIN_DIR) + "/";
    std::string error;
    auto engine =
        game::EngineLibrary::load(dir + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
    if (!engine || engine->loadLangDict(dir + game::kDictionaryFileName) != 1) {
        std::fprintf(stderr, "dailyboards: no engine or dictionary in %s %s\n", dir.c_str(), error.c_str());
        return 1;
    }
    std::ifstream in(dir + game::kCommonWordsFileName, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const game::CommonWords common = game::CommonWords::parse(bytes);

    std::vector<int> required;
    int mostCandidates = 0;
    const std::int64_t day0 = game::dayNumber(*first);
    for (std::int64_t day = day0; day < day0 + days; ++day) {
        game::GameData g;
        const game::PuzzleNumber number = game::chooseDailyPuzzle(day, *engine, common, g);
        int n = 0;
        while (!(game::dailyCandidate(day, n) == number)) ++n;
        mostCandidates = std::max(mostCandidates, n + 1);
        const auto words = game::splitDailyWords(g, common);
        required.push_back(static_cast<int>(words.required.size()));
        std::printf("%s %s required %zu bonus %zu candidate %d\n", game::dateText(game::dateOfDay(day)).c_str(),
                    game::puzzleNumberText(number).c_str(), words.required.size(), words.bonus.size(), n + 1);
    }
    std::sort(required.begin(), required.end());
    std::printf("dailyboards: %d days from %s: required words min %d, median %d, max %d; at most %d candidates a day\n",
                days, game::dateText(*first).c_str(), required.front(), required[required.size() / 2],
                required.back(), mostCandidates);
    return 0;
}
