// Game states at the end of a Classic game or an Arcade level, for tests of the end-dialog texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/play/game_data.h"
#include "game_builder.h"

namespace game::testing {

// found words of a total of three-letter solution words ("W1", "W2", ...: only the counts matter).
inline GameData classicEnd(int found, int total, int score, int target) {
    GameBuilder b;
    std::vector<std::string> words;
    for (int i = 1; i <= total; ++i) b.listed(3, "W" + std::to_string(i));
    for (int i = 1; i <= found; ++i) words.push_back("W" + std::to_string(i));
    return b.mode(GameMode::Classic).found(words).score(score).target(target).build();
}

inline GameData arcadeEnd(int lvl, int timeLeft, bool qualified, int score) {
    GameBuilder b;
    b.mode(GameMode::Arcade).level(lvl).timeLeft(timeLeft).score(score);
    if (qualified) b.qualified();
    return b.build();
}

}  // namespace game::testing
