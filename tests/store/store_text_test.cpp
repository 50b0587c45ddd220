// The store file's text form: exact round trips, strict refusal of anything malformed, and no
// out-of-bounds reads on cut or random input.
#include <gtest/gtest.h>

#include <random>

#include "store_text.h"

namespace {

using platform::ValueType;
using namespace platform::store_text;

Hive sampleHive() {
    Hive h;
    Key& settings = h.create("Software\\Mirrim\\Varnook\\1.0", "USERDATA");
    settings.setValue("SOLVINGDATA", ValueType::Binary, {0, 0, 2, 0, 3, 0, 0xde, 0xad, 0xbe, 0xef, 0, 1, 1, 0});
    settings.setValue("STATS11", ValueType::String, {'Z', 'o', 0xeb, '"', '\\', ',', 0});
    settings.setValue("EMPTY", ValueType::String, {});
    settings.setValue("NOTHING", ValueType::Binary, {});
    settings.setValue("COUNT", ValueType::Dword, {0x1a, 0, 0, 0x80});
    settings.setValue("odd \"name\"\x01", ValueType::String, {'\n', '\r', 0x7f});
    Key& save = h.create("Software\\Mirrim\\Varnook\\1.0\\SAVE", "SAVEDATA");
    save.setValue("FOUNDWORDS", ValueType::String, {'C', 'A', 'T', ','});
    return h;
}

TEST(StoreText, EveryTypeAndAwkwardByteRoundTripsExactly) {
    const Hive h = sampleHive();
    const std::string text = format(h);
    const std::optional<Hive> back = parse(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(*back, h);
    // Intermediate keys are listed too, parents before children, with an empty class.
    ASSERT_EQ(back->keys().size(), 5u);
    EXPECT_EQ(back->keys()[0].path, "Software");
    EXPECT_EQ(back->keys()[3].keyClass, "USERDATA");
    // Human-readable: names and classes in clear, strings escaped.
    EXPECT_NE(text.find("[Software\\Mirrim\\Varnook\\1.0]\n@class=\"USERDATA\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"STATS11\"=string:\"Zo\\xeb\\\"\\\\,\\0\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"COUNT\"=dword:8000001a\n"), std::string::npos);
    EXPECT_NE(text.find("\"NOTHING\"=binary:\n"), std::string::npos);
}

TEST(StoreText, NamesCompareWithoutCase) {
    Hive h = sampleHive();
    ASSERT_NE(h.find("software\\MIRRIM\\varnook\\1.0"), nullptr);
    EXPECT_NE(h.find("Software\\Mirrim\\Varnook\\1.0")->findValue("solvingdata"), nullptr);
    bool created = true;
    h.create("SOFTWARE\\mirrim", "X", &created);
    EXPECT_FALSE(created);
}

TEST(StoreText, MalformedFilesAreRefused) {
    const std::string head = "varnook-store 1\n[A]\n";
    const std::vector<std::string> bad = {
        "",
        "varnook-store 2\nend\n",
        "[A]\nend\n",                               // no signature
        "varnook-store 1\n[A]\n",                   // no end line
        "varnook-store 1\nend\njunk\n",             // text after the end
        "varnook-store 1\n\"X\"=binary:00\nend\n",  // value outside a key
        "varnook-store 1\n[A]\n[A]\nend\n",         // the same key twice
        "varnook-store 1\n[A]\n[a]\nend\n",         // ... in another case
        "varnook-store 1\n[]\nend\n",
        "varnook-store 1\n[A\\\\B]\nend\n",  // empty component
        "varnook-store 1\n[\\A]\nend\n",
        "varnook-store 1\n[A]\n@class=\"x\"\n@class=\"y\"\nend\n",
        head + "@klass=\"x\"\nend\n",
        head + "\"X\"=binary:0\nend\n",  // odd hex digit
        head + "\"X\"=binary:000\nend\n",
        head + "\"X\"=binary:00,\nend\n",
        head + "\"X\"=binary:0g\nend\n",
        head + "\"X\"=binary:00 01\nend\n",
        head + "\"X\"=dword:1\nend\n",
        head + "\"X\"=dword:123456789\nend\n",
        head + "\"X\"=qword:00\nend\n",
        head + "\"X\"=string:\"abc\nend\n",                // unterminated string
        head + "\"X\"=string:\"abc\"x\nend\n",             // text after the string
        head + "\"X\"=string:\"a\\q\"\nend\n",             // unknown escape
        head + "\"X\"=string:\"a\\x4\"\nend\n",            // short hex escape
        head + "\"X\"=string:\"a\\",                       // escape at the very end
        head + "\"X\"=string:\"\xe9\"\nend\n",             // raw high byte
        head + "\"X\"=string:\"a\tb\"\nend\n",             // raw control character
        head + "\"X\"=binary:00\n\"x\"=binary:01\nend\n",  // the same value twice
        head + "\"X\"\nend\n",
        head + "\"X\"=binary00\nend\n",
        head + "X=binary:00\nend\n",
        head + "\"A\\0B\"=binary:00\nend\n",  // zero byte in a name
    };
    for (const std::string& text : bad) EXPECT_FALSE(parse(text).has_value()) << text;
}

TEST(StoreText, AcceptsCommentsBlankLinesAndWindowsLineEnds) {
    const std::optional<Hive> h =
        parse("varnook-store 1\r\n; note\r\n\r\n[A\\B]\r\n\"v\"=binary:0A,ff\r\n[A]\r\n@class=\"c\"\r\nend");
    ASSERT_TRUE(h.has_value());
    ASSERT_NE(h->find("A"), nullptr);
    EXPECT_EQ(h->find("A")->keyClass, "c");  // a key first implied by its child may still get its section
    EXPECT_EQ(h->find("A\\B")->findValue("V")->data, (std::vector<std::uint8_t>{0x0a, 0xff}));
}

TEST(StoreText, EveryCutOfAFileIsRefused) {
    const std::string text = format(sampleHive());
    // Every proper prefix lacks the end line (the final line feed alone may go).
    for (std::size_t n = 0; n + 1 < text.size(); ++n) EXPECT_FALSE(parse(text.substr(0, n)).has_value()) << n;
    EXPECT_TRUE(parse(text.substr(0, text.size() - 1)).has_value());
}

TEST(StoreText, RandomDamageNeverReadsOutOfBoundsAndWhatParsesIsConsistent) {
    const std::string text = format(sampleHive());
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = text;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = rng() % damaged.size();
            switch (rng() % 3) {
                case 0: damaged[at] = static_cast<char>(rng()); break;
                case 1: damaged.erase(at, 1 + rng() % 8); break;
                default: damaged.insert(at, 1, static_cast<char>(rng())); break;
            }
            if (damaged.empty()) damaged = "x";
        }
        // Whatever still parses must write back into something that parses to the same.
        if (const std::optional<Hive> h = parse(damaged)) {
            EXPECT_EQ(parse(format(*h)), h);
        }
    }
    for (int round = 0; round < 500; ++round) {
        std::string junk(rng() % 600, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        if (round % 2 == 0) junk = "varnook-store 1\n[A]\n" + junk;
        EXPECT_FALSE(parse(junk).has_value() && junk.find("end") == std::string::npos);
    }
}

TEST(StoreText, OversizedInputIsRefusedBeforeParsing) {
    std::string huge = "varnook-store 1\n[A]\n\"X\"=binary:";
    huge.append(kMaxFileSize, '0');
    huge += "\nend\n";
    EXPECT_FALSE(parse(huge).has_value());
}

}  // namespace
