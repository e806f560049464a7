// Slider input neurons.
#include "simulation/SliderInput.h"

SliderInput::SliderInput() {
    SetKind(NeuronKind::SliderInput);
    SetName("PlayerInput");
    value_ = 0.5f;
}

float SliderInput::Recalculate() {
    if (IsChanged()) Propagate();
    ClearChanged();
    return value_;
}
