// The simulation network: recalculation, lags, marking, identifiers, cycles.
#include <gtest/gtest.h>

#include "core/LinkedMode.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "simulation/GlobalEconomy.h"
#include "simulation/Network.h"
#include "simulation/RandomSource.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

class NetworkTest : public FreshNetworkTest {};

Neuron* Named(const char* name) {
    Neuron* n = Network::Create<Neuron>();
    n->SetName(name);
    return n;
}

// A constant source: the effect carries "value + (0*x)".
Neuron* Constant(float value) {
    Neuron* source = Network::Create<Neuron>();
    source->SetBaseValue(value);
    return source;
}

}  // namespace

TEST_F(NetworkTest, RecalculationSumsOrAveragesInputsOnTopOfTheBase) {
    Network::SetSettleMode(true);  // values reach their targets without waiting for turns
    Neuron* empty = Named("empty");
    Neuron* based = Named("based");
    based->SetBaseValue(0.3f);
    Neuron* averaged = Named("averaged");
    averaged->SetSumming(false);
    averaged->SetBaseValue(0.1f);
    for (float v : {0.3f, 0.6f, 0.9f}) Network::CreateEffect(Constant(v), averaged, "0+(1.0*x)", 1.0f, 0.0f);
    Network::RecalculateAll();
    EXPECT_EQ(empty->Value(), 0.0f);
    EXPECT_FLOAT_EQ(based->Value(), 0.3f);
    EXPECT_FLOAT_EQ(averaged->Value(), 0.7f);  // mean 0.6 plus the base
    EXPECT_EQ(Network::CountChanged(), 0);
    // A base set again replaces the old one rather than adding to it.
    based->SetBaseValue(0.5f);
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(based->Value(), 0.5f);
    EXPECT_EQ(based->Inputs().size(), 1u);
}

TEST_F(NetworkTest, EffectsFollowTheirSourceByOneOverInertiaPerTurn) {
    Neuron* source = Named("source");
    Neuron* target = Named("target");
    NeuralEffect* effect = Network::CreateEffect(source, target, "0+(1.0*x)", 1.0f, 0.5f);
    effect->SetInertia(4);
    effect->SetTargetInput(1.0f);
    std::vector<float> lagged;
    for (int turn = 0; turn < 3; ++turn) {
        Network::UpdateAllEffects();
        lagged.push_back(effect->LaggedInput());
    }
    EXPECT_EQ(lagged, (std::vector<float>{0.75f, 1.0f, 1.0f}));  // never overshoots
    EXPECT_FLOAT_EQ(effect->LastChange(), 0.0f);

    effect->SetTargetInput(0.0f);
    Network::SetSettleMode(true);  // settle mode jumps at once...
    Network::UpdateAllEffects();
    EXPECT_EQ(effect->LaggedInput(), 0.0f);
    effect->SetNoJump(true);  // ...except for effects told to keep their lag
    effect->SetLaggedInput(0.4f);
    effect->SetTargetInput(1.0f);
    Network::UpdateAllEffects();
    EXPECT_FLOAT_EQ(effect->LaggedInput(), 0.65f);
}

TEST_F(NetworkTest, MarkingReachesEveryNeuronDownstreamAndDestroyUnlinks) {
    Network::SetSettleMode(true);
    std::vector<Neuron*> chain;
    for (int i = 0; i < 5000; ++i) {
        chain.push_back(Network::Create<Neuron>());
        if (i > 0) Network::CreateEffect(chain[i - 1], chain[i], "0+(1.0*x)", 1.0f, 0.0f);
    }
    chain[0]->SetBaseValue(0.25f);
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(chain.back()->Value(), 0.25f);
    chain[0]->MarkChanged();
    EXPECT_EQ(Network::CountChanged(), 5000);
    Network::RecalculateAll();

    const size_t effects = Network::EffectCount();
    Network::Destroy(chain[2500]);
    EXPECT_EQ(Network::EffectCount(), effects - 2);
    EXPECT_TRUE(chain[2499]->Outputs().empty());
    EXPECT_TRUE(chain[2501]->Inputs().empty());
}

TEST_F(NetworkTest, IdentifiersAndNamesFollowConstructionOrder) {
    EXPECT_EQ(Network::DefaultNeuron()->Identifier(), 0.0f);
    EXPECT_EQ(Network::SecurityNeuron()->Identifier(), 4.0f);
    EXPECT_EQ(Network::DebtNeuron()->DisplayName(), "National Debt");
    Neuron* first = Named("Twin");
    Neuron* second = Named("Twin");
    EXPECT_EQ(first->Identifier(), 105.0f);
    EXPECT_EQ(Network::FindByName("Twin"), first);
    EXPECT_EQ(Network::FindByName("twin"), nullptr);  // case counts
    EXPECT_EQ(Network::FindByIdentifier(106.0f), second);
    first->SetName("Renamed");
    EXPECT_EQ(Network::FindByName("Twin"), second);
    first->SetName("Twin");  // back under the name: still the first one made
    EXPECT_EQ(Network::FindByName("Twin"), first);
    Network::Destroy(first);
    EXPECT_EQ(Network::FindByName("Twin"), second);
    EXPECT_EQ(Named(std::string(100, 'n').c_str())->Name().size(), Neuron::kMaxNameLength);

    ClearNetwork();
    EXPECT_EQ(Network::DefaultNeuron(), nullptr);
    EXPECT_EQ(Network::Create<Neuron>()->Identifier(), 100.0f);
}

