// How amounts of money are shown to the player: in the mission's currency,
// in millions or billions.
#pragma once

#include <string>

// "<currency> 12.50 Million" for an amount in millions of the mission's
// currency (already scaled by the country's wealth); above 1000 million
// it switches to billions, and a thousand billion or more gets a thousands
// comma.
std::string FormatMoney(float amountInMillions);
