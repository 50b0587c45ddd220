// Reading and writing the settings, the Hall of Fame and the saved game through the settings store.
#include "game/persistence/records.h"

#include <algorithm>
#include <iterator>

#include "game/persistence/byte_order.h"
#include "platform/store.h"

namespace game::persistence {

using platform::Disposition;
using platform::StoreKey;
using platform::StoreStatus;
using platform::ValueType;

namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Reads a value that must have exactly buffer.size() bytes.
bool readExact(platform::Store& store, const StoreKey& key, std::string_view name, std::span<std::uint8_t> buffer) {
    const platform::QueryResult r = store.queryValue(key, name, buffer);
    return r.status == StoreStatus::Success && r.size == buffer.size();
}

bool readInt16(platform::Store& store, const StoreKey& key, std::string_view name, std::int16_t& out) {
    std::array<std::uint8_t, 2> b{};
    if (!readExact(store, key, name, b)) return false;
    out = get16(b.data());
    return true;
}

bool readInt32(platform::Store& store, const StoreKey& key, std::string_view name, std::int32_t& out) {
    std::array<std::uint8_t, 4> b{};
    if (!readExact(store, key, name, b)) return false;
    out = get32(b.data());
    return true;
}

// Opens HKEY_CURRENT_USER\Software and creates or opens the key below it.
struct OpenedKeys {
    StoreKey parent;
    StoreKey key;
    bool parentOpen = false;
    bool keyOpen = false;
};

OpenedKeys openKeys(platform::Store& store, std::string_view path, std::string_view keyClass) {
    OpenedKeys k;
    k.parentOpen = store.openKey(nullptr, records::kParentKey, k.parent) == StoreStatus::Success;
    if (!k.parentOpen) return k;
    Disposition d = Disposition::CreatedNewKey;
    k.keyOpen = store.createKey(&k.parent, path, keyClass, k.key, &d) == StoreStatus::Success;
    return k;
}

// Closes the key, then its parent; false when the changes could not be written.
bool closeKeys(OpenedKeys& k) {
    bool ok = true;
    if (k.key.isOpen()) ok = k.key.close() == StoreStatus::Success;
    if (k.parent.isOpen()) ok = (k.parent.close() == StoreStatus::Success) && ok;
    return ok;
}

std::string saveKeyPath() { return records::settingsKeyPath() + "\\" + std::string(records::kSaveSubKey); }

}  // namespace

Records::Records(platform::Store& store) : store_(store) {}

// ---- settings -------------------------------------------------------------------------------------

namespace {

// One mode's table from the store: a missing scores value keeps the scores; a rank whose name is
// missing (or longer than the buffer with its zero) becomes kMissingName with score 0.
void readTable(platform::Store& store, const StoreKey& key, GameMode mode, HallOfFameTable& table) {
    const int m = static_cast<int>(mode);
    std::array<std::uint8_t, records::kScoresSize> scores{};
    if (readExact(store, key, records::statsScoresName(m), scores))
        for (int i = 1; i <= kHallOfFameRanks; ++i) table.score(i) = get32(&scores[4 * (i - 1)]);
    for (int i = 1; i <= kHallOfFameRanks; ++i) {
        std::array<std::uint8_t, records::kNameBufferSize> name{};
        const platform::QueryResult r = store.queryValue(key, records::statsNameName(m, i), name);
        if (r.status != StoreStatus::Success) {
            table.name(i) = kMissingName;
            table.score(i) = 0;
            continue;
        }
        // The text up to its terminating zero (an empty value is an empty name).
        const auto* text = reinterpret_cast<const char*>(name.data());
        table.name(i).assign(text, std::find(text, text + r.size, '\0'));
    }
}

// Sets one mode's table: the scores, then each rank's name as single-byte text with its zero.
bool writeTable(platform::Store& store, const StoreKey& key, GameMode mode, const HallOfFameTable& table) {
    const int m = static_cast<int>(mode);
    std::array<std::uint8_t, records::kScoresSize> scores{};
    for (int i = 1; i <= kHallOfFameRanks; ++i) {
        const auto b = bytes32(table.score(i));
        std::copy(b.begin(), b.end(), scores.begin() + 4 * (i - 1));
    }
    bool ok = store.setValue(key, records::statsScoresName(m), ValueType::Binary, scores) == StoreStatus::Success;
    for (int i = 1; i <= kHallOfFameRanks; ++i) {
        const std::string& name = table.name(i);
        const std::span<const std::uint8_t> text(reinterpret_cast<const std::uint8_t*>(name.c_str()), name.size() + 1);
        ok = store.setValue(key, records::statsNameName(m, i), ValueType::String, text) == StoreStatus::Success && ok;
    }
    return ok;
}

// The chosen language's code as the game names it, or empty.
std::string readChosenLanguage(platform::Store& store, const StoreKey& key) {
    std::array<std::uint8_t, records::kChosenLanguageBufferSize> code{};
    const platform::QueryResult n = store.queryValue(key, records::kChosenLanguage, code);
    if (n.status != StoreStatus::Success || n.type != ValueType::String) return {};
    std::string_view text(reinterpret_cast<const char*>(code.data()), n.size);
    if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    const auto language = letters::fromCode(text);
    return language ? std::string(letters::info(*language).code) : std::string();
}

SoundOptions decodeSoundOptions(std::span<const std::uint8_t, records::kSoundOptionsSize> bytes) {
    SoundOptions options{};
    for (std::size_t i = 0; i < options.size(); ++i) options[i] = get16(&bytes[2 * i]);
    return options;
}

std::array<std::uint8_t, records::kSoundOptionsSize> encodeSoundOptions(const SoundOptions& options) {
    std::array<std::uint8_t, records::kSoundOptionsSize> bytes{};
    for (std::size_t i = 0; i < options.size(); ++i) put16(&bytes[2 * i], options[i]);
    return bytes;
}

}  // namespace

