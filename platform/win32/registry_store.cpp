// RegistryStore: the store's calls on the real registry under HKEY_CURRENT_USER, and its lock, a
// named mutex.
#include "platform/registry_store.h"

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/codepage.h"

namespace platform {

namespace {

HKEY asKey(void* handle) { return static_cast<HKEY>(handle); }

StoreStatus statusOf(LONG error) {
    switch (error) {
        case ERROR_SUCCESS: return StoreStatus::Success;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return StoreStatus::NotFound;
        case ERROR_MORE_DATA: return StoreStatus::MoreData;
        case ERROR_ACCESS_DENIED: return StoreStatus::AccessDenied;
        case ERROR_INVALID_PARAMETER:
        case ERROR_INVALID_HANDLE: return StoreStatus::InvalidParameter;
        default: return StoreStatus::WriteFailed;
    }
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The game's single-byte text as UTF-16, one unit per byte, and back; the code page's undefined bytes
// and characters outside it travel as U+FFFD / '?'.
std::wstring toWide(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (const std::uint8_t b : bytes) out.push_back(static_cast<wchar_t>(codepage::toCodePoint(b)));
    return out;
}

std::vector<std::uint8_t> fromWide(const wchar_t* text, std::size_t units) {
    std::vector<std::uint8_t> out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t ch = static_cast<char32_t>(text[i]);
        if (ch == 0) {
            out.push_back(0);
            continue;
        }
        if (ch < 0x20 || ch == 0x7F) {  // control characters are the same bytes in the code page
            out.push_back(static_cast<std::uint8_t>(ch));
            continue;
        }
        const auto byte = codepage::fromCodePoint(ch);
        out.push_back(byte ? static_cast<std::uint8_t>(*byte) : static_cast<std::uint8_t>('?'));
    }
    return out;
}

// Every program that uses the same root shares one lock.
std::string mutexName(const std::string& root) {
    const std::size_t h = std::hash<std::string>{}(root);
    return "Local\\Varnook-settings-" + std::to_string(h);
}

}  // namespace

RegistryStore::RegistryStore(std::string root) : root_(std::move(root)) {
    if (!root_.empty()) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, (root_ + "\\Software").c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
            RegCloseKey(key);
    }
    mutex_ = CreateMutexA(nullptr, FALSE, mutexName(root_).c_str());
}

RegistryStore::~RegistryStore() {
    for (auto& [path, open] : open_)
        if (open.handle != nullptr) RegCloseKey(asKey(open.handle));
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool RegistryStore::deleteTree(const std::string& root) {
    if (root.empty()) return false;
    const LONG rc = RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
    if (rc == ERROR_FILE_NOT_FOUND) return true;
    if (rc != ERROR_SUCCESS) return false;
    RegDeleteKeyA(HKEY_CURRENT_USER, root.c_str());  // where the tree call left the key itself
    return true;
}

int RegistryStore::openKeyCount() const {
    int n = 0;
    for (const auto& [path, open] : open_) n += open.count;
    return n;
}

std::string RegistryStore::fullPath(const std::string& path) const {
    return root_.empty() ? path : root_ + "\\" + path;
}

StoreStatus RegistryStore::openKeyAt(const std::string& path) {
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, fullPath(path).c_str(), 0, KEY_ALL_ACCESS, &key);
    if (rc != ERROR_SUCCESS) return statusOf(rc);
    pendingHandle_ = key;
    return StoreStatus::Success;
}

StoreStatus RegistryStore::createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) {
    const std::string cls(keyClass);
    SECURITY_ATTRIBUTES sa{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HKEY key = nullptr;
    DWORD how = 0;
    const LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, fullPath(path).c_str(), 0, const_cast<char*>(cls.c_str()),
                                    REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &sa, &key, &how);
    if (rc != ERROR_SUCCESS) return statusOf(rc);
    disposition = how == REG_CREATED_NEW_KEY ? Disposition::CreatedNewKey : Disposition::OpenedExistingKey;
    pendingHandle_ = key;
    return StoreStatus::Success;
}

void RegistryStore::keyOpened(const std::string& path) {
    OpenKey& open = open_[path];
    if (open.handle == nullptr) {
        open.handle = pendingHandle_;
    } else if (pendingHandle_ != nullptr) {
        RegCloseKey(asKey(pendingHandle_));  // the path already has its handle
    }
    pendingHandle_ = nullptr;
    ++open.count;
}

StoreStatus RegistryStore::keyClosed(const std::string& path) {
    const auto it = open_.find(path);
    if (it == open_.end()) return StoreStatus::InvalidParameter;
    if (--it->second.count > 0) return StoreStatus::Success;
    const LONG rc = RegCloseKey(asKey(it->second.handle));
    open_.erase(it);
    return rc == ERROR_SUCCESS ? StoreStatus::Success : StoreStatus::WriteFailed;
}

