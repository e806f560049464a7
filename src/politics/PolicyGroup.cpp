// Policy groups.
#include "politics/PolicyGroup.h"

#include <algorithm>

#include "engine/Diagnostics.h"
#include "politics/Policy.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/NeuralEffect.h"

namespace {
PolicyGroupListener* g_listener = nullptr;
}

void PolicyGroup::SetListener(PolicyGroupListener* listener) { g_listener = listener; }

PolicyGroup::PolicyGroup(std::string name, int index, float angle)
    : name_(std::move(name)), index_(index), angle_(angle) {}

void PolicyGroup::AddActivePolicy(Policy* policy) {
    Assert(policy != nullptr, "PolicyGroup", __LINE__);
    if (!policy) return;
    active_.push_back(policy);
    if (g_listener) g_listener->OnPolicyAdded(*this, *policy);
}

void PolicyGroup::RemoveActivePolicy(Policy* policy) {
    Assert(policy != nullptr, "PolicyGroup", __LINE__);
    if (!policy) return;
    active_.erase(std::remove(active_.begin(), active_.end(), policy), active_.end());
    if (g_listener) g_listener->OnPolicyRemoved(*this, *policy);
}

void PolicyGroup::AddSituationIcon(Neuron* situation) {
    Assert(situation != nullptr, "PolicyGroup", __LINE__);
    if (situation && g_listener) g_listener->OnSituationAdded(*this, *situation);
}

void PolicyGroup::RemoveSituationIcon(Neuron* situation) {
    Assert(situation != nullptr, "PolicyGroup", __LINE__);
    if (situation && g_listener) g_listener->OnSituationRemoved(*this, *situation);
}

float PolicyGroup::Popularity(int currentTurn) {
    if (currentTurn != popularityTurn_) {
        popularity_ = ComputePopularity();
        popularityTurn_ = currentTurn;
    }
    return popularity_;
}

float PolicyGroup::ComputePopularity() const {
    // A group several policies affect counts once per policy.
    float sum = 0.0f;
    float weight = 0.0f;
    for (VoterType* type : VoterManager::Instance().VoterTypes()) {
        for (Policy* policy : active_) {
            for (NeuralEffect* effect : type->Inputs()) {
                if (effect->Source() != policy) continue;
                const float w = static_cast<float>(type->MemberSnapshot());
                sum += w * effect->Output();
                weight += w;
                break;
            }
        }
    }
    if (weight <= 0.0f) return 0.5f;
    return std::clamp(sum / weight + 0.5f, 0.0f, 1.0f);
}
