// Loading and saving the settings record, the sound switches and the Hall of Fame tables.
#include "game_builder.h"
#include "memory_store.h"
#include "records_fixture.h"

namespace {

using game::GameData;
using game::GameMode;
using game::persistence::Settings;
using namespace records_test;

using SettingsTest = RecordsTest;

TEST_F(SettingsTest, FirstRunCreatesTheKeyAndGivesTheDefaults) {
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s));
    EXPECT_EQ(keyClass(kSettingsPath), "USERDATA");
    EXPECT_EQ(s.soundOptions, game::kDefaultSoundOptions);
    for (const GameMode mode : {GameMode::Classic, GameMode::Arcade}) {
        for (int rank = 1; rank <= game::persistence::kHallOfFameRanks; ++rank) {
            EXPECT_EQ(s.hallOfFame.table(mode)->name(rank), "Anononymous");
            EXPECT_EQ(s.hallOfFame.table(mode)->score(rank), 0);
        }
    }
    EXPECT_EQ(s.solvingData.startSizeIndex, 0);
    EXPECT_EQ(game::persistence::startLevel(s.solvingData), 1);  // a 6 x 6 board before any game
    EXPECT_EQ(game::level(game::persistence::startLevel(s.solvingData)).width, 6);
    EXPECT_EQ(records_->isGameStored(), game::persistence::StoredGame::None);
    EXPECT_EQ(keyClass(kSavePath), "SAVEDATA");  // the offer check made the empty saved-game key
    EXPECT_EQ(store_->openKeyCount(), 0);
}

TEST_F(SettingsTest, SaveWritesEveryValueInItsLayoutAndLoadReadsItBack) {
    Settings s;
    ASSERT_TRUE(records_->loadSettings(s));
    const Settings loaded = s;
    s.solvingData.startSizeIndex = 3;
    s.solvingData.gameMode = 2;
    s.solvingData.arcadeLevel = 4;
    s.solvingData.reserved = {0xde, 0xad, 0xbe, 0xef, 0x01, 0x02};
    s.solvingData.foundViewAtStart = 1;
    s.soundOptions = {0, 1, 0, 1, 1, -1, 1};
    ASSERT_TRUE(records_->saveSettings(s, loaded));
    ASSERT_TRUE(records_->insertBestScore(s.hallOfFame, GameMode::Classic, 120, "Alice"));
    ASSERT_TRUE(records_->insertBestScore(s.hallOfFame, GameMode::Arcade, 3000, "Bob"));

    EXPECT_EQ(getRaw(kSettingsPath, "SOLVINGDATA"),
              (std::vector<std::uint8_t>{3, 0, 2, 0, 4, 0, 0xde, 0xad, 0xbe, 0xef, 0x01, 0x02, 1, 0}));
    EXPECT_EQ(getRaw(kSettingsPath, "SOUNDOPTIONS"),
              (std::vector<std::uint8_t>{0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0xff, 0xff, 1, 0}));
    EXPECT_EQ(getRaw(kSettingsPath, "STATS1"), le32({120, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(getRaw(kSettingsPath, "STATS2"), le32({3000, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(getRaw(kSettingsPath, "STATS11"), (std::vector<std::uint8_t>{'A', 'l', 'i', 'c', 'e', 0}));
    EXPECT_EQ(getRaw(kSettingsPath, "STATS28"),
              (std::vector<std::uint8_t>{'A', 'n', 'o', 'n', 'o', 'n', 'y', 'm', 'o', 'u', 's', 0}));

    restart();
    Settings back;
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.solvingData, s.solvingData);  // the reserved bytes survive unchanged
    EXPECT_EQ(back.soundOptions, s.soundOptions);
    for (const GameMode mode : {GameMode::Classic, GameMode::Arcade}) {
        EXPECT_EQ(back.hallOfFame.table(mode)->scores, s.hallOfFame.table(mode)->scores);
        EXPECT_EQ(back.hallOfFame.table(mode)->names, s.hallOfFame.table(mode)->names);
    }
}

TEST_F(SettingsTest, ANameOf24CharactersLoadsAndOneOf25DoesNot) {
    putRaw(kSettingsPath, "STATS1", le32({900, 800, 700, 600, 500, 400, 300, 200}));
    putText(kSettingsPath, "STATS11", std::string(24, 'x') + '\0');
    putText(kSettingsPath, "STATS12", std::string(25, 'y') + '\0');
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s));
    const game::persistence::HallOfFameTable& t = *s.hallOfFame.table(GameMode::Classic);
    EXPECT_EQ(t.name(1), std::string(24, 'x'));
    EXPECT_EQ(t.score(1), 900);
    EXPECT_EQ(t.name(2), "Anononymous");
    EXPECT_EQ(t.score(2), 0);
}

TEST_F(SettingsTest, MissingScoresKeepZeroAndAMissingNameClearsItsRank) {
    // Classic: names but no STATS1. Arcade: scores, but rank 2's name is missing.
    for (int rank = 1; rank <= 8; ++rank)
        putText(kSettingsPath, "STATS1" + std::to_string(rank), "N" + std::to_string(rank) + '\0');
    putRaw(kSettingsPath, "STATS2", le32({900, 800, 700, 600, 500, 400, 300, 200}));
    for (int rank = 1; rank <= 8; ++rank)
        if (rank != 2) putText(kSettingsPath, "STATS2" + std::to_string(rank), "A" + std::to_string(rank) + '\0');
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s));
    const game::persistence::HallOfFameTable& classic = *s.hallOfFame.table(GameMode::Classic);
    const game::persistence::HallOfFameTable& arcade = *s.hallOfFame.table(GameMode::Arcade);
    for (int rank = 1; rank <= 8; ++rank) {
        EXPECT_EQ(classic.name(rank), "N" + std::to_string(rank));
        EXPECT_EQ(classic.score(rank), 0);
    }
    EXPECT_EQ(arcade.name(2), "Anononymous");
    EXPECT_EQ(arcade.score(2), 0);
    EXPECT_EQ(arcade.name(1), "A1");
    EXPECT_EQ(arcade.score(1), 900);
    EXPECT_EQ(arcade.score(3), 700);
    EXPECT_EQ(arcade.score(8), 200);
}

TEST_F(SettingsTest, AnEmptyNameIsOneZeroByteAndReadsBackEmpty) {
    Settings s;
    ASSERT_TRUE(records_->loadSettings(s));
    ASSERT_TRUE(records_->insertBestScore(s.hallOfFame, GameMode::Classic, 50, ""));
    EXPECT_EQ(getRaw(kSettingsPath, "STATS11"), (std::vector<std::uint8_t>{0}));
    restart();
    Settings back;
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(1), "");
    // A zero-length value (not one the game writes) is an empty name too, and text after a zero is cut.
    putText(kSettingsPath, "STATS14", "");
    putText(kSettingsPath, "STATS15", std::string("Al\0ice\0", 7));
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(4), "");
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(5), "Al");
}

