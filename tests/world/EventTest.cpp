// Events: loading their lines, firing from their likelihood, and the fading
// grudges they leave.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "politics/IssuesList.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Event.h"
#include "world/EventManager.h"
#include "world/Grudge.h"

namespace {

// "#", name, display name, description, two numbers, sound, influences, "#",
// effects as "target,value,decay".
const char* kEvents =
    "Events of the test country\n#short\n"
    "#,Strike,General Strike,Workers walk out,0.25,3,strike.ogg,\"Driver,0+(1.0*x)\",#,"
    "\"Crime,0.2,0.9\",\"Wealth,-0.1,0.5\",x\n"
    "#,Scandal,Scandal,A minister lies,0,0,,\"Other,0+(1.0*x)\",\"Ghost,0+(1*x)\",Driver,#,"
    "\"Nowhere,0.3,0.5\",\"Crime,0.1,1.5\"\n"
    "#,Quiet,Quiet,No closing marker,0,0,,\"Driver,0+(0.5*x)\"\n"
    "#,,Nameless,Nobody,0,0,,#\n";

class Events : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        for (const char* name : {"Driver", "Other", "Crime", "Wealth"})
            Network::Create<Neuron>()->SetName(name);
        dir_.Write("data/data.ini", "[setup]\nevents=data/simulation/events.csv\n");
        dir_.Write("data/simulation/events.csv", kEvents);
        dir_.Write("data/mods/events/a.txt",
                   "#,ModA,Mod A,From a mod,0,0,,\"Other,0+(1.0*x)\",#\n#,Later,L,No,0,0,,#\n");
        dir_.Write("data/mods/events/b.txt", "#short\n#,Hidden,Hidden,Second line,0,0,,#\n");
        dir_.Write("data/mods/events/c.txt", "An event follows\n#,Hidden2,Hidden,No,0,0,,#\n");
        SetupValues::Instance().Load("data/data.ini");
        EventManager::Instance().SetFireListener([this](Event& e) { fired_.push_back(e.Name()); });
        EventManager::Instance().LoadEvents();
    }
    void TearDown() override {
        EventManager::Instance().SetFireListener(nullptr);
        Event::SetSoundPlayer(nullptr);
        FreshNetworkTest::TearDown();
    }

    static void Drive(const char* name, float value) {
        Network::FindByName(name)->SetBaseValue(value);
        Network::SetSettleMode(true);
        Network::RecalculateAll();
    }
    static Event* Find(const char* name) { return EventManager::Instance().FindEvent(name); }

    TempDirectory dir_;
    std::vector<std::string> fired_;
};

using EventsDeathTest = Events;

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Event* event : EventManager::Instance().Events()) names.push_back(event->Name());
    return names;
}

bool Logged(const std::string& text) {
    return ReadDebugLog().find(text) != std::string::npos;
}

}  // namespace

TEST_F(Events, LoadTheEventsFileThenTheFirstLineOfEachModReportingBrokenLines) {
    EXPECT_EQ(Names(), (std::vector<std::string>{"Strike", "Scandal", "Quiet", "ModA"}));
    const Event* strike = Find("Strike");
    EXPECT_EQ(strike->DisplayName(), "General Strike");
    EXPECT_EQ(strike->Description(), "Workers walk out");
    EXPECT_EQ(strike->SecondNumber(), 3.0f);
    EXPECT_EQ(strike->Sound(), "strike.ogg");
    EXPECT_EQ(strike->Inputs().size(), 1u);
    // Only the well-formed influence links.
    EXPECT_EQ(Find("Scandal")->Inputs().size(), 1u);

    const std::string at = "data/simulation/events.csv:4: record 'Scandal', key ";
    EXPECT_TRUE(Logged("data error: " + at + "'influences': failed to find event influence Ghost"));
    EXPECT_TRUE(Logged("data warning: " + at +
                       "'influences': influence needs a source and a formula in quotes: 'Driver'"));
    EXPECT_TRUE(Logged("data warning: " + at +
                       "'Crime': decay 1.5 is outside 0..1, so the grudge never fades"));
    EXPECT_TRUE(Logged("data error: data/simulation/events.csv:6: key 'name': event has no name"));

    // Without the main file the mods still load.
    EventManager::Instance().DeleteAll();
    EventManager::Instance().LoadEvents("data/simulation/none.csv");
    EXPECT_TRUE(
        Logged("data error: data/simulation/none.csv: key 'events': cannot open the "
               "events file"));
    EXPECT_EQ(Names(), std::vector<std::string>{"ModA"});
}

