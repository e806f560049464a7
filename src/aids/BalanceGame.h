// One game of the balance run: a mission played from a seed by one of the
// built-in players for a number of turns, or until an election is lost or
// the government overthrown, with everything the report needs recorded.
// It plays the way the headless game does, listeners and all, so what the
// report says holds for the game as the program plays it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aids/BalanceRecord.h"
#include "aids/BalanceStrategy.h"
#include "world/Gameplaymanager.h"

class BalanceGame : public GameplayListener {
public:
    // Turns after an introduction at which its approval change is measured.
    static constexpr int kMeasureAfter = 4;

    BalanceGame(std::string mission, std::unique_ptr<BalanceStrategy> strategy, std::uint32_t seed,
                int turns);

    BalanceRecord Play();

    // The player keeps no autosave and promises nothing.
    void Autosave() override {}
    void OpenManifestoChoice() override {}

private:
    struct Pending {
        std::string policy;
        int turn;
        float approval;
    };

    void AnswerDilemma();
    void RecordTurn();
    void Observe(const Policy& policy, BalanceStrategy::Change change);

    std::string mission_;
    std::unique_ptr<BalanceStrategy> strategy_;
    std::uint32_t seed_;
    int turns_;
    BalanceRecord record_;
    std::vector<std::string> active_;  // situations on at the last turn
    std::vector<Pending> measuring_;   // introductions awaiting their measure
    bool electionHeld_ = false;
};
