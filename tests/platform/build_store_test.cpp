// The build's settings store (the file store, or the registry in the Windows build) under the
// registry's rules, as the game relies on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/registry_store.h"
#else
#include <unistd.h>

#include "platform/store/file_store.h"
#endif

namespace {

TEST(BuildStore, KeysAndValuesFollowTheRegistrysRules) {
    using platform::StoreStatus;
    using Bytes = std::vector<std::uint8_t>;
#ifdef _WIN32
    const std::string root = "Software\\Varnook tests\\conformance";
    ASSERT_TRUE(platform::RegistryStore::deleteTree(root));
    auto reopen = [&] { return std::make_unique<platform::RegistryStore>(root); };
    const std::unique_ptr<const void, void (*)(const void*)> cleanup(
        &root, [](const void* r) { platform::RegistryStore::deleteTree(*static_cast<const std::string*>(r)); });
#else
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("varnook-store-conformance-" + std::to_string(::getpid()));
    auto reopen = [&] { return std::make_unique<platform::FileStore>(folder); };
    const std::unique_ptr<const void, void (*)(const void*)> cleanup(
        &folder, [](const void* f) { std::filesystem::remove_all(*static_cast<const std::filesystem::path*>(f)); });
#endif
    auto store = reopen();
    platform::StoreKey software, missing, key;
    // The root's Software key is there from the start; other keys are not.
    ASSERT_EQ(store->openKey(nullptr, "Software", software), StoreStatus::Success);
    EXPECT_EQ(store->openKey(&software, "Nothing here", missing), StoreStatus::NotFound);
    platform::Disposition how{};
    ASSERT_EQ(store->createKey(&software, "A\\B", "CLS", key, &how), StoreStatus::Success);
    EXPECT_EQ(how, platform::Disposition::CreatedNewKey);
    EXPECT_EQ(key.path(), "Software\\A\\B");
    std::string keyClass;
    EXPECT_EQ(store->keyClass(key, keyClass), StoreStatus::Success);
    EXPECT_EQ(keyClass, "CLS");
    const Bytes data{1, 2, 3, 4, 5};
    ASSERT_EQ(store->setValue(key, "V", platform::ValueType::Binary, data), StoreStatus::Success);
    // Too small a buffer: MoreData with the size, nothing copied. No buffer: the size only.
    Bytes small(4, 0xEE), exact(5);
    platform::QueryResult r = store->queryValue(key, "V", small);
    EXPECT_EQ(r.status, StoreStatus::MoreData);
    EXPECT_EQ(r.size, 5u);
    EXPECT_EQ(small, Bytes(4, 0xEE));
    r = store->queryValue(key, "V", std::span<std::uint8_t>());
    EXPECT_EQ(r.status, StoreStatus::Success);
    EXPECT_EQ(r.size, 5u);
    EXPECT_EQ(store->queryValue(key, "v", exact).status, StoreStatus::Success);  // names ignore case
    EXPECT_EQ(exact, data);
    EXPECT_EQ(store->queryValue(key, "W", exact).status, StoreStatus::NotFound);
    Bytes text;  // every byte of the code page, and the zero that ends a string
    for (int b = 1; b <= 256; ++b) text.push_back(static_cast<std::uint8_t>(b));
    ASSERT_EQ(store->setValue(key, "T", platform::ValueType::String, text), StoreStatus::Success);
    ASSERT_EQ(key.close(), StoreStatus::Success);
    software.close();

    store = reopen();
    ASSERT_EQ(store->createKey(nullptr, "software\\a\\b", "OTHER", key, &how), StoreStatus::Success);
    EXPECT_EQ(how, platform::Disposition::OpenedExistingKey);
    Bytes back(300);
    r = store->queryValue(key, "T", back);
    ASSERT_EQ(r.status, StoreStatus::Success);
    EXPECT_EQ(r.type, platform::ValueType::String);
    ASSERT_EQ(r.size, text.size());
    // All come back but the five bytes the code page leaves undefined, which have no character.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int b = text[i];
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        EXPECT_EQ(back[i], text[i]) << "byte " << b;
    }
}

}  // namespace