std::string Records::chosenLanguage() {
    OpenedKeys k = openKeys(store_, records::settingsKeyPath(), records::kSettingsClass);
    std::string code = k.keyOpen ? readChosenLanguage(store_, k.key) : std::string();
    closeKeys(k);
    return code;
}

bool Records::loadSettings(Settings& settings) {
    OpenedKeys k = openKeys(store_, records::settingsKeyPath(), records::kSettingsClass);
    if (!k.parentOpen) return false;
    if (k.keyOpen) {
        SolvingBytes solving{};
        if (readExact(store_, k.key, records::kSolvingData, solving)) settings.solvingData = decodeSolvingData(solving);

        std::array<std::uint8_t, records::kSoundOptionsSize> sound{};
        settings.soundOptions =
            readExact(store_, k.key, records::kSoundOptions, sound) ? decodeSoundOptions(sound) : kDefaultSoundOptions;

        for (const GameMode mode : {GameMode::Classic, GameMode::Arcade})
            readTable(store_, k.key, mode, *settings.hallOfFame.table(mode));

        std::int32_t zoom = 0;
        settings.zoom =
            readInt32(store_, k.key, records::kZoom, zoom) && zoom >= records::kMinZoom && zoom <= records::kMaxZoom
                ? zoom
                : 0;
        settings.language = readChosenLanguage(store_, k.key);
    }
    closeKeys(k);
    return true;
}

bool Records::saveSettings(const Settings& settings, const Settings& loaded) {
    OpenedKeys k = openKeys(store_, records::settingsKeyPath(), records::kSettingsClass);
    if (!k.parentOpen) return false;
    bool ok = true;
    if (k.keyOpen) {
        // A value is written when this run changed it, or when the store has none of it yet.
        auto write = [&](std::string_view name, bool changed, std::span<const std::uint8_t> bytes) {
            std::vector<std::uint8_t> there(bytes.size());
            if (!changed && readExact(store_, k.key, name, there)) return;
            ok = store_.setValue(k.key, name, ValueType::Binary, bytes) == StoreStatus::Success && ok;
        };
        write(records::kSolvingData, !(settings.solvingData == loaded.solvingData),
              encodeSolvingData(settings.solvingData));
        write(records::kSoundOptions, settings.soundOptions != loaded.soundOptions,
              encodeSoundOptions(settings.soundOptions));
        // Only a zoom chosen in this run: without one the windows fit whatever desktop the next run has.
        if (settings.zoom != loaded.zoom && settings.zoom >= records::kMinZoom && settings.zoom <= records::kMaxZoom)
            ok = store_.setValue(k.key, records::kZoom, ValueType::Dword, bytes32(settings.zoom)) ==
                     StoreStatus::Success &&
                 ok;
        if (settings.language != loaded.language && letters::fromCode(settings.language)) {
            std::string code = settings.language;
            code.push_back('\0');
            ok = store_.setValue(k.key, records::kChosenLanguage, ValueType::String,
                                 std::span(reinterpret_cast<const std::uint8_t*>(code.data()), code.size())) ==
                     StoreStatus::Success &&
                 ok;
        }
    }
    return closeKeys(k) && ok;
}

