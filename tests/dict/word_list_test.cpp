// The word list's offensive words: how mkdict reads and applies the exclusion and keep lists, and
// the shipped dictionary read back from its letter tree against assets/dict.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "dict_builder.h"

namespace {

namespace mk = varnook::mkdict;
using Words = std::set<std::string>;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string source(const std::string& name) { return std::string(VARNOOK_DICT_SOURCE_DIR) + "/" + name; }

// Every word of a dictionary file: a depth-first walk of its letter tree.
Words wordsOf(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint32_t> nodes;
    for (std::size_t i = 256; i + 4 <= file.size(); i += 4)
        nodes.push_back(file[i] | file[i + 1] << 8 | file[i + 2] << 16 | static_cast<std::uint32_t>(file[i + 3]) << 24);
    Words words;
    auto walk = [&](auto& self, std::size_t index, const std::string& prefix) -> void {
        for (;; ++index) {
            const std::uint32_t node = nodes.at(index);
            const std::string word = prefix + static_cast<char>(node & 0xFF);
            if (node & mk::kWordEnd) words.insert(word);
            if (const std::size_t child = node >> mk::kChildShift; child != 0) self(self, child, word);
            if (!(node & mk::kMoreSiblings)) break;
        }
    };
    if (!nodes.empty()) walk(walk, 0, "");
    return words;
}

TEST(EntryList, SkipsCommentsAndBlankLinesAndLowerCasesEntries) {
    EXPECT_EQ(mk::parseEntryList("# a comment\nFuckhead\r\n\nwet back\n  \nGolliWog"),
              (Words{"fuckhead", "wet back", "golliwog", "  "}));
    EXPECT_EQ(mk::parseEntryList(""), Words{});
}

TEST(Exclusions, LeaveOutListedWordsUnlessKeptAndCountBoth) {
    const std::vector<std::string> words = {"cat", "cock", "shithead", "snatch", "Darkies", "dog", "shithead"};
    const auto filtered = mk::applyExclusions(words, {"cock", "shithead", "snatch", "darkies", "not a word"}, {"cock"});
    EXPECT_EQ(filtered.words, (std::vector<std::string>{"cat", "cock", "dog"}));
    EXPECT_EQ(filtered.excluded, (std::vector<std::string>{"shithead", "snatch", "Darkies", "shithead"}));
    EXPECT_EQ(filtered.kept, std::vector<std::string>{"cock"});
    // A keep list alone takes nothing out.
    EXPECT_EQ(mk::applyExclusions(words, {}, {"cat"}).words, words);
}

class ShippedDictionary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string bytes = readFile(std::string(VARNOOK_BIN_DIR) + "/DEFAULT.DICT");
        shipped_ = new Words(wordsOf(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
    }
    static void TearDownTestSuite() {
        delete shipped_;
        shipped_ = nullptr;
    }
    static Words list(const std::string& name) { return mk::parseEntryList(readFile(source(name))); }
    static Words excludedEntries() {
        Words all;
        for (const char* name : {"offensive/ldnoobw-en.txt", "offensive/cuss-sure.txt", "excluded-words.txt"})
            all.merge(list(name));
        return all;
    }
    static Words* shipped_;
};
Words* ShippedDictionary::shipped_ = nullptr;

TEST_F(ShippedDictionary, OffersNoneOfTheObscenitiesAndSlursThatOnceSlippedThrough) {
    ASSERT_GT(shipped_->size(), 50000u);
    for (const char* word : {"shithead", "fuckhead", "cocksucker", "asshole", "bullshit", "blowjob", "golliwog",
                             "wetbacks", "darkies", "fuck", "cunt", "nigger", "shitty", "whores", "dickheads"})
        EXPECT_FALSE(shipped_->contains(word)) << word;
}

TEST_F(ShippedDictionary, HoldsExactlyTheWordListLessTheExcludedWordsNotKeptBack) {
    const Words words = list("words.txt");
    const Words excluded = excludedEntries();
    const Words kept = list("kept-words.txt");
    std::size_t left = 0;
    for (const auto& word : words) {
        const bool goes = excluded.contains(word) && !kept.contains(word);
        EXPECT_EQ(shipped_->contains(word), !goes) << word;
        left += goes;
    }
    EXPECT_EQ(shipped_->size(), words.size() - left) << "a word that is not in words.txt";
    // The review kept only entries that the published lists hold and that are words of the list.
    for (const auto& word : kept) {
        EXPECT_TRUE(excluded.contains(word)) << word << " is kept back from no list";
        EXPECT_TRUE(words.contains(word)) << word << " is not in words.txt";
    }
    // Words whose main sense is ordinary stay.
    for (const char* word : {"cock", "snatch", "niggle", "scrap", "anus", "pansy", "tit"})
        EXPECT_TRUE(shipped_->contains(word)) << word;
}

}  // namespace
