// The Linux desktop: the SDL back end, with the settings store in a file under XDG_CONFIG_HOME.
#include "platform/desktop.h"
#include "platform/sdl_clipboard.h"

#include <cstdio>

#include "platform/codepage.h"
#include "platform/sdl.h"
#include "platform/store/file_store.h"

namespace platform {

struct Desktop::Parts {
    SdlPlatform sdl;
    FileStore store{FileStore::defaultFolder()};
    SdlClipboard clipboard;
};

Desktop::Desktop() : parts_(std::make_unique<Parts>()) {}
Desktop::~Desktop() = default;
bool Desktop::ok() const { return parts_->sdl.ui.ok(); }
std::string Desktop::error() const { return parts_->sdl.ui.error(); }
Services Desktop::services() {
    Services services = parts_->sdl.services(&parts_->store);
    services.clipboard = &parts_->clipboard;
    return services;
}
Ui& Desktop::ui() { return parts_->sdl.ui; }

std::vector<std::string> Desktop::arguments(int argc, const char* const* argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void Desktop::showCommandLineText(const std::string& out, const std::string& err) {
    // The game's texts are Windows-1252; the terminal takes UTF-8.
    std::fputs(codepage::toUtf8(out).c_str(), stdout);
    std::fputs(codepage::toUtf8(err).c_str(), stderr);
}

}  // namespace platform
