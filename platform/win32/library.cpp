// SharedLibrary over LoadLibraryA/GetProcAddress, and the program folder from GetModuleFileNameA.
#include "platform/library.h"

#include <windows.h>

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

}  // namespace

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string* error) {
    // No "cannot find the DLL" dialog from the system: the caller reports the failure itself.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE handle = LoadLibraryA(path.c_str());
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
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return ".\\";
        if (n < buffer.size()) {
            std::string path(buffer.data(), n);
            const auto slash = path.find_last_of("\\/");
            return slash == std::string::npos ? ".\\" : path.substr(0, slash) + "\\";
        }
        buffer.resize(buffer.size() * 2);  // the path was cut short; try a bigger buffer
    }
}

}  // namespace platform
