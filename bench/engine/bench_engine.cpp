// Engine speed through its exports: loading the dictionary, making and reading back puzzles of
// the game's sizes, and solving random 4x4 boards. The engine library is loaded by name, as the
// game loads it; several libraries can be measured side by side in one run:
//   bench_engine [--engine=NAME=LIBRARY]... [--dict=FILE] [benchmark options]
// Without --engine it measures the library of its own build folder. A summary of the medians (or
// of the single runs) follows the usual table.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/library.h"
#include "qxdll.h"

namespace {

constexpr std::array<std::int32_t, 16> kSteps = {1, 0, 0, 1, -1, 0, 0, -1, 1, 1, 1, -1, -1, -1, -1, 1};
constexpr std::int32_t kGameSeeds = 10001;  // the game's seeds are 0 to 10000
constexpr std::int32_t kSeedStride = 4099;  // prime to 10001, so any run of seeds spreads over all of them
constexpr std::array<int, 3> kSizes = {4, 5, 6};

// One engine library, loaded from its file, with its six exports.
struct Engine {
    std::string name;
    std::unique_ptr<platform::SharedLibrary> library;
    qxdll::Exports api;
    bool loaded = false;
};

std::string dictionaryPath = std::string(VARNOOK_BENCH_BIN_DIR) + "/DEFAULT.DICT";

std::unique_ptr<Engine> openEngine(const std::string& name, const std::string& file) {
    auto engine = std::make_unique<Engine>();
    engine->name = name;
    std::string error;
    engine->library = platform::SharedLibrary::open(file, &error);
    if (!engine->library) throw std::runtime_error("cannot load " + file + ": " + error);
    if (const char* missing = engine->api.bind([&](const char* n) { return engine->library->symbol(n); }))
        throw std::runtime_error(file + " has no export " + missing);
    return engine;
}

void loadOnce(Engine& engine) {
    if (!engine.loaded) engine.loaded = engine.api.loadLangDict(dictionaryPath.c_str()) == 1;
    if (!engine.loaded) throw std::runtime_error(engine.name + " cannot load " + dictionaryPath);
}

void benchLoadLangDict(benchmark::State& state, Engine* engine) {
    for (auto _ : state) benchmark::DoNotOptimize(engine->api.loadLangDict(dictionaryPath.c_str()));
    engine->loaded = engine->api.loadLangDict(dictionaryPath.c_str()) == 1;
}

// What the game does per puzzle: make it, read every list of 2 to 10 letters, free the lists.
void benchMakeAndReadPuzzle(benchmark::State& state, Engine* engine) {
    loadOnce(*engine);
    const auto& qx = engine->api;
    const auto size = static_cast<std::int32_t>(state.range(0));
    std::vector<std::uint8_t> grid(static_cast<std::size_t>(size * size));
    std::array<char, 12> word{};
    std::array<std::uint8_t, 11> path{};
    std::int32_t seed = 0;
    std::int64_t words = 0;
    for (auto _ : state) {
        std::fill(grid.begin(), grid.end(), 1);
        qx.makeQXPuzzleA(size, size, grid.data(), kSteps.data(), 8, seed);
        seed = (seed + kSeedStride) % kGameSeeds;
        for (std::int32_t k = 1; k <= 9; ++k) {
            const std::int32_t count = qx.qxpGetNumWordsInSize(k);
            for (std::int32_t n = 1; n <= count; ++n) words += qx.qxpGetWord(k, n, word.data(), path.data()) > 0;
        }
        qx.clearMemory();
    }
    state.counters["words/puzzle"] = benchmark::Counter(static_cast<double>(words), benchmark::Counter::kAvgIterations);
}

// Uniformly random letters a-z on 4x4 boards, solved and freed.
void benchRecreateRandom4x4(benchmark::State& state, Engine* engine) {
    loadOnce(*engine);
    const auto& qx = engine->api;
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::vector<std::array<std::uint8_t, 16>> boards(1024);
    for (auto& board : boards)
        for (auto& cell : board) cell = static_cast<std::uint8_t>(letter(rng));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qx.recreatePuzzle(4, 4, boards[next++ % boards.size()].data(), kSteps.data(), 8));
        qx.clearMemory();
    }
    state.counters["boards/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The usual console table, then one line per measure with a column per engine: the median of the
// repetitions when there are several, else the single run. Times are CPU times.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    explicit SummaryReporter(std::vector<std::string> engines)
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular), engines_(std::move(engines)) {
        // The summary's rows, in this order whatever order the benchmarks ran in.
        measure(kBoardsCaption, 0, true);
        for (auto size = kSizes.rbegin(); size != kSizes.rend(); ++size) measure(makeCaption(*size), 1, false);
        measure(kLoadCaption, 2, false);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
            if (run.run_type == Run::RT_Iteration && run.repetitions > 1) continue;
            record(run);
        }
    }

    void Finalize() override {
        std::ostream& out = GetOutputStream();
        out << "\nSummary (CPU time; medians when repeated), dictionary " << dictionaryPath << "\n";
        char line[160];
        std::snprintf(line, sizeof line, "%-36s", "");
        out << line;
        for (const auto& engine : engines_) {
            std::snprintf(line, sizeof line, "%14s", engine.c_str());
            out << line;
        }
        if (engines_.size() == 2) out << "     change";
        out << "\n";
        for (const auto& measure : measures_) {
            if (measure.values.empty()) continue;
            std::snprintf(line, sizeof line, "%-36s", measure.caption.c_str());
            out << line;
            std::vector<double> values;
            for (const auto& engine : engines_) {
                const auto found = measure.values.find(engine);
                const double value = found == measure.values.end() ? 0.0 : found->second;
                values.push_back(value);
                std::snprintf(line, sizeof line, "%14.*f", measure.decimals, value);
                out << line;
            }
            if (values.size() == 2 && values[0] > 0 && values[1] > 0) {
                // How many times faster (or slower) the second engine is.
                const double factor = measure.higherIsBetter ? values[1] / values[0] : values[0] / values[1];
                if (factor >= 1) {
                    std::snprintf(line, sizeof line, "   %6.2fx faster", factor);
                } else {
                    std::snprintf(line, sizeof line, "   %6.2fx slower", 1 / factor);
                }
                out << line;
            }
            out << "\n";
        }
    }

