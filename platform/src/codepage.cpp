// Windows-1252 to UTF-8 and UTF-8 to code points.
#include "platform/codepage.h"

namespace platform::codepage {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 characters 0x80..0x9F as Unicode; the five unassigned bytes have none.
constexpr char32_t kCp1252High[32] = {
    0x20AC,       kReplacement, 0x201A, 0x0192, 0x201E, 0x2026,       0x2020, 0x2021,
    0x02C6,       0x2030,       0x0160, 0x2039, 0x0152, kReplacement, 0x017D, kReplacement,
    kReplacement, 0x2018,       0x2019, 0x201C, 0x201D, 0x2022,       0x2013, 0x2014,
    0x02DC,       0x2122,       0x0161, 0x203A, 0x0153, kReplacement, 0x017E, 0x0178,
};

}  // namespace

char32_t toCodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : static_cast<char32_t>(byte);
}

std::optional<char> fromCodePoint(char32_t ch) {
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) return std::nullopt;
    if (ch <= 0xFF) return static_cast<char>(ch);
    for (unsigned i = 0; i < 32; ++i)
        if (kCp1252High[i] == ch && ch != kReplacement) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string toUtf8(std::string_view text, bool keepControls) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (!keepControls && (b < 0x20 || b == 0x7F)) continue;
        appendUtf8(out, toCodePoint(b));
    }
    return out;
}

std::u32string fromUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (cont & 0x3F);
        }
        // A longer form than the code point needs (C0 80 for NUL), a UTF-16 surrogate or a code
        // point past U+10FFFF is malformed too: such bytes could smuggle '/' or NUL past a check.
        constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (ok && (c < kShortest[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)) ok = false;
        if (!ok) {
            out += kReplacement;
            ++i;
            continue;
        }
        out += c;
        i += 1 + extra;
    }
    return out;
}

}  // namespace platform::codepage
