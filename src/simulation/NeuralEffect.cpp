// The per-turn lag and the output of an effect.
#include "simulation/NeuralEffect.h"

#include <algorithm>
#include <cmath>

#include "core/LinkedMode.h"
#include "engine/Diagnostics.h"
#include "simulation/Network.h"
#include "simulation/Neuron.h"

NeuralEffect::NeuralEffect(Neuron* source, Neuron* target, std::string_view formula, float scale,
                           float initialInput)
    : source_(source),
      target_(target),
      scale_(scale),
      laggedInput_(initialInput),
      targetInput_(initialInput),
      formula_(formula) {}

NeuralEffect::~NeuralEffect() {
    if (!IsLinkedMode()) return;
    auto unlink = [this](std::vector<NeuralEffect*>& list) {
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    };
    if (source_) unlink(source_->outputs_);
    if (target_) unlink(target_->inputs_);
    // A faded grudge leaves with its effects: the neuron it moved must not
    // keep naming it as the cause of its last change (the news would read a
    // deleted neuron).
    if (target_ && source_ && target_->mainCause_ == source_) target_->mainCause_ = nullptr;
}

bool NeuralEffect::ReportOrphan() {
    ReportFailure("Orphan effect", "NeuralEffect", __LINE__);
    return false;
}

void NeuralEffect::SetTargetInput(float value) {
    if (value != targetInput_) target_->MarkChanged();
    targetInput_ = value;
}



void NeuralEffect::Update() {
    float before = Output();
    if (fresh_) {
        fresh_ = false;
        before = 0.0f;
    }
    const float step = 1.0f / static_cast<float>(inertia_);
    if (targetInput_ <= laggedInput_) {
        laggedInput_ -= step;
        if (laggedInput_ < targetInput_) laggedInput_ = targetInput_;
    } else {
        laggedInput_ += step;
        if (laggedInput_ > targetInput_) laggedInput_ = targetInput_;
    }
    const float after = Output();
    if (after != before) target_->MarkChanged();
    lastChange_ = std::fabs(after - before);
}
