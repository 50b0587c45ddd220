// The engine library loaded by name, and the calls into its exports with the buffers they need.
#include "game/play/engine_library.h"

#include <cassert>

#include "platform/library.h"

namespace game {

EngineLibrary::~EngineLibrary() = default;

std::unique_ptr<EngineLibrary> EngineLibrary::load(const std::string& path, std::string* error) {
    auto library = platform::SharedLibrary::open(path, error);
    if (!library) return nullptr;
    std::unique_ptr<EngineLibrary> engine(new EngineLibrary());
    if (const char* missing = engine->qx_.bind([&](const char* name) { return library->symbol(name); })) {
        if (error != nullptr) *error = std::string("the engine library has no export ") + missing;
        return nullptr;
    }
    engine->library_ = std::move(library);
    return engine;
}

std::unique_ptr<EngineLibrary> EngineLibrary::fromExports(const qxdll::Exports& exports) {
    std::unique_ptr<EngineLibrary> engine(new EngineLibrary());
    engine->qx_ = exports;
    return engine;
}

std::int32_t EngineLibrary::loadLangDict(const std::string& path) { return qx_.loadLangDict(path.c_str()); }

std::int32_t EngineLibrary::makeQXPuzzleA(int width, int height, std::span<std::uint8_t> grid,
                                          std::span<const std::int32_t> dirs, int seed) {
    // The engine writes width x height bytes and reads one (dx, dy) pair per step.
    assert(grid.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return qx_.makeQXPuzzleA(width, height, grid.data(), dirs.data(), static_cast<std::int32_t>(dirs.size() / 2), seed);
}

std::int32_t EngineLibrary::recreatePuzzle(int width, int height, std::span<const std::uint8_t> grid,
                                           std::span<const std::int32_t> dirs) {
    assert(grid.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return qx_.recreatePuzzle(width, height, grid.data(), dirs.data(), static_cast<std::int32_t>(dirs.size() / 2));
}

std::int32_t EngineLibrary::qxpGetNumWordsInSize(int k) { return qx_.qxpGetNumWordsInSize(k); }

std::int32_t EngineLibrary::qxpGetWord(int k, int n, std::span<char> word, std::span<std::uint8_t> path) {
    // The engine writes k + 1 letters and a zero, and k + 1 path bytes.
    assert(word.size() >= static_cast<std::size_t>(k) + 2 && path.size() >= static_cast<std::size_t>(k) + 1);
    return qx_.qxpGetWord(k, n, word.data(), path.data());
}

void EngineLibrary::clearMemory() { qx_.clearMemory(); }

}  // namespace game
