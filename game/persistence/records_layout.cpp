// Value names and the settings record's byte layout.
#include "game/persistence/records_layout.h"

#include <algorithm>

#include "game/persistence/byte_order.h"

namespace game::persistence {

namespace records {

std::string settingsKeyPath() {
    return std::string(kCompanyKey) + "\\" + std::string(kAppTitle) + "\\" + std::to_string(kVersionMajor) + "." +
           std::to_string(kVersionMinor);
}

std::string statsScoresName(int mode) { return std::string(kStatsPrefix) + std::to_string(mode); }

std::string statsNameName(int mode, int rank) { return statsScoresName(mode) + std::to_string(rank); }

}  // namespace records

SolvingBytes encodeSolvingData(const SolvingData& data) {
    SolvingBytes b{};
    put16(&b[records::kStartSizeIndexAt], data.startSizeIndex);
    put16(&b[records::kGameModeAt], data.gameMode);
    put16(&b[records::kArcadeLevelAt], data.arcadeLevel);
    std::copy(data.reserved.begin(), data.reserved.end(), b.begin() + records::kReservedAt);
    put16(&b[records::kFoundViewAt], static_cast<std::int16_t>(data.foundViewAtStart));
    return b;
}

SolvingData decodeSolvingData(std::span<const std::uint8_t, records::kSolvingDataSize> bytes) {
    SolvingData d;
    d.startSizeIndex = get16(&bytes[records::kStartSizeIndexAt]);
    d.gameMode = get16(&bytes[records::kGameModeAt]);
    d.arcadeLevel = get16(&bytes[records::kArcadeLevelAt]);
    std::copy_n(bytes.begin() + records::kReservedAt, records::kReservedSize, d.reserved.begin());
    d.foundViewAtStart = static_cast<std::uint16_t>(get16(&bytes[records::kFoundViewAt]));
    return d;
}

SolvingData withGame(SolvingData data, const GameData& game) {
    data.gameMode = static_cast<std::int16_t>(game.gameMode());
    data.arcadeLevel = game.arcadeLevel();
    return data;
}

int startLevel(const SolvingData& data) {
    return data.startSizeIndex >= 0 && data.startSizeIndex < kLevelCount ? data.startSizeIndex + 1 : 1;
}

}  // namespace game::persistence
