// SharedLibrary in the web build: the engine is linked into the program, so "loading" it finds its
// exports in a table by name. A library of any other name cannot be loaded. The page fetches only
// the files every start reads; loadLangDict first fetches a dictionary that is not there yet.
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/library.h"
#include "qxdll.h"
#include "web_js.h"

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

// The engine's loadLangDict, after fetching the file from the page's folder when the memory file
// system has no such file (another language's dictionary); one that cannot be fetched stays missing,
// which the engine reports as it does any missing file.
std::int32_t loadFetchedLangDict(const char* path) {
    struct stat info{};
    if (path != nullptr && ::stat(path, &info) != 0) {
        const std::string file(path);
        const std::size_t slash = file.find_last_of('/');
        js_fetch_file(file.substr(slash == std::string::npos ? 0 : slash + 1).c_str(), path);
    }
    return ::loadLangDict(path);
}

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
    if (std::strcmp(name, "loadLangDict") == 0) return reinterpret_cast<void*>(&loadFetchedLangDict);
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
