// The player's records: kept across runs, never lost to a bad write or a
// damaged file, and the goals that award the achievements.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "aids/Achievements.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

class AchievementRecords : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        OpenLog();
        dir_.Write("data/strings.ini", "[achievementdialogs]\nTITLE_ECONOMY=Boom!\n");
        record_.SetAwardListener([this](int index) { awarded_.push_back(index); });
    }

    static void Value(const char* name, float value) {
        Neuron* neuron = Network::FindByName(name);
        if (!neuron) (neuron = Network::Create<Neuron>())->SetName(name);
        neuron->SetValue(value);
    }

    TempDirectory dir_;
    Achievements record_;
    std::vector<int> awarded_;
};

const char* kSavedRecord =
    "[achievements]\n"
    "MostReelections=2\n"
    "HighestElectionVote=0.580000\n"
    "HighestPopularity=0.610000\n"
    "PowerhouseEconomy=0\n"
    "EgalitarianUtopia=0\n"
    "GreenUtopia=1\n"
    "TechnologicalLead=0\n"
    "CrimeFreeUtopia=0\n"
    "PopularLeader=0\n"
    "PerfectSociety=0\n";

}  // namespace

TEST_F(AchievementRecords, RecordSurvivesARestartAndIsNeverLoweredBySaving) {
    record_.Load();
    EXPECT_EQ(record_.HeldCount(), 0);
    EXPECT_EQ(record_.Title(Achievements::kPowerhouseEconomy), "Boom!");
    EXPECT_EQ(record_.Title(Achievements::kGreenUtopia), "TITLE_GREEN");
    record_.RecordApproval(0.61f);
    record_.RecordApproval(0.55f);
    record_.RecordElection(0.58f, 1);
    record_.RecordElection(0.47f, 1);  // lost: neither best moves
    record_.RecordElection(0.5f, 1);   // a tie keeps office but is no win
    record_.RecordElection(0.52f, 2);
    record_.Award(Achievements::kGreenUtopia);
    ASSERT_TRUE(record_.Save());
    EXPECT_EQ(dir_.Read("data/dedu.jad"), kSavedRecord);

    // A copy that never read the file (start-up ended early, a second copy
    // of the game alongside) keeps what the file holds and adds its own.
    Achievements unread;
    unread.RecordApproval(0.5f);
    unread.RecordElection(0.9f, 1);
    unread.Award(Achievements::kPowerhouseEconomy);
    ASSERT_TRUE(unread.Save());

    Achievements restarted;
    restarted.Load();
    EXPECT_EQ(restarted.MostReelections(), 2);
    EXPECT_FLOAT_EQ(restarted.HighestElectionVote(), 0.9f);
    EXPECT_FLOAT_EQ(restarted.HighestPopularity(), 0.61f);
    EXPECT_TRUE(restarted.IsHeld(Achievements::kGreenUtopia));
    EXPECT_TRUE(restarted.IsHeld(Achievements::kPowerhouseEconomy));
    EXPECT_EQ(restarted.HeldCount(), 2);
}

TEST_F(AchievementRecords, AFailedSaveLeavesTheOldFileWhole) {
    dir_.Write("data/dedu.jad", kSavedRecord);
    record_.Load();
    record_.Award(Achievements::kPerfectSociety);
    // The temporary file cannot be made: the write fails before the rename.
    std::filesystem::create_directory("data/.dedu.jad.tmp" + std::to_string(::getpid()));
    EXPECT_FALSE(record_.Save());
    EXPECT_EQ(dir_.Read("data/dedu.jad"), kSavedRecord);
    EXPECT_NE(ReadDebugLog().find("cannot save the achievements to data/dedu.jad: cannot open"),
              std::string::npos);
}

TEST_F(AchievementRecords, ADamagedFileIsReportedByLineKeptAsideAndMendedOnSave) {
    const std::string damaged =
        "; the player's records\n"
        "[achievements]\n"
        "MostReelections=-2\n"
        "HighestElectionVote=0,87\n"
        "HighestPopularity=1.5\n"
        "PowerhouseEconomy=1\n"
        "GreenUtopia=yes\n"
        "CrimeFreeUtopia=2\n"
        "[elsewhere]\n"
        "Keep=me\n";
    dir_.Write("data/dedu.jad", damaged);
    record_.Load();
    EXPECT_EQ(record_.MostReelections(), 0);
    EXPECT_FLOAT_EQ(record_.HighestElectionVote(), 0.0f);
    EXPECT_FLOAT_EQ(record_.HighestPopularity(), 1.0f);
    EXPECT_TRUE(record_.IsHeld(Achievements::kPowerhouseEconomy));
    EXPECT_FALSE(record_.IsHeld(Achievements::kGreenUtopia));
    EXPECT_TRUE(record_.IsHeld(Achievements::kCrimeFreeUtopia));

    const std::string log = ReadDebugLog();
    for (const char* report : {
             "3: record 'achievements', key 'MostReelections': negative: '-2', read as 0",
             "4: record 'achievements', key 'HighestElectionVote': not a number: '0,87', read as "
             "0.000000",
             "5: record 'achievements', key 'HighestPopularity': outside 0..1: '1.5', read as "
             "1.000000",
             "7: record 'achievements', key 'GreenUtopia': not 0 or 1: 'yes', counted as not held",
             "8: record 'achievements', key 'CrimeFreeUtopia': not 0 or 1: '2', counted as held",
         }) {
        EXPECT_NE(log.find("data warning: data/dedu.jad:" + std::string(report) + "\n"),
                  std::string::npos)
            << report;
    }
    EXPECT_EQ(dir_.Read("data/dedu.jad.bad"), damaged);

    ASSERT_TRUE(record_.Save());
    EXPECT_NE(dir_.Read("data/dedu.jad").find("[elsewhere]\nKeep=me\n"), std::string::npos);
    Achievements restarted;
    restarted.Load();
    EXPECT_EQ(ReadDebugLog(), log);  // mended: nothing more to report

    // Nothing readable at all: reported, kept aside beside the earlier copy.
    dir_.Write("data/dedu.jad", "\x01\x02 garbage");
    restarted.Load();
    EXPECT_NE(ReadDebugLog().find("data warning: data/dedu.jad: no [achievements] section"),
              std::string::npos);
    EXPECT_EQ(dir_.Read("data/dedu.jad(1).bad"), "\x01\x02 garbage");
}

