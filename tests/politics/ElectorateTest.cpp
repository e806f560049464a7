// The electorate: population, votes, group trends, polls, elections, congress.
#include <gtest/gtest.h>

#include "engine/Diagnostics.h"
#include "politics/ElectionManager.h"
#include "politics/PoliticalCapital.h"
#include "politics/Polls.h"
#include "politics/USCongress.h"
#include "politics/Voter.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/NewsList.h"

namespace {

class Electorate : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        dir_.Write("types.csv",
                   "#,_All_,Everyone,,1.0,All voters,0.5,#\n"
                   "#,Poor,The Poor,,0.3,Little money,0.4,#,\"Unionists,0.8\"\n"
                   "#,Unionists,Trade Unionists,,0.2,Organised labour,0.6,Unions,#,\"Poor,0.5\"\n"
                   "#,Tiny,Tiny Group,,0.001,Too few to matter,0.5,#\n");
        VoterManager::Instance().LoadVoterTypes("types.csv");
        GameOptions::Instance().Set(0.0f, GameOptions::kAiEntities);  // 100 voters
        Cynicism::Instance().ResetCynicism();
        Polls::Instance().Reset();
        NewsList::Instance().ClearNews();
    }
    static VoterType* Type(const char* name) { return VoterManager::Instance().FindVoterType(name); }
    static std::string Memberships() {
        std::string all;
        for (const Voter* voter : VoterManager::Instance().Population()) {
            for (const NeuralEffect* membership : voter->Inputs()) all += membership->Source()->Name() + ",";
            all += "|";
        }
        return all;
    }
    TempDirectory dir_;
};

}  // namespace

TEST_F(Electorate, GeneratedPopulationIsWrittenAndReadBackTheSame) {
    VoterManager& voters = VoterManager::Instance();
    voters.CreatePopulation("matrix.txt");
    EXPECT_EQ(voters.PopulationTotal(), 100);
    EXPECT_EQ(Type("_All_")->MemberCount(), 100);
    EXPECT_EQ(Type("Poor")->MemberCount(), 30);
    EXPECT_EQ(Type("Unionists")->MemberCount(), 20);
    EXPECT_EQ(Type("Tiny")->MemberCount(), 0);  // 0.1 of a voter is nobody
    ASSERT_EQ(Type("_All_")->Inputs().size(), 2u);  // its base and the national debt
    const std::string generated = Memberships();
    const std::string matrix = dir_.Read("matrix.txt");
    EXPECT_EQ(matrix.substr(0, matrix.find('\n') + 1).back(), '\n');

    ClearNetwork();
    Network::CreateSpecialNeurons();
    voters.LoadVoterTypes("types.csv");
    voters.CreatePopulation("matrix.txt");
    EXPECT_EQ(Memberships(), generated);
    EXPECT_EQ(dir_.Read("matrix.txt"), matrix);
}

