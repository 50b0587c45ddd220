// Test harness for the engine: the library loaded by name as a foreign caller loads it, reading
// the solution lists back through guarded buffers, dictionary files made on the fly, and the
// model engine's lists in the same shape for comparison.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/library.h"
#include "qxdll.h"
#include "reference_engine.h"

namespace varnook::engine_test {

// The six exports of one loaded copy of libQXDLL.so (api.loadLangDict(...) and so on).
class EngineApi : public qxdll::Exports {
public:
    // The library in the program folder, loaded once per test process.
    static EngineApi& shipped();
    // A private copy of the library under another file name: its own, never-loaded engine.
    static std::unique_ptr<EngineApi> freshCopy();
    ~EngineApi();
    EngineApi(const EngineApi&) = delete;
    EngineApi& operator=(const EngineApi&) = delete;

private:
    EngineApi(const std::filesystem::path& file, bool removeAfter);
    std::unique_ptr<platform::SharedLibrary> library_;
    std::filesystem::path copy_;
};

struct Listed {
    std::string word;
    std::vector<std::uint8_t> path;
    bool operator==(const Listed&) const = default;
};
using Lists = std::array<std::vector<Listed>, 15>;

// Every list through qxpGetNumWordsInSize / qxpGetWord. Buffers carry guard bytes past k + 2
// and k + 1 bytes; a write past them, or a result other than k + 1, fails the calling test.
Lists readLists(const EngineApi& api);
// The model's lists, paths cut to their low byte as the export returns them.
Lists listsOf(const RefEngine& ref);
std::int32_t countedWords(const Lists& lists);  // lists 2..9

inline const Steps kEightSteps = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
inline const Steps kFourSteps = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
std::vector<std::int32_t> flatten(const Steps& steps);

// Dictionary file images.
using Weights = std::array<std::uint8_t, 256>;
std::vector<std::uint8_t> dictionaryImage(const std::vector<std::string>& words, const Weights& weights);
Weights weightsOf(const std::string& letters, std::uint8_t each = 1);
std::vector<std::uint8_t> nodesImage(const Weights& weights, const std::vector<std::uint32_t>& nodes);
std::vector<std::uint8_t> shippedDictionary();
std::string shippedDictionaryPath();

// A file in the temporary folder, removed when the object goes.
class TempFile {
public:
    explicit TempFile(const std::vector<std::uint8_t>& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* c_str() const { return text_.c_str(); }

private:
    std::filesystem::path path_;
    std::string text_;  // the path as single-byte text, for the engine's C interface
};

// A grid from rows of letters ('.' for byte 0).
std::vector<std::uint8_t> gridOf(const std::vector<std::string>& rows);

}  // namespace varnook::engine_test
