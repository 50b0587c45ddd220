// Loading, checking and enumerating the dictionary.
#include "lang_dict.h"

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
        for (;; ++i) {
            if (i >= count || reached[static_cast<std::size_t>(i)]) return false;
            reached[static_cast<std::size_t>(i)] = true;
            const std::uint32_t node = nodes[static_cast<std::size_t>(i)];
            const std::int32_t child = childOf(node);
            if (child != 0) {
                if (child < 0 || child >= count) return false;
                pending.push_back(child);
            }
            if ((node & kNodeMoreSiblings) == 0) break;
        }
    }
    return true;
}

std::vector<std::string> LangDict::collect(int length) const {
    std::vector<std::string> words;
    if (length < 1) return words;
    std::string prefix(static_cast<std::size_t>(length), '\0');
    collectFrom(0, 0, length - 1, prefix, words);
    return words;
}

void LangDict::collectFrom(std::int32_t start, int depth, int lastDepth, std::string& prefix,
                           std::vector<std::string>& out) const {
    for (std::int32_t i = start;; ++i) {
        const std::uint32_t node = nodes_[static_cast<std::size_t>(i)];
        prefix[static_cast<std::size_t>(depth)] = static_cast<char>(node & kNodeCharMask);
        if (depth == lastDepth && (node & kNodeWordEnd) != 0) out.push_back(prefix);
        if (depth < lastDepth && childOf(node) != 0) collectFrom(childOf(node), depth + 1, lastDepth, prefix, out);
        if ((node & kNodeMoreSiblings) == 0) break;
    }
}

}  // namespace varnook::engine
