// "Look up": the word's page in the Wiktionary of the game's language, handed to the shell.
#include <gtest/gtest.h>

#include "game/ui/look_up.h"
#include "platform/headless.h"

namespace {

TEST(LookUp, TheWordsPageIsOpenedInLowerCaseUtf8AndABadWordOpensNothing) {
    using game::ui::wiktionaryAddress;
    EXPECT_EQ(wiktionaryAddress("en", "RUN"), "https://en.wiktionary.org/wiki/run");
    EXPECT_EQ(wiktionaryAddress("fr", "\xC9T\xC9"), "https://fr.wiktionary.org/wiki/%C3%A9t%C3%A9");
    EXPECT_EQ(wiktionaryAddress("de", "STRA\xDF" "E"), "https://de.wiktionary.org/wiki/stra%C3%9Fe");
    EXPECT_EQ(wiktionaryAddress("fr", "\x8C" "UF"), "https://fr.wiktionary.org/wiki/%C5%93uf");
    for (const char* bad : {"", "A B", "A/B", "RUN?", "\x80"}) EXPECT_EQ(wiktionaryAddress("en", bad), "") << bad;
    EXPECT_EQ(wiktionaryAddress("EN", "RUN"), "");
    EXPECT_EQ(wiktionaryAddress("e", "RUN"), "");

    platform::HeadlessShell shell;
    EXPECT_TRUE(game::ui::lookUpWord(shell, game::ui::kDictionaryLanguage, "Brae"));
    EXPECT_FALSE(game::ui::lookUpWord(shell, "en", "a?b"));
    shell.setOpens(false);
    EXPECT_FALSE(game::ui::lookUpWord(shell, "en", "cat"));
    ASSERT_EQ(shell.requests().size(), 2u);
    EXPECT_EQ(shell.requests()[0].target, "https://en.wiktionary.org/wiki/brae");
}

}  // namespace
