// What the end-to-end tests share: running a shell command and reading what it wrote, starting one
// of the play scripts on a virtual X server, and reading back the screens the scripts saved with xwd
// (binary PPM, as xwdtopnm writes it) and the window geometry beside them.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace e2e {

namespace fs = std::filesystem;

struct Result {
    int status = -1;  // the exit status, or 128 + the signal that ended the command
    std::string output;
};

// Runs a shell command, stdout and stderr together.
inline Result run(const std::string& command) {
    Result r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return r;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), static_cast<int>(buf.size()), pipe) != nullptr) r.output += buf.data();
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
    return r;
}

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

inline std::string program() { return quoted(std::string(VARNOOK_BIN_DIR) + "/varnook"); }

// Runs a play script on a virtual X server of the given size ("1024x768"): the script gets the
// program, the folder it writes its screens and store into, then `extra`.
// -noreset: an X server resets when its last client leaves, and a program started between two of
// a script's runs during that reset would find no display.
inline Result runOnVirtualScreen(const std::string& size, const std::string& script, const fs::path& out,
                                 const std::string& extra = {}) {
    return run("xvfb-run -a -s '-screen 0 " + size + "x24 -noreset' " + quoted(script) + " " + program() + " " +
               quoted(out.string()) + (extra.empty() ? "" : " " + extra));
}

using Rgb = std::array<int, 3>;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    Rgb at(int x, int y) const {
        const std::size_t i =
            3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

// A binary PPM (P6, 8 bits); an empty picture when the file is missing or not one.
inline Picture readPpm(const fs::path& path) {
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

// A window's place on the screen as the scripts write it: "x y width height".
struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline Geometry readGeometry(const fs::path& file) {
    Geometry g;
    std::ifstream(file) >> g.x >> g.y >> g.width >> g.height;
    return g;
}

// The part of a screen a window covers; an empty picture when it does not lie inside the screen.
inline Picture cut(const Picture& screen, const Geometry& g) {
    if (g.width <= 0 || g.height <= 0 || g.x < 0 || g.y < 0 || g.x + g.width > screen.width ||
        g.y + g.height > screen.height)
        return {};
    Picture p{g.width, g.height, {}};
    p.rgb.reserve(3 * static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            for (int c : screen.at(g.x + x, g.y + y)) p.rgb.push_back(static_cast<unsigned char>(c));
    return p;
}

}  // namespace e2e
