// The instructions page through the desktop shell.
#include "game/ui/help.h"

#include "game/persistence/records_layout.h"
#include "game/ui/strings.h"
#include "platform/shell.h"
#include "platform/window.h"

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

std::string helpFileName(letters::Language language) {
    if (language == letters::Language::English) return kHelpFileName;
    return "Varnook-" + std::string(letters::info(language).code) + ".htm";
}

std::string helpNotOpened(const std::string& target) {
    return formatResString(StringId::HelpNotOpened, {"|1", target});
}

void showHelp(platform::Shell& shell, platform::Ui& ui, std::string_view programFolder, const std::string& target) {
    if (!shell.open(target, folderWithoutSeparator(programFolder)))
        ui.messageBox(persistence::records::kAppTitle, helpNotOpened(target));
}

void showHelp(platform::Shell& shell, platform::Ui& ui, const std::string& appPath, letters::Language language) {
    const std::string folder = folderWithoutSeparator(appPath);
    const std::string page = helpFileName(language);
    if (page != kHelpFileName && shell.open(appPath + page, folder)) return;
    showHelp(shell, ui, folder, appPath + kHelpFileName);
}

}  // namespace game::ui
