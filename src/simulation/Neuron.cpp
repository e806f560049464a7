// Recalculation, marking, histories and influences of a neuron.
#include "simulation/Neuron.h"

#include <algorithm>
#include <cmath>

#include "core/FieldReader.h"
#include "core/GameRandom.h"
#include "core/LinkedMode.h"
#include "core/ScreenMetrics.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "simulation/Network.h"
#include "simulation/NeuronDebugger.h"
#include "simulation/RandomSource.h"

namespace {

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

std::string CutName(std::string_view name) {
    return std::string(name.substr(0, Neuron::kMaxNameLength));
}

}  // namespace

Neuron::Neuron() {
    const int width = ScreenMetrics::Width();
    const int height = ScreenMetrics::Height();
    x_ = static_cast<float>(width) * 0.5f;
    y_ = static_cast<float>(height) * 0.5f;
    // The debug sprite's spot is drawn whether or not a window shows it, so a
    // seed replays the same game headless and windowed.
    companionX_ = static_cast<float>(32 + Rand() % std::max(1, width - 64));
    companionY_ = static_cast<float>(32 + Rand() % std::max(1, height - 64));
    for (float& entry : history_) entry = 0.5f + GameRandom::Uniform(-0.02f, 0.02f);
    Network::Register(this);
}

Neuron::~Neuron() {
    if (IsLinkedMode()) {
        while (!outputs_.empty()) Network::DestroyEffect(outputs_.front());
        while (!inputs_.empty()) Network::DestroyEffect(inputs_.front());
    }
    Network::Unregister(this);
}

void Neuron::SetName(std::string_view name) {
    Network::Rename(this, CutName(name));
    RefreshWatched();
}

void Neuron::RefreshWatched() {
    const bool watched = NeuronDebugger::Instance().WatchesName(name_);
    if (watched != watched_) Network::MarkStructureChanged();
    watched_ = watched;
}

void Neuron::SetDisplayName(std::string_view name) { displayName_ = CutName(name); }

float Neuron::Recalculate() {
    if (watched_) NeuronDebugger::Instance().Write(*this, "Recalculating...\n");
    const float old = value_;
    const Neuron* defaultNeuron = Network::DefaultNeuron();
    float sum = 0.0f;
    float base = 0.0f;
    int count = 0;
    for (NeuralEffect* effect : inputs_) {
        if (!effect->IsActive()) continue;
        if (effect->Source() == defaultNeuron) {
            base = effect->Output();
        } else {
            sum += effect->Output();
            ++count;
        }
    }
    if (count > 1 && !summing_) sum /= static_cast<float>(count);
    value_ = base + sum;
    if (!std::isfinite(value_)) Network::ReportNonFinite(*this);
    if (value_ != old || changed_) Propagate();
    UpdateMainCause();
    changed_ = false;
    return value_;
}

void Neuron::MarkChanged() {
    if (changed_) return;
    changed_ = true;
    if (outputs_.empty()) return;
    // An explicit stack, kept between calls: a long chain of modded effects
    // must not overflow the call stack, and marking runs thousands of times a
    // turn.
    static std::vector<Neuron*> pending;
    const size_t bottom = pending.size();
    pending.push_back(this);
    while (pending.size() > bottom) {
        Neuron* current = pending.back();
        pending.pop_back();
        for (NeuralEffect* effect : current->outputs_) {
            Neuron* target = effect->target_;
            if (target->changed_) continue;
            target->changed_ = true;
            if (!target->outputs_.empty()) pending.push_back(target);
        }
    }
}

void Neuron::Propagate() {
    // Every target is marked whether or not its input moved, so the check
    // that SetTargetInput makes is not needed here.
    if (!Network::PostponeHandOver(*this)) {
        for (NeuralEffect* effect : outputs_) {
            effect->targetInput_ = value_;
            Neuron* target = effect->target_;
            if (!target->changed_) target->MarkChanged();
        }
    }
    displayOrderValid_ = false;
    companionOrderValid_ = false;
}

void Neuron::UpdateMainCause() {
    const NeuralEffect* largest = nullptr;
    for (const NeuralEffect* effect : inputs_) {
        if (effect->lastChange_ > 0.0f && (!largest || effect->lastChange_ > largest->lastChange_)) largest = effect;
    }
    if (largest) mainCause_ = largest->source_;
}

void Neuron::SetHistoryEntry(int index, float value) {
    if (index >= 0 && index < kHistoryLength) history_[static_cast<size_t>(index)] = value;
}

void Neuron::ShiftHistory() {
    std::copy_backward(history_.begin(), history_.end() - 1, history_.end());
    history_[0] = Clamp01(GetValue());
}

void Neuron::ResetHistory() {
    for (float& entry : history_) entry = value_ + GameRandom::Uniform(-0.02f, 0.02f);
}

void Neuron::SetBaseValue(float value) {
    const Neuron* defaultNeuron = Network::DefaultNeuron();
    for (NeuralEffect* effect : inputs_) {
        if (effect->Source() == defaultNeuron) {
            Network::DestroyEffect(effect);
            break;
        }
    }
    Network::CreateEffect(Network::DefaultNeuron(), this, FormatText("%f + (0*x)", static_cast<double>(value)), 1.0f,
                          value);
}

void Neuron::AddInfluence(std::string_view text) {
    if (text.find(',') == std::string_view::npos) return;
    FieldReader fields(text);
    const std::string first = fields.NextField();
    if (first == "_random_") {
        const float low = fields.NextFloat();
        const float high = fields.NextFloat();
        RandomSource* source = Network::Create<RandomSource>(low, high);
        Network::CreateEffect(source, this, "0+(1.0*x)", 1.0f, 1.0f);
        return;
    }
    const std::string formula = fields.NextField();
    Neuron* source = Network::FindByName(first);
    if (!source) {
        ReportFailure("failed to find event influence " + first, "Neuron", __LINE__);
        return;
    }
    Network::CreateEffect(source, this, formula, 1.0f, 1.0f);
}

Neuron* Neuron::FindInputFromGrudge(std::string_view name) const {
    for (const NeuralEffect* effect : inputs_) {
        const Neuron* source = effect->source_;
        if (source && source->kind_ == NeuronKind::Grudge && source->name_ == name) return effect->source_;
    }
    return nullptr;
}

void Neuron::SortInputsForDisplay() {
    if (displayOrderValid_) return;
    // Ties go before the inputs already placed, so the sort runs from the back.
    std::vector<NeuralEffect*> sorted;
    sorted.reserve(inputs_.size());
    for (NeuralEffect* effect : inputs_) {
        const float size = std::fabs(effect->output_);
        auto at = std::find_if(sorted.begin(), sorted.end(),
                               [size](const NeuralEffect* placed) { return std::fabs(placed->output_) <= size; });
        sorted.insert(at, effect);
    }
    inputs_ = std::move(sorted);
    displayOrderValid_ = true;
}

void Neuron::PlaceRandomly(float innerRadius, float outerRadius) {
    const float angle = GameRandom::Uniform(0.0f, 360.0f);
    const float distance = GameRandom::Uniform(innerRadius, outerRadius);
    const float radians = angle * 3.14159265358979f / 180.0f;
    x_ = static_cast<float>(ScreenMetrics::Width()) * 0.5f + std::sin(radians) * distance;
    y_ = static_cast<float>(ScreenMetrics::Height()) * 0.5f - std::cos(radians) * distance;
}
