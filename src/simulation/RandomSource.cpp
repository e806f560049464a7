// Random source neurons.
#include "simulation/RandomSource.h"

#include "core/GameRandom.h"

RandomSource::RandomSource(float minimum, float maximum) : minimum_(minimum), maximum_(maximum) {
    SetKind(NeuronKind::RandomSource);
    SetName("random");
}

float RandomSource::Recalculate() {
    value_ = GameRandom::Uniform(minimum_, maximum_);
    Propagate();
    ClearChanged();
    return value_;
}
