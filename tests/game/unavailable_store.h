// A settings store that cannot be opened at all, as when the store is not available: every call
// fails with AccessDenied.
#pragma once

#include <string>

#include "platform/store.h"

namespace game::testing {

class UnavailableStore final : public platform::Store {
protected:
    platform::StoreStatus openKeyAt(const std::string&) override { return platform::StoreStatus::AccessDenied; }
    platform::StoreStatus createKeyAt(const std::string&, std::string_view, platform::Disposition&) override {
        return platform::StoreStatus::AccessDenied;
    }
    platform::QueryResult queryValueAt(const std::string&, std::string_view, std::span<std::uint8_t>) override {
        return {platform::StoreStatus::AccessDenied, platform::ValueType::Binary, 0};
    }
    platform::StoreStatus setValueAt(const std::string&, std::string_view, platform::ValueType,
                                     std::span<const std::uint8_t>) override {
        return platform::StoreStatus::AccessDenied;
    }
    platform::StoreStatus keyClassAt(const std::string&, std::string&) override {
        return platform::StoreStatus::AccessDenied;
    }
    void keyOpened(const std::string&) override {}
    platform::StoreStatus keyClosed(const std::string&) override { return platform::StoreStatus::Success; }
};

}  // namespace game::testing
