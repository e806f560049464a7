// The random player: spends most of its capital each turn on a random
// introduction, slider move or cancellation, and answers dilemmas by a coin.
#pragma once

#include <random>

#include "aids/BalanceStrategy.h"

class RandomStrategy : public BalanceStrategy {
public:
    explicit RandomStrategy(std::uint32_t seed) : BalanceStrategy("random"), random_(seed) {}

    void PlayTurn() override;
    int ChooseOption(const Dilemma& dilemma) override;

private:
    int Roll(int below) { return static_cast<int>(random_() % static_cast<std::uint32_t>(below)); }
    void MakeOneMove();

    std::mt19937 random_;
};
