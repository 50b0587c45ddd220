// The single-byte code page (Windows-1252) that names and texts are kept in: typed Unicode characters
// in, drawable characters out. Characters the code page cannot hold are refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace game::code_page {

// The byte for a typed character, or nothing when the code page has no such character or it is a
// control character (which a name never holds).
std::optional<char> fromCodePoint(char32_t ch);

// The Unicode character of a byte; bytes the code page leaves undefined give U+FFFD.
char32_t toCodePoint(unsigned char byte);

// Single-byte text as UTF-8 (for messages and logs).
std::string toUtf8(std::string_view text);

}  // namespace game::code_page
