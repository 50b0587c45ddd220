// The instructions page through the desktop shell.
#include "game/ui/help.h"

#include "platform/shell.h"

namespace game::ui {

namespace {
bool isSeparator(char c) { return c == '/' || c == '\\'; }
}  // namespace

std::string folderWithoutSeparator(std::string_view folder) {
    // "/" and "C:\" are roots and keep their separator.
    const bool root = folder.size() == 1 || (folder.size() == 3 && folder[1] == ':');
    if (!folder.empty() && isSeparator(folder.back()) && !root) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

void showHelp(platform::Shell& shell, std::string_view programFolder, const std::string& target) {
    shell.open(target, folderWithoutSeparator(programFolder));
}

}  // namespace game::ui
