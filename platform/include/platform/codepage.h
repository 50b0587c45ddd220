// The game's text is single-byte Windows-1252; SDL and the font renderer take UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::codepage {

// Converts Windows-1252 text to UTF-8. With keepControls false, control characters (below 0x20
// and 0x7F) are left out, as they draw nothing.
std::string toUtf8(std::string_view text, bool keepControls = true);

// The Unicode character of a byte; the five bytes the code page leaves undefined give U+FFFD.
char32_t toCodePoint(unsigned char byte);

// The byte for a typed character, or nothing when the code page has no such character or it is a
// control character (which typed text never holds).
std::optional<char> fromCodePoint(char32_t ch);

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// The code points of UTF-8 text; a malformed sequence (a bad or missing continuation byte, an
// overlong form, a surrogate, a code point past U+10FFFF) gives U+FFFD and resumes at the next byte.
std::u32string fromUtf8(std::string_view text);

}  // namespace platform::codepage
