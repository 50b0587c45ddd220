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
    // The node words as read. Every sibling list reachable from index 0 lies inside them, ends,
    // and is reached once: a LangDict exists only after that check.
    const std::vector<std::uint32_t>& nodes() const { return nodes_; }

    // Every word of shortest to longest letters, in tree order (sibling order, depth first):
    // entry L of the result holds the words of L letters (entries 0 to longest).
    std::vector<std::vector<std::string>> collect(int shortest, int longest) const;

private:
    LangDict(const Weights& weights, std::vector<std::uint32_t> nodes) : weights_(weights), nodes_(std::move(nodes)) {}

    // True when the nodes reachable from the first-level list form a tree inside the array.
    static bool isWellFormed(const std::vector<std::uint32_t>& nodes);
    void collectFrom(std::int32_t start, int depth, int shortest, int longest, std::string& prefix,
                     std::vector<std::vector<std::string>>& out) const;

    Weights weights_{};
    std::vector<std::uint32_t> nodes_;
};

}  // namespace varnook::engine
