// Saved games: round trips, what a load restores, damaged and stale files,
// names, atomic writes, the autosave, and replaying a recorded game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/Policy.h"
#include "politics/PoliticalCapital.h"
#include "politics/Polls.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "politics/SliderConfiguration.h"
#include "politics/USCongress.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Finances.h"
#include "world/Gameplaymanager.h"
#include "world/Grudge.h"
#include "world/HeadlessGame.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"
#include "world/SaveGameManager.h"
#include "world/SaveGameWriter.h"
#include "world/StringTable.h"

namespace {

// A small country named USA, so the congress model is on. Crime starts high
// enough to raise the crime wave and the judge dilemma; the welfare cut hurts
// the poor enough for them to hold a grudge.
void WriteCountry(const TempDirectory& dir) {
    dir.Write("data/data.ini",
              "[setup]\nvoters=data/sim/types.csv\nsimulation=data/sim/values.csv\npolicies=data/"
              "sim/policies.csv\n"
              "situations=data/sim/situations.csv\nevents=data/sim/events.csv\n");
    dir.Write("data/simulation/sliders.csv", "#,amount,3,Low,Mid,High\n");
    dir.Write("data/sim/types.csv",
              "#,_All_,Everyone,,1.0,All,0.5,#\n#,Religious,Believers,,0.2,Faith,0.5,#\n"
              "#,Poor,The Poor,,0.3,Little money,0.5,#\n");
    dir.Write("data/sim/values.csv",
              "#,GDP,Economy,Output,0.5,0,#\n#,Unemployment,Jobless,Work,0.1,0,#\n#,Crime,Crime,"
              "Theft,0.7,0,#\n");
    dir.Write(
        "data/sim/policies.csv",
        "#,IncomeTax,Income "
        "Tax,amount,Taxes,FALSE,TAX,0,0,,2,100,300,,#Effects,\"_All_,0-(0.1*x)\"\n"
        "#,Police,Police Force,amount,Order,TRUE,LAW & "
        "ORDER,50,150,,4,0,0,,#Effects,\"Crime,0-(0.05*x)\"\n"
        "#,WelfareCut,Welfare "
        "Cut,amount,Cuts,TRUE,WELFARE,0,0,,2,0,0,,#Effects,\"Poor,0-(2.0*x)\"\n"
        "#,MilitarySpending,Defence,amount,Arms,TRUE,FOREIGN POLICY,10,90,,2,0,0,,#Effects\n");
    dir.Write(
        "data/sim/situations.csv",
        "#,CrimeWave,Crime Wave,Crime is rising,LAW & ORDER,Crime is up,Crime is down,0,200,50,"
        "\"Crime,0+(1.0*x)\",#\n");
    dir.Write("data/sim/events.csv", "");
    dir.Write("data/simulation/dilemmas/judge.txt",
              "[dilemma]\nname=AppointJudge\nguiname=Appoint a "
              "Judge\n[influences]\n0=\"Crime,0+(1.0*x)\"\n"
              "[option0]\nName=Yes\n[option0effects]\n0=GDP,-0.1\n[option1]\nName=No\n");
    dir.Write("data/manifesto.csv", "Text,Neuron,Change,Direction\n#,Grow the economy,GDP,0.1,>\n");
    dir.Write(
        "data/missions/mission1.txt",
        "[config]\nname=USA\nflag=usa\nwealth=1.0\npopulation=300\nyear=2030\nmonth=0\ndebt=500\n"
        "termlength=4\nmatrix=data/missions/"
        "mission1.mtx\n[policies]\nPolice,0.7\nWelfareCut,0.6\n");
}

class SavedGames : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        WriteCountry(dir_);
        SetupValues::Instance().Load();
        SliderConfiguration::Clear();
        StringTable::Instance().Unload();
        PlayerInputRecorder::Instance().SetEnabled(false);
        Manifesto::Instance().LoadOptions();
        SaveGameManager::Instance().SetProblemListener(
            [this](const SaveGameProblem& problem) { problems_.push_back(problem.detail); });
    }
    void TearDown() override {
        SaveGameManager::Instance().SetProblemListener(nullptr);
        Gameplaymanager::Instance().SetListener(nullptr);
        FreshNetworkTest::TearDown();
        SliderConfiguration::Clear();
        SetupValues::Instance().Load("none.ini");
    }

    // A game with every kind of saved state: a grudge from the answered
    // dilemma and the poor's grudge, pledges for both terms, anger.
    void StartRichGame() {
        Gameplaymanager& game = Gameplaymanager::Instance();
        game.SetListener(&quiet_);
        game.StartGame("mission1");
        OppositionManager::Instance().ResetAnger();
        Manifesto::Instance().AddPledge(0);
        Manifesto::Instance().StartTerm();
        Manifesto::Instance().AddPledge(0);
        PlayTo(3);
        if (VoterType* poor = VoterManager::Instance().FindVoterType("Poor")) {
            OppositionManager::Instance().FindGroup(*poor)->Restore(0.35f, true, 2);
        }
        Cynicism::Instance().SetCynicism(0.04f);
    }
    void PlayTo(int turn) {
        Gameplaymanager& game = Gameplaymanager::Instance();
        while (game.TurnNumber() < turn) {
            game.NewTurn();
            if (Dilemma* pending = DilemmaManager::Instance().PendingDilemma()) pending->Choose(0);
        }
    }

    // Gameplay listener that opens nothing and saves nothing.
    class QuietListener : public GameplayListener {
        void Autosave() override {}
    } quiet_;
    TempDirectory dir_;
    std::vector<std::string> problems_;
};