namespace {

// One change on the table as it stands; mark: the rows it sets are not in the store yet.
void apply(HallOfFame& tables, const TableChange& change, bool mark) {
    HallOfFameTable* table = tables.table(change.mode);
    if (table == nullptr) return;
    if (change.kind == TableChange::Kind::Clear) {
        tables.clearScores(change.mode);
        table->unsaved.fill(mark);
        return;
    }
    // Scores ranked meanwhile by another copy of the game may have pushed this one out.
    if (tables.rankForScore(change.mode, change.score) > kHallOfFameRanks) return;
    const int rank = tables.insertBestScore(change.mode, change.score, change.name);
    table->unsaved[static_cast<std::size_t>(rank - 1)] = mark;
}

}  // namespace

bool Records::writePending(HallOfFame& tables) {
    bool applied = false;
    return writePending(tables, applied);
}

bool Records::writePending(HallOfFame& tables, bool& applied) {
    applied = false;
    if (pending_.empty()) return true;
    platform::StoreLock lock;
    if (store_.lock(lock) != StoreStatus::Success) return false;
    OpenedKeys k = openKeys(store_, records::settingsKeyPath(), records::kSettingsClass);
    if (!k.keyOpen) {
        closeKeys(k);
        return false;
    }
    applied = true;
    std::vector<TableChange> left;
    for (const GameMode mode : {GameMode::Classic, GameMode::Arcade}) {
        const auto ofMode = [mode](const TableChange& c) { return c.mode == mode; };
        if (std::none_of(pending_.begin(), pending_.end(), ofMode)) continue;
        // The table as the store holds it now with this run's changes on top, so that another copy
        // of the game keeps its entries.
        HallOfFameTable& table = *tables.table(mode);
        readTable(store_, k.key, mode, table);
        table.unsaved = {};
        for (const TableChange& c : pending_)
            if (ofMode(c)) apply(tables, c, true);
        if (!writeTable(store_, k.key, mode, table))
            std::copy_if(pending_.begin(), pending_.end(), std::back_inserter(left), ofMode);
    }
    // Closing writes the changes; when that fails none of them reached the store.
    if (closeKeys(k)) {
        for (const GameMode mode : {GameMode::Classic, GameMode::Arcade})
            if (std::none_of(left.begin(), left.end(), [mode](const TableChange& c) { return c.mode == mode; }))
                tables.table(mode)->unsaved = {};
        pending_ = std::move(left);
    }
    return pending_.empty();
}

bool Records::changeTable(HallOfFame& tables, TableChange change) {
    if (tables.table(change.mode) == nullptr) return false;
    pending_.push_back(change);
    bool applied = false;
    if (writePending(tables, applied)) return true;
    // The store could not even be read: the change goes on the table as this run shows it.
    if (!applied) apply(tables, change, true);
    return false;
}

bool Records::insertBestScore(HallOfFame& tables, GameMode mode, std::int16_t score, const std::string& name) {
    return changeTable(tables, {TableChange::Kind::Insert, mode, score, name});
}

bool Records::clearScores(HallOfFame& tables, GameMode mode) {
    return changeTable(tables, {TableChange::Kind::Clear, mode, 0, {}});
}

// ---- saved game -----------------------------------------------------------------------------------

