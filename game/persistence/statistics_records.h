// The player's statistics in the settings store: one value per figure, each a short text (a
// number, a word, a date, or the list of the last daily days), so that a damaged value costs only
// its own figure.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/play/daily.h"
#include "game/play/statistics.h"

namespace platform {
class Store;
}  // namespace platform

namespace game::persistence {

// Reads the statistics. A value that is missing, of another type, too long or not what its figure
// takes (a negative count, a word of other than letters, a date that is none) leaves that figure
// as a new player's; a damaged entry of the daily list is left out. False when the store cannot
// be opened (every figure a new player's).
bool loadStatistics(platform::Store& store, Statistics& stats);

// Under the store's lock: reads the statistics as they stand there (another copy of the game may
// have counted a game meanwhile), applies change, and writes the figures it changed. stats then
// holds the result. False when the store could not be locked, read or written; stats still holds
// the change applied to what could be read.
bool updateStatistics(platform::Store& store, Statistics& stats, const std::function<void(Statistics&)>& change);

// The day's daily game left unfinished, kept to go on with that day: its own values beside the
// statistics.
struct KeptDailyGame {
    Date date;
    std::vector<std::string> foundWords;  // upper case A to Z
    std::int32_t score = 0;
    std::int32_t hints = 0;
};
// False when the store could not be written.
bool keepDailyGame(platform::Store& store, const KeptDailyGame& game);
// The game kept for date; nullopt when none is kept for that day (or its values are damaged).
std::optional<KeptDailyGame> keptDailyGame(platform::Store& store, const Date& date);
// Nothing is kept any more (the day's game ended).
bool forgetDailyGame(platform::Store& store);

}  // namespace game::persistence
