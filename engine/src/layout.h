// Fixed numbers of the engine: dictionary file layout, node word bits, list and chain sizes,
// generator constants. Everything else in the engine refers to these names.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnook::engine {

// A letter is any byte value.
inline constexpr std::size_t kByteValues = 256;
// Dictionary file: one weight byte per byte value, then little-endian 32-bit node words.
inline constexpr std::size_t kWeightCount = kByteValues;
inline constexpr std::size_t kNodeBytes = 4;
// Files larger than this are refused rather than read into memory.
inline constexpr std::uintmax_t kMaxDictFileBytes = 64u * 1024u * 1024u;

// Node word bits.
inline constexpr std::uint32_t kNodeCharMask = 0x000000FFu;
inline constexpr std::uint32_t kNodeWordEnd = 0x00000100u;
inline constexpr std::uint32_t kNodeMoreSiblings = 0x00000200u;
inline constexpr std::int32_t kNodeChildDivisor = 4096;  // first child = (int32) word / 4096

inline constexpr std::uint8_t nodeLetter(std::uint32_t node) { return static_cast<std::uint8_t>(node & kNodeCharMask); }
inline constexpr bool nodeEndsWord(std::uint32_t node) { return (node & kNodeWordEnd) != 0; }
inline constexpr bool nodeHasMoreSiblings(std::uint32_t node) { return (node & kNodeMoreSiblings) != 0; }
// The first child's index; 0 for none, negative only in a corrupt file.
inline constexpr std::int32_t nodeFirstChild(std::uint32_t node) {
    return static_cast<std::int32_t>(node) / kNodeChildDivisor;
}

// Solution lists are indexed by word length - 1.
inline constexpr int kListCount = 15;
// Lists emptied by clearMemory (words of 1 to 10 letters); lists above stay as they are.
inline constexpr int kClearedLists = 10;
// Lists sorted and counted after a solve: words of 3 to 10 letters.
inline constexpr int kFirstCountedList = 2;
inline constexpr int kLastCountedList = 9;

// A chain (solver or generator walk) holds at most this many cells, so words of at most
// 10 letters are found.
inline constexpr int kMaxChain = 10;
// Paths are returned as one byte per cell, so a grid has at most 256 cells.
inline constexpr int kMaxCells = 256;

// Generator: five attempts at each word length 3 to 7; seeds are taken modulo 30000.
inline constexpr int kFirstPlacedLength = 3;
inline constexpr int kLastPlacedLength = 7;
inline constexpr int kAttemptsPerLength = 5;
inline constexpr std::int32_t kSeedModulus = 30000;

}  // namespace varnook::engine
