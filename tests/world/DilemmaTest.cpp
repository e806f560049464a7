// Dilemmas: loading their files, arising under pressure, and the grudges and
// records the player's choice leaves.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/DataReport.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/IssuesList.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Grudge.h"

namespace {

// Line numbers matter: the messages name them.
const char* kJudge =
    "[dilemma]\nname = AppointJudge\nguiname=Appoint a Judge\n"                            // 1-3
    "description=The court needs a judge.\ncountries=Spain,XY, France\n\n"                 // 4-6
    "[influences]\n0=\"Driver,0+(1.0*x)\"\n1=Ghost,0+(1.0*x)\n2=Driver\n3=_random_,0,0\n"  // 7-11
    "[option0]\nName=Appoint <MaleName> or <MaleName>\nDescription=<FemaleName> objects.\n"
    "[option0effects]\n0=Crime,-0.2\n1=Wealth,0.1\n"  // 15-17
    "[option1]\nName=Appoint <FemaleName>\n[option1effects]\n0=Crime,0.3\n";

const char* kStrike =
    "[dilemma]\nname=Strike\n[influences]\n0=Other,0+(1.0*x)\n"
    "[option0]\nName=Give in\n[option1]\nName=Stand firm\n";

using Heard = std::vector<std::pair<std::string, int>>;

class Dilemmas : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        for (const char* name : {"Driver", "Other", "Crime", "Wealth"})
            Network::Create<Neuron>()->SetName(name);
        dir_.Write("data/simulation/dilemmas/a_judge.txt", kJudge);
        dir_.Write("data/simulation/dilemmas/b_strike.txt", kStrike);
        dir_.Write("data/simulation/dilemmas/c_nameless.txt", "[dilemma]\nguiname=Nobody\n");
        dir_.Write("data/simulation/dilemmas/notes.ini", "[dilemma]\nname=NotADilemma\n");
        UseMission("Spain");
        DilemmaManager& manager = DilemmaManager::Instance();
        manager.SetTriggerListener([this](Dilemma& d) { heard_.emplace_back(d.Name(), -1); });
        manager.SetChoiceListener([this](Dilemma& d, int n) { heard_.emplace_back(d.Name(), n); });
    }
    void TearDown() override {
        DilemmaManager::Instance().SetTriggerListener(nullptr);
        DilemmaManager::Instance().SetChoiceListener(nullptr);
        FreshNetworkTest::TearDown();
    }

    void UseMission(const std::string& name) {
        const std::string path = "data/missions/" + name + ".txt";
        dir_.Write(path, "[config]\nname=" + name +
                             "\n[name_male_first]\n0=Juan\n[name_female_first]\n0=Ana\n"
                             "[name_last]\n0=Garcia\n");
        Mission::Instance().Load(path);
    }
    static void Drive(const char* name, float value) {
        Network::FindByName(name)->SetBaseValue(value);
        Network::SetSettleMode(true);
        Network::RecalculateAll();
    }
    static Dilemma* Find(const char* name) { return DilemmaManager::Instance().FindDilemma(name); }
    static float ValueOf(const char* name) { return Network::FindByName(name)->Value(); }

    TempDirectory dir_;
    Heard heard_;
};

using DilemmasDeathTest = Dilemmas;

bool Logged(const std::string& text) {
    return ReadDebugLog().find(text) != std::string::npos;
}

}  // namespace

TEST_F(Dilemmas, LoadEveryFileWithItsCountriesInfluencesAndOptionsReportingBrokenLines) {
    const int errorsBefore = DataErrorCount();
    DilemmaManager::Instance().Reload();
    EXPECT_EQ(DilemmaManager::Instance().Dilemmas().size(), 2u);

    const Dilemma* judge = Find("AppointJudge");
    EXPECT_EQ(judge->DisplayName(), "Appoint a Judge");
    EXPECT_EQ(judge->Description(), "The court needs a judge.");
    // "XY" is too short to be a country; blanks around a name do not count.
    EXPECT_EQ(judge->Countries(), (std::vector<std::string>{"Spain", "France"}));
    EXPECT_EQ(judge->Inputs().size(), 2u);  // the driver and the random source

    // Only the first marker of each kind takes the generated name.
    const DilemmaOption& first = judge->Options()[0];
    EXPECT_EQ(first.label, "Appoint Juan Garcia or <MaleName>");
    EXPECT_EQ(first.description, "Ana Garcia objects.");
    EXPECT_EQ(first.dilemmaDisplayName, "Appoint a Judge");
    ASSERT_EQ(first.effects.size(), 2u);
    EXPECT_EQ(first.effects[1].text, "Wealth,0.1");
    EXPECT_EQ(judge->Options()[1].label, "Appoint Ana Garcia");

    const std::string file = "data/simulation/dilemmas/a_judge.txt";
    EXPECT_TRUE(Logged("data error: " + file +
                       ":9: record 'AppointJudge', key 'influences': "
                       "failed to find event influence Ghost"));
    EXPECT_TRUE(Logged("data warning: " + file +
                       ":10: record 'AppointJudge', key 'influences': "
                       "influence needs a source and a formula: 'Driver'"));
    EXPECT_TRUE(
        Logged("data error: data/simulation/dilemmas/c_nameless.txt: key 'name': "
               "dilemma has no name"));
    EXPECT_EQ(DataErrorCount() - errorsBefore, 2);
}

