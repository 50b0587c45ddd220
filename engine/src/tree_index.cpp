// Building the child masks of a checked letter tree, from the sibling lists reachable from the
// first-level list only (nodes past the tree are never read, as the solver never reaches them).
#include "tree_index.h"

#include <algorithm>
#include <bitset>

namespace varnook::engine {

namespace {

constexpr int kMaskBits = 32;

struct SiblingList {
    std::int32_t parent;  // the node whose children these are; the root for the first-level list
    std::int32_t first;
};

}  // namespace

TreeIndex::TreeIndex(const LangDict& dict) : nodes_(dict.nodes().size() + 1), letters_(dict.nodes().size()) {
    const std::vector<std::uint32_t>& words = dict.nodes();

    // Letter bits in byte order, so a list in byte order (as mkdict writes them) is ranked. The
    // letters of nodes past the tree count too: they cost at most a bit.
    std::bitset<kByteValues> used;
    for (const std::uint32_t word : words) used.set(nodeLetter(word));
    const bool shared = used.count() > kMaskBits;
    int nextBit = 0;
    for (std::size_t letter = 0; letter < kByteValues; ++letter) {
        if (!used[letter]) continue;
        letterBits_[letter] = std::uint32_t{1} << nextBit;
        if (nextBit < kMaskBits - 1) ++nextBit;
    }
    const std::uint32_t sharedBit = shared ? std::uint32_t{1} << (kMaskBits - 1) : 0;

    // Every sibling list reachable from the first-level one. The check at load guarantees that
    // each list ends inside the array and that no node is reached twice, so this walk ends.
    std::vector<SiblingList> pending{{root(), 0}};
    while (!pending.empty()) {
        const SiblingList list = pending.back();
        pending.pop_back();
        const std::size_t children = pending.size();
        std::uint32_t mask = 0;
        bool ranked = true;
        for (std::int32_t i = list.first;; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const std::uint32_t word = words[at];
            letters_[at] = nodeLetter(word);
            if (nodeEndsWord(word)) nodes_[at].link |= kEndsWord;
            if (nodeHasMoreSiblings(word)) nodes_[at].link |= kMoreSiblings;
            // Ranking needs each bit above all bits before it: no repeated letter, no shared bit,
            // no letter out of byte order.
            const std::uint32_t bit = letterBits_[letters_[at]];
            if (bit == sharedBit || bit <= mask) ranked = false;
            mask |= bit;
            if (const std::int32_t child = nodeFirstChild(word); child != 0) pending.push_back({i, child});
            if (!nodeHasMoreSiblings(word)) break;
        }
        Node& parent = nodes_[static_cast<std::size_t>(list.parent)];
        parent.childMask = mask;
        parent.link |= static_cast<std::uint32_t>(list.first) | (ranked ? kChildrenRanked : 0);
        // The first node's children next: a file laid out depth first is then read in order.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(children), pending.end());
    }
}

}  // namespace varnook::engine
