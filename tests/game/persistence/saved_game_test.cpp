// The saved game: round trips of every kind of game, the consumed flag, and records that were
// tampered with or damaged, which are refused (or, for a short found-word text, trimmed).
#include <fstream>
#include <functional>
#include <map>

#include "game/persistence/saved_game.h"
#include "game/play/puzzle.h"
#include "game_builder.h"
#include "memory_store.h"
#include "records_fixture.h"

namespace {

using game::GameData;
using game::GameMode;
using game::persistence::SavedGame;
using game::persistence::SavedGameStatus;
using game::persistence::SolvingData;
using namespace records_test;
using Bytes = std::vector<std::uint8_t>;

// A game on a board of the given level's size, letters A, B, C, ... row by row.
GameData gameOn(int levelNumber, GameMode mode, std::vector<std::string> found) {
    const int width = game::level(levelNumber).width, height = game::level(levelNumber).height;
    std::string letters;
    for (int i = 1; i <= width * height; ++i) letters += static_cast<char>('A' + (i - 1) % 26);
    return game::testing::GameBuilder()
        .board(letters, width, height)
        .mode(mode)
        .level(mode == GameMode::Arcade ? levelNumber : 0)
        .found(found)
        .build();
}

// Gives the game solution tables holding exactly these words.
void setSolutions(GameData& g, const std::vector<std::string>& words) {
    game::testing::GameBuilder b(g);
    b.noSolutions();
    for (const std::string& w : words) b.solution(w, {});
    g = b.build();
}

class SavedGameTest : public RecordsTest {
protected:
    SolvingData record() const {
        SolvingData d;
        d.startSizeIndex = 2;
        d.reserved = {1, 2, 3, 4, 5, 6};
        d.foundViewAtStart = 1;
        return d;
    }

    // Saves, offers, loads and applies: what the next start of the game would see.
    GameData resume(const GameData& saved, SolvingData* restored = nullptr) {
        EXPECT_TRUE(records_->saveGame(saved, record()));
        restart();
        EXPECT_EQ(records_->isGameStored(), game::persistence::StoredGame::Waiting);
        SavedGame loaded;
        EXPECT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);
        GameData g;
        SolvingData d;
        game::persistence::applySavedGame(loaded, g, d);
        if (restored != nullptr) *restored = d;
        return g;
    }

    // Every value of the saved-game key.
    std::map<std::string, Bytes> storedValues() {
        std::map<std::string, Bytes> out;
        for (const char* name : {"ISSTORED", "HEIGHT", "WIDTH", "MODE_NUM", "BYTE_DATA", "SCORE", "NWORDSFOUND",
                                 "SWORDSFOUND", "TIMEREM", "CURLEVELSCORE", "FOUNDWORDS", "PUZZLENUMBER",
                                 "LANGUAGE"}) {
            if (auto v = getRaw(kSavePath, name)) out[name] = *v;
        }
        return out;
    }
};

TEST_F(SavedGameTest, AGameWithoutWordsRoundTrips) {
    const GameData saved = gameOn(1, GameMode::Classic, {});
    const GameData g = resume(saved);
    EXPECT_EQ(getRaw(kSavePath, "FOUNDWORDS"), Bytes{});
    EXPECT_EQ(getRaw(kSavePath, "NWORDSFOUND"), le32({0}));
    EXPECT_EQ(g.numFoundWords(), 0);
    EXPECT_TRUE(g.foundWords().empty());
    EXPECT_EQ(g.gridWidth(), 6);
    EXPECT_EQ(g.gridHeight(), 6);
    EXPECT_EQ(g.gridLetters().raw(), saved.gridLetters().raw());
}

