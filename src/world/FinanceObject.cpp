// Costs and incomes at a setting.
#include "world/FinanceObject.h"

#include "engine/Diagnostics.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"

namespace {

void CheckSetting(float t) { Assert(t >= 0.0f && t <= 1.0f, "FinanceObject", __LINE__); }

}  // namespace

float FinanceObject::GetCost(float t) const {
    CheckSetting(t);
    const float difficulty = GameOptions::Instance().Get(GameOptions::kDifficulty);
    const float base = costAtZero_ + (costAtFull_ - costAtZero_) * t;
    const float c = Mission::Instance().Wealth() * base;
    return c - (0.2f - 0.4f * difficulty) * c;
}

float FinanceObject::GetIncome(float t) const {
    CheckSetting(t);
    const float difficulty = GameOptions::Instance().Get(GameOptions::kDifficulty);
    const float base = incomeAtZero_ + (incomeAtFull_ - incomeAtZero_) * t;
    const float c = Mission::Instance().Wealth() * base;
    const float result = c + (0.2f - 0.4f * difficulty) * c;
    return result < 0.0f ? 0.0f : result;
}
