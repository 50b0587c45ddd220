// mkdict: compiles a word list (one word per line) into a dictionary file for the engine, leaving
// out the words of exclusion lists except those of keep lists. With --language the list and the
// exclusion and keep lists are words of that language (UTF-8), written with its board letters;
// --select then prints the words of the list a dictionary can hold instead of compiling it.
// Usage: mkdict [--language CODE] [--exclude LIST]... [--keep LIST]... WORDLIST OUTPUT
//        mkdict --language CODE --select WORDLIST
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dict_builder.h"

namespace mk = varnook::mkdict;

namespace {

constexpr const char* kUsage =
    "usage: mkdict [--exclude LIST]... [--keep LIST]... [--language CODE] WORDLIST OUTPUT\n"
    "       mkdict --language CODE --select WORDLIST\n";

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "mkdict: cannot read " << path << "\n";
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> excludeFiles, keepFiles, files;
    std::optional<game::letters::Language> language;
    bool badOption = false, select = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--exclude" || arg == "--keep") && i + 1 < argc)
            (arg == "--exclude" ? excludeFiles : keepFiles).emplace_back(argv[++i]);
        else if (arg == "--language" && i + 1 < argc && !language)
            badOption = !(language = game::letters::fromCode(argv[++i]));
        else if (arg == "--select")
            select = true;
        else if (!arg.starts_with("--"))
            files.emplace_back(arg);
        else
            badOption = true;
    }
    if (badOption || files.size() != (select ? 1u : 2u) || (select && !language)) {
        std::cerr << kUsage;
        return 2;
    }
    if (select) {
        const auto text = readFile(files[0]);
        if (!text) return 1;
        for (const auto& word : mk::selectWords(*text, *language)) std::cout << word << "\n";
        return std::cout.flush() ? 0 : 1;
    }

    std::set<std::string> excluded, keep;
    for (const auto& [paths, into] : {std::pair{&excludeFiles, &excluded}, std::pair{&keepFiles, &keep}})
        for (const auto& path : *paths) {
            const auto text = readFile(path);
            if (!text) return 1;
            into->merge(language ? mk::foldEntries(mk::parseEntryList(*text), *language) : mk::parseEntryList(*text));
        }
    const auto text = readFile(files[0]);
    if (!text) return 1;
    const mk::WordList list = mk::parseWordList(*text, language);
    if (!list.rejected.empty()) {
        for (const auto& r : list.rejected)
            std::cerr << "mkdict: cannot store \"" << r.word << "\": " << r.reason << "\n";
        std::cerr << "mkdict: " << list.rejected.size() << " word(s) rejected, nothing written\n";
        return 1;
    }
    const mk::Filtered filtered = mk::applyExclusions(list.words, excluded, keep);
    if (filtered.words.empty()) {
        std::cerr << "mkdict: " << files[0] << " holds no words\n";
        return 1;
    }
    const auto nodes = mk::buildNodes(filtered.words);
    if (!nodes) {
        std::cerr << "mkdict: too many words: the tree does not fit the node format\n";
        return 1;
    }
    const mk::Weights weights = mk::deriveWeights(filtered.words);
    const auto bytes = mk::encodeDictionary(weights, *nodes);

    // Write beside the target and rename, so a failed run never leaves half a file.
    const std::string output = files[1];
    const std::string temp = output + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "mkdict: cannot write " << temp << "\n";
            return 1;
        }
    }
    if (std::rename(temp.c_str(), output.c_str()) != 0) {
        std::cerr << "mkdict: cannot write " << output << "\n";
        return 1;
    }
    const unsigned pool = std::accumulate(weights.begin(), weights.end(), 0u);
    std::set<std::string> distinct(filtered.words.begin(), filtered.words.end());
    std::cout << "mkdict: " << output << ": " << distinct.size() << " words (" << filtered.excluded.size()
              << " left out, " << filtered.kept.size() << " kept on review), " << nodes->size()
              << " nodes, letter pool " << pool << "\n";
    return 0;
}
