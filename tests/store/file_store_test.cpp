// The file store: registry semantics the game relies on, durability, files that cannot be read at
// all, and two copies of the game writing at once.
#include <sys/wait.h>
#include <unistd.h>

#include "store_test_util.h"

namespace {

using platform::Disposition;
using platform::FileStore;
using platform::StoreKey;
using platform::StoreStatus;
using platform::ValueType;
using namespace store_test;

using FileStoreTest = StoreFolderTest;

TEST_F(FileStoreTest, LivesUnderXdgConfigHomeOrHomeConfig) {
    EXPECT_EQ(folder_, root_ / "varnook");
    setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(FileStore::defaultFolder(), std::filesystem::path("/home/someone/.config/varnook"));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(FileStore::defaultFolder(), std::filesystem::path("/home/someone/.config/varnook"));
}

// The registry's rules for keys and values are build_store_test.cpp's; here the handles,
// and the class an existing key keeps (which wine's registry replaces).
TEST_F(FileStoreTest, OpenHandlesAreCountedUntilClosedAndAKeyKeepsItsClass) {
    FileStore store(folder_);
    StoreKey parent, key;
    ASSERT_EQ(store.openKey(nullptr, "Software", parent), StoreStatus::Success);
    ASSERT_EQ(store.createKey(&parent, "Mirrim\\Varnook\\1.0", "USERDATA", key), StoreStatus::Success);
    EXPECT_EQ(key.path(), "Software\\Mirrim\\Varnook\\1.0");
    EXPECT_EQ(store.openKeyCount(), 2);
    EXPECT_EQ(key.close(), StoreStatus::Success);
    EXPECT_EQ(parent.close(), StoreStatus::Success);
    EXPECT_EQ(store.openKeyCount(), 0);
    Disposition how{};
    ASSERT_EQ(store.createKey(nullptr, "software\\mirrim\\varnook\\1.0", "OTHER", key, &how), StoreStatus::Success);
    EXPECT_EQ(how, Disposition::OpenedExistingKey);
    std::string keyClass;
    ASSERT_EQ(store.keyClass(key, keyClass), StoreStatus::Success);
    EXPECT_EQ(keyClass, "USERDATA");  // an existing key keeps the class it was created with
}

TEST_F(FileStoreTest, BadArgumentsAreRefused) {
    FileStore store(folder_);
    StoreKey key;
    EXPECT_EQ(store.openKey(nullptr, "", key), StoreStatus::InvalidParameter);
    EXPECT_EQ(store.createKey(nullptr, "Software\\\\X", "", key), StoreStatus::InvalidParameter);
    EXPECT_EQ(store.createKey(nullptr, "Software\\X\\", "", key), StoreStatus::InvalidParameter);
    EXPECT_EQ(store.createKey(nullptr, std::string(256, 'k'), "", key), StoreStatus::InvalidParameter);
    ASSERT_EQ(store.createKey(nullptr, "Software\\X", "", key), StoreStatus::Success);
    const std::vector<std::uint8_t> three{1, 2, 3};
    EXPECT_EQ(store.setValue(key, "D", ValueType::Dword, three), StoreStatus::InvalidParameter);
    EXPECT_EQ(store.setValue(key, "T", static_cast<ValueType>(7), three), StoreStatus::InvalidParameter);
    EXPECT_EQ(store.setValue(key, std::string_view("A\0B", 3), ValueType::Binary, three),
              StoreStatus::InvalidParameter);
    const std::vector<std::uint8_t> huge(platform::store_limits::kMaxValueSize + 1);
    EXPECT_EQ(store.setValue(key, "H", ValueType::Binary, huge), StoreStatus::InvalidParameter);
    key.close();
    std::array<std::uint8_t, 4> buf{};
    EXPECT_EQ(store.queryValue(key, "D", buf).status, StoreStatus::InvalidParameter);  // closed key
    EXPECT_EQ(store.setValue(key, "D", ValueType::Binary, three), StoreStatus::InvalidParameter);
}

TEST_F(FileStoreTest, ChangesReachTheFileWhenTheKeyClosesAndOtherStoresSeeThem) {
    FileStore writer(folder_);
    FileStore reader(folder_);
    StoreKey key;
    ASSERT_EQ(writer.createKey(nullptr, "Software\\K", "C", key), StoreStatus::Success);
    const std::vector<std::uint8_t> data{1, 2, 3};
    ASSERT_EQ(writer.setValue(key, "V", ValueType::Binary, data), StoreStatus::Success);
    std::array<std::uint8_t, 3> buf{};
    EXPECT_EQ(writer.queryValue(key, "V", buf).status, StoreStatus::Success);  // visible at once to its own store
    EXPECT_FALSE(std::filesystem::exists(file()));
    ASSERT_EQ(key.close(), StoreStatus::Success);
    EXPECT_EQ(get(reader, "Software\\K", "V"), "\x01\x02\x03");
    EXPECT_NE(readText(file()).find("\"V\"=binary:01,02,03"), std::string::npos);
    EXPECT_TRUE(filesNamed("registry.txt.tmp-").empty());
}

TEST_F(FileStoreTest, TwoWritersInterleavingKeepBothKeys) {
    FileStore a(folder_);
    FileStore b(folder_);
    StoreKey ka;
    StoreKey kb;
    // Both read the (empty) file before either writes.
    ASSERT_EQ(a.createKey(nullptr, "Software\\A", "", ka), StoreStatus::Success);
    ASSERT_EQ(b.createKey(nullptr, "Software\\B", "", kb), StoreStatus::Success);
    const std::vector<std::uint8_t> one{1};
    const std::vector<std::uint8_t> two{2};
    ASSERT_EQ(a.setValue(ka, "V", ValueType::Binary, one), StoreStatus::Success);
    ASSERT_EQ(b.setValue(kb, "V", ValueType::Binary, two), StoreStatus::Success);
    ASSERT_EQ(ka.close(), StoreStatus::Success);
    ASSERT_EQ(kb.close(), StoreStatus::Success);
    FileStore check(folder_);
    EXPECT_EQ(get(check, "Software\\A", "V"), "\x01");
    EXPECT_EQ(get(check, "Software\\B", "V"), "\x02");
    // The second writer only changed its own value: a value of the first one's key written later survives.
    ASSERT_EQ(put(a, "Software\\B", "W", "w"), StoreStatus::Success);
    ASSERT_EQ(put(b, "Software\\B", "V", "3"), StoreStatus::Success);
    EXPECT_EQ(get(check, "Software\\B", "W"), "w");
    EXPECT_EQ(get(check, "Software\\B", "V"), "3");
}

TEST_F(FileStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kRounds = 60;
    static constexpr const char* kNames[] = {"P1", "P2", "P3"};
    expectChildrenSucceed(3, [&](int c) {
        int failures = 0;
        for (int i = 0; i < kRounds; ++i) {
            FileStore store(folder_);
            const std::string path = std::string("Software\\") + kNames[c];
            if (put(store, path, "N" + std::to_string(i), std::to_string(i)) != StoreStatus::Success) ++failures;
        }
        return failures == 0 ? 0 : 1;
    });
    FileStore check(folder_);
    for (const char* name : kNames)
        for (int i = 0; i < kRounds; ++i)
            EXPECT_EQ(get(check, std::string("Software\\") + name, "N" + std::to_string(i)), std::to_string(i));
}

TEST_F(FileStoreTest, AFileThatCannotBeReadAtAllIsSetAsideAndTheStoreStartsEmpty) {
    const std::string junk =
        "\x7f"
        "ELF binary junk\x01\x02\n[Software\\K]\n";
    writeText(file(), junk);
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    EXPECT_EQ(get(store, "Software\\K", "V"), "<missing>");
    const std::string err = testing::internal::GetCapturedStderr();
    const auto aside = filesNamed("registry.txt.damaged-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readText(aside[0]), junk);                 // kept byte for byte
    EXPECT_EQ(store.setAsideCopy(), aside[0].string());  // for the player's message
    EXPECT_NE(err.find(aside[0].string()), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_FALSE(std::filesystem::exists(file()));

    // Writing works again, and a second unreadable file gets a name of its own.
    ASSERT_EQ(put(store, "Software\\K", "V", "ok"), StoreStatus::Success);
    EXPECT_EQ(get(store, "Software\\K", "V"), "ok");
    writeText(file(), "varnook-store 1\n\x01\x02 nothing readable\nend\n");
    testing::internal::CaptureStderr();
    FileStore other(folder_);
    EXPECT_EQ(other.setAsideCopy(), "");
    EXPECT_EQ(put(other, "Software\\K", "V", "again"), StoreStatus::Success);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(filesNamed("registry.txt.damaged-").size(), 2u);
    EXPECT_NE(other.setAsideCopy(), store.setAsideCopy());
    EXPECT_EQ(readText(other.setAsideCopy()), "varnook-store 1\n\x01\x02 nothing readable\nend\n");
    EXPECT_EQ(get(other, "Software\\K", "V"), "again");
}

TEST_F(FileStoreTest, AStoreFileThatIsNotAFileIsSetAside) {
    std::filesystem::create_directories(file());
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    EXPECT_EQ(put(store, "Software\\K", "V", "x"), StoreStatus::Success);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(filesNamed("registry.txt.damaged-").size(), 1u);
    EXPECT_EQ(store.setAsideCopy(), filesNamed("registry.txt.damaged-")[0].string());
    EXPECT_EQ(get(store, "Software\\K", "V"), "x");
}

TEST_F(FileStoreTest, AFolderThatCannotBeMadeFailsTheWriteButKeepsTheChangeForLater) {
    writeText(root_ / "blocker", "a file where the folder should be");
    FileStore store(root_ / "blocker" / "varnook");
    StoreKey key;
    ASSERT_EQ(store.createKey(nullptr, "Software\\K", "", key), StoreStatus::Success);
    const std::vector<std::uint8_t> v{7};
    ASSERT_EQ(store.setValue(key, "V", ValueType::Binary, v), StoreStatus::Success);
    EXPECT_EQ(key.close(), StoreStatus::WriteFailed);
    EXPECT_EQ(get(store, "Software\\K", "V"), "\x07");  // still there in this run
    EXPECT_EQ(store.flush(), StoreStatus::WriteFailed);
}

TEST_F(FileStoreTest, ASymlinkedStoreFileStaysALink) {
    const auto real = root_ / "dotfiles" / "registry.txt";
    std::filesystem::create_directories(real.parent_path());
    std::filesystem::create_directories(folder_);
    {
        FileStore seed(real.parent_path());
        ASSERT_EQ(put(seed, "Software\\K", "V", "1"), StoreStatus::Success);
    }
    std::filesystem::create_symlink(real, file());
    FileStore store(folder_);
    EXPECT_EQ(get(store, "Software\\K", "V"), "1");
    ASSERT_EQ(put(store, "Software\\K", "V", "2"), StoreStatus::Success);
    EXPECT_TRUE(std::filesystem::is_symlink(file()));
    FileStore direct(real.parent_path());
    EXPECT_EQ(get(direct, "Software\\K", "V"), "2");
}

}  // namespace
