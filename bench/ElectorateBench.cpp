// Voter processing and the poll for a full population: 2 000 voters in 25
// groups, each voter in about five of them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/EnrolledManager.h"
#include "core/GameRandom.h"
#include "core/LinkedMode.h"
#include "politics/Polls.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"

namespace {

void BuildElectorate() {
    SetLinkedMode(false);
    EnrolledManager::ResetAll();
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    GameRandom::Seed(11);
    Network::CreateSpecialNeurons();
    const std::string folder = std::filesystem::temp_directory_path().string() + "/polity-bench";
    std::filesystem::create_directories(folder);
    std::string types = "#,_All_,Everyone,,1.0,All,0.5,#\n";
    for (int i = 1; i < 25; ++i) {
        types += "#,Group" + std::to_string(i) + ",Group " + std::to_string(i) + ",,0.17,A group," +
                 std::to_string(0.3 + 0.016 * i) + ",#\n";
    }
    const std::string typesPath = folder + "/types.csv";
    std::FILE* file = std::fopen(typesPath.c_str(), "w");
    std::fputs(types.c_str(), file);
    std::fclose(file);
    GameOptions::Instance().Set(1.0f, GameOptions::kAiEntities);
    VoterManager::Instance().LoadVoterTypes(typesPath);
    std::filesystem::remove(folder + "/matrix.txt");
    VoterManager::Instance().CreatePopulation(folder + "/matrix.txt");
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    Network::SetSettleMode(false);
}

void BM_VoterProcessing(benchmark::State& state) {
    BuildElectorate();
    VoterManager& voters = VoterManager::Instance();
    int round = 0;
    for (auto _ : state) {
        // Moods that change every turn, so every membership carries news.
        for (VoterType* type : voters.VoterTypes()) type->SetValue(0.4f + 0.01f * static_cast<float>(round % 20));
        voters.PassOnMoods();
        Network::RecalculateAll();
        ++round;
    }
    state.counters["voters"] = voters.PopulationTotal();
}
BENCHMARK(BM_VoterProcessing)->Unit(benchmark::kMicrosecond);

void BM_TakePoll(benchmark::State& state) {
    BuildElectorate();
    for (auto _ : state) Polls::Instance().TakePoll(20, false);
}
BENCHMARK(BM_TakePoll)->Unit(benchmark::kMicrosecond);

}  // namespace
