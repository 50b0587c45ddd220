// Names, sizes and byte layouts of the records the game keeps in the settings store, and the
// settings record itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "game/persistence/hall_of_fame.h"
#include "game/play/game_data.h"
#include "game/version.h"

namespace game::persistence {

// Names, sizes and offsets of the stored records. Every value is little-endian.
namespace records {

constexpr std::string_view kAppTitle = game::kAppTitle;
// The program's major and minor version name the settings key ("1.0").
constexpr int kVersionMajor = version::kMajor;
constexpr int kVersionMinor = version::kMinor;

// HKEY_CURRENT_USER\Software, then the settings key below it, then the saved game's key below that.
constexpr std::string_view kParentKey = "Software";
constexpr std::string_view kCompanyKey = "Mirrim";
constexpr std::string_view kSaveSubKey = "SAVE";
constexpr std::string_view kSettingsClass = "USERDATA";
constexpr std::string_view kSaveClass = "SAVEDATA";

// Settings values.
constexpr std::string_view kSolvingData = "SOLVINGDATA";
constexpr std::string_view kSoundOptions = "SOUNDOPTIONS";
constexpr std::string_view kStatsPrefix = "STATS";  // STATS<m> scores, STATS<m><i> names
// The zoom the player last chose for the windows (1 to 4), a REG_DWORD; absent until one is chosen.
constexpr std::string_view kZoom = "ZOOM";
constexpr std::int32_t kMinZoom = 1;
constexpr std::int32_t kMaxZoom = 4;
// The language the player chose in the game ("fr"), a string with its terminating zero; absent until
// one is chosen. (The saved game's own LANGUAGE, in its subkey, is the language of that game.)
constexpr std::string_view kChosenLanguage = "LANGUAGE";
constexpr std::size_t kChosenLanguageBufferSize = 8;

constexpr std::size_t kSolvingDataSize = 14;
constexpr std::size_t kSoundOptionsSize = 14;
constexpr std::size_t kScoresSize = 4 * kHallOfFameRanks;
// A stored name is read into this many bytes, its terminating zero included.
constexpr std::size_t kNameBufferSize = 25;

// Offsets within the settings record.
constexpr std::size_t kStartSizeIndexAt = 0;
constexpr std::size_t kGameModeAt = 2;
constexpr std::size_t kArcadeLevelAt = 4;
constexpr std::size_t kReservedAt = 6;
constexpr std::size_t kReservedSize = 6;
constexpr std::size_t kFoundViewAt = 12;

// Saved game values, in the order saveGame writes them.
constexpr std::string_view kIsStored = "ISSTORED";
constexpr std::string_view kHeight = "HEIGHT";
constexpr std::string_view kWidth = "WIDTH";
constexpr std::string_view kModeNum = "MODE_NUM";
constexpr std::string_view kByteData = "BYTE_DATA";
constexpr std::string_view kScore = "SCORE";
constexpr std::string_view kNumWordsFound = "NWORDSFOUND";
constexpr std::string_view kFoundTextLength = "SWORDSFOUND";
constexpr std::string_view kTimeLeft = "TIMEREM";
constexpr std::string_view kLevelScore = "CURLEVELSCORE";
constexpr std::string_view kFoundWords = "FOUNDWORDS";
// Written after those: a Classic game's puzzle number ("5x4-1234"), or empty for a game without one.
// A record without it (an older one) is resumed without a number.
constexpr std::string_view kPuzzleNumber = "PUZZLENUMBER";
constexpr std::size_t kPuzzleNumberBufferSize = 32;
// And the code of the board's language ("en", "fr"): a record without it is an English game.
constexpr std::string_view kLanguage = "LANGUAGE";
constexpr std::size_t kLanguageBufferSize = 8;

// Message box texts (spelt as the game has always shown them), captioned with kAppTitle.
constexpr std::string_view kSettingsFailed = " Error Failerd";
constexpr std::string_view kSaveFailed = " Sorry - Save Failerd ";
constexpr std::string_view kCheckSavedGameFailed = " Error - Loading the Saved Game Failerd";
constexpr std::string_view kLoadSavedGameFailed = " Error - Load Saved Game Failerd";
// Told when a saved game cannot be marked as taken (it would be offered again, and could be
// resumed twice), and when another copy of the game took it first.
constexpr std::string_view kSavedGameNotTaken =
    "The saved game could not be marked as taken in the settings, so it was not resumed. It is still "
    "saved: make sure the settings can be written, then start the game again.";
constexpr std::string_view kSavedGameTakenElsewhere =
    "The saved game has already been resumed by another copy of "
    "the game.";
// Told at start-up when the settings could not be read at all; the path of the kept copy follows.
constexpr std::string_view kSettingsSetAside =
    "The settings could not be read, so the game starts with new ones. The old settings were kept in ";

// "Mirrim\Varnook\1.0": the settings key below kParentKey.
std::string settingsKeyPath();
// "STATS1", "STATS2"; "STATS11".."STATS28".
std::string statsScoresName(int mode);
std::string statsNameName(int mode, int rank);

}  // namespace records

// The settings record. The mode and level are those of the game last started; they go back out as
// they came in (whatever they hold) until a game is played, and are 0 in a new record.
struct SolvingData {
    std::int16_t startSizeIndex = 0;  // the board before any game is level startSizeIndex + 1's
    std::int16_t gameMode = 0;
    std::int16_t arcadeLevel = 0;
    std::array<std::uint8_t, records::kReservedSize> reserved{};  // carried through unchanged
    std::uint16_t foundViewAtStart = 0;  // the found-statistics toggle's state when the window loads

    bool operator==(const SolvingData&) const = default;
};

using SolvingBytes = std::array<std::uint8_t, records::kSolvingDataSize>;
SolvingBytes encodeSolvingData(const SolvingData& data);
SolvingData decodeSolvingData(std::span<const std::uint8_t, records::kSolvingDataSize> bytes);
// The record with the mode and level of the game being played.
SolvingData withGame(SolvingData data, const GameData& game);

// The level (1..10) whose board is shown before any game. A stored index outside the level table
// gives level 1; the index itself is saved back as it came.
int startLevel(const SolvingData& data);

}  // namespace game::persistence
