// Rules of the word-list box and the results display that need no pixels: scrolling by one word,
// the arrows' auto-repeat timing, the statistics texts, and loading a solution word's path into the chain state so that the board shows it linked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/play/game_data.h"

namespace game::results {

// Auto-repeat of a held arrow: the timer is created at 300 ms, every stop puts it back to 600 ms,
// and each tick lowers it by 100 ms down to 100 ms.
constexpr int kRepeatFirstMs = 300;
constexpr int kRepeatRestartMs = 600;
constexpr int kRepeatStepMs = 100;

// Which words the list box shows.
enum class ListMode : std::int16_t { Found = 0, Solutions = 1 };

// Which arrow is held (navigateToggle).
enum class Navigate : std::int32_t { None = 0, Up = 1, Down = 2 };

// Number of words of the list that the mode shows.
int listCount(const GameData& g, ListMode mode);
const OneBased<std::string>& listWords(const GameData& g, ListMode mode);

// One step down: top + 1 unless the last 13 words are already shown. True when top moved.
bool scrollDown(std::int16_t& top, int count);
// One step up: top - 1 unless top is already 1. True when top moved.
bool scrollUp(std::int16_t& top);

// The auto-repeat interval after one tick: 100 ms less while above 100 ms.
int nextRepeatInterval(int ms);

// Statistics block: found words of len letters, and solution words of len letters.
int foundOfLength(const GameData& g, int len);
int solutionsOfLength(const GameData& g, int len);

// The solution word whose path a move over list index id should show: nullopt when the index is
// past the list, is the word already shown, or is an empty slot (10-letter words have none).
std::optional<int> wordToShow(const GameData& g, int id, int lastShownWordId);

// Puts the path of a solution word into curPath, curWordLen and cellSelected. False (and nothing
// changed) when the word is not in the solution list of its length.
bool loadSolutionPath(GameData& g, const std::string& word);

}  // namespace game::results
