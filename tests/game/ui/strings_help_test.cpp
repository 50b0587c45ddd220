// The string table, placeholder filling, the strict region test and opening the instructions page.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/ui/box_info.h"
#include "game/ui/help.h"
#include "game/ui/side_panel.h"
#include "game/ui/strings.h"
#include "platform/headless.h"

namespace {

using namespace game::ui;

// The entry of a number, as callers that compute numbers (60 + item, 80 + entry, ...) ask for it.
constexpr StringId S(int number) { return static_cast<StringId>(number); }

TEST(StringTable, TextsAreExactAndNumbersUnique) {
    EXPECT_EQ(loadResString(S(85)), "INSTRUCTTIONS");
    EXPECT_EQ(loadResString(S(200)), "Back to Main Menu ");
    EXPECT_EQ(loadResString(S(112)),
              "You qualified for the next level \n with |1 seconds to spare\n and you get |2 bonus points ");
    EXPECT_EQ(loadResString(S(60 + 13)), "Show Solution");
    EXPECT_EQ(loadResString(S(80 + 3)), "HALL OF FAME - CLASSIC");
    EXPECT_EQ(loadResString(S(230 + 2)), "No thanks");
    EXPECT_EQ(loadResString(S(999)), "");
    EXPECT_EQ(loadResString(S(63)), "");

    std::set<int> numbers;
    for (const ResString& e : kStringTable) {
        const int number = static_cast<int>(e.id);
        EXPECT_TRUE(numbers.insert(number).second) << number;
    }
    EXPECT_EQ(StringId::MenuInstructions, S(85));
    EXPECT_EQ(offsetString(StringId::MenuClassic, 5), StringId::MenuExit);
}

TEST(FormatResString, FillsNumbersAndLeavesTheRestAsWritten) {
    EXPECT_EQ(formatResString(S(212), {"|1", 10}), "10 points");
    EXPECT_EQ(formatResString(S(115), {"|1", 4, "|2", 512}), "Game Over \n Level reached 4 \n Points Scored 512");
    EXPECT_EQ(formatResString(S(111), {"|1", 12, "|2", 40, "|3", 300, "|4", 37.5}),
              "You found 12 of 40 words \n Your score of 300 is \n37.5 percent of maximum score possible.");
    EXPECT_EQ(formatResString(S(110), {"|1", std::string("all 57")}), "Congrats ! You have found all the all 57 words");
}

TEST(StringTable, TheFoundStatisticsReadAsBeforeAndInTheLanguageOfTheTexts) {
    EXPECT_EQ(statsRowText(3, 1, 2), " 3 Letter 1/2");
    EXPECT_EQ(statsHeaderText(true, 3, 31), " - Found 3 / 31");
    EXPECT_EQ(statsHeaderText(false, 0, 0), " + Found 0 / 0");
    setTextLanguage("fr");
    EXPECT_EQ(statsRowText(3, 1, 2), " 3 lettres 1/2");
    EXPECT_EQ(loadResString(S(85)), "R\xC8GLES DU JEU");
    setTextLanguage("xx");
    EXPECT_EQ(textLanguage(), "en") << "a code without a catalogue shows English";
    EXPECT_EQ(statsHeaderText(false, 0, 0), " + Found 0 / 0");
}

TEST(FormatResString, MissingKeysAndEmptyArgumentsLeaveTheText) {
    EXPECT_EQ(formatResString(S(212), {"|3", 10}), "|1 points");
    EXPECT_EQ(formatResString(S(115), {}), "Game Over \n Level reached |1 \n Points Scored |2");
    EXPECT_EQ(formatResString(S(210), {"|1", 5}), "Word Already in the list");
    EXPECT_EQ(formatResString(S(999), {"|1", 5}), "");
}

TEST(FormatResString, OddLengthTakesThePreviousValue) {
    EXPECT_EQ(formatResString(S(115), {"|1", 7, "|2"}), "Game Over \n Level reached 7 \n Points Scored 7");
    EXPECT_EQ(formatResString(S(212), {"|1"}), " points");
    const std::vector<ResArg> args{"|1", 3};
    EXPECT_EQ(formatResString(S(212), args), "3 points");
}

TEST(FormatResString, EveryOccurrenceIsReplaced) {
    EXPECT_EQ(fillPlaceholders("|1 and |1, |2", std::vector<ResArg>{"|1", "x", "|2", "y"}), "x and x, y");
    // A value that contains its own key is put in once per occurrence instead of looping forever.
    EXPECT_EQ(fillPlaceholders("a|1b|1", std::vector<ResArg>{"|1", "<|1>"}), "a<|1>b<|1>");
    EXPECT_EQ(fillPlaceholders("abc", std::vector<ResArg>{"", "x"}), "abc");
}

TEST(ResArg, NumbersArePlainDecimals) {
    EXPECT_EQ(ResArg(-42).toString(), "-42");
    EXPECT_EQ(ResArg(std::int16_t{300}).toString(), "300");
    EXPECT_EQ(ResArg(2147483647LL * 4).toString(), "8589934588");
    EXPECT_EQ(ResArg(37.5).toString(), "37.5");
    EXPECT_EQ(ResArg(100.0).toString(), "100");
    EXPECT_EQ(ResArg(-0.25).toString(), "-0.25");
    EXPECT_EQ(ResArg(0.1 + 0.2).toString(), "0.3");
    EXPECT_EQ(ResArg(100.0 / 3).toString(), "33.3333333333333");
    EXPECT_EQ(ResArg(1e20).toString(), "100000000000000000000");
    EXPECT_EQ(ResArg(0.000125).toString(), "0.000125");
    EXPECT_EQ(ResArg(-0.0).toString(), "0");
}

TEST(HitTest, BorderLinesBelongToNoRegion) {
    const BoxInfo box{nullptr, 10, 20, 30, 40};
    EXPECT_TRUE(hitTest(box, 25, 40));
    EXPECT_TRUE(hitTest(box, 10.01, 20.01));
    EXPECT_TRUE(hitTest(box, 39.99, 59.99));
    for (double y : {20.0, 40.0, 60.0}) {
        EXPECT_FALSE(hitTest(box, 10, y)) << y;  // left line
        EXPECT_FALSE(hitTest(box, 40, y)) << y;  // right line
    }
    for (double x : {10.0, 25.0, 40.0}) {
        EXPECT_FALSE(hitTest(box, x, 20)) << x;  // top line
        EXPECT_FALSE(hitTest(box, x, 60)) << x;  // bottom line
    }
    EXPECT_FALSE(hitTest(box, 9, 40));
    EXPECT_FALSE(hitTest(box, 25, 61));
}

TEST(ShowHelp, OpensTheTargetFromTheProgramFolderEachTime) {
    platform::HeadlessPlatform hp;
    showHelp(hp.shell, hp.ui, "/opt/varnook/", "/opt/varnook/Varnook.htm");
    showHelp(hp.shell, hp.ui, "/opt/varnook/", "/opt/varnook/Varnook.htm");
    ASSERT_EQ(hp.shell.requests().size(), 2u);
    EXPECT_EQ(hp.shell.requests()[0].target, "/opt/varnook/Varnook.htm");
    EXPECT_EQ(hp.shell.requests()[0].directory, "/opt/varnook");
    EXPECT_EQ(hp.shell.requests()[1].target, hp.shell.requests()[0].target);
    EXPECT_TRUE(hp.ui.messages().empty());

    EXPECT_EQ(folderWithoutSeparator("C:\\Games\\Varnook\\"), "C:\\Games\\Varnook");
    EXPECT_EQ(folderWithoutSeparator("/opt/varnook"), "/opt/varnook");
    EXPECT_EQ(folderWithoutSeparator("/"), "/");
    EXPECT_EQ(folderWithoutSeparator("C:\\"), "C:\\");
}

TEST(ShowHelp, TheBoardsLanguageHasItsOwnPageAndAFolderWithoutItGivesTheEnglishOne) {
    using game::letters::Language;
    platform::HeadlessPlatform hp;
    showHelp(hp.shell, hp.ui, "/opt/varnook/", Language::German);
    showHelp(hp.shell, hp.ui, "/opt/varnook/", Language::English);
    ASSERT_EQ(hp.shell.requests().size(), 2u);
    EXPECT_EQ(hp.shell.requests()[0].target, "/opt/varnook/Varnook-de.htm");
    EXPECT_EQ(hp.shell.requests()[0].directory, "/opt/varnook");
    EXPECT_EQ(hp.shell.requests()[1].target, "/opt/varnook/Varnook.htm");

    // The shell refuses every page here: the language's, then the English one, which is named.
    platform::HeadlessPlatform refusing;
    refusing.shell.setOpens(false);
    showHelp(refusing.shell, refusing.ui, "/opt/varnook/", Language::Portuguese);
    ASSERT_EQ(refusing.shell.requests().size(), 2u);
    EXPECT_EQ(refusing.shell.requests()[0].target, "/opt/varnook/Varnook-pt.htm");
    EXPECT_EQ(refusing.shell.requests()[1].target, "/opt/varnook/Varnook.htm");
    ASSERT_EQ(refusing.ui.messages().size(), 1u);
    EXPECT_EQ(refusing.ui.messages()[0].text, helpNotOpened("/opt/varnook/Varnook.htm"));
}

TEST(ShowHelp, APageThatCannotBeOpenedIsNamedInAMessageBox) {
    platform::HeadlessPlatform hp;
    hp.shell.setOpens(false);
    showHelp(hp.shell, hp.ui, "/usr/lib/varnook/", "/usr/lib/varnook/Varnook.htm");
    ASSERT_EQ(hp.ui.messages().size(), 1u);
    EXPECT_EQ(hp.ui.messages()[0].caption, "Varnook");
    EXPECT_NE(hp.ui.messages()[0].text.find("\n/usr/lib/varnook/Varnook.htm\n"), std::string::npos)
        << hp.ui.messages()[0].text;
    EXPECT_EQ(hp.ui.messages()[0].text, game::ui::helpNotOpened("/usr/lib/varnook/Varnook.htm"));
}

}  // namespace
