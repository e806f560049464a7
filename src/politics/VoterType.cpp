// Voter groups.
#include "politics/VoterType.h"

#include "simulation/GameOptions.h"
#include "simulation/Network.h"

namespace {

std::function<void(VoterType&)>& TurnListener() {
    static std::function<void(VoterType&)> listener;
    return listener;
}

// The share neuron's value is set directly; the frequency neuron is driven by
// data effects.
class GroupFrequency : public Neuron {
public:
    GroupFrequency() { SetKind(NeuronKind::VoterFrequency); }
};

}  // namespace

VoterType::VoterType(std::string_view name) {
    SetKind(NeuronKind::VoterType);
    SetName(name);
    percentage_ = Network::Create<Neuron>();
    percentage_->SetName(std::string(name) + "_perc");
    frequency_ = Network::Create<GroupFrequency>();
    frequency_->SetName(std::string(name) + "_freq");
    Network::CreateEffect(Network::DefaultNeuron(), this, "0.5+(0*x)", 1.0f, 1.0f);
    Network::CreateEffect(Network::DefaultNeuron(), frequency_, "0.5+(0*x)", 1.0f, 1.0f);
    PlaceRandomly(200.0f, 220.0f);
}

VoterType::~VoterType() {
    Network::Destroy(frequency_);
    Network::Destroy(percentage_);
}

float VoterType::Recalculate() {
    Neuron::Recalculate();
    memberSnapshot_ = MemberCount();
    const float difficulty = GameOptions::Instance().Get(GameOptions::kDifficulty);
    value_ -= 0.12f * difficulty - 0.06f;
    return value_;
}

void VoterType::SetTurnListener(std::function<void(VoterType&)> listener) { TurnListener() = std::move(listener); }

void VoterType::TurnHook() {
    if (TurnListener()) TurnListener()(*this);
}

void VoterType::SetInitialPercentage(float share) { percentage_->SetValue(share); }

const std::string& VoterType::ShortName() const {
    if (!shortName_.empty()) return shortName_;
    return DisplayName().empty() ? Name() : DisplayName();
}

float VoterType::CorrelationWith(std::string_view typeName) const {
    for (const auto& [name, weight] : correlations_) {
        if (name == typeName) return weight;
    }
    return 0.0f;
}
