// The Windows desktop: the Win32 back end, with the settings store in the registry under
// HKEY_CURRENT_USER.
#include "platform/desktop.h"
#include "platform/registry_store.h"
#include "platform/win32.h"

namespace platform {

struct Desktop::Parts {
    Win32Platform win32;
    RegistryStore store;
};

Desktop::Desktop(const std::string&) : parts_(std::make_unique<Parts>()) {}
Desktop::~Desktop() = default;
bool Desktop::ok() const { return parts_->win32.ui.ok(); }
std::string Desktop::error() const { return parts_->win32.ui.error(); }
Services Desktop::services() { return parts_->win32.services(&parts_->store); }
Ui& Desktop::ui() { return parts_->win32.ui; }

}  // namespace platform
