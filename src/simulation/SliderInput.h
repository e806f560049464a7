// The neuron a policy's slider writes ("PlayerInput"): it holds the player's
// setting and passes it on when it was changed.
#pragma once

#include "simulation/Neuron.h"

class SliderInput : public Neuron {
public:
    SliderInput();
    float Recalculate() override;
};
