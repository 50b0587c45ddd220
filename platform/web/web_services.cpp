// WebSound and WebShell over the page's JavaScript side, and the desktop they make up with WebUi
// and WebStore.
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "web.h"
#include "web_js.h"

namespace platform {

namespace {

// The file name of a path in the program folder: the page's folder holds the same files.
std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void WebSound::play(const std::string& path) { js_sound_play(fileNameOf(path).c_str()); }

void WebSound::stop() { js_sound_stop(); }

bool WebShell::open(const std::string& target, const std::string&) { return js_open(fileNameOf(target).c_str()) != 0; }

// ---- The desktop -------------------------------------------------------------------------------

struct Desktop::Parts {
    WebPlatform web;
    HeadlessClipboard clipboard;
};

Desktop::Desktop() : parts_(std::make_unique<Parts>()) {}
// The program is over: the page says so, with a way to start again.
Desktop::~Desktop() { js_page_ended(); }
bool Desktop::ok() const { return true; }
std::string Desktop::error() const { return {}; }
Services Desktop::services() {
    Services services = parts_->web.services();
    services.clipboard = &parts_->clipboard;
    return services;
}
Ui& Desktop::ui() { return parts_->web.ui; }

}  // namespace platform
