// Windows-1252: Latin-1 with printable characters in 0x80..0x9F, five of which are undefined.
#include "game/persistence/code_page.h"

#include <array>

namespace game::code_page {
namespace {

constexpr char32_t kUndefined = 0xFFFD;

// Characters of bytes 0x80..0x9F.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, kUndefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,  // 88..8F
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178,  // 98..9F
};

}  // namespace

std::optional<char> fromCodePoint(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) return std::nullopt;
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == ch && ch != kUndefined) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

char32_t toCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const char32_t cp = toCodePoint(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace game::code_page
