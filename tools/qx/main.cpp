// qx: makes or solves a puzzle through the engine library, loaded by name from the program's own
// folder exactly as the game loads it, and prints the board and every solution word with its path.
//   qx make --seed N --size WxH [--dict FILE]
//   qx solve --board ROWS [--dict FILE]      (ROWS like catx/dogs/..., '.' for a hole)
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/library.h"
#include "qxdll.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kMaxCells = 256;
constexpr int kFirstList = 0;  // words of 1 letter
constexpr int kLastList = 9;   // words of 10 letters
constexpr const char* kDictionaryName = "DEFAULT.DICT";
constexpr char kHole = '.';

// The game's neighbour steps (dx, dy), in the order that decides paths and puzzles.
constexpr std::array<std::int32_t, 16> kNeighbourSteps = {1, 0, 0, 1, -1, 0, 0, -1, 1, 1, 1, -1, -1, -1, -1, 1};

constexpr const char* kUsage =
    "usage: qx make --seed N --size WxH [--dict FILE]\n"
    "       qx solve --board ROWS [--dict FILE]   (rows separated by '/', '.' for a hole)\n";

struct UsageError {
    std::string message;
};

// The engine library and its six exports, looked up by name; unloaded on destruction.
class EngineLibrary {
public:
    static std::unique_ptr<EngineLibrary> open(const fs::path& file, std::string& error) {
        auto library = platform::SharedLibrary::open(file.string(), &error);
        if (!library) return nullptr;
        auto lib = std::unique_ptr<EngineLibrary>(new EngineLibrary(std::move(library)));
        if (const char* missing = lib->qx.bind([&](const char* name) { return lib->library_->symbol(name); })) {
            error = std::string("the library has no export ") + missing;
            return nullptr;
        }
        return lib;
    }

    qxdll::Exports qx;

private:
    explicit EngineLibrary(std::unique_ptr<platform::SharedLibrary> library) : library_(std::move(library)) {}
    std::unique_ptr<platform::SharedLibrary> library_;
};

struct Options {
    std::string command;
    std::optional<std::int32_t> seed;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grid;  // for solve: the typed letters
    std::optional<fs::path> dict;
};

std::int32_t parseInt(std::string_view text, std::string_view what) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw UsageError{std::string(what) + " must be a whole number, not \"" + std::string(text) + "\""};
    return value;
}

void parseSize(std::string_view text, Options& options) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) throw UsageError{"--size must look like 5x5"};
    options.width = parseInt(text.substr(0, x), "the board width");
    options.height = parseInt(text.substr(x + 1), "the board height");
    if (options.width < 1 || options.height < 1 || options.width * options.height > kMaxCells)
        throw UsageError{"--size must give at least one cell and at most 256"};
}

void parseBoard(std::string_view text, Options& options) {
    int rows = 0;
    int width = -1;
    while (true) {
        const std::size_t slash = text.find('/');
        const std::string_view row = text.substr(0, slash);
        if (row.empty()) throw UsageError{"--board has an empty row"};
        if (width >= 0 && static_cast<int>(row.size()) != width)
            throw UsageError{"--board rows must all have the same length"};
        width = static_cast<int>(row.size());
        for (const char ch : row) options.grid.push_back(ch == kHole ? 0 : static_cast<std::uint8_t>(ch));
        ++rows;
        if (slash == std::string_view::npos) break;
        text.remove_prefix(slash + 1);
    }
    if (width * rows > kMaxCells) throw UsageError{"--board has more than 256 cells"};
    options.width = width;
    options.height = rows;
}

