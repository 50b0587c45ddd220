// The registry store under wine: every record of the game written and read back through it, with
// what the registry itself then holds read by the plain Win32 calls (types, sizes, bytes, key
// classes); values of the wrong size; the store's lock. Its rules for keys and values are
// build_store_test.cpp's.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "game/persistence/records.h"
#include "game_builder.h"
#include "platform/registry_store.h"
#include "platform/window.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kRoot = "Software\\Varnook tests\\registry store";
const std::string kSettings = "Software\\Mirrim\\Varnook\\1.0";
const std::string kSave = kSettings + "\\SAVE";

// A value as the registry holds it, read without the store: its type and bytes.
struct RawValue {
    DWORD type = 0;
    Bytes bytes;
};

std::optional<RawValue> raw(const std::string& key, const std::string& name) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (kRoot + "\\" + key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue v;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(k, name.c_str(), nullptr, &v.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        v.bytes.resize(size);
        rc = RegQueryValueExA(k, name.c_str(), nullptr, &v.type, v.bytes.data(), &size);
        v.bytes.resize(size);
    }
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    return v;
}

std::string rawClass(const std::string& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (kRoot + "\\" + key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return "<missing>";
    char cls[64] = {};
    DWORD length = sizeof cls;
    RegQueryInfoKeyA(k, cls, &length, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(k);
    return std::string(cls, length);
}

void putRaw(const std::string& key, const std::string& name, DWORD type, const Bytes& bytes) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kRoot + "\\" + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &k, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(k, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(k);
}

game::persistence::HallOfFameTable& table(game::persistence::Settings& s, int mode) {
    return *s.hallOfFame.table(mode == 1 ? game::GameMode::Classic : game::GameMode::Arcade);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::RegistryStore::deleteTree(kRoot));
        store_ = std::make_unique<platform::RegistryStore>(kRoot);
    }
    void TearDown() override {
        store_.reset();
        platform::RegistryStore::deleteTree(kRoot);
    }

    game::persistence::Settings sampleSettings() const {
        game::persistence::Settings s;
        s.solvingData.startSizeIndex = 3;
        s.solvingData.reserved = {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x7F};
        s.solvingData.foundViewAtStart = 1;
        s.soundOptions = {1, 0, 1, -1, 1, 0, 1};
        for (int m = 1; m <= 2; ++m)
            for (int r = 1; r <= game::persistence::kHallOfFameRanks; ++r) {
                table(s, m).score(r) = m * 1000 - r * 10;
                table(s, m).name(r) = "Player " + std::to_string(m) + std::to_string(r);
            }
        table(s, 1).name(1) = "Zo\xEB \xC9lise";  // single-byte letters outside ASCII
        table(s, 1).name(2) = "";
        table(s, 2).name(8) = std::string(24, 'W');  // the longest name that fits
        return s;
    }

    // The settings record and sound switches, and both tables rank by rank, through the records.
    void writeSettings(game::persistence::Settings s) {
        game::persistence::Records records(*store_);
        ASSERT_TRUE(records.saveSettings(s, game::persistence::Settings{}));
        game::persistence::HallOfFame tables;
        for (int m = 1; m <= 2; ++m)
            for (int r = game::persistence::kHallOfFameRanks; r >= 1; --r)
                ASSERT_TRUE(records.insertBestScore(tables, static_cast<game::GameMode>(m),
                                                    static_cast<std::int16_t>(table(s, m).score(r)),
                                                    table(s, m).name(r)));
    }

    std::unique_ptr<platform::RegistryStore> store_;
};

