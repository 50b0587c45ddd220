// The folding of characters into board letters, per language, and Windows-1252 case.
#include "game/play/letters.h"

#include <algorithm>

namespace game::letters {

namespace {

// The board letters of the lower-case Latin-1 letters U+00E0 to U+00FF when the language keeps
// none of them; "" where no tile set writes the letter.
constexpr std::array<std::string_view, 32> kLatin1Folds{
    "a", "a", "a", "a", "a",  "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  // à..ï
    "",  "n", "o", "o", "o",  "o", "o",  "",  "",  "u", "u", "u", "u", "y", "",  "y",  // ð..ÿ
};

// The next code point of text from position i (moved past it), or nothing for bytes that are not
// UTF-8: a stray continuation byte, a cut sequence, an overlong form, a surrogate or a value past
// U+10FFFF.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || lead > 0xF4 || i + static_cast<std::size_t>(extra) > text.size()) return std::nullopt;
    char32_t ch = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        ch = ch << 6 | (next & 0x3F);
    }
    constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
    if (ch < kSmallest[static_cast<std::size_t>(extra)] || (ch >= 0xD800 && ch < 0xE000) || ch > 0x10FFFF)
        return std::nullopt;
    return ch;
}

}  // namespace

const LanguageInfo& info(Language language) {
    return *std::find_if(kLanguages.begin(), kLanguages.end(),
                         [language](const LanguageInfo& l) { return l.language == language; });
}

std::optional<Language> fromCode(std::string_view code) {
    for (const LanguageInfo& l : kLanguages)
        if (code.size() == l.code.size() &&
            std::equal(code.begin(), code.end(), l.code.begin(), [](char a, char b) { return lower(a) == b; }))
            return l.language;
    return std::nullopt;
}

Language fromDesktop(const std::vector<std::string>& tags) {
    for (const std::string& tag : tags)
        if (const auto language = fromCode(std::string_view(tag).substr(0, tag.find_first_of("_-.@"))))
            return *language;
    return Language::English;
}

std::string boardLetters(Language language, char32_t ch) {
    if (ch >= 'A' && ch <= 'Z') return std::string(1, static_cast<char>(ch - 'A' + 'a'));
    if (ch >= 'a' && ch <= 'z') return std::string(1, static_cast<char>(ch));
    // Upper-case Latin-1 letters (not the multiplication sign) fold as their lower-case ones.
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) ch += 0x20;
    if (ch == 0xDF) return "ss";
    if (ch >= 0xE0 && ch <= 0xFF) {
        const char byte = static_cast<char>(ch);
        if (info(language).kept.find(byte) != std::string_view::npos) return std::string(1, byte);
        return std::string(kLatin1Folds[ch - 0xE0]);
    }
    switch (ch) {
        case 0x152:  // Œ
        case 0x153: return "oe";
        case 0x132:  // Ĳ, the Dutch ligature
        case 0x133: return "ij";
        case 0x178: return "y";  // Ÿ
        default: return {};
    }
}

std::optional<std::string> foldWord(Language language, std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto ch = nextCodePoint(utf8, i);
        if (!ch) return std::nullopt;
        const std::string letters = boardLetters(language, *ch);
        if (letters.empty()) return std::nullopt;
        out += letters;
    }
    return out;
}

char upper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 0x20);
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 0x20);
    return c;
}

char lower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte + 0x20);
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return static_cast<char>(byte + 0x20);
    return c;
}

}  // namespace game::letters
