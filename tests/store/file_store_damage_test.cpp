// A store file edited by hand: a slip in one line costs that line's value only, both Hall of Fame
// tables and a waiting saved game stay, and nothing is set aside.
#include "store_test_util.h"

namespace {

using platform::FileStore;
using platform::StoreStatus;
using platform::ValueType;
using namespace store_test;

constexpr std::string_view kSettings = "Software\\Mirrim\\Varnook\\1.0";
constexpr std::string_view kSave = "Software\\Mirrim\\Varnook\\1.0\\SAVE";

struct Record {
    std::string path;
    std::string name;
    std::string data;
    ValueType type = ValueType::Binary;
};

std::string le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

// What the game keeps: settings, sound switches, both tables, a saved game waiting.
std::vector<Record> gameRecords() {
    std::vector<Record> r;
    const std::string settings(kSettings);
    const std::string save(kSave);
    r.push_back({settings, "SOLVINGDATA", std::string("\0\0\1\0\3\0\xde\xad\xbe\xef\0\0\1\0", 14)});
    r.push_back({settings, "SOUNDOPTIONS", std::string("\1\0\1\0\0\0\1\0\1\0\1\0\1\0", 14)});
    for (int m = 1; m <= 2; ++m) {
        std::string scores;
        for (int i = 1; i <= 8; ++i) scores += le32(static_cast<std::uint32_t>(m * 100 - i * 10 + 10));
        r.push_back({settings, "STATS" + std::to_string(m), scores});
        for (int i = 1; i <= 8; ++i)
            r.push_back({settings, "STATS" + std::to_string(m) + std::to_string(i),
                         "Player " + std::to_string(m) + std::to_string(i) + std::string(1, '\0'), ValueType::String});
    }
    r.push_back({save, "ISSTORED", std::string(1, '\1')});
    r.push_back({save, "HEIGHT", std::string("\4\0", 2)});
    r.push_back({save, "WIDTH", std::string("\4\0", 2)});
    r.push_back({save, "BYTE_DATA", "ABCDEFGHIJKLMNOP"});
    r.push_back({save, "SCORE", le32(42)});
    r.push_back({save, "FOUNDWORDS", "CAT,DOG,", ValueType::String});
    return r;
}

class StoreDamageTest : public StoreFolderTest {
protected:
    // The records as the store writes them, returned as text.
    std::string writeRecords() {
        FileStore store(folder_);
        for (const Record& r : gameRecords())
            EXPECT_EQ(put(store, r.path, r.name, r.data, r.type), StoreStatus::Success);
        return readText(file());
    }

    // Every record reads back as written, except the one named `lost` which is missing.
    void expectRecordsBut(FileStore& store, std::string_view lost) {
        for (const Record& r : gameRecords()) {
            SCOPED_TRACE(r.name);
            EXPECT_EQ(get(store, r.path, r.name), r.name == lost ? "<missing>" : r.data);
        }
    }
};

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST_F(StoreDamageTest, TheFileIsWrittenAsExpected) {
    // The lines the slips below change, as the writer puts them.
    const std::string text = writeRecords();
    EXPECT_NE(text.find("\"STATS11\"=string:\"Player 11\\0\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"STATS1\"=binary:64,00,00,00,5a,00"), std::string::npos);
    EXPECT_NE(text.find("\nend\n"), std::string::npos);
}

TEST_F(StoreDamageTest, EachHandEditSlipCostsAtMostItsOwnLine) {
    const std::string good = writeRecords();
    struct Slip {
        const char* what;
        std::string text;
        std::string lost;  // the value that goes, if any
    };
    const std::vector<Slip> slips = {
        {"a trailing blank", replaced(good, "\"Player 11\\0\"\n", "\"Player 11\\0\" \n"), ""},
        {"blanks in a hex list", replaced(good, "=binary:64,00,00,00,5a,00", "=binary:64, 00, 00,00,5a ,00"), ""},
        {"no end line", replaced(good, "\nend\n", "\n"), ""},
        {"a raw UTF-8 letter in a name", replaced(good, "\"Player 12\\0\"", "\"Bj\xc3\xb6rn\\0\""), "STATS12"},
        {"a bad hex byte", replaced(good, "\"STATS2\"=binary:c8,", "\"STATS2\"=binary:c8,0g,"), "STATS2"},
        {"an unknown type", replaced(good, "\"SCORE\"=binary:", "\"SCORE\"=bin:"), "SCORE"},
        {"a stray line", replaced(good, "\"WIDTH\"", "WIDTH is four\n\"WIDTH\""), ""},
    };
    for (const Slip& slip : slips) {
        SCOPED_TRACE(slip.what);
        std::filesystem::remove_all(folder_);
        writeText(file(), slip.text);
        testing::internal::CaptureStderr();
        {
            FileStore store(folder_);
            expectRecordsBut(store, slip.lost);
            EXPECT_EQ(store.setAsideCopy(), "");
            // The next write keeps everything that could be read.
            EXPECT_EQ(put(store, "Software\\Other", "V", "1"), StoreStatus::Success);
        }
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(filesNamed("registry.txt.damaged-").empty());
        if (!slip.lost.empty()) {
            EXPECT_NE(err.find(slip.lost), std::string::npos) << err;
        }
        FileStore after(folder_);
        expectRecordsBut(after, slip.lost);
        const std::optional<platform::store_text::ParseResult> written = platform::store_text::parse(readText(file()));
        ASSERT_TRUE(written.has_value());
        EXPECT_TRUE(written->complete());
    }
}

TEST_F(StoreDamageTest, ADroppedLineIsReportedOnceWithItsNumberAndText) {
    const std::string good = writeRecords();
    const std::string text = replaced(good, "\"Player 13\\0\"", "\"Zo\xeb\\0\"");
    writeText(file(), text);
    const std::size_t line =
        static_cast<std::size_t>(std::count(text.begin(), text.begin() + text.find("Zo"), '\n')) + 1;
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    // The game reads its records in several calls; the file is read at each.
    EXPECT_EQ(get(store, std::string(kSettings), "STATS13"), "<missing>");
    EXPECT_EQ(get(store, std::string(kSettings), "STATS14"), std::string("Player 14\0", 10));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(" line " + std::to_string(line) + ": dropped "), std::string::npos) << err;
    EXPECT_NE(err.find("\"STATS13\"=string:\"Zo\\xeb\\0\""), std::string::npos) << err;  // shown escaped
}

TEST_F(StoreDamageTest, AFileCutShortKeepsItsWholeLines) {
    const std::string good = writeRecords();
    // Cut inside the saved game's letters: everything before them stays, the cut line goes.
    const std::string cut = good.substr(0, good.find("\"BYTE_DATA\"=binary:") + 25);
    writeText(file(), cut);
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    for (const Record& r : gameRecords()) {
        SCOPED_TRACE(r.name);
        const bool before = cut.find("\"" + r.name + "\"=") < cut.find("\"BYTE_DATA\"");
        EXPECT_EQ(get(store, r.path, r.name), before ? r.data : "<missing>");
    }
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(filesNamed("registry.txt.damaged-").empty());
}

TEST_F(StoreDamageTest, ADamagedKeyLineCostsOnlyItsOwnSection) {
    const std::string good = writeRecords();
    writeText(file(),
              replaced(good, "[Software\\Mirrim\\Varnook\\1.0\\SAVE]", "[Software\\Mirrim\\Varnook\\1.0\\SAVE"));
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    for (const Record& r : gameRecords()) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(get(store, r.path, r.name), r.path == kSave ? "<missing>" : r.data);
    }
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(filesNamed("registry.txt.damaged-").empty());
}

}  // namespace