TEST_F(RegistryStoreTest, SettingsRoundTripAndTheRegistryHoldsTheRecordsLayout) {
    game::persistence::Settings saved = sampleSettings();
    saved.solvingData.gameMode = 2;
    saved.solvingData.arcadeLevel = 4;
    writeSettings(saved);

    EXPECT_EQ(rawClass(kSettings), "USERDATA");
    const auto solving = raw(kSettings, "SOLVINGDATA");
    ASSERT_TRUE(solving);
    EXPECT_EQ(solving->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(solving->bytes, (Bytes{3, 0, 2, 0, 4, 0, 0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x7F, 1, 0}));
    const auto sound = raw(kSettings, "SOUNDOPTIONS");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->bytes, (Bytes{1, 0, 0, 0, 1, 0, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0}));
    const auto scores = raw(kSettings, "STATS2");
    ASSERT_TRUE(scores);
    EXPECT_EQ(scores->type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(scores->bytes.size(), 32u);
    EXPECT_EQ(scores->bytes[0] | (scores->bytes[1] << 8), 1990);  // rank 1 of Arcade Mode
    const auto name = raw(kSettings, "STATS13");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(name->bytes, (Bytes{'P', 'l', 'a', 'y', 'e', 'r', ' ', '1', '3', 0}));
    const auto empty = raw(kSettings, "STATS12");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->bytes, Bytes{0});

    // The next start reads back exactly what was written, the non-ASCII name included.
    store_ = std::make_unique<platform::RegistryStore>(kRoot);
    game::persistence::Settings loaded;
    ASSERT_TRUE(game::persistence::Records(*store_).loadSettings(loaded));
    EXPECT_EQ(loaded.solvingData, saved.solvingData);
    EXPECT_EQ(loaded.soundOptions, saved.soundOptions);
    game::persistence::Settings expected = saved;
    for (int m = 1; m <= 2; ++m) {
        EXPECT_EQ(table(loaded, m).scores, table(expected, m).scores);
        EXPECT_EQ(table(loaded, m).names, table(expected, m).names);
    }
}

TEST_F(RegistryStoreTest, ValuesOfTheWrongSizeAreNotTaken) {
    writeSettings(sampleSettings());
    putRaw(kSettings, "SOLVINGDATA", REG_BINARY, Bytes(13, 9));   // one byte short
    putRaw(kSettings, "SOUNDOPTIONS", REG_BINARY, Bytes(16, 0));  // two bytes long
    putRaw(kSettings, "STATS15", REG_SZ, Bytes(26, 'N'));         // 25 letters and a zero: too long
    putRaw(kSettings, "STATS1", REG_BINARY, Bytes(31, 1));        // scores one byte short

    game::persistence::Settings loaded;
    ASSERT_TRUE(game::persistence::Records(*store_).loadSettings(loaded));
    EXPECT_EQ(loaded.solvingData, game::persistence::SolvingData{});  // the record keeps its contents
    for (const std::int16_t s : loaded.soundOptions) EXPECT_EQ(s, 1);
    EXPECT_EQ(table(loaded, 1).name(5), game::persistence::kMissingName);
    EXPECT_EQ(table(loaded, 1).score(5), 0);
    EXPECT_EQ(table(loaded, 1).score(4), 0);  // the unread scores stay 0
    EXPECT_EQ(table(loaded, 1).name(4), "Player 14");
    EXPECT_EQ(table(loaded, 2).name(8), std::string(24, 'W'));
}

