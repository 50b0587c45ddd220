// SharedLibrary over LoadLibraryW/GetProcAddress, the program folder from GetModuleFileNameW, and the
// game's UTF-8 paths as the wide-character calls take them.
#include "platform/library.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace platform {

namespace {

// The system's text for an error code, without its line break.
std::string systemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD n =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n > 0 && text != nullptr ? std::string(text, n) : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

// Text in a code page as UTF-16; nothing when it is not valid there.
std::optional<std::wstring> wideFrom(const std::string& text, UINT codePage, DWORD flags) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string utf8From(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::filesystem::path filePath(const std::string& path) {
    if (auto wide = wideFrom(path, CP_UTF8, MB_ERR_INVALID_CHARS)) return std::filesystem::path(*wide);
    return std::filesystem::path(wideFrom(path, CP_ACP, 0).value_or(std::wstring()));
}

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string* error) {
    // No "cannot find the DLL" dialog from the system: the caller reports the failure itself.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE handle = LoadLibraryW(filePath(path).c_str());
    const DWORD code = GetLastError();
    SetErrorMode(oldMode);
    if (handle == nullptr) {
        if (error != nullptr) *error = path + ": " + systemMessage(code);
        return nullptr;
    }
    return std::make_unique<SharedLibrary>(Key{}, handle);
}

void* SharedLibrary::symbol(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

std::string SharedLibrary::fileName(const std::string& name) { return name + ".dll"; }

std::string programFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return ".\\";
        if (n < buffer.size()) {
            const std::wstring path(buffer.data(), n);
            const auto slash = path.find_last_of(L"\\/");
            return slash == std::wstring::npos ? ".\\" : utf8From(path.substr(0, slash)) + "\\";
        }
        buffer.resize(buffer.size() * 2);  // the path was cut short; try a bigger buffer
    }
}

}  // namespace platform
