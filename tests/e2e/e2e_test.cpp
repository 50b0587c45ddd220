// The real program, as a player starts it: it refuses to start a broken game without its engine or
// dictionary, and on an X display it shows the menu and then the play surface of a Classic game.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "e2e_support.h"

namespace {

namespace fs = std::filesystem;
using namespace e2e;

fs::path freshDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

constexpr Rgb kPanel{51, 68, 140};   // side panel and menu background
constexpr Rgb kPlay{150, 150, 240};  // play surface background

TEST(RealProgram, RefusesToStartWithoutItsEngineOrItsDictionary) {
    const fs::path dir = freshDir("varnook-e2e-folder");
    fs::copy_file(fs::path(VARNOOK_BIN_DIR) / "varnook", dir / "varnook");
    const std::string start =
        "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" + quoted((dir / "config").string()) +
        " timeout 60 " + quoted((dir / "varnook").string());

    Result r = run(start);
    EXPECT_NE(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("libQXDLL.so"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(dir.string() + "/"), std::string::npos) << r.output;

    fs::copy_file(fs::path(VARNOOK_BIN_DIR) / "libQXDLL.so", dir / "libQXDLL.so");
    r = run(start);
    EXPECT_NE(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("DEFAULT.DICT"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(dir.string() + "/"), std::string::npos) << r.output;
    fs::remove_all(dir);
}

TEST(RealProgram, AnswersItsCommandLineWithoutOpeningAWindow) {
    Result r = run("SDL_VIDEODRIVER=dummy timeout 20 " + program() + " --help");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(r.output.starts_with("Usage: varnook")) << r.output;
    r = run("{ timeout 20 " + program() + " --version 2>/dev/null; }");  // on stdout only
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(r.output.starts_with("varnook ")) << r.output;
    r = run("{ timeout 20 " + program() + " --no-such-option 2>&1 >/dev/null; }");  // on stderr only
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("varnook: unknown option '--no-such-option'\nUsage: varnook"), std::string::npos)
        << r.output;
    // A puzzle number the game has no board for, or a seed out of range: the usage, status 2.
    for (const std::string bad : {"7x7-12", "5x4-10001", "5x4"}) {
        r = run("{ SDL_VIDEODRIVER=dummy timeout 20 " + program() + " --puzzle " + bad + " 2>&1 >/dev/null; }");
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_TRUE(r.output.starts_with("varnook: --puzzle: ")) << r.output;
        EXPECT_NE(r.output.find("\nUsage: varnook"), std::string::npos) << r.output;
    }
    r = run("SDL_VIDEODRIVER=dummy timeout 20 " + program() + " --help");
    EXPECT_NE(r.output.find("--puzzle WxH-SEED"), std::string::npos) << r.output;
}

TEST(RealProgram, SaysThereIsNoDisplayAndEndsInsteadOfRunningUnseen) {
    const fs::path dir = freshDir("varnook-e2e-nodisplay");
    const Result r = run("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME=" +
                         quoted((dir / "config").string()) + " timeout 20 " + program());
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("varnook: no display"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(dir / "config" / "varnook")) << "nothing of the game ran";
    fs::remove_all(dir);
}

TEST(RealProgram, PlaysAClassicGameOnAnXDisplay) {
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e";
    const Result r = runOnVirtualScreen("1024x768", VARNOOK_E2E_SCRIPT, out);
    ASSERT_EQ(r.status, 0) << r.output;

    const Geometry window = readGeometry(out / "geometry");
    EXPECT_EQ(window.width, 704);
    EXPECT_EQ(window.height, 528);
    const Picture menu = cut(readPpm(out / "menu.ppm"), window);
    const Picture play = cut(readPpm(out / "play.ppm"), window);
    ASSERT_GT(menu.width, 0);
    ASSERT_GT(play.width, 0);

    // The menu first: panel blue where the play surface would be light.
    EXPECT_EQ(menu.at(300, 155), kPanel);
    EXPECT_EQ(menu.at(650, 60), kPanel);  // below the language button of the top right corner

    // Then the play surface, not the menu: its background, the side panel, tiles on the board.
    EXPECT_EQ(play.at(300, 155), kPlay);
    EXPECT_EQ(play.at(650, 30), kPlay);
    EXPECT_EQ(play.at(60, 10), kPanel);
    int boardInk = 0;
    for (int y = 176; y < 440; ++y)
        for (int x = 198; x < 462; ++x) boardInk += play.at(x, y) != kPlay;
    EXPECT_GT(boardInk, 10000) << "the board's tiles";

    // Three letters linked: the first three slots of the word strip hold tiles, the others are empty.
    for (int slot = 0; slot < 7; ++slot) {
        int ink = 0;
        for (int y = 48; y < 86; ++y)
            for (int x = 176 + 44 * slot + 4; x < 176 + 44 * slot + 40; ++x) ink += play.at(x, y) != kPlay;
        if (slot < 3)
            EXPECT_GT(ink, 500) << "slot " << slot + 1;
        else
            EXPECT_EQ(ink, 0) << "slot " << slot + 1;
    }
    EXPECT_TRUE(fs::exists(out / "screenshot-classic.png"));

    // "Show Solution": the results display, with the first solution word's path lit.
    const Picture results = cut(readPpm(out / "results.ppm"), window);
    ASSERT_EQ(results.width, play.width);
    auto inkIn = [&](int left, int top, int right, int bottom, Rgb background) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) ink += results.at(x, y) != background;
        return ink;
    };
    EXPECT_EQ(inkIn(5, 370, 127, 395, kPanel), 0) << "\"Show Solution\" is gone";
    EXPECT_EQ(inkIn(5, 400, 127, 425, kPanel), 0) << "\"Quit game\" is gone";
    EXPECT_GT(inkIn(5, 430, 127, 455, kPanel), 50) << "\"Main Menu\" stays";
    EXPECT_GT(inkIn(224, 114, 436, 136, kPanel), 100) << "\"Back to Main Menu \"";
    EXPECT_GT(inkIn(154, 3, 550, 23, kPlay), 100) << "the message line";
    // The hovered word (three letters at least) is spelled in the strip.
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_GT(inkIn(176 + 44 * slot + 4, 48, 176 + 44 * slot + 40, 86, kPlay), 500) << "slot " << slot + 1;
    EXPECT_TRUE(fs::exists(out / "screenshot-results.png"));
}

}  // namespace
