// Situations: loading, the thresholds, their effects and money, and the
// issues list that tells the player about them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/IssuesList.h"
#include "politics/PolicyGroup.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

// #, name, display, description, group, start text, end text, positive,
// cost, income, inputs..., #, outputs...
const char* kSituations =
    "Situations of the test country\n"
    "#short\n"
    "#,CrimeWave,Crime Wave,Crime is rising,LAW & ORDER,Crime is up,Crime is down,0,200,50,"
    "\"Driver,0+(1.0*x)\",#,\"Target,0+(100*x)\"\n"
    "#,Boom,Productivity Boom,Output soars,ECONOMY,Boom!,Boom over,1,0,0,#\n"
    "#,Bad,Bad,Unknown group,SPORT,a,b,0,0,0,#\n"
    "#,Lost,Lost,Missing "
    "links,TAX,a,b,0,lots,none,\"Ghost,0+(1*x)\",#,\"Nowhere,0+(1*x)\",skipped\n"
    "# a modder's comment\n";

class IconRecorder : public PolicyGroupListener {
public:
    void OnSituationAdded(const PolicyGroup& group, Neuron& situation) override {
        calls.push_back("+" + situation.Name() + "@" + group.Name());
    }
    void OnSituationRemoved(const PolicyGroup&, Neuron& situation) override {
        calls.push_back("-" + situation.Name());
    }
    std::vector<std::string> calls;
};

class Situations : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        PolicyGroup::SetListener(&icons_);
        driver_ = Network::Create<Neuron>();
        driver_->SetName("Driver");
        target_ = Network::Create<Neuron>();
        target_->SetName("Target");
        dir_.Write("data/data.ini", "[setup]\nsituations=data/simulation/situations.csv\n");
        dir_.Write("data/simulation/situations.csv", kSituations);
        dir_.Write("data/mods/situations/b.txt",
                   "#,ModB,Mod B,From a "
                   "mod,WELFARE,s,e,0,0,0,#\n#,Second,Second,Ignored,TAX,s,e,0,0,0,#\n");
        dir_.Write("data/mods/situations/a.txt", "#,ModA,Mod A,From a mod,TRANSPORT,s,e,1,0,0,#\n");
        dir_.Write("data/mods/situations/c.txt", "#x\n");
        SetupValues::Instance().Load("data/data.ini");
    }
    void TearDown() override {
        PolicyGroup::SetListener(nullptr);
        FreshNetworkTest::TearDown();
    }

    void LoadAll() {
        SituationManager::Instance().LoadSituations();
        Network::SetSettleMode(true);
        Network::RecalculateAll();
        SituationManager::Instance().SettleThresholds();
        icons_.calls.clear();
        // The fixture's broken lines are counted by the loading test alone.
        ResetDiagnosticsCounters();
    }
    // Puts the driver at v and lets the network settle; as in the game, the
    // thresholds are checked once it has.
    void Drive(float v) {
        driver_->SetValue(v);
        driver_->Propagate();
        Network::RecalculateAll();
        SituationManager::Instance().SettleThresholds();
    }
    static std::vector<IssueKind> Kinds() {
        std::vector<IssueKind> kinds;
        for (const IssueEntry& entry : IssuesList::Instance().Entries())
            kinds.push_back(entry.kind);
        return kinds;
    }

    TempDirectory dir_;
    IconRecorder icons_;
    Neuron* driver_ = nullptr;
    Neuron* target_ = nullptr;
};

