// mkwordnotes: the data files beside the dictionary that say more about its words.
//   common:      DEFAULT.COMMON, the common words of the dictionary, upper case, one per line
//   definitions: DEFAULT.DEFS, one or two short glosses per dictionary word (see game/play/word_notes.h)
// The dictionary's words are the word list less the exclusion lists (but the keep lists), as mkdict
// takes them, so neither file holds a word the dictionary leaves out.
// Usage: mkwordnotes common      [--exclude LIST]... [--keep LIST]... WORDLIST COMMONLIST OUTPUT
//        mkwordnotes definitions [--exclude LIST]... [--keep LIST]... WORDLIST GLOSSES EXCEPTIONS OUTPUT
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "defs_builder.h"
#include "dict_builder.h"

namespace mk = varnook::mkdict;
namespace notes = varnook::mkwordnotes;

namespace {

constexpr const char* kUsage =
    "usage: mkwordnotes common [--exclude LIST]... [--keep LIST]... WORDLIST COMMONLIST OUTPUT\n"
    "       mkwordnotes definitions [--exclude LIST]... [--keep LIST]... WORDLIST GLOSSES EXCEPTIONS OUTPUT\n";

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "mkwordnotes: cannot read " << path << "\n";
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes beside the target and renames, so a failed run never leaves half a file.
bool writeFile(const std::string& path, std::string_view bytes) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "mkwordnotes: cannot write " << temp << "\n";
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::cerr << "mkwordnotes: cannot write " << path << "\n";
        return false;
    }
    return true;
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> excludeFiles, keepFiles, files;
    bool badOption = argc < 2;
    const std::string_view mode = argc >= 2 ? argv[1] : "";
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--exclude" || arg == "--keep") && i + 1 < argc)
            (arg == "--exclude" ? excludeFiles : keepFiles).emplace_back(argv[++i]);
        else if (!arg.starts_with("--"))
            files.emplace_back(arg);
        else
            badOption = true;
    }
    const std::size_t wanted = mode == "common" ? 3 : mode == "definitions" ? 4 : 0;
    if (badOption || wanted == 0 || files.size() != wanted) {
        std::cerr << kUsage;
        return 2;
    }

    std::vector<std::string> texts;
    for (const auto& path : files) {
        if (&path == &files.back()) break;
        auto text = readFile(path);
        if (!text) return 1;
        texts.push_back(std::move(*text));
    }
    std::set<std::string> excluded, keep;
    for (const auto& [paths, into] : {std::pair{&excludeFiles, &excluded}, std::pair{&keepFiles, &keep}})
        for (const auto& path : *paths) {
            const auto text = readFile(path);
            if (!text) return 1;
            into->merge(mk::parseEntryList(*text));
        }
    const std::vector<std::string> dictionary =
        mk::applyExclusions(mk::parseWordList(texts[0]).words, excluded, keep).words;
    const std::set<std::string> inDictionary(dictionary.begin(), dictionary.end());

    if (mode == "common") {
        // The common list's entries that are dictionary words; its comment lines are skipped.
        std::set<std::string> common;
        for (const std::string& word : mk::parseEntryList(texts[1]))
            if (inDictionary.contains(word)) common.insert(upper(word));
        std::string out;
        for (const std::string& word : common) out += word + "\n";
        if (!writeFile(files.back(), out)) return 1;
        std::cout << "mkwordnotes: " << files.back() << ": " << common.size() << " common words of "
                  << inDictionary.size() << "\n";
        return 0;
    }

    const notes::Built built = notes::buildEntries(dictionary, notes::parseGlosses(texts[1]),
                                                   notes::parseExceptions(texts[2]));
    const std::size_t entries = built.entries.size();
    const auto bytes = game::Definitions::encode(built.entries);
    if (!bytes) {
        std::cerr << "mkwordnotes: a definition breaks the file's rules, nothing written\n";
        return 1;
    }
    if (!writeFile(files.back(), std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())))
        return 1;
    std::printf("mkwordnotes: %s: %zu bytes, %zu entries; %zu of %zu dictionary words (%.1f%%) have a definition, "
                "%zu of them through a base word\n",
                files.back().c_str(), bytes->size(), entries, built.wordsWithGlosses, inDictionary.size(),
                100.0 * static_cast<double>(built.wordsWithGlosses) / static_cast<double>(inDictionary.size()),
                built.fromBase);
    return 0;
}
