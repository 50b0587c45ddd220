// Engine speed through its exports: loading the shipped dictionary, making and reading back
// puzzles of the game's sizes, and solving random 4x4 boards.
#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "qxdll.h"

namespace {

const std::string kDictionary = std::string(VARNOOK_BENCH_BIN_DIR) + "/DEFAULT.DICT";
constexpr std::array<std::int32_t, 16> kSteps = {1, 0, 0, 1, -1, 0, 0, -1, 1, 1, 1, -1, -1, -1, -1, 1};

void loadOnce() {
    static const bool loaded = loadLangDict(kDictionary.c_str()) == 1;
    if (!loaded) throw std::runtime_error("cannot load " + kDictionary);
}

void BM_LoadLangDict(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(loadLangDict(kDictionary.c_str()));
}
BENCHMARK(BM_LoadLangDict)->Unit(benchmark::kMillisecond);

// What the game does per puzzle: make it, read every list of 2 to 10 letters, free the lists.
void BM_MakeAndReadPuzzle(benchmark::State& state) {
    loadOnce();
    const auto size = static_cast<std::int32_t>(state.range(0));
    std::vector<std::uint8_t> grid(static_cast<std::size_t>(size * size));
    std::array<char, 12> word{};
    std::array<std::uint8_t, 11> path{};
    std::int32_t seed = 0;
    std::int64_t words = 0;
    for (auto _ : state) {
        std::fill(grid.begin(), grid.end(), 1);
        makeQXPuzzleA(size, size, grid.data(), kSteps.data(), 8, seed++ % 10001);
        for (std::int32_t k = 1; k <= 9; ++k) {
            const std::int32_t count = qxpGetNumWordsInSize(k);
            for (std::int32_t n = 1; n <= count; ++n) words += qxpGetWord(k, n, word.data(), path.data()) > 0;
        }
        clearMemory();
    }
    state.counters["words/puzzle"] = benchmark::Counter(static_cast<double>(words), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MakeAndReadPuzzle)->Arg(4)->Arg(5)->Arg(6)->Unit(benchmark::kMicrosecond);

// Uniformly random letters a-z on 4x4 boards, solved and freed.
void BM_RecreateRandom4x4(benchmark::State& state) {
    loadOnce();
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::vector<std::array<std::uint8_t, 16>> boards(1024);
    for (auto& board : boards)
        for (auto& cell : board) cell = static_cast<std::uint8_t>(letter(rng));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(recreatePuzzle(4, 4, boards[next++ % boards.size()].data(), kSteps.data(), 8));
        clearMemory();
    }
    state.counters["boards/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecreateRandom4x4);

}  // namespace

BENCHMARK_MAIN();
