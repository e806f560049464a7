// Policies: loading, introducing and cancelling, phasing in, costs, popularity.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/PoliticalCapital.h"
#include "politics/Policy.h"
#include "politics/PolicyManager.h"
#include "politics/SliderConfiguration.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "simulation/Simulation.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

// #, name, display, slider, description, cancellable, group, cost0, cost1,
// cost multiplier, turns, income0, income1, income multiplier, #Effects, ...
const char* kPolicies =
    "Policies of the test country\n"
    "#,IncomeTax,Income Tax,percent,A tax on earnings,FALSE,TAX,1,3,,2,10,50,,#Effects,\"Poor,0-(0.4*x)\",\"GDP,0-(0.1*x)\"\n"
    "#,Rail,Rail Subsidy,amount,x,TRUE,TRANSPORT,20,60,GDP,4,0,0,,#Effects,\"Commuters,0+(0.3*x)\"\n"
    "#,Slow,Slow Reform,amount,Takes ages,TRUE,WELFARE,0,0,,500,0,0,,#Effects\n"
    "#,Quick,Quick Fix,amount,Done at once,true,WELFARE,0,0,,0,0,0,,#Effects\n"
    "#short\n"
    "not a policy line at all\n";

class Policies : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        dir_.Write("data/simulation/sliders.csv", "Sliders\n#,percent,5,0%,25%,50%,75%,100%\n#,amount,3,Low,Mid,High\n");
        dir_.Write("data/simulation/votertypes.csv",
                   "#,Poor,The Poor,,0.2,Those with little,0.5,#\n#,Commuters,Commuters,,0.3,People on the move,0.5,#\n");
        dir_.Write("data/simulation/values.csv", "#,GDP,Gross Domestic Product,Output,0.5,0,#\n");
        dir_.Write("data/simulation/policies.csv", kPolicies);
        dir_.Write("data/mods/policies/b_mod.txt",
                   "#,Rail,Modded Rail,amount,Second rail,TRUE,TRANSPORT,0,0,,1,0,0,,#Effects\n#,Ignored,x,amount,x,TRUE,TAX,0,0,,1,0,0,,#Effects\n");
        dir_.Write("data/mods/policies/a_mod.txt", "#,Parks,City Parks,amount,Green spaces,TRUE,WELFARE,1,1,,1,0,0,,#Effects\n");
        SliderConfiguration::Clear();
        VoterManager::Instance().LoadVoterTypes("data/simulation/votertypes.csv");
        SimulationManager::Instance().LoadValues("data/simulation/values.csv");
        PolicyManager::Instance().Init("data/simulation/policies.csv");
        PlayerInputRecorder::Instance().StartNewScript();
    }
    void TearDown() override {
        FreshNetworkTest::TearDown();
        SliderConfiguration::Clear();
    }
    TempDirectory dir_;
};

std::vector<std::string> Names(const std::vector<Policy*>& policies) {
    std::vector<std::string> names;
    for (const Policy* p : policies) names.push_back(p->Name());
    return names;
}

}  // namespace

