// The greedy player follows the polls. Each turn it weighs every possible
// move (introducing a policy, moving a slider one step, cancelling) by what
// the policy's effects would do to the moods of the voter groups, counting
// the worst-off big groups three times, directly and through the values the
// effects move, and by the money when the budget is in deficit. It makes
// the best moves its capital allows, looks again a few turns later, and
// takes back a batch of moves after which approval fell, trying those
// policies no more for a while.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "aids/BalanceStrategy.h"
#include "simulation/Formula.h"

class NeuralEffect;
class Neuron;

class GreedyStrategy : public BalanceStrategy {
public:
    GreedyStrategy() : BalanceStrategy("greedy") {}

    void Start() override;
    void PlayTurn() override;
    int ChooseOption(const Dilemma& dilemma) override;

private:
    // How a change of one neuron reaches the groups' moods: it is a group
    // (an index into groups_), or a value whose effects on groups are listed.
    struct Reach {
        int group = -1;
        const Neuron* value = nullptr;
        std::vector<std::pair<const NeuralEffect*, int>> through;
    };
    struct Effect {
        Formula formula;
        Reach reach;
    };
    struct Move {
        Policy* policy = nullptr;
        Change change = Change::Adjust;
        float slider = 0.5f;    // where the slider goes
        float previous = 0.5f;  // where it was, for taking the move back
        double gain = 0.0;
    };
    struct Batch {
        int turn = 0;
        float approval = 0.0f;
        std::vector<Move> moves;
    };

    Reach ReachOf(Neuron& target) const;
    void WeighGroups();
    // What a policy's effects moving from (a at implementation ia) to
    // (b at implementation ib) do to the weighted moods, and to the budget.
    double Gain(const Policy& policy, float a, float ia, float b, float ib) const;
    double MoodGain(const Reach& reach, double change) const;
    // Every move worth making, the most promising first.
    std::vector<Move> RankMoves() const;
    void TakeBack(const Batch& batch);
    bool Apply(const Move& move);

    std::map<const Policy*, std::vector<Effect>> effects_;
    std::vector<const Neuron*> groups_;  // the voter groups, in the manager's order
    std::vector<double> weights_;        // and their weights this turn
    std::map<const Policy*, int> restingUntil_;
    std::vector<Batch> batches_;
    int turn_ = 0;
};
