// WebStore: the settings store in localStorage, in the Linux file store's text form (see web.h).
#include <ctime>

#include "web.h"
#include "web_js.h"

namespace platform {

namespace {

constexpr std::string_view kRootKey = "Software";  // always present, like the registry's own

bool isRootKey(std::string_view path) { return store_text::sameName(path, kRootKey); }

}  // namespace

namespace {

// The item's text; empty when there is none.
std::string readItem() {
    const int size = js_store_size(WebStore::kItem);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    js_store_read(WebStore::kItem, text.data());
    return text;
}

}  // namespace

WebStore::WebStore() {
    const std::string text = readItem();
    if (text.empty()) return;
    const std::optional<store_text::ParseResult> parsed = store_text::parse(text);
    if (parsed) hive_ = parsed->hive;
    if (parsed && parsed->complete()) return;
    // What could not be read is kept as it was, under an item of its own, and the player is told.
    const std::string aside =
        std::string(kItem) + ".damaged-" + std::to_string(static_cast<long long>(std::time(nullptr)));
    if (js_store_write(aside.c_str(), text.data(), static_cast<int>(text.size())) != 0)
        setAside_ = "the browser's storage of this page, as " + aside;
    dirty_ = true;
}

StoreStatus WebStore::openKeyAt(const std::string& path) {
    return isRootKey(path) || hive_.find(path) != nullptr ? StoreStatus::Success : StoreStatus::NotFound;
}

StoreStatus WebStore::createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) {
    if (isRootKey(path) || hive_.find(path) != nullptr) {
        disposition = Disposition::OpenedExistingKey;
        return StoreStatus::Success;
    }
    hive_.create(path, keyClass);
    dirty_ = true;
    disposition = Disposition::CreatedNewKey;
    return StoreStatus::Success;
}

QueryResult WebStore::queryValueAt(const std::string& path, std::string_view name, std::span<std::uint8_t> buffer) {
    return hive_.query(path, name, buffer);
}

StoreStatus WebStore::setValueAt(const std::string& path, std::string_view name, ValueType type,
                                 std::span<const std::uint8_t> data) {
    hive_.create(path, "").setValue(name, type, std::vector<std::uint8_t>(data.begin(), data.end()));
    dirty_ = true;
    return StoreStatus::Success;
}

StoreStatus WebStore::keyClassAt(const std::string& path, std::string& result) {
    const store_text::Key* key = hive_.find(path);
    if (key == nullptr) {
        if (!isRootKey(path)) return StoreStatus::NotFound;
        result.clear();
        return StoreStatus::Success;
    }
    result = key->keyClass;
    return StoreStatus::Success;
}

void WebStore::keyOpened(const std::string&) {
    // With nothing of its own pending, the store takes what another tab of the game may have
    // written since (what cannot be read is left to the start-up's damage rules).
    if (openKeys_++ == 0 && !dirty_) {
        const std::optional<store_text::ParseResult> parsed = store_text::parse(readItem());
        if (parsed && parsed->complete()) hive_ = parsed->hive;
    }
}

StoreStatus WebStore::keyClosed(const std::string&) {
    if (openKeys_ > 0) --openKeys_;
    if (!dirty_) return StoreStatus::Success;
    const std::string text = store_text::format(hive_);
    if (js_store_write(kItem, text.data(), static_cast<int>(text.size())) == 0) return StoreStatus::WriteFailed;
    dirty_ = false;
    return StoreStatus::Success;
}

}  // namespace platform
