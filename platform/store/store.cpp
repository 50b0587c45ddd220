// The store calls common to every back end: key handles, path checks, argument checks.
#include "platform/store.h"

#include "store_text.h"

namespace platform {

StoreKey::StoreKey(StoreKey&& other) noexcept
    : store_(std::exchange(other.store_, nullptr)), path_(std::move(other.path_)) {}

StoreKey& StoreKey::operator=(StoreKey&& other) noexcept {
    if (this != &other) {
        close();
        store_ = std::exchange(other.store_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

StoreKey::~StoreKey() { close(); }

StoreStatus StoreKey::close() {
    if (store_ == nullptr) return StoreStatus::InvalidParameter;
    Store* store = std::exchange(store_, nullptr);
    return store->keyClosed(path_);
}

StoreLock::StoreLock(StoreLock&& other) noexcept : store_(std::exchange(other.store_, nullptr)) {}

StoreLock& StoreLock::operator=(StoreLock&& other) noexcept {
    if (this != &other) {
        release();
        store_ = std::exchange(other.store_, nullptr);
    }
    return *this;
}

StoreLock::~StoreLock() { release(); }

void StoreLock::release() {
    if (Store* store = std::exchange(store_, nullptr)) store->releaseLock();
}

StoreStatus Store::lock(StoreLock& result) {
    result.release();
    if (const StoreStatus s = acquireLock(); s != StoreStatus::Success) return s;
    result = StoreLock(this);
    return StoreStatus::Success;
}

StoreStatus Store::joinPath(const StoreKey* parent, std::string_view subKey, std::string& path) {
    if (parent != nullptr && !parent->isOpen()) return StoreStatus::InvalidParameter;
    path = parent != nullptr ? parent->path() : std::string();
    if (!subKey.empty()) {
        if (!path.empty()) path += '\\';
        path += subKey;
    }
    // The root itself cannot be opened as a key.
    return store_text::isValidKeyPath(path) ? StoreStatus::Success : StoreStatus::InvalidParameter;
}

StoreStatus Store::openKey(const StoreKey* parent, std::string_view subKey, StoreKey& result) {
    std::string path;
    if (const StoreStatus s = joinPath(parent, subKey, path); s != StoreStatus::Success) return s;
    if (const StoreStatus s = openKeyAt(path); s != StoreStatus::Success) return s;
    keyOpened(path);
    result = StoreKey(this, std::move(path));
    return StoreStatus::Success;
}

StoreStatus Store::createKey(const StoreKey* parent, std::string_view subKey, std::string_view keyClass,
                             StoreKey& result, Disposition* disposition) {
    std::string path;
    if (const StoreStatus s = joinPath(parent, subKey, path); s != StoreStatus::Success) return s;
    if (!store_text::isValidClass(keyClass)) return StoreStatus::InvalidParameter;
    Disposition d = Disposition::OpenedExistingKey;
    if (const StoreStatus s = createKeyAt(path, keyClass, d); s != StoreStatus::Success) return s;
    keyOpened(path);
    result = StoreKey(this, std::move(path));
    if (disposition != nullptr) *disposition = d;
    return StoreStatus::Success;
}

QueryResult Store::queryValue(const StoreKey& key, std::string_view name, std::span<std::uint8_t> buffer) {
    if (!key.isOpen() || key.store_ != this || !store_text::isValidValueName(name))
        return {StoreStatus::InvalidParameter, ValueType::Binary, 0};
    return queryValueAt(key.path(), name, buffer);
}

StoreStatus Store::setValue(const StoreKey& key, std::string_view name, ValueType type,
                            std::span<const std::uint8_t> data) {
    if (!key.isOpen() || key.store_ != this || !store_text::isValidValueName(name) || !store_text::isKnownType(type) ||
        data.size() > store_limits::kMaxValueSize)
        return StoreStatus::InvalidParameter;
    if (type == ValueType::Dword && data.size() != 4) return StoreStatus::InvalidParameter;
    return setValueAt(key.path(), name, type, data);
}

StoreStatus Store::keyClass(const StoreKey& key, std::string& result) {
    if (!key.isOpen() || key.store_ != this) return StoreStatus::InvalidParameter;
    return keyClassAt(key.path(), result);
}

}  // namespace platform
