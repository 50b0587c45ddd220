// Reading the common words and the definitions from their files' bytes, and writing the latter.
#include "game/play/word_notes.h"

#include <algorithm>
#include <charconv>

namespace game {

namespace {

bool isUpperWord(std::string_view s, std::size_t minLen, std::size_t maxLen) {
    return s.size() >= minLen && s.size() <= maxLen &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool isPartOfSpeech(std::string_view s) { return s == "n" || s == "v" || s == "a" || s == "r"; }

// A gloss: printable Windows-1252 (no control bytes, so no tab and no line end), not empty.
bool isGlossText(std::string_view s) {
    return !s.empty() && s.size() <= Definitions::kMaxGlossLength &&
           std::none_of(s.begin(), s.end(), [](char c) {
               const auto b = static_cast<unsigned char>(c);
               return b < 0x20 || b == 0x7F;
           });
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

// Splits text into lines ending in "\n"; nullopt when the last line has no end.
std::optional<std::vector<std::string_view>> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return lines;
}

constexpr std::string_view kHeader = "VARNOOK DEFINITIONS 1";
constexpr std::string_view kEnd = "END ";

bool entryIsWellFormed(const DefinitionEntry& e) {
    if (!isUpperWord(e.word, 1, Definitions::kMaxWordLength)) return false;
    if (!e.base.empty() && (!isUpperWord(e.base, 1, Definitions::kMaxWordLength) || e.base == e.word)) return false;
    if (e.glosses.size() > static_cast<std::size_t>(Definitions::kMaxGlosses)) return false;
    if (e.glosses.empty() && e.base.empty()) return false;
    return std::all_of(e.glosses.begin(), e.glosses.end(), [](const Definition::Gloss& g) {
        return isPartOfSpeech(std::string_view(&g.partOfSpeech, 1)) && isGlossText(g.text);
    });
}

}  // namespace

CommonWords CommonWords::parse(std::span<const std::uint8_t> bytes) {
    CommonWords result;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (isUpperWord(line, 3, 10)) result.words_.emplace(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return result;
}

const DefinitionEntry* Definitions::find(std::string_view upperWord) const {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), upperWord,
                                     [](const DefinitionEntry& e, std::string_view w) { return e.word < w; });
    return it != entries_.end() && it->word == upperWord ? &*it : nullptr;
}

Definitions Definitions::parse(std::span<const std::uint8_t> bytes) {
    const auto lines = splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!lines || lines->size() < 2 || lines->front() != kHeader || !lines->back().starts_with(kEnd)) return {};

    Definitions result;
    for (std::size_t i = 1; i + 1 < lines->size(); ++i) {
        const auto fields = splitTabs((*lines)[i]);
        if (fields.size() < 2 || fields.size() % 2 != 0) return {};
        DefinitionEntry e{std::string(fields[0]), std::string(fields[1]), {}};
        for (std::size_t f = 2; f < fields.size(); f += 2) {
            if (fields[f].size() != 1) return {};
            e.glosses.push_back({fields[f][0], std::string(fields[f + 1])});
        }
        if (!entryIsWellFormed(e)) return {};
        if (!result.entries_.empty() && !(result.entries_.back().word < e.word)) return {};
        result.entries_.push_back(std::move(e));
    }

    const std::string_view count = lines->back().substr(kEnd.size());
    std::size_t n = 0;
    const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), n);
    if (ec != std::errc{} || end != count.data() + count.size() || n != result.entries_.size()) return {};

    // A word that borrows its base's glosses must find them in one step.
    for (const DefinitionEntry& e : result.entries_) {
        if (!e.glosses.empty()) continue;
        const DefinitionEntry* base = result.find(e.base);
        if (!base || base->glosses.empty()) return {};
    }
    return result;
}

std::optional<std::vector<std::uint8_t>> Definitions::encode(std::vector<DefinitionEntry> entries) {
    std::sort(entries.begin(), entries.end(),
              [](const DefinitionEntry& a, const DefinitionEntry& b) { return a.word < b.word; });
    std::string text(kHeader);
    text += '\n';
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DefinitionEntry& e = entries[i];
        if (!entryIsWellFormed(e) || (i > 0 && entries[i - 1].word == e.word)) return std::nullopt;
        text += e.word;
        text += '\t';
        text += e.base;
        for (const auto& g : e.glosses) {
            text += '\t';
            text += g.partOfSpeech;
            text += '\t';
            text += g.text;
        }
        text += '\n';
    }
    text += kEnd;
    text += std::to_string(entries.size());
    text += '\n';
    // What was written must read back whole (a borrowed base must exist).
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (parse(bytes).size() != entries.size()) return std::nullopt;
    return bytes;
}

std::optional<Definition> Definitions::lookup(std::string_view word) const {
    const std::string upper = upperAscii(word);
    const DefinitionEntry* e = find(upper);
    if (!e) return std::nullopt;
    Definition d{upper, e->base, e->glosses};
    if (d.glosses.empty()) d.glosses = find(e->base)->glosses;  // checked when the file was read
    return d;
}

}  // namespace game
