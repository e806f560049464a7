// One of the seven sectors of the policy wheel: knows which of its policies
// are in force and how popular they are together.
#pragma once

#include <string>
#include <vector>

class Policy;
class Neuron;

// The map shows a group's policies and situations as icons; it listens here
// so the game never calls drawing code.
class PolicyGroupListener {
public:
    virtual ~PolicyGroupListener() = default;
    virtual void OnPolicyAdded(const class PolicyGroup& /*group*/, Policy& /*policy*/) {}
    virtual void OnPolicyRemoved(const class PolicyGroup& /*group*/, Policy& /*policy*/) {}
    virtual void OnSituationAdded(const class PolicyGroup& /*group*/, Neuron& /*situation*/) {}
    virtual void OnSituationRemoved(const class PolicyGroup& /*group*/, Neuron& /*situation*/) {}
};

class PolicyGroup {
public:
    PolicyGroup(std::string name, int index, float angle);

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    // Degrees clockwise from the top of the wheel.
    float Angle() const { return angle_; }
    const std::vector<Policy*>& ActivePolicies() const { return active_; }

    void AddActivePolicy(Policy* policy);
    void RemoveActivePolicy(Policy* policy);
    void AddSituationIcon(Neuron* situation);
    void RemoveSituationIcon(Neuron* situation);

    // Cached per turn: recomputed at the first request of a new turn.
    float Popularity(int currentTurn);
    void ClearActive() { active_.clear(); }

    static void SetListener(PolicyGroupListener* listener);

private:
    float ComputePopularity() const;

    std::string name_;
    int index_;
    float angle_;
    std::vector<Policy*> active_;
    float popularity_ = 0.5f;
    int popularityTurn_ = -1;
};
