// Loading and saving the settings record, the sound switches and the Hall of Fame tables.
#include "records_fixture.h"

namespace {

using game::GameData;
using game::GameMode;
using game::Settings;
using namespace records_test;

using SettingsTest = RecordsTest;

TEST_F(SettingsTest, FirstRunCreatesTheKeyAndGivesTheDefaults) {
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s, g));
    EXPECT_EQ(keyClass(kSettingsPath), "USERDATA");
    EXPECT_EQ(s.soundOptions, game::kDefaultSoundOptions);
    for (const GameMode mode : {GameMode::Classic, GameMode::Arcade}) {
        for (int rank = 1; rank <= game::kHallOfFameRanks; ++rank) {
            EXPECT_EQ(s.hallOfFame.table(mode)->name(rank), "Anononymous");
            EXPECT_EQ(s.hallOfFame.table(mode)->score(rank), 0);
        }
    }
    EXPECT_EQ(s.solvingData.startSizeIndex, 0);
    EXPECT_EQ(game::startLevel(s.solvingData), 1);  // a 6 x 6 board before any game
    EXPECT_EQ(game::level(game::startLevel(s.solvingData)).width, 6);
    EXPECT_EQ(records_->isGameStored(), game::StoredGame::None);
    EXPECT_EQ(keyClass(kSavePath), "SAVEDATA");  // the offer check made the empty saved-game key
    EXPECT_EQ(store_->openKeyCount(), 0);
}

TEST_F(SettingsTest, SaveWritesEveryValueInItsLayoutAndLoadReadsItBack) {
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s, g));
    s.solvingData.startSizeIndex = 3;
    s.solvingData.reserved = {0xde, 0xad, 0xbe, 0xef, 0x01, 0x02};
    s.solvingData.foundViewAtStart = 1;
    s.soundOptions = {0, 1, 0, 1, 1, -1, 1};
    s.hallOfFame.insertBestScore(GameMode::Classic, 120, "Alice");
    s.hallOfFame.insertBestScore(GameMode::Arcade, 3000, "Bob");
    g.gameMode = GameMode::Arcade;
    g.arcadeLevel = 4;
    ASSERT_TRUE(records_->saveSettings(s, g));

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
    GameData g2;
    ASSERT_TRUE(records_->loadSettings(back, g2));
    EXPECT_EQ(back.solvingData, s.solvingData);  // the reserved bytes survive unchanged
    EXPECT_EQ(back.soundOptions, s.soundOptions);
    EXPECT_EQ(g2.gameMode, GameMode::Arcade);
    EXPECT_EQ(g2.arcadeLevel, 4);
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
    ASSERT_TRUE(records_->loadSettings(s, g));
    const game::HallOfFameTable& t = *s.hallOfFame.table(GameMode::Classic);
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
    ASSERT_TRUE(records_->loadSettings(s, g));
    const game::HallOfFameTable& classic = *s.hallOfFame.table(GameMode::Classic);
    const game::HallOfFameTable& arcade = *s.hallOfFame.table(GameMode::Arcade);
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
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s, g));
    s.hallOfFame.table(GameMode::Classic)->name(3) = "";
    ASSERT_TRUE(records_->saveSettings(s, g));
    EXPECT_EQ(getRaw(kSettingsPath, "STATS13"), (std::vector<std::uint8_t>{0}));
    restart();
    Settings back;
    ASSERT_TRUE(records_->loadSettings(back, g));
    EXPECT_EQ(back.hallOfFame.table(GameMode::Classic)->name(3), "");
    // A zero-length value (not one the game writes) is an empty name too, and text after a zero is cut.
    putText(kSettingsPath, "STATS14", "");
    putText(kSettingsPath, "STATS15", std::string("Al\0ice\0", 7));
    ASSERT_TRUE(records_->loadSettings(back, g));
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
    ASSERT_TRUE(records_->loadSettings(s, g));
    EXPECT_EQ(s.solvingData.startSizeIndex, 5);
    EXPECT_EQ(s.soundOptions, game::kDefaultSoundOptions);
    // The scores were not read; rank 1's missing name then clears its score as usual.
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->name(1), "Anononymous");
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->score(1), 0);
}

TEST_F(SettingsTest, ARecordOutOfRangeIsCarriedBackButNotUsed) {
    // startSizeIndex 57, mode 9, level 300: the board falls back to level 1, the game's mode and
    // level are left alone, and the record goes back out as it came in.
    const std::vector<std::uint8_t> odd{57, 0, 9, 0, 0x2c, 0x01, 0, 0, 0, 0, 0, 0, 0, 0};
    putRaw(kSettingsPath, "SOLVINGDATA", odd);
    Settings s;
    GameData g;
    g.gameMode = GameMode::Classic;
    g.arcadeLevel = 1;
    ASSERT_TRUE(records_->loadSettings(s, g));
    EXPECT_EQ(s.solvingData.startSizeIndex, 57);
    EXPECT_EQ(game::startLevel(s.solvingData), 1);
    EXPECT_EQ(g.gameMode, GameMode::Classic);
    EXPECT_EQ(g.arcadeLevel, 1);
    ASSERT_TRUE(records_->saveSettings(s, g));
    EXPECT_EQ((*getRaw(kSettingsPath, "SOLVINGDATA"))[0], 57);
}

TEST_F(SettingsTest, AStoreThatCannotBeOpenedIsReportedAndNothingIsRead) {
    UnavailableStore unavailable;
    game::Records records(unavailable);
    Settings s;  // as at start-up: switches all 0, scores 0, names empty
    GameData g;
    EXPECT_FALSE(records.loadSettings(s, g));
    EXPECT_EQ(s.soundOptions, game::SoundOptions{});
    EXPECT_EQ(s.hallOfFame.table(GameMode::Classic)->name(1), "");
    EXPECT_FALSE(records.saveSettings(s, g));
    EXPECT_EQ(records.isGameStored(), game::StoredGame::StoreUnavailable);
    EXPECT_FALSE(records.saveGame(g, s.solvingData));
    game::SavedGame saved;
    EXPECT_EQ(records.loadSavedGame(saved), game::SavedGameStatus::StoreUnavailable);
}

TEST_F(SettingsTest, AWriteThatFailsIsReportedNotSwallowed) {
    // The store's folder cannot be made: a plain file stands where it should be.
    std::filesystem::create_directories(root_);
    std::ofstream(root_ / "varnook") << "not a folder";
    restart();
    Settings s;
    GameData g;
    ASSERT_TRUE(records_->loadSettings(s, g));  // reading works: there is simply nothing stored
    EXPECT_FALSE(records_->saveSettings(s, g));
    g.gridLetters.reset(g.numCells(), 'A');
    EXPECT_FALSE(records_->saveGame(g, s.solvingData));
}

}  // namespace
