// Policy-group companions.
#include "gui/icons/PolicyGroupGUI.h"

#include <algorithm>
#include <vector>

#include "gui/icons/GUI_PolicyIcon.h"
#include "gui/icons/GUI_SituationIcon.h"
#include "politics/Policy.h"
#include "politics/PolicyGroup.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"

PolicyGroupGUI::PolicyGroupGUI(PolicyGroup* group) : group_(group) {}

bool PolicyGroupGUI::Synchronise() {
    std::vector<Neuron*> wanted(group_->ActivePolicies().begin(), group_->ActivePolicies().end());
    for (Situation* situation : SituationManager::Instance().Situations())
        if (situation->Group() == group_ && situation->IsActive()) wanted.push_back(situation);
    bool changed = false;
    // Icons whose subject is gone or no longer shown go first; their
    // subjects may be deleted, so they are only compared, never read.
    std::vector<const GUI_IconBase*> stale;
    for (const auto& icon : icons_.Icons()) {
        const bool keep = std::any_of(wanted.begin(), wanted.end(),
                                      [&](Neuron* n) { return icon->IsSubject(n); });
        if (!keep) stale.push_back(icon.get());
    }
    for (const GUI_IconBase* icon : stale) changed |= icons_.Remove(icon);
    for (Neuron* subject : wanted) {
        const bool present =
            std::any_of(icons_.Icons().begin(), icons_.Icons().end(),
                        [&](const auto& icon) { return icon->IsSubject(subject); });
        if (present) continue;
        if (subject->Kind() == NeuronKind::Policy)
            icons_.Add(std::make_unique<GUI_PolicyIcon>(static_cast<Policy*>(subject)));
        else
            icons_.Add(std::make_unique<GUI_SituationIcon>(static_cast<Situation*>(subject)));
        changed = true;
    }
    return changed;
}

void PolicyGroupGUI::Arrange(const MapMetrics& metrics, IconPlacer& placer, std::uint32_t seed) {
    wedge_ = MakeWedge(group_->Angle(), metrics);
    LayoutRandom random(seed, group_->Index());
    icons_.Arrange(wedge_, placer, random);
}

void PolicyGroupGUI::DrawLabel(const MapMetrics& metrics, int turnNumber) {
    const LabelPlacement placement = GroupLabelPlacement(group_->Angle(), metrics);
    const int row = group_->Index();
    // Turned once per screen size; each frame is an upright blit.
    label_.Prepare(kLabelTexture, float(row) / float(kLabelRows),
                   float(row + 1) / float(kLabelRows), kLabelWidth * metrics.fit,
                   kLabelHeight * metrics.fit, placement.rotation);
    label_.Draw(placement.centre.x, placement.centre.y,
                PopularityLabelColour(group_->Popularity(turnNumber)));
}
