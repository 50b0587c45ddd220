// The daily puzzle with the real program on an X display: the day's board is the same at each start
// of that day and another on the next; a hint is told and counted; typing every required word ends
// the day, counted in the statistics with a streak of 1; the results show a known word's definition;
// the share line copied with Ctrl+C is read back from the X clipboard.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/play/daily.h"
#include "game/play/engine_library.h"
#include "game/play/typing.h"
#include "game/play/word_notes.h"
#include "platform/library.h"

#include "e2e_support.h"

namespace {

namespace fs = std::filesystem;
using namespace e2e;

std::vector<std::uint8_t> bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string textOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A settings value of the store file, as written after "=" ("string:\"1\\0\"").
std::string storeValue(const fs::path& config, const std::string& name) {
    std::ifstream in(config / "varnook" / "registry.txt");
    std::string line;
    const std::string prefix = "\"" + name + "\"=";
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    return {};
}

// The pixels of a region of the window (x, y relative to its client area) differ between two shots.
bool regionDiffers(const Picture& a, const Picture& b, const Geometry& g, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (a.at(g.x + x, g.y + y) != b.at(g.x + x, g.y + y)) return true;
    return false;
}

bool spelledByTyping(game::GameData g, const std::string& word) {
    for (const char letter : word) {
        const auto next = game::typing::chainAfterTyping(g, static_cast<unsigned char>(letter));
        if (!next) return false;
        game::typing::setChain(g, *next);
    }
    return true;
}

TEST(RealProgramDaily, TheDayIsPlayedToItsEndWithAHintADefinitionAndTheShareLineCopied) {
    const std::string bin = VARNOOK_BIN_DIR;
    std::string error;
    auto engine =
        game::EngineLibrary::load(bin + "/" + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
    ASSERT_TRUE(engine) << error;
    ASSERT_EQ(engine->loadLangDict(bin + "/" + game::kDictionaryFileName), 1);
    const game::CommonWords common = game::CommonWords::parse(bytesOf(bin + "/" + game::kCommonWordsFileName));
    const game::Definitions definitions = game::Definitions::parse(bytesOf(bin + "/" + game::kDefinitionsFileName));
    ASSERT_GT(common.size(), 0u);
    ASSERT_GT(definitions.size(), 0u);

    // The day's required words, by the rules, each typed in lower case.
    const game::Date day{2026, 12, 8};
    game::GameData g;
    const game::PuzzleNumber number = game::chooseDailyPuzzle(game::dayNumber(day), *engine, common, g);
    const game::DailyWords words = game::splitDailyWords(g, common);
    std::string typed;
    for (std::string word : words.required) {
        ASSERT_TRUE(spelledByTyping(g, word)) << word;
        for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        typed += " " + word;
    }

    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-daily";
    const Result r = runOnVirtualScreen("1024x768", VARNOOK_E2E_DAILY_SCRIPT, out,
                                        quoted(VARNOOK_E2E_CLIPBOARD_TOOL) + " 2026-12-08 2026-12-09" + typed);
    ASSERT_EQ(r.status, 0) << r.output;

    const std::string title = "Varnook - " + game::dailyTitle(day, number);
    EXPECT_EQ(textOf(out / "title-day"), title + "\n");
    EXPECT_EQ(textOf(out / "title-again"), title + "\n");
    EXPECT_NE(textOf(out / "title-next"), title + "\n");
    EXPECT_NE(textOf(out / "title-next").find("daily 2026-12-09 ("), std::string::npos);

    // The board (its tiles, 176..440 down, 176..440 across at most) as each start showed it.
    const Geometry window = readGeometry(out / "geometry");
    const Picture first = readPpm(out / "day.ppm"), again = readPpm(out / "again.ppm"),
                  next = readPpm(out / "next.ppm");
    ASSERT_GT(first.width, 0);
    EXPECT_FALSE(regionDiffers(first, again, window, 176, 176, 440, 440)) << "the same day, the same board";
    EXPECT_TRUE(regionDiffers(first, next, window, 176, 176, 440, 440)) << "the next day, another board";
    // The hint on the message line.
    EXPECT_TRUE(regionDiffers(again, readPpm(out / "hint.ppm"), window, 154, 3, 550, 23));

    // The first solution word of the results, pointed at, shows its definition at the foot.
    const Picture results = readPpm(out / "results.ppm");
    std::string firstWord;
    for (int len = game::kMinWordLen; len <= game::kMaxWordLen && firstWord.empty(); ++len)
        if (g.wordsOfLength(len).words.size() > 0) firstWord = g.wordsOfLength(len).words[1];
    ASSERT_TRUE(definitions.lookup(firstWord)) << firstWord << " has a definition";
    EXPECT_TRUE(regionDiffers(again, results, window, 140, 500, 620, 522)) << "the definition line of " << firstWord;

    // The share line, counted hint and all.
    game::ShareFacts facts;
    facts.daily = day;
    facts.number = number;
    facts.found = facts.total = static_cast<int>(words.required.size());
    facts.hints = 1;
    const std::string clip = textOf(out / "clipboard.txt");
    const std::string expectedStart = "Varnook daily 2026-12-08 (" + game::puzzleNumberText(number) +
                                      "): " + std::to_string(facts.found) + "/" + std::to_string(facts.total) +
                                      " words, 0 bonus, 1 hint, ";
    EXPECT_EQ(clip.substr(0, expectedStart.size()), expectedStart) << clip;

    // The statistics: one day played and finished, a streak of 1.
    const fs::path config = out / "config";
    EXPECT_EQ(storeValue(config, "DAILYDAYS"), "string:\"1\\0\"");
    EXPECT_EQ(storeValue(config, "DAILYSTREAK"), "string:\"1\\0\"");
    EXPECT_EQ(storeValue(config, "DAILYFINISHED"), "string:\"1\\0\"");
    EXPECT_EQ(storeValue(config, "DAILYHISTORY"),
              "string:\"2026-12-08 " + std::to_string(words.required.size()) + "\\0\"");
}

}  // namespace
