// Loading a shared library by path at run time and finding its exports by name.
#pragma once

#include <memory>
#include <string>

namespace platform {

class SharedLibrary {
public:
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads the library; nullptr (and the reason in *error) when it cannot be loaded.
    static std::unique_ptr<SharedLibrary> open(const std::string& path, std::string* error = nullptr);
    // The address of an export, or nullptr.
    void* symbol(const char* name) const;

    // The file name a library called name has on this system ("libQXDLL.so" for "QXDLL").
    static std::string fileName(const std::string& name);

    // Only open() can make the key, so only open() makes libraries.
    class Key {
        friend class SharedLibrary;
        Key() = default;
    };
    SharedLibrary(Key, void* handle) : handle_(handle) {}

private:
    void* handle_;
};

// The folder of the running program file, with a trailing separator.
std::string programFolder();

}  // namespace platform
