// Loading the library by name, guarded list reading and dictionary file helpers.
#include "engine_harness.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>

#include "dict_builder.h"

namespace varnook::engine_test {

namespace fs = std::filesystem;

namespace {

fs::path uniqueTempPath(const std::string& suffix) {
    static std::atomic<int> counter{0};
    return fs::temp_directory_path() /
           ("varnook-engine-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + suffix);
}

constexpr std::uint8_t kGuard = 0xA5;
constexpr std::size_t kGuardBytes = 8;

}  // namespace

EngineApi::EngineApi(const fs::path& file, bool removeAfter) {
    if (removeAfter) copy_ = file;
    std::string error;
    library_ = platform::SharedLibrary::open(file.string(), &error);
    if (!library_) throw std::runtime_error("cannot load " + file.string() + ": " + error);
    if (const char* missing = bind([&](const char* name) { return library_->symbol(name); }))
        throw std::runtime_error(std::string("missing export ") + missing);
}

EngineApi::~EngineApi() {
    library_.reset();
    if (!copy_.empty()) fs::remove(copy_);
}

EngineApi& EngineApi::shipped() {
    static EngineApi api(fs::path(VARNOOK_TEST_BIN_DIR) / platform::SharedLibrary::fileName("QXDLL"), false);
    return api;
}

std::unique_ptr<EngineApi> EngineApi::freshCopy() {
    const fs::path copy = uniqueTempPath(".so");
    fs::copy_file(fs::path(VARNOOK_TEST_BIN_DIR) / platform::SharedLibrary::fileName("QXDLL"), copy);
    return std::unique_ptr<EngineApi>(new EngineApi(copy, true));
}

Lists readLists(const EngineApi& api) {
    Lists lists;
    for (int k = 0; k < 15; ++k) {
        const std::int32_t count = api.qxpGetNumWordsInSize(k);
        for (std::int32_t n = 1; n <= count; ++n) {
            const auto length = static_cast<std::size_t>(k) + 1;
            std::vector<std::uint8_t> word(length + 1 + kGuardBytes, kGuard);
            std::vector<std::uint8_t> path(length + kGuardBytes, kGuard);
            EXPECT_EQ(api.qxpGetWord(k, n, reinterpret_cast<char*>(word.data()), path.data()), k + 1);
            for (std::size_t g = 0; g < kGuardBytes; ++g) {
                EXPECT_EQ(word[length + 1 + g], kGuard) << "word buffer overrun, list " << k;
                EXPECT_EQ(path[length + g], kGuard) << "path buffer overrun, list " << k;
            }
            EXPECT_EQ(word[length], 0) << "word not zero-terminated, list " << k;
            path.resize(length);
            lists[static_cast<std::size_t>(k)].push_back(
                {std::string(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(length)), path});
        }
    }
    return lists;
}

Lists listsOf(const RefEngine& ref) {
    Lists lists;
    for (std::size_t k = 0; k < 15; ++k)
        for (std::size_t i = 0; i < ref.solutionWords[k].size(); ++i) {
            std::vector<std::uint8_t> path;
            for (const std::int16_t cell : ref.solutionPaths[k][i]) path.push_back(static_cast<std::uint8_t>(cell));
            lists[k].push_back({ref.solutionWords[k][i], path});
        }
    return lists;
}

std::int32_t countedWords(const Lists& lists) {
    std::int32_t total = 0;
    for (std::size_t k = 2; k <= 9; ++k) total += static_cast<std::int32_t>(lists[k].size());
    return total;
}

std::vector<std::int32_t> flatten(const Steps& steps) {
    std::vector<std::int32_t> flat;
    for (const auto& [dx, dy] : steps) {
        flat.push_back(dx);
        flat.push_back(dy);
    }
    return flat;
}

std::vector<std::uint8_t> dictionaryImage(const std::vector<std::string>& words, const Weights& weights) {
    const auto nodes = mkdict::buildNodes(words);
    if (!nodes) throw std::runtime_error("word list too large");
    return mkdict::encodeDictionary(weights, *nodes);
}

Weights weightsOf(const std::string& letters, std::uint8_t each) {
    Weights weights{};
    for (const char ch : letters) weights[static_cast<unsigned char>(ch)] = each;
    return weights;
}

std::vector<std::uint8_t> nodesImage(const Weights& weights, const std::vector<std::uint32_t>& nodes) {
    return mkdict::encodeDictionary(weights, nodes);
}

std::string shippedDictionaryPath() { return (fs::path(VARNOOK_TEST_BIN_DIR) / "DEFAULT.DICT").string(); }

std::vector<std::uint8_t> shippedDictionary() {
    std::ifstream in(shippedDictionaryPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempFile::TempFile(const std::vector<std::uint8_t>& bytes) : path_(uniqueTempPath(".dict")), text_(path_.string()) {
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TempFile::~TempFile() {
    std::error_code ec;
    fs::remove(path_, ec);
}

std::vector<std::uint8_t> gridOf(const std::vector<std::string>& rows) {
    std::vector<std::uint8_t> grid;
    for (const auto& row : rows)
        for (const char ch : row) grid.push_back(ch == '.' ? 0 : static_cast<std::uint8_t>(ch));
    return grid;
}

}  // namespace varnook::engine_test
