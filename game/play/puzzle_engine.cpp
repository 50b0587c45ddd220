// Binding the engine's exports by name from the loaded library.
#include "game/play/puzzle_engine.h"

#include <cassert>

#include "platform/library.h"

namespace game {

namespace {

template <class Fn>
bool bind(const platform::SharedLibrary& library, const char* name, Fn& fn, std::string* error) {
    fn = reinterpret_cast<Fn>(library.symbol(name));
    if (fn == nullptr && error != nullptr) *error = std::string("the engine library has no export ") + name;
    return fn != nullptr;
}

}  // namespace

PuzzleEngine::~PuzzleEngine() = default;

std::unique_ptr<PuzzleEngine> PuzzleEngine::load(const std::string& path, std::string* error) {
    auto library = platform::SharedLibrary::open(path, error);
    if (!library) return nullptr;
    std::unique_ptr<PuzzleEngine> engine(new PuzzleEngine());
    const bool bound = bind(*library, "loadLangDict", engine->loadLangDict_, error) &&
                       bind(*library, "makeQXPuzzleA", engine->makeQXPuzzleA_, error) &&
                       bind(*library, "qxpGetNumWordsInSize", engine->qxpGetNumWordsInSize_, error) &&
                       bind(*library, "qxpGetWord", engine->qxpGetWord_, error) &&
                       bind(*library, "clearMemory", engine->clearMemory_, error) &&
                       bind(*library, "recreatePuzzle", engine->recreatePuzzle_, error);
    if (!bound) return nullptr;
    engine->library_ = std::move(library);
    return engine;
}

std::int32_t PuzzleEngine::loadLangDict(const std::string& path) { return loadLangDict_(path.c_str()); }

std::int32_t PuzzleEngine::makeQXPuzzleA(int width, int height, std::span<std::uint8_t> grid,
                                         std::span<const std::int32_t> dirs, int seed) {
    // The engine writes width x height bytes and reads one (dx, dy) pair per step.
    assert(grid.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return makeQXPuzzleA_(width, height, grid.data(), dirs.data(), static_cast<std::int32_t>(dirs.size() / 2), seed);
}

std::int32_t PuzzleEngine::recreatePuzzle(int width, int height, std::span<const std::uint8_t> grid,
                                          std::span<const std::int32_t> dirs) {
    assert(grid.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return recreatePuzzle_(width, height, grid.data(), dirs.data(), static_cast<std::int32_t>(dirs.size() / 2));
}

std::int32_t PuzzleEngine::qxpGetNumWordsInSize(int k) { return qxpGetNumWordsInSize_(k); }

std::int32_t PuzzleEngine::qxpGetWord(int k, int n, std::span<char> word, std::span<std::uint8_t> path) {
    // The engine writes k + 1 letters and a zero, and k + 1 path bytes.
    assert(word.size() >= static_cast<std::size_t>(k) + 2 && path.size() >= static_cast<std::size_t>(k) + 1);
    return qxpGetWord_(k, n, word.data(), path.data());
}

void PuzzleEngine::clearMemory() { clearMemory_(); }

}  // namespace game
