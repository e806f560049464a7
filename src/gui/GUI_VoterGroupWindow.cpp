// The voter group window.
#include "gui/GUI_VoterGroupWindow.h"

#include <algorithm>

#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiText.h"
#include "gui/InfoDrawing.h"
#include "politics/ElectionManager.h"
#include "politics/Voter.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/NeuralEffect.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 560.0f;
constexpr float kHeight = 430.0f;
constexpr float kLabelX = 30.0f;
constexpr float kValueX = 310.0f;
constexpr float kRow = 18.0f;
constexpr float kDescriptionTop = 60.0f;
constexpr float kFirstRow = 160.0f;
constexpr float kDescriptionRoom = kFirstRow - kDescriptionTop - 8.0f;
constexpr int kStyle = StyleSheet::kApproval;
// A mood pushes the influence bar this many times its size, so the usual
// small pushes still show.
constexpr float kBarGain = 3.0f;
// Opinions in pure red or green stand on a dark chip to stay readable.
constexpr SkinColour kChip{Skin::COL_OPINIONCHIP};

float SupportAmong(const VoterType& group) {
    const VoterManager& voters = VoterManager::Instance();
    const int months = ElectionManager::Instance().MonthsToElection();
    const bool broken = Manifesto::Instance().IsBroken();
    int members = 0, inFavour = 0;
    for (const NeuralEffect* membership : group.Outputs()) {
        Neuron* target = membership ? membership->Target() : nullptr;
        if (!target || target->Kind() != NeuronKind::Voter) continue;
        ++members;
        inFavour += voters.VotesForGovernment(static_cast<Voter&>(*target), months, broken);
    }
    return members > 0 ? float(inFavour) / float(members) : 0.0f;
}

std::uint32_t InfluenceColour(float output) {
    if (output < -0.33f) return info_colour::kBadText;
    if (output >= 0.33f) return info_colour::kGoodText;
    return info_colour::kInk;
}

}  // namespace

std::string GUI_VoterGroupWindow::MembershipText(int members, int population) {
    const float share = population > 0 ? float(members) / float(population) * 100.0f : 0.0f;
    return FormatText("%.2f%% (%s)", double(share), ThousandsFormat(members).c_str());
}

const char* GUI_VoterGroupWindow::GrowthKey(int trend) {
    if (trend == 1) return "GROWTH_STEADY";
    if (trend == 2) return "GROWTH_GROWING";
    return "GROWTH_SHRINKING";
}

std::uint32_t GUI_VoterGroupWindow::OpinionColour(float mood, bool* styled) {
    *styled = false;
    if (mood < 0.33f) return Skin::Instance().Get(Skin::COL_OPINIONBAD);
    if (mood > 0.66f) return Skin::Instance().Get(Skin::COL_OPINIONGOOD);
    *styled = true;
    const TextStyle& style = StyleSheet::Instance().Style(kStyle);
    return PackColour(255, style.red, style.green, style.blue);
}

GUI_VoterGroupWindow::GUI_VoterGroupWindow(const VoterType& group)
    : GUI_InfoWindow(group.DisplayName().empty() ? group.Name() : group.DisplayName(), kWidth,
                     kHeight),
      group_(&group),
      description_(group.Description()) {
    const VoterManager& voters = VoterManager::Instance();
    membership_ = MembershipText(group.MemberCount(), voters.PopulationTotal());
    growth_ = GetString(GrowthKey(group.Trend()));
    mood_ = std::clamp(group.Value(), 0.0f, 1.0f);
    opinion_ = GetGradedString(mood_, "opinion_of_government");
    anger_ = "Anger: " + GetGradedString(OppositionManager::Instance().GetAnger(group), "anger");
    support_ = SupportAmong(group);
    influences_ = VoterGroupInfluences(group, kMaxInfluences);
    for (const InfluenceRow& row : influences_)
        phrases_.push_back(GetGradedString(std::clamp((row.output + 1.0f) * 0.5f, 0.0f, 1.0f),
                                           "opinion_of_influence"));
    // A long description pushes the rows down rather than running into them.
    shift_ = std::max(0.0f,
                      TextHeight(kStyle, description_, kWidth - 2.0f * kLabelX) - kDescriptionRoom);
    if (shift_ > 0.0f) Resize(kWidth, kHeight + shift_);
}

const VoterType* GUI_VoterGroupWindow::Group() const {
    return static_cast<const VoterType*>(group_.Get());
}

void GUI_VoterGroupWindow::DrawOpinion(float y) const {
    bool styled = false;
    const std::uint32_t colour = OpinionColour(mood_, &styled);
    if (!styled) {
        const float width = float(StyledTextWidth(kStyle, opinion_)) / Scale();
        D3DEngine::Instance().FillRect(Rect{int(X(kValueX - 5.0f)), int(Y(y - 1.0f)),
                                            int(X(kValueX + width + 5.0f)), int(Y(y + kRow))},
                                       kChip);
    }
    Text(kStyle, kValueX, y, opinion_, 0.0f, GdiText::kLeft, colour);
}

void GUI_VoterGroupWindow::DrawContent() {
    Text(kStyle, kLabelX, kDescriptionTop, description_, kWidth - 2.0f * kLabelX);
    float y = kFirstRow + shift_;
    Text(kStyle, kLabelX, y, GetString("PERCENT_OF_POP"));
    Text(kStyle, kValueX, y, membership_);
    y += kRow;
    Text(kStyle, kLabelX, y, GetString("GROWTH_RATE"));
    Text(kStyle, kValueX, y, growth_);
    y += kRow;
    Text(kStyle, kLabelX, y, GetString("CURRENT_OPINION_OF_GOVT"));
    DrawOpinion(y);
    // The row the layout leaves free under the opinion: how many would vote
    // for the government.
    y += kRow;
    Text(kStyle, kLabelX, y, GetString("VOTERGROUP_SUPPORT"));
    Text(kStyle, kValueX, y, FormatText("%.0f%%", double(support_ * 100.0f)));
    DrawLevelBar(Rect{int(X(kValueX + 50.0f)), int(Y(y + 4.0f)), int(X(kWidth - kLabelX)),
                      int(Y(y + 13.0f))},
                 support_, support_ > 0.5f ? info_colour::kGood : info_colour::kBad);
    // The influences begin two rows below the opinion, whatever fills the row between.
    y += kRow;
    Text(kStyle, kLabelX, y, GetString("STRONGEST_INFLUENCES"), 0.0f, GdiText::kLeft,
         info_colour::kAccent);
    y += kRow;
    for (size_t i = 0; i < influences_.size(); ++i, y += kRow) {
        const InfluenceRow& row = influences_[i];
        Text(kStyle, kLabelX, y, row.name);
        Text(kStyle, kValueX, y, phrases_[i], 0.0f, GdiText::kLeft, InfluenceColour(row.output));
        DrawSignedBar(Rect{int(X(kWidth - 110.0f)), int(Y(y + 5.0f)), int(X(kWidth - kLabelX)),
                           int(Y(y + 12.0f))},
                      row.output * kBarGain);
    }
    const float height = float(Height()) / Scale();
    Text(kStyle, 0.0f, height - 30.0f, anger_, kWidth, GdiText::kCentre);
}
