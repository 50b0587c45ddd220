// The store file's text form: exact round trips, damaged lines that cost only themselves, text that
// is no store file refused whole, and no out-of-bounds reads on cut or random input.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

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

// The text with extra lines put in after the line that starts with `after`; the number of the first.
std::string insertAfter(const std::string& text, std::string_view after, const std::string& lines,
                        std::size_t* firstNumber = nullptr) {
    const std::size_t at = text.find(after);
    const std::size_t end = text.find('\n', at) + 1;
    if (firstNumber) *firstNumber = static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n')) + 1;
    return text.substr(0, end) + lines + text.substr(end);
}

std::size_t valueCount(const Hive& h) {
    std::size_t n = 0;
    for (const Key& k : h.keys()) n += k.values.size();
    return n;
}

TEST(StoreText, EveryTypeAndAwkwardByteRoundTripsExactly) {
    const Hive h = sampleHive();
    const std::string text = format(h);
    const std::optional<ParseResult> back = parse(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_TRUE(back->complete());
    EXPECT_EQ(back->hive, h);
    // Intermediate keys are listed too, parents before children, with an empty class.
    ASSERT_EQ(back->hive.keys().size(), 5u);
    EXPECT_EQ(back->hive.keys()[0].path, "Software");
    EXPECT_EQ(back->hive.keys()[3].keyClass, "USERDATA");
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

TEST(StoreText, TextThatIsNotAStoreFileIsRefusedWhole) {
    const std::vector<std::string> bad = {
        "", "; only a comment\n\n", "varnook-store 2\nend\n",
        "[A]\n\"X\"=binary:00\nend\n",  // no signature
        "varnook-stor",                 // cut inside the signature
        "\x7f"
        "ELF\x02\x01\x01\0\0\0binary junk\n",
        // A signature and nothing readable after it but damage.
        "varnook-store 1\n\x01\x02garbage\n\"X\"=binary:zz\nend\n",
        "varnook-store 1\n[A",  // cut inside the first key line
    };
    for (const std::string& text : bad) EXPECT_FALSE(parse(text).has_value()) << text;
    // A signature alone is an empty store, as is one cut right after it.
    ASSERT_TRUE(parse("varnook-store 1\nend\n").has_value());
    EXPECT_TRUE(parse("varnook-store 1\nend\n")->complete());
    ASSERT_TRUE(parse("varnook-store 1\n").has_value());
    EXPECT_FALSE(parse("varnook-store 1\n")->ended);
}

TEST(StoreText, EachDamagedLineCostsOnlyItself) {
    const std::string good = format(sampleHive());
    const std::vector<std::string> bad = {
        "@klass=\"x\"",
        "@class=\"second\"",  // a key has one class
        "@class=\"x\" trailing",
        "\"X\"=binary:0",  // odd hex digit
        "\"X\"=binary:000",
        "\"X\"=binary:00,",
        "\"X\"=binary:0g",
        "\"X\"=binary:00 01",  // no comma
        "\"X\"=binary:64;00",
        "\"X\"=dword:1",
        "\"X\"=dword:123456789",
        "\"X\"=qword:00",
        "\"X\"=string:\"abc",               // unterminated string
        "\"X\"=string:\"abc\"x",            // text after the string
        "\"X\"=string:\"a\\q\"",            // unknown escape
        "\"X\"=string:\"a\\x4\"",           // short hex escape
        "\"X\"=string:\"a\\",               // escape at the very end
        "\"X\"=string:\"\xe9\"",            // raw high byte
        "\"X\"=string:\"Jos\xc3\xa9\\0\"",  // raw UTF-8 letter
        "\"X\"=string:\"a\tb\"",            // raw control character
        "\"STATS11\"=binary:00",            // a second value of a name the key has
        "\"stats11\"=string:\"\"",          // ... in another case
        "\"X\"",
        "\"X\"=binary00",
        "X=binary:00",
        std::string("\"A\0B\"=binary:00", 15),  // zero byte in a name
        "\"N\xe9\"=binary:00",
        "varnook-store 1",  // the signature again
        "random words",
        "\x01\x02\x03",
    };
    for (const std::string& line : bad) {
        SCOPED_TRACE(line);
        std::size_t number = 0;
        const std::string text = insertAfter(good, "\"STATS11\"=", line + "\n", &number);
        const std::optional<ParseResult> r = parse(text);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->hive, sampleHive());  // nothing added, nothing else lost
        ASSERT_EQ(r->dropped.size(), 1u);
        EXPECT_EQ(r->dropped[0].number, number);
        EXPECT_EQ(r->dropped[0].text, line);
        EXPECT_FALSE(r->dropped[0].reason.empty());
        EXPECT_TRUE(r->ended);
    }
}

TEST(StoreText, ADamagedValueLineLosesOnlyThatValue) {
    const std::string good = format(sampleHive());
    const std::string line = "\"COUNT\"=dword:8000001a\n";
    std::string text = good;
    text.replace(text.find(line), line.size(), "\"COUNT\"=dword:8000001\n");
    const std::optional<ParseResult> r = parse(text);
    ASSERT_TRUE(r.has_value());
    Hive expected = sampleHive();
    auto& values = expected.find("Software\\Mirrim\\Varnook\\1.0")->values;
    values.erase(values.begin() + 4);  // COUNT
    EXPECT_EQ(r->hive, expected);
    EXPECT_EQ(r->dropped.size(), 1u);
}

TEST(StoreText, BlanksAroundLinesSeparatorsAndHexBytesAreAllowed) {
    std::string loose = "\xef\xbb\xbf";  // a byte-order mark, as some editors write
    std::istringstream in(format(sampleHive()));
    for (std::string line; std::getline(in, line);) {
        const std::size_t binary = line.find("\"=binary:");
        if (binary != std::string::npos) {
            // "NAME" = binary : 00, 01 ,02
            std::string data = line.substr(binary + 9);
            std::string spaced;
            for (const char c : data) spaced += c == ',' ? std::string(", ") : std::string(1, c);
            line = line.substr(0, binary + 1) + " = binary : " + spaced;
        }
        loose += "  " + line + " \t\r\n";
    }
    const std::optional<ParseResult> r = parse(loose);
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->complete()) << (r->dropped.empty() ? "" : r->dropped[0].text);
    EXPECT_EQ(r->hive, sampleHive());
}

