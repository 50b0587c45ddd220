// What the game knows about a dictionary word besides its letters: whether it is a common word (the
// words the daily puzzle asks for) and its short definitions. Both come from data files beside the
// dictionary, read as bytes by the caller; a damaged file gives an empty table, never a failure.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace game {

// The files beside DEFAULT.DICT.
constexpr const char* kCommonWordsFileName = "DEFAULT.COMMON";
constexpr const char* kDefinitionsFileName = "DEFAULT.DEFS";

// The common words: one upper-case word (A to Z, 3 to 10 letters) per line. Lines that are not such
// a word are skipped, so a damaged line costs only its own word.
class CommonWords {
public:
    static CommonWords parse(std::span<const std::uint8_t> bytes);
    // word in upper case, as the solution tables hold it.
    bool contains(std::string_view word) const { return words_.contains(std::string(word)); }
    std::size_t size() const { return words_.size(); }

private:
    std::unordered_set<std::string> words_;
};

// A short definition of a dictionary word, or of the base word it is a form of.
struct Definition {
    std::string word;  // as asked, upper case
    std::string base;  // the base word whose glosses these are ("RUN" for "RAN"); empty: word itself
    struct Gloss {
        char partOfSpeech = 'n';  // n noun, v verb, a adjective, r adverb
        std::string text;         // Windows-1252
    };
    std::vector<Gloss> glosses;  // one or two
};

// One entry of the definitions file.
struct DefinitionEntry {
    std::string word;                          // upper case A to Z
    std::string base;                          // empty, or the base word (upper case A to Z)
    std::vector<Definition::Gloss> glosses;    // empty: base names another entry that has its own
};

// The definitions file. Text in Windows-1252, lines ending in "\n":
//   VARNOOK DEFINITIONS 1
//   WORD<TAB>BASE{<TAB>P<TAB>GLOSS}      one line per word, in ascending byte order of WORD;
//                                        BASE empty when the glosses are the word's own; with no
//                                        glosses BASE must be a word of the file with glosses of its own
//   END <number of word lines>
// Anything else (a bad line, words out of order, a missing or wrong end line, as in a cut-off file)
// makes the whole file unusable: a part of the words with definitions would look like a bug.
class Definitions {
public:
    static constexpr int kMaxGlosses = 2;
    static constexpr std::size_t kMaxGlossLength = 200;
    static constexpr std::size_t kMaxWordLength = 32;

    static Definitions parse(std::span<const std::uint8_t> bytes);
    // The file image of entries, sorted by word here; nullopt when an entry breaks the rules above.
    static std::optional<std::vector<std::uint8_t>> encode(std::vector<DefinitionEntry> entries);

    // word in any case. nullopt when the word has no definition (or the file was unusable).
    std::optional<Definition> lookup(std::string_view word) const;
    std::size_t size() const { return entries_.size(); }

private:
    std::vector<DefinitionEntry> entries_;  // sorted by word
    const DefinitionEntry* find(std::string_view upperWord) const;
};

}  // namespace game
