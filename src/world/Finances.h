// The state's money: each turn's income and expenses from every policy and
// situation in force, debt interest, reserves or borrowing, the national-debt
// value fed back into the network, and twenty turns of history for the graph.
#pragma once

#include <array>

class Finances {
public:
    static constexpr int kHistoryLength = 20;

    static Finances& Instance();

    // Game start and before loading: no reserves, no flows, the mission's
    // starting debt. Histories are left for the first turn to fill.
    void ResetAccounts();
    // This turn's interest, income and expenses, without moving any money.
    void Calculate();
    // The turn's booking; `turnNumber` 1 gives the graphs a plausible past.
    void UpdateTurn(int turnNumber);

    // Money received pays debt first; money spent takes reserves first. The
    // turn books whole amounts, of any size: a debt left to run away for
    // centuries outgrows an int.
    void ReceiveMoney(float amount);
    void SpendMoney(float amount);

    float GetDeficit() const { return expenses_ - income_; }
    // The height of a value on the graph, whose top is 10 % above the
    // largest value in the histories.
    float GetGraphFraction(float value) const;

    float Reserves() const { return reserves_; }
    float Expenses() const { return expenses_; }
    float Income() const { return income_; }
    float Interest() const { return interest_; }
    float Debt() const { return debt_; }
    float GraphMaximum() const { return graphMaximum_; }
    const std::array<float, kHistoryLength>& IncomeHistory() const { return incomeHistory_; }
    const std::array<float, kHistoryLength>& ExpenditureHistory() const { return expenditureHistory_; }
    const std::array<float, kHistoryLength>& DebtHistory() const { return debtHistory_; }

    // Saved games write these back.
    void Restore(float reserves, float expenses, float income, float interest, float debt);
    void SetHistoryEntry(int index, float income, float expenditure, float debt);
    void SetGraphMaximum(float maximum) { graphMaximum_ = maximum; }
    // The debt burden (debt over a year's income, 0..1) into "_debt_"; each
    // turn's booking and a loaded game set it.
    void UpdateDebtNeuron() const;

private:
    Finances() = default;
    std::array<float, kHistoryLength> incomeHistory_{};
    std::array<float, kHistoryLength> expenditureHistory_{};
    std::array<float, kHistoryLength> debtHistory_{};
    float reserves_ = 0.0f;
    float expenses_ = 0.0f;
    float income_ = 0.0f;
    float interest_ = 0.0f;
    float debt_ = 0.0f;
    float graphMaximum_ = 0.0f;
};
