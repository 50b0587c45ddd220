// The two Hall of Fame tables (Classic Mode and Arcade Mode, eight scores with names each) and the
// operations the best-score check and the Hall of Fame window perform on them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/play/game_data.h"

namespace game::persistence {

constexpr int kHallOfFameRanks = 8;
// What rankForScore answers for a score that does not enter the table.
constexpr int kNotRanked = kHallOfFameRanks + 1;
// The name dialog keeps at most this many characters.
constexpr std::size_t kMaxNameLength = 19;

// Names the game fills in itself (spelt as the game has always shown them).
constexpr std::string_view kMissingName = "Anononymous";  // a stored name that is missing or too long
constexpr std::string_view kClearedName = "Anonoymous";   // after "Clear Scores"
constexpr std::string_view kEmptyName = "-";              // a name left empty in the name dialog

// One table, ranks 1 to 8, highest score first. Names are single-byte Windows-1252 text (platform/codepage.h).
struct HallOfFameTable {
    std::array<std::int32_t, kHallOfFameRanks> scores{};  // scores[rank - 1]
    std::array<std::string, kHallOfFameRanks> names;      // names[rank - 1]
    // Ranks whose entry the store has not taken yet (not part of the stored record): it is written
    // with the next write that succeeds, and the table shows it as not saved until then.
    std::array<bool, kHallOfFameRanks> unsaved{};

    std::int32_t& score(int rank) { return scores.at(static_cast<std::size_t>(rank - 1)); }
    std::int32_t score(int rank) const { return scores.at(static_cast<std::size_t>(rank - 1)); }
    std::string& name(int rank) { return names.at(static_cast<std::size_t>(rank - 1)); }
    const std::string& name(int rank) const { return names.at(static_cast<std::size_t>(rank - 1)); }
};

class HallOfFame {
public:
    // The table of a mode; nullptr for a mode other than Classic or Arcade.
    HallOfFameTable* table(GameMode mode);
    const HallOfFameTable* table(GameMode mode) const;

    // The rank 1..8 that score s would take, or kNotRanked. A score equal to a stored one ranks below
    // it, so 0 never enters a table whose lowest entry is 0.
    int rankForScore(GameMode mode, std::int16_t s) const;
    // Inserts s with name at its rank (rank 8 when it ranks nowhere); the old rank 8 entry drops out.
    // Returns the rank it took (0 for an unknown mode).
    int insertBestScore(GameMode mode, std::int16_t s, std::string name);
    // "Clear Scores": every rank of the mode's table becomes kClearedName with 0; the other table
    // is untouched.
    void clearScores(GameMode mode);
    // The rank 1 score of the mode's table (the Best Score panel); 0 for an unknown mode.
    std::int32_t bestScore(GameMode mode) const;

private:
    std::array<HallOfFameTable, 2> tables_;  // Classic, Arcade
};

// The game's score as the best-score check compares it: its low 16 bits, signed.
std::int16_t scoreForRanking(std::int32_t score);

// The name the name dialog hands back for what was typed: at most kMaxNameLength characters,
// kEmptyName for nothing.
std::string finishName(std::string_view typed);

}  // namespace game::persistence