TEST(StoreText, ADamagedKeyLineCostsTheLinesOfItsSectionOnly) {
    const std::optional<ParseResult> r = parse(
        "varnook-store 1\n"
        "[A]\n"
        "\"v\"=binary:01\n"
        "[A\\\\B]\n"  // line 4: empty component
        "@class=\"c\"\n"
        "\"w\"=binary:02\n"
        "[C]\n"
        "\"x\"=binary:03\n"
        "[D\n"  // line 9: no closing bracket
        "\"y\"=binary:04\n"
        "end\n");
    ASSERT_TRUE(r.has_value());
    ASSERT_EQ(r->hive.keys().size(), 2u);
    EXPECT_EQ(r->hive.find("A")->findValue("v")->data, std::vector<std::uint8_t>{1});
    EXPECT_EQ(r->hive.find("C")->findValue("x")->data, std::vector<std::uint8_t>{3});
    std::vector<std::size_t> numbers;
    for (const DroppedLine& d : r->dropped) numbers.push_back(d.number);
    EXPECT_EQ(numbers, (std::vector<std::size_t>{4, 5, 6, 9, 10}));
}

TEST(StoreText, LinesOutsideAnyKeyOrAfterTheEndAreDropped) {
    const std::optional<ParseResult> r = parse(
        "varnook-store 1\n"
        "\"x\"=binary:00\n"
        "@class=\"c\"\n"
        "[A]\n"
        "\"v\"=binary:01\n"
        "end\n"
        "; a comment is fine\n"
        "\n"
        "\"y\"=binary:02\n");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(valueCount(r->hive), 1u);
    ASSERT_EQ(r->dropped.size(), 3u);
    EXPECT_EQ(r->dropped[0].number, 2u);
    EXPECT_EQ(r->dropped[1].number, 3u);
    EXPECT_EQ(r->dropped[2].number, 9u);
}

