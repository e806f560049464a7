// The players' common moves and the idle player.
#include "aids/BalanceStrategy.h"

#include <algorithm>

#include "aids/GreedyStrategy.h"
#include "aids/RandomStrategy.h"
#include "politics/Policy.h"
#include "politics/PoliticalCapital.h"
#include "simulation/PlayerInputRecorder.h"

const std::vector<std::string>& BalanceStrategy::Names() {
    static const std::vector<std::string> names = {"idle", "random", "greedy"};
    return names;
}

std::unique_ptr<BalanceStrategy> BalanceStrategy::Create(std::string_view name,
                                                         std::uint32_t seed) {
    if (name == "idle") return std::unique_ptr<BalanceStrategy>(new BalanceStrategy("idle"));
    if (name == "random") return std::make_unique<RandomStrategy>(seed);
    if (name == "greedy") return std::make_unique<GreedyStrategy>();
    return nullptr;
}

int BalanceStrategy::ChooseOption(const Dilemma&) {
    return 0;
}

bool BalanceStrategy::HasCapital() {
    return PoliticalCapital::Instance().Left() > 0;
}

bool BalanceStrategy::Introduce(Policy& policy) {
    if (!HasCapital() || policy.IsInForce()) return false;
    policy.Introduce();  // spends its own point
    if (observer_) observer_(policy, Change::Introduce);
    return true;
}

bool BalanceStrategy::Adjust(Policy& policy, float slider) {
    slider = std::clamp(slider, 0.0f, 1.0f);
    if (!HasCapital() || !policy.IsInForce() || slider == policy.Slider()) return false;
    PoliticalCapital::Instance().SpendOne();
    policy.SetSlider(slider);
    if (observer_) observer_(policy, Change::Adjust);
    return true;
}

bool BalanceStrategy::Cancel(Policy& policy) {
    if (!HasCapital() || !policy.IsInForce() || !policy.IsCancellable()) return false;
    PoliticalCapital::Instance().SpendOne();
    policy.Cancel();
    if (observer_) observer_(policy, Change::Cancel);
    return true;
}
