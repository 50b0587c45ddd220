// The languages the desktop's user reads, as the desktop names them.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The user's languages, most wanted first, as language tags ("fr", "de_CH.UTF-8", "pt-BR"): on
// Windows the user's UI language; elsewhere the message locale (LC_ALL, else LC_MESSAGES, else
// LANG), preceded by the list in LANGUAGE (colon-separated) unless the locale is C or POSIX, as
// gettext reads them. Empty when the desktop names none.
std::vector<std::string> desktopLanguages();

}  // namespace platform
