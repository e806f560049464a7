// A short seeded balance run on the shipped data: the same games give the
// same records with one worker or two, and the report sums them up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "aids/BalanceReport.h"
#include "aids/BalanceRun.h"
#include "core/SetupValues.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

TEST(Balance, ShortSeededRunGivesTheSameCsvWithOneWorkerOrTwo) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data",
                          std::filesystem::copy_options::recursive);
    SetupValues::Instance().Load();
    BalanceOptions options;
    options.gamesPerCountry = 4;
    options.turns = 8;
    options.mission = "1";
    options.firstSeed = 7;
    const std::vector<BalancePlan> plan = BalanceRun(options).Plan();
    ASSERT_EQ(plan.size(), 4u);
    EXPECT_EQ(plan[0].strategy + plan[1].strategy + plan[2].strategy + plan[3].strategy,
              "idlerandomgreedyidle");
    EXPECT_EQ(plan[2].seed, 7u);
    EXPECT_EQ(plan[3].seed, 8u);

    const std::vector<BalanceRecord> alone = BalanceRun(options).PlayAll(nullptr);
    options.jobs = 2;
    const std::vector<BalanceRecord> shared = BalanceRun(options).PlayAll(nullptr);
    const BalanceReport one(alone, {8, 4, 7}), two(shared, {8, 4, 7});
    EXPECT_EQ(one.Csv(), two.Csv());
    EXPECT_EQ(one.Html(""), two.Html(""));
    ASSERT_EQ(shared.size(), 4u);
    for (const BalanceRecord& record : shared) {
        EXPECT_NE(record.end, BalanceRecord::kCrashed) << record.failure;
        EXPECT_EQ(record.turns, 8);
        EXPECT_EQ(record.approval.size(), 8u);
        EXPECT_EQ(record.problems, 0);
        // The record's text carries every number exactly.
        const auto again = BalanceRecord::Parse(record.Serialize());
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->Serialize(), record.Serialize());
    }
    const std::string csv = two.Csv();
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);
    EXPECT_NE(two.Html("").find("<svg"), std::string::npos);
    EXPECT_EQ(BalanceRecord::Parse(shared[0].Serialize().substr(0, 40)), std::nullopt);
    SetupValues::Instance().Load("none.ini");
}

TEST(Balance, ReportSumsUpEndingsPinnedValuesAndPoliciesPerCountry) {
    BalanceRecord idle, random, greedy, other;
    idle.game = 0, random.game = 1, greedy.game = 2, other.game = 3;
    idle.strategy = "idle", random.strategy = "random", greedy.strategy = "greedy";
    other.strategy = "greedy";
    idle.mission = random.mission = greedy.mission = "mission1";
    other.mission = "mission2";
    random.end = BalanceRecord::kLostElection;
    greedy.end = BalanceRecord::kOverthrown;
    idle.turns = 2;
    idle.approval = {0.5f, 0.25f};
    idle.vote = {0.5f, 0.125f};
    idle.valueTurns = 2;
    idle.pinned["Crime"] = {0, 1};
    idle.pinned["GDP"] = {0, 0};
    random.policies["Curfew"].introductions = 1;
    greedy.policies["Curfew"] = {};
    greedy.policies["IncomeTax"].inForceAtStart = true;
    greedy.policies["Police"].introductions = 2;
    idle.situations["Riots"] = {2, 1};
    idle.events["Strike"] = 1;
    other.events["Caf\xe9Riot"] = 1;  // a modder's name in Windows-1252
    const BalanceReport report({other, greedy, random, idle}, {2, 3, 1});

    EXPECT_EQ(report.EndShare("mission1", "random", BalanceRecord::kLostElection), 1.0);
    EXPECT_EQ(report.EndShare("mission1", "greedy", BalanceRecord::kSurvived), 0.0);
    EXPECT_EQ(report.EndShare("mission2", "greedy", BalanceRecord::kSurvived), 1.0);
    const std::string csv = report.Csv();
    EXPECT_EQ(csv.substr(csv.find('\n') + 1, csv.find('\n', csv.find('\n') + 1) - csv.find('\n')),
              "0,mission1,idle,0,survived,2,0,0.2500,0.1250,0.2500,0.5000,0.00,1,1,0,0,0\n");
    const std::string html = report.Html("made in 1 s");
    EXPECT_NE(html.find("(of the policies not in force at the start): Curfew</p>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>Crime</td>"), std::string::npos);
    EXPECT_EQ(html.find("<td>GDP</td>"), std::string::npos);  // never pinned
    EXPECT_NE(html.find("<td>Riots</td>"), std::string::npos);
    EXPECT_NE(html.find("made in 1 s"), std::string::npos);
    EXPECT_NE(html.find("Caf\xc3\xa9Riot"), std::string::npos);  // the page is UTF-8
    EXPECT_EQ(html.find("Caf\xe9"), std::string::npos);
}
