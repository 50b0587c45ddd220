// Building a dictionary file from a word list: word checks, letter weights from the list's own
// letter frequencies, and the letter tree laid out as node words with siblings in byte order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/play/letters.h"

namespace varnook::mkdict {

// The engine finds words of at most 10 letters; a board plays words of 3 letters or more.
inline constexpr std::size_t kMaxWordLength = 10;
inline constexpr std::size_t kMinWordLength = 3;
// Pool size the weights aim at: weight = share of the letter among all letters x this.
inline constexpr std::uint64_t kPoolScale = 1000;
inline constexpr std::uint8_t kMaxWeight = 255;

// Node word layout of the dictionary file.
inline constexpr std::uint32_t kWordEnd = 0x100;
inline constexpr std::uint32_t kMoreSiblings = 0x200;
inline constexpr int kChildShift = 12;
inline constexpr std::uint32_t kMaxChildIndex = 0x7FFFF;  // the top bit stays clear

using Weights = std::array<std::uint8_t, 256>;

struct Rejected {
    std::string word;
    std::string reason;
};

struct WordList {
    std::vector<std::string> words;  // in file order, duplicates included
    std::vector<Rejected> rejected;
};

// Why a word cannot go into a dictionary (too long, a space, control or zero byte), or nothing.
std::optional<std::string> whyUnstorable(std::string_view word);

// One word per line; a trailing carriage return is dropped and empty lines are skipped. With a
// language the lines are words of it in UTF-8, each written with its board letters; a word that
// does not fold is rejected.
WordList parseWordList(std::string_view text, std::optional<game::letters::Language> language = std::nullopt);

// The entries of a list of words to leave out or to keep: one per line, a trailing carriage return
// dropped; blank lines and lines starting with '#' are skipped; ASCII letters are lower-cased. An
// entry may be a phrase, which no word matches.
std::set<std::string> parseEntryList(std::string_view text);

// The words of a language's list (UTF-8) that a dictionary of it can hold, in their own spelling
// and order: they fold (game::letters::foldWord) to 3 to 10 storable board letters.
std::vector<std::string> selectWords(std::string_view text, game::letters::Language language);

// Entries of an exclusion or keep list written with board letters; an entry that does not fold (a
// phrase) stays as it is and so matches no word.
std::set<std::string> foldEntries(const std::set<std::string>& entries, game::letters::Language language);

struct Filtered {
    std::vector<std::string> words;     // the words that stay, in their order
    std::vector<std::string> excluded;  // the words left out
    std::vector<std::string> kept;      // words on the exclusion lists that stay, being on the keep list
};

// Leaves out the words whose lower-case form is on the exclusion list, unless it is on the keep list.
Filtered applyExclusions(std::vector<std::string> words, const std::set<std::string>& excluded,
                         const std::set<std::string>& keep);

// Weight of byte c = round(kPoolScale x count(c) / all letters), over the distinct words; at
// least 1 for a byte that occurs, at most 255; 0 for bytes that never occur.
Weights deriveWeights(std::vector<std::string> words);

// The letter tree of the words (non-empty, no zero byte; duplicates are merged): the first-level
// list at index 0, each sibling list contiguous and in ascending byte order, each list followed
// by its nodes' subtrees (depth first). Nothing when a child index would not fit the node word.
std::optional<std::vector<std::uint32_t>> buildNodes(std::vector<std::string> words);

// The file image: the weights, then the node words little-endian.
std::vector<std::uint8_t> encodeDictionary(const Weights& weights, const std::vector<std::uint32_t>& nodes);

}  // namespace varnook::mkdict
