// The world economy's cycle: a slow sine wave with some noise that pushes the
// country's "GDP" up and down whatever the government does.
#pragma once

#include "simulation/Neuron.h"

class GlobalEconomy : public Neuron {
public:
    GlobalEconomy() = default;

    // At game start: phase 0, a six-year period, strength from the
    // "GLOBALECONOMY" option, and one effect into "GDP".
    void Start();
    // Once a turn: a quarter of a year further along the wave.
    void Turn();
    float Recalculate() override;

    float Phase() const { return phase_; }
    void SetPhase(float phase) { phase_ = phase; }
    float Period() const { return period_; }
    float Strength() const { return strength_; }

private:
    float phase_ = 0.0f;
    float period_ = 6.0f;
    float strength_ = 0.0f;
};
