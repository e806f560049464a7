// Voters.
#include "politics/Voter.h"

#include <algorithm>

Voter::Voter() {
    SetKind(NeuronKind::Voter);
    SetName("Voter");
    SetSumming(false);
    PlaceRandomly(300.0f, 340.0f);
}

float Voter::Opinion() {
    if (IsChanged()) Recalculate();
    return std::clamp(value_, 0.0f, 1.0f);
}
