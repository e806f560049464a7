// How amounts of money are shown to the player: in the mission's currency,
// scaled by the country's wealth, in millions or billions.
#pragma once

#include <string>

// "<currency> 12.50 Million" for an amount in millions of the game's
// internal unit; above 1000 million it switches to billions, and a
// thousand billion or more gets a thousands comma.
std::string FormatMoney(float amountInMillions);
