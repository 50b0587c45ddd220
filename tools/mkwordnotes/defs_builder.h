// Building the definitions file: each dictionary word gets the glosses of its own WordNet lemma, or
// of the base word it is a form of (an irregular form from the exception lists, else a regular
// ending taken off).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "game/play/word_notes.h"

namespace varnook::mkwordnotes {

// Lemma (lower case) -> its one or two glosses.
using Glosses = std::map<std::string, std::vector<game::Definition::Gloss>, std::less<>>;
// Irregular form -> its base forms, in the lists' order.
using Exceptions = std::map<std::string, std::vector<std::string>, std::less<>>;

// "lemma<TAB>P<TAB>gloss[<TAB>P<TAB>gloss]" lines; lines starting with '#' and malformed lines are skipped.
Glosses parseGlosses(std::string_view text);
// "form<TAB>base[<TAB>base]..." lines; lines starting with '#' are skipped.
Exceptions parseExceptions(std::string_view text);

// The lemma whose glosses serve word (lower case): the word itself, the first base of its exception
// entry that has glosses, or the first regular base that has: plural and third-person endings, past
// and present participles (with a doubled last consonant undone, as in "stopped"), comparatives
// and superlatives. Empty when none has glosses.
std::string baseLemma(const std::string& word, const Glosses& glosses, const Exceptions& exceptions);

struct Built {
    std::vector<game::DefinitionEntry> entries;
    std::size_t wordsWithGlosses = 0;  // dictionary words that got a definition
    std::size_t fromBase = 0;          // of which through a base word
};

// The entries for the dictionary's words (lower case): a word that is its own lemma carries its
// glosses; a form whose base is a dictionary word with its own glosses names it; another form
// carries its base's glosses with the base named.
Built buildEntries(const std::vector<std::string>& words, const Glosses& glosses, const Exceptions& exceptions);

}  // namespace varnook::mkwordnotes