TEST_F(SettingsTest, ValuesOfTheWrongSizeAreTreatedAsUnreadable) {
    putRaw(kSettingsPath, "SOLVINGDATA", std::vector<std::uint8_t>(13, 7));
    putRaw(kSettingsPath, "SOUNDOPTIONS", std::vector<std::uint8_t>(12, 0));
    putRaw(kSettingsPath, "STATS1", std::vector<std::uint8_t>(31, 9));
    Settings s;
    s.solvingData.startSizeIndex = 5;  // as if set before: an unreadable record keeps the block
    s.hallOfFame.table(GameMode::Classic)->score(1) = 42;
    s.hallOfFame.table(GameMode::Classic)->name(1) = "kept";
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s));
    EXPECT_EQ(s.solvingData.startSizeIndex, 5);
    EXPECT_EQ(s.soundOptions, game::kDefaultSoundOptions);
    // The scores were not read; rank 1's missing name then clears its score as usual.
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->name(1), "Anononymous");
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->score(1), 0);
}

TEST_F(SettingsTest, ARecordOutOfRangeIsCarriedBackButNotUsed) {
    // startSizeIndex 57, mode 9, level 300: the board falls back to level 1, and the record goes back
    // out as it came in, mode and level included.
    const std::vector<std::uint8_t> odd{57, 0, 9, 0, 0x2c, 0x01, 0, 0, 0, 0, 0, 0, 0, 0};
    putRaw(kSettingsPath, "SOLVINGDATA", odd);
    Settings s;
    ASSERT_TRUE(records_->loadSettings(s));
    EXPECT_EQ(s.solvingData.startSizeIndex, 57);
    EXPECT_EQ(game::persistence::startLevel(s.solvingData), 1);
    EXPECT_EQ(s.solvingData.gameMode, 9);
    EXPECT_EQ(s.solvingData.arcadeLevel, 300);
    ASSERT_TRUE(records_->saveSettings(s, Settings{}));
    EXPECT_EQ(getRaw(kSettingsPath, "SOLVINGDATA"), odd);
}

