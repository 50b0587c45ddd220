// Test support for the records: a fresh settings store per test and a store that cannot be opened.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/persistence/records.h"
#include "platform/store.h"
#include "platform/store/file_store.h"
#include "unavailable_store.h"

namespace records_test {

using game::testing::UnavailableStore;

inline const std::string kSettingsPath = "Software\\Mirrim\\Varnook\\1.0";
inline const std::string kSavePath = "Software\\Mirrim\\Varnook\\1.0\\SAVE";

// A temporary XDG_CONFIG_HOME with a file store in it, and the records on top.
class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnook-records-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        setenv("XDG_CONFIG_HOME", root_.string().c_str(), 1);
        store_ = std::make_unique<platform::FileStore>(platform::FileStore::defaultFolder());
        records_ = std::make_unique<game::persistence::Records>(*store_);
    }
    void TearDown() override {
        records_.reset();
        store_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    // A fresh store and records on the same file, as at the next start of the game.
    void restart() {
        records_.reset();
        store_ = std::make_unique<platform::FileStore>(platform::FileStore::defaultFolder());
        records_ = std::make_unique<game::persistence::Records>(*store_);
    }

    void putRaw(const std::string& path, std::string_view name, std::vector<std::uint8_t> data,
                platform::ValueType type = platform::ValueType::Binary) {
        platform::StoreKey key;
        ASSERT_EQ(store_->createKey(nullptr, path, "", key), platform::StoreStatus::Success);
        ASSERT_EQ(store_->setValue(key, name, type, data), platform::StoreStatus::Success);
        ASSERT_EQ(key.close(), platform::StoreStatus::Success);
    }
    void putText(const std::string& path, std::string_view name, std::string_view text) {
        putRaw(path, name, std::vector<std::uint8_t>(text.begin(), text.end()), platform::ValueType::String);
    }
    // The stored bytes, or nullopt when the value is missing.
    std::optional<std::vector<std::uint8_t>> getRaw(const std::string& path, std::string_view name) {
        platform::StoreKey key;
        if (store_->openKey(nullptr, path, key) != platform::StoreStatus::Success) return std::nullopt;
        std::vector<std::uint8_t> buf(1 << 16);
        const platform::QueryResult r = store_->queryValue(key, name, buf);
        if (r.status != platform::StoreStatus::Success) return std::nullopt;
        buf.resize(r.size);
        return buf;
    }
    std::string keyClass(const std::string& path) {
        platform::StoreKey key;
        std::string result = "<missing>";
        if (store_->openKey(nullptr, path, key) == platform::StoreStatus::Success) store_->keyClass(key, result);
        return result;
    }

    static std::vector<std::uint8_t> le32(std::initializer_list<std::int32_t> values) {
        std::vector<std::uint8_t> out;
        for (const std::int32_t v : values)
            for (int s = 0; s < 32; s += 8)
                out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> s));
        return out;
    }

    std::filesystem::path root_;
    std::unique_ptr<platform::FileStore> store_;
    std::unique_ptr<game::persistence::Records> records_;
};

}  // namespace records_test