std::vector<std::string> Names(const std::vector<Situation*>& situations) {
    std::vector<std::string> names;
    for (const Situation* s : situations) names.push_back(s->Name());
    return names;
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST_F(Situations, LoadTheMainFileThenTheFirstLineOfEachModReportingBrokenLines) {
    LoadAll();
    const SituationManager& manager = SituationManager::Instance();
    EXPECT_EQ(Names(manager.Situations()),
              (std::vector<std::string>{"CrimeWave", "Boom", "Lost", "ModA", "ModB"}));

    const Situation* crime = manager.FindSituation("CrimeWave");
    EXPECT_EQ(crime->DisplayName(), "Crime Wave");
    EXPECT_EQ(crime->Group()->Name(), "LAW & ORDER");
    EXPECT_EQ(crime->StartText(), "Crime is up");
    EXPECT_EQ(crime->EndText(), "Crime is down");
    EXPECT_FALSE(crime->IsPositive());
    EXPECT_FALSE(crime->IsActive());
    EXPECT_EQ(crime->Inputs().size(), 1u);
    EXPECT_EQ(crime->Outputs().size(), 1u);
    EXPECT_EQ(crime->SourceLine().substr(0, 12), "#,CrimeWave,");

    // An empty input part is valid.
    const Situation* boom = manager.FindSituation("Boom");
    EXPECT_TRUE(boom->IsPositive());
    EXPECT_TRUE(boom->Inputs().empty());

    // Links to nothing are left out with a warning; numbers that are text are 0.
    const Situation* lost = manager.FindSituation("Lost");
    EXPECT_TRUE(lost->Inputs().empty());
    EXPECT_TRUE(lost->Outputs().empty());
    EXPECT_EQ(lost->CostAtZero(), 0.0f);

    const std::string log = ReadDebugLog();
    const std::string file = "data/simulation/situations.csv";
    EXPECT_NE(log.find("data error: " + file +
                       ":5: record 'Bad', key 'group': no policy group named 'SPORT'"),
              std::string::npos);
    EXPECT_NE(log.find("data error: " + file + ":7: key 'name': situation has no name"),
              std::string::npos);
    EXPECT_NE(log.find("data warning: " + file +
                       ":6: record 'Lost', key 'Ghost': failed to find event influence Ghost"),
              std::string::npos);
    EXPECT_NE(log.find("data warning: " + file +
                       ":6: record 'Lost', key 'Nowhere': Failed to find Neuron: Nowhere"),
              std::string::npos);
    EXPECT_EQ(log.find("Second"), std::string::npos);
    EXPECT_EQ(Occurrences(log, "Situation Removed"), 5u);
    EXPECT_EQ(Occurrences(log, "data error: "), 2u);  // the two broken lines, nothing else
    EXPECT_TRUE(IssuesList::Instance().Entries().empty());
    EXPECT_TRUE(icons_.calls.empty());
}

TEST_F(Situations, MissingMainFileIsReportedAndTheModsStillLoad) {
    SituationManager::Instance().LoadSituations("data/simulation/none.csv");
    EXPECT_NE(ReadDebugLog().find(
                  "data error: data/simulation/none.csv: key 'situations': cannot open the "
                  "situations file"),
              std::string::npos);
    EXPECT_EQ(Names(SituationManager::Instance().Situations()),
              (std::vector<std::string>{"ModA", "ModB"}));
}

TEST_F(Situations, StartAtSixTenthsAndEndOnlyBelowFourTenths) {
    LoadAll();
    Situation* crime = SituationManager::Instance().FindSituation("CrimeWave");
    Drive(0.59f);
    EXPECT_FALSE(crime->IsActive());
    Drive(0.6f);
    EXPECT_TRUE(crime->IsActive());
    EXPECT_EQ(icons_.calls, std::vector<std::string>{"+CrimeWave@LAW & ORDER"});
    for (float v : {0.5f, 0.45f, 0.4f}) {
        Drive(v);
        EXPECT_TRUE(crime->IsActive()) << v;
    }
    Drive(0.3999f);
    EXPECT_FALSE(crime->IsActive());
    Drive(0.5f);
    EXPECT_FALSE(crime->IsActive());
    Drive(0.6f);
    EXPECT_TRUE(crime->IsActive());
    EXPECT_EQ(icons_.calls, (std::vector<std::string>{"+CrimeWave@LAW & ORDER", "-CrimeWave",
                                                      "+CrimeWave@LAW & ORDER"}));
    EXPECT_EQ(Kinds(),
              (std::vector<IssueKind>{IssueKind::SituationStarted, IssueKind::SituationEnded,
                                      IssueKind::SituationStarted}));
    EXPECT_EQ(IssuesList::MessageText(IssuesList::Instance().Entries()[1]), "Crime is down");
    EXPECT_EQ(Network::CountChanged(), 0);

    // Values beyond 0..1 are cut before the check and before they are passed on.
    Drive(1.7f);
    EXPECT_EQ(crime->Value(), 1.0f);
    EXPECT_FLOAT_EQ(target_->Value(), 100.0f);
    Drive(-0.5f);
    EXPECT_EQ(crime->Value(), 0.0f);
    EXPECT_FALSE(crime->IsActive());

    // Switching on twice is a fault of the caller: reported, no second start.
    const size_t queued = IssuesList::Instance().Count();
    crime->Activate();
    crime->Activate();
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_EQ(IssuesList::Instance().Count(), queued + 1);
}

TEST_F(Situations, OffSituationChangesNothingDownstreamEvenWithALargeFormula) {
    LoadAll();
    Drive(0.55f);
    EXPECT_EQ(target_->Value(), 0.0f);
    Drive(0.8f);  // on within the same settling, so its effect counts at once
    EXPECT_FLOAT_EQ(target_->Value(), 80.0f);
    Drive(0.39f);
    EXPECT_EQ(target_->Value(), 0.0f);
}

TEST_F(Situations, CostAndIncomeAreTheSameAtEveryValueAndOnlyWhileOn) {
    LoadAll();
    Situation* crime = SituationManager::Instance().FindSituation("CrimeWave");
    EXPECT_EQ(crime->CostAtZero(), 200.0f);
    EXPECT_EQ(crime->IncomeAtZero(), 50.0f);
    Mission::Instance().SetWealth(2.0f);
    GameOptions::Instance().Set(
        0.0f, GameOptions::kDifficulty);  // easiest: 20 % cheaper, 20 % more lucrative
    Drive(0.3f);
    EXPECT_EQ(crime->CurrentCost(), 0.0f);
    EXPECT_EQ(crime->CurrentIncome(), 0.0f);
    Drive(0.7f);
    EXPECT_FLOAT_EQ(crime->CurrentCost(), 200.0f * 2.0f * 0.8f);
    EXPECT_FLOAT_EQ(crime->CurrentIncome(), 50.0f * 2.0f * 1.2f);
    Drive(1.0f);
    EXPECT_FLOAT_EQ(crime->CurrentCost(), 200.0f * 2.0f * 0.8f);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST_F(Situations, RandomInputsSavedStateAndResetLeaveNothingBehind) {
    dir_.Write("data/mods/situations/d.txt",
               "#,Riots,Riots,Unrest,LAW & ORDER,s,e,0,0,0,\"_random_,0.7,0.9\",#\n");
    LoadAll();
    Situation* riots = SituationManager::Instance().FindSituation("Riots");
    EXPECT_TRUE(riots->IsActive());
    EXPECT_GE(riots->Value(), 0.7f);
    EXPECT_LE(riots->Value(), 0.9f);
    EXPECT_NE(Network::FindByName("random"), nullptr);

    // A saved game's state comes back without telling the player again.
    Situation* boom = SituationManager::Instance().FindSituation("Boom");
    IssuesList::Instance().Clear();
    boom->RestoreActive(true);
    EXPECT_TRUE(boom->IsActive());
    EXPECT_TRUE(IssuesList::Instance().Entries().empty());
    EXPECT_EQ(icons_.calls, std::vector<std::string>{"+Boom@ECONOMY"});

    IssuesList::Instance().AddSituationStarted(riots);
    const size_t neurons = Network::NeuronCount();
    SituationManager::Instance().Reset();
    EXPECT_EQ(SituationManager::Instance().Count(), 0u);
    EXPECT_EQ(Network::NeuronCount(), neurons - 7);  // six situations and one random source
    EXPECT_EQ(Network::FindByName("random"), nullptr);
    EXPECT_TRUE(IssuesList::Instance().Entries().empty());
    EXPECT_EQ(icons_.calls.size(), 3u);  // Boom and Riots took their icons with them
    EXPECT_TRUE(driver_->Outputs().empty());
}

class Issues : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        for (const char* name : {"Strike", "Flood", "Referendum"}) {
            neurons_.push_back(Network::Create<Neuron>());
            neurons_.back()->SetName(name);
        }
    }
    TempDirectory dir_;
    std::vector<Neuron*> neurons_;
};

