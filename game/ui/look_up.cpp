// Building the Wiktionary address of a word and handing it to the shell.
#include "game/ui/look_up.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/shell.h"

namespace game::ui {

namespace {

// Lower case of the letters Windows-1252 has: ASCII, Latin-1's capitals, and Š, Œ, Ž, Ÿ.
char32_t lower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;
    if (c == 0x178) return 0xFF;
    return c;
}

bool isLetter(char32_t c) {
    const char32_t l = lower(c);
    return (l >= U'a' && l <= U'z') || (l >= 0xDF && l <= 0xFF && l != 0xF7) || l == 0x161 || l == 0x153 ||
           l == 0x17E;
}

}  // namespace

std::string wiktionaryAddress(std::string_view language, std::string_view word) {
    if (language.size() < 2 || language.size() > 3 ||
        !std::all_of(language.begin(), language.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        return {};
    std::string utf8;
    for (const char byte : word) {
        const char32_t c = platform::codepage::toCodePoint(static_cast<unsigned char>(byte));
        if (!isLetter(c)) return {};
        platform::codepage::appendUtf8(utf8, lower(c));
    }
    if (utf8.empty()) return {};
    std::string address = "https://" + std::string(language) + ".wiktionary.org/wiki/";
    constexpr const char* kHex = "0123456789ABCDEF";
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            address += ch;
        } else {
            address += '%';
            address += kHex[b >> 4];
            address += kHex[b & 0x0F];
        }
    }
    return address;
}

bool lookUpWord(platform::Shell& shell, std::string_view language, std::string_view word) {
    const std::string address = wiktionaryAddress(language, word);
    return !address.empty() && shell.open(address, "");
}

}  // namespace game::ui
