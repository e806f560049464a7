// The global economic cycle.
#include "simulation/GlobalEconomy.h"

#include <cmath>

#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"

namespace {
constexpr float kPi = 3.14159265358979f;
}

void GlobalEconomy::Start() {
    phase_ = 0.0f;
    period_ = 6.0f;
    strength_ = 0.75f * GameOptions::Instance().Get(GameOptions::kGlobalEconomy);
    SetName("GlobalEconomy");
    value_ = 0.5f + 0.5f * std::sin(phase_ * kPi);
    Neuron* gdp = Network::FindByName("GDP");
    if (!gdp) {
        ReportFailure("the economic cycle finds no GDP value to drive", "GlobalEconomy", __LINE__);
        return;
    }
    Network::CreateEffect(this, gdp, "0+(1.0*x)", strength_, value_);
}

void GlobalEconomy::Turn() {
    phase_ += 1.0f / (period_ * 4.0f);
    if (phase_ > 1.0f) phase_ -= 1.0f;
    value_ = 0.5f + 0.5f * std::sin(phase_ * kPi) + GameRandom::Uniform(-0.06f, 0.06f);
    Propagate();
}

float GlobalEconomy::Recalculate() {
    ClearChanged();
    return value_;
}