std::string Section(const std::string& text, const std::string& header) {
    const size_t at = text.find(header);
    if (at == std::string::npos) return std::string();
    return text.substr(at, text.find("\n[", at + 1) - at);
}

}  // namespace

TEST_F(SavedGames, SaveLoadSaveIsByteIdentical) {
    StartRichGame();
    SaveGameManager& saves = SaveGameManager::Instance();
    // Early on, after the dilemma, and in the midterm turn of the term.
    for (int turn : {3, 5, 9}) {
        PlayTo(turn);
        const std::string before = SaveGameWriter::Build();
        ASSERT_TRUE(saves.SaveNamed("round"));
        ASSERT_TRUE(saves.Load("round"));
        EXPECT_EQ(SaveGameWriter::Build(), before) << "at turn " << turn;
        EXPECT_EQ(dir_.Read("data/savegames/round.dedu"), before);
    }
    const std::string text = SaveGameWriter::Build();
    // A save written with Windows line ends loads the same.
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    dir_.Write("data/savegames/windows.dedu", crlf);
    ASSERT_TRUE(saves.Load("windows"));
    EXPECT_EQ(SaveGameWriter::Build(), text);
    for (const char* header :
         {"\n[grudge]\n", "\n[angerdata]\n", "\n[manifesto live]\n", "\n[manifesto next]\n",
          "\n\n\n[voters]\n", "\n[usacongress]\n", "\n[random]\n"}) {
        EXPECT_NE(text.find(header), std::string::npos) << header;
    }
    EXPECT_TRUE(USCongress::Instance().IsEnabled());
    EXPECT_EQ(text.rfind("\n[game]\ncurrentturn=9\nturnstoelection=0\ncurrentmonth=3\ncurrentyear="
                         "2032\ncountry=USA\n",
                         0),
              0u);
    EXPECT_NE(text.find("\nimplementation = 1.000000\noutputthrottle = "), std::string::npos);
    EXPECT_EQ(FailedAssertionCount(), 0) << LastAssertionReport();
    EXPECT_TRUE(problems_.empty());
}

