// Tests of the opposition groups: anger, warnings, attacks, the end of the game, intelligence.
#include <gtest/gtest.h>

#include <vector>

#include "core/GameRandom.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/OppositionManager.h"
#include "world/StringTable.h"

namespace {

using Kind = OppositionMessage::Kind;
using Kinds = std::vector<Kind>;

class OppositionGroups : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        StringTable::Instance().Unload();
        dir_.Write("types.csv",
                   "#,_All_,Everyone,,1.0,All voters,0.5,#\n"
                   "#,Socialist,Socialists,,0.2,Left,0.5,#\n"
                   "#,Capitalist,Capitalists,,0.2,Right,0.5,#\n"
                   "#,Poor,The Poor,the hungry,0.2,Little money,0.5,#\n");
        dir_.Write("data/strings.ini",
                   "[strings]\nWARNING_SOCIALIST_TITLE=Red warning\nATTACK_SOCIALIST_TITLE=Shot\n"
                   "ATTACK_FAILED_TEXT=Foiled\nINTEL_SOCIALIST=the far left\n"
                   "INTEL_REPORT_CONCERN=A <INTEL_SEVERITY> threat from <INTEL_ENEMY>.\n"
                   "INTEL_REPORT_TRIVIAL=Some <INTEL_TRIVIAL> among <INTEL_ENEMY>.\n"
                   "INTEL_REPORT_NONE=All quiet.\n"
                   "[INTEL_SEVERITY_TYPE]\n0=mild\n1=grave\n[INTEL_TRIVIAL_TYPE]\n0=grumbling\n");
        VoterManager::Instance().LoadVoterTypes("types.csv");
        opposition_.ResetAnger();
        opposition_.SetMessageListener(
            [this](const OppositionMessage& message) { messages_.push_back(message); });
        // At the hardest setting a content group neither cools nor grows.
        GameOptions::Instance().Set(1.0f, GameOptions::kDifficulty);
        for (VoterType* type : VoterManager::Instance().VoterTypes()) type->SetValue(0.5f);
    }
    void TearDown() override {
        opposition_.SetMessageListener(nullptr);
        StringTable::Instance().Unload();
        FreshNetworkTest::TearDown();
    }
    OppositionGroup& Group(const char* name) {
        return *opposition_.FindGroup(*VoterManager::Instance().FindVoterType(name));
    }
    // The kinds of the messages shown over that many turns.
    Kinds Turns(int count) {
        messages_.clear();
        for (int i = 0; i < count; ++i) opposition_.UpdateOpposition();
        Kinds kinds;
        for (const OppositionMessage& message : messages_) kinds.push_back(message.kind);
        return kinds;
    }
    OppositionManager& opposition_ = OppositionManager::Instance();
    TempDirectory dir_;
    std::vector<OppositionMessage> messages_;
};

}  // namespace

TEST_F(OppositionGroups, AngerGrowsWithDifficultyAndCoolsLessTheHarderTheGame) {
    OppositionGroup& socialists = Group("Socialist");
    socialists.Group().SetValue(-0.5f);  // read as 0
    socialists.UpdateAnger(1.0f);
    EXPECT_FLOAT_EQ(socialists.Anger(), 0.12f);
    socialists.UpdateAnger(0.0f);  // the easiest game angers nobody
    EXPECT_FLOAT_EQ(socialists.Anger(), 0.12f);
    socialists.Group().SetValue(0.25f);
    socialists.UpdateAnger(1.0f);
    EXPECT_FLOAT_EQ(socialists.Anger(), 0.12f);
    socialists.UpdateAnger(0.0f);
    EXPECT_FLOAT_EQ(socialists.Anger(), 0.108f);
}

TEST_F(OppositionGroups, WarningThenAttackThatEndsTheGame) {
    Group("Socialist").Restore(0.5f, false, 0);
    Network::SecurityNeuron()->SetValue(0.0f);
    EXPECT_EQ(Turns(1), Kinds{Kind::Warning});
    EXPECT_EQ(messages_[0].title, "Red warning");
    EXPECT_EQ(messages_[0].text, "WARNING_SOCIALIST_TEXT");
    // The attack comes three turns after the warning.
    EXPECT_EQ(Turns(2), Kinds{});
    EXPECT_EQ(Turns(1), Kinds{Kind::SuccessfulAttack});
    EXPECT_EQ(messages_[0].title, "Shot");
    EXPECT_EQ(messages_[0].sound, "data/sounds/ak47.ogg");
    EXPECT_TRUE(messages_[0].endsGame);
    EXPECT_TRUE(opposition_.IsGovernmentOverthrown());
}

