// A short soak: two hundred turns of a random player over every country,
// with every invariant checked after each turn and a save round trip every
// ten turns. The long run is polity-soak.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "SoakPlayer.h"
#include "core/DataReport.h"
#include "engine/Diagnostics.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

class Soak : public FreshNetworkTest {
protected:
    TempDirectory dir_;
};

TEST_F(Soak, RandomPlayerOverEveryCountryKeepsTheInvariants) {
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", std::filesystem::copy_options::recursive);
    SoakOptions options;
    options.turns = 200;
    options.seed = 11;
    options.saveEvery = 10;
    // Short games, so that every country gets its turn.
    options.turnsPerGame = 30;
    const SoakReport report = SoakPlayer(options, nullptr).Run();

    EXPECT_EQ(report.turns, 200);
    EXPECT_EQ(report.missions, SoakPlayer::DiscoverMissions());
    EXPECT_GE(report.games, static_cast<int>(report.missions.size()));
    EXPECT_GE(report.roundTrips, 10);
    EXPECT_GT(report.introduced + report.cancelled + report.sliderMoves, 60);
    std::string problems;
    for (const std::string& problem : report.problems) problems += problem + "\n";
    EXPECT_EQ(report.problemCount, 0) << problems;
    EXPECT_EQ(FailedAssertionCount(), 0) << LastAssertionReport();
}