TEST(StoreText, AKeyNamedTwiceKeepsBothSectionsAndAValueNamedTwiceKeepsTheFirst) {
    const std::optional<ParseResult> r =
        parse("varnook-store 1\n[A]\n@class=\"c\"\n\"v\"=binary:01\n[B]\n[a]\n\"w\"=binary:02\n\"V\"=binary:03\nend\n");
    ASSERT_TRUE(r.has_value());
    const Key* a = r->hive.find("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->keyClass, "c");
    ASSERT_EQ(a->values.size(), 2u);
    EXPECT_EQ(a->findValue("v")->data, std::vector<std::uint8_t>{1});
    EXPECT_EQ(a->findValue("w")->data, std::vector<std::uint8_t>{2});
    ASSERT_EQ(r->dropped.size(), 1u);
    EXPECT_EQ(r->dropped[0].number, 8u);
}

TEST(StoreText, AcceptsCommentsBlankLinesAndWindowsLineEnds) {
    const std::optional<ParseResult> r =
        parse("varnook-store 1\r\n; note\r\n\r\n[A\\B]\r\n\"v\"=binary:0A,ff\r\n[A]\r\n@class=\"c\"\r\nend");
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->complete());
    ASSERT_NE(r->hive.find("A"), nullptr);
    EXPECT_EQ(r->hive.find("A")->keyClass, "c");  // a key first implied by its child may still get its section
    EXPECT_EQ(r->hive.find("A\\B")->findValue("V")->data, (std::vector<std::uint8_t>{0x0a, 0xff}));
}

TEST(StoreText, ACutFileKeepsExactlyItsWholeLines) {
    const Hive original = sampleHive();
    const std::string text = format(original);
    for (std::size_t n = 0; n + 1 < text.size(); ++n) {
        SCOPED_TRACE(n);
        const std::string cut = text.substr(0, n);
        // The value lines that were written whole before the cut.
        std::size_t whole = 0;
        for (std::size_t at = 0, nl; (nl = cut.find('\n', at)) != std::string::npos; at = nl + 1)
            if (cut[at] == '"') ++whole;
        const std::optional<ParseResult> r = parse(cut);
        if (!r) {
            EXPECT_EQ(whole, 0u);  // only a cut before anything could be read
            continue;
        }
        EXPECT_FALSE(r->complete());
        EXPECT_EQ(valueCount(r->hive), whole);
        // Nothing read from a cut file differs from what was written: a cut line is never read short.
        for (const Key& k : r->hive.keys()) {
            const Key* before = original.find(k.path);
            ASSERT_NE(before, nullptr);
            EXPECT_TRUE(k.keyClass.empty() || k.keyClass == before->keyClass);
            for (const Value& v : k.values) EXPECT_EQ(*before->findValue(v.name), v);
        }
    }
    // The final line feed alone may go.
    const std::optional<ParseResult> r = parse(text.substr(0, text.size() - 1));
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->complete());
    EXPECT_EQ(r->hive, original);
}

TEST(StoreText, RandomDamageNeverReadsOutOfBoundsAndWhatParsesIsConsistent) {
    const std::string text = format(sampleHive());
    std::mt19937 rng(1234);
    int kept = 0;
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
        // Whatever is read must write back into something that reads whole and the same.
        if (const std::optional<ParseResult> r = parse(damaged)) {
            ++kept;
            const std::optional<ParseResult> again = parse(format(r->hive));
            ASSERT_TRUE(again.has_value());
            EXPECT_TRUE(again->complete());
            EXPECT_EQ(again->hive, r->hive);
        }
    }
    EXPECT_GT(kept, 1500);  // a few damaged bytes rarely cost the whole file
    for (int round = 0; round < 500; ++round) {
        std::string junk(rng() % 600, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        if (round % 2 == 0) {
            junk = "varnook-store 1\n[A]\n" + junk;
            if (const std::optional<ParseResult> r = parse(junk)) {
                EXPECT_EQ(parse(format(r->hive))->hive, r->hive);
            }
        } else {
            EXPECT_FALSE(parse(junk).has_value());  // no signature line
        }
    }
}

TEST(StoreText, OversizedInputIsRefusedBeforeParsing) {
    std::string huge = "varnook-store 1\n[A]\n\"X\"=binary:";
    huge.append(kMaxFileSize, '0');
    huge += "\nend\n";
    EXPECT_FALSE(parse(huge).has_value());
}

}  // namespace
