// Rules of the Classic and Arcade flow: board size pick, countdown, time texts, bonus, end texts.
#include "game/play/flow.h"

#include <algorithm>
#include <cmath>

namespace game::flow {

double roundHalfEven(double v) {
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

int classicLevelRow(double r) {
    const int index = static_cast<int>(roundHalfEven(r * (kClassicRows - 1)));
    // r < 1 keeps the index within 0..8; the clamp only guards a generator out of its range.
    return std::clamp(index, 0, kClassicRows - 1) + 1;
}

std::string formatTime(std::int32_t t, TimeStyle style) {
    const std::int32_t minutes = t / 600;
    const std::int32_t seconds = (t % 600) / 10;
    const std::int32_t tenths = t % 10;
    std::string out = std::to_string(minutes) + ":";
    if (style == TimeStyle::Minutes) return out;
    if (seconds < 10) out += "0";
    out += std::to_string(seconds);
    if (style != TimeStyle::Ticking) out += "." + std::to_string(tenths);
    return out;
}

std::int32_t levelBonus(std::int32_t timeLeft, int arcadeLevel) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(timeLeft) * arcadeLevel / 10);
}

bool countdownTick(GameData& g) {
    g.tickClock();
    return g.timeLeft() <= 0;
}

double progressPercent(std::int32_t points, std::int32_t target) {
    if (target <= 0) return 0.0;
    return static_cast<double>(points) * 100.0 / static_cast<double>(target);
}

std::string percentText(std::int32_t score, std::int32_t target) {
    if (target <= 0) return "0";
    // Hundredths of a percent: score x 10000 / target, the remainder decides the rounding.
    const std::int64_t num = static_cast<std::int64_t>(score) * 10000;
    const bool negative = num < 0;
    const std::int64_t absNum = negative ? -num : num;
    std::int64_t q = absNum / target;
    const std::int64_t rem2 = (absNum % target) * 2;
    if (rem2 > target || (rem2 == target && q % 2 != 0)) ++q;

    std::string out = std::to_string(q / 100);
    const int frac = static_cast<int>(q % 100);
    if (frac != 0) {
        out += '.';
        out += static_cast<char>('0' + frac / 10);
        if (frac % 10 != 0) out += static_cast<char>('0' + frac % 10);
    }
    return (negative && q != 0) ? "-" + out : out;
}

bool onLastLevel(const GameData& g) { return g.arcadeLevel() >= kLevelCount; }

bool levelWon(const GameData& g) { return g.levelQualified() && g.timeLeft() >= 1; }

ResText endDialogText(const GameData& g) {
    if (g.gameMode() == GameMode::Classic) {
        if (g.numLinkableWords() > 0 && g.numFoundWords() == g.numLinkableWords())
            return {EndText::AllFound, {"|1", std::to_string(g.numFoundWords())}};
        return {EndText::Percentage,
                {"|1", std::to_string(g.numFoundWords()), "|2", std::to_string(g.numLinkableWords()), "|3",
                 std::to_string(g.score()), "|4", percentText(g.score(), g.targetPoints())}};
    }
    if (levelWon(g)) {
        if (onLastLevel(g)) return {EndText::AllLevels, {"|1", std::to_string(kLevelCount)}};
        return {
            EndText::Qualified,
            {"|1", std::to_string(g.timeLeft() / 10), "|2", std::to_string(levelBonus(g.timeLeft(), g.arcadeLevel()))}};
    }
    return {EndText::GameOver, {"|1", std::to_string(g.arcadeLevel()), "|2", std::to_string(g.score())}};
}

}  // namespace game::flow
