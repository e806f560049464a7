// Reading the guided tour's steps: quoted command lists, empty and broken
// fields, and a missing file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/TutorialSteps.h"
#include "core/DataReport.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "support/TempDirectory.h"

namespace {

using Names = std::vector<std::string>;

// What the loader reports while one lives: "line key severity" each.
class ProblemLog {
public:
    ProblemLog() {
        SetDataProblemCollector(
            [this](DataSeverity severity, const DataLocation& where, std::string_view text) {
                lines.push_back(where.file + ":" + std::to_string(where.line) + " " + where.key +
                                (severity == DataSeverity::Warning ? " warning " : " error ") +
                                std::string(text.substr(0, 28)));
            });
    }
    ~ProblemLog() { SetDataProblemCollector(nullptr); }
    std::vector<std::string> lines;
};

}  // namespace

TEST(TutorialSteps, FieldsCommandsAndBrokenPositions) {
    TempDirectory dir;
    dir.Write("data/tutorial.csv",
              "; the author's notes are not steps\r\n"
              "#first,10,20.5,\"HIDE_POLICYICONS, SHOW_SITICONS,,HIGHLIGHT_NONE\",\"Hi, you\"\r\n"
              "\r\n"
              "#second,abc,5,,Plain text\r\n"
              "#third,7,12px,ONE,unquoted, commas,kept\r\n");
    ProblemLog log;
    TutorialSteps steps;
    ASSERT_TRUE(steps.Load());
    ASSERT_EQ(steps.Count(), 3u);
    const TutorialStep& first = steps.Steps()[0];
    EXPECT_EQ(first.x, 10.0f);
    EXPECT_EQ(first.y, 20.5f);
    EXPECT_EQ(first.commands, (Names{"HIDE_POLICYICONS", "SHOW_SITICONS", "HIGHLIGHT_NONE"}));
    EXPECT_EQ(first.text, "Hi, you");
    // An empty command field runs nothing; a position that is no number is
    // 0, even one that begins like a number.
    EXPECT_TRUE(steps.Steps()[1].commands.empty());
    EXPECT_EQ(steps.Steps()[1].x, 0.0f);
    EXPECT_EQ(steps.Steps()[1].y, 5.0f);
    EXPECT_EQ(steps.Steps()[2].y, 0.0f);
    // Unquoted commas in the text are kept rather than cutting it short.
    EXPECT_EQ(steps.Steps()[2].text, "unquoted, commas,kept");
    EXPECT_EQ(log.lines, (Names{"data/tutorial.csv:4 x warning not a number: 'abc', the ste",
                                "data/tutorial.csv:5 y warning not a number: '12px', the st",
                                "data/tutorial.csv:5 text warning the text holds unquoted comm"}));
}

TEST(TutorialSteps, AMissingFileIsReportedAndLeavesNoSteps) {
    TempDirectory dir;
    OpenLog();
    dir.Write("data/tutorial.csv", "#a,1,2,,old step\n");
    TutorialSteps steps;
    ASSERT_TRUE(steps.Load());
    {
        ProblemLog log;
        EXPECT_FALSE(steps.Load("data/none.csv"));
        EXPECT_EQ(log.lines, Names{"data/none.csv:0  error Failed to load tutorial file"});
    }
    EXPECT_TRUE(steps.IsEmpty());
    // Through the game's own report: the assertion names the tour's module.
    ResetDiagnosticsCounters();
    EXPECT_FALSE(steps.Load("data/none.csv"));
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(LastAssertionReport().find("filename:Tutorialmanager,"), std::string::npos);
    EXPECT_NE(ReadDebugLog().find("data/none.csv: Failed to load tutorial file"),
              std::string::npos);
}
