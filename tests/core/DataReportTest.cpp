// Content problems name file, line, record and key, and reach the right report.
#include <gtest/gtest.h>

#include "core/DataReport.h"
#include "engine/Diagnostics.h"
#include "support/TempDirectory.h"
#include "engine/DebugLog.h"

TEST(DataReport, NamesWhereAndRoutesBySeverity) {
    TempDirectory dir;
    OpenLog();
    ResetDiagnosticsCounters();
    const DataLocation where{"data/simulation/policies.csv", 12, "IncomeTax", "cost"};
    EXPECT_EQ(DescribeDataProblem(where, "not a number"),
              "data/simulation/policies.csv:12: record 'IncomeTax', key 'cost': not a number");
    EXPECT_EQ(DescribeDataProblem({"data/strings.ini", 0, "", ""}, "missing"), "data/strings.ini: missing");

    const int errorsBefore = DataErrorCount();
    ReportDataProblem(DataSeverity::Warning, where, "odd value", "PolicyManager", 88);
    EXPECT_EQ(FailedAssertionCount(), 0);
    ReportDataProblem(DataSeverity::Error, where, "unknown neuron", "PolicyManager", 99);
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_EQ(DataErrorCount(), errorsBefore + 1);
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("data warning: data/simulation/policies.csv:12: record 'IncomeTax', key 'cost': odd value\n"
                       "PolicyManager:odd value 88\n"),
              std::string::npos);
    EXPECT_NE(log.find("Assertion failure:filename:PolicyManager,linenum:99"), std::string::npos);
    EXPECT_EXIT(ReportDataProblem(DataSeverity::Fatal, where, "cannot open policies", "PolicyManager", 5),
                ::testing::ExitedWithCode(1), "policies.csv:12: record 'IncomeTax', key 'cost': cannot open policies");
    ResetDiagnosticsCounters();
}

TEST(DataReport, WhatAPersonReadsIsASentenceOfSensibleLength) {
    TempDirectory dir;
    OpenLog();
    SetReportsToStandardError(true);
    // A name out of a damaged save may be megabytes long: cut on the terminal, whole in the log.
    const std::string huge(100000, 'x');
    testing::internal::CaptureStderr();
    ReportDataProblem(DataSeverity::Error, {"s.dedu", 3, huge, "name"}, "no such group", "VoterManager", 145);
    Assert(false, "SaveGameManager", 350);
    const std::string told = testing::internal::GetCapturedStderr();
    SetReportsToStandardError(false);
    ResetDiagnosticsCounters();
    EXPECT_EQ(told.rfind("polity: data error: s.dedu:3: record 'xxx", 0), 0u) << told.substr(0, 200);
    const size_t firstEnd = told.find('\n');
    EXPECT_LT(firstEnd, 400u);
    EXPECT_NE(told.find("(the whole text is in debugdata/debug.txt)\n"), std::string::npos);
    EXPECT_EQ(told.substr(firstEnd + 1),
              "polity: an internal check failed (SaveGameManager, line 350); the report is in "
              "debugdata/debug.txt\n");
    EXPECT_NE(ReadDebugLog().find(huge), std::string::npos);
}