TEST_F(SavedGames, LoadedGameHoldsTheSavedValuesAndPlaysOn) {
    StartRichGame();
    Policy::FindPolicy("Police")->SetSlider(0.9f);
    Policy::FindPolicy("Police")->Cancel();
    Policy::FindPolicy("MilitarySpending")->SetValue(0.4f);  // out of force, but with a value
    PoliticalCapital::Instance().Set(3, 1);
    const float debt = Finances::Instance().Debt();
    const float approval = Polls::Instance().Approval();
    const size_t grudges = GrudgeList().size();
    const float gdp = Network::FindByName("GDP")->Value();
    const std::string seats = USCongress::Instance().LowerSeatsText();
    const int population = VoterManager::Instance().PopulationTotal();
    const std::uint32_t random = GameRandom::State();
    ASSERT_TRUE(SaveGameManager::Instance().SaveNamed("values"));

    Gameplaymanager::Instance().StartGame("mission1");  // a different game in between
    ASSERT_TRUE(SaveGameManager::Instance().Load("values"));
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 3);
    EXPECT_EQ(Calendar::Instance().GetMonth(), 9);
    EXPECT_EQ(Calendar::Instance().GetYear(), 2030);
    EXPECT_FLOAT_EQ(Finances::Instance().Debt(), debt);
    EXPECT_NEAR(Polls::Instance().Approval(), approval, 1e-6);
    EXPECT_NEAR(Network::FindByName("GDP")->Value(), gdp, 1e-6);
    EXPECT_FLOAT_EQ(Cynicism::Instance().GetCynicism(),
                    0.04f);  // the classic loader reset it after reading
    EXPECT_EQ(PoliticalCapital::Instance().PerTurn(), 3);
    EXPECT_EQ(PoliticalCapital::Instance().Left(), 1);  // reintroduced policies cost nothing
    EXPECT_FALSE(Policy::FindPolicy("Police")->IsInForce());
    EXPECT_FLOAT_EQ(Policy::FindPolicy("Police")->Slider(), 0.9f);
    EXPECT_FALSE(Policy::FindPolicy("MilitarySpending")->IsInForce());
    EXPECT_TRUE(Policy::FindPolicy("WelfareCut")->IsInForce());
    EXPECT_EQ(Policy::FindPolicy("WelfareCut")->Implementation(), 1.0f);
    EXPECT_TRUE(SituationManager::Instance().FindSituation("CrimeWave")->IsActive());
    EXPECT_TRUE(DilemmaManager::Instance().FindDilemma("AppointJudge")->IsTriggered());
    EXPECT_EQ(GrudgeList().size(), grudges);
    for (const Grudge* grudge : GrudgeList())
        EXPECT_EQ(grudge->Outputs().size(), 1u) << grudge->Name();
    EXPECT_EQ(USCongress::Instance().LowerSeatsText(), seats);
    EXPECT_EQ(VoterManager::Instance().PopulationTotal(), population);
    const OppositionGroup* poor =
        OppositionManager::Instance().FindGroup(*VoterManager::Instance().FindVoterType("Poor"));
    EXPECT_FLOAT_EQ(poor->Anger(), 0.35f);
    EXPECT_TRUE(poor->IsWarned());
    EXPECT_EQ(poor->Cooldown(), 2);
    EXPECT_EQ(Manifesto::Instance().LivePledges().size(), 1u);
    EXPECT_EQ(Manifesto::Instance().NextPledges().size(), 1u);
    EXPECT_EQ(GameRandom::State(), random);
    EXPECT_FALSE(Network::IsSettleMode());  // the exact state needs no settling
    EXPECT_EQ(dir_.Read("savelog.txt"), "loaded situation: CrimeWave\n");

    PlayTo(6);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 6);
    EXPECT_FALSE(Network::IsSettleMode());
    EXPECT_EQ(FailedAssertionCount(), 0) << LastAssertionReport();
}

