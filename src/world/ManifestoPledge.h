// A pledge chosen for a term: the option it makes and the value it started from.
#pragma once

#include "world/ManifestoOption.h"

struct ManifestoPledge {
    // None when a saved pledge's option has gone from the data; such a
    // pledge counts as kept.
    const ManifestoOption* option = nullptr;
    // The pledge keeps its own change instead of reading the option's, so
    // restoring a saved pledge never rewrites the offered options.
    float change = 0.0f;
    float initialValue = 0.0f;
};