TEST_F(Events, FireTheMostLikelyAboveSevenTenthsButNeverTwoTurnsRunning) {
    EventManager& manager = EventManager::Instance();
    Drive("Driver", 0.9f);
    Drive("Other", 0.9f);
    // Strike, Scandal and ModA all stand at 0.9; the first loaded wins.
    for (int turn = 0; turn < 4; ++turn) manager.CheckEvents();
    EXPECT_EQ(fired_, (std::vector<std::string>{"Strike", "Strike"}));
    ASSERT_EQ(IssuesList::Instance().Count(), 2u);
    EXPECT_EQ(IssuesList::Instance().Entries()[0].kind, IssueKind::Event);

    Drive("Driver", 0.7f);
    Drive("Other", 0.7f);
    manager.CheckEvents();
    EXPECT_EQ(fired_.size(), 2u) << "exactly 0.7 does not fire";
}

TEST_F(Events, FiringLeavesFadingGrudgesOnTheirTargets) {
    Event* strike = Find("Strike");
    strike->Fire();
    Network::UpdateAllEffects();
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(Network::FindByName("Crime")->Value(), 0.2f);
    EXPECT_FLOAT_EQ(Network::FindByName("Wealth")->Value(), -0.1f);
    ASSERT_EQ(GrudgeList().size(), 2u);
    EXPECT_EQ(GrudgeList()[0]->Name(), "General Strike");
    EXPECT_EQ(GrudgeList()[0]->Owner(), strike);

    // A second firing lists only its own effects; the first one's grudges stay.
    strike->Fire();
    ASSERT_EQ(strike->AppliedEffects().size(), 2u);
    EXPECT_EQ(strike->AppliedEffects()[0].target, Network::FindByName("Crime"));
    EXPECT_EQ(GrudgeList().size(), 4u);

    // 0.2 shrinking by 0.9 a turn is gone at the 29th update.
    for (int turn = 0; turn < 28; ++turn) UpdateGrudges();
    ASSERT_EQ(GrudgeList().size(), 2u);
    EXPECT_NEAR(GrudgeList()[0]->Value(), 0.2 * std::pow(0.9, 28), 1e-5);
    UpdateGrudges();
    EXPECT_TRUE(GrudgeList().empty());

    // Grudges go with the event that caused them.
    strike->Fire();
    EventManager::Instance().DeleteAll();
    EXPECT_TRUE(GrudgeList().empty());
    EXPECT_EQ(IssuesList::Instance().Count(), 0u);
}

TEST_F(Events, AMissingTargetIsReportedWhenItFiresAndTheRestStillApplies) {
    Find("Scandal")->Fire();
    EXPECT_TRUE(
        Logged("data error: data/simulation/events.csv:4: record 'Scandal', key "
               "'Nowhere': Failed to find grudge target"));
    EXPECT_EQ(Find("Scandal")->AppliedEffects().size(), 1u);
    EXPECT_EQ(GrudgeList().size(), 1u);

    // Without its closing marker an event has no effects, yet it is shown.
    Find("Quiet")->Fire();
    EXPECT_TRUE(Find("Quiet")->AppliedEffects().empty());
    EXPECT_EQ(IssuesList::Instance().Count(), 2u);
}

TEST_F(Events, TheWindowPlaysTheSoundOfAnEventThatHasOne) {
    std::vector<std::string> played;
    Event::SetSoundPlayer([&played](const std::string& path) { played.push_back(path); });
    Find("Strike")->PlaySound();
    Find("Quiet")->PlaySound();
    EXPECT_EQ(played, std::vector<std::string>{"data/sounds/strike.ogg"});
}

TEST_F(EventsDeathTest, ALineWithoutItsMarkerEndsTheGame) {
    EXPECT_EXIT(Network::Create<Event>(",Odd,Odd,No marker,0,0,,#", "mods.txt", 3),
                ::testing::ExitedWithCode(1), "Failed to find line delimiter in event data:Event");
}
