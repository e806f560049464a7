// The situation window.
#include "gui/GUI_SituationWindow.h"

#include <algorithm>

#include "aids/Hints.h"
#include "core/TextUtilities.h"
#include "politics/Situation.h"
#include "simulation/Neuron.h"
#include "world/MoneyFormat.h"
#include "world/StringTable.h"

std::vector<GUI_NeuronDetailsWindow::Fact> GUI_SituationWindow::FactsOf(
    const Situation& situation) {
    std::vector<Fact> facts;
    const bool active = situation.IsActive();
    const float strength = std::clamp(situation.Value(), 0.0f, 1.0f);
    // Strength reads the same way for good and bad news; the colour tells which.
    facts.push_back({GetString("SITUATION_STATUS"),
                     GetString(active ? "SITUATION_ACTIVE" : "SITUATION_INACTIVE"), strength,
                     situation.IsPositive() ? info_colour::kGood : info_colour::kBad});
    if (active && situation.CurrentCost() != 0.0f)
        facts.push_back({GetString("COST"), FormatMoney(situation.CurrentCost())});
    if (active && situation.CurrentIncome() != 0.0f)
        facts.push_back({GetString("INCOME"), FormatMoney(situation.CurrentIncome())});
    return facts;
}

GUI_SituationWindow::GUI_SituationWindow(const Situation& situation)
    : GUI_NeuronDetailsWindow(situation, situation.Description(), FactsOf(situation)) {
    Hints& hints = Hints::Instance();
    hints.LoadHints(&situation);
    std::vector<std::string> names;
    for (const Neuron* policy : hints.Suggestions())
        names.push_back(policy->DisplayName().empty() ? policy->Name() : policy->DisplayName());
    ShowSuggestions(names);
}
