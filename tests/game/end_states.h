// Game states at the end of a Classic game or an Arcade level, for tests of the end-dialog texts.
#pragma once

#include <cstdint>
#include <string>

#include "game/play/game_data.h"

namespace game::testing {

// found words of a total of three-letter solution words ("W1", "W2", ...: only the counts matter).
inline GameData classicEnd(int found, int total, int score, int target) {
    GameData g;
    g.gameMode() = GameMode::Classic;
    for (int i = 1; i <= total; ++i) g.wordLists()[2].words.push_back("W" + std::to_string(i));
    for (int i = 1; i <= found; ++i) g.foundWords().push_back("W" + std::to_string(i));
    g.score() = score;
    g.targetPoints() = target;
    return g;
}

inline GameData arcadeEnd(int lvl, int timeLeft, bool qualified, int score) {
    GameData g;
    g.gameMode() = GameMode::Arcade;
    g.arcadeLevel() = static_cast<std::int16_t>(lvl);
    g.timeLeft() = timeLeft;
    g.levelQualified() = qualified;
    g.score() = score;
    return g;
}

}  // namespace game::testing
