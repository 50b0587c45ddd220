// The "look up" action: a word's page in the online Wiktionary of the game's language, opened in
// the browser through the desktop shell.
#pragma once

#include <string>
#include <string_view>

namespace platform {
class Shell;
}  // namespace platform

namespace game::ui {

// The language of the game's dictionary, as Wiktionary names its editions.
constexpr const char* kDictionaryLanguage = "en";

// https://<language>.wiktionary.org/wiki/<word>: the word (Windows-1252) in lower case, as UTF-8,
// percent-encoded. Empty when the language is not two or three letters a to z, or the word has a
// byte that is no letter.
std::string wiktionaryAddress(std::string_view language, std::string_view word);

// Opens the word's page; false when there is no address or the shell could not open it.
bool lookUpWord(platform::Shell& shell, std::string_view language, std::string_view word);

}  // namespace game::ui
