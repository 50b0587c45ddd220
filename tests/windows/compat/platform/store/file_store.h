// The settings store that the game's record tests make, in the Windows build: the registry store
// under a key of its own for each store folder, so that these tests drive the registry the Windows
// program keeps its records in, and each test starts from an empty store.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/registry_store.h"

namespace platform {

class FileStore final : public RegistryStore {
public:
    // A folder that does not exist yet holds no store: its key starts empty.
    explicit FileStore(const std::filesystem::path& folder) : RegistryStore(fresh(folder)), folder_(folder) {}

    // XDG_CONFIG_HOME/varnook, as the Linux store's folder; the tests point XDG_CONFIG_HOME at a
    // temporary folder of their own.
    static std::filesystem::path defaultFolder() {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        return std::filesystem::path(config != nullptr ? config : ".") / "varnook";
    }

    // Where the Linux store's file would be; the cases that remove or cut that file do not run here.
    std::filesystem::path filePath() const { return folder_ / "registry.txt"; }

    // The key below HKEY_CURRENT_USER that stands for a folder's store.
    static std::string rootFor(const std::filesystem::path& folder) {
        return "Software\\Varnook tests\\" + std::to_string(std::hash<std::string>{}(folder.generic_string()));
    }

private:
    static std::string fresh(const std::filesystem::path& folder) {
        const std::string root = rootFor(folder);
        std::error_code ec;
        if (!std::filesystem::exists(folder, ec)) deleteTree(root);
        std::filesystem::create_directories(folder, ec);
        return root;
    }

    std::filesystem::path folder_;
};

}  // namespace platform