TEST_F(NetworkTest, RandomInfluenceDrawsWithinItsBoundsAtEveryRecalculation) {
    Network::SetSettleMode(true);
    Neuron* target = Named("crime");
    target->AddInfluence("_random_,0.2,0.4");
    target->AddInfluence("no comma here");
    ASSERT_EQ(target->Inputs().size(), 1u);
    auto* source = dynamic_cast<RandomSource*>(target->Inputs()[0]->Source());
    ASSERT_NE(source, nullptr);
    std::vector<float> draws;
    for (int i = 0; i < 20; ++i) {
        source->MarkChanged();
        Network::RecalculateAll();
        EXPECT_GE(source->Value(), 0.2f);
        EXPECT_LE(source->Value(), 0.4f);
        EXPECT_FLOAT_EQ(target->Value(), source->Value());
        draws.push_back(source->Value());
    }
    EXPECT_NE(draws.front(), draws.back());

    TempDirectory dir;
    OpenLog();
    target->AddInfluence("\"Nowhere,0+(1.0*x)\"");
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(ReadDebugLog().find("failed to find event influence Nowhere"), std::string::npos);
}

TEST_F(NetworkTest, HistoriesRecordClampedValuesNewestFirst) {
    Neuron* n = Named("hot");
    n->SetBaseValue(1.4f);
    Network::RecalculateAll();
    Network::ShiftAllHistories();
    EXPECT_EQ(n->History()[0], 1.0f);
    n->SetBaseValue(-0.2f);
    Network::RecalculateAll();
    Network::ShiftAllHistories();
    EXPECT_EQ(n->History()[0], 0.0f);
    EXPECT_EQ(n->History()[1], 1.0f);
    Network::ResetAllHistories();
    for (float entry : n->History()) EXPECT_NEAR(entry, -0.2f, 0.0201f);
}

TEST_F(NetworkTest, CyclesStopAndAreReportedOnceWithTheirNames) {
    TempDirectory dir;
    OpenLog();
    Neuron* a = Named("Alpha");
    Neuron* b = Named("Beta");
    a->SetBaseValue(0.1f);
    Network::CreateEffect(a, b, "0+(0.9*x)", 1.0f, 0.0f);
    Network::CreateEffect(b, a, "0+(0.9*x)", 1.0f, 0.0f);
    const int before = Network::ReportedCycleCount();
    Network::RecalculateAll();
    Network::RecalculateAll();
    EXPECT_EQ(Network::CountChanged(), 0);
    a->MarkChanged();
    Network::RecalculateAll();
    EXPECT_EQ(Network::ReportedCycleCount(), before + 1);
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("Alpha > Beta > Alpha"), std::string::npos) << log;
}

TEST_F(NetworkTest, NonFiniteValuesAreTracedOncePerTurnAndMainCauseFollowsTheBiggestChange) {
    TempDirectory dir;
    OpenLog();
    Neuron* broken = Named("Broken");
    Network::CreateEffect(Constant(1.0f), broken, "1+(x/0)", 1.0f, 1.0f);
    Neuron* alsoBroken = Named("AlsoBroken");
    Network::CreateEffect(broken, alsoBroken, "0+(1.0*x)", 1.0f, 0.0f);
    Network::UpdateAllEffects();
    Network::RecalculateAll();
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("not a finite number in Broken"), std::string::npos);
    EXPECT_EQ(log.find("AlsoBroken"), std::string::npos);

    Neuron* small = Named("Small");
    Neuron* big = Named("Big");
    Neuron* target = Named("Target");
    NeuralEffect* fromSmall = Network::CreateEffect(small, target, "0+(1.0*x)", 1.0f, 0.0f);
    NeuralEffect* fromBig = Network::CreateEffect(big, target, "0+(1.0*x)", 1.0f, 0.0f);
    fromSmall->SetTargetInput(0.1f);
    fromBig->SetTargetInput(0.8f);
    Network::SetSettleMode(true);
    Network::UpdateAllEffects();
    Network::RecalculateAll();
    EXPECT_EQ(target->MainCause(), big);
    target->SortInputsForDisplay();
    EXPECT_EQ(target->Inputs().front(), fromBig);
}

TEST_F(NetworkTest, EconomicCycleDrivesGdpAroundOneHalf) {
    Neuron* gdp = Named("GDP");
    GlobalEconomy* cycle = Network::GlobalEconomyNeuron();
    cycle->Start();
    EXPECT_EQ(cycle->Name(), "GlobalEconomy");
    EXPECT_FLOAT_EQ(cycle->Strength(), 0.375f);  // 0.75 x the default option 0.5
    ASSERT_EQ(gdp->Inputs().size(), 1u);
    for (int turn = 0; turn < 24; ++turn) {
        cycle->Turn();
        EXPECT_GE(cycle->Value(), 0.44f);
        EXPECT_LE(cycle->Value(), 1.06f);
    }
    EXPECT_NEAR(cycle->Phase(), 0.0f, 1e-4f);  // a whole period later
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(gdp->Value(), cycle->Value() * 0.375f);
}
