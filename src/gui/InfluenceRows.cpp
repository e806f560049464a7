// Influence rows of the details windows.
#include "gui/InfluenceRows.h"

#include <algorithm>
#include <cmath>

#include "simulation/Network.h"
#include "simulation/NeuralEffect.h"
#include "simulation/Neuron.h"

namespace {

// Helpers of the network ("_default_", "_winning_", "_random_" sources) mean
// nothing to a player; the national debt does.
bool IsShown(const Neuron& neuron) {
    if (&neuron == Network::DebtNeuron()) return true;
    return neuron.Name().empty() || neuron.Name()[0] != '_';
}

std::vector<InfluenceRow> Strongest(const std::vector<NeuralEffect*>& effects, bool inputs,
                                    size_t limit) {
    std::vector<InfluenceRow> rows;
    for (const NeuralEffect* effect : effects) {
        if (!effect || !effect->IsActive()) continue;
        const Neuron* other = inputs ? effect->Source() : effect->Target();
        if (!other || !IsShown(*other) || other->Kind() == NeuronKind::Voter) continue;
        const float output = EffectContribution(*effect);
        if (std::fabs(output) < 1e-4f) continue;
        rows.push_back({other, ReadableName(*other), output});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const InfluenceRow& a, const InfluenceRow& b) {
        return std::fabs(a.output) > std::fabs(b.output);
    });
    if (rows.size() > limit) rows.resize(limit);
    return rows;
}

}  // namespace

float EffectContribution(const NeuralEffect& effect) {
    const Neuron* source = effect.Source();
    const float factor =
        source && source->Kind() == NeuronKind::Policy ? source->OutputFactor() : 1.0f;
    return effect.StoredOutput() * factor;
}

std::string ReadableName(const Neuron& neuron) {
    if (neuron.Kind() == NeuronKind::Grudge) {
        const Neuron* cause = Network::FindByName(neuron.Name());
        if (cause && cause != &neuron && !cause->DisplayName().empty()) return cause->DisplayName();
    }
    return neuron.DisplayName().empty() ? neuron.Name() : neuron.DisplayName();
}

std::vector<InfluenceRow> VoterGroupInfluences(const Neuron& group, size_t limit) {
    std::vector<InfluenceRow> rows;
    for (const NeuralEffect* effect : group.Inputs()) {
        if (rows.size() >= limit) break;
        const Neuron* source = effect ? effect->Source() : nullptr;
        if (!source || !source->IsActive() || !IsShown(*source)) continue;
        rows.push_back({source, ReadableName(*source), EffectContribution(*effect)});
    }
    return rows;
}

std::vector<InfluenceRow> StrongestInputs(const Neuron& neuron, size_t limit) {
    return Strongest(neuron.Inputs(), true, limit);
}

std::vector<InfluenceRow> StrongestOutputs(const Neuron& neuron, size_t limit) {
    return Strongest(neuron.Outputs(), false, limit);
}