TEST_F(SavedGames, DamagedFilesAreTurnedDownAndTheRunningGameGoesOn) {
    StartRichGame();
    ASSERT_TRUE(SaveGameManager::Instance().SaveNamed("good"));
    const std::string good = dir_.Read("data/savegames/good.dedu");
    const size_t neurons = Network::NeuronCount();
    const std::string voters = "\n[votertype]\n";
    struct Case {
        std::string text;
        std::string reported;
    };
    const std::string tooLong = good + std::string(200000, '\n');
    const Case cases[] = {
        {good.substr(0, good.size() / 2), "bad.dedu:"},  // cut mid-line or before the congress
        {good.substr(0, good.find(voters) + voters.size() + 10) + "\n",
         "record '[votertype] _All_', key 'id': the record ends before its 'id' line: cut short; "
         "nothing loaded"},
        {"\x7f"
         "ELF\x02\x01garbage\n[game]\n",
         "bad.dedu:1: not a saved game (it must begin with [game]); nothing loaded"},
        {"", "bad.dedu:1: not a saved game"},
        {tooLong, "bad.dedu:200001: more than 200000 lines: not a saved game; nothing loaded"},
    };
    int expectedProblems = 0;
    for (const Case& c : cases) {
        dir_.Write("data/savegames/bad.dedu", c.text);
        EXPECT_FALSE(SaveGameManager::Instance().Load("bad"));
        EXPECT_EQ(static_cast<int>(problems_.size()), ++expectedProblems);
        EXPECT_NE(ReadDebugLog().find(c.reported), std::string::npos) << c.reported;
        EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 3);
        EXPECT_EQ(Network::NeuronCount(), neurons);
    }
    EXPECT_FALSE(SaveGameManager::Instance().Load("missing"));
    EXPECT_EQ(problems_.back(), "the file does not exist");
    // A pipe would keep the game waiting for ever, and a 3 GB file (sparse,
    // so it costs no disk) would be read whole: both are refused unread.
    ASSERT_EQ(::mkfifo("data/savegames/pipe.dedu", 0600), 0);
    EXPECT_FALSE(SaveGameManager::Instance().Load("pipe"));
    EXPECT_EQ(problems_.back(), "it is not a regular file");
    dir_.Write("data/savegames/huge.dedu", "");
    std::filesystem::resize_file("data/savegames/huge.dedu", 3ull << 30);
    EXPECT_FALSE(SaveGameManager::Instance().Load("huge"));
    EXPECT_EQ(problems_.back(), "it is 3072 MB, more than the 64 MB such a file can be");
    PlayTo(4);  // the running game is still whole
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 4);
}

// The exact state only stands over classic sections and data it was written
// with; otherwise the load goes on as the classic game's did. Cut short, it
// makes the file a damaged one.
TEST_F(SavedGames, ExactStateIsDroppedWhenItNoLongerMatchesAndRefusedWhenCut) {
    StartRichGame();
    ASSERT_TRUE(SaveGameManager::Instance().SaveNamed("exact"));
    const std::string text = dir_.Read("data/savegames/exact.dedu");
    const size_t exact = text.find("\n[continuation]\n");
    ASSERT_NE(exact, std::string::npos);
    const float gdp = Network::FindByName("GDP")->Value();

    dir_.Write("data/savegames/old.dedu", text.substr(0, exact + 1));  // as older games wrote
    ASSERT_TRUE(SaveGameManager::Instance().Load("old"));
    EXPECT_TRUE(Network::IsSettleMode());
    EXPECT_TRUE(problems_.empty());

    std::string edited = text;
    const size_t value = edited.find("value=", edited.find("[simulation]\nname=GDP"));
    edited.replace(value, edited.find('\n', value) - value, "value=0.250000");
    dir_.Write("data/savegames/edited.dedu", edited);
    ASSERT_TRUE(SaveGameManager::Instance().Load("edited"));
    EXPECT_TRUE(Network::IsSettleMode());
    EXPECT_FLOAT_EQ(Network::FindByName("GDP")->Value(), 0.25f);  // the player's word stands
    EXPECT_NE(ReadDebugLog().find("'GDP' has another value in the classic sections); the game goes "
                                  "on from the classic sections"),
              std::string::npos);

    const size_t flags = text.rfind("\nflags\t");
    dir_.Write("data/savegames/cut.dedu", text.substr(0, flags + 1));
    EXPECT_FALSE(SaveGameManager::Instance().Load("cut"));
    EXPECT_NE(ReadDebugLog().find("the exact state ends before its closing 'flags' line: cut short"),
              std::string::npos);
    std::string garbled = text;
    garbled.insert(exact + 16, "neuron\tnonsense\n");
    dir_.Write("data/savegames/garbled.dedu", garbled);
    EXPECT_FALSE(SaveGameManager::Instance().Load("garbled"));
    EXPECT_NE(ReadDebugLog().find("not a line of the exact state; nothing loaded"), std::string::npos);
    EXPECT_EQ(problems_.size(), 2u);
    // Numbers no game writes are refused as the classic sections refuse them.
    for (const char* notANumber : {"nan", "inf", "-inf"}) {
        std::string odd = text;
        const size_t accounts = odd.find("\naccounts\t") + 10;
        odd.replace(accounts, odd.find(' ', accounts) - accounts, notANumber);
        dir_.Write("data/savegames/odd.dedu", odd);
        EXPECT_FALSE(SaveGameManager::Instance().Load("odd")) << notANumber;
    }
    EXPECT_EQ(problems_.size(), 5u);

    ASSERT_TRUE(SaveGameManager::Instance().Load("exact"));
    EXPECT_FALSE(Network::IsSettleMode());
    EXPECT_EQ(Network::FindByName("GDP")->Value(), gdp);
}

