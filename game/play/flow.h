// Rules of the Classic and Arcade flow that need no window: the Classic board size, the countdown,
// the time texts, the level bonus, the completion percentage and the choice of the end-dialog text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/play/game_data.h"

namespace game::flow {

// Styles of formatTime.
enum class TimeStyle : std::int16_t { Minutes = 1, Ticking = 2, LevelStart = 3 };

// String-table entries of the end dialog.
enum class EndText : std::int16_t {
    AllFound = 110,    // "Congrats ! You have found all the |1 words"
    Percentage = 111,  // found |1 of |2, score |3 is |4 percent
    Qualified = 112,   // next level with |1 seconds to spare and |2 bonus points
    AllLevels = 113,   // "Excellent work. You completed all the |1 levels."
    GameOver = 115,    // level reached |1, points |2
};

// A string-table number with its placeholder pairs ("|1", value, "|2", value, ...), ready for
// formatResString.
struct ResText {
    EndText id = EndText::AllFound;
    std::vector<std::string> args;
};

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double v);

// The level-table row (1..9) a Classic game takes its board size from, for a uniform r in [0, 1):
// r x 8 rounded half to even, plus 1. Row 10 is never used.
int classicLevelRow(double r);

// The time left as the Time panel shows it: minutes div 600, seconds, tenths.
// Minutes gives "m:", Ticking "m:ss", LevelStart (and any other style) "m:ss.t".
std::string formatTime(std::int32_t t, TimeStyle style);

// Bonus for a won level: (timeLeft x level) div 10.
std::int32_t levelBonus(std::int32_t timeLeft, int arcadeLevel);

// One countdown tick: timeLeft goes down by one tenth. True when the clock has run out.
bool countdownTick(GameData& g);

// Percent of the target reached, for the progress bar; 0 when the puzzle is worth nothing.
double progressPercent(std::int32_t points, std::int32_t target);

// score x 100 / target rounded to two decimals (halves to even), written without trailing zeros
// ("37.5", "100", "33.33"); "0" when the target is 0. Exact: computed on integers.
std::string percentText(std::int32_t score, std::int32_t target);

// True when the tenth (last) level of the run is being played.
bool onLastLevel(const GameData& g);

// True when the level just ended was won in time: the target reached with time left.
bool levelWon(const GameData& g);

// The end-dialog text for the state of the game as it ends.
// Classic: 110 when every word a chain can link is found, else 111 (also for a puzzle without
// words); the totals count words of 3 to 7 letters.
// Arcade, levels 1..9: 112 with the bonus when the level was won in time, else 115.
// Arcade, level 10: 113 with 10 when won, else 115.
ResText endDialogText(const GameData& g);

}  // namespace game::flow
