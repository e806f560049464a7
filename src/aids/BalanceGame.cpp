// Playing and recording one balance game.
#include "aids/BalanceGame.h"

#include <algorithm>

#include "core/DataReport.h"
#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
#include "politics/Polls.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "simulation/PlayerInputRecorder.h"
#include "simulation/Simulation.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Event.h"
#include "world/EventManager.h"
#include "world/Finances.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"

BalanceGame::BalanceGame(std::string mission, std::unique_ptr<BalanceStrategy> strategy,
                         std::uint32_t seed, int turns)
    : mission_(std::move(mission)), strategy_(std::move(strategy)), seed_(seed), turns_(turns) {}

void BalanceGame::AnswerDilemma() {
    if (Dilemma* dilemma = DilemmaManager::Instance().PendingDilemma()) {
        const int option = strategy_->ChooseOption(*dilemma);
        record_.dilemmas[dilemma->Name()] = option;
        dilemma->Choose(option);
    }
}

void BalanceGame::Observe(const Policy& policy, BalanceStrategy::Change change) {
    if (change != BalanceStrategy::Change::Introduce) return;
    ++record_.policies[policy.Name()].introductions;
    measuring_.push_back({policy.Name(), record_.turns, Polls::Instance().Approval()});
}

void BalanceGame::RecordTurn() {
    const Polls& polls = Polls::Instance();
    record_.turns = Gameplaymanager::Instance().TurnNumber();
    record_.approval.push_back(polls.Approval());
    record_.vote.push_back(polls.PotentialVote());

    std::vector<std::string> active;
    for (const Situation* situation : SituationManager::Instance().Situations()) {
        if (!situation->IsActive()) continue;
        active.push_back(situation->Name());
        BalanceRecord::Situation& entry = record_.situations[situation->Name()];
        ++entry.turns;
        if (std::find(active_.begin(), active_.end(), situation->Name()) == active_.end())
            ++entry.starts;
    }
    active_ = std::move(active);

    for (const Simulation* value : SimulationManager::Instance().Values()) {
        BalanceRecord::Pinned& pinned = record_.pinned[value->Name()];
        if (value->Value() <= 0.0f) ++pinned.low;
        if (value->Value() >= 1.0f) ++pinned.high;
    }
    ++record_.valueTurns;

    for (const Policy* policy : Policy::ActivePolicies()) {
        BalanceRecord::PolicyUse& use = record_.policies[policy->Name()];
        use.popularity += policy->Popularity();
        ++use.turnsInForce;
    }
    for (auto it = measuring_.begin(); it != measuring_.end();) {
        if (record_.turns - it->turn < kMeasureAfter) {
            ++it;
            continue;
        }
        BalanceRecord::PolicyUse& use = record_.policies[it->policy];
        use.approvalChange += static_cast<double>(polls.Approval() - it->approval);
        ++use.measured;
        it = measuring_.erase(it);
    }
}

BalanceRecord BalanceGame::Play() {
    record_ = BalanceRecord();
    record_.mission = mission_;
    record_.strategy = strategy_->Name();
    record_.seed = seed_;
    const int problemsBefore = FailedAssertionCount() + DataErrorCount();

    Gameplaymanager& game = Gameplaymanager::Instance();
    ElectionManager& elections = ElectionManager::Instance();
    game.SetListener(this);
    elections.SetResultListener([this](float) { electionHeld_ = true; });
    EventManager::Instance().SetFireListener(
        [this](Event& event) { ++record_.events[event.Name()]; });
    strategy_->SetChangeObserver(
        [this](const Policy& policy, BalanceStrategy::Change change) { Observe(policy, change); });
    PlayerInputRecorder::Instance().SetEnabled(false);
    GameRandom::Seed(seed_);

    game.StartGame(mission_);
    for (const Policy* policy : Policy::AllPolicies()) {
        record_.policies[policy->Name()].inForceAtStart = policy->IsInForce();
    }
    strategy_->Start();
    AnswerDilemma();
    RecordTurn();
    while (record_.end == BalanceRecord::kSurvived && game.TurnNumber() < turns_) {
        strategy_->PlayTurn();
        electionHeld_ = false;
        game.NewTurn();
        AnswerDilemma();
        RecordTurn();
        if (OppositionManager::Instance().IsGovernmentOverthrown()) {
            record_.end = BalanceRecord::kOverthrown;
        } else if (electionHeld_ && elections.VoteShare() < 0.5f) {
            record_.end = BalanceRecord::kLostElection;
        } else if (electionHeld_) {
            // What closing the results window does: a new term begins.
            elections.ScheduleNextElection();
            Manifesto::Instance().StartTerm();
        }
    }
    record_.electionsWon = elections.ElectionsWon();
    record_.finalDebt = Finances::Instance().Debt();
    record_.problems = FailedAssertionCount() + DataErrorCount() - problemsBefore;

    game.SetListener(nullptr);
    elections.SetResultListener(nullptr);
    EventManager::Instance().SetFireListener(nullptr);
    strategy_->SetChangeObserver(nullptr);
    return record_;
}
