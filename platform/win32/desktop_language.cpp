// The user's UI language from Windows.
#include <windows.h>

#include "platform/desktop_language.h"

namespace platform {

std::vector<std::string> desktopLanguages() {
    // The language of the user's Windows interface, by its ISO 639 name ("fr", "de").
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, name, LOCALE_NAME_MAX_LENGTH) <= 0) return {};
    std::string tag;
    for (const wchar_t* c = name; *c != 0; ++c)
        if (*c < 0x80) tag += static_cast<char>(*c);
    if (tag.empty()) return {};
    return {tag};
}

}  // namespace platform