TEST_F(SavedGameTest, AClassicGameWithWordsRoundTripsInStoredOrder) {
    GameData saved = gameOn(3, GameMode::Classic, {"CAT", "DOG", "TEA"});
    saved = game::testing::GameBuilder(saved)
                .score(18)
                .timeLeft(77)
                .build();  // left over from an earlier Arcade run; not used by Classic Mode
    ASSERT_TRUE(records_->saveGame(saved, record()));
    EXPECT_EQ(keyClass(kSavePath), "SAVEDATA");
    const std::string text = "CAT,DOG,TEA,";
    EXPECT_EQ(getRaw(kSavePath, "FOUNDWORDS"), Bytes(text.begin(), text.end()));  // no terminating zero
    EXPECT_EQ(getRaw(kSavePath, "SWORDSFOUND"), le32({12}));
    EXPECT_EQ(getRaw(kSavePath, "ISSTORED"), Bytes{1});
    EXPECT_EQ(getRaw(kSavePath, "HEIGHT"), (Bytes{5, 0}));
    EXPECT_EQ(getRaw(kSavePath, "WIDTH"), (Bytes{5, 0}));
    EXPECT_EQ(getRaw(kSavePath, "MODE_NUM"), (Bytes{2, 0, 1, 0, 0, 0, 1, 2, 3, 4, 5, 6, 1, 0}));
    EXPECT_EQ(getRaw(kSavePath, "BYTE_DATA")->size(), 25u);
    EXPECT_EQ(getRaw(kSavePath, "SCORE"), le32({18}));

    SolvingData restored;
    const GameData g = resume(saved, &restored);
    EXPECT_EQ(g.gameMode(), GameMode::Classic);
    EXPECT_EQ(g.score(), 18);
    EXPECT_EQ(g.numFoundWords(), 3);
    EXPECT_EQ(g.foundWords().raw(), (std::vector<std::string>{"CAT", "DOG", "TEA"}));
    // The settings record comes back with the game, with the mode and level of that game.
    EXPECT_EQ(restored, game::persistence::withGame(record(), saved));
}

TEST_F(SavedGameTest, AClassicGameKeepsItsPuzzleNumberAndAnOlderRecordResumesWithoutOne) {
    GameData saved = gameOn(6, GameMode::Classic, {});  // 5 x 4
    saved = game::testing::GameBuilder(saved).seed(1234).build();
    GameData g = resume(saved);
    EXPECT_EQ(getRaw(kSavePath, "PUZZLENUMBER"), (Bytes{'5', 'x', '4', '-', '1', '2', '3', '4', 0}));
    EXPECT_EQ(g.puzzleSeed(), 1234);

    // The same record as a game without numbers wrote it: every value but the number.
    std::map<std::string, Bytes> values = storedValues();
    values["ISSTORED"] = {1};
    values.erase("PUZZLENUMBER");
    std::string pattern = (std::filesystem::temp_directory_path() / "varnook-records-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path older = pattern;
    setenv("XDG_CONFIG_HOME", older.string().c_str(), 1);
    restart();
    for (const auto& [name, bytes] : values)
        putRaw(kSavePath, name, bytes,
               name == "FOUNDWORDS" ? platform::ValueType::String : platform::ValueType::Binary);
    ASSERT_EQ(getRaw(kSavePath, "PUZZLENUMBER"), std::nullopt);
    SavedGame loaded;
    ASSERT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);
    EXPECT_EQ(loaded.puzzleNumber, std::nullopt);
    SolvingData d;
    g = game::testing::GameBuilder(g).seed(99).build();
    game::persistence::applySavedGame(loaded, g, d);
    EXPECT_EQ(g.puzzleSeed(), std::nullopt);
    EXPECT_EQ(g.gridLetters().raw(), saved.gridLetters().raw());
    records_.reset();
    store_.reset();
    std::error_code ec;
    std::filesystem::remove_all(older, ec);
    setenv("XDG_CONFIG_HOME", root_.string().c_str(), 1);
}

TEST(SavedPuzzleNumber, OnlyAClassicNumberOfTheRecordsOwnBoardIsKept) {
    SavedGame saved;
    saved.gridWidth = 5;
    saved.gridHeight = 4;
    saved.gameMode = GameMode::Classic;
    EXPECT_EQ(game::persistence::savedPuzzleNumber("5x4-77", saved), (game::PuzzleNumber{5, 4, 77}));
    EXPECT_EQ(game::persistence::savedPuzzleNumber(std::string_view("5x4-77\0", 7), saved),
              (game::PuzzleNumber{5, 4, 77}));
    EXPECT_EQ(game::persistence::savedPuzzleNumber("4x5-77", saved), std::nullopt);
    EXPECT_EQ(game::persistence::savedPuzzleNumber("6x6-77", saved), std::nullopt);
    EXPECT_EQ(game::persistence::savedPuzzleNumber("", saved), std::nullopt);
    EXPECT_EQ(game::persistence::savedPuzzleNumber("5x4-10001", saved), std::nullopt);
    saved.gameMode = GameMode::Arcade;
    EXPECT_EQ(game::persistence::savedPuzzleNumber("5x4-77", saved), std::nullopt);

    GameData g = gameOn(6, GameMode::Classic, {});
    EXPECT_EQ(game::persistence::puzzleNumberRecord(g), "") << "a board whose seed is not known";
    g = game::testing::GameBuilder(g).seed(0).build();
    EXPECT_EQ(game::persistence::puzzleNumberRecord(g), "5x4-0");
    g = game::testing::GameBuilder(g).mode(GameMode::Arcade).build();
    EXPECT_EQ(game::persistence::puzzleNumberRecord(g), "");
}

