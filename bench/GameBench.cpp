// Starting the first country and playing one turn, with a full population of
// 2 000 voters, on a copy of the shipped data.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "simulation/GameOptions.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Gameplaymanager.h"

namespace {

namespace fs = std::filesystem;

// A private copy of the data, so the generated matrix and logs stay out of
// the source tree.
void EnterDataCopy() {
    static bool entered = false;
    if (entered) return;
    entered = true;
    const fs::path folder = fs::temp_directory_path() / "polity-bench-game";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(fs::path(POLITY_SOURCE_DIR) / "data", folder / "data", fs::copy_options::recursive);
    fs::current_path(folder);
    SetupValues::Instance().Load();
    GameOptions::Instance().Set(1.0f, GameOptions::kAiEntities);
    PlayerInputRecorder::Instance().SetEnabled(false);
}

void BM_StartGame(benchmark::State& state) {
    EnterDataCopy();
    for (auto _ : state) {
        GameRandom::Seed(5);
        Gameplaymanager::Instance().StartGame("mission1");
    }
}
BENCHMARK(BM_StartGame)->Unit(benchmark::kMillisecond);

void BM_NewTurn(benchmark::State& state) {
    EnterDataCopy();
    GameRandom::Seed(5);
    Gameplaymanager::Instance().StartGame("mission1");
    for (auto _ : state) Gameplaymanager::Instance().NewTurn();
}
BENCHMARK(BM_NewTurn)->Unit(benchmark::kMillisecond);

}  // namespace
