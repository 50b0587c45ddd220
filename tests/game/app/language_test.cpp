// The language at start: the desktop's languages as gettext reads the locale variables, the first
// one Varnook plays, else English.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game/play/letters.h"
#include "platform/desktop_language.h"

namespace {

using game::letters::Language;
using Tags = std::vector<std::string>;

TEST(DesktopLanguage, TheLocaleVariablesInGettextsOrderPickTheFirstLanguageVarnookPlays) {
    struct Case {
        const char *language, *lcAll, *lcMessages, *lang;
        Tags tags;
        Language played;
    };
    const std::vector<Case> cases = {
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", {"de_DE.UTF-8"}, Language::German},
        {nullptr, nullptr, "pt_BR.UTF-8", "de_DE.UTF-8", {"pt_BR.UTF-8"}, Language::Portuguese},
        {nullptr, "es_ES@euro", "pt_BR.UTF-8", "de_DE.UTF-8", {"es_ES@euro"}, Language::Spanish},
        {"sv:nl::fr", nullptr, nullptr, "it_IT.UTF-8", {"sv", "nl", "fr", "it_IT.UTF-8"}, Language::Dutch},
        {"fr", nullptr, nullptr, "C.UTF-8", {}, Language::English},  // the C locale is untranslated
        {nullptr, nullptr, nullptr, "sv_SE.UTF-8", {"sv_SE.UTF-8"}, Language::English},
        {nullptr, nullptr, nullptr, nullptr, {}, Language::English},
    };
    for (const Case& c : cases) {
        for (const auto& [name, value] : {std::pair{"LANGUAGE", c.language}, std::pair{"LC_ALL", c.lcAll},
                                          std::pair{"LC_MESSAGES", c.lcMessages}, std::pair{"LANG", c.lang}}) {
            if (value != nullptr)
                setenv(name, value, 1);
            else
                unsetenv(name);
        }
        const Tags tags = platform::desktopLanguages();
        EXPECT_EQ(tags, c.tags) << (c.lang ? c.lang : "no LANG");
        EXPECT_EQ(game::letters::fromDesktop(tags), c.played) << (c.lang ? c.lang : "no LANG");
    }
}

}  // namespace