TEST_F(OppositionGroups, OnlyTheAngriestGroupAboveTheThresholdActs) {
    Group("Socialist").Restore(0.4f, false, 0);  // exactly at the threshold
    EXPECT_EQ(Turns(3), Kinds{});

    // Equal anger: the earlier group first, the later one while it cools.
    Group("Socialist").Restore(0.5f, false, 0);
    Group("Capitalist").Restore(0.5f, false, 0);
    EXPECT_EQ(Turns(1), Kinds{Kind::Warning});
    EXPECT_EQ(messages_[0].group, "Socialist");
    EXPECT_EQ(Turns(1), Kinds{Kind::Warning});
    EXPECT_EQ(messages_[0].title, "WARNING_CAPITALIST_TITLE");

    // A strictly angrier later group wins; a group without a word of its
    // own (Everyone) does nothing and never cools down.
    Group("Socialist").Restore(0.5f, true, 0);
    Group("Poor").Restore(0.6f, false, 0);
    EXPECT_EQ(Turns(1), Kinds{Kind::Warning});
    EXPECT_EQ(messages_[0].group, "Poor");
    Group("_All_").Restore(0.9f, false, 0);
    EXPECT_EQ(Turns(4), Kinds{});
    EXPECT_EQ(Group("_All_").Cooldown(), 0);
}

TEST_F(OppositionGroups, FoiledAttackLeavesTheGameRunningAndTheGroupCooling) {
    // Security of 1.5 times the coming draw stops the attack, but not once
    // the hardest settings halve it.
    const std::uint32_t state = GameRandom::State();
    const float draw = GameRandom::Uniform(0.0f, 1.0f);
    ASSERT_GT(draw, 0.0f);
    Network::SecurityNeuron()->SetValue(1.5f * draw);
    GameRandom::SetState(state);
    Group("Socialist").Restore(0.5f, true, 0);
    GameOptions::Instance().Set(0.75f, GameOptions::kDifficulty);
    EXPECT_EQ(Turns(1), Kinds{Kind::FoiledAttack});
    EXPECT_EQ(messages_[0].text, "ATTACK_SOCIALIST_FAILED");
    EXPECT_FALSE(opposition_.IsGovernmentOverthrown());
    EXPECT_EQ(Group("Socialist").Cooldown(), 3);

    GameRandom::SetState(state);
    Group("Socialist").Restore(0.5f, true, 0);
    GameOptions::Instance().Set(0.76f, GameOptions::kDifficulty);
    EXPECT_EQ(Turns(1), Kinds{Kind::SuccessfulAttack});
}

TEST_F(OppositionGroups, AngerSharesAndIntelligenceReport) {
    VoterType& socialists = Group("Socialist").Group();
    EXPECT_EQ(opposition_.IntelReport(), "All quiet.");
    Group("Socialist").Restore(0.3f, false, 0);
    EXPECT_EQ(opposition_.GetAnger(socialists), 0.0f);  // no population yet
    GameOptions::Instance().Set(0.0f,
                                GameOptions::kAiEntities);  // 100 voters, 20 of them socialists
    VoterManager::Instance().CreatePopulation("matrix.txt");
    EXPECT_FLOAT_EQ(opposition_.GetAnger(socialists), 0.3f * 0.2f);

    EXPECT_EQ(opposition_.IntelReport(), "A mild threat from the far left.");
    Group("Socialist").Restore(0.95f, false, 0);
    EXPECT_EQ(opposition_.IntelReport(), "A grave threat from the far left.");
    // The Poor have no intelligence name: their further text names them,
    // and a group angry by a trifle is named by its display name.
    Group("Poor").Restore(0.96f, false, 0);
    EXPECT_EQ(opposition_.IntelReport(), "Some grumbling among the hungry.");
    Group("Poor").Restore(0.0f, false, 0);
    Group("Socialist").Restore(0.05f, false, 0);
    EXPECT_EQ(opposition_.IntelReport(), "Some grumbling among Socialists.");
    Group("Socialist").Restore(0.001f, false, 0);
    EXPECT_EQ(opposition_.IntelReport(), "All quiet.");
}
