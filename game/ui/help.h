// Opening the instructions page "Varnook.htm" (or the page of the board's language) with the program
// the desktop associates with it.
#pragma once

#include <string>
#include <string_view>

#include "game/play/letters.h"

namespace platform {
class Shell;
class Ui;
}  // namespace platform

namespace game::ui {

constexpr const char* kHelpFileName = "Varnook.htm";

// The instructions page of a language in the program folder: kHelpFileName for English,
// "Varnook-fr.htm" and so on for the others.
std::string helpFileName(letters::Language language);

// Hands target to the shell, with the program folder (without a trailing separator) as the working
// folder, and returns at once. When it cannot be handed to a program (the page is missing, nothing
// opens such files), a message box captioned with the application title says where the page is.
void showHelp(platform::Shell& shell, platform::Ui& ui, std::string_view programFolder, const std::string& target);

// The page of the language from the program folder (appPath ends with a separator); when the shell
// cannot open it (a folder without that page), the English page as showHelp opens it.
void showHelp(platform::Shell& shell, platform::Ui& ui, const std::string& appPath, letters::Language language);

// The message box text for a page that could not be opened.
std::string helpNotOpened(const std::string& target);

// The program folder as the platform reports it: no trailing separator, except for a root folder.
std::string folderWithoutSeparator(std::string_view folder);

}  // namespace game::ui
