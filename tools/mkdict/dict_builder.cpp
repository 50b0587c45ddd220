// Word checks, weights and the depth-first tree layout of a dictionary file.
#include "dict_builder.h"

#include <algorithm>

namespace varnook::mkdict {

namespace {

// Calls f with each non-empty line of text, a trailing carriage return dropped.
template <class F>
void forEachLine(std::string_view text, F f) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) f(line);
    }
}

}  // namespace

std::optional<std::string> whyUnstorable(std::string_view word) {
    if (word.size() > kMaxWordLength) return "longer than " + std::to_string(kMaxWordLength) + " letters";
    for (const char ch : word) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte <= 0x20 || byte == 0x7F) return "contains a space, control or zero byte";
    }
    return std::nullopt;
}

WordList parseWordList(std::string_view text, std::optional<game::letters::Language> language) {
    WordList list;
    forEachLine(text, [&](std::string_view line) {
        std::optional<std::string> word{line};
        if (language) word = game::letters::foldWord(*language, line);
        if (!word)
            list.rejected.push_back(
                {std::string(line), "holds a character without letters in " + std::string(game::letters::info(*language).code)});
        else if (auto reason = whyUnstorable(*word))
            list.rejected.push_back({std::string(line), *reason});
        else
            list.words.push_back(std::move(*word));
    });
    return list;
}

namespace {
std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}
}  // namespace

std::set<std::string> parseEntryList(std::string_view text) {
    std::set<std::string> entries;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        entries.insert(lowerAscii(line));
    }
    return entries;
}

Filtered applyExclusions(std::vector<std::string> words, const std::set<std::string>& excluded,
                         const std::set<std::string>& keep) {
    Filtered out;
    for (auto& word : words) {
        const std::string key = lowerAscii(word);
        if (!excluded.contains(key)) {
            out.words.push_back(std::move(word));
        } else if (keep.contains(key)) {
            out.kept.push_back(word);
            out.words.push_back(std::move(word));
        } else {
            out.excluded.push_back(std::move(word));
        }
    }
    return out;
}

std::set<std::string> foldEntries(const std::set<std::string>& entries, game::letters::Language language) {
    std::set<std::string> out;
    for (const auto& entry : entries) out.insert(game::letters::foldWord(language, entry).value_or(entry));
    return out;
}

std::vector<std::string> selectWords(std::string_view text, game::letters::Language language) {
    std::vector<std::string> out;
    forEachLine(text, [&](std::string_view line) {
        const auto folded = game::letters::foldWord(language, line);
        if (folded && folded->size() >= kMinWordLength && !whyUnstorable(*folded)) out.emplace_back(line);
    });
    return out;
}

Weights deriveWeights(std::vector<std::string> words) {
    // Each distinct word counts once, so the weights depend only on the set of words.
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::array<std::uint64_t, 256> counts{};
    std::uint64_t total = 0;
    for (const auto& word : words)
        for (const char ch : word) {
            ++counts[static_cast<unsigned char>(ch)];
            ++total;
        }
    Weights weights{};
    for (std::size_t c = 0; c < counts.size(); ++c) {
        if (counts[c] == 0) continue;
        const std::uint64_t rounded = (2 * kPoolScale * counts[c] + total) / (2 * total);
        weights[c] = static_cast<std::uint8_t>(std::clamp<std::uint64_t>(rounded, 1, kMaxWeight));
    }
    return weights;
}

namespace {

// Lays out the sibling list of the words [first, last), which share their first `depth`
// letters, then the child list of each of its nodes in turn (depth first), so that a node's
// descendants lie close together. Returns the list's first index, or nothing on overflow.
std::optional<std::size_t> layOutList(const std::vector<std::string>& words, std::size_t first, std::size_t last,
                                      std::size_t depth, std::vector<std::uint32_t>& nodes) {
    struct Group {
        std::size_t first, last, node;
        bool hasLonger;
    };
    std::vector<Group> groups;
    const std::size_t start = nodes.size();
    if (start > kMaxChildIndex) return std::nullopt;
    std::size_t i = first;
    while (i < last) {
        if (words[i].size() <= depth) {
            ++i;
            continue;
        }  // the word ended at the parent
        const char letter = words[i][depth];
        bool endsHere = false;
        bool hasLonger = false;
        std::size_t j = i;
        for (; j < last && words[j].size() > depth && words[j][depth] == letter; ++j) {
            endsHere = endsHere || words[j].size() == depth + 1;
            hasLonger = hasLonger || words[j].size() > depth + 1;
        }
        groups.push_back({i, j, nodes.size(), hasLonger});
        nodes.push_back(static_cast<unsigned char>(letter) | (endsHere ? kWordEnd : 0) | kMoreSiblings);
        i = j;
    }
    if (nodes.size() > start) nodes.back() &= ~kMoreSiblings;
    for (const Group& group : groups) {
        if (!group.hasLonger) continue;
        const auto child = layOutList(words, group.first, group.last, depth + 1, nodes);
        if (!child) return std::nullopt;
        nodes[group.node] |= static_cast<std::uint32_t>(*child) << kChildShift;
    }
    return start;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> buildNodes(std::vector<std::string> words) {
    // std::string orders by unsigned bytes, so words sharing a prefix are adjacent and the
    // letters under one prefix come in ascending byte order.
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::vector<std::uint32_t> nodes;
    if (!layOutList(words, 0, words.size(), 0, nodes)) return std::nullopt;
    return nodes;
}

std::vector<std::uint8_t> encodeDictionary(const Weights& weights, const std::vector<std::uint32_t>& nodes) {
    std::vector<std::uint8_t> bytes(weights.begin(), weights.end());
    bytes.reserve(bytes.size() + 4 * nodes.size());
    for (const std::uint32_t node : nodes)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(node >> shift));
    return bytes;
}

}  // namespace varnook::mkdict
