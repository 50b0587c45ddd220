// Opening the instructions page "Varnook.htm" with the program the desktop associates with it.
#pragma once

#include <string>
#include <string_view>

namespace platform {
class Shell;
}

namespace game::ui {

constexpr const char* kHelpFileName = "Varnook.htm";

// Hands target to the shell, with the program folder (without a trailing separator) as the working
// folder, and returns at once. Nothing is reported if the page is missing.
void showHelp(platform::Shell& shell, std::string_view programFolder, const std::string& target);

// The program folder as the platform reports it: no trailing separator, except for a root folder.
std::string folderWithoutSeparator(std::string_view folder);

}  // namespace game::ui
