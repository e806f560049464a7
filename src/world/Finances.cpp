// The national accounts.
#include "world/Finances.h"

#include <algorithm>
#include <cmath>

#include "core/GameRandom.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/Policy.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "world/MoneyFormat.h"
#include "world/NewsList.h"
#include "world/StringTable.h"

namespace {

void ReportFlow(float before, float now, const char* upKey, const char* downKey) {
    const float change = std::fabs(now - before);
    if (change <= 0.0f) return;
    const std::string params = "INCOMECHANGE=" + FormatMoney(change) + ",NAME=unused,";
    NewsList::Instance().AddNews(FormatString(now > before ? upKey : downKey, params), change);
}

// The accounts book whole amounts; a sum that is not a number books nothing.
float WholeAmount(float amount) { return std::isnan(amount) ? 0.0f : std::trunc(amount); }

}  // namespace

Finances& Finances::Instance() {
    static Finances finances;
    return finances;
}

void Finances::ResetAccounts() {
    reserves_ = 0.0f;
    expenses_ = 0.0f;
    income_ = 0.0f;
    interest_ = 0.0f;
    debt_ = Mission::Instance().StartingDebt();
    // Another game's past is not this one's.
    incomeHistory_ = {};
    expenditureHistory_ = {};
    debtHistory_ = {};
    graphMaximum_ = 0.0f;
}

void Finances::Calculate() {
    interest_ = GameOptions::Instance().Get(GameOptions::kInterestRate) * 0.2f * (1.0f / 12.0f) * debt_;
    expenses_ = 0.0f;
    income_ = 0.0f;
    DebugLog& log = DebugLog::Instance();
    const bool logging = log.IsChannelEnabled("finance");
    for (const Policy* policy : Policy::AllPolicies()) {
        if (!policy->IsInForce()) continue;
        expenses_ += policy->CurrentCost();
        const float income = policy->CurrentIncome();
        income_ += income;
        if (logging) log.Write(FormatText("%s income %f", policy->Name().c_str(), static_cast<double>(income)));
    }
    for (const Situation* situation : SituationManager::Instance().Situations()) {
        if (!situation->IsActive()) continue;
        const float t = situation->GetValue();
        expenses_ += situation->GetCost(t);
        income_ += situation->GetIncome(t);
    }
    Assert(income_ >= 0.0f, "Finances", __LINE__);
    if (logging) log.Write(FormatText("total income %f", static_cast<double>(income_)));
    expenses_ += interest_;
}

void Finances::ReceiveMoney(float amount) {
    if (debt_ > 0.0f) {
        debt_ -= amount;
        if (debt_ < 0.0f) {
            reserves_ = -debt_;
            debt_ = 0.0f;
        }
    } else {
        reserves_ += amount;
    }
}

void Finances::SpendMoney(float amount) {
    reserves_ -= amount;
    if (reserves_ < 0.0f) {
        debt_ -= reserves_;
        reserves_ = 0.0f;
    }
}

void Finances::UpdateTurn(int turnNumber) {
    const float previousExpenses = expenses_;
    const float previousIncome = income_;
    Calculate();
    ReceiveMoney(WholeAmount(income_));
    SpendMoney(WholeAmount(expenses_));

    UpdateDebtNeuron();
    // The first quarter has none before it: its whole budget is no rise.
    if (turnNumber > 1) {
        ReportFlow(previousIncome, income_, "NEWS_INCOME_UP", "NEWS_INCOME_DOWN");
        ReportFlow(previousExpenses, expenses_, "NEWS_EXPENSES_UP", "NEWS_EXPENSES_DOWN");
    }

    if (turnNumber == 1) {
        for (int i = 0; i < kHistoryLength; ++i) {
            const auto at = static_cast<size_t>(i);
            incomeHistory_[at] = income_ * GameRandom::Uniform(0.98f, 1.02f);
            expenditureHistory_[at] = expenses_ * GameRandom::Uniform(0.98f, 1.02f);
            debtHistory_[at] = debt_ * GameRandom::Uniform(0.98f, 1.02f);
        }
    }
    graphMaximum_ = 0.0f;
    for (size_t i = kHistoryLength - 1; i >= 1; --i) {
        incomeHistory_[i] = incomeHistory_[i - 1];
        expenditureHistory_[i] = expenditureHistory_[i - 1];
        debtHistory_[i] = debtHistory_[i - 1];
        graphMaximum_ = std::max({graphMaximum_, incomeHistory_[i], expenditureHistory_[i], debtHistory_[i]});
    }
    incomeHistory_[0] = income_;
    expenditureHistory_[0] = expenses_;
    debtHistory_[0] = debt_;
    graphMaximum_ = std::max({graphMaximum_, income_, expenses_, debt_});
}

void Finances::UpdateDebtNeuron() const {
    Neuron* debtNeuron = Network::DebtNeuron();
    if (!debtNeuron) return;
    // With no income, any debt at all is as bad as it gets; the division by
    // zero never reaches the network unclamped.
    float burden = debt_ / (income_ * 12.0f);
    if (std::isnan(burden)) burden = 0.0f;
    debtNeuron->SetValue(std::clamp(burden, 0.0f, 1.0f));
    debtNeuron->Propagate();
}

float Finances::GetGraphFraction(float value) const {
    return graphMaximum_ > 0.0f ? value / (graphMaximum_ * 1.1f) : 0.0f;
}

void Finances::Restore(float reserves, float expenses, float income, float interest, float debt) {
    reserves_ = reserves;
    expenses_ = expenses;
    income_ = income;
    interest_ = interest;
    debt_ = debt;
}

void Finances::SetHistoryEntry(int index, float income, float expenditure, float debt) {
    if (index < 0 || index >= kHistoryLength) return;
    const auto at = static_cast<size_t>(index);
    incomeHistory_[at] = income;
    expenditureHistory_[at] = expenditure;
    debtHistory_[at] = debt;
}
