// The languages Varnook plays and the letters of their boards. A board letter is one lower-case
// Windows-1252 byte: a to z, and the letters a language keeps as tiles of their own (ä, ö, ü in
// German, ñ in Spanish). Every other letter of a word is written with the board letters its
// language's tile set uses: accents and cedillas fold (é to e, ç to c), ß is written ss, æ ae,
// œ oe. The same folding turns a word list into a dictionary and a typed character into the
// letters it plays, so a word is spelled on the board as it was compiled.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game::letters {

enum class Language { English, French, German, Spanish, Italian, Dutch, Portuguese };

struct LanguageInfo {
    Language language;
    std::string_view code;        // the ISO 639-1 code: "en", "fr", ...
    std::string_view dictionary;  // the dictionary file in the program folder
    std::string_view kept;        // the board letters beyond a to z, Windows-1252 bytes
};

inline constexpr std::array<LanguageInfo, 7> kLanguages{{
    {Language::English, "en", "DEFAULT.DICT", ""},
    {Language::French, "fr", "FR.DICT", ""},
    {Language::German, "de", "DE.DICT", "\xE4\xF6\xFC"},
    {Language::Spanish, "es", "ES.DICT", "\xF1"},
    {Language::Italian, "it", "IT.DICT", ""},
    {Language::Dutch, "nl", "NL.DICT", ""},
    {Language::Portuguese, "pt", "PT.DICT", ""},
}};

const LanguageInfo& info(Language language);
// The language of a code ("fr"; upper case too), or nothing.
std::optional<Language> fromCode(std::string_view code);
// The language of the first of the desktop's language tags ("de_CH.UTF-8", "pt-BR", "fr") whose
// language Varnook plays; English when none is.
Language fromDesktop(const std::vector<std::string>& tags);

// The board letters a character is written with in a language: one or two bytes, or an empty
// string when the language has no letters for it (digits, punctuation, letters of other scripts).
// Either case gives the same letters.
std::string boardLetters(Language language, char32_t ch);

// A UTF-8 word written with board letters, or nothing when it is not valid UTF-8 or holds a
// character without board letters.
std::optional<std::string> foldWord(Language language, std::string_view utf8);

// Upper and lower case of a Windows-1252 letter (a to z and the accented letters that have both
// cases); any other byte stays as it is.
char upper(char c);
char lower(char c);

}  // namespace game::letters
