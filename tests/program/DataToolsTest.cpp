// The data check and the balance run from the command line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TempDirectory.h"

namespace {

struct PolityRun {
    int exitCode = -1;
    std::string output;
};

PolityRun Polity(const std::string& arguments) {
    PolityRun run;
    FILE* pipe = popen((std::string(POLITY_EXECUTABLE) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(DataTools, CheckDataAndBalanceRunFromTheCommandLine) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data",
                          std::filesystem::copy_options::recursive);
    PolityRun check = Polity("--check-data");
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_NE(check.output.find("data check: 0 problem(s)"), std::string::npos) << check.output;

    dir.Write("data/hints.csv", "#,NoSuchSituation,IncomeTax\n");
    check = Polity("--check-data");
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.output.find("data/hints.csv:1: record 'NoSuchSituation': no situation named"),
              std::string::npos)
        << check.output;

    // Short labels are measured in the faces the map prints them in.
    std::string voters = dir.Read("data/simulation/votertypes.csv");
    voters.replace(voters.find(",Freelance,#"), 12, ",Self-employed traders,#");
    dir.Write("data/simulation/votertypes.csv", voters);
    check = Polity("--check-data");
    EXPECT_NE(check.output.find("record 'Self employed', key 'short label': 'Self-employed "
                                "traders' is "),
              std::string::npos)
        << check.output;
    EXPECT_NE(check.output.find("where a voter-group strip leaves 58 at 800 x 600\n"),
              std::string::npos)
        << check.output;

    const PolityRun balance =
        Polity("--balance --games 3 --turns 3 --mission 1 --jobs 2 --out report");
    EXPECT_EQ(balance.exitCode, 0) << balance.output;
    EXPECT_NE(balance.output.find("3 games of up to 3 turns"), std::string::npos) << balance.output;
    EXPECT_NE(dir.Read("report/balance.html").find("<svg"), std::string::npos);
    EXPECT_EQ(dir.Read("report/balance.csv").rfind("game,mission,strategy,seed,end,", 0), 0u);

    EXPECT_EQ(Polity("--jobs 2").exitCode, 2);
}