TEST_F(Dilemmas, FireWhenTheirDriverPassesTheThreshold) {
    DilemmaManager& manager = DilemmaManager::Instance();
    manager.Reload();
    Drive("Driver", 0.5f);
    Drive("Other", 0.5f);
    manager.CheckDilemmas();
    EXPECT_TRUE(heard_.empty()) << "exactly one half is not enough";

    // Equal pressure: the one loaded first arises, the other a turn later.
    Drive("Driver", 0.7f);
    Drive("Other", 0.7f);
    manager.CheckDilemmas();
    EXPECT_EQ(manager.PendingDilemma(), Find("AppointJudge"));
    ASSERT_EQ(IssuesList::Instance().Count(), 1u);
    EXPECT_TRUE(IssuesList::Instance().BlocksNextTurn());
    manager.CheckDilemmas();
    manager.CheckDilemmas();
    EXPECT_EQ(heard_, (Heard{{"AppointJudge", -1}, {"Strike", -1}}));

    // Outside its countries a dilemma feels no pressure; a dropped short
    // entry matches no mission.
    for (const char* mission : {"Portugal", "XY"}) {
        UseMission(mission);
        manager.Reload();
        Drive("Driver", 0.9f);
        EXPECT_EQ(Find("AppointJudge")->GetPressure(), 0.0f) << mission;
    }
    UseMission("France");
    EXPECT_FLOAT_EQ(Find("AppointJudge")->GetPressure(), 0.9f);
}

TEST_F(Dilemmas, ChoosingLeavesLastingGrudgesAndRecordsTheChoiceOnce) {
    DilemmaManager& manager = DilemmaManager::Instance();
    manager.Reload();
    ResetDiagnosticsCounters();  // the fixture's broken lines belong to the loading test
    Dilemma* judge = Find("AppointJudge");
    judge->Trigger();
    IssuesList::Instance().Take(0);  // the bar hands the entry to the window
    judge->Choose(0);
    judge->Choose(1);  // a second click changes nothing

    ASSERT_EQ(GrudgeList().size(), 2u);
    EXPECT_EQ(GrudgeList()[0]->Name(), "AppointJudge");
    EXPECT_EQ(GrudgeList()[0]->Decay(), 1.0f);
    // The targets see the choice's size at once and keep it, turn after turn.
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(ValueOf("Crime"), -0.2f);
    for (int turn = 0; turn < 10; ++turn) {
        UpdateGrudges();
        Network::UpdateAllEffects();
        Network::RecalculateAll();
    }
    EXPECT_FLOAT_EQ(ValueOf("Crime"), -0.2f);
    EXPECT_FLOAT_EQ(ValueOf("Wealth"), 0.1f);

    ASSERT_EQ(manager.Choices().size(), 1u);
    EXPECT_EQ(manager.Choices()[0].dilemma, "AppointJudge");
    EXPECT_EQ(manager.Choices()[0].option, 0);
    EXPECT_EQ(manager.PendingDilemma(), nullptr);
    EXPECT_EQ(heard_, (Heard{{"AppointJudge", -1}, {"AppointJudge", 0}}));
    EXPECT_EQ(FailedAssertionCount(), 0);
    Find("Strike")->Choose(2);
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_EQ(manager.Choices().size(), 1u);

    // A new game: fresh dilemmas, no choices, nothing left over in the network.
    const size_t neurons = Network::NeuronCount();
    manager.Reload();
    EXPECT_TRUE(manager.Choices().empty());
    EXPECT_FALSE(Find("AppointJudge")->IsTriggered());
    EXPECT_EQ(Network::NeuronCount(), neurons);
}

TEST_F(Dilemmas, ATargetGoneBeforeTheChoiceIsReportedAndTheRestApplies) {
    DilemmaManager::Instance().Reload();
    Network::Destroy(Network::FindByName("Crime"));
    Find("AppointJudge")->Choose(0);
    EXPECT_TRUE(
        Logged("data error: data/simulation/dilemmas/a_judge.txt:16: record "
               "'AppointJudge', key 'Crime': Failed to find grudge target"));
    ASSERT_EQ(GrudgeList().size(), 1u);
    EXPECT_EQ(GrudgeList()[0]->Value(), 0.1f);
}

TEST_F(DilemmasDeathTest, AnEffectOnNoNeuronEndsTheGameNamingFileAndLine) {
    dir_.Write("data/simulation/dilemmas/d_bad.txt",
               "[dilemma]\nname=Bad\n[option1effects]\n0=Crime,0.1\n1=Nowhere,0.5\n");
    EXPECT_EXIT(
        {
            SetReportsToStandardError(true);
            DilemmaManager::Instance().Reload();
        },
        ::testing::ExitedWithCode(1),
        "d_bad.txt:5: record 'Bad', key 'Nowhere': Missing dilemma target:Nowhere in Bad");
}
