// The real program, as a player starts it: it refuses to start a broken game without its engine or
// dictionary, and on an X display it shows the menu and then the play surface of a Classic game.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string output;
};

// Runs a shell command, stdout and stderr together.
Result run(const std::string& command) {
    Result r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return r;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), static_cast<int>(buf.size()), pipe) != nullptr) r.output += buf.data();
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
    return r;
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

fs::path freshDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A binary PPM (P6, 8 bits) as xwdtopnm writes it.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    std::array<int, 3> at(int x, int y) const {
        const std::size_t i =
            3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

Picture readPpm(const fs::path& path) {
    Picture p;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> p.width >> p.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255 || p.width <= 0 || p.height <= 0) return {};
    p.rgb.resize(3 * static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
    in.read(reinterpret_cast<char*>(p.rgb.data()), static_cast<std::streamsize>(p.rgb.size()));
    if (!in) return {};
    return p;
}

constexpr std::array<int, 3> kPanel{51, 68, 140};   // side panel and menu background
constexpr std::array<int, 3> kPlay{150, 150, 240};  // play surface background

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
    const std::string program = quoted(std::string(VARNOOK_BIN_DIR) + "/varnook");
    Result r = run("SDL_VIDEODRIVER=dummy timeout 20 " + program + " --help");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(r.output.starts_with("Usage: varnook")) << r.output;
    r = run("{ timeout 20 " + program + " --version 2>/dev/null; }");  // on stdout only
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(r.output.starts_with("varnook ")) << r.output;
    r = run("{ timeout 20 " + program + " --no-such-option 2>&1 >/dev/null; }");  // on stderr only
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("varnook: unknown option '--no-such-option'\nUsage: varnook"), std::string::npos)
        << r.output;
    // A puzzle number the game has no board for, or a seed out of range: the usage, status 2.
    for (const std::string bad : {"7x7-12", "5x4-10001", "5x4"}) {
        r = run("{ SDL_VIDEODRIVER=dummy timeout 20 " + program + " --puzzle " + bad + " 2>&1 >/dev/null; }");
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_TRUE(r.output.starts_with("varnook: --puzzle: ")) << r.output;
        EXPECT_NE(r.output.find("\nUsage: varnook"), std::string::npos) << r.output;
    }
    r = run("SDL_VIDEODRIVER=dummy timeout 20 " + program + " --help");
    EXPECT_NE(r.output.find("--puzzle WxH-SEED"), std::string::npos) << r.output;
}

TEST(RealProgram, SaysThereIsNoDisplayAndEndsInsteadOfRunningUnseen) {
    const fs::path dir = freshDir("varnook-e2e-nodisplay");
    const Result r = run(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME=" + quoted((dir / "config").string()) +
        " timeout 20 " + quoted(std::string(VARNOOK_BIN_DIR) + "/varnook"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("varnook: no display"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(dir / "config" / "varnook")) << "nothing of the game ran";
    fs::remove_all(dir);
}

TEST(RealProgram, PlaysAClassicGameOnAnXDisplay) {
    const fs::path out = fs::path(VARNOOK_SNAPSHOT_DIR) / "e2e";
    const Result r = run("xvfb-run -a -s '-screen 0 1024x768x24 -noreset' " + quoted(VARNOOK_E2E_SCRIPT) + " " +
                         quoted(std::string(VARNOOK_BIN_DIR) + "/varnook") + " " + quoted(out.string()));
    ASSERT_EQ(r.status, 0) << r.output;

    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::ifstream(out / "geometry") >> x0 >> y0 >> w >> h;
    EXPECT_EQ(w, 704);
    EXPECT_EQ(h, 528);
    const Picture menu = readPpm(out / "menu.ppm");
    const Picture play = readPpm(out / "play.ppm");
    ASSERT_GT(menu.width, 0);
    ASSERT_GT(play.width, 0);
    ASSERT_LE(x0 + w, play.width);
    ASSERT_LE(y0 + h, play.height);
    auto menuAt = [&](int x, int y) { return menu.at(x0 + x, y0 + y); };
    auto playAt = [&](int x, int y) { return play.at(x0 + x, y0 + y); };

    // The menu first: panel blue where the play surface would be light.
    EXPECT_EQ(menuAt(300, 155), kPanel);
    EXPECT_EQ(menuAt(650, 30), kPanel);

    // Then the play surface, not the menu: its background, the side panel, tiles on the board.
    EXPECT_EQ(playAt(300, 155), kPlay);
    EXPECT_EQ(playAt(650, 30), kPlay);
    EXPECT_EQ(playAt(60, 10), kPanel);
    int boardInk = 0;
    for (int y = 176; y < 440; ++y)
        for (int x = 198; x < 462; ++x) boardInk += playAt(x, y) != kPlay;
    EXPECT_GT(boardInk, 10000) << "the board's tiles";

    // Three letters linked: the first three slots of the word strip hold tiles, the others are empty.
    for (int slot = 0; slot < 7; ++slot) {
        int ink = 0;
        for (int y = 48; y < 86; ++y)
            for (int x = 176 + 44 * slot + 4; x < 176 + 44 * slot + 40; ++x) ink += playAt(x, y) != kPlay;
        if (slot < 3)
            EXPECT_GT(ink, 500) << "slot " << slot + 1;
        else
            EXPECT_EQ(ink, 0) << "slot " << slot + 1;
    }
    EXPECT_TRUE(fs::exists(out / "screenshot-classic.png"));

    // "Show Solution": the results display, with the first solution word's path lit.
    const Picture results = readPpm(out / "results.ppm");
    ASSERT_EQ(results.width, play.width);
    auto resultsAt = [&](int x, int y) { return results.at(x0 + x, y0 + y); };
    auto inkIn = [&](int left, int top, int right, int bottom, std::array<int, 3> background) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) ink += resultsAt(x, y) != background;
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
