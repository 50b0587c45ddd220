// The Windows desktop: the Win32 back end, with the settings store in the registry under
// HKEY_CURRENT_USER, and the program folder's fonts loaded before any window is drawn.
#include "platform/desktop.h"
#include "platform/win32_clipboard.h"

#include <windows.h>

#include "platform/codepage.h"
#include "platform/registry_store.h"
#include "platform/win32.h"

namespace platform {

struct Desktop::Parts {
    Win32Platform win32;
    RegistryStore store;
    Win32Clipboard clipboard;
};

Desktop::Desktop() : parts_(std::make_unique<Parts>()) { loadProgramFonts(); }
Desktop::~Desktop() = default;
bool Desktop::ok() const { return parts_->win32.ui.ok(); }
std::string Desktop::error() const { return parts_->win32.ui.error(); }
Services Desktop::services() {
    Services services = parts_->win32.services(&parts_->store);
    services.clipboard = &parts_->clipboard;
    return services;
}
Ui& Desktop::ui() { return parts_->win32.ui; }

std::vector<std::string> Desktop::arguments(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(std::string_view(argv[i]) == "/?" ? "--help" : argv[i]);
    return args;
}

namespace {

bool usable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN; }

// The game's single-byte text as UTF-16, line feeds as the console and message boxes want them.
std::wstring wideLines(const std::string& text) {
    std::wstring out;
    for (const char c : text) {
        if (c == '\n') out.push_back(L'\r');
        out.push_back(static_cast<wchar_t>(codepage::toCodePoint(static_cast<unsigned char>(c))));
    }
    return out;
}

}  // namespace

void Desktop::showCommandLineText(const std::string& out, const std::string& err) {
    // Output the program was given (a redirection, a pipe, a terminal under wine) takes the bytes.
    const HANDLE givenOut = GetStdHandle(STD_OUTPUT_HANDLE), givenErr = GetStdHandle(STD_ERROR_HANDLE);
    if (usable(givenOut) || usable(givenErr)) {
        for (const auto& [text, handle] : {std::pair{&out, givenOut}, std::pair{&err, givenErr}}) {
            if (text->empty() || !usable(handle)) continue;
            DWORD written = 0;
            WriteFile(handle, text->data(), static_cast<DWORD>(text->size()), &written, nullptr);
        }
        return;
    }
    // Started from a console window: the text appears there, below the prompt it has shown again.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                           nullptr);
        if (usable(console)) {
            const std::wstring text = L"\r\n" + wideLines(out) + wideLines(err);
            DWORD written = 0;
            WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            CloseHandle(console);
            FreeConsole();
            return;
        }
        FreeConsole();
    }
    // Started from a shortcut or Explorer: a message box.
    const std::wstring text = wideLines(err.empty() ? out : err + (out.empty() ? "" : "\n" + out));
    MessageBoxW(nullptr, text.c_str(), L"Varnook", MB_OK | (err.empty() ? MB_ICONINFORMATION : MB_ICONERROR));
}

}  // namespace platform