TEST_F(SavedGames, StaleNamesAreReportedAndSkippedAndMissingSectionsStayRebuilt) {
    StartRichGame();
    ASSERT_TRUE(SaveGameManager::Instance().SaveNamed("stale"));
    std::string text = dir_.Read("data/savegames/stale.dedu");
    auto replace = [&text](const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("[policy]\nname=Police\n", "[policy]\nname=Polizei\n");
    replace("[votertype]\nname=Religious\n", "[votertype]\nname=Pious\n");
    const std::string anger = Section(text, "[angerdata]");
    replace(anger.substr(0, anger.find('\n', 12)), "[angerdata]\ntype=99999.000000");
    replace("target=Poor\n", "target=Nowhere\n");
    replace(Section(text, "[dilemmas]"), "");
    dir_.Write("data/savegames/stale.dedu", text);
    const int assertions = FailedAssertionCount();

    ASSERT_TRUE(SaveGameManager::Instance().Load("stale"));
    EXPECT_EQ(FailedAssertionCount(),
              assertions + 3);  // policy, voter group, anger; the target only warns
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("record 'Polizei', key 'name': no policy of that name in the data any more; "
                       "record skipped"),
              std::string::npos);
    EXPECT_NE(log.find("record 'Pious', key 'name': no voter group of that name"),
              std::string::npos);
    EXPECT_NE(log.find("key 'type': no voter group with that identifier any more; record skipped"),
              std::string::npos);
    EXPECT_NE(log.find("key 'target': Failed to find grudge target"), std::string::npos);
    EXPECT_FALSE(
        DilemmaManager::Instance().FindDilemma("AppointJudge")->IsTriggered());  // as rebuilt
    bool targetless = false;
    for (const Grudge* grudge : GrudgeList()) targetless = targetless || grudge->Outputs().empty();
    EXPECT_TRUE(targetless);  // the grudge stays, acting on nothing
    EXPECT_TRUE(
        Policy::FindPolicy("WelfareCut")->IsInForce());  // the records after the stale ones load
    PlayTo(5);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 5);
}