TEST_F(SavedGameTest, AnArcadeGameKeepsItsClockLevelAndLevelScore) {
    GameData saved = gameOn(5, GameMode::Arcade, {"ABC", "GHIJ"});
    saved = game::testing::GameBuilder(saved).timeLeft(1205).score(640).levelScore(16).build();
    const GameData g = resume(saved);
    EXPECT_EQ(g.gameMode(), GameMode::Arcade);
    EXPECT_EQ(g.arcadeLevel(), 5);
    EXPECT_EQ(g.timeLeft(), 1205);
    EXPECT_EQ(g.score(), 640);
    EXPECT_EQ(g.levelScore(), 16);
    EXPECT_EQ(g.gridWidth(), 6);
    EXPECT_EQ(g.gridHeight(), 4);
    EXPECT_EQ(g.numCells(), 24);
}

TEST_F(SavedGameTest, TheOfferStaysUntilTheGameIsLoadedThenItIsConsumed) {
    ASSERT_TRUE(records_->saveGame(gameOn(1, GameMode::Classic, {}), record()));
    restart();
    EXPECT_EQ(records_->isGameStored(), game::persistence::StoredGame::Waiting);
    restart();
    EXPECT_EQ(records_->isGameStored(), game::persistence::StoredGame::Waiting);  // declined: offered again
    SavedGame loaded;
    ASSERT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);
    EXPECT_EQ(getRaw(kSavePath, "ISSTORED"), Bytes{0});
    restart();
    EXPECT_EQ(records_->isGameStored(), game::persistence::StoredGame::None);
}

TEST_F(SavedGameTest, FoundWordsMustBeWordsOfTheRebuiltPuzzle) {
    GameData g = gameOn(1, GameMode::Classic, {"CAT", "DOGS", "TEA"});
    setSolutions(g, {"CAT", "DOGS", "TEA", "EAT"});
    EXPECT_TRUE(game::foundWordsAreSolutions(g));
    setSolutions(g, {"CAT", "DOGS"});
    EXPECT_FALSE(game::foundWordsAreSolutions(g));
    GameData none = gameOn(1, GameMode::Classic, {});
    EXPECT_TRUE(game::foundWordsAreSolutions(none));
}

TEST_F(SavedGameTest, AScoreThatIsNotThePointsOfTheFoundWordsIsRefused) {
    // Classic: a SCORE of 90 with three words worth 18 would rank in the Hall of Fame unearned.
    GameData classic = gameOn(1, GameMode::Classic, {"CAT", "DOG", "TEA"});
    classic = game::testing::GameBuilder(classic).score(90).build();
    ASSERT_TRUE(records_->saveGame(classic, record()));
    SavedGame loaded;
    EXPECT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::BadScore);
    classic = game::testing::GameBuilder(classic).score(18).build();
    ASSERT_TRUE(records_->saveGame(classic, record()));
    EXPECT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);

    // Arcade: the level's score is the points of the level's words, and the run's score is not less.
    GameData arcade = gameOn(5, GameMode::Arcade, {"ABC", "GHIJ"});
    arcade = game::testing::GameBuilder(arcade).timeLeft(1000).score(15).levelScore(16).build();
    ASSERT_TRUE(records_->saveGame(arcade, record()));
    EXPECT_NE(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);
    arcade = game::testing::GameBuilder(arcade).score(500).build();
    ASSERT_TRUE(records_->saveGame(arcade, record()));
    EXPECT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);
}

TEST_F(SavedGameTest, AGameTakenByAnotherCopyIsNotResumedTwice) {
    ASSERT_TRUE(records_->saveGame(gameOn(1, GameMode::Classic, {}), record()));
    // Two copies of the game both see the game waiting and both offer it.
    platform::FileStore otherStore(platform::FileStore::defaultFolder());
    game::persistence::Records other(otherStore);
    EXPECT_EQ(records_->isGameStored(), game::persistence::StoredGame::Waiting);
    EXPECT_EQ(other.isGameStored(), game::persistence::StoredGame::Waiting);
    SavedGame a, b;
    EXPECT_EQ(other.loadSavedGame(b), SavedGameStatus::Loaded);
    EXPECT_EQ(records_->loadSavedGame(a), SavedGameStatus::NotWaiting);
    EXPECT_TRUE(a.letters.empty());
}

