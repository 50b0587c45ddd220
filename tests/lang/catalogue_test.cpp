// A translation file is read as gettext writes it, and every way it can lag behind the English
// table or break a text is reported with its line, while what is sound is kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue_builder.h"

namespace {

using mkcatalogue::EnglishText;

const std::vector<EnglishText> kEnglish{
    {"Points", "|1 points"}, {"GameOver", "Game Over \n Level reached |1 \n Points Scored |2"},
    {"Yes", "Yes"},          {"NoThanks", "No thanks"},
    {"Exit", "EXIT"},        {"Clear", "Clear"},
    {"Enter", "Enter"},      {"Missing", "Not in the file"},
};

// An entry of each kind, in UTF-8 as the files are written.
constexpr const char* kFile = R"(# German
msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

msgctxt "Points"
msgid "|1 points"
msgstr "|1 Punkte"

msgctxt "GameOver"
msgid ""
"Game Over \n"
" Level reached |1 \n"
" Points Scored |2"
msgstr ""
"Spiel vorbei \n"
" Erreichtes Level |1 \n"
" Erzielte Punkte |2"

msgctxt "Yes"
msgid "Yes"
msgstr "Ja \"gern\" →"

msgctxt "NoThanks"
msgid "No thanks "
msgstr "Nein danke"

#, fuzzy
msgctxt "Exit"
msgid "EXIT"
msgstr "BEENDEN"

msgctxt "Clear"
msgid "Clear"
msgstr "Löschen |1"

msgctxt "Enter"
msgid "Enter"
msgstr "Eingabe\n"

msgctxt "Nowhere"
msgid "Whatever"
msgstr "Irgendwas"

msgctxt "Points"
msgid "|1 points"
msgstr "|1 Zähler"
)";

bool reported(const std::vector<std::string>& errors, const std::string& part) {
    return std::any_of(errors.begin(), errors.end(),
                       [&](const std::string& e) { return e.find(part) != std::string::npos; });
}

TEST(Catalogue, ReadsTheFileAndReportsEveryEntryThatLagsOrBreaksItsText) {
    std::vector<std::string> errors;
    const auto entries = mkcatalogue::parsePo(kFile, "de.po", errors);
    ASSERT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(entries.size(), 9u) << "the header is no entry";
    EXPECT_EQ(entries[1].id, kEnglish[1].text) << "continuation lines join";
    EXPECT_TRUE(entries[4].fuzzy);

    const auto de = mkcatalogue::checkLanguage("de", entries, kEnglish, "de.po", errors);
    EXPECT_EQ(de.texts[0], "|1 Punkte");
    EXPECT_EQ(de.texts[1], "Spiel vorbei \n Erreichtes Level |1 \n Erzielte Punkte |2");
    EXPECT_EQ(de.texts[4], "") << "a fuzzy translation is shown in English";

    EXPECT_TRUE(reported(errors, "de.po:20: 'Yes' has a character that Windows-1252 does not have"));
    EXPECT_TRUE(reported(errors, "de.po:24: the English text of 'NoThanks' is now \"No thanks\""));
    EXPECT_TRUE(reported(errors, "'Clear' has other placeholders than its English text"));
    EXPECT_TRUE(reported(errors, "'Enter' has 1 line breaks, its English text 0"));
    EXPECT_TRUE(reported(errors, "no English text is named 'Nowhere'"));
    EXPECT_TRUE(reported(errors, "'Points' is given twice"));
    EXPECT_TRUE(reported(errors, "de.po: no entry for 'Missing' (\"Not in the file\")"));
    EXPECT_EQ(errors.size(), 7u);
    EXPECT_EQ(de.texts[2], "") << "a refused translation is shown in English";
}

TEST(Catalogue, TextsBecomeWindows1252AndTheSourceWritesEveryByteAsItIs) {
    std::string bytes;
    ASSERT_TRUE(
        mkcatalogue::toWindows1252("Fran\xC3\xA7"
                                   "ais \xE2\x82\xAC \xC5\x93",
                                   bytes));
    EXPECT_EQ(bytes,
              "Fran\xE7"
              "ais \x80 \x9C");
    EXPECT_FALSE(mkcatalogue::toWindows1252("\xE2\x86\x92", bytes)) << "no arrow in the code page";
    EXPECT_FALSE(mkcatalogue::toWindows1252("\xC3", bytes)) << "a cut sequence";

    const std::vector<mkcatalogue::Language> languages{{"fr",
                                                        {"Fran\xE7"
                                                         "ais",
                                                         "", "a \"b\" \\ \n1"}}};
    const std::string source = mkcatalogue::catalogueSource(languages, 3);
    EXPECT_NE(source.find(R"("Fran\347ais",)"), std::string::npos) << source;
    EXPECT_NE(source.find(R"("a \"b\" \\ \0121",)"), std::string::npos) << "octal escapes end after three digits";
    EXPECT_NE(source.find(R"({"fr", k_fr})"), std::string::npos);
}

}  // namespace
