// The common words and the definitions beside the dictionary: the files the build makes, read by
// the game (forms resolved to their base word), and damaged files that must cost nothing but themselves.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/play/word_notes.h"

namespace {

using game::CommonWords;
using game::Definitions;

std::vector<std::uint8_t> programFile(const char* name) {
    std::ifstream in(std::string(VARNOOK_BIN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name << " is missing from the program folder";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(WordNotes, TheBuiltCommonWordsHoldEverydayWordsAndNotRareOnes) {
    const CommonWords common = CommonWords::parse(programFile(game::kCommonWordsFileName));
    for (const char* word : {"CAT", "HOUSE", "WATER", "RUNNING"}) EXPECT_TRUE(common.contains(word)) << word;
    // Words an ordinary adult does not know, and a word the dictionary leaves out.
    for (const char* word : {"TOERAG", "BRAE", "TALI", "STRATI", "PULING", "FUCK"})
        EXPECT_FALSE(common.contains(word)) << word;
}

TEST(WordNotes, TheBuiltDefinitionsResolveFormsToTheirBaseWord) {
    const Definitions defs = Definitions::parse(programFile(game::kDefinitionsFileName));
    ASSERT_GT(defs.size(), 30000u);

    const auto run = defs.lookup("run");
    ASSERT_TRUE(run);
    EXPECT_EQ(run->word, "RUN");
    EXPECT_EQ(run->base, "");
    ASSERT_FALSE(run->glosses.empty());
    // An irregular form, a plural, a doubled consonant, a comparative.
    for (const auto& [form, base] : {std::pair{"RAN", "RUN"}, {"CATS", "CAT"}, {"HOPPING", "HOP"}, {"HAPPIER", "HAPPY"}}) {
        const auto d = defs.lookup(form);
        ASSERT_TRUE(d) << form;
        EXPECT_EQ(d->base, base) << form;
        EXPECT_FALSE(d->glosses.empty()) << form;
    }
    EXPECT_EQ(defs.lookup("RAN")->glosses[0].text, run->glosses[0].text);
    EXPECT_FALSE(defs.lookup("QZXQ"));
    EXPECT_FALSE(defs.lookup(""));
}

// A small file of each kind of line, cut at every length and with every byte changed: the table is
// either the whole file's or empty, and whatever it answers is well-formed.
TEST(WordNotes, ADamagedDefinitionsFileGivesNoDefinitionsNeverAPartOrACrash) {
    const auto good = Definitions::encode({{"CAT", "", {{'n', "a small feline"}, {'v', "to vomit"}}},
                                           {"CATS", "CAT", {}},
                                           {"OXEN", "OX", {{'n', "a bovine"}}}});
    ASSERT_TRUE(good);
    ASSERT_EQ(Definitions::parse(*good).size(), 3u);
    EXPECT_EQ(Definitions::parse(*good).lookup("cats")->glosses[1].text, "to vomit");

    for (std::size_t len = 0; len < good->size(); ++len) {
        const std::vector<std::uint8_t> cut(good->begin(), good->begin() + static_cast<std::ptrdiff_t>(len));
        EXPECT_EQ(Definitions::parse(cut).size(), 0u) << "cut at " << len;
    }
    for (std::size_t at = 0; at < good->size(); ++at)
        for (const std::uint8_t value : {std::uint8_t{0}, std::uint8_t{'\t'}, std::uint8_t{'\n'}, std::uint8_t{'A'},
                                         std::uint8_t{0xFF}}) {
            auto damaged = *good;
            if (damaged[at] == value) continue;
            damaged[at] = value;
            const Definitions defs = Definitions::parse(damaged);
            for (const char* word : {"CAT", "CATS", "OXEN", "CAU", "CAA"})
                if (const auto d = defs.lookup(word)) {
                    EXPECT_FALSE(d->glosses.empty()) << at;
                    for (const auto& gloss : d->glosses) EXPECT_FALSE(gloss.text.empty()) << at;
                }
        }

    // A form whose base has no entry, and a form of itself, are refused when written.
    EXPECT_FALSE(Definitions::encode({{"CATS", "CAT", {}}}));
    EXPECT_FALSE(Definitions::encode({{"CAT", "CAT", {{'n', "a cat"}}}}));
    EXPECT_FALSE(Definitions::encode({{"CAT", "", {{'x', "a cat"}}}}));
}

TEST(WordNotes, ADamagedCommonWordsLineCostsOnlyItsWord) {
    const CommonWords common = CommonWords::parse(bytes("CAT\r\nD\xC9J\xC0\nDO\nHOUSE\nWA TER\nTOOLONGWORDS\nDOG"));
    EXPECT_EQ(common.size(), 3u);
    EXPECT_TRUE(common.contains("CAT"));
    EXPECT_TRUE(common.contains("HOUSE"));
    EXPECT_TRUE(common.contains("DOG"));
}

}  // namespace
