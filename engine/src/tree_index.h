// The solver's view of a checked letter tree: per node a bit mask of its children's letters, so a
// step to a neighbour's letter is one mask test and, for most sibling lists, one bit count.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "lang_dict.h"

namespace varnook::engine {

class TreeIndex {
public:
    // Eight bytes, so that a cache line holds eight siblings.
    struct Node {
        std::uint32_t childMask = 0;  // the letter bits of the children; 0 for a node without children
        std::uint32_t link = 0;       // the first child's index (kChildBits), then the flags

        std::int32_t firstChild() const { return static_cast<std::int32_t>(link & kChildField); }
        bool endsWord() const { return (link & kEndsWord) != 0; }
    };

    // Built only from a LangDict, whose tree has been checked; reads only the nodes reachable from
    // the first-level list. Takes memory in proportion to the node count.
    explicit TreeIndex(const LangDict& dict);

    // A letter's bit in the child masks: one bit per letter when the tree uses at most 32 letters;
    // otherwise the letters past the 31st share the last bit. 0 for a letter no node holds.
    std::uint32_t letterBit(std::uint8_t letter) const { return letterBits_[letter]; }

    // The first-level list hangs from a node of its own, past the file's nodes.
    std::int32_t root() const { return static_cast<std::int32_t>(nodes_.size()) - 1; }
    Node node(std::int32_t i) const { return nodes_[static_cast<std::size_t>(i)]; }
    // Asks for node i's cache line ahead of its use (a hint; nothing where the compiler has none).
    void prefetch([[maybe_unused]] std::int32_t i) const {
#if defined(__GNUC__)
        __builtin_prefetch(&nodes_[static_cast<std::size_t>(i)]);
#endif
    }

    // The first child of parent that holds letter (the same node a walk along the sibling list
    // finds), or -1. bit is letterBit(letter) and must be in parent's child mask.
    std::int32_t child(Node parent, std::uint32_t bit, std::uint8_t letter) const {
        if ((parent.link & kChildrenRanked) != 0) return parent.firstChild() + bitCount(parent.childMask & (bit - 1));
        for (std::int32_t i = parent.firstChild();; ++i) {
            if (letters_[static_cast<std::size_t>(i)] == letter) return i;
            if ((nodes_[static_cast<std::size_t>(i)].link & kMoreSiblings) == 0) return -1;
        }
    }

    // The solver's mark of a word-ending node whose word is in a solution list. markListed is
    // true when the mark is new.
    bool markListed(std::int32_t i) {
        std::uint32_t& link = nodes_[static_cast<std::size_t>(i)].link;
        if ((link & kListed) != 0) return false;
        link |= kListed;
        return true;
    }
    void clearListed(std::int32_t i) { nodes_[static_cast<std::size_t>(i)].link &= ~kListed; }

private:
    static std::int32_t bitCount(std::uint32_t bits) {
#if defined(__POPCNT__)
        return std::popcount(bits);
#else
        // Without the instruction std::popcount becomes a library call; this stays inline.
        bits -= (bits >> 1) & 0x55555555u;
        bits = (bits & 0x33333333u) + ((bits >> 2) & 0x33333333u);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0Fu;
        return static_cast<std::int32_t>((bits * 0x01010101u) >> 24);
#endif
    }

    // A first child index is below 2^19 (the node word's top bit is clear in a checked tree).
    static constexpr int kChildBits = 24;
    static constexpr std::uint32_t kChildField = (1u << kChildBits) - 1;
    static constexpr std::uint32_t kEndsWord = 1u << kChildBits;
    static constexpr std::uint32_t kMoreSiblings = 2u << kChildBits;
    // The children carry distinct letter bits in ascending order, so a child's position in the
    // list is the number of its siblings' bits below its own.
    static constexpr std::uint32_t kChildrenRanked = 4u << kChildBits;
    static constexpr std::uint32_t kListed = 8u << kChildBits;

    std::vector<Node> nodes_;            // the file's nodes, then the root
    std::vector<std::uint8_t> letters_;  // the nodes' letters, for lists that are not ranked
    std::array<std::uint32_t, kByteValues> letterBits_{};
};

}  // namespace varnook::engine
