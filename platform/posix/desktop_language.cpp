// The user's languages from the locale environment variables.
#include "platform/desktop_language.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

std::string_view variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::vector<std::string> desktopLanguages() {
    std::string_view locale = variable("LC_ALL");
    if (locale.empty()) locale = variable("LC_MESSAGES");
    if (locale.empty()) locale = variable("LANG");
    // The C locale means untranslated messages, whatever LANGUAGE says.
    if (locale.empty() || locale == "C" || locale.starts_with("C.") || locale == "POSIX") return {};
    std::vector<std::string> languages;
    std::string_view list = variable("LANGUAGE");
    while (!list.empty()) {
        const std::size_t colon = std::min(list.find(':'), list.size());
        if (colon > 0) languages.emplace_back(list.substr(0, colon));
        list.remove_prefix(std::min(colon + 1, list.size()));
    }
    languages.emplace_back(locale);
    return languages;
}

}  // namespace platform