bool Records::saveGame(const GameData& game, const SolvingData& solvingData) {
    const std::string text = foundWordsText(game);
    OpenedKeys k = openKeys(store_, saveKeyPath(), records::kSaveClass);
    bool ok = k.keyOpen;
    if (k.keyOpen) {
        auto set = [&](std::string_view name, ValueType type, std::span<const std::uint8_t> data) {
            ok = store_.setValue(k.key, name, type, data) == StoreStatus::Success && ok;
        };
        auto set16 = [&](std::string_view name, std::int16_t v) {
            std::array<std::uint8_t, 2> b{};
            put16(b.data(), v);
            set(name, ValueType::Binary, b);
        };
        auto set32 = [&](std::string_view name, std::int32_t v) { set(name, ValueType::Binary, bytes32(v)); };

        const std::array<std::uint8_t, 1> stored{1};
        set(records::kIsStored, ValueType::Binary, stored);
        set16(records::kHeight, static_cast<std::int16_t>(game.gridHeight()));
        set16(records::kWidth, static_cast<std::int16_t>(game.gridWidth()));
        set(records::kModeNum, ValueType::Binary, encodeSolvingData(withGame(solvingData, game)));
        const std::vector<std::uint8_t>& letters = game.gridLetters().raw();
        set(records::kByteData, ValueType::Binary,
            std::span<const std::uint8_t>(letters.data(),
                                          std::min(letters.size(), static_cast<std::size_t>(game.numCells()))));
        set32(records::kScore, game.score());
        set32(records::kNumWordsFound, game.numFoundWords());
        set32(records::kFoundTextLength, static_cast<std::int32_t>(text.size()));
        set32(records::kTimeLeft, game.timeLeft());
        set32(records::kLevelScore, game.levelScore());
        // The text without a terminating zero.
        set(records::kFoundWords, ValueType::String, bytesOf(text));
        // Always written, so that no number of an earlier saved game stays with this one; ended with
        // a zero as the system's own text values are (reading takes it off, and takes a record
        // written without one as well).
        std::string number = puzzleNumberRecord(game);
        number.push_back('\0');
        set(records::kPuzzleNumber, ValueType::String, bytesOf(number));
        std::string language(letters::info(game.language()).code);
        language.push_back('\0');
        set(records::kLanguage, ValueType::String, bytesOf(language));
    }
    return closeKeys(k) && ok;
}

StoredGame Records::isGameStored() {
    OpenedKeys k = openKeys(store_, saveKeyPath(), records::kSaveClass);
    if (!k.parentOpen) return StoredGame::StoreUnavailable;
    std::array<std::uint8_t, 1> stored{0};
    if (k.keyOpen) store_.queryValue(k.key, records::kIsStored, stored);
    closeKeys(k);
    return stored[0] != 0 ? StoredGame::Waiting : StoredGame::None;
}

SavedGameStatus Records::takeSavedGame() {
    // Under the store's lock: the game must still be waiting (another copy of the game may have
    // taken it since the offer), and the mark that it is taken must be written before it is read.
    OpenedKeys k = openKeys(store_, saveKeyPath(), records::kSaveClass);
    if (!k.keyOpen) {
        closeKeys(k);
        return SavedGameStatus::StoreUnavailable;
    }
    std::array<std::uint8_t, 1> stored{0};
    const platform::QueryResult r = store_.queryValue(k.key, records::kIsStored, stored);
    if (r.status != StoreStatus::Success || stored[0] == 0) {
        closeKeys(k);
        return SavedGameStatus::NotWaiting;
    }
    const std::array<std::uint8_t, 1> taken{0};
    const bool marked = store_.setValue(k.key, records::kIsStored, ValueType::Binary, taken) == StoreStatus::Success;
    // Closing the keys writes the mark; only a mark that reached the store counts.
    return closeKeys(k) && marked ? SavedGameStatus::Loaded : SavedGameStatus::NotTaken;
}

