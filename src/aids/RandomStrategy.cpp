// The random player's moves.
#include "aids/RandomStrategy.h"

#include "politics/Policy.h"
#include "politics/SliderConfiguration.h"
#include "world/Dilemma.h"

namespace {

// Chances out of ten that the player keeps a point it could spend.
constexpr int kPassOutOfTen = 3;

}  // namespace

void RandomStrategy::PlayTurn() {
    // A bounded number of tries: a move may find nothing to do.
    for (int tries = 0; tries < 8 && HasCapital(); ++tries) {
        if (Roll(10) < kPassOutOfTen) return;
        MakeOneMove();
    }
}

void RandomStrategy::MakeOneMove() {
    const std::vector<Policy*>& all = Policy::AllPolicies();
    if (all.empty()) return;
    Policy& policy = *all[static_cast<size_t>(Roll(static_cast<int>(all.size())))];
    // A policy not in force is introduced half the time; one in force is
    // cancelled one time in six and otherwise set anew.
    if (!policy.IsInForce()) {
        if (Roll(2) == 0) Introduce(policy);
    } else if (Roll(6) == 0) {
        Cancel(policy);
    } else {
        float slider = static_cast<float>(Roll(101)) / 100.0f;
        if (const SliderConfiguration* steps = policy.Configuration()) slider = steps->Snap(slider);
        Adjust(policy, slider);
    }
}

int RandomStrategy::ChooseOption(const Dilemma&) {
    return Roll(Dilemma::kOptionCount);
}
