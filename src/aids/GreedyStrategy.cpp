// The greedy player's weighing of moves.
#include "aids/GreedyStrategy.h"

#include <algorithm>
#include <cmath>

#include "core/FieldReader.h"
#include "politics/Policy.h"
#include "politics/Polls.h"
#include "politics/SliderConfiguration.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/Network.h"
#include "simulation/NeuralEffect.h"
#include "simulation/Simulation.h"
#include "world/Dilemma.h"
#include "world/Finances.h"

namespace {

// Groups smaller than this share of the voters are not singled out.
constexpr double kBigGroup = 0.05;
constexpr size_t kWorstGroups = 3;
constexpr double kWorstGroupFactor = 3.0;
// A move must promise at least this much weighted mood.
constexpr double kLeastGain = 0.001;
// Weight of a change of the budget balance, as a share of the expenses.
constexpr double kMoneyWeight = 0.05;
// Turns before a batch of moves is judged, the approval it may lose, and the
// turns its policies then rest.
constexpr int kReviewAfter = 3;
constexpr float kTolerance = 0.01f;
constexpr int kRest = 12;
constexpr size_t kMovesPerTurn = 4;

float Step(const Policy& policy) {
    const SliderConfiguration* steps = policy.Configuration();
    return steps && steps->Steps() >= 2 ? 1.0f / static_cast<float>(steps->Steps() - 1) : 0.25f;
}

}  // namespace

GreedyStrategy::Reach GreedyStrategy::ReachOf(Neuron& target) const {
    Reach reach;
    const auto group = std::find(groups_.begin(), groups_.end(), &target);
    if (group != groups_.end()) {
        reach.group = static_cast<int>(group - groups_.begin());
        return reach;
    }
    if (target.Kind() != NeuronKind::SimulationValue) return reach;
    // One step further: the value's own effects on the groups.
    reach.value = &target;
    for (const NeuralEffect* effect : target.Outputs()) {
        const auto at = std::find(groups_.begin(), groups_.end(), effect->Target());
        if (at != groups_.end())
            reach.through.push_back({effect, static_cast<int>(at - groups_.begin())});
    }
    return reach;
}

void GreedyStrategy::Start() {
    groups_.assign(VoterManager::Instance().VoterTypes().begin(),
                   VoterManager::Instance().VoterTypes().end());
    weights_.assign(groups_.size(), 0.0);
    effects_.clear();
    for (Policy* policy : Policy::AllPolicies()) {
        std::vector<Effect>& list = effects_[policy];
        policy->ForEachEffect([&](const std::string& target, const std::string& formula) {
            Neuron* neuron = VoterManager::Instance().FindVoterType(target);
            if (!neuron) neuron = SimulationManager::Instance().FindValue(target);
            if (!neuron) neuron = Network::FindByName(target);
            if (!neuron) return;
            Reach reach = ReachOf(*neuron);
            if (reach.group >= 0 || !reach.through.empty())
                list.push_back({Formula(formula), std::move(reach)});
        });
    }
}

void GreedyStrategy::WeighGroups() {
    const double total = std::max(1, VoterManager::Instance().PopulationTotal());
    std::vector<std::pair<float, size_t>> big;
    for (size_t i = 0; i < groups_.size(); ++i) {
        weights_[i] = static_cast<const VoterType*>(groups_[i])->MemberCount() / total;
        if (weights_[i] >= kBigGroup) big.push_back({groups_[i]->Value(), i});
    }
    std::stable_sort(big.begin(), big.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < big.size() && i < kWorstGroups; ++i)
        weights_[big[i].second] *= kWorstGroupFactor;
}

double GreedyStrategy::MoodGain(const Reach& reach, double change) const {
    if (reach.group >= 0) return weights_[static_cast<size_t>(reach.group)] * change;
    double gain = 0.0;
    if (!reach.value) return gain;
    const float now = reach.value->Value();
    const float then = now + static_cast<float>(change);
    for (const auto& [effect, group] : reach.through) {
        gain +=
            weights_[static_cast<size_t>(group)] * (effect->ValueAt(then) - effect->ValueAt(now));
    }
    return gain;
}

