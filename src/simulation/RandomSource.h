// A neuron that draws a new uniform value between its bounds at every
// recalculation: the "_random_" influence of events and situations.
#pragma once

#include "simulation/Neuron.h"

class RandomSource : public Neuron {
public:
    RandomSource(float minimum, float maximum);
    float Recalculate() override;
    float Minimum() const { return minimum_; }
    float Maximum() const { return maximum_; }

private:
    float minimum_;
    float maximum_;
};