TEST_F(SettingsTest, OnlyWhatThisCopyChangedIsWrittenBack) {
    // Two copies of the game start on the same store.
    Settings a, b;
    ASSERT_TRUE(records_->loadSettings(a));
    platform::FileStore otherStore(platform::FileStore::defaultFolder());
    game::persistence::Records other(otherStore);
    ASSERT_TRUE(other.loadSettings(b));
    const Settings aLoaded = a, bLoaded = b;

    // A ranks a score and switches the sound off; B, idle, exits afterwards: A's changes stay.
    ASSERT_TRUE(records_->insertBestScore(a.hallOfFame, GameMode::Classic, 300, "A"));
    a.soundOptions[0] = 0;
    ASSERT_TRUE(records_->saveSettings(a, aLoaded));
    ASSERT_TRUE(other.saveSettings(b, bLoaded));
    restart();
    Settings back;
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(1), "A");
    EXPECT_EQ(back.soundOptions[0], 0);

    // B's own best score goes into the table as the store holds it, below A's.
    ASSERT_TRUE(other.insertBestScore(b.hallOfFame, GameMode::Classic, 200, "B"));
    EXPECT_EQ(b.hallOfFame.table(GameMode::Classic)->name(1), "A") << "B's table is the store's now";
    EXPECT_EQ(b.hallOfFame.table(GameMode::Classic)->name(2), "B");
    restart();
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->score(1), 300);
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->score(2), 200);

    // "Clear Scores" in one copy clears the store's table, not a stale one.
    ASSERT_TRUE(records_->clearScores(back.hallOfFame, GameMode::Classic));
    restart();
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->score(1), 0);
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(1), "Anonoymous");
}

TEST_F(SettingsTest, AChosenZoomIsKeptAsADwordAndNothingIsWrittenWithoutOne) {
    Settings s;
    ASSERT_TRUE(records_->loadSettings(s));
    EXPECT_EQ(s.zoom, 0) << "none chosen yet";
    const Settings loaded = s;
    ASSERT_TRUE(records_->saveSettings(s, loaded));
    EXPECT_EQ(getRaw(kSettingsPath, "ZOOM"), std::nullopt) << "the fitting zoom is not a choice";

    s.zoom = 3;
    ASSERT_TRUE(records_->saveSettings(s, loaded));
    EXPECT_EQ(getRaw(kSettingsPath, "ZOOM"), le32({3}));
    restart();
    Settings back;
    ASSERT_TRUE(records_->loadSettings(back));
    EXPECT_EQ(back.zoom, 3);
    // Another copy of the game that chose nothing leaves it as it is.
    ASSERT_TRUE(records_->saveSettings(back, back));
    EXPECT_EQ(getRaw(kSettingsPath, "ZOOM"), le32({3}));

    // A stored value outside 1..4, or of another size, counts as none.
    for (const auto& bytes : {le32({0}), le32({5}), le32({-2}), std::vector<std::uint8_t>{2, 0}}) {
        putRaw(kSettingsPath, "ZOOM", bytes,
               bytes.size() == 4 ? platform::ValueType::Dword : platform::ValueType::Binary);
        restart();
        ASSERT_TRUE(records_->loadSettings(back));
        EXPECT_EQ(back.zoom, 0);
    }
}

TEST_F(SettingsTest, AScoreThatNoLongerRanksInTheStoresTableIsNotInserted) {
    Settings a, b;
    ASSERT_TRUE(records_->loadSettings(a));
    platform::FileStore otherStore(platform::FileStore::defaultFolder());
    game::persistence::Records other(otherStore);
    ASSERT_TRUE(other.loadSettings(b));
    for (int i = 0; i < game::persistence::kHallOfFameRanks; ++i)
        ASSERT_TRUE(records_->insertBestScore(a.hallOfFame, GameMode::Arcade, static_cast<std::int16_t>(900 - i),
                                              "A" + std::to_string(i)));
    // B's 50 ranked in B's empty table, but the store's table is full of higher scores by now.
    ASSERT_TRUE(other.insertBestScore(b.hallOfFame, GameMode::Arcade, 50, "B"));
    EXPECT_EQ(b.hallOfFame.table(GameMode::Arcade)->score(8), 893);
    EXPECT_EQ(b.hallOfFame.table(GameMode::Arcade)->name(8), "A7");
}

