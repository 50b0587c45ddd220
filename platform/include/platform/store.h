// The settings store: a tree of keys under the current user's root, each with a class string and
// typed values, offered with the registry calls and results the game relies on.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// Results of store calls, after the registry's error codes.
enum class StoreStatus {
    Success,
    NotFound,          // no such key or value
    MoreData,          // the value is larger than the caller's buffer; nothing was copied
    AccessDenied,      // the store cannot be used (its file can be neither read nor set aside)
    InvalidParameter,  // a malformed key path or name, a value too large, an unknown type, a closed key
    WriteFailed,       // a change could not be made durable (folder not writable, disk full, no lock file)
    Busy,              // another program held the store's lock for longer than store_limits::kLockWaitMs
};

// Value types with the registry's numbers.
enum class ValueType : std::uint32_t { String = 1, Binary = 3, Dword = 4 };

// What createKey found.
enum class Disposition { CreatedNewKey = 1, OpenedExistingKey = 2 };

// Limits every store enforces, so that nothing read back can be unbounded.
namespace store_limits {
constexpr std::size_t kMaxKeyNameLength = 255;  // one path component
constexpr std::size_t kMaxKeyDepth = 32;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::size_t kMaxClassLength = 255;
constexpr std::size_t kMaxValueSize = 1u << 20;
// How long a store waits for another program that holds its lock before it gives up (Busy).
constexpr int kLockWaitMs = 1500;
}  // namespace store_limits

class Store;

// A store's exclusive lock, held until release() or the end of its scope (see Store::lock).
class StoreLock {
public:
    StoreLock() = default;
    StoreLock(StoreLock&& other) noexcept;
    StoreLock& operator=(StoreLock&& other) noexcept;
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock();

    bool held() const { return store_ != nullptr; }
    void release();

private:
    friend class Store;
    explicit StoreLock(Store* store) : store_(store) {}
    Store* store_ = nullptr;
};

// An open key. Closing it, explicitly or when it goes out of scope, makes the changes made through
// the store durable; a key must not outlive its store.
class StoreKey {
public:
    StoreKey() = default;
    StoreKey(StoreKey&& other) noexcept;
    StoreKey& operator=(StoreKey&& other) noexcept;
    StoreKey(const StoreKey&) = delete;
    StoreKey& operator=(const StoreKey&) = delete;
    ~StoreKey();

    bool isOpen() const { return store_ != nullptr; }
    // Full path from the root, components joined by "\".
    const std::string& path() const { return path_; }
    // RegCloseKey. WriteFailed when pending changes could not be written.
    StoreStatus close();

private:
    friend class Store;
    StoreKey(Store* store, std::string path) : store_(store), path_(std::move(path)) {}
    Store* store_ = nullptr;
    std::string path_;
};

struct QueryResult {
    StoreStatus status = StoreStatus::NotFound;
    ValueType type = ValueType::Binary;
    std::uint32_t size = 0;  // the value's size in bytes, also when it did not fit (MoreData)
};

// The registry calls. Paths below a key are one or more names joined by "\"; names compare without
// regard to ASCII case. A null parent is the current user's root, whose "Software" key always exists.
class Store {
public:
    virtual ~Store() = default;

    // RegOpenKeyExA: opens an existing key.
    StoreStatus openKey(const StoreKey* parent, std::string_view subKey, StoreKey& result);
    // RegCreateKeyExA: opens the key, or creates it (and any missing keys above it) with keyClass.
    StoreStatus createKey(const StoreKey* parent, std::string_view subKey, std::string_view keyClass, StoreKey& result,
                          Disposition* disposition = nullptr);
    // RegQueryValueExA: copies the value into buffer when it fits (MoreData otherwise). A buffer with
    // a null data pointer only asks for the type and size.
    QueryResult queryValue(const StoreKey& key, std::string_view name, std::span<std::uint8_t> buffer);
    // RegSetValueExA: creates or replaces the value with exactly these bytes.
    StoreStatus setValue(const StoreKey& key, std::string_view name, ValueType type,
                         std::span<const std::uint8_t> data);
    // The class string a key was created with.
    StoreStatus keyClass(const StoreKey& key, std::string& result);

    // Takes the store's exclusive lock, waiting at most store_limits::kLockWaitMs for another program
    // that holds it (Busy when the wait runs out; WriteFailed when no lock can be had at all, as when
    // the store's folder cannot be made). While it is held, reads see the store as it stands now,
    // other programs' changes included, and changes made through this store are written before it is
    // released (each key close writes at once): a read, a change and its write form one step that no
    // other program can come between. Locks taken through one store nest. Writes made without it take
    // the lock for themselves, with the same bounded wait, and fail with Busy when it runs out.
    StoreStatus lock(StoreLock& result);

    // Where a store that could not be read at all was kept before the store started afresh; empty
    // when that did not happen. The player is told, so that nothing is lost without a word.
    virtual std::string setAsideCopy() const { return {}; }

protected:
    // Back-end operations on full, validated paths.
    virtual StoreStatus openKeyAt(const std::string& path) = 0;
    virtual StoreStatus createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) = 0;
    virtual QueryResult queryValueAt(const std::string& path, std::string_view name,
                                     std::span<std::uint8_t> buffer) = 0;
    virtual StoreStatus setValueAt(const std::string& path, std::string_view name, ValueType type,
                                   std::span<const std::uint8_t> data) = 0;
    virtual StoreStatus keyClassAt(const std::string& path, std::string& result) = 0;
    // A handle to path was opened / closed.
    virtual void keyOpened(const std::string& path) = 0;
    virtual StoreStatus keyClosed(const std::string& path) = 0;
    // The lock itself; a store that only one program can use needs none.
    virtual StoreStatus acquireLock() { return StoreStatus::Success; }
    virtual void releaseLock() {}

private:
    friend class StoreKey;
    friend class StoreLock;
    static StoreStatus joinPath(const StoreKey* parent, std::string_view subKey, std::string& path);
};

}  // namespace platform