TEST_F(RegistryStoreTest, SavedGameRoundTripWithTheSaveKeysValues) {
    // A board of Arcade level 3's size, letters B, C, D, ... row by row.
    const int width = game::level(3).width, height = game::level(3).height;
    std::string letters;
    for (int i = 1; i <= width * height; ++i) letters += static_cast<char>('A' + i % 26);
    const game::GameData g = game::testing::GameBuilder()
                                 .board(letters, width, height)
                                 .mode(game::GameMode::Arcade)
                                 .level(3)
                                 .score(321)
                                 .levelScore(16)  // the points of the level's two words
                                 .timeLeft(1234)
                                 .found({"CAT", "DOGS"})
                                 .build();
    game::persistence::SolvingData record;
    record.startSizeIndex = 1;
    game::persistence::Records records(*store_);
    ASSERT_TRUE(records.saveGame(g, record));

    EXPECT_EQ(rawClass(kSave), "SAVEDATA");
    const auto found = raw(kSave, "FOUNDWORDS");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(found->bytes.begin(), found->bytes.end()), "CAT,DOGS,");
    EXPECT_EQ(raw(kSave, "ISSTORED")->bytes, Bytes{1});
    EXPECT_EQ(raw(kSave, "WIDTH")->bytes, (Bytes{static_cast<std::uint8_t>(g.gridWidth()), 0}));
    EXPECT_EQ(raw(kSave, "TIMEREM")->bytes, (Bytes{0xD2, 0x04, 0, 0}));
    EXPECT_EQ(raw(kSave, "BYTE_DATA")->bytes.size(), static_cast<std::size_t>(g.numCells()));

    store_ = std::make_unique<platform::RegistryStore>(kRoot);
    game::persistence::Records again(*store_);
    ASSERT_EQ(again.isGameStored(), game::persistence::StoredGame::Waiting);
    game::persistence::SavedGame saved;
    ASSERT_EQ(again.loadSavedGame(saved), game::persistence::SavedGameStatus::Loaded);
    EXPECT_EQ(saved.gridWidth, g.gridWidth());
    EXPECT_EQ(saved.gridHeight, g.gridHeight());
    EXPECT_EQ(saved.letters.size(), static_cast<std::size_t>(g.numCells()));
    EXPECT_EQ(saved.letters[0], 'B');
    EXPECT_EQ(saved.gameMode, game::GameMode::Arcade);
    EXPECT_EQ(saved.arcadeLevel, 3);
    EXPECT_EQ(saved.score, 321);
    EXPECT_EQ(saved.levelScore, 16);
    EXPECT_EQ(saved.timeLeft, 1234);
    EXPECT_EQ(saved.foundWords, (std::vector<std::string>{"CAT", "DOGS"}));
    EXPECT_EQ(saved.solvingData, game::persistence::withGame(record, g));
    EXPECT_EQ(raw(kSave, "ISSTORED")->bytes, Bytes{0});  // consumed
    EXPECT_EQ(again.isGameStored(), game::persistence::StoredGame::None);
}

TEST_F(RegistryStoreTest, TheLockNestsAndAnotherProgramWaitsThenIsBusy) {
    platform::StoreLock outer, inner;
    ASSERT_EQ(store_->lock(outer), platform::StoreStatus::Success);
    ASSERT_EQ(store_->lock(inner), platform::StoreStatus::Success);
    inner.release();

    // Another store on the same root, on another thread as another program would be.
    platform::StoreStatus other = platform::StoreStatus::Success;
    long long waitedMs = 0;
    std::thread t([&] {
        platform::RegistryStore second(kRoot);
        platform::StoreLock lock;
        const auto start = std::chrono::steady_clock::now();
        other = second.lock(lock);
        waitedMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    });
    t.join();
    EXPECT_EQ(other, platform::StoreStatus::Busy);
    EXPECT_GE(waitedMs, platform::store_limits::kLockWaitMs - 100);

    outer.release();
    std::thread u([&] {
        platform::RegistryStore second(kRoot);
        platform::StoreLock lock;
        other = second.lock(lock);
    });
    u.join();
    EXPECT_EQ(other, platform::StoreStatus::Success);
}

TEST_F(RegistryStoreTest, ABestScoreRefusedWhileAnotherProgramHoldsTheLockGoesOutWithTheNextWrite) {
    game::persistence::Settings s;
    game::persistence::Records records(*store_);
    // Another program (another store on the same root, on a thread of its own) holds the lock.
    std::atomic<bool> ready{false}, done{false};
    bool held = false;
    std::thread other([&] {
        platform::RegistryStore second(kRoot);
        platform::StoreLock lock;
        held = second.lock(lock) == platform::StoreStatus::Success;
        ready = true;
        while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    });
    while (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(held);
    EXPECT_FALSE(records.insertBestScore(s.hallOfFame, game::GameMode::Classic, 42, "Ada"));
    done = true;
    other.join();
    const game::persistence::HallOfFameTable& shown = *s.hallOfFame.table(game::GameMode::Classic);
    EXPECT_EQ(shown.name(1), "Ada");
    EXPECT_TRUE(shown.unsaved[0]);
    EXPECT_FALSE(raw(kSettings, "STATS11")) << "nothing written while the lock was held";

    EXPECT_TRUE(records.writePending(s.hallOfFame));
    EXPECT_FALSE(shown.unsaved[0]);
    const auto name = raw(kSettings, "STATS11");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->bytes, (Bytes{'A', 'd', 'a', 0}));
}

}  // namespace
