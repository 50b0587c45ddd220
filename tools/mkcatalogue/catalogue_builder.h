// The translations of the game's texts: reading a language's gettext file (UTF-8, one entry per
// text, msgctxt the text's name in the English table, msgid its English text, msgstr the
// translation), checking it against the English table, and writing the C++ source that compiles
// every language's texts, in Windows-1252, into the game.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mkcatalogue {

// One English text: its stable name and the text.
struct EnglishText {
    std::string_view name;
    std::string_view text;
};

// One entry of a .po file, its strings unescaped (still UTF-8).
struct PoEntry {
    std::string context;
    std::string id;
    std::string translation;
    bool fuzzy = false;
    int line = 0;  // where the entry starts, for messages
};

// Reads the entries of a .po file's text; the header (the entry with an empty msgid) is left out.
// A line it cannot read is an error "file:line: ...".
std::vector<PoEntry> parsePo(std::string_view text, std::string_view file, std::vector<std::string>& errors);

// UTF-8 to Windows-1252; false when a character has no byte there (or the UTF-8 is malformed).
bool toWindows1252(std::string_view utf8, std::string& out);

// One language's texts in the English table's order, Windows-1252; an empty text falls back to
// English (not translated, or marked fuzzy).
struct Language {
    std::string code;
    std::vector<std::string> texts;
};

// Checks a language's entries against the English table and returns its texts. Reported, as
// "file:line: ..." errors: an English text with no entry, an entry whose msgid is not the English
// text of its name (the English changed since it was translated) or whose name the table does not
// hold, a name given twice, a translation with other placeholders (|1 to |4) or another number of
// line breaks than its English text, or with a character Windows-1252 does not have.
Language checkLanguage(std::string code, std::span<const PoEntry> entries, std::span<const EnglishText> english,
                       std::string_view file, std::vector<std::string>& errors);

// The C++ source of the catalogues (game/ui/catalogue.h declares what it defines).
std::string catalogueSource(std::span<const Language> languages, std::size_t textCount);

// A .po file with every English text and empty translations, for a new language.
std::string poTemplate(std::span<const EnglishText> english);

}  // namespace mkcatalogue