TEST_F(Electorate, AShortLabelStandsBeforeTheMarkerAndOlderLinesLoadWithout) {
    EXPECT_EQ(Type("Unionists")->ShortName(), "Unions");
    EXPECT_FLOAT_EQ(Type("Unionists")->CorrelationWith("Poor"), 0.5f);
    EXPECT_EQ(Type("Poor")->OwnShortName(), "");
    EXPECT_EQ(Type("Poor")->ShortName(), "The Poor");
    EXPECT_FLOAT_EQ(Type("Poor")->CorrelationWith("Unionists"), 0.8f);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST_F(Electorate, VotesNeedMoreThanHalfAfterCynicismAndTheManifesto) {
    VoterManager& voters = VoterManager::Instance();
    Voter* voter = Network::Create<Voter>();
    VoterManager::Join(*Type("Poor"), *voter);
    Network::SetSettleMode(true);
    auto voteAt = [&](float mood, int months, bool broken) {
        Type("Poor")->SetBaseValue(mood + 0.0f);
        Network::RecalculateAll();
        return voters.VotesForGovernment(*voter, months, broken);
    };
    // Difficulty 0.5 leaves moods as they are.
    EXPECT_FALSE(voteAt(0.5f, 20, false));
    EXPECT_TRUE(voteAt(0.55f, 10, true));
    EXPECT_FALSE(voteAt(0.55f, 9, true));
    Cynicism::Instance().SetCynicism(0.1f);
    EXPECT_FALSE(voteAt(0.55f, 20, false));
    EXPECT_FLOAT_EQ(voter->Opinion(), 0.55f);
    Type("Poor")->SetBaseValue(1.7f);
    Network::RecalculateAll();
    EXPECT_EQ(voter->Opinion(), 1.0f);
}

TEST_F(Electorate, GroupsShrinkAndGrowWithTheirFrequency) {
    VoterManager& voters = VoterManager::Instance();
    GameOptions::Instance().Set(1.0f, GameOptions::kAiEntities);
    voters.CreatePopulation("matrix.txt");
    VoterType* poor = Type("Poor");
    Network::SetSettleMode(true);
    auto trendAt = [&](float frequency) {
        poor->FrequencyNeuron()->SetBaseValue(frequency);
        Network::RecalculateAll();
        const int before = poor->MemberCount();
        voters.UpdateTrends();
        return poor->MemberCount() - before;
    };
    EXPECT_EQ(trendAt(0.1f), -18);  // 3 % of 600 members
    EXPECT_EQ(poor->Trend(), 0);
    EXPECT_EQ(trendAt(0.75f), 0);
    EXPECT_EQ(poor->Trend(), 1);
    EXPECT_GT(trendAt(0.9f), 0);
    EXPECT_EQ(poor->Trend(), 2);
    EXPECT_EQ(Type("Tiny")->MemberCount(), 2);  // 0.1 % of 2 000
    // A group of ten loses one a turn.
    poor->FrequencyNeuron()->SetBaseValue(0.1f);
    Network::RecalculateAll();
    for (int turn = 0; turn < 500 && poor->MemberCount() > 10; ++turn) voters.UpdateTrends();
    EXPECT_EQ(trendAt(0.1f), -1);
}

TEST_F(Electorate, PollsAverageOpinionsAndKeepTwentyTurnsNewestFirst) {
    VoterManager& voters = VoterManager::Instance();
    voters.CreatePopulation("matrix.txt");
    Network::SetSettleMode(true);
    Network::RecalculateAll();
    Polls& polls = Polls::Instance();
    polls.TakePoll(20, false);  // first poll of a game fills the past
    Network::SetSettleMode(false);
    EXPECT_NEAR(polls.ApprovalHistory()[19], polls.Approval(), 0.0201f);
    for (int turn = 0; turn < 25; ++turn) {
        Type("_All_")->SetBaseValue(0.2f + 0.02f * static_cast<float>(turn));
        Network::SetSettleMode(true);
        Network::RecalculateAll();
        polls.TakePoll(20, false);
    }
    EXPECT_FLOAT_EQ(polls.ApprovalHistory()[0], polls.Approval());
    EXPECT_GT(polls.ApprovalHistory()[0], polls.ApprovalHistory()[19]);
    EXPECT_EQ(Network::WinningNeuron()->Value(), polls.PotentialVote());
    EXPECT_GE(polls.PeakApproval(), polls.Approval());

    // A drop of more than ten points is news.
    Type("_All_")->SetBaseValue(-1.0f);
    Network::RecalculateAll();
    polls.TakePoll(20, false);
    ASSERT_FALSE(NewsList::Instance().Items().empty());
    EXPECT_NE(NewsList::Instance().Items()[0].text.find("NEWS_"), std::string::npos);
}

TEST_F(Electorate, ElectionsComeEveryIntervalAndSetPoliticalCapital) {
    Calendar::Instance().SetDate(10, 1990);
    ElectionManager& elections = ElectionManager::Instance();
    elections.ResetResults();
    ElectionManager::SetInterval(48);
    elections.ScheduleNextElection();
    EXPECT_EQ(elections.ElectionMonth(), 10);
    EXPECT_EQ(elections.ElectionYear(), 1994);
    int turns = 0;
    while (!elections.IsElectionDue()) {
        for (int m = 0; m < 3; ++m) Calendar::Instance().NextMonth();
        ++turns;
        if (turns == 8) {
            EXPECT_EQ(elections.MonthsSinceLastElection(), 24);  // midterm time
        }
    }
    EXPECT_EQ(turns, 16);
    ElectionManager::SetInterval(18);  // carried into the next year
    elections.ScheduleNextElection();
    EXPECT_EQ(elections.ElectionMonth(), 4);
    EXPECT_EQ(elections.ElectionYear(), 1996);
    EXPECT_EQ(FailedAssertionCount(), 0);
    ElectionManager::SetInterval(48);

    PoliticalCapital& capital = PoliticalCapital::Instance();
    const std::vector<std::pair<float, int>> shares = {{0.8f, 3}, {0.55f, 2}, {1.0f, 5}, {0.7f, 2}};
    for (auto [share, expected] : shares) {
        capital.Compute(share, true);
        EXPECT_EQ(capital.PerTurn(), expected) << share;
    }
    capital.Compute(1.0f, false);
    EXPECT_EQ(capital.PerTurn(), 2);
}

TEST_F(Electorate, CongressElectsThirdsAndSeatsRoundTrip) {
    USCongress& congress = USCongress::Instance();
    congress.SetUp("Valoria");
    EXPECT_TRUE(congress.HoldsLowerHouse() && congress.HoldsUpperHouse());
    EXPECT_FALSE(congress.MidtermCheck(24, 0.0f));
    congress.SetUp("USA");
    for (int i = 0; i < 3; ++i) congress.ElectUpperHouse(0.0f);  // every third, once
    EXPECT_EQ(congress.UpperSeatsHeld(), 0);
    EXPECT_FALSE(congress.HoldsUpperHouse());
    congress.ElectLowerHouse(1.0f);  // a seat is lost only to a draw of exactly 1
    const std::string lower = congress.LowerSeatsText();
    EXPECT_EQ(congress.LowerSeatsHeld(), static_cast<int>(std::count(lower.begin(), lower.end(), '1')));
    EXPECT_GE(congress.LowerSeatsHeld(), 430);
    EXPECT_TRUE(congress.HoldsLowerHouse());
    EXPECT_EQ(congress.Chunk(), 0);

    const std::string upper = std::string(50, '1') + std::string(50, '0') + "extra";
    congress.SetUpperSeats(upper);
    EXPECT_EQ(congress.UpperSeatsHeld(), 50);
    EXPECT_EQ(congress.UpperSeatsText(), upper.substr(0, 100));
    congress.SetLowerSeats("111");
    EXPECT_EQ(congress.LowerSeatsHeld(), 3);
    EXPECT_EQ(FailedAssertionCount(), 1);  // a string shorter than the house
    congress.SetUp("Valoria");
}

// Voters are recalculated once, after the rest of the network has settled;
// they must still end up on their groups' final values when a group takes
// several passes (its cause was made after it), when a group was made after
// its member, and after the links change between turns.
TEST_F(Electorate, VotersSettleOnTheirGroupsFinalValues) {
    Network::SetSettleMode(true);
    VoterType* poor = Type("Poor");
    Voter* early = Network::Create<Voter>();
    VoterManager::Join(*poor, *early);
    Voter* mixed = Network::Create<Voter>();
    VoterManager::Join(*poor, *mixed);
    VoterType* late = Network::Create<VoterType>("Late");
    VoterManager::Join(*late, *mixed);
    Neuron* cause = Network::Create<Neuron>();
    cause->SetBaseValue(0.8f);
    Network::CreateEffect(cause, poor, "0+(0.5*x)", 1.0f, 1.0f);

    auto expectSettled = [](Voter* voter, const char* label) {
        EXPECT_FALSE(voter->IsChanged()) << label;
        const float value = voter->Value();
        voter->Recalculate();
        EXPECT_EQ(voter->Value(), value) << label;
    };
    Network::RecalculateAll();
    expectSettled(early, "early");
    expectSettled(mixed, "mixed");
    const float before = early->Value();

    cause->SetBaseValue(0.2f);
    Network::RecalculateAll();
    expectSettled(early, "early, after a change");
    expectSettled(mixed, "mixed, after a change");
    EXPECT_LT(early->Value(), before);
}
