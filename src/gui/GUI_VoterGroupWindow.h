// One voter group in detail: who they are, how many, whether they grow, what
// they think of the government and of the things that sway them, and how
// angry they are.
#pragma once

#include <string>
#include <vector>

#include "gui/GUI_InfoWindow.h"
#include "gui/InfluenceRows.h"
#include "gui/NeuronHandle.h"

class VoterType;

class GUI_VoterGroupWindow : public GUI_InfoWindow {
public:
    static constexpr size_t kMaxInfluences = 6;

    explicit GUI_VoterGroupWindow(const VoterType& group);

    // "12.50% (250)": the share of the population and the head count.
    static std::string MembershipText(int members, int population);
    // The key of the trend's word: 1 steady, 2 growing, anything else shrinking.
    static const char* GrowthKey(int trend);
    // Text colour of the opinion: red below 0.33, green above 0.66, otherwise
    // none (the style's own colour).
    static std::uint32_t OpinionColour(float mood, bool* styled);

    const VoterType* Group() const;
    const std::vector<InfluenceRow>& Influences() const { return influences_; }
    const std::string& OpinionText() const { return opinion_; }
    const std::string& AngerText() const { return anger_; }
    const std::string& Membership() const { return membership_; }
    // The share of the group's members who would vote for the government now.
    float Support() const { return support_; }

protected:
    void DrawContent() override;
    bool SubjectGone() const override { return group_.IsGone(); }

private:
    void DrawOpinion(float y) const;

    NeuronHandle group_;
    std::string description_;
    std::string membership_;
    std::string growth_;
    std::string opinion_;
    std::string anger_;
    std::vector<InfluenceRow> influences_;
    std::vector<std::string> phrases_;
    float mood_ = 0.5f;
    float support_ = 0.0f;
    float shift_ = 0.0f;  // how far a long description pushes the rows down
};
