// One balance game of 40 turns on the first country for each built-in
// player, on a copy of the shipped data: the run's cost per game.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "aids/BalanceGame.h"
#include "aids/BalanceStrategy.h"
#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "simulation/GameOptions.h"

namespace {

namespace fs = std::filesystem;

void EnterBalanceDataCopy() {
    static bool entered = false;
    if (entered) return;
    entered = true;
    const fs::path folder = fs::temp_directory_path() / "polity-bench-balance";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(fs::path(POLITY_SOURCE_DIR) / "data", folder / "data", fs::copy_options::recursive);
    fs::current_path(folder);
    SetupValues::Instance().Load();
    for (int i = 0; i < GameOptions::kCount; ++i)
        GameOptions::Instance().Set(GameOptions::Default(i), i);
    CloseLog();
}

void BM_BalanceGame(benchmark::State& state) {
    EnterBalanceDataCopy();
    const std::string strategy = BalanceStrategy::Names()[static_cast<size_t>(state.range(0))];
    state.SetLabel(strategy);
    std::uint32_t seed = 1;
    for (auto _ : state) {
        BalanceGame game("mission1", BalanceStrategy::Create(strategy, seed), seed, 40);
        benchmark::DoNotOptimize(game.Play());
        ++seed;
    }
}
BENCHMARK(BM_BalanceGame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
