// The network work of every turn, on a generated network the size of a full
// game: 2 000 neurons and 10 000 effects.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/GameRandom.h"
#include "core/LinkedMode.h"
#include "simulation/Network.h"

namespace {

constexpr int kNeurons = 2000;
constexpr int kEffects = 10000;

// Effects run from lower to higher index, so the network has no cycle; the
// first tenth of the neurons carry a base value and act as sources.
std::vector<Neuron*> BuildNetwork() {
    SetLinkedMode(false);
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    GameRandom::Seed(7);
    Network::CreateSpecialNeurons();
    std::vector<Neuron*> neurons;
    for (int i = 0; i < kNeurons; ++i) neurons.push_back(Network::Create<Neuron>());
    for (int i = 0; i < kNeurons / 10; ++i) neurons[static_cast<size_t>(i)]->SetBaseValue(0.5f);
    const char* formulas[] = {"0+(0.2*x)", "0-(0.1*x)", "-0.2*(x^2)", "0.05+(0.3*x)"};
    for (int e = Network::EffectCount(); e < kEffects; ++e) {
        const int from = Rand() % (kNeurons - 1);
        const int to = from + 1 + Rand() % (kNeurons - from - 1);
        Network::CreateEffect(neurons[static_cast<size_t>(from)], neurons[static_cast<size_t>(to)],
                              formulas[e % 4], 1.0f, 0.5f);
    }
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    Network::SetSettleMode(false);
    return neurons;
}

void BM_RecalculateAllAfterMarkingTenPercent(benchmark::State& state) {
    const std::vector<Neuron*> neurons = BuildNetwork();
    int round = 0;
    for (auto _ : state) {
        // A different tenth of the sources each round, as a turn would.
        for (int i = 0; i < kNeurons / 10; ++i) {
            if ((i + round) % 10 == 0 || i % 10 == 0) neurons[static_cast<size_t>(i)]->MarkChanged();
        }
        Network::RecalculateAll();
        ++round;
    }
    state.counters["neurons"] = static_cast<double>(Network::NeuronCount());
    state.counters["effects"] = static_cast<double>(Network::EffectCount());
}
BENCHMARK(BM_RecalculateAllAfterMarkingTenPercent)->Unit(benchmark::kMicrosecond);

void BM_UpdateAllEffects(benchmark::State& state) {
    BuildNetwork();
    for (auto _ : state) Network::UpdateAllEffects();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Network::EffectCount()));
}
BENCHMARK(BM_UpdateAllEffects)->Unit(benchmark::kMicrosecond);

void BM_FindByName(benchmark::State& state) {
    const std::vector<Neuron*> neurons = BuildNetwork();
    for (int i = 0; i < kNeurons; ++i) neurons[static_cast<size_t>(i)]->SetName("Value" + std::to_string(i));
    int i = 0;
    const std::vector<std::string> names = {"Value17", "Value1999", "Value640", "_default_"};
    for (auto _ : state) benchmark::DoNotOptimize(Network::FindByName(names[static_cast<size_t>(i++ % 4)]));
}
BENCHMARK(BM_FindByName);

}  // namespace
