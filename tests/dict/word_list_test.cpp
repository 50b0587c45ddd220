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
#include "game/play/letters.h"

namespace {

namespace mk = varnook::mkdict;
using Words = std::set<std::string>;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string source(const std::string& name) { return std::string(VARNOOK_DICT_SOURCE_DIR) + "/" + name; }

std::vector<std::uint8_t> readBytes(const std::string& path) {
    const std::string bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}

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

// Each language's dictionary as the build compiles it from its list: real words of the list written
// with the language's board letters (accents folded, its own letters kept, ß as ss), nothing but
// those letters in the whole dictionary and in its letter pool, the offensive words out and the
// reviewed ones in.
struct LanguageCase {
    game::letters::Language language;
    std::vector<std::pair<std::string, std::string>> spellings;  // a word of the list, its board letters
    std::string leftOut;                                          // an offensive word of the list
    std::string keptBack;                                         // a listed one kept on review, as compiled
};

void PrintTo(const LanguageCase& c, std::ostream* out) { *out << game::letters::info(c.language).code; }

class LanguageDictionary : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageDictionary, WritesRealWordsWithTheLanguagesLetters) {
    const LanguageCase& c = GetParam();
    const auto& info = game::letters::info(c.language);
    const std::string code(info.code);
    const auto file = readBytes(std::string(VARNOOK_BIN_DIR) + "/" + std::string(info.dictionary));
    ASSERT_GT(file.size(), 256u);
    const Words dictionary = wordsOf(file);
    const auto listed = mk::parseWordList(readFile(source(code + "/words.txt"))).words;
    const Words list(listed.begin(), listed.end());

    for (const auto& [spelling, letters] : c.spellings) {
        EXPECT_TRUE(list.contains(spelling)) << spelling << " is not a word of the " << code << " list";
        EXPECT_TRUE(dictionary.contains(letters)) << spelling;
        if (spelling != letters) {
            EXPECT_FALSE(dictionary.contains(spelling)) << spelling << " kept its UTF-8 bytes";
        }
    }
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz" + std::string(info.kept);
    for (const auto& word : dictionary) {
        ASSERT_EQ(word.find_first_not_of(alphabet), std::string::npos) << code << ": " << word;
        ASSERT_GE(word.size(), mk::kMinWordLength) << code << ": " << word;
    }
    for (std::size_t byte = 0; byte < 256; ++byte)
        if (file[byte] != 0) {
            EXPECT_TRUE(byte != 0 && alphabet.find(static_cast<char>(byte)) != std::string::npos)
                << code << ": weight of byte " << byte;
        }
    for (const char letter : info.kept) EXPECT_GT(file[static_cast<unsigned char>(letter)], 0) << code;

    EXPECT_TRUE(list.contains(c.leftOut));
    EXPECT_FALSE(dictionary.contains(*game::letters::foldWord(c.language, c.leftOut))) << c.leftOut;
    EXPECT_TRUE(dictionary.contains(c.keptBack)) << c.keptBack;
}

using game::letters::Language;
INSTANTIATE_TEST_SUITE_P(
    Languages, LanguageDictionary,
    ::testing::Values(
        LanguageCase{Language::French, {{"garçon", "garcon"}, {"élève", "eleve"}, {"forêt", "foret"}}, "salope", "pedale"},
        LanguageCase{Language::German,
                     {{"Straße", "strasse"}, {"Bäume", "b\xE4ume"}, {"übel", "\xFC" "bel"}},
                     "Schlampen",
                     "nippel"},
        LanguageCase{Language::Spanish,
                     {{"año", "a\xF1o"}, {"canción", "cancion"}, {"pingüino", "pinguino"}},
                     "mierda",
                     "martillo"},
        LanguageCase{Language::Italian, {{"città", "citta"}, {"perché", "perche"}}, "cazzo", "finocchio"},
        LanguageCase{Language::Dutch, {{"ijs", "ijs"}, {"ruïne", "ruine"}, {"één", "een"}}, "klootzak", "nicht"},
        LanguageCase{Language::Portuguese, {{"coração", "coracao"}, {"pão", "pao"}}, "merda", "cerveja"}),
    [](const ::testing::TestParamInfo<LanguageCase>& test) {
        return std::string(game::letters::info(test.param.language).code);
    });

}  // namespace
