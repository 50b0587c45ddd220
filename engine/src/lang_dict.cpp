// Loading, checking and enumerating the dictionary.
#include "lang_dict.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <system_error>

namespace varnook::engine {

LoadStatus LangDict::load(const std::filesystem::path& path, std::optional<LangDict>& out) {
    out.reset();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxDictFileBytes) return LoadStatus::unreadable;
    // At least one whole node word after the weights; 1 to 3 trailing bytes are ignored.
    if (size < kWeightCount + kNodeBytes) return LoadStatus::tooShort;

    std::ifstream in(path, std::ios::binary);
    if (!in) return LoadStatus::unreadable;
    Weights weights{};
    std::vector<std::uint32_t> nodes(static_cast<std::size_t>((size - kWeightCount) / kNodeBytes));
    in.read(reinterpret_cast<char*>(weights.data()), static_cast<std::streamsize>(weights.size()));
    in.read(reinterpret_cast<char*>(nodes.data()), static_cast<std::streamsize>(nodes.size() * kNodeBytes));
    if (!in) return LoadStatus::unreadable;
    if constexpr (std::endian::native == std::endian::big) {
        for (auto& node : nodes)
            node = (node >> 24) | ((node >> 8) & 0xFF00u) | ((node << 8) & 0xFF0000u) | (node << 24);
    }
    if (!isWellFormed(nodes)) return LoadStatus::corrupt;
    out.emplace(LangDict(weights, std::move(nodes)));
    return LoadStatus::ok;
}

bool LangDict::isWellFormed(const std::vector<std::uint32_t>& nodes) {
    // Walk every sibling list reachable from index 0. Each run must end (more-siblings clear)
    // inside the array, each child index must point into the array (0 means "no children"),
    // and no node may be reached twice: that rules out loops and shared or overlapping lists,
    // so every later walk is bounded by the node count.
    const auto count = static_cast<std::int64_t>(nodes.size());
    std::vector<bool> reached(nodes.size(), false);
    std::vector<std::int32_t> pending{0};
    while (!pending.empty()) {
        std::int64_t i = pending.back();
        pending.pop_back();
        const std::size_t children = pending.size();
        for (;; ++i) {
            if (i >= count || reached[static_cast<std::size_t>(i)]) return false;
            reached[static_cast<std::size_t>(i)] = true;
            const std::uint32_t node = nodes[static_cast<std::size_t>(i)];
            const std::int32_t child = nodeFirstChild(node);
            if (child != 0) {
                if (child < 0 || child >= count) return false;
                pending.push_back(child);
            }
            if (!nodeHasMoreSiblings(node)) break;
        }
        // The first node's children next: a file laid out depth first is then read in order.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(children), pending.end());
    }
    return true;
}

std::vector<std::vector<std::string>> LangDict::collect(int shortest, int longest) const {
    std::vector<std::vector<std::string>> words(static_cast<std::size_t>(std::max(longest, 0)) + 1);
    if (shortest < 1 || longest < shortest) return words;
    std::string prefix;
    collectFrom(0, 0, shortest, longest, prefix, words);
    return words;
}

void LangDict::collectFrom(std::int32_t start, int depth, int shortest, int longest, std::string& prefix,
                           std::vector<std::vector<std::string>>& out) const {
    // One walk for every length: the words of one length come in the same order as in a walk
    // that stops at that length.
    const int length = depth + 1;
    for (std::int32_t i = start;; ++i) {
        const std::uint32_t node = nodes_[static_cast<std::size_t>(i)];
        prefix.push_back(static_cast<char>(nodeLetter(node)));
        if (length >= shortest && nodeEndsWord(node)) out[static_cast<std::size_t>(length)].push_back(prefix);
        const std::int32_t child = nodeFirstChild(node);
        if (length < longest && child != 0) collectFrom(child, depth + 1, shortest, longest, prefix, out);
        prefix.pop_back();
        if (!nodeHasMoreSiblings(node)) break;
    }
}

}  // namespace varnook::engine
