// The real program driven by the keyboard and on a large screen, on an X display: words typed on a
// puzzle given by its number (one of them only spelled by moving the chain to another path), and
// the window enlarged on a 3840 x 2160 screen, in full screen and one step smaller.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "game/play/engine_library.h"
#include "game/play/puzzle.h"
#include "game/play/puzzle_number.h"
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
    g.curWordLen = 0;
    for (int c = 1; c <= g.numCells(); ++c) g.cellSelected[c] = 0;
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
