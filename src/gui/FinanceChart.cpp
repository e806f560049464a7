// Expenditure slices and income rows.
#include "gui/FinanceChart.h"

#include <algorithm>
#include <iterator>

#include "engine/Skin.h"
#include "politics/Policy.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "world/Finances.h"
#include "world/MoneyFormat.h"
#include "world/StringTable.h"

namespace {

// The policy groups' colour-blind-safe hues, then deeper shades of them.
constexpr SkinColour kSliceColours[] = {
    {Skin::COL_GROUP1},      {Skin::COL_GROUP2},      {Skin::COL_GROUP3},
    {Skin::COL_GROUP4},      {Skin::COL_GROUP5},      {Skin::COL_GROUP6},
    {Skin::COL_GROUP7},      {Skin::COL_GROUP1SHADE}, {Skin::COL_GROUP2SHADE},
    {Skin::COL_GROUP3SHADE}, {Skin::COL_GROUP4SHADE}, {Skin::COL_GROUP5SHADE},
    {Skin::COL_GROUP6SHADE}, {Skin::COL_GROUP7SHADE}};
constexpr SkinColour kInterestColour{Skin::COL_INK};
constexpr SkinColour kOtherColour{Skin::COL_CHARTOTHER};

std::string Labelled(const std::string& name, float amount) {
    return name + " (" + FormatMoney(amount) + ")";
}

}  // namespace

std::vector<PieSlice> ExpenditureSlices(const std::vector<CostItem>& policies,
                                        const std::vector<CostItem>& situations, float interest,
                                        float debt, float total) {
    std::vector<PieSlice> slices;
    const float threshold = 0.01f * total;
    // Which policies qualify: above 1 %, and no more than the largest fourteen.
    std::vector<size_t> chosen;
    for (size_t i = 0; i < policies.size(); ++i)
        if (policies[i].amount > threshold) chosen.push_back(i);
    if (chosen.size() > kMaxPolicySlices) {
        std::stable_sort(chosen.begin(), chosen.end(), [&](size_t a, size_t b) {
            return policies[a].amount > policies[b].amount;
        });
        chosen.resize(kMaxPolicySlices);
        std::sort(chosen.begin(), chosen.end());
    }
    size_t colour = 0;
    auto next = [&] { return kSliceColours[colour++ % std::size(kSliceColours)]; };
    float shown = 0.0f;
    for (size_t i : chosen) {
        slices.push_back(
            {Labelled(policies[i].name, policies[i].amount), policies[i].amount, next(), ""});
        shown += policies[i].amount;
    }
    for (const CostItem& situation : situations) {
        if (situation.amount <= threshold) continue;
        slices.push_back(
            {Labelled(situation.name, situation.amount), situation.amount, next(), ""});
        shown += situation.amount;
    }
    if (interest > 0.0f) {
        // Filled by hand: an amount of a thousand billion or more holds a
        // comma, which a parameter list would cut the amount at.
        std::string note = GetString("DEBT_INTEREST");
        ReplaceFirst(note, "<DEBT>", FormatMoney(debt));
        slices.push_back(
            {Labelled(GetString("DEBT_INTEREST2"), interest), interest, kInterestColour, note});
        shown += interest;
    }
    const float rest = total - shown;
    if (rest > 0.0f && rest > 1e-4f * std::max(total, 1.0f))
        slices.push_back({Labelled(GetString("OTHER"), rest), rest, kOtherColour, ""});
    return slices;
}

std::vector<PieSlice> CurrentExpenditureSlices() {
    std::vector<CostItem> policies, situations;
    for (const Policy* policy : Policy::AllPolicies())
        if (policy->IsInForce()) policies.push_back({policy->DisplayName(), policy->CurrentCost()});
    for (const Situation* situation : SituationManager::Instance().Situations())
        if (situation->IsActive())
            situations.push_back({situation->DisplayName(), situation->CurrentCost()});
    const Finances& finances = Finances::Instance();
    return ExpenditureSlices(policies, situations, finances.Interest(), finances.Debt(),
                             finances.Expenses());
}

std::vector<CostItem> CurrentIncomeSources() {
    std::vector<CostItem> sources;
    for (const Policy* policy : Policy::AllPolicies())
        if (policy->IsInForce() && policy->CurrentIncome() > 0.0f)
            sources.push_back({policy->DisplayName(), policy->CurrentIncome()});
    for (const Situation* situation : SituationManager::Instance().Situations())
        if (situation->IsActive() && situation->CurrentIncome() > 0.0f)
            sources.push_back({situation->DisplayName(), situation->CurrentIncome()});
    std::stable_sort(sources.begin(), sources.end(),
                     [](const CostItem& a, const CostItem& b) { return a.amount > b.amount; });
    return sources;
}
