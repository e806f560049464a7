// Political capital.
#include "politics/PoliticalCapital.h"

#include <algorithm>

PoliticalCapital& PoliticalCapital::Instance() {
    static PoliticalCapital capital;
    return capital;
}

void PoliticalCapital::Compute(float lastVoteShare, bool bothHousesHeld) {
    const int base = static_cast<int>((lastVoteShare - 0.5f) * 10.0f);
    perTurn_ = std::max(2, bothHousesHeld ? base : base / 2);
    left_ = perTurn_;
}

void PoliticalCapital::SpendOne() {
    if (suspended_) return;
    left_ = std::max(0, left_ - 1);
}
