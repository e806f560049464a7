// One promise the manifesto window can offer: a row of "data/manifesto.csv".
#pragma once

#include <string>

// The values match the saved and classic encoding: 0 rise, 1 fall.
enum class PledgeDirection : int { Rise = 0, Fall = 1 };

struct ManifestoOption {
    std::string displayText;
    // The simulation value the promise is about, looked up by exact name.
    std::string neuronName;
    // The promised relative change: 0.1 is ten per cent. Fall promises
    // normally carry a negative change ("cut crime by 20 %" is -0.2).
    float change = 0.0f;
    PledgeDirection direction = PledgeDirection::Fall;
};