void* RegistryStore::handleFor(const std::string& path, bool& temporary, long& error) {
    temporary = false;
    error = ERROR_SUCCESS;
    if (const auto it = open_.find(path); it != open_.end()) return it->second.handle;
    HKEY key = nullptr;
    error = RegOpenKeyExA(HKEY_CURRENT_USER, fullPath(path).c_str(), 0, KEY_ALL_ACCESS, &key);
    if (error != ERROR_SUCCESS) return nullptr;
    temporary = true;
    return key;
}

QueryResult RegistryStore::queryValueAt(const std::string& path, std::string_view nameIn,
                                        std::span<std::uint8_t> buffer) {
    bool temporary = false;
    long error = 0;
    HKEY key = asKey(handleFor(path, temporary, error));
    if (key == nullptr) return {statusOf(error), ValueType::Binary, 0};
    const std::string name(nameIn);

    // The whole value is read, then copied when it fits: the sizes the registry reports before a
    // read are not always exact for text, and a caller's buffer is never written partly.
    QueryResult result{StoreStatus::NotFound, ValueType::Binary, 0};
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    std::vector<std::uint8_t> bytes;
    if (rc == ERROR_SUCCESS && isText(type)) {
        // Text: read as Unicode and turned into the game's single-byte text.
        std::vector<wchar_t> wide;
        const std::wstring wname(name.begin(), name.end());
        for (;;) {
            DWORD wsize = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
            rc = RegQueryValueExW(key, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(wide.data()), &wsize);
            if (rc == ERROR_MORE_DATA || (rc == ERROR_SUCCESS && wide.empty() && wsize > 0)) {
                wide.resize(wsize / sizeof(wchar_t) + 1);
                continue;
            }
            if (rc == ERROR_SUCCESS) bytes = fromWide(wide.data(), wsize / sizeof(wchar_t));
            break;
        }
    } else if (rc == ERROR_SUCCESS) {
        bytes.resize(size);
        for (;;) {
            DWORD got = static_cast<DWORD>(bytes.size());
            rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, bytes.data(), &got);
            if (rc == ERROR_MORE_DATA) {
                bytes.resize(got);
                continue;
            }
            if (rc == ERROR_SUCCESS) bytes.resize(got);
            break;
        }
    }
    if (temporary) RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return {statusOf(rc), ValueType::Binary, 0};

    result.type = static_cast<ValueType>(type);
    result.size = static_cast<std::uint32_t>(bytes.size());
    if (buffer.data() == nullptr) {
        result.status = StoreStatus::Success;
    } else if (bytes.size() > buffer.size()) {
        result.status = StoreStatus::MoreData;
    } else {
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        result.status = StoreStatus::Success;
    }
    return result;
}

StoreStatus RegistryStore::setValueAt(const std::string& path, std::string_view nameIn, ValueType type,
                                      std::span<const std::uint8_t> data) {
    bool temporary = false;
    long error = 0;
    HKEY key = asKey(handleFor(path, temporary, error));
    if (key == nullptr) return statusOf(error);
    const std::string name(nameIn);
    LONG rc;
    if (type == ValueType::String) {
        const std::wstring wname(name.begin(), name.end());
        // The system counts a terminating zero that follows the data but was left out of its size
        // as part of the value; a text stored without one (the found words) must stay so, hence
        // the non-zero unit after the data.
        std::wstring text = toWide(data);
        text.push_back(L'?');
        rc = RegSetValueExW(key, wname.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                            static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t)));
    } else {
        rc = RegSetValueExA(key, name.c_str(), 0, static_cast<DWORD>(type), data.data(),
                            static_cast<DWORD>(data.size()));
    }
    if (temporary) RegCloseKey(key);
    return rc == ERROR_SUCCESS ? StoreStatus::Success : statusOf(rc);
}

StoreStatus RegistryStore::keyClassAt(const std::string& path, std::string& result) {
    bool temporary = false;
    long error = 0;
    HKEY key = asKey(handleFor(path, temporary, error));
    if (key == nullptr) return statusOf(error);
    std::vector<char> cls(store_limits::kMaxClassLength + 2);
    DWORD length = static_cast<DWORD>(cls.size());
    const LONG rc = RegQueryInfoKeyA(key, cls.data(), &length, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr);
    if (temporary) RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return statusOf(rc);
    result.assign(cls.data(), length);
    return StoreStatus::Success;
}

StoreStatus RegistryStore::acquireLock() {
    if (mutex_ == nullptr) return StoreStatus::Success;
    const DWORD rc = WaitForSingleObject(mutex_, static_cast<DWORD>(store_limits::kLockWaitMs));
    // An abandoned mutex (its holder ended without releasing it) is ours now.
    if (rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED) return StoreStatus::Success;
    return StoreStatus::Busy;
}

void RegistryStore::releaseLock() {
    if (mutex_ != nullptr) ReleaseMutex(mutex_);
}

}  // namespace platform