TEST(SavedGameTaken, AGameWhoseTakenMarkCannotBeWrittenIsNotResumed) {
    game::testing::MemoryStore store;
    game::persistence::Records records(store);
    GameData g = gameOn(1, GameMode::Classic, {"CAT"});
    g = game::testing::GameBuilder(g).score(6).build();
    ASSERT_TRUE(records.saveGame(g, SolvingData{}));
    SavedGame loaded;
    // Neither a lock that cannot be had (busy, or a folder that cannot be written) nor a mark that
    // does not last takes the game.
    for (const platform::StoreStatus lock : {platform::StoreStatus::Busy, platform::StoreStatus::WriteFailed}) {
        store.lockStatus = lock;
        EXPECT_EQ(records.loadSavedGame(loaded), SavedGameStatus::NotTaken);
    }
    store.lockStatus = platform::StoreStatus::Success;
    store.failWrites = true;
    EXPECT_EQ(records.loadSavedGame(loaded), SavedGameStatus::NotTaken);
    EXPECT_TRUE(loaded.letters.empty()) << "nothing is read";
    store.failWrites = false;
    EXPECT_EQ(records.isGameStored(), game::persistence::StoredGame::Waiting) << "still saved, for a later try";
    EXPECT_EQ(records.loadSavedGame(loaded), SavedGameStatus::Loaded);
    EXPECT_EQ(records.isGameStored(), game::persistence::StoredGame::None);
}

struct Tamper {
    std::string what;
    std::function<void(std::map<std::string, Bytes>&)> change;
    SavedGameStatus expected;
};

