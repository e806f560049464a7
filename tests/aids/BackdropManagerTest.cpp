// The loading screen's quotations: which lines are read, the random start,
// stepping round, and a missing file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/BackdropManager.h"
#include "core/GameRandom.h"
#include "core/LoadingProgress.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "support/TempDirectory.h"

namespace {
// The labels reported while `action` runs.
template <typename Action>
std::vector<std::string> StepsDuring(Action action) {
    std::vector<std::string> labels;
    SetLoadingProgressHandler(
        [&labels](std::string_view label, float) { labels.emplace_back(label); });
    action();
    SetLoadingProgressHandler({});
    return labels;
}
}  // namespace

TEST(Backdrops, RecordsAreReadAndSteppedThroughInACircle) {
    TempDirectory dir;
    OpenLog();
    dir.Write("data/backdrops.csv",
              "Only lines that begin with # are read.\n"
              "#,abcdef\n"  // eight characters: too short to be a record
              "#,\"Budgets, not speeches.\",\"Ilse Marvek, minister\"\n"
              "not a record,Text,Someone\n"
              "#,Every policy has a price.,Almanac\n"
              "#,Nothing is free.,\n");
    BackdropManager& backdrops = BackdropManager::Instance();
    GameRandom::Seed(5);
    backdrops.Load();
    EXPECT_EQ(GameRandom::State(), 5u);  // the start leaves a seeded game's draws alone
    const auto& all = backdrops.Backdrops();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].text, "Budgets, not speeches.");
    EXPECT_EQ(all[0].attribution, "-Ilse Marvek, minister");
    EXPECT_EQ(all[2].attribution, "-");

    const size_t first = backdrops.CurrentIndex();
    const auto labels = StepsDuring([&] {
        for (int i = 0; i < 4; ++i) backdrops.Next();
    });
    EXPECT_EQ(labels, std::vector<std::string>(4, "Analayzing decisions"));
    EXPECT_EQ(backdrops.Current(), &all[(first + 1) % 3]);
}

TEST(Backdrops, AMissingFileIsReportedAndStepsStillRun) {
    TempDirectory dir;
    OpenLog();
    BackdropManager& backdrops = BackdropManager::Instance();
    const int failures = FailedAssertionCount();
    backdrops.Load();
    EXPECT_EQ(FailedAssertionCount(), failures + 1);
    EXPECT_NE(LastAssertionReport().find("Backdropmanager"), std::string::npos)
        << LastAssertionReport();
    EXPECT_EQ(StepsDuring([&] { backdrops.Next(); }),
              std::vector<std::string>{"Analayzing decisions"});
    EXPECT_EQ(backdrops.Current(), nullptr);
}