TEST_F(Issues, ClickingEitherEntryOfOneNeuronRemovesTheFirst) {
    IssuesList& list = IssuesList::Instance();
    Neuron* strike = neurons_[0];
    EXPECT_EQ(list.AddSituationStarted(strike), 1u);
    EXPECT_EQ(list.AddEvent(neurons_[1]), 2u);
    EXPECT_EQ(list.AddSituationEnded(strike), 3u);
    EXPECT_EQ(list.FindByName("Flood"), neurons_[1]);

    const unsigned revision = list.Revision();
    const auto clicked = list.Take(2);
    ASSERT_TRUE(clicked.has_value());
    EXPECT_EQ(clicked->kind, IssueKind::SituationEnded);  // its own window opens
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Entries()[0].kind, IssueKind::Event);  // but the first entry went
    EXPECT_EQ(list.Entries()[1].kind, IssueKind::SituationEnded);
    EXPECT_NE(list.Revision(), revision);
    EXPECT_FALSE(list.Take(5).has_value());

    list.Remove(neurons_[2]);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(ReadDebugLog().find("Failed to remove issue"), std::string::npos);

    list.Clear();
    EXPECT_TRUE(list.Entries().empty());
}

TEST_F(Issues, DilemmaBlocksTheNextTurnUntilAnsweredUnlessIgnored) {
    IssuesList& list = IssuesList::Instance();
    list.AddEvent(neurons_[1]);
    EXPECT_FALSE(list.BlocksNextTurn());
    list.AddDilemma(neurons_[2]);
    EXPECT_TRUE(list.HasDilemma());
    EXPECT_TRUE(list.BlocksNextTurn());
    GameOptions::Instance().Set(1.0f, GameOptions::kIgnoreDilemmas);
    EXPECT_FALSE(list.BlocksNextTurn());
    EXPECT_TRUE(list.HasDilemma());
    GameOptions::Instance().Set(0.0f, GameOptions::kIgnoreDilemmas);
    list.Remove(neurons_[2]);
    EXPECT_FALSE(list.BlocksNextTurn());
}

TEST_F(Issues, BarIsCentredAcrossTheScreenAndFindsTheIconUnderAPoint) {
    // Three icons on 1024 x 768: 105 pixels wide from x 459, top at 384 - 145.
    const IssueIconRectangle last = IssuesList::IconRectangle(2, 3, 1024, 768);
    EXPECT_EQ(last.left, 459 + 70);
    EXPECT_EQ(last.top, 239);
    EXPECT_EQ(IssuesList::IconAt(459, 239, 3, 1024, 768), 0u);
    EXPECT_EQ(IssuesList::IconAt(563, 273, 3, 1024, 768), 2u);
    EXPECT_FALSE(IssuesList::IconAt(564, 250, 3, 1024, 768).has_value());
    EXPECT_FALSE(IssuesList::IconAt(500, 274, 3, 1024, 768).has_value());
    EXPECT_FALSE(IssuesList::IconAt(512, 250, 0, 1024, 768).has_value());
}
