// Connector sets.
#include "gui/icons/GUI_IconConnectors.h"

#include <algorithm>

#include "engine/Diagnostics.h"
#include "gui/icons/GUI_IconBase.h"
#include "simulation/NeuralEffect.h"

namespace {
std::vector<GUI_IconConnectors*>& Registry() {
    static std::vector<GUI_IconConnectors*> sets;
    return sets;
}
}  // namespace

GUI_IconConnectors::GUI_IconConnectors(GUI_IconBase* owner) : owner_(owner) {
    Registry().push_back(this);
}

GUI_IconConnectors::~GUI_IconConnectors() {
    auto& sets = Registry();
    sets.erase(std::remove(sets.begin(), sets.end(), this), sets.end());
}

void GUI_IconConnectors::Rebuild() {
    lines_.clear();
    Neuron* neuron = owner_->Subject();
    Assert(neuron != nullptr, "GUI_IconConnectors", __LINE__);
    if (!neuron) return;
    for (NeuralEffect* effect : neuron->Outputs())
        if (GUI_IconBase* target = GUI_IconBase::IconFor(effect->Target()))
            lines_.push_back(std::make_unique<GUI_NeuralEffect>(effect, owner_, target));
    for (NeuralEffect* effect : neuron->Inputs())
        if (GUI_IconBase* source = GUI_IconBase::IconFor(effect->Source()))
            lines_.push_back(std::make_unique<GUI_NeuralEffect>(effect, source, owner_));
}

void GUI_IconConnectors::Show() {
    for (const auto& line : lines_) {
        for (GUI_IconBase* end : {line->SourceIcon(), line->TargetIcon()}) {
            end->Highlight();
            // Names already on screen are not repeated in a box beside them.
            if (end == owner_ || !end->ShowsWholeName()) end->ArmTooltip();
        }
    }
    visible_ = true;
}

void GUI_IconConnectors::Draw() {
    // A line to a hidden icon would point at nothing.
    for (const auto& line : lines_)
        if (line->SourceIcon()->IsKindShown() && line->TargetIcon()->IsKindShown()) line->Draw();
}

const std::vector<GUI_IconConnectors*>& GUI_IconConnectors::All() {
    return Registry();
}

void GUI_IconConnectors::ForgetIcon(const GUI_IconBase* icon) {
    for (GUI_IconConnectors* set : Registry()) {
        auto& lines = set->lines_;
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [icon](const auto& line) {
                                       return line->SourceIcon() == icon ||
                                              line->TargetIcon() == icon;
                                   }),
                    lines.end());
    }
}
