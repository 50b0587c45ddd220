// Loading a shared library by path at run time and finding its exports by name.
#pragma once

#include <filesystem>
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

// The folder of the running program file, with a trailing separator. On Windows it is UTF-8, taken
// from the system's wide-character name, so that a folder named in any script works.
std::string programFolder();

// A path the game keeps as a string, as the file system's calls take it: on Windows UTF-8 becomes
// UTF-16, and a string that is no UTF-8 is read in the ANSI code page; elsewhere the bytes as they are.
std::filesystem::path filePath(const std::string& path);

}  // namespace platform
