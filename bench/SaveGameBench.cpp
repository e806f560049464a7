// Saving and loading the first country with a full population of 2 000
// voters, on a copy of the shipped data.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "simulation/GameOptions.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Gameplaymanager.h"
#include "world/SaveGameManager.h"
#include "world/SaveGameWriter.h"

namespace {

namespace fs = std::filesystem;

// A game four turns in, saved once, in a private copy of the data.
void EnterSavedGame() {
    static bool entered = false;
    const fs::path folder = fs::temp_directory_path() / "polity-bench-save";
    if (!entered) {
        entered = true;
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy(fs::path(POLITY_SOURCE_DIR) / "data", folder / "data",
                 fs::copy_options::recursive);
    }
    fs::current_path(folder);
    SetupValues::Instance().Load();
    GameOptions::Instance().Set(1.0f, GameOptions::kAiEntities);
    GameOptions::Instance().Set(0.0f, GameOptions::kAutosave);
    SaveGameManager::Instance().SetLogging(false);
    PlayerInputRecorder::Instance().SetEnabled(false);
    GameRandom::Seed(5);
    Gameplaymanager& game = Gameplaymanager::Instance();
    game.StartGame("mission1");
    for (int turn = 0; turn < 3; ++turn) game.NewTurn();
    SaveGameManager::Instance().SaveNamed("bench");
}

// Building the text and the atomic write (with its flush to the disk).
void BM_SaveGame(benchmark::State& state) {
    EnterSavedGame();
    for (auto _ : state) benchmark::DoNotOptimize(SaveGameManager::Instance().SaveNamed("bench"));
    state.counters["bytes"] = static_cast<double>(SaveGameWriter::Build().size());
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

// The text alone, without the disk.
void BM_BuildSaveText(benchmark::State& state) {
    EnterSavedGame();
    for (auto _ : state) benchmark::DoNotOptimize(SaveGameWriter::Build());
}
BENCHMARK(BM_BuildSaveText)->Unit(benchmark::kMillisecond);

// Reading, clearing the game, rebuilding it from the data files and laying
// the saved values over it.
void BM_LoadGame(benchmark::State& state) {
    EnterSavedGame();
    for (auto _ : state) benchmark::DoNotOptimize(SaveGameManager::Instance().Load("bench"));
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond);

}  // namespace
