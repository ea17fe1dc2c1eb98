// Whole games of three computer seats without a window, with the shipped profiles.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include "platform/Random.h"
#include "support/GameDriver.h"

namespace {

void BM_ComputerGame(benchmark::State& state) {
    const std::string data = std::string(MORVATEL_SOURCE_DIR) + "/data";
    if (::chdir(data.c_str()) != 0) {
        state.SkipWithError("cannot enter the data folder");
        return;
    }
    GameSetup setup;
    setup.ProfileFiles = {"bruno heavy.vrk", "counting clara.vrk", "wall builder.vrk"};
    platform::SetFixedSeed(2026);
    long rounds = 0;
    for (auto _ : state) {
        // Statistics go to a scratch file, not the shipped folder.
        GameDriver driver(setup, {}, "/tmp/morvatel-bench.sta");
        benchmark::DoNotOptimize(driver.playToEnd());
        rounds += driver.rounds;
    }
    state.counters["games/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["rounds/game"] =
        static_cast<double>(rounds) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ComputerGame);

} // namespace

BENCHMARK_MAIN();
