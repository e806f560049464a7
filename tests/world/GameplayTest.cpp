// Game start and the new-turn sequence on a small country.
#include <gtest/gtest.h>

#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "platform/FileSystem.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
#include "politics/Situation.h"
#include "politics/SliderConfiguration.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Calendar.h"
#include "world/Gameplaymanager.h"
#include "world/HeadlessGame.h"
#include "world/StringTable.h"

namespace {

class RecordingListener : public GameplayListener {
public:
    bool IsModalDialogOpen() override { return modal; }
    void OpenStartDialog() override { opened += "start;"; }
    void OpenQuarterlyReport() override { opened += "report;"; }
    void OpenManifestoChoice() override { opened += "manifesto;"; }
    void Autosave() override { opened += "autosave;"; }
    bool modal = false;
    std::string opened;
};

class Gameplay : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        dir_.Write("data/data.ini",
                   "[setup]\nvoters=data/sim/types.csv\nsimulation=data/sim/values.csv\npolicies=data/sim/policies.csv\n"
                   "situations=data/sim/situations.csv\nevents=data/sim/events.csv\n");
        dir_.Write("data/simulation/sliders.csv", "#,amount,3,Low,Mid,High\n");
        dir_.Write("data/sim/types.csv", "#,_All_,Everyone,,1.0,All,0.5,#\n#,Religious,Believers,,0.2,Faith,0.5,#\n");
        dir_.Write("data/sim/values.csv", "#,GDP,Economy,Output,0.5,0,#\n#,Unemployment,Jobless,Work,0.1,0,#\n");
        dir_.Write("data/sim/policies.csv",
                   "#,IncomeTax,Income Tax,amount,Taxes,FALSE,TAX,0,0,,2,100,300,,#Effects,\"_All_,0-(0.1*x)\"\n"
                   "#,Police,Police Force,amount,Order,TRUE,LAW & ORDER,50,150,,4,0,0,,#Effects,\"GDP,0+(0.05*x)\"\n"
                   "#,MilitarySpending,Defence,amount,Arms,TRUE,FOREIGN POLICY,10,90,,2,0,0,,#Effects\n");
        dir_.Write("data/sim/situations.csv", "");
        dir_.Write("data/sim/events.csv", "");
        dir_.Write("data/missions/mission1.txt",
                   "[config]\nname=Valoria\nwealth=1.0\nyear=2030\nmonth=10\nreligion=0.4\nunemployment=0.3\n"
                   "militaryspending=0.8\ntermlength=5\nmatrix=data/missions/mission1_matrix.txt\n"
                   "[policies]\nPolice,0.7\nNoSuchPolicy,0.5\n");
        SetupValues::Instance().Load();
        SliderConfiguration::Clear();
        StringTable::Instance().Unload();
        GameOptions::Instance().Set(0.0f, GameOptions::kAiEntities);
        PlayerInputRecorder::Instance().SetEnabled(true);
        Gameplaymanager::Instance().SetListener(&listener_);
    }
    void TearDown() override {
        Gameplaymanager::Instance().SetListener(nullptr);
        FreshNetworkTest::TearDown();
        SliderConfiguration::Clear();
        SetupValues::Instance().Load("none.ini");
    }
    TempDirectory dir_;
    RecordingListener listener_;
};

}  // namespace

