// The real program driven by the keyboard and on a large screen, on an X display: words typed on a
// puzzle given by its number (one of them only spelled by moving the chain to another path), and
// the window enlarged on a 3840 x 2160 screen, in full screen and one step smaller.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/play/engine_library.h"
#include "game/play/puzzle.h"
#include "game/play/puzzle_number.h"
#include "game/play/solution_display.h"
#include "game/play/typing.h"
#include "game/play/words.h"
#include "platform/library.h"

#include "e2e_support.h"

namespace {

namespace fs = std::filesystem;

using namespace e2e;

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// What typing a word letter by letter does on the board: whether every letter is taken, and whether
// the chain ever moved off the path it showed (a typed letter the chain shown could not take).
struct Typed {
    bool spelled = false;
    bool moved = false;
};

Typed typeOn(game::GameData g, const std::string& word) {
    Typed t;
    g.showPath({});
    std::vector<int> shown;
    for (const char letter : word) {
        const auto next = game::typing::chainAfterTyping(g, static_cast<unsigned char>(letter));
        if (!next) return t;
        if (!std::equal(shown.begin(), shown.end(), next->begin())) t.moved = true;
        game::typing::setChain(g, *next);
        shown = *next;
    }
    t.spelled = true;
    return t;
}

// A 5 x 4 puzzle with a word whose typing moves the chain, and two words typed straight; what the
// found list and the score are once all three are entered.
struct TypingPlan {
    game::PuzzleNumber number;
    std::vector<std::string> words;  // upper case; the last one moves the chain
    std::string partial;             // the start of a word not found yet, left on the board
    std::int32_t score = 0;
    std::string foundText;  // as the saved game keeps it
};

std::optional<TypingPlan> findPlan() {
    std::string error;
    auto engine = game::EngineLibrary::load(
        std::string(VARNOOK_BIN_DIR) + "/" + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
    if (!engine || engine->loadLangDict(std::string(VARNOOK_BIN_DIR) + "/" + game::kDictionaryFileName) != 1)
        return std::nullopt;
    for (int seed = 1; seed <= game::kMaxPuzzleSeed; ++seed) {
        game::GameData g;
        game::newPuzzle(g, *engine, 5, 4, seed);
        std::vector<std::string> straight;
        std::string moving;
        std::string rest;
        for (int len = 3; len <= 7; ++len)
            for (const std::string& word : g.wordsOfLength(len).words) {
                const Typed t = typeOn(g, word);
                if (!t.spelled) continue;
                if (t.moved && moving.empty() && len >= 4)
                    moving = word;
                else if (!t.moved && straight.size() < 2 && len <= 4)
                    straight.push_back(word);
                else if (!t.moved && rest.empty() && len >= 5)
                    rest = word;
            }
        if (moving.empty() || straight.size() < 2 || rest.empty()) continue;
        // The start left on the board is no found word's.
        if (rest.compare(0, 3, straight[0]) == 0 || rest.compare(0, 3, straight[1]) == 0) continue;
        TypingPlan plan;
        plan.number = {5, 4, seed};
        plan.words = {straight[0], straight[1], moving};
        plan.partial = lower(rest.substr(0, 3));
        std::vector<std::string> sorted = plan.words;
        std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        for (const std::string& w : sorted) {
            plan.score += game::wordPoints(static_cast<int>(w.size()));
            plan.foundText += w + ",";
        }
        return plan;
    }
    return std::nullopt;
}

// The saved game's values in the store file: "NAME" -> the text after "=".
std::map<std::string, std::string> savedValues(const fs::path& config) {
    std::ifstream in(config / "varnook" / "registry.txt");
    std::map<std::string, std::string> values;
    std::string line;
    bool inSave = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') inSave = line == "[Software\\Mirrim\\Varnook\\1.0\\SAVE]";
        if (!inSave || line.empty() || line[0] != '"') continue;
        const auto close = line.find('"', 1);
        if (close != std::string::npos && close + 1 < line.size())
            values[line.substr(1, close - 1)] = line.substr(close + 2);
    }
    return values;
}

std::string settingsValue(const fs::path& config, const std::string& name) {
    std::ifstream in(config / "varnook" / "registry.txt");
    std::string line;
    const std::string prefix = "\"" + name + "\"=";
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    return {};
}

TEST(RealProgramKeys, WordsTypedOnAPuzzleGivenByItsNumberAreFoundAndScored) {
    const auto plan = findPlan();
    ASSERT_TRUE(plan.has_value()) << "no 5 x 4 puzzle with a word that moves the chain";
    const std::string number = game::puzzleNumberText(plan->number);
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-typing";
    std::string words = number + " 2 " + plan->partial;
    for (const std::string& word : plan->words) words += " " + lower(word);
    const Result r = runOnVirtualScreen("1920x1200", VARNOOK_E2E_TYPING_SCRIPT, out, words);
    ASSERT_EQ(r.status, 0) << r.output;

    std::string title;
    std::getline(std::ifstream(out / "title"), title);
    EXPECT_EQ(title, "Varnook - " + number);
    const Geometry window = readGeometry(out / "geometry");
    EXPECT_EQ(window.width, 2 * 704) << "--zoom 2";
    EXPECT_EQ(window.height, 2 * 528);
    EXPECT_TRUE(fs::exists(out / "screenshot-typing.png"));

    // The saved game: the three words found, in the list's order, and their points.
    auto values = savedValues(out / "config");
    EXPECT_EQ(values["FOUNDWORDS"], "string:\"" + plan->foundText + "\"")
        << "typed " << plan->words[0] << " " << plan->words[1] << " " << plan->words[2];
    const std::int32_t s = plan->score;
    char scoreBytes[32];
    std::snprintf(scoreBytes, sizeof scoreBytes, "binary:%02x,%02x,%02x,%02x", s & 0xFF, (s >> 8) & 0xFF,
                  (s >> 16) & 0xFF, (s >> 24) & 0xFF);
    EXPECT_EQ(values["SCORE"], scoreBytes);
    EXPECT_EQ(values["PUZZLENUMBER"], "string:\"" + number + "\\0\"");
}

game::EngineLibrary* loadedEngine() {
    static std::unique_ptr<game::EngineLibrary> engine = [] {
        std::string error;
        auto e = game::EngineLibrary::load(
            std::string(VARNOOK_BIN_DIR) + "/" + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
        if (e && e->loadLangDict(std::string(VARNOOK_BIN_DIR) + "/" + game::kDictionaryFileName) != 1) e.reset();
        return e;
    }();
    return engine.get();
}

// The number of words of each length 2 to 10 on a puzzle.
int wordsOf(const game::GameData& g, int len) { return g.wordLists()[len - 1].count(); }

// The 4 x 4 puzzle with the fewest words (at least three) among the first seeds whose every word can be
// typed and entered (3 to 7 letters): typing them all ends the game.
std::optional<std::pair<int, std::vector<std::string>>> fewestWordsPuzzle() {
    game::EngineLibrary* engine = loadedEngine();
    if (engine == nullptr) return std::nullopt;
    std::optional<std::pair<int, std::vector<std::string>>> best;
    for (int seed = 1; seed <= 2000; ++seed) {
        game::GameData g;
        game::newPuzzle(g, *engine, 4, 4, seed);
        if (wordsOf(g, 2) + wordsOf(g, 8) + wordsOf(g, 9) + wordsOf(g, 10) > 0) continue;
        std::vector<std::string> words;
        for (int len = 3; len <= 7; ++len)
            for (const std::string& word : g.wordsOfLength(len).words) words.push_back(lower(word));
        if (words.size() < 3 || (best && words.size() >= best->second.size())) continue;
        if (!std::all_of(words.begin(), words.end(), [&](const std::string& w) { return typeOn(g, w).spelled; }))
            continue;
        best = std::make_pair(seed, words);
    }
    return best;
}

TEST(RealProgramKeys, AWordTypedAsTheEndDialogAppearsLeavesItOpenUntilHalfASecondHasPassed) {
    const auto plan = fewestWordsPuzzle();
    ASSERT_TRUE(plan.has_value());
    const std::string number = game::puzzleNumberText({4, 4, plan->first});
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-level-end";
    std::string args = number + " " + plan->second.front().substr(0, 3);
    for (const std::string& word : plan->second) args += " " + word;
    const Result r = runOnVirtualScreen("1024x768", VARNOOK_E2E_LEVEL_END_SCRIPT, out, args);
    ASSERT_EQ(r.status, 0) << r.output;
    std::string open;
    std::getline(std::ifstream(out / "dialog-after-typing"), open);
    EXPECT_EQ(open, "1") << "the Return of the word typed on closed the end dialog unread";
    std::getline(std::ifstream(out / "dialog-after-return"), open);
    EXPECT_EQ(open, "0") << "half a second on, Return closes it";
}

// The cells whose tiles show linked on a screen: a point of each tile's body, beside its letter,
// differs from the plain tiles' (the colour most of the board's tiles show there).
std::set<int> litCells(const Picture& window, int width, int height) {
    const int left = 176 + (7 - width) * 22, top = 176;
    std::map<Rgb, int> seen;
    std::vector<Rgb> sample;
    for (int c = 0; c < width * height; ++c) {
        sample.push_back(window.at(left + (c % width) * 44 + 7, top + (c / width) * 44 + 22));
        ++seen[sample.back()];
    }
    const Rgb plain =
        std::max_element(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    std::set<int> lit;
    for (int c = 0; c < width * height; ++c)
        if (sample[static_cast<std::size_t>(c)] != plain) lit.insert(c + 1);
    return lit;
}

TEST(RealProgramKeys, AResultsListOfOver200WordsScrollsByWheelAndPageDownLightingEachWordsPath) {
    game::EngineLibrary* engine = loadedEngine();
    ASSERT_NE(engine, nullptr);
    game::GameData g;
    int seed = 1;
    for (; seed <= 2000; ++seed) {
        g = game::GameData{};
        game::newPuzzle(g, *engine, 6, 6, seed);
        if (g.numSolutionWords() > 200 && wordsOf(g, 10) == 0) break;
    }
    ASSERT_LE(seed, 2000) << "no 6 x 6 puzzle with over 200 words";
    game::buildAllSolutionWords(g);
    const int row = 4, notches = 5;
    const std::string number = game::puzzleNumberText({6, 6, seed});
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-results-keys";
    const Result r = runOnVirtualScreen("1024x768", VARNOOK_E2E_RESULTS_KEYS_SCRIPT, out,
                                        number + " " + std::to_string(row) + " " + std::to_string(notches));
    ASSERT_EQ(r.status, 0) << r.output;
    const Geometry window = readGeometry(out / "geometry");
    // Three words a notch; the pointer's row then names the word. Page Down goes 13 words on.
    const int byWheel = 1 + 3 * notches + row;
    for (const auto& [shot, id] : {std::pair{"wheel.ppm", byWheel}, std::pair{"page.ppm", byWheel + 13}}) {
        SCOPED_TRACE(shot);
        game::GameData lit = g;
        ASSERT_TRUE(game::results::loadSolutionPath(lit, g.allSolutionWords()[id]));
        std::set<int> path;
        for (int j = 1; j <= lit.curWordLen(); ++j) path.insert(lit.curPath()[j]);
        const Picture screen = cut(readPpm(out / shot), window);
        ASSERT_GT(screen.width, 0);
        EXPECT_EQ(litCells(screen, 6, 6), path) << "word " << id << " " << g.allSolutionWords()[id];
    }
}

TEST(RealProgramZoom, OpensEnlargedOnA3840By2160ScreenFillsItOnF11AndKeepsACtrlMinus) {
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-zoom";
    const Result r = runOnVirtualScreen("3840x2160", VARNOOK_E2E_ZOOM_SCRIPT, out);
    ASSERT_EQ(r.status, 0) << r.output;
    const Geometry open = readGeometry(out / "geometry-open");
    EXPECT_EQ(open.width, 3 * 704) << "3x: 1584 of 2160 rows";
    EXPECT_EQ(open.height, 3 * 528);
    const Geometry full = readGeometry(out / "geometry-full");
    EXPECT_EQ(full.width, 3840);
    EXPECT_EQ(full.height, 2160);
    const Geometry smaller = readGeometry(out / "geometry-smaller");
    EXPECT_EQ(smaller.width, 2 * 704);
    EXPECT_EQ(settingsValue(out / "config", "ZOOM"), "dword:00000002");
}

}  // namespace