Bytes le16(std::int16_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8)};
}
Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST_F(SavedGameTest, TamperedRecordsAreRefusedAndStillConsumed) {
    // A valid Arcade game on level 3 (5 x 5): CAT, DOG, TEA found.
    GameData base = gameOn(3, GameMode::Arcade, {"CAT", "DOG", "TEA"});
    base = game::testing::GameBuilder(base).timeLeft(1205).score(300).levelScore(18).build();
    ASSERT_TRUE(records_->saveGame(base, record()));
    const std::map<std::string, Bytes> valid = storedValues();
    ASSERT_EQ(valid.size(), 13u);

    using S = SavedGameStatus;
    auto setMode = [](std::int16_t mode, std::int16_t level) {
        return [=](std::map<std::string, Bytes>& v) {
            v["MODE_NUM"][2] = le16(mode)[0];
            v["MODE_NUM"][3] = le16(mode)[1];
            v["MODE_NUM"][4] = le16(level)[0];
            v["MODE_NUM"][5] = le16(level)[1];
        };
    };
    auto setWords = [](std::int32_t n, std::string_view t) {
        return [=](std::map<std::string, Bytes>& v) {
            v["NWORDSFOUND"] = RecordsTest::le32({n});
            v["SWORDSFOUND"] = RecordsTest::le32({static_cast<std::int32_t>(t.size())});
            v["FOUNDWORDS"] = text(t);
        };
    };
    const std::vector<Tamper> cases = {
        {"HEIGHT missing", [](auto& v) { v.erase("HEIGHT"); }, S::MissingValue},
        {"WIDTH of 3 bytes",
         [](auto& v) {
             v["WIDTH"] = {5, 0, 0};
         },
         S::MissingValue},
        {"width 7", [](auto& v) { v["WIDTH"] = le16(7); }, S::BadBoard},
        {"4 x 6, not a board of the game",
         [](auto& v) {
             v["WIDTH"] = le16(4);
             v["HEIGHT"] = le16(6);
         },
         S::BadBoard},
        {"0 x 0",
         [](auto& v) {
             v["WIDTH"] = le16(0);
             v["HEIGHT"] = le16(0);
         },
         S::BadBoard},
        {"negative width", [](auto& v) { v["WIDTH"] = le16(-5); }, S::BadBoard},
        {"huge board",
         [](auto& v) {
             v["WIDTH"] = le16(32767);
             v["HEIGHT"] = le16(32767);
         },
         S::BadBoard},
        {"letters shorter than the board", [](auto& v) { v["BYTE_DATA"].pop_back(); }, S::BadLetters},
        {"letters longer than the board", [](auto& v) { v["BYTE_DATA"].push_back('A'); }, S::BadLetters},
        {"BYTE_DATA missing", [](auto& v) { v.erase("BYTE_DATA"); }, S::BadLetters},
        {"a zero letter (a hole)", [](auto& v) { v["BYTE_DATA"][4] = 0; }, S::BadLetters},
        {"a byte above 127 that is no letter", [](auto& v) { v["BYTE_DATA"][4] = 0xA0; }, S::BadLetters},
        {"a comma letter", [](auto& v) { v["BYTE_DATA"][0] = ','; }, S::BadLetters},
        {"a language this program does not play", [](auto& v) { v["LANGUAGE"] = Bytes{'x', 'x'}; }, S::BadLetters},
        {"a blank letter", [](auto& v) { v["BYTE_DATA"][0] = ' '; }, S::BadLetters},
        {"MODE_NUM missing", [](auto& v) { v.erase("MODE_NUM"); }, S::MissingValue},
        {"MODE_NUM of 13 bytes", [](auto& v) { v["MODE_NUM"].pop_back(); }, S::MissingValue},
        {"mode 0", setMode(0, 3), S::BadMode},
        {"mode 3", setMode(3, 3), S::BadMode},
        {"Arcade level 0", setMode(2, 0), S::BadMode},
        {"Arcade level 11", setMode(2, 11), S::BadMode},
        {"Arcade level whose board is another size", setMode(2, 1), S::BadMode},
        {"Classic with level 300", setMode(1, 300), S::BadMode},
        {"Arcade clock at 0", [](auto& v) { v["TIMEREM"] = le32({0}); }, S::BadCounters},
        {"Arcade clock above five minutes", [](auto& v) { v["TIMEREM"] = le32({3001}); }, S::BadCounters},
        {"negative score", [](auto& v) { v["SCORE"] = le32({-1}); }, S::BadCounters},
        {"level score above the score", [](auto& v) { v["CURLEVELSCORE"] = le32({301}); }, S::BadCounters},
        {"negative level score", [](auto& v) { v["CURLEVELSCORE"] = le32({-6}); }, S::BadCounters},
        {"a level score that is not the points of the level's words", [](auto& v) { v["CURLEVELSCORE"] = le32({24}); },
         S::BadScore},
        {"a score at the top of 32 bits", [](auto& v) { v["SCORE"] = le32({0x7fffffff}); }, S::BadCounters},
        {"SCORE missing", [](auto& v) { v.erase("SCORE"); }, S::MissingValue},
        {"TIMEREM of 2 bytes",
         [](auto& v) {
             v["TIMEREM"] = {1, 0};
         },
         S::MissingValue},
        {"negative word count", [](auto& v) { v["NWORDSFOUND"] = le32({-1}); }, S::BadCounters},
        {"absurd word count", [](auto& v) { v["NWORDSFOUND"] = le32({0x7fffffff}); }, S::BadCounters},
        {"absurd text length", [](auto& v) { v["SWORDSFOUND"] = le32({0x7fffffff}); }, S::BadCounters},
        {"negative text length", [](auto& v) { v["SWORDSFOUND"] = le32({-12}); }, S::BadCounters},
        {"text length shorter than the text", [](auto& v) { v["SWORDSFOUND"] = le32({11}); }, S::BadFoundWords},
        {"text length longer than the text", [](auto& v) { v["SWORDSFOUND"] = le32({13}); }, S::BadFoundWords},
        {"FOUNDWORDS missing", [](auto& v) { v.erase("FOUNDWORDS"); }, S::MissingValue},
        {"more words than the count", setWords(2, "CAT,DOG,TEA,"), S::BadFoundWords},
        {"text after the counted words", setWords(3, "CAT,DOG,TEA,XY"), S::BadFoundWords},
        {"an empty word", setWords(3, "CAT,,TEA,"), S::BadFoundWords},
        {"a word of 8 letters", setWords(1, "ABCDEFGH,"), S::BadFoundWords},
        {"a word of 2 letters", setWords(1, "AB,"), S::BadFoundWords},
        {"the same word twice", setWords(2, "CAT,CAT,"), S::BadFoundWords},
        {"a word with a blank", setWords(1, "C T,"), S::BadFoundWords},
        {"a word with a control byte", setWords(1, "C\x01T,"), S::BadFoundWords},
    };
    for (const Tamper& c : cases) {
        SCOPED_TRACE(c.what);
        std::map<std::string, Bytes> values = valid;
        c.change(values);
        std::filesystem::remove(store_->filePath());
        restart();
        {
            // One write for the whole record.
            platform::StoreKey key;
            ASSERT_EQ(store_->createKey(nullptr, kSavePath, "SAVEDATA", key), platform::StoreStatus::Success);
            for (const auto& [name, bytes] : values)
                store_->setValue(
                    key, name, name == "FOUNDWORDS" ? platform::ValueType::String : platform::ValueType::Binary, bytes);
        }
        SavedGame loaded;
        loaded.score = 12345;
        EXPECT_EQ(records_->loadSavedGame(loaded), c.expected);
        EXPECT_EQ(loaded.score, 0);  // nothing half-read is handed back
        EXPECT_TRUE(loaded.letters.empty());
        EXPECT_EQ(getRaw(kSavePath, "ISSTORED"), Bytes{0});  // not offered again
    }
}

