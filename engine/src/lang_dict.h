// The dictionary: 256 letter weights and a letter tree kept as the flat array of node words
// read from the file, checked once at load so that every later walk stays inside it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "layout.h"

namespace varnook::engine {

enum class LoadStatus { ok, unreadable, tooShort, corrupt };

class LangDict {
public:
    using Weights = std::array<std::uint8_t, kWeightCount>;

    // Reads and checks a dictionary file. Only an ok status comes with a dictionary.
    static LoadStatus load(const std::filesystem::path& path, std::optional<LangDict>& out);

    const Weights& weights() const { return weights_; }
    std::int32_t nodeCount() const { return static_cast<std::int32_t>(nodes_.size()); }

    // The node of the sibling list starting at start whose character is ch, or -1.
    std::int32_t findSibling(std::int32_t start, std::uint8_t ch) const {
        for (std::int32_t i = start;; ++i) {
            const std::uint32_t node = nodes_[static_cast<std::size_t>(i)];
            if ((node & kNodeCharMask) == ch) return i;
            if ((node & kNodeMoreSiblings) == 0) return -1;
        }
    }
    bool isWordEnd(std::int32_t i) const { return (nodes_[static_cast<std::size_t>(i)] & kNodeWordEnd) != 0; }
    bool hasChildren(std::int32_t i) const { return firstChild(i) != 0; }
    std::int32_t firstChild(std::int32_t i) const { return childOf(nodes_[static_cast<std::size_t>(i)]); }

    // Every word of exactly length letters, in tree order (sibling order, depth first).
    std::vector<std::string> collect(int length) const;

private:
    LangDict(const Weights& weights, std::vector<std::uint32_t> nodes) : weights_(weights), nodes_(std::move(nodes)) {}

    static std::int32_t childOf(std::uint32_t node) { return static_cast<std::int32_t>(node) / kNodeChildDivisor; }
    // True when the nodes reachable from the first-level list form a tree inside the array.
    static bool isWellFormed(const std::vector<std::uint32_t>& nodes);
    void collectFrom(std::int32_t start, int depth, int lastDepth, std::string& prefix,
                     std::vector<std::string>& out) const;

    Weights weights_{};
    std::vector<std::uint32_t> nodes_;
};

}  // namespace varnook::engine
