// Map icons on a small network of their own: the lines between icons along
// the effects, what happens to them when an icon goes, and how a group's
// icons spread through its wedge.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "gui/icons/GUI_IconConnectors.h"
#include "gui/icons/IconsList.h"
#include "simulation/Network.h"
#include "simulation/NeuralEffect.h"
#include "support/FreshNetwork.h"
#include "support/OffscreenEngine.h"

namespace {

class PlainIcon : public GUI_IconBase {
public:
    explicit PlainIcon(Neuron* subject) : GUI_IconBase(50.0f) {
        if (subject) SetSubject(subject);
    }
    void Refresh() override { HoverTest(0); }
};

class MapIcons : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        GUI_IconBase::SetMetrics(MapMetrics::ForScreen(1024, 768));
    }
    Neuron* Named(const char* name) {
        Neuron* neuron = Network::Create<Neuron>();
        neuron->SetName(name);
        return neuron;
    }
    OffscreenEngine engine_{1024, 768, D3DEngine::Display::Null};
};

}  // namespace

TEST_F(MapIcons, LinesJoinTheIconsAtBothEndsOfEveryEffect) {
    Neuron* tax = Named("Tax");
    Neuron* mood = Named("Mood");
    Neuron* economy = Named("Economy");
    Neuron* hidden = Named("Hidden");  // no icon: no line
    NeuralEffect* toMood = Network::CreateEffect(tax, mood, "0-(0.5*x)", 1.0f, 0.5f);
    Network::CreateEffect(economy, tax, "0+(0.2*x)", 1.0f, 0.5f);
    Network::CreateEffect(tax, hidden, "0+(1*x)", 1.0f, 0.5f);
    auto taxIcon = std::make_unique<PlainIcon>(tax);
    auto moodIcon = std::make_unique<PlainIcon>(mood);
    auto economyIcon = std::make_unique<PlainIcon>(economy);
    taxIcon->SetCentre(100, 100);
    moodIcon->SetCentre(100 + 36, 100 + 48);  // 60 pixels away
    economyIcon->SetCentre(105, 100);         // 5 pixels away
    EXPECT_EQ(GUI_IconBase::IconFor(tax), taxIcon.get());
    EXPECT_EQ(taxIcon->Tooltip()->Text(), "Tax");

    taxIcon->RebuildConnectors();
    const auto& lines = taxIcon->Connectors().Lines();
    ASSERT_EQ(lines.size(), 2u);
    // Leaving effects first, then entering ones; each runs cause to effect.
    EXPECT_EQ(lines[0]->Effect(), toMood);
    EXPECT_EQ(lines[0]->SourceIcon(), taxIcon.get());
    EXPECT_EQ(lines[0]->TargetIcon(), moodIcon.get());
    EXPECT_NEAR(lines[0]->Length(), 60.0f, 1e-3f);
    EXPECT_EQ(lines[0]->Dots().size(), 5u);
    EXPECT_FLOAT_EQ(lines[0]->Dots()[4], 48.0f);
    EXPECT_EQ(lines[0]->Colour(), GUI_NeuralEffect::kInitialColour);
    EXPECT_EQ(lines[1]->SourceIcon(), economyIcon.get());
    EXPECT_EQ(lines[1]->TargetIcon(), taxIcon.get());
    EXPECT_TRUE(lines[1]->Dots().empty());  // 5 pixels: no dot

    // Drawing takes the effect's current value: this one harms.
    Network::RecalculateAll();
    toMood->Output();
    lines[0]->Draw();
    EXPECT_EQ(lines[0]->Colour(), ConnectorColour(GUI_NeuralEffect::CurrentValue(*toMood)));
    EXPECT_LT(GUI_NeuralEffect::CurrentValue(*toMood), 0.0f);

    // An icon going away takes every line that ends at it along.
    moodIcon.reset();
    ASSERT_EQ(taxIcon->Connectors().Lines().size(), 1u);
    EXPECT_EQ(taxIcon->Connectors().Lines()[0]->SourceIcon(), economyIcon.get());
    EXPECT_EQ(GUI_IconBase::IconFor(mood), nullptr);
}

TEST_F(MapIcons, AGroupsIconsSpreadThroughItsWedgeWithoutTouching) {
    const MapMetrics metrics = MapMetrics::ForScreen(1024, 768);
    const Wedge wedge = MakeWedge(90.0f, metrics);
    IconsList list;
    const int failures = FailedAssertionCount();
    EXPECT_EQ(list.Add(nullptr), nullptr);  // reported, not added
    EXPECT_EQ(FailedAssertionCount(), failures + 1);
    for (int i = 0; i < 6; ++i) list.Add(std::make_unique<PlainIcon>(Named("Policy")));

    GameRandom::Seed(99);
    const std::uint32_t gameState = GameRandom::State();
    IconPlacer placer(metrics, MapOwnObstacles(metrics, {90.0f}));
    LayoutRandom random(5, 2);
    list.Arrange(wedge, placer, random);
    EXPECT_EQ(GameRandom::State(), gameState);  // the game's numbers untouched
    ASSERT_EQ(list.Placed().size(), 6u);
    float closest = 1e9f;
    for (size_t i = 0; i < 6; ++i) {
        const MapPoint c = list.Placed()[i]->Centre();
        EXPECT_GT(c.x, metrics.CentreX() + 100.0f);  // the wedge to the right
        for (size_t j = 0; j < i; ++j) {
            const MapPoint d = list.Placed()[j]->Centre();
            closest = std::min(closest, std::hypot(c.x - d.x, c.y - d.y));
        }
    }
    // 200 tries each keep six icons well apart.
    EXPECT_GT(closest, 60.0f);
    // The same seed and stream, the same spots.
    const MapPoint first = list.Placed()[0]->Centre();
    IconPlacer again(metrics, MapOwnObstacles(metrics, {90.0f}));
    LayoutRandom same(5, 2);
    list.Arrange(wedge, again, same);
    EXPECT_FLOAT_EQ(list.Placed()[0]->Centre().x, first.x);
    EXPECT_FLOAT_EQ(list.Placed()[0]->Centre().y, first.y);
    EXPECT_TRUE(list.Remove(list.Icons()[2].get()));
    EXPECT_EQ(list.Icons().size(), 5u);
    EXPECT_FALSE(list.Remove(nullptr));
}