TEST_F(SavedGames, DefaultNameCountsUpAndFailedWritesKeepTheOldSave) {
    EXPECT_EQ(SaveGameManager::NextFreeSaveName(), "savegame");
    dir_.Write("data/savegames/savegame.dedu", "x");
    EXPECT_EQ(SaveGameManager::NextFreeSaveName(), "savegame(1)");
    dir_.Write("data/savegames/savegame(1).dedu", "x");
    EXPECT_EQ(SaveGameManager::NextFreeSaveName(), "savegame(2)");

    StartRichGame();
    ASSERT_TRUE(SaveGameManager::Instance().SaveNamed("keep"));
    const std::string old = dir_.Read("data/savegames/keep.dedu");
    PlayTo(4);
    // The temporary file cannot be made, as when the disk is full or the
    // folder is read-only: the write stops before anything is renamed.
    std::filesystem::create_directory("data/savegames/.keep.dedu.tmp" + std::to_string(::getpid()));
    EXPECT_FALSE(SaveGameManager::Instance().SaveNamed("keep"));
    EXPECT_EQ(dir_.Read("data/savegames/keep.dedu"), old);
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_NE(problems_[0].find("cannot open"), std::string::npos) << problems_[0];
    EXPECT_NE(ReadDebugLog().find("save failed: data/savegames/keep.dedu: cannot open"),
              std::string::npos);
    EXPECT_FALSE(SaveGameManager::Instance().IsBusy());  // a failed save does not lock out the next
}

TEST_F(SavedGames, AutosaveRunsAtTheEndOfATurnWhenTheOptionIsOn) {
    StartRichGame();
    Gameplaymanager::Instance().SetListener(nullptr);  // the default listener autosaves
    Gameplaymanager::Instance().NewTurn();
    EXPECT_FALSE(std::filesystem::exists("data/savegames/autosave.dedu"));
    GameOptions::Instance().Set(1.0f, GameOptions::kAutosave);
    Gameplaymanager::Instance().NewTurn();
    const std::string autosave = dir_.Read("data/savegames/autosave.dedu");
    EXPECT_EQ(autosave, SaveGameWriter::Build());
    EXPECT_TRUE(SaveGameManager::Instance().Load("autosave"));
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 5);
}

TEST_F(SavedGames, ReplayOfARecordedScriptPrintsTheSameGame) {
    auto play = [](HeadlessGame::Options options) {
        GameRandom::Seed(11);
        char* buffer = nullptr;
        size_t size = 0;
        std::FILE* out = open_memstream(&buffer, &size);
        HeadlessGame(std::move(options), out).Play();
        std::fclose(out);
        std::string text(buffer, size);
        std::free(buffer);
        return text;
    };
    // The first game on a mission writes its voter matrix and later games
    // read it; the recorded game is not the first.
    Gameplaymanager::Instance().StartGame("mission1");
    PlayerInputRecorder& recorder = PlayerInputRecorder::Instance();
    recorder.SetEnabled(true);
    recorder.StartNewScript();
    HeadlessGame::Options player;
    player.turns = 6;
    player.actions = {
        "NEWPOLICY,MilitarySpending", "ADJSLIDER,Police,0.25",   "NEXTTURN,_All_", "NEXTTURN,_All_",
        "CANCELPOLICY,WelfareCut",    "ADJSLIDER,IncomeTax,0.9", "NEXTTURN,_All_"};
    const std::string original = play(player);
    recorder.SetEnabled(false);
    const std::string script = dir_.Read("data/script.mil");
    EXPECT_EQ(script.rfind("NEXTTURN,_All_\nNEWPOLICY,MilitarySpending\nADJSLIDER,Police,0."
                           "250000\nNEXTTURN,_All_\n"
                           "NEXTTURN,_All_\nCANCELPOLICY,WelfareCut\nADJSLIDER,IncomeTax,0."
                           "900000\nNEXTTURN,_All_\n",
                           0),
              0u)
        << script;

    HeadlessGame::Options replay;
    replay.turns = 6;
    replay.replay = true;
    size_t start = 0;
    for (size_t end; (end = script.find('\n', start)) != std::string::npos; start = end + 1) {
        replay.actions.push_back(script.substr(start, end - start));
    }
    EXPECT_EQ(play(replay), original);
    EXPECT_NE(original.find("turn   6"), std::string::npos) << original;
}