TEST_F(SavedGameTest, AShortFoundWordTextKeepsTheWordsItHas) {
    GameData base = gameOn(1, GameMode::Classic, {"CAT", "DOG", "TEA"});
    base = game::testing::GameBuilder(base).score(18).build();
    ASSERT_TRUE(records_->saveGame(base, record()));
    for (const auto& [count, stored, kept] :
         std::vector<std::tuple<std::int32_t, std::string, std::vector<std::string>>>{
             {3, "CAT,DOG,TE", {"CAT", "DOG"}},  // the last word lost its comma: dropped
             {5, "CAT,DOG,TEA,", {"CAT", "DOG", "TEA"}},
             {2, "", {}}}) {
        SCOPED_TRACE(stored);
        putRaw(kSavePath, "ISSTORED", Bytes{1});
        // The score is the points of the words kept (a score that is not is refused; below).
        putRaw(kSavePath, "SCORE", le32({static_cast<std::int32_t>(6 * kept.size())}));
        putRaw(kSavePath, "NWORDSFOUND", le32({count}));
        putRaw(kSavePath, "SWORDSFOUND", le32({static_cast<std::int32_t>(stored.size())}));
        putText(kSavePath, "FOUNDWORDS", stored);
        SavedGame loaded;
        ASSERT_EQ(records_->loadSavedGame(loaded), SavedGameStatus::Loaded);
        GameData g;
        SolvingData d;
        game::persistence::applySavedGame(loaded, g, d);
        EXPECT_EQ(g.numFoundWords(), static_cast<std::int32_t>(kept.size()));
        EXPECT_EQ(g.foundWords().raw(), kept);
    }
}

TEST_F(SavedGameTest, AStoreFileCutAnywhereNeverCrashesTheRecords) {
    GameData base = gameOn(2, GameMode::Arcade, {"ABC", "GHI"});
    base = game::testing::GameBuilder(base).timeLeft(900).score(50).levelScore(12).build();
    game::persistence::Settings s;
    ASSERT_TRUE(records_->loadSettings(s));
    ASSERT_TRUE(records_->insertBestScore(s.hallOfFame, GameMode::Classic, 99, "Keeper"));
    ASSERT_TRUE(records_->saveGame(base, s.solvingData));
    const std::filesystem::path file = store_->filePath();
    std::ifstream in(file, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.size(), 100u);

    for (std::size_t cut = 0; cut < whole.size(); cut += whole.size() / 25) {
        SCOPED_TRACE(cut);
        std::filesystem::remove_all(file.parent_path());
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << whole.substr(0, cut);
        testing::internal::CaptureStderr();
        restart();
        game::persistence::Settings loaded;
        EXPECT_TRUE(records_->loadSettings(loaded));
        // A cut file keeps every whole line before the cut; the cut line and all after it are lost.
        const std::string kept = whole.substr(0, cut);
        const bool nameKept = kept.find("\"STATS11\"=string:\"Keeper\\0\"\n") != std::string::npos;
        EXPECT_EQ(loaded.hallOfFame.table(GameMode::Classic)->name(1), nameKept ? "Keeper" : "Anononymous");
        EXPECT_EQ(records_->isGameStored() == game::persistence::StoredGame::Waiting,
                  kept.find("\"ISSTORED\"=binary:01\n") != std::string::npos);
        testing::internal::GetCapturedStderr();
    }
}

}  // namespace