TEST_F(Gameplay, StartAppliesTheMissionAndProcessesTheFirstTurn) {
    Gameplaymanager& game = Gameplaymanager::Instance();
    game.StartGame("mission1");
    EXPECT_EQ(game.TurnNumber(), 1);
    EXPECT_EQ(Calendar::Instance().GetMonth(), 1);  // three months after November 2030
    EXPECT_EQ(Calendar::Instance().GetYear(), 2031);
    EXPECT_FALSE(Network::IsSettleMode());
    EXPECT_EQ(listener_.opened, "start;");
    EXPECT_EQ(ElectionManager::Interval(), 60);

    Policy* police = Policy::FindPolicy("Police");
    EXPECT_TRUE(police->IsInForce());
    EXPECT_FLOAT_EQ(police->Slider(), 0.7f);
    EXPECT_EQ(police->Implementation(), 1.0f);
    EXPECT_TRUE(Policy::FindPolicy("IncomeTax")->IsInForce());  // mandatory
    EXPECT_FLOAT_EQ(Policy::FindPolicy("MilitarySpending")->Slider(), 0.8f);
    EXPECT_FALSE(Policy::FindPolicy("MilitarySpending")->IsInForce());
    EXPECT_NEAR(VoterManager::Instance().FindVoterType("Religious")->PercentageNeuron()->Value(), 0.4f, 0.021f);
    EXPECT_FLOAT_EQ(Network::FindByName("Unemployment")->Value(), 0.3f);
    EXPECT_EQ(VoterManager::Instance().PopulationTotal(), 100);
    EXPECT_EQ(dir_.Read("data/script.mil"), "NEXTTURN,_All_\n");
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST_F(Gameplay, TurnsAdvanceThreeMonthsAndWaitForOpenDialogs) {
    Gameplaymanager& game = Gameplaymanager::Instance();
    game.StartGame("mission1");
    listener_.opened.clear();
    listener_.modal = true;
    game.NewTurn();  // a dilemma awaits: nothing happens, nothing is recorded
    EXPECT_EQ(game.TurnNumber(), 1);
    EXPECT_EQ(dir_.Read("data/script.mil"), "NEXTTURN,_All_\n");
    listener_.modal = false;
    for (int i = 0; i < 4; ++i) game.NewTurn();
    EXPECT_EQ(game.TurnNumber(), 5);
    EXPECT_EQ(Calendar::Instance().GetMonth(), 1);
    EXPECT_EQ(Calendar::Instance().GetYear(), 2032);
    EXPECT_EQ(listener_.opened, "report;report;report;report;");  // no autosave with the option off
    EXPECT_EQ(FailedAssertionCount(), 0);  // the network was settled at every turn's check
    GameOptions::Instance().Set(1.0f, GameOptions::kAutosave);
    game.NewTurn();
    EXPECT_EQ(listener_.opened.substr(listener_.opened.size() - 16), "report;autosave;");
}

TEST_F(Gameplay, HeadlessGamesReplayByteForByteFromASeed) {
    auto play = [&](std::uint32_t seed) {
        ClearNetwork();
        GameRandom::Seed(seed);
        dir_.Write("data/missions/mission1_matrix.txt", "");
        platform::RemoveFile("data/missions/mission1_matrix.txt");
        std::FILE* out = std::tmpfile();
        HeadlessGame::Options options;
        options.turns = 6;
        options.actions = {"NEWPOLICY,MilitarySpending", "ADJSLIDER,IncomeTax,0.9", "NEXTTURN,_All_"};
        HeadlessGame(options, out).Play();
        std::rewind(out);
        std::string text;
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof(buffer), out)) text.append(buffer, n);
        std::fclose(out);
        return text;
    };
    const std::string first = play(99);
    EXPECT_EQ(play(99), first);
    EXPECT_NE(play(100), first);
    EXPECT_NE(first.find("turn   6  2032-05"), std::string::npos) << first;
    EXPECT_NE(first.find("game over: played 6 turns"), std::string::npos);
    EXPECT_TRUE(Policy::FindPolicy("MilitarySpending")->IsInForce());
}

TEST_F(Gameplay, SituationsStartFromTheSettledValuesNotFromPassingOnes) {
    // Police works against unemployment, but while the network settles the
    // value first passes 0.3 (the policy's effect starts from the middle of
    // its slider) before the policy takes it down to 0.26. "Slump" stands at
    // 0.45 there: between its thresholds, it must stay off rather than keep a
    // start it only saw on the way. "Queues" is over its
    // threshold at the settled value and starts, and its output lifts GDP
    // far enough to start "Boom" in turn.
    dir_.Write("data/sim/policies.csv",
               "#,IncomeTax,Income Tax,amount,Taxes,FALSE,TAX,0,0,,2,100,300,,#Effects,\"_All_,0-(0.1*x)\"\n"
               "#,Police,Police Force,amount,Order,TRUE,LAW & ORDER,50,150,,4,0,0,,#Effects,"
               "\"Unemployment,0.1-(0.2*x)\"\n");
    dir_.Write("data/sim/situations.csv",
               "#,Slump,Slump,Queues,LAW & ORDER,On,Off,0,0,0,\"Unemployment,-0.85+(5.0*x)\",#\n"
               "#,Queues,Queues,Long,LAW & ORDER,On,Off,0,0,0,\"Unemployment,0.3+(1.2*x)\",#,\"GDP,0+(1.0*x)\"\n"
               "#,Boom,Boom,Busy,LAW & ORDER,On,Off,1,0,0,\"GDP,-0.6+(1.5*x)\",#\n");
    Gameplaymanager::Instance().StartGame("mission1");
    const auto situation = [](const char* name) {
        return static_cast<const Situation*>(Network::FindByName(name));
    };
    EXPECT_NEAR(Network::FindByName("Unemployment")->Value(), 0.26f, 1e-4f);
    EXPECT_NEAR(situation("Slump")->Value(), 0.45f, 1e-3f);
    EXPECT_FALSE(situation("Slump")->IsActive());
    EXPECT_TRUE(situation("Queues")->IsActive());
    EXPECT_TRUE(situation("Boom")->IsActive());
    EXPECT_EQ(FailedAssertionCount(), 0);

    // Once settled, the thresholds are checked at every recalculation again
    // (the situation hears of the new value a turn later).
    Network::FindByName("Unemployment")->SetBaseValue(0.6f);
    Gameplaymanager::Instance().NewTurn();
    Gameplaymanager::Instance().NewTurn();
    EXPECT_TRUE(situation("Slump")->IsActive());
}