TEST(PendingBestScores, AScoreTheStoreRefusesStaysMarkedAndGoesOutWithTheNextWrite) {
    game::testing::MemoryStore store;
    game::persistence::Records mine(store), other(store);
    Settings a, b;
    const game::persistence::HallOfFameTable& shown = *a.hallOfFame.table(GameMode::Classic);
    auto ranks = [](const game::persistence::HallOfFameTable& t) {
        std::vector<std::pair<std::string, std::int32_t>> r;
        for (int i = 1; i <= 4; ++i) r.emplace_back(t.name(i), t.score(i));
        return r;
    };
    // Another program holds the lock: the score goes on this run's table only, marked.
    store.lockStatus = platform::StoreStatus::Busy;
    EXPECT_FALSE(mine.insertBestScore(a.hallOfFame, GameMode::Classic, 10, "Ada"));
    EXPECT_EQ(shown.name(1), "Ada");
    EXPECT_TRUE(shown.unsaved[0]);
    // The lock comes back but the write does not last: the store's table with both pending
    // scores on top, each once, still marked.
    store.lockStatus = platform::StoreStatus::Success;
    store.failWrites = true;
    EXPECT_FALSE(mine.insertBestScore(a.hallOfFame, GameMode::Classic, 30, "Cy"));
    using Ranks = std::vector<std::pair<std::string, std::int32_t>>;
    EXPECT_EQ(ranks(shown), (Ranks{{"Cy", 30}, {"Ada", 10}, {"Anononymous", 0}, {"Anononymous", 0}}));
    EXPECT_EQ(shown.unsaved, (std::array<bool, game::persistence::kHallOfFameRanks>{true, true}));
    EXPECT_EQ(mine.pending().size(), 2u);
    store.failWrites = false;

    // Another copy ranks a score meanwhile; this copy's next write (clearing the other table) takes
    // both pending scores into the store around it.
    ASSERT_TRUE(other.insertBestScore(b.hallOfFame, GameMode::Classic, 20, "Bob"));
    EXPECT_TRUE(mine.clearScores(a.hallOfFame, GameMode::Arcade));
    EXPECT_TRUE(mine.pending().empty());
    EXPECT_EQ(shown.unsaved, (std::array<bool, game::persistence::kHallOfFameRanks>{}));
    const Ranks expected{{"Cy", 30}, {"Bob", 20}, {"Ada", 10}, {"Anononymous", 0}};
    EXPECT_EQ(ranks(shown), expected);
    Settings back;
    ASSERT_TRUE(game::persistence::Records(store).loadSettings(back));
    EXPECT_EQ(ranks(*back.hallOfFame.table(GameMode::Classic)), expected);
    EXPECT_EQ(back.hallOfFame.table(GameMode::Arcade)->name(1), "Anonoymous");
}

TEST_F(SettingsTest, AStoreThatCannotBeOpenedIsReportedAndNothingIsRead) {
    UnavailableStore unavailable;
    game::persistence::Records records(unavailable);
    Settings s;  // as at start-up: switches all 0, scores 0, names empty
    GameData g;
    EXPECT_FALSE(records.loadSettings(s));
    EXPECT_EQ(s.soundOptions, game::SoundOptions{});
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->name(1), "");
    EXPECT_FALSE(records.saveSettings(s, Settings{}));
    EXPECT_EQ(records.isGameStored(), game::persistence::StoredGame::StoreUnavailable);
    EXPECT_FALSE(records.saveGame(g, s.solvingData));
    game::persistence::SavedGame saved;
    EXPECT_EQ(records.loadSavedGame(saved), game::persistence::SavedGameStatus::StoreUnavailable);
}

TEST_F(SettingsTest, AWriteThatFailsIsReportedNotSwallowed) {
    // The store's folder cannot be made: a plain file stands where it should be.
    std::filesystem::create_directories(root_);
    std::ofstream(root_ / "varnook") << "not a folder";
    restart();
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s));  // reading works: there is simply nothing stored
    EXPECT_FALSE(records_->saveSettings(s, Settings{}));
    EXPECT_FALSE(records_->insertBestScore(s.hallOfFame, GameMode::Classic, 10, "X"));
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->name(1), "X") << "the score is kept for this run";
    g = game::testing::GameBuilder(g).letters(std::string(static_cast<std::size_t>(g.numCells()), 'A')).build();
    EXPECT_FALSE(records_->saveGame(g, s.solvingData));
}

}  // namespace
