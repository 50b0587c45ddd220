// The settings store in the Windows registry, under HKEY_CURRENT_USER (or a key below it).
#pragma once

#include <map>
#include <string>

#include "platform/store.h"

namespace platform {

// Keys and values are the registry's own: RegCreateKeyExA, RegOpenKeyExA, RegQueryValueExA,
// RegSetValueExA and RegCloseKey, one registry handle per open key path. String values are kept
// as Unicode text in the registry, converted from and to the game's Windows-1252 bytes, so their
// bytes come back exactly whatever the system's ANSI code page. The lock is a named mutex shared by
// every program of the user's session that uses the same root.
class RegistryStore : public Store {
public:
    // root: a key path below HKEY_CURRENT_USER that stands for the store's root, created when
    // missing with its "Software" key (tests use a key of their own); empty for HKEY_CURRENT_USER.
    explicit RegistryStore(std::string root = {});
    ~RegistryStore() override;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Keys currently open through this store (the game opens and closes its keys within each call).
    int openKeyCount() const;

    // Deletes the root key with everything below it (tests clean up with it). Not for an empty root.
    static bool deleteTree(const std::string& root);

protected:
    StoreStatus openKeyAt(const std::string& path) override;
    StoreStatus createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) override;
    QueryResult queryValueAt(const std::string& path, std::string_view name, std::span<std::uint8_t> buffer) override;
    StoreStatus setValueAt(const std::string& path, std::string_view name, ValueType type,
                           std::span<const std::uint8_t> data) override;
    StoreStatus keyClassAt(const std::string& path, std::string& result) override;
    void keyOpened(const std::string& path) override;
    StoreStatus keyClosed(const std::string& path) override;
    StoreStatus acquireLock() override;
    void releaseLock() override;

private:
    struct OpenKey {
        void* handle = nullptr;  // HKEY
        int count = 0;
    };
    std::string fullPath(const std::string& path) const;
    // The handle of an open key path, opened for the call when no StoreKey holds it (then closed by
    // the caller through release()).
    void* handleFor(const std::string& path, bool& temporary, long& error);

    std::string root_;
    std::map<std::string, OpenKey> open_;
    void* pendingHandle_ = nullptr;  // the handle openKeyAt/createKeyAt just opened, for keyOpened
    void* mutex_ = nullptr;
};

}  // namespace platform
