// The puzzle engine library, loaded by name from the program folder at run time, with its six
// exports bound by name. The game reaches the engine through this owner only.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "qxdll.h"

namespace platform {
class SharedLibrary;
}

namespace game {

// The engine's name; the file is platform::SharedLibrary::fileName of it ("libQXDLL.so").
constexpr const char* kEngineLibraryName = "QXDLL";
constexpr const char* kDictionaryFileName = "DEFAULT.DICT";

class EngineLibrary {
public:
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    // Loads the library file at path and binds its six exports. nullptr, with the reason in
    // *error, when the file cannot be loaded or lacks an export.
    static std::unique_ptr<EngineLibrary> load(const std::string& path, std::string* error = nullptr);
    // An engine whose six exports are already in this program (a test's own table). Every
    // pointer must be set.
    static std::unique_ptr<EngineLibrary> fromExports(const qxdll::Exports& exports);

    // 1 when the dictionary file was loaded; 0 when it is missing, unreadable or damaged.
    std::int32_t loadLangDict(const std::string& path);
    // Fills the grid's cells with letters from seed and solves it; dirs holds (dx, dy) pairs.
    std::int32_t makeQXPuzzleA(int width, int height, std::span<std::uint8_t> grid, std::span<const std::int32_t> dirs,
                               int seed);
    // Solves a grid of letters the caller already has.
    std::int32_t recreatePuzzle(int width, int height, std::span<const std::uint8_t> grid,
                                std::span<const std::int32_t> dirs);
    std::int32_t qxpGetNumWordsInSize(int k);
    // Copies word n (from 1) of list k: k + 1 letters and a zero into word, the 0-based cells into path.
    std::int32_t qxpGetWord(int k, int n, std::span<char> word, std::span<std::uint8_t> path);
    void clearMemory();

private:
    EngineLibrary() = default;

    std::unique_ptr<platform::SharedLibrary> library_;
    qxdll::Exports qx_;
};

}  // namespace game
