// A group of the electorate (the retired, commuters, the religious): a neuron
// whose value is the group's mood, with a share of the population, a
// frequency that makes it grow or shrink, and the groups its members are
// drawn to join.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "simulation/Neuron.h"

class VoterType : public Neuron {
public:
    // Names the owned share and frequency neurons after `name`; both the
    // group and its frequency start from a constant 0.5.
    explicit VoterType(std::string_view name);
    ~VoterType() override;

    // The neuron's recalculation, then the member snapshot, then the
    // difficulty's push: easy games lift every mood by 0.06, hard ones lower it.
    float Recalculate() override;
    void TurnHook() override;

    // Members are the targets of the group's outgoing effects.
    int MemberCount() const { return static_cast<int>(Outputs().size()); }
    // The member count at the last recalculation: the weight of the group's
    // opinions in policy popularity.
    int MemberSnapshot() const { return memberSnapshot_; }
    void SetMemberSnapshot(int members) { memberSnapshot_ = members; }

    Neuron* PercentageNeuron() const { return percentage_; }
    Neuron* FrequencyNeuron() const { return frequency_; }
    void SetInitialPercentage(float share);

    const std::string& FurtherText() const { return furtherText_; }
    // The label the map prints where the display name does not fit; empty in
    // older data, which has none.
    const std::string& OwnShortName() const { return shortName_; }
    // The short label, or else the display name.
    const std::string& ShortName() const;
    const std::string& Description() const { return description_; }
    // How strongly members are drawn to join each named group.
    const std::vector<std::pair<std::string, float>>& Correlations() const { return correlations_; }
    float CorrelationWith(std::string_view typeName) const;

    int Supporters() const { return supporters_; }
    void SetSupporters(int supporters) { supporters_ = supporters; }
    // 0 shrinking, 1 stable, 2 growing.
    int Trend() const { return trend_; }
    void SetTrend(int trend) { trend_ = trend; }

    static void SetTurnListener(std::function<void(VoterType&)> listener);

private:
    friend class VoterManager;
    Neuron* percentage_ = nullptr;
    Neuron* frequency_ = nullptr;
    std::string furtherText_;
    std::string shortName_;
    std::string description_;
    std::vector<std::pair<std::string, float>> correlations_;
    int memberSnapshot_ = 0;
    int supporters_ = 0;
    int trend_ = 1;
};
