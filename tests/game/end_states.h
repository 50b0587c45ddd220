// Game states at the end of a Classic game or an Arcade level, for tests of the end-dialog texts.
#pragma once

#include <cstdint>

#include "game/play/game_data.h"

namespace game::testing {

inline GameData classicEnd(int found, int total, int score, int target) {
    GameData g;
    g.gameMode = GameMode::Classic;
    g.numFoundWords = found;
    g.numSolutionWords = total;
    g.score = score;
    g.targetPoints = target;
    return g;
}

inline GameData arcadeEnd(int lvl, int timeLeft, bool qualified, int score) {
    GameData g;
    g.gameMode = GameMode::Arcade;
    g.arcadeLevel = static_cast<std::int16_t>(lvl);
    g.timeLeft = timeLeft;
    g.levelQualified = qualified;
    g.score = score;
    return g;
}

}  // namespace game::testing
