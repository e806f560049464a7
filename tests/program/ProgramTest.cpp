// The built program, run as a player or script would run it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TempDirectory.h"

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

RunResult RunPolity(const std::string& arguments) {
    RunResult result;
    const std::string command = std::string(POLITY_EXECUTABLE) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace

TEST(Program, HeadlessRunWithShippedDataStartsAndShutsDownCleanly) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", std::filesystem::copy_options::recursive);
    const RunResult run = RunPolity("--headless --seed 7 --frames 5");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Polity"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("seed: 7\n"), std::string::npos);
    EXPECT_NE(run.output.find("frames: 5 on screen 0"), std::string::npos);
    EXPECT_NE(run.output.find("reported problems: 0 assertion(s), 0 data error(s)"), std::string::npos);
    const std::string log = ReadDebugLog();
    EXPECT_EQ(log.rfind("----DEBUG FILE----\n", 0), 0u);
    EXPECT_NE(log.find("END DEBUG---\n"), std::string::npos);
}

// The first country played for 40 seeded turns must print exactly the
// committed summary. After a deliberate change to the rules or the content,
// regenerate it with POLITY_UPDATE_GOLDEN=1 and review the difference.
TEST(Program, SeededHeadlessGameMatchesItsGoldenSummary) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", std::filesystem::copy_options::recursive);
    const std::string golden = std::string(POLITY_SOURCE_DIR) + "/tests/program/golden/valoria_seed7_40turns.txt";
    const RunResult run = RunPolity("--headless --mission 1 --seed 7 --turns 40");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    if (std::getenv("POLITY_UPDATE_GOLDEN")) {
        std::ofstream(golden, std::ios::binary) << run.output;
    }
    std::ifstream in(golden, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(run.output, expected);
    // The same game again, as JSON lines for tools: one per turn and the end.
    const RunResult json = RunPolity("--headless --mission 1 --seed 7 --turns 40 --json");
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(std::count(json.output.begin(), json.output.end(), '\n'), 41);
    EXPECT_EQ(json.output.rfind("{\"turn\":1,", 0), 0u) << json.output.substr(0, 200);
}

TEST(Program, HeadlessGameRefusesWhatItCannotPlay) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", std::filesystem::copy_options::recursive);
    RunResult run = RunPolity("--headless --mission 99 --turns 2");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("no mission 'mission99'"), std::string::npos) << run.output;
    run = RunPolity("--headless --turns 2 --actions missing.mil");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot read the actions file 'missing.mil'"), std::string::npos);
    EXPECT_EQ(RunPolity("--headless --turns 0").exitCode, 2);
    // Actions naming unknown policies are skipped with a warning naming the line.
    dir.Write("actions.mil", "NEWPOLICY,NoSuchThing\nNEXTTURN,_All_\n");
    run = RunPolity("--headless --seed 3 --turns 2 --actions actions.mil");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(ReadDebugLog().find("actions.mil:1: record 'NoSuchThing', key 'NEWPOLICY'"), std::string::npos);
}

TEST(Program, UsageErrorsExitWithTwoAndInformationalOptionsWithZero) {
    TempDirectory dir;
    RunResult run = RunPolity("--no-such-option");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("unknown option '--no-such-option'"), std::string::npos);
    EXPECT_EQ(RunPolity("--seed").exitCode, 2);
    run = RunPolity("--version");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.rfind("polity ", 0), 0u);
    EXPECT_NE(RunPolity("--help").output.find("--headless"), std::string::npos);
}

TEST(Program, MissingDataEndsWithTheReasonOnScreenAndInTheLog) {
    TempDirectory dir;  // no data folder at all
    const RunResult run = RunPolity("--headless --frames 1");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("data/manifesto.csv: Missing manifesto file"), std::string::npos) << run.output;
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("Missing manifesto file:Manifesto"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 13), "END DEBUG---\n");
}
