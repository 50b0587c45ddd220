// Writes the daily puzzles of two weeks from 2026-12-01 as a program folder's engine, dictionary and
// common words make them: per day its date, its puzzle number, the counts of its required and bonus
// words and its letters. Built natively and for Windows: the two outputs must be the same.
// Usage: daily_dump PROGRAM_FOLDER OUT_FILE
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/play/daily.h"
#include "game/play/engine_library.h"
#include "game/play/word_notes.h"
#include "platform/library.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string folder = std::string(argv[1]) + "/";
    std::string error;
    auto engine =
        game::EngineLibrary::load(folder + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
    if (!engine || engine->loadLangDict(folder + game::kDictionaryFileName) != 1) {
        std::fprintf(stderr, "no engine or dictionary in %s: %s\n", folder.c_str(), error.c_str());
        return 1;
    }
    std::ifstream in(folder + game::kCommonWordsFileName, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const game::CommonWords common = game::CommonWords::parse(bytes);
    if (common.size() == 0) {
        std::fprintf(stderr, "no common words in %s\n", folder.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    const std::int64_t first = game::dayNumber(game::Date{2026, 12, 1});
    for (std::int64_t day = first; day < first + 14; ++day) {
        game::GameData g;
        const game::PuzzleNumber number = game::chooseDailyPuzzle(day, *engine, common, g);
        const game::DailyWords words = game::splitDailyWords(g, common);
        out << game::dateText(game::dateOfDay(day)) << ' ' << game::puzzleNumberText(number) << ' '
            << words.required.size() << ' ' << words.bonus.size() << ' ';
        for (const std::uint8_t letter : g.gridLetters().raw()) out << static_cast<char>(letter);
        out << '\n';
    }
    return out ? 0 : 1;
}
