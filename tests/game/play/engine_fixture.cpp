// The engine of the build, and hand-made boards for the rules tests.
#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <memory>

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
    game::GameData g;
    g.setBoard(width, height);
    for (int i = 1; i <= g.numCells(); ++i)
        g.gridLetters()[i] = static_cast<std::uint8_t>(letters.at(static_cast<std::size_t>(i - 1)));
    return g;
}

void addSolution(game::GameData& g, const std::string& word, std::initializer_list<int> cells) {
    game::WordList& list = g.wordLists()[static_cast<int>(word.size()) - 1];
    list.words.push_back(word);
    std::vector<std::uint8_t> path;
    for (int c : cells) path.push_back(static_cast<std::uint8_t>(c - 1));
    list.paths.push_back(path);
    g.targetPoints() += game::wordPoints(static_cast<int>(word.size()));
}

void link(game::GameData& g, std::initializer_list<int> cells) {
    for (int c : cells) {
        g.curWordLen() += 1;
        g.curPath()[g.curWordLen()] = static_cast<std::int16_t>(c);
        g.cellSelected()[c] = 1;
    }
}

}  // namespace playtest