double GreedyStrategy::Gain(const Policy& policy, float a, float ia, float b, float ib) const {
    double gain = 0.0;
    if (const auto it = effects_.find(&policy); it != effects_.end()) {
        for (const Effect& effect : it->second) {
            gain += MoodGain(effect.reach,
                             effect.formula.Evaluate(b) * ib - effect.formula.Evaluate(a) * ia);
        }
    }
    const Finances& money = Finances::Instance();
    if (money.GetDeficit() > 0.0f && money.Expenses() > 0.0f) {
        const double before = (policy.IncomeAt(a) - policy.CostAt(a)) * ia;
        const double after = (policy.IncomeAt(b) - policy.CostAt(b)) * ib;
        gain += kMoneyWeight * (after - before) / money.Expenses();
    }
    return gain;
}

std::vector<GreedyStrategy::Move> GreedyStrategy::RankMoves() const {
    std::vector<Move> moves;
    const auto consider = [&moves](Move move) {
        if (move.gain > kLeastGain) moves.push_back(move);
    };
    for (Policy* policy : Policy::AllPolicies()) {
        if (const auto rest = restingUntil_.find(policy);
            rest != restingUntil_.end() && rest->second > turn_)
            continue;
        const float now = policy->Slider();
        if (!policy->IsInForce()) {
            consider({policy, Change::Introduce, 0.5f, now, Gain(*policy, now, 0.0f, 0.5f, 1.0f)});
            continue;
        }
        const float in = policy->Implementation();
        for (float slider : {now - Step(*policy), now + Step(*policy)}) {
            slider = std::clamp(slider, 0.0f, 1.0f);
            if (slider != now)
                consider(
                    {policy, Change::Adjust, slider, now, Gain(*policy, now, in, slider, 1.0f)});
        }
        if (policy->IsCancellable())
            consider({policy, Change::Cancel, now, now, Gain(*policy, now, in, now, 0.0f)});
    }
    std::stable_sort(moves.begin(), moves.end(),
                     [](const Move& a, const Move& b) { return a.gain > b.gain; });
    return moves;
}

bool GreedyStrategy::Apply(const Move& move) {
    switch (move.change) {
        case Change::Introduce:
            return Introduce(*move.policy);
        case Change::Adjust:
            return Adjust(*move.policy, move.slider);
        case Change::Cancel:
            return Cancel(*move.policy);
    }
    return false;
}

void GreedyStrategy::TakeBack(const Batch& batch) {
    for (auto it = batch.moves.rbegin(); it != batch.moves.rend(); ++it) {
        Policy& policy = *it->policy;
        restingUntil_[&policy] = turn_ + kRest;
        if (it->change == Change::Introduce)
            Cancel(policy);
        else if (it->change == Change::Adjust || Introduce(policy))
            Adjust(policy, it->previous);
    }
}

void GreedyStrategy::PlayTurn() {
    ++turn_;
    const float approval = Polls::Instance().Approval();
    // Judge the batch made a few turns ago: keep it if approval held.
    if (!batches_.empty() && turn_ - batches_.front().turn >= kReviewAfter) {
        if (approval < batches_.front().approval - kTolerance) TakeBack(batches_.front());
        batches_.erase(batches_.begin());
    }
    WeighGroups();
    Batch batch{turn_, approval, {}};
    for (const Move& move : RankMoves()) {
        if (!HasCapital() || batch.moves.size() >= kMovesPerTurn) break;
        const bool touched =
            std::any_of(batch.moves.begin(), batch.moves.end(),
                        [&](const Move& made) { return made.policy == move.policy; });
        if (!touched && Apply(move)) batch.moves.push_back(move);
    }
    if (!batch.moves.empty()) batches_.push_back(std::move(batch));
}

int GreedyStrategy::ChooseOption(const Dilemma& dilemma) {
    WeighGroups();
    double best = -HUGE_VAL;
    int chosen = 0;
    FieldReader fields;
    for (int i = 0; i < Dilemma::kOptionCount; ++i) {
        double gain = 0.0;
        for (const DilemmaEffect& effect : dilemma.Options()[static_cast<size_t>(i)].effects) {
            fields.SetText(effect.text);
            const std::string target = fields.NextField();
            if (Neuron* neuron = Network::FindByName(target))
                gain += MoodGain(ReachOf(*neuron), fields.NextFloat());
        }
        if (gain > best) {
            best = gain;
            chosen = i;
        }
    }
    return chosen;
}
