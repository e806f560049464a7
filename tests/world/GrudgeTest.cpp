// Tests of grudges: fading, removal from the list, and their value reaching
// the network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/LinkedMode.h"
#include "simulation/Network.h"
#include "world/Grudge.h"
#include "support/FreshNetwork.h"

namespace {

// Grudges live in the program-wide network and grudge list; every test starts
// and ends with both empty.
class Grudges : public FreshNetworkTest {
protected:
    static void UpdateTimes(int turns) {
        for (int i = 0; i < turns; ++i) UpdateGrudges();
    }
    static std::vector<std::string> ListedNames() {
        std::vector<std::string> names;
        for (const Grudge* grudge : GrudgeList()) names.push_back(grudge->Name());
        return names;
    }
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(Grudges, FadeOutOnceWithinOnePercentOfZero) {
    Grudge* strike = CreateGrudge("Strike", 0.2f, 0.9f);
    CreateGrudge("Scandal", -0.1f, 0.9f);
    CreateGrudge("Feud", -0.4f, 1.0f);
    UpdateTimes(21);
    EXPECT_EQ(ListedNames(), (Names{"Strike", "Scandal", "Feud"}));
    UpdateGrudges();
    EXPECT_EQ(ListedNames(), (Names{"Strike", "Feud"}));
    UpdateTimes(6);
    EXPECT_NEAR(strike->Value(), 0.0105f, 0.0001f);
    EXPECT_EQ(strike->Age(), 28);
    UpdateGrudges();
    EXPECT_EQ(ListedNames(), Names{"Feud"});
    EXPECT_EQ(Network::FindByName("Strike"), nullptr);
    EXPECT_FLOAT_EQ(GrudgeList().front()->Value(), -0.4f);

    // Already within 0.01 of zero, or exactly zero: gone at the first update.
    CreateGrudge("Whisper", 0.005f, 1.0f);
    CreateGrudge("Nothing", 0.0f, 1.0f);
    UpdateGrudges();
    EXPECT_EQ(ListedNames(), Names{"Feud"});
}

TEST_F(Grudges, RemovalInTheMiddleSkipsNothing) {
    CreateGrudge("First", 0.5f, 0.5f);
    CreateGrudge("FadedA", 0.005f, 1.0f);
    CreateGrudge("FadedB", -0.005f, 1.0f);
    Grudge* last = CreateGrudge("Last", 0.5f, 0.5f);
    UpdateGrudges();
    EXPECT_EQ(ListedNames(), (Names{"First", "Last"}));
    EXPECT_FLOAT_EQ(last->Value(), 0.25f);
    EXPECT_EQ(last->Age(), 1);
}

TEST_F(Grudges, ValueReachesTargetsUntilRemoved) {
    Network::SetSettleMode(true);
    Grudge* grudge = CreateGrudge("Riot", 0.6f, 0.5f);
    Neuron* mood = Network::Create<Neuron>();
    Network::CreateEffect(grudge, mood, "0+(1.0*x)", 1.0f, 0.0f);
    EXPECT_EQ(mood->FindInputFromGrudge("Riot"), grudge);

    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(mood->Value(), 0.6f);
    UpdateGrudges();
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(mood->Value(), 0.3f);
    grudge->SetValue(0.8f);
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(mood->Value(), 0.8f);

    grudge->SetValue(0.001f);
    UpdateGrudges();
    EXPECT_TRUE(mood->Inputs().empty());
    EXPECT_EQ(Network::EffectCount(), 0u);
}

TEST_F(Grudges, ListNeverHoldsDeletedGrudges) {
    // Game start forgets the list; the grudges stay until the network goes.
    CreateGrudge("Kept", 0.5f, 1.0f);
    ClearGrudgeList();
    EXPECT_TRUE(GrudgeList().empty());
    EXPECT_NE(Network::FindByName("Kept"), nullptr);

    // Clearing the network before the list leaves no dangling entry.
    CreateGrudge("Orphan", 0.5f, 1.0f);
    SetLinkedMode(false);
    Network::DeleteAllNeurons();
    SetLinkedMode(true);
    EXPECT_TRUE(GrudgeList().empty());
}
