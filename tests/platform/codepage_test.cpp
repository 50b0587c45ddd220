// UTF-8 decoding of typed text and the Windows-1252 round trip of the characters the game stores.
#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace {

using platform::codepage::fromUtf8;

constexpr char32_t kBad = 0xFFFD;

TEST(Utf8, WellFormedSequencesOfEveryLengthDecode) {
    EXPECT_EQ(fromUtf8("A\x7F"), U"A\x7F");
    EXPECT_EQ(fromUtf8("\xC2\x80\xDF\xBF"), (std::u32string{0x80, 0x7FF}));
    EXPECT_EQ(fromUtf8("\xE0\xA0\x80\xEF\xBF\xBD\xED\x9F\xBF\xEE\x80\x80"),
              (std::u32string{0x800, 0xFFFD, 0xD7FF, 0xE000}));
    EXPECT_EQ(fromUtf8("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), (std::u32string{0x10000, 0x10FFFF}));
    EXPECT_EQ(fromUtf8("Zo\xC3\xAB"), U"Zo\u00EB");
}

TEST(Utf8, OverlongFormsAreRefusedNotReadAsTheirShortForm) {
    // Each refused byte gives one replacement, and decoding resumes at the next byte.
    EXPECT_EQ(fromUtf8("\xC1\x81"), (std::u32string{kBad, kBad}));            // 'A'
    EXPECT_EQ(fromUtf8("\xC0\x80"), (std::u32string{kBad, kBad}));            // NUL
    EXPECT_EQ(fromUtf8("\xE0\x80\xAF"), (std::u32string{kBad, kBad, kBad}));  // '/'
    EXPECT_EQ(fromUtf8("\xE0\x9F\xBF"), (std::u32string{kBad, kBad, kBad}));  // U+07FF
    EXPECT_EQ(fromUtf8("\xF0\x8F\xBF\xBF"), (std::u32string(4, kBad)));       // U+FFFF
    for (char32_t c : fromUtf8("\xC0\xAF\xE0\x80\x80\xF0\x80\x80\xAF")) {
        EXPECT_NE(c, U'/');
        EXPECT_NE(c, U'\0');
    }
}

TEST(Utf8, SurrogatesAndCodePointsPastTheLastAreRefused) {
    EXPECT_EQ(fromUtf8("\xED\xA0\x80"), (std::u32string(3, kBad)));                  // U+D800
    EXPECT_EQ(fromUtf8("\xED\xBF\xBFx"), (std::u32string{kBad, kBad, kBad, U'x'}));  // U+DFFF
    EXPECT_EQ(fromUtf8("\xF4\x90\x80\x80"), (std::u32string(4, kBad)));              // U+110000
    EXPECT_EQ(fromUtf8("\xF7\xBF\xBF\xBF"), (std::u32string(4, kBad)));
    EXPECT_EQ(fromUtf8("\xF8\x88\x80\x80\x80"), (std::u32string(5, kBad)));  // no 5-byte forms
}

TEST(Utf8, CutAndStrayBytesGiveOneReplacementEach) {
    EXPECT_EQ(fromUtf8("a\xC3"), (std::u32string{U'a', kBad}));
    EXPECT_EQ(fromUtf8("\xE2\x82z"), (std::u32string{kBad, kBad, U'z'}));
    EXPECT_EQ(fromUtf8("\x80\xBF"), (std::u32string{kBad, kBad}));
    EXPECT_EQ(fromUtf8(std::string("\0b", 2)), (std::u32string{U'\0', U'b'}));
}

TEST(Windows1252, TypedCharactersRoundTripThroughTheCodePage) {
    using platform::codepage::fromCodePoint;
    using platform::codepage::toCodePoint;
    for (int b = 0x20; b <= 0xFF; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t c = toCodePoint(byte);
        if (c == kBad || b == 0x7F) continue;  // unassigned, or a control character
        ASSERT_TRUE(fromCodePoint(c).has_value()) << b;
        EXPECT_EQ(static_cast<unsigned char>(*fromCodePoint(c)), byte);
    }
    EXPECT_FALSE(fromCodePoint(0x20AC + 1).has_value());
    EXPECT_FALSE(fromCodePoint(U'\n').has_value());
    EXPECT_EQ(fromCodePoint(0x20AC), '\x80');  // the euro sign
}

}  // namespace