TEST_F(AchievementRecords, EachGoalNeedsBothValuesStrictlyPastItsLine) {
    // Per goal: two neurons, each with its line and whether it must be above.
    const std::pair<const char*, float> goals[5][2] = {
        {{"GDP", 0.95f}, {"Unemployment", -0.05f}},
        {{"Equality", 0.95f}, {"Poverty", -0.05f}},
        {{"CarUsage", -0.05f}, {"AirQuality", 0.9f}},
        {{"InternetAccess", 0.95f}, {"LiteracyRate", 0.95f}},
        {{"CrimeRate", -0.05f}, {"ViolentCrimeRate", -0.05f}},
    };  // a negative line means "below" that line
    auto at = [](const std::pair<const char*, float>& t) { Value(t.first, std::fabs(t.second)); };
    auto past = [](const std::pair<const char*, float>& t) {
        Value(t.first, std::nextafter(std::fabs(t.second), t.second > 0 ? 2.0f : -1.0f));
    };

    // Without "GDP" in the data the first goal is simply never met.
    Value("Unemployment", 0.0f);
    record_.CheckGoals();
    EXPECT_EQ(record_.HeldCount(), 0);
    EXPECT_EQ(FailedAssertionCount(), 0);
    EXPECT_EQ(ReadDebugLog().find("GDP"), std::string::npos);

    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(goals[i][0].first);
        at(goals[i][0]);
        past(goals[i][1]);
        record_.CheckGoals();
        EXPECT_FALSE(record_.IsHeld(i));
        past(goals[i][0]);
        at(goals[i][1]);
        record_.CheckGoals();
        EXPECT_FALSE(record_.IsHeld(i));
        past(goals[i][1]);
        record_.CheckGoals();
        EXPECT_TRUE(record_.IsHeld(i));
    }
    EXPECT_EQ(awarded_, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(AchievementRecords, PopularLeaderNeedsEveryGroupAtSevenTenths) {
    record_.CheckGoals();  // no groups at all is no popularity
    EXPECT_FALSE(record_.IsHeld(Achievements::kPopularLeader));

    dir_.Write("types.csv",
               "#,_All_,Everyone,,1.0,All voters,0.5,#\n"
               "#,Poor,The Poor,,0.3,Little money,0.4,#\n"
               "#,Farmers,Farmers,,0.2,Land,0.6,#\n");
    VoterManager::Instance().LoadVoterTypes("types.csv");
    const auto& types = VoterManager::Instance().VoterTypes();
    ASSERT_EQ(types.size(), 3u);
    types[0]->SetValue(1.4f);
    types[1]->SetValue(0.7f);
    types[2]->SetValue(0.69f);
    record_.CheckGoals();
    EXPECT_FALSE(record_.IsHeld(Achievements::kPopularLeader));
    types[2]->SetValue(0.7f);
    record_.CheckGoals();
    EXPECT_TRUE(record_.IsHeld(Achievements::kPopularLeader));
}

TEST_F(AchievementRecords, AwardsComeOnceEachInIndexOrderAndCrownTheSixth) {
    dir_.Write("data/dedu.jad",
               "[achievements]\nEgalitarianUtopia=1\nGreenUtopia=1\n"
               "TechnologicalLead=1\nPopularLeader=1\n");
    record_.Load();
    record_.CheckGoals();
    EXPECT_FALSE(record_.IsHeld(Achievements::kPerfectSociety));

    // Both remaining goals met in one turn: two awards, then the seventh.
    Value("GDP", 0.97f);
    Value("Unemployment", 0.02f);
    Value("CrimeRate", 0.01f);
    Value("ViolentCrimeRate", 0.01f);
    record_.CheckGoals();
    EXPECT_EQ(awarded_, (std::vector<int>{0, 4, 6}));

    record_.CheckGoals();
    record_.Award(Achievements::kGreenUtopia);
    record_.Award(Achievements::kCount);
    EXPECT_EQ(awarded_, (std::vector<int>{0, 4, 6}));
    EXPECT_EQ(record_.HeldCount(), 7);
}
