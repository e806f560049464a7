// The cost and income curve that policies and situations carry: linear in
// the owner's setting, scaled by the country's wealth and the difficulty.
#pragma once

class FinanceObject {
public:
    virtual ~FinanceObject() = default;

    // t is the owner's setting, 0..1. Costs may be negative (a saving).
    virtual float GetCost(float t) const;
    // Never below 0.
    virtual float GetIncome(float t) const;

    void SetCosts(float atZero, float atFull) {
        costAtZero_ = atZero;
        costAtFull_ = atFull;
    }
    void SetIncomes(float atZero, float atFull) {
        incomeAtZero_ = atZero;
        incomeAtFull_ = atFull;
    }
    float CostAtZero() const { return costAtZero_; }
    float CostAtFull() const { return costAtFull_; }
    float IncomeAtZero() const { return incomeAtZero_; }
    float IncomeAtFull() const { return incomeAtFull_; }

private:
    float costAtFull_ = 0.0f;
    float incomeAtFull_ = 0.0f;
    float costAtZero_ = 0.0f;
    float incomeAtZero_ = 0.0f;
};
