// The debug log, assertion reports, fatal errors and the bug-report address.
#include <gtest/gtest.h>

#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "engine/Profiler.h"
#include "support/TempDirectory.h"

TEST(DebugLog, WritesHeaderChannelsAndFooterAndDropsLinesWhenClosed) {
    TempDirectory dir;
    Log("before open");
    OpenLog();
    DebugLog::Instance().EnableChannel("finance");
    Log("plain line\n");
    DebugLog::Instance().WriteChannel("finance", "IncomeTax income 12.000000\n");
    DebugLog::Instance().WriteChannel("voters", "not written");
    Trace("SituationManager", "missing neuron", 42);
    // Every line is on disk before the log is closed.
    EXPECT_EQ(ReadDebugLog(),
              "----DEBUG FILE----\nplain line\nIncomeTax income 12.000000\nSituationManager:missing neuron 42\n");
    CloseLog();
    Log("after close");
    EXPECT_EQ(ReadDebugLog().substr(ReadDebugLog().size() - 13), "END DEBUG---\n");
    DebugLog::Instance().DisableChannel("finance");
}

TEST(Diagnostics, FailedAssertionReportsModuleLineFlagAndCarriesOn) {
    TempDirectory dir;
    OpenLog();
    ResetDiagnosticsCounters();
    SetCountryFlagName("flag_valoria");
    Assert(true, "GUI_WindowTab", 10);
    EXPECT_EQ(FailedAssertionCount(), 0);
    Assert(false, "GUI_WindowTab", 38);
    const std::string report =
        "Assertion failure:filename:GUI_WindowTab,linenum:38,build:version,flag:flag_valoria,Not Windows XP";
    EXPECT_EQ(LastAssertionReport(), report);
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(ReadDebugLog().find(report + "\n"), std::string::npos);

    // The body reaches the mail program exactly, whatever the report holds.
    EXPECT_EQ(BugReportAddress("a&b=c?d e"),
              "mailto:bugs@polity-game.example?subject=bugreport&body=a%26b%3Dc%3Fd%20e");
    SetCountryFlagName("");
    ResetDiagnosticsCounters();
}

TEST(DiagnosticsDeathTest, FatalErrorKeepsTheReasonInTheLogAndExits) {
    TempDirectory dir;
    EXPECT_EXIT(
        {
            OpenLog();
            FatalError("unknown operator", "NeuralEffect", 77);
        },
        ::testing::ExitedWithCode(1), "unknown operator:NeuralEffect 77");
    // The child closed the log before ending, so the reason is on disk.
    EXPECT_EQ(ReadDebugLog(), "----DEBUG FILE----\nunknown operator:NeuralEffect 77\nEND DEBUG---\n");
}

TEST(Profiler, CountsEntriesAndReportsMismatchedEnds) {
    TempDirectory dir;
    OpenLog();
    Profiler& profiler = Profiler::Instance();
    profiler.Clear();
    BeginTag("ProcessTextQueue");
    BeginTag("ProcessTextQueue");  // begun twice without an end: counts 2
    EXPECT_EQ(profiler.CurrentTag(), "ProcessTextQueue");
    EndTag("ProcessTextQueue");
    EXPECT_EQ(profiler.CurrentTag(), "undefined");
    BeginTag("PTQ Lock");
    EndTag("PTQ Lock");
    EndTag("never begun");
    ASSERT_NE(profiler.Find("ProcessTextQueue"), nullptr);
    EXPECT_EQ(profiler.Find("ProcessTextQueue")->count, 2);
    EXPECT_TRUE(profiler.Find("ProcessTextQueue")->timer.IsPaused());
    EXPECT_EQ(profiler.Find("PTQ Lock")->colour, 0xFF00FF00u);  // second tag, second palette colour
    EXPECT_NE(ReadDebugLog().find("Performance tag mismatch"), std::string::npos);
    profiler.Clear();
}

TEST(Timer, AccumulatesOnlyWhileRunning) {
    Timer timer;
    timer.SetScale(2.0f);
    timer.Pause();
    const double paused = timer.ElapsedMilliseconds();
    timer.Read();
    EXPECT_EQ(timer.ElapsedMilliseconds(), paused);
    timer.Resume();
    timer.Read();
    EXPECT_GE(timer.ElapsedMilliseconds(), paused);
    timer.Start();
    EXPECT_EQ(timer.ElapsedMilliseconds(), 0.0);
}