TEST_F(Policies, LoadFromTheMainFileThenOneLinePerModInNameOrder) {
    EXPECT_EQ(Names(Policy::AllPolicies()),
              (std::vector<std::string>{"IncomeTax", "Rail", "Slow", "Quick", "Parks", "Rail"}));
    Policy* rail = Policy::FindPolicy("Rail");
    EXPECT_EQ(rail->DisplayName(), "Rail Subsidy");  // the main file's comes first
    EXPECT_EQ(rail->Group()->Name(), "TRANSPORT");
    EXPECT_EQ(rail->Description(), "Blah waffle");
    EXPECT_EQ(rail->Configuration()->Name(), "amount");
    EXPECT_EQ(Policy::FindPolicy("Slow")->ImplementationTime(), 128);
    EXPECT_EQ(Policy::FindPolicy("Quick")->ImplementationTime(), 1);
    EXPECT_FALSE(Policy::FindPolicy("Quick")->IsCancellable());  // only "TRUE" in capitals
    EXPECT_FALSE(Policy::FindPolicy("IncomeTax")->IsInForce());
    EXPECT_EQ(Policy::FindPolicy("IncomeTax")->Slider(), 0.5f);
    EXPECT_EQ(FailedAssertionCount(), 0);

    const SliderConfiguration* percent = SliderConfiguration::Find("percent");
    EXPECT_FLOAT_EQ(percent->Snap(0.3f), 0.25f);
    EXPECT_FLOAT_EQ(percent->Snap(0.38f), 0.5f);
    EXPECT_EQ(percent->StepLabel(1.0f), "100%");
    EXPECT_EQ(SliderConfiguration::Find("amount")->StepLabel(0.74f), "Mid");
    EXPECT_EQ(SliderConfiguration::Find("amount")->StepLabel(0.76f), "High");

    PolicyManager::Instance().Reset();
    EXPECT_TRUE(Policy::AllPolicies().empty());
    EXPECT_EQ(Network::FindByName("PlayerInput"), nullptr);
}

TEST_F(Policies, IntroduceAndCancelKeepEffectsAndStartOverAtTheMiddle) {
    PoliticalCapital::Instance().Set(3, 3);
    Policy* rail = Policy::FindPolicy("Rail");
    rail->Introduce();
    rail->Introduce();  // already in force: nothing, and nothing spent
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 2);
    EXPECT_EQ(Names(Policy::ActivePolicies()), std::vector<std::string>{"Rail"});
    EXPECT_EQ(Names(rail->Group()->ActivePolicies()), std::vector<std::string>{"Rail"});
    const size_t outputs = rail->Outputs().size();
    EXPECT_EQ(outputs, 1u);

    rail->SetSlider(0.9f);
    PolicyManager::Instance().AdvanceImplementation();
    EXPECT_FLOAT_EQ(rail->Implementation(), 0.25f);
    rail->Cancel();
    EXPECT_EQ(rail->Implementation(), 0.0f);
    EXPECT_TRUE(rail->Group()->ActivePolicies().empty());
    EXPECT_EQ(dir_.Read("data/script.mil"), "CANCELPOLICY,Rail\n");

    rail->Introduce();
    EXPECT_EQ(rail->Outputs().size(), outputs);  // effects are made once
    EXPECT_EQ(rail->Slider(), 0.5f);
    EXPECT_EQ(rail->Implementation(), 0.0f);

    PoliticalCapital::Instance().Set(2, 0);
    Policy::IntroduceAllMandatory();
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 0);  // never below zero
    EXPECT_EQ(Policy::FindPolicy("IncomeTax")->Implementation(), 1.0f);
    EXPECT_EQ(Policy::FindPolicy("Quick")->Implementation(), 1.0f);
}

TEST_F(Policies, PhasingInSlowsDownForEachLostHouse) {
    auto turnsToFull = [](bool lower, bool upper) {
        Policy* p = Policy::FindPolicy("Rail");
        p->Cancel();
        p->Introduce();
        int count = 0;
        while (p->Implementation() < 1.0f && count < 100) {
            PolicyManager::Instance().AdvanceImplementation(lower, upper);
            ++count;
        }
        return count;
    };
    EXPECT_EQ(turnsToFull(true, true), 4);
    EXPECT_EQ(turnsToFull(false, true), 6);
    EXPECT_EQ(turnsToFull(false, false), 8);
    // Each step is rounded to a float: twelve twelfths stay just below 1.
    Policy* slow = Policy::FindPolicy("Slow");
    slow->Introduce();
    float implementation = 0.0f;
    for (int i = 0; i < 12; ++i) implementation += 1.0f / (6.0f + 6.0f * 1.0f);
    EXPECT_LT(implementation, 1.0f);
}

