// The engine of the build, and hand-made boards for the rules tests.
#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "game_builder.h"
#include "platform/library.h"

namespace playtest {

game::EngineLibrary& engine() {
    static std::unique_ptr<game::EngineLibrary> loaded = [] {
        const std::string dir = std::string(VARNOOK_BIN_DIR) + "/";
        std::string error;
        auto e = game::EngineLibrary::load(dir + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
        if (!e)
            ADD_FAILURE() << "engine library: " << error;
        else if (e->loadLangDict(dir + game::kDictionaryFileName) != 1)
            ADD_FAILURE() << "dictionary not loaded";
        return e;
    }();
    if (!loaded) throw std::runtime_error("no engine");
    return *loaded;
}

game::GameData board(int width, int height, const std::string& letters) {
    if (letters.size() < static_cast<std::size_t>(width * height)) throw std::out_of_range("too few letters");
    return game::testing::GameBuilder().board(letters, width, height).build();
}

void addSolution(game::GameData& g, const std::string& word, std::initializer_list<int> cells) {
    g = game::testing::GameBuilder(g).solution(word, cells, true).build();
}

void link(game::GameData& g, std::initializer_list<int> cells) {
    for (int c : cells) g.pushCell(c);
}

}  // namespace playtest
