// The real program's records on an X display, over three starts on a store of their own: a game
// saved with "Save and Exit" and resumed at the next start, a word found in it and the game quit with
// a ranking score (name typed, table shown), then the table from the menu at the third start. And a
// best score entered while another program holds the store's lock, kept until "EXIT" can write it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e_support.h"
#include "game/play/engine_library.h"
#include "game/play/puzzle.h"
#include "game/play/puzzle_number.h"
#include "game/play/rules.h"
#include "platform/library.h"

namespace {

namespace fs = std::filesystem;

using namespace e2e;

// One window's client area, cut from the screen the script saved under `name`.
Picture readShot(const fs::path& folder, const std::string& name) {
    return cut(readPpm(folder / (name + ".ppm")), readGeometry(folder / ("geometry-" + name)));
}

// Pixels of (left, top, right, bottom) that differ between two shots.
int differing(const Picture& a, const Picture& b, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += a.at(x, y) != b.at(x, y);
    return n;
}

int near(const Picture& s, int left, int top, int right, int bottom, Rgb c) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb p = s.at(x, y);
            n += std::abs(p[0] - c[0]) <= 40 && std::abs(p[1] - c[1]) <= 40 && std::abs(p[2] - c[2]) <= 40;
        }
    return n;
}

constexpr Rgb kDialogText{249, 249, 230};
constexpr Rgb kPanel{51, 68, 140};

TEST(RealProgramRecords, SavesResumesAndKeepsABestScoreWithItsName) {
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-records";
    const Result r = runOnVirtualScreen("1024x768", VARNOOK_E2E_RECORDS_SCRIPT, out);
    ASSERT_EQ(r.status, 0) << r.output;

    // After a "Save and Exit" that could not save, the game is still on screen as it was.
    const Picture saved = readShot(out, "saved");
    const Picture failed = readShot(out, "save-failed");
    ASSERT_EQ(failed.width, 704);
    EXPECT_EQ(differing(saved, failed, 176, 176, 484, 440), 0) << "board after the failed save";
    // (The side panel above "Save and Exit", which the pointer lit and left in its leave look.)
    EXPECT_EQ(differing(saved, failed, 0, 0, 132, 450), 0) << "side panel after the failed save";
    EXPECT_EQ(differing(saved, failed, 528, 40, 648, 380), 0) << "found list after the failed save";

    // The resumed game shows the saved board, score and found list exactly as they were.
    const Picture resumed = readShot(out, "resumed");
    ASSERT_EQ(saved.width, 704);
    ASSERT_EQ(resumed.width, 704);
    EXPECT_EQ(differing(saved, resumed, 176, 176, 484, 440), 0) << "board";
    EXPECT_EQ(differing(saved, resumed, 0, 0, 132, 528), 0) << "side panel";
    EXPECT_EQ(differing(saved, resumed, 528, 40, 648, 380), 0) << "found list";

    // The name typed shows in the name box.
    const Picture name = readShot(out, "name");
    ASSERT_EQ(name.width, 329);
    EXPECT_GT(near(name, 135, 103, 297, 121, kDialogText), 60) << "typed text in the name box";

    // The table after the game, and the same table from the menu at the next start.
    const Picture table = readShot(out, "table");
    const Picture fromMenu = readShot(out, "menu-table");
    ASSERT_EQ(table.width, 466);
    ASSERT_EQ(fromMenu.width, 466);
    EXPECT_EQ(differing(table, fromMenu, 0, 0, 466, 454), 0);
    EXPECT_GT(near(table, 44, 44, 300, 70, kPanel), 40) << "rank 1 has a name";
    int rowsDiffer = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 250; ++x) rowsDiffer += table.at(44 + x, 44 + y) != table.at(44 + x, 88 + y);
    EXPECT_GT(rowsDiffer, 50) << "rank 1 is not the default name of rank 2";

    // The store: the name and the three-letter word's 6 points, and the saved game consumed.
    std::ifstream file(out / "config" / "varnook" / "registry.txt");
    std::stringstream text;
    text << file.rdbuf();
    const std::string store = text.str();
    EXPECT_NE(store.find("\"STATS11\"=string:\"Ada Lovelace\\0\""), std::string::npos) << store;
    EXPECT_NE(store.find("\"STATS1\"=binary:06,00,00,00,00,"), std::string::npos) << store;
    EXPECT_NE(store.find("\"ISSTORED\"=binary:00"), std::string::npos) << store;
}

TEST(RealProgramRecords, ABestScoreEnteredWhileTheStoreIsBusyIsWrittenAtExit) {
    // A word of the puzzle 4x4-2, from the engine itself.
    std::string error;
    auto engine = game::EngineLibrary::load(
        std::string(VARNOOK_BIN_DIR) + "/" + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
    ASSERT_NE(engine, nullptr) << error;
    ASSERT_EQ(engine->loadLangDict(std::string(VARNOOK_BIN_DIR) + "/" + game::kDictionaryFileName), 1);
    const game::PuzzleNumber number{4, 4, 2};
    game::GameData g;
    game::newPuzzle(g, *engine, number.width, number.height, number.seed);
    ASSERT_GE(g.wordsOfLength(3).count(), 1);
    const std::string word = g.wordsOfLength(3).words[1];

    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e-busy-store";
    const Result r = runOnVirtualScreen("1024x768", VARNOOK_E2E_BUSY_STORE_SCRIPT, out,
                                        game::puzzleNumberText(number) + " " + word + " 'Grace Hopper'");
    ASSERT_EQ(r.status, 0) << r.output;

    // The table marked the score as not saved yet (the note under the buttons).
    const Picture table = readShot(out, "table");
    ASSERT_EQ(table.width, 466);
    EXPECT_GT(near(table, 44, 428, 422, 454, Rgb{200, 220, 120}), 20) << "the note on the table";
    // While the box asked, the game had ended: no puzzle's number in the title.
    std::string title;
    std::getline(std::ifstream(out / "title"), title);
    EXPECT_EQ(title, "Varnook");

    std::ifstream file(out / "config" / "varnook" / "registry.txt");
    std::stringstream text;
    text << file.rdbuf();
    const std::string store = text.str();
    EXPECT_NE(store.find("\"STATS11\"=string:\"Grace Hopper\\0\""), std::string::npos) << store;
    char scores[40];
    std::snprintf(scores, sizeof scores, "\"STATS1\"=binary:%02x,00,00,00,", game::wordPoints(3));
    EXPECT_NE(store.find(scores), std::string::npos) << store;
}

}  // namespace
