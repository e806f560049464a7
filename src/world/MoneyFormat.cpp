// Money amounts as display text.
#include "world/MoneyFormat.h"

#include <cmath>

#include "core/TextUtilities.h"
#include "simulation/Mission.h"

std::string FormatMoney(float amountInMillions) {
    const Mission& mission = Mission::Instance();
    // Amounts arrive already in the mission's currency: costs, incomes and the
    // starting debt take the wealth factor where they are made, so it must not
    // be applied a second time here.
    float value = amountInMillions;
    // A thousand million reads "1.00 Billion", not "1000.00 Million"; the
    // test is on the amount as it would be shown, so 999.999 million does not
    // round up to a "1000.00 Million" either. Amounts below zero switch at the
    // same size as those above.
    const bool inBillions = std::fabs(value) >= 999.995f;
    if (inBillions) value *= 0.001f;
    std::string text = FormatText("%.2f", static_cast<double>(value));
    // Only one comma, before the last three digits of the whole part: even
    // a million billion reads "1000,000.00".
    if (inBillions && std::fabs(value) >= 999.995f) text.insert(text.size() - 6, 1, ',');
    const char* unit = inBillions ? "Billion" : "Million";
    return FormatText("%s %s %s", mission.Currency().c_str(), text.c_str(), unit);
}
