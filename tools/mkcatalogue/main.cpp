// mkcatalogue: compiles the translations of the game's texts into the game.
//   mkcatalogue OUTPUT.cpp LANG.po...   checks each language's file (its name is the language's code)
//                                       against the English table and writes the catalogues' source
//   mkcatalogue --template OUTPUT.po    writes a .po file for a new language: every English text
// Every problem is reported as file:line: ...; then nothing is written and the status is 1.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue_builder.h"
#include "game/ui/strings.h"

namespace {

std::vector<mkcatalogue::EnglishText> englishTable() {
    std::vector<mkcatalogue::EnglishText> table;
    for (const game::ui::ResString& e : game::ui::kStringTable) table.push_back({e.name, e.text});
    return table;
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

// Writes only when the text changed, so that the game is not compiled again for nothing.
bool writeFile(const std::string& path, const std::string& text) {
    std::string old;
    if (readFile(path, old) && old == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto english = englishTable();
    if (args.size() == 2 && args[0] == "--template") {
        if (writeFile(args[1], mkcatalogue::poTemplate(english))) return 0;
        std::fprintf(stderr, "mkcatalogue: cannot write %s\n", args[1].c_str());
        return 1;
    }
    if (args.empty() || args[0].starts_with("-")) {
        std::fprintf(stderr, "usage: mkcatalogue OUTPUT.cpp LANG.po...\n       mkcatalogue --template OUTPUT.po\n");
        return 2;
    }
    std::vector<std::string> errors;
    std::vector<mkcatalogue::Language> languages;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string text;
        if (!readFile(args[i], text)) {
            errors.push_back(args[i] + ": cannot be read");
            continue;
        }
        const std::string code = std::filesystem::path(args[i]).stem().string();
        const auto entries = mkcatalogue::parsePo(text, args[i], errors);
        languages.push_back(mkcatalogue::checkLanguage(code, entries, english, args[i], errors));
    }
    for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
    if (!errors.empty()) return 1;
    if (!writeFile(args[0], mkcatalogue::catalogueSource(languages, english.size()))) {
        std::fprintf(stderr, "mkcatalogue: cannot write %s\n", args[0].c_str());
        return 1;
    }
    return 0;
}
