// SharedLibrary over dlopen/dlsym, and the program folder from /proc/self/exe.
#include "platform/library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace platform {

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string* error) {
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* why = dlerror();
            *error = why != nullptr ? why : "cannot load " + path;
        }
        return nullptr;
    }
    return std::make_unique<SharedLibrary>(Key{}, handle);
}

void* SharedLibrary::symbol(const char* name) const { return handle_ != nullptr ? dlsym(handle_, name) : nullptr; }

std::string SharedLibrary::fileName(const std::string& name) { return "lib" + name + ".so"; }

std::string programFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return "./";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            std::string path(buffer.data(), static_cast<std::size_t>(n));
            const auto slash = path.rfind('/');
            return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);  // the path was cut short; try a bigger buffer
    }
}

std::filesystem::path filePath(const std::string& path) { return std::filesystem::path(path); }

}  // namespace platform
