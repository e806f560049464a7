// Simulation values from their file, game options and mission settings.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/Simulation.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {
class SimulationValues : public FreshNetworkTest {};
}  // namespace

TEST_F(SimulationValues, LoadFromTheirLinesWithTextsInfluencesAndReportedGaps) {
    TempDirectory dir;
    OpenLog();
    dir.Write("values.csv",
              "Name,Display,Description,Base,Flag\r\n"
              "#,GDP,Gross Domestic Product,\"Everything the country makes, in a year\",0.3,1,#\r\n"
              "#,Crime,Crime Rate,Crime,0.4,0,icon_crime,xy,#,\"GDP,0-(0.2*x)\",ab,\"Missing,0+(1*x)\"\r\n"
              "#,Jobs,Unemployment,People out of work,0.2,0,Few,Many,Jobless,#\r\n"
              "ignored,#,not a value\r\n");
    SimulationManager::Instance().LoadValues("values.csv");
    const auto& values = SimulationManager::Instance().Values();
    ASSERT_EQ(values.size(), 3u);
    Simulation* gdp = SimulationManager::Instance().FindValue("GDP");
    Simulation* crime = SimulationManager::Instance().FindValue("Crime");
    ASSERT_TRUE(gdp && crime);
    EXPECT_EQ(gdp->Description(), "Everything the country makes, in a year");
    EXPECT_TRUE(gdp->Flag());
    EXPECT_FALSE(crime->Flag());
    EXPECT_EQ(crime->Texts(), std::vector<std::string>{"icon_crime"});  // two-letter fields are skipped
    // The third text is the short label; without one a capitalised name or
    // else the display name stands in.
    EXPECT_EQ(SimulationManager::Instance().FindValue("Jobs")->ShortName(), "Jobless");
    EXPECT_EQ(gdp->ShortName(), "GDP");
    EXPECT_EQ(crime->ShortName(), "Crime Rate");
    EXPECT_EQ(crime->Inputs().size(), 2u);                               // base and GDP; Missing reported
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(ReadDebugLog().find("values.csv:3: record 'Crime', key 'Missing': Failed to find influence Missing for Crime,"),
              std::string::npos);

    Network::SetSettleMode(true);
    Network::RecalculateAll();
    EXPECT_FLOAT_EQ(gdp->Value(), 0.3f);
    EXPECT_FLOAT_EQ(crime->Value(), 0.4f - 0.2f * 0.3f);

    SimulationManager::Instance().Reset();
    EXPECT_TRUE(SimulationManager::Instance().Values().empty());
    EXPECT_EQ(Network::FindByName("GDP"), nullptr);
}

TEST(Simulation, SoftenedValueSqueezesOvershootsIntoTheLastTwentieth) {
    EXPECT_EQ(Simulation::Soften(0.5f), 0.5f);
    EXPECT_NEAR(Simulation::Soften(1.0f), 0.95238f, 1e-5f);
    EXPECT_NEAR(Simulation::Soften(2.0f), 1.0f, 1e-5f);
    EXPECT_NEAR(Simulation::Soften(0.0f), 0.04762f, 1e-5f);
    EXPECT_NEAR(Simulation::Soften(-1.0f), 0.0f, 1e-5f);
}

TEST(GameOptions, DefaultsRangeChecksAndAtomicRoundTrip) {
    TempDirectory dir;
    GameOptions& options = GameOptions::Instance();
    options.Load();  // no file: every default
    for (int i = 0; i < GameOptions::kCount; ++i) EXPECT_EQ(options.Get(i), GameOptions::Default(i));
    EXPECT_EQ(options.Get(12), 0.0f);
    EXPECT_EQ(options.Get(-1), 0.0f);
    options.Set(0.75f, 12);
    EXPECT_EQ(options.Get(12), 0.0f);

    dir.Write("data/options.dedu", "; the player's settings\n[other]\nkeep=1\n[Options]\nmusic=0.25\nDIFFICULTY=abc\n");
    options.Load();
    EXPECT_EQ(options.Get(GameOptions::kMusic), 0.25f);
    EXPECT_EQ(options.Get(GameOptions::kDifficulty), 0.0f);
    options.Set(1.0f, GameOptions::kAutosave);
    ASSERT_TRUE(options.Save());
    const std::string saved = dir.Read("data/options.dedu");
    EXPECT_EQ(saved.rfind("; the player's settings\n[other]\nkeep=1\n[Options]\nmusic=0.250000\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("AUTOSAVE=1.000000\n"), std::string::npos);
    EXPECT_NE(saved.find("DIFFICULTY=0.000000\n"), std::string::npos);
    for (int i = 0; i < GameOptions::kCount; ++i) options.Set(GameOptions::Default(i), i);
}

TEST(Mission, ReadsConfigWithDefaultsAndScalesTheDebt) {
    TempDirectory dir;
    dir.Write("data/missions/mission1.txt",
              "[config]\nname=Valoria\nwealth=2.0\ndebt=150\ncurrency=VAL$$$\nyear=2024\n[policies]\nIncomeTax,0.4\n");
    Mission& mission = Mission::Instance();
    mission.Load("data/missions/mission1.txt");
    EXPECT_EQ(mission.Name(), "Valoria");
    EXPECT_EQ(mission.StartingDebt(), 300.0f);
    EXPECT_EQ(mission.Currency(), "VAL$$");  // at most five characters
    EXPECT_EQ(mission.Year(), 2024);
    EXPECT_EQ(mission.Month(), 0);
    EXPECT_EQ(mission.TermLength(), 4);
    EXPECT_EQ(mission.Environmentalist(), -1.0f);
    mission.Clear();
}
