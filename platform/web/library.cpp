// SharedLibrary in the web build: the engine is linked into the program, so "loading" it finds its
// exports in a table by name. A library of any other name cannot be loaded.
#include <cstring>

#include "platform/library.h"
#include "qxdll.h"

namespace platform {

namespace {

constexpr const char* kLinkedLibrary = "QXDLL";

struct LinkedExport {
    const char* name;
    void* address;
};
#define QXDLL_ENTRY(result, name, params, fnType) LinkedExport{#name, reinterpret_cast<void*>(&::name)},
const LinkedExport kLinkedExports[] = {QXDLL_EXPORT_LIST(QXDLL_ENTRY)};
#undef QXDLL_ENTRY

}  // namespace

SharedLibrary::~SharedLibrary() = default;

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string* error) {
    const std::size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    if (file != fileName(kLinkedLibrary)) {
        if (error != nullptr) *error = "no library " + file + " is linked into this program";
        return nullptr;
    }
    return std::make_unique<SharedLibrary>(Key{}, const_cast<LinkedExport*>(kLinkedExports));
}

void* SharedLibrary::symbol(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    for (const LinkedExport& e : kLinkedExports)
        if (std::strcmp(e.name, name) == 0) return e.address;
    return nullptr;
}

std::string SharedLibrary::fileName(const std::string& name) { return name + " (linked in)"; }

// The data files are fetched into this folder of the program's memory file system.
std::string programFolder() { return "/varnook/"; }

// The memory file system takes the bytes as they are, as a POSIX one does.
std::filesystem::path filePath(const std::string& path) { return std::filesystem::path(path); }

}  // namespace platform
