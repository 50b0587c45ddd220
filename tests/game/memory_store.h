// A settings store held in memory, whose writes can be made to fail: the changes of a key then do
// not last past its close, and the close reports WriteFailed, as a full disk or an unwritable folder
// would. Its lock can be refused with a status of choice (Busy: another program holds it).
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/store.h"

namespace game::testing {

class MemoryStore final : public platform::Store {
public:
    bool failWrites = false;
    platform::StoreStatus lockStatus = platform::StoreStatus::Success;

protected:
    using Status = platform::StoreStatus;

    Status acquireLock() override { return lockStatus; }

    Status openKeyAt(const std::string& path) override {
        return keys_.count(path) != 0 || path == "Software" ? Status::Success : Status::NotFound;
    }
    Status createKeyAt(const std::string& path, std::string_view keyClass,
                       platform::Disposition& disposition) override {
        const bool created = keys_.emplace(path, std::string(keyClass)).second;
        disposition = created ? platform::Disposition::CreatedNewKey : platform::Disposition::OpenedExistingKey;
        return Status::Success;
    }
    platform::QueryResult queryValueAt(const std::string& path, std::string_view name,
                                       std::span<std::uint8_t> buffer) override {
        const auto it = values_.find({path, std::string(name)});
        if (it == values_.end()) return {Status::NotFound, platform::ValueType::Binary, 0};
        const auto& [type, bytes] = it->second;
        const auto size = static_cast<std::uint32_t>(bytes.size());
        if (buffer.data() == nullptr) return {Status::Success, type, size};
        if (bytes.size() > buffer.size()) return {Status::MoreData, type, size};
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return {Status::Success, type, size};
    }
    Status setValueAt(const std::string& path, std::string_view name, platform::ValueType type,
                      std::span<const std::uint8_t> data) override {
        const Name key{path, std::string(name)};
        if (failWrites) {
            const auto it = values_.find(key);
            undo_.push_back({key, it == values_.end() ? std::nullopt : std::optional<Value>(it->second)});
        }
        values_[key] = {type, std::vector<std::uint8_t>(data.begin(), data.end())};
        return Status::Success;
    }
    Status keyClassAt(const std::string& path, std::string& result) override {
        const auto it = keys_.find(path);
        if (it == keys_.end()) return Status::NotFound;
        result = it->second;
        return Status::Success;
    }
    void keyOpened(const std::string&) override {}
    Status keyClosed(const std::string&) override {
        if (undo_.empty()) return Status::Success;
        // The changes never reached the disk.
        for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) {
            if (it->second)
                values_[it->first] = *it->second;
            else
                values_.erase(it->first);
        }
        undo_.clear();
        return Status::WriteFailed;
    }

private:
    using Name = std::pair<std::string, std::string>;  // key path, value name
    using Value = std::pair<platform::ValueType, std::vector<std::uint8_t>>;
    std::map<std::string, std::string> keys_;
    std::map<Name, Value> values_;
    std::vector<std::pair<Name, std::optional<Value>>> undo_;
};

}  // namespace game::testing
