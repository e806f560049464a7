// Tax-timing cynicism.
#include "world/Cynicism.h"

#include <array>

#include "simulation/GameOptions.h"
#include "simulation/Network.h"

namespace {

constexpr std::array<const char*, 3> kTaxPolicies = {"IncomeTax", "SalesTax", "CorporationTax"};
// Voters notice tax moves this close to an election, either side of it.
constexpr int kSuspiciousMonths = 9;
// A game opens just after an election: the player's first budget moves are
// setting up, not breaking promises.
constexpr int kFirstTurnOfRaiseCheck = 6;
constexpr float kStepPerDifficulty = 0.18f;
constexpr float kDecayPerTurn = 0.98f;

const Neuron* FindSlider(const Neuron& policy) {
    for (const NeuralEffect* effect : policy.Inputs()) {
        const Neuron* source = effect->Source();
        if (source && source->Kind() == NeuronKind::SliderInput) return source;
    }
    return nullptr;
}

// Whether any tax moved since the previous turn's history shift by more than
// the threshold in the given direction (+1 raise, -1 cut). A game without one
// of the taxes, or a tax without a slider, simply has one tax fewer to watch.
bool AnyTaxMovedBeyond(float direction, float threshold) {
    for (const char* name : kTaxPolicies) {
        const Neuron* policy = Network::FindByName(name);
        const Neuron* slider = policy ? FindSlider(*policy) : nullptr;
        if (!slider) continue;
        const float change = slider->Value() - slider->History()[1];
        if (direction * change > threshold) return true;
    }
    return false;
}

}  // namespace

Cynicism& Cynicism::Instance() {
    static Cynicism cynicism;
    return cynicism;
}

void Cynicism::UpdateCynicism(int monthsToElection, int electionIntervalMonths, int turnNumber) {
    const GameOptions& options = GameOptions::Instance();
    // The player's "CYNICISM" option (0..1) lowers the change voters forgive
    // from a quarter of the slider down to none at all.
    const float threshold = 0.25f - 0.25f * options.Get(GameOptions::kCynicism);
    const float step = kStepPerDifficulty * options.Get(GameOptions::kDifficulty);
    const int monthsSinceElection = electionIntervalMonths - monthsToElection;

    const bool raisedAfterElection = turnNumber >= kFirstTurnOfRaiseCheck &&
                                     monthsSinceElection < kSuspiciousMonths &&
                                     AnyTaxMovedBeyond(+1.0f, threshold);
    const bool cutBeforeElection =
        monthsToElection < kSuspiciousMonths && AnyTaxMovedBeyond(-1.0f, threshold);
    if (raisedAfterElection) cynicism_ += step;
    if (cutBeforeElection) cynicism_ += step;
    cynicism_ *= kDecayPerTurn;
}
