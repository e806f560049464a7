// Money amounts as display text.
#include "world/MoneyFormat.h"

#include "core/TextUtilities.h"
#include "simulation/Mission.h"

std::string FormatMoney(float amountInMillions) {
    const Mission& mission = Mission::Instance();
    // Amounts arrive already in the mission's currency: costs, incomes and the
    // starting debt take the wealth factor where they are made, so it must not
    // be applied a second time here.
    float value = amountInMillions;
    bool inBillions = false;
    // Exactly 1000 stays "1000.00 Million". Debts (negative amounts) are
    // always shown in millions, as the game has always shown them.
    if (value > 1000.0f) {
        value *= 0.001f;
        inBillions = true;
    }
    std::string text = FormatText("%.2f", static_cast<double>(value));
    // Only one comma, before the last three digits of the whole part: even
    // a million billion reads "1000,000.00".
    if (inBillions && value >= 1000.0f) text.insert(text.size() - 6, 1, ',');
    const char* unit = inBillions ? "Billion" : "Million";
    return FormatText("%s %s %s", mission.Currency().c_str(), text.c_str(), unit);
}
