// The definitions file's entries from the reduced WordNet source and the dictionary's words.
#include "defs_builder.h"

#include <array>
#include <set>
#include <utility>

namespace varnook::mkwordnotes {

namespace {

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        const auto tab = line.find('\t');
        out.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return out;
        line.remove_prefix(tab + 1);
    }
}

template <typename F>
void eachLine(std::string_view text, F&& f) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line.front() != '#') f(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool isConsonant(char c) { return c >= 'a' && c <= 'z' && std::string_view("aeiou").find(c) == std::string_view::npos; }

// Endings and what replaces them, in the order tried: the longer, more telling endings first.
constexpr std::array<std::pair<std::string_view, std::string_view>, 21> kEndings{{
    {"ches", "ch"}, {"shes", "sh"}, {"sses", "ss"}, {"xes", "x"}, {"zes", "z"}, {"ies", "y"}, {"men", "man"},
    {"ied", "y"}, {"ier", "y"}, {"iest", "y"},
    {"es", "e"}, {"es", ""}, {"s", ""},
    {"ing", "e"}, {"ing", ""}, {"ed", "e"}, {"ed", ""},
    {"est", "e"}, {"est", ""}, {"er", "e"}, {"er", ""},
}};

}  // namespace

Glosses parseGlosses(std::string_view text) {
    Glosses out;
    eachLine(text, [&](std::string_view line) {
        const auto f = fields(line);
        if (f.size() < 3 || f.size() % 2 != 1 || f[0].empty()) return;
        std::vector<game::Definition::Gloss> glosses;
        for (std::size_t i = 1; i + 1 < f.size() && glosses.size() < game::Definitions::kMaxGlosses; i += 2)
            if (f[i].size() == 1 && !f[i + 1].empty()) glosses.push_back({f[i][0], std::string(f[i + 1])});
        if (!glosses.empty()) out.emplace(std::string(f[0]), std::move(glosses));
    });
    return out;
}

Exceptions parseExceptions(std::string_view text) {
    Exceptions out;
    eachLine(text, [&](std::string_view line) {
        const auto f = fields(line);
        if (f.size() < 2 || f[0].empty()) return;
        auto& bases = out[std::string(f[0])];
        for (std::size_t i = 1; i < f.size(); ++i)
            if (!f[i].empty()) bases.emplace_back(f[i]);
    });
    return out;
}

std::string baseLemma(const std::string& word, const Glosses& glosses, const Exceptions& exceptions) {
    if (glosses.contains(word)) return word;
    if (const auto it = exceptions.find(word); it != exceptions.end())
        for (const std::string& base : it->second)
            if (glosses.contains(base)) return base;
    for (const auto& [ending, replacement] : kEndings) {
        if (word.size() < ending.size() + 2 || !word.ends_with(ending)) continue;
        const std::string stem = word.substr(0, word.size() - ending.size());
        const std::string base = stem + std::string(replacement);
        if (glosses.contains(base)) return base;
        // "stopped", "running", "bigger": the consonant doubled before the ending.
        if (replacement.empty() && stem.size() >= 3 && stem.back() == stem[stem.size() - 2] &&
            isConsonant(stem.back()) && glosses.contains(stem.substr(0, stem.size() - 1)))
            return stem.substr(0, stem.size() - 1);
    }
    return {};
}

Built buildEntries(const std::vector<std::string>& words, const Glosses& glosses, const Exceptions& exceptions) {
    Built built;
    const std::set<std::string> dictionary(words.begin(), words.end());
    for (const std::string& word : dictionary) {
        const std::string base = baseLemma(word, glosses, exceptions);
        if (base.empty()) continue;
        ++built.wordsWithGlosses;
        if (base == word) {
            built.entries.push_back({upper(word), {}, glosses.find(base)->second});
            continue;
        }
        ++built.fromBase;
        // A base that is a dictionary word with glosses of its own has an entry to point at.
        if (dictionary.contains(base))
            built.entries.push_back({upper(word), upper(base), {}});
        else
            built.entries.push_back({upper(word), upper(base), glosses.find(base)->second});
    }
    return built;
}

}  // namespace varnook::mkwordnotes
