// One member of the simulated electorate: a neuron whose value, the average
// mood of the groups it belongs to, is its opinion of the government.
#pragma once

#include "simulation/Neuron.h"

class Voter : public Neuron {
public:
    Voter();
    // The value (recalculated first when marked), limited to 0..1.
    float Opinion();
};