Options parseArguments(int argc, char** argv) {
    if (argc < 2) throw UsageError{"a command is needed: make or solve"};
    Options options;
    options.command = argv[1];
    if (options.command != "make" && options.command != "solve")
        throw UsageError{"unknown command \"" + options.command + "\""};
    bool haveSize = false;
    bool haveBoard = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc) throw UsageError{std::string(arg) + " needs a value"};
        const std::string_view value = argv[++i];
        if (arg == "--dict") {
            options.dict = fs::path(value);
        } else if (arg == "--seed" && options.command == "make") {
            options.seed = parseInt(value, "--seed");
        } else if (arg == "--size" && options.command == "make") {
            parseSize(value, options);
            haveSize = true;
        } else if (arg == "--board" && options.command == "solve") {
            parseBoard(value, options);
            haveBoard = true;
        } else {
            throw UsageError{"unknown option " + std::string(arg) + " for " + options.command};
        }
    }
    if (options.command == "make" && (!options.seed || !haveSize)) throw UsageError{"make needs --seed and --size"};
    if (options.command == "solve" && !haveBoard) throw UsageError{"solve needs --board"};
    return options;
}

void printBoard(const Options& options, const std::vector<std::uint8_t>& grid) {
    for (int y = 0; y < options.height; ++y) {
        std::cout << " ";
        for (int x = 0; x < options.width; ++x) {
            const std::uint8_t byte = grid[static_cast<std::size_t>(y * options.width + x)];
            std::cout << ' ' << (byte == 0 ? kHole : static_cast<char>(byte));
        }
        std::cout << "\n";
    }
}

// Reads every list back, prints it by length, then frees the lists.
void printSolutions(const qxdll::Exports& engine) {
    std::array<char, kLastList + 2> word{};
    std::array<std::uint8_t, kLastList + 1> path{};
    for (int k = kFirstList; k <= kLastList; ++k) {
        const std::int32_t count = engine.qxpGetNumWordsInSize(k);
        if (count == 0) continue;
        std::cout << "\n" << k + 1 << " letters (" << count << ")\n";
        for (std::int32_t n = 1; n <= count; ++n) {
            const std::int32_t cells = engine.qxpGetWord(k, n, word.data(), path.data());
            std::cout << "  " << word.data() << std::string(static_cast<std::size_t>(kLastList + 3 - k), ' ');
            for (std::int32_t i = 0; i < cells; ++i)
                std::cout << (i ? "-" : "") << int{path[static_cast<std::size_t>(i)]};
            std::cout << "\n";
        }
    }
    engine.clearMemory();
}

int run(const Options& options) {
    const fs::path folder = platform::programFolder();
    std::string error;
    auto engine = EngineLibrary::open(folder / platform::SharedLibrary::fileName("QXDLL"), error);
    if (!engine) {
        std::cerr << "qx: cannot load the engine library: " << error << "\n";
        return kExitFailure;
    }
    const fs::path dict = options.dict.value_or(folder / kDictionaryName);
    if (engine->qx.loadLangDict(dict.c_str()) != 1) {
        std::cerr << "qx: cannot load the dictionary " << dict << " (missing, unreadable or corrupt)\n";
        return kExitFailure;
    }

    std::vector<std::uint8_t> grid = options.grid;
    std::int32_t total = 0;
    if (options.command == "make") {
        grid.assign(static_cast<std::size_t>(options.width * options.height), 1);
        total = engine->qx.makeQXPuzzleA(options.width, options.height, grid.data(), kNeighbourSteps.data(),
                                         kNeighbourSteps.size() / 2, *options.seed);
        std::cout << "Seed " << *options.seed << ", " << options.width << "x" << options.height;
    } else {
        total = engine->qx.recreatePuzzle(options.width, options.height, grid.data(), kNeighbourSteps.data(),
                                          kNeighbourSteps.size() / 2);
        std::cout << "Board " << options.width << "x" << options.height;
    }
    std::cout << ": " << total << " words of 3 to 10 letters (paths: cell = row x width + column)\n\n";
    printBoard(options, grid);
    printSolutions(engine->qx);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(parseArguments(argc, argv));
    } catch (const UsageError& e) {
        std::cerr << "qx: " << e.message << "\n" << kUsage;
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "qx: " << e.what() << "\n";
        return kExitFailure;
    }
}