SavedGameStatus Records::loadSavedGame(SavedGame& saved) {
    saved = SavedGame{};
    platform::StoreLock lock;
    // Without the lock the game cannot be marked taken (the store is busy, or its folder cannot be
    // written): it stays saved, as it is, for a later start.
    if (store_.lock(lock) != StoreStatus::Success) return SavedGameStatus::NotTaken;
    if (const SavedGameStatus s = takeSavedGame(); s != SavedGameStatus::Loaded) return s;

    // From here on the saved game is taken, whatever follows.
    OpenedKeys k = openKeys(store_, saveKeyPath(), records::kSaveClass);
    if (!k.keyOpen) {
        closeKeys(k);
        return SavedGameStatus::StoreUnavailable;
    }
    const SavedGameStatus status = [&] {
        if (!readInt16(store_, k.key, records::kHeight, saved.gridHeight) ||
            !readInt16(store_, k.key, records::kWidth, saved.gridWidth))
            return SavedGameStatus::MissingValue;
        if (!isPlayableBoard(saved.gridWidth, saved.gridHeight)) return SavedGameStatus::BadBoard;

        // Exactly one byte per cell: a shorter value, or a longer one (which does not fit), is refused.
        saved.letters.assign(static_cast<std::size_t>(saved.gridWidth * saved.gridHeight), 0);
        if (!readExact(store_, k.key, records::kByteData, saved.letters)) return SavedGameStatus::BadLetters;

        SolvingBytes solving{};
        if (!readExact(store_, k.key, records::kModeNum, solving)) return SavedGameStatus::MissingValue;
        saved.solvingData = decodeSolvingData(solving);
        const std::int16_t mode = saved.solvingData.gameMode;
        if (mode != static_cast<std::int16_t>(GameMode::Classic) && mode != static_cast<std::int16_t>(GameMode::Arcade))
            return SavedGameStatus::BadMode;
        saved.gameMode = static_cast<GameMode>(mode);
        saved.arcadeLevel = saved.solvingData.arcadeLevel;

        std::int32_t numWords = 0;
        std::int32_t textLength = 0;
        if (!readInt32(store_, k.key, records::kScore, saved.score) ||
            !readInt32(store_, k.key, records::kNumWordsFound, numWords) ||
            !readInt32(store_, k.key, records::kFoundTextLength, textLength) ||
            !readInt32(store_, k.key, records::kTimeLeft, saved.timeLeft) ||
            !readInt32(store_, k.key, records::kLevelScore, saved.levelScore))
            return SavedGameStatus::MissingValue;
        if (const SavedGameStatus s = checkSavedState(saved); s != SavedGameStatus::Loaded) return s;
        if (numWords < 0 || numWords > kMaxStoredFoundWords || textLength < 0 || textLength > kMaxStoredFoundText)
            return SavedGameStatus::BadCounters;

        // The text must be exactly as long as "SWORDSFOUND" says.
        std::vector<std::uint8_t> text(static_cast<std::size_t>(textLength) + 1, 0);
        const platform::QueryResult r = store_.queryValue(k.key, records::kFoundWords, text);
        if (r.status == StoreStatus::NotFound) return SavedGameStatus::MissingValue;
        if (r.status != StoreStatus::Success || r.size != static_cast<std::uint32_t>(textLength))
            return SavedGameStatus::BadFoundWords;
        const SavedGameStatus split = splitFoundWords(
            std::string_view(reinterpret_cast<const char*>(text.data()), r.size), numWords, saved.foundWords);
        if (split != SavedGameStatus::Loaded) return split;
        // The number is not part of the game: a missing or unusable one only leaves it out.
        std::array<std::uint8_t, records::kPuzzleNumberBufferSize> number{};
        if (const platform::QueryResult n = store_.queryValue(k.key, records::kPuzzleNumber, number);
            n.status == StoreStatus::Success)
            saved.puzzleNumber =
                savedPuzzleNumber(std::string_view(reinterpret_cast<const char*>(number.data()), n.size), saved);
        std::array<std::uint8_t, records::kLanguageBufferSize> code{};
        if (const platform::QueryResult n = store_.queryValue(k.key, records::kLanguage, code);
            n.status != StoreStatus::NotFound) {
            // Letters of a language this program does not play cannot be solved.
            // Written with a terminating zero, as the number is; a record without one is read alike.
            std::string_view codeText(reinterpret_cast<const char*>(code.data()), n.size);
            if (!codeText.empty() && codeText.back() == '\0') codeText.remove_suffix(1);
            const auto language = n.status == StoreStatus::Success ? letters::fromCode(codeText) : std::nullopt;
            if (!language) return SavedGameStatus::BadLetters;
            saved.language = *language;
        }
        return checkSavedScores(saved);
    }();
    closeKeys(k);
    if (status != SavedGameStatus::Loaded) saved = SavedGame{};
    return status;
}

}  // namespace game::persistence