private:
    static constexpr const char* kBoardsCaption = "random 4x4 boards solved per second";
    static constexpr const char* kLoadCaption = "dictionary load, ms";
    static std::string makeCaption(int size) {
        return std::to_string(size) + "x" + std::to_string(size) + " make + read + clear, us";
    }

    struct Measure {
        std::string caption;
        int decimals;
        bool higherIsBetter;
        std::map<std::string, double> values;  // by engine
    };

    void record(const Run& run) {
        // Names are FAMILY/ENGINE or FAMILY/ENGINE/SIZE.
        const std::string name = run.run_name.function_name;
        const auto slash = name.find('/');
        if (slash == std::string::npos) return;
        const std::string family = name.substr(0, slash);
        const std::string engine = name.substr(slash + 1);
        const std::string& args = run.run_name.args;
        if (family == "LoadLangDict") {
            measure(kLoadCaption, 2, false)[engine] = run.GetAdjustedCPUTime();
        } else if (family == "MakeAndReadPuzzle") {
            measure(makeCaption(std::stoi(args)), 1, false)[engine] = run.GetAdjustedCPUTime();
        } else if (family == "RecreateRandom4x4") {
            const auto rate = run.counters.find("boards/s");
            if (rate != run.counters.end()) measure(kBoardsCaption, 0, true)[engine] = rate->second;
        }
    }

    std::map<std::string, double>& measure(const std::string& caption, int decimals, bool higherIsBetter) {
        for (auto& m : measures_)
            if (m.caption == caption) return m.values;
        measures_.push_back({caption, decimals, higherIsBetter, {}});
        return measures_.back().values;
    }

    std::vector<std::string> engines_;
    std::vector<Measure> measures_;
};

}  // namespace

int main(int argc, char** argv) {
    // Our own options first; the rest go to the benchmark library.
    std::vector<std::unique_ptr<Engine>> engines;
    std::vector<char*> rest{argv[0]};
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string_view arg = argv[i];
            if (arg.starts_with("--engine=")) {
                const std::string_view spec = arg.substr(9);
                const auto eq = spec.find('=');
                if (eq == std::string_view::npos || eq == 0) throw std::runtime_error("--engine=NAME=LIBRARY");
                engines.push_back(openEngine(std::string(spec.substr(0, eq)), std::string(spec.substr(eq + 1))));
            } else if (arg.starts_with("--dict=")) {
                dictionaryPath = std::string(arg.substr(7));
            } else {
                rest.push_back(argv[i]);
            }
        }
        if (engines.empty())
            engines.push_back(openEngine(
                "current", std::string(VARNOOK_BENCH_BIN_DIR) + "/" + platform::SharedLibrary::fileName("QXDLL")));
    } catch (const std::exception& e) {
        std::cerr << "bench_engine: " << e.what() << "\n";
        return 2;
    }

    std::vector<std::string> names;
    for (const auto& engine : engines) {
        Engine* e = engine.get();
        names.push_back(e->name);
        benchmark::RegisterBenchmark(("LoadLangDict/" + e->name).c_str(), benchLoadLangDict, e)
            ->Unit(benchmark::kMillisecond);
        auto* make = benchmark::RegisterBenchmark(("MakeAndReadPuzzle/" + e->name).c_str(), benchMakeAndReadPuzzle, e);
        for (const int size : kSizes) make->Arg(size);
        make->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("RecreateRandom4x4/" + e->name).c_str(), benchRecreateRandom4x4, e);
    }

    int benchArgc = static_cast<int>(rest.size());
    benchmark::Initialize(&benchArgc, rest.data());
    if (benchmark::ReportUnrecognizedArguments(benchArgc, rest.data())) return 2;
    SummaryReporter reporter(names);
    try {
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } catch (const std::exception& e) {
        std::cerr << "bench_engine: " << e.what() << "\n";
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