TEST_F(Policies, CostsFollowWealthDifficultyAndMultipliers) {
    Policy* tax = Policy::FindPolicy("IncomeTax");
    Mission::Instance().SetWealth(2.0f);
    GameOptions::Instance().Set(0.0f, GameOptions::kDifficulty);  // easiest: 20 % cheaper, 20 % more lucrative
    EXPECT_FLOAT_EQ(tax->GetCost(0.5f), 2.0f * 2.0f * 0.8f);
    EXPECT_FLOAT_EQ(tax->GetIncome(0.5f), 30.0f * 2.0f * 1.2f);
    GameOptions::Instance().Set(1.0f, GameOptions::kDifficulty);
    EXPECT_FLOAT_EQ(tax->GetCost(1.0f), 3.0f * 2.0f * 1.2f);

    Policy* rail = Policy::FindPolicy("Rail");  // cost multiplied by GDP
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(rail->CostAt(1.0f), 60.0f * 2.0f * 1.2f * 0.5f);
    tax->SetCosts(-5.0f, -5.0f);
    EXPECT_EQ(tax->CostAt(0.5f), 0.0f);
    EXPECT_LT(tax->CurrentCost(), 0.0f);  // the current cost may be a saving
}

TEST_F(Policies, PopularityWeighsTheGroupsTheyAffect) {
    Policy* tax = Policy::FindPolicy("IncomeTax");
    Policy* rail = Policy::FindPolicy("Rail");
    tax->Introduce();
    tax->SetImplementation(1.0f);
    rail->Introduce();
    rail->SetImplementation(1.0f);
    Policy::FindPolicy("Parks")->Introduce();
    VoterType* poor = VoterManager::Instance().FindVoterType("Poor");
    VoterType* commuters = VoterManager::Instance().FindVoterType("Commuters");
    // Members are the targets of a group's effects.
    for (int i = 0; i < 3; ++i) Network::CreateEffect(poor, Network::Create<Neuron>(), "0+(x*1.0)", 1.0f, 1.0f);
    Network::CreateEffect(commuters, Network::Create<Neuron>(), "0+(x*1.0)", 1.0f, 1.0f);
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    PolicyManager::Instance().UpdatePolicyPriorities();
    EXPECT_FLOAT_EQ(tax->Popularity(), 0.5f - 0.4f * 0.5f);
    EXPECT_FLOAT_EQ(rail->Popularity(), 0.5f + 0.3f * 0.5f);
    EXPECT_FLOAT_EQ(Policy::FindPolicy("Parks")->Popularity(), 0.5f);  // affects no group
    PolicyGroup* transport = PolicyManager::Instance().GroupByName("TRANSPORT");
    EXPECT_FLOAT_EQ(transport->Popularity(1), 0.65f);
    EXPECT_FLOAT_EQ(PolicyManager::Instance().GroupByName("WELFARE")->Popularity(1), 0.5f);
    EXPECT_FLOAT_EQ(PolicyManager::Instance().GroupByName("TAX")->Popularity(1), 0.3f);
}

TEST(PolicyDeathTest, BrokenLinesEndTheGameWithTheirOwnMessages) {
    TempDirectory dir;
    dir.Write("p.csv", "#,Bad,Bad,amount,Broken line here,TRUE,TAX,0,0,,1,0,0,,#Oops\n");
    dir.Write("q.csv", "#,Lost,Lost,amount,Unknown target,TRUE,TAX,0,0,,1,0,0,,#Effects,\"Nowhere,0+(1*x)\"\n");
    EXPECT_EXIT(PolicyManager::Instance().LoadPolicies("p.csv", "none/*.txt"), ::testing::ExitedWithCode(1),
                "Policy data corrupted:Policy");
    EXPECT_EXIT(PolicyManager::Instance().LoadPolicies("q.csv", "none/*.txt"), ::testing::ExitedWithCode(1),
                "cant find Nowhere in Lost:Policy");
}
