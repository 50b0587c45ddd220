// The player's statistics in the settings store: one value per figure, each a short text (a
// number, a word, a date, or the list of the last daily days), so that a damaged value costs only
// its own figure.
#pragma once

#include <functional>

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

}  // namespace game::persistence
