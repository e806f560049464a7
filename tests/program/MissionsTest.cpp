// Every shipped country, checked as the mission screen lists them and played
// headless from its start to its first election.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "platform/IniFile.h"
#include "support/TempDirectory.h"

namespace fs = std::filesystem;

namespace {

struct GameRun {
    int exitCode = -1;
    std::string output;
};

GameRun Polity(const std::string& arguments) {
    GameRun run;
    FILE* pipe = popen((std::string(POLITY_EXECUTABLE) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Whole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::set<std::string> PolicyNames() {
    std::set<std::string> names;
    std::istringstream lines(Whole("data/simulation/policies.csv"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("#,", 0) == 0) names.insert(line.substr(2, line.find(',', 2) - 2));
    }
    return names;
}

// The turn line of the headless summary, or "" when the game ended before it.
std::string TurnLine(const std::string& output, int turn) {
    char head[16];
    std::snprintf(head, sizeof head, "turn %3d ", turn);
    const size_t at = output.find(head);
    return at == std::string::npos ? "" : output.substr(at, output.find('\n', at) - at);
}

}  // namespace

TEST(Missions, EveryShippedCountryStartsCleanAndVotesOnTime) {
    TempDirectory dir;
    fs::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", fs::copy_options::recursive);
    // Anger never grows on the easiest setting, so no opposition attack can end
    // a game before its election.
    dir.Write("data/options.dedu", "[options]\nDIFFICULTY=0\n");
    const std::set<std::string> policies = PolicyNames();
    const std::string textures = std::string(POLITY_SOURCE_DIR) + "/assets/textures/";

    int missions = 0, congressCountries = 0;
    for (int n = 1; fs::exists("data/missions/mission" + std::to_string(n) + ".txt"); ++n, ++missions) {
        const std::string id = "mission" + std::to_string(n);
        const std::string path = "data/missions/" + id + ".txt";
        SCOPED_TRACE(path);
        const std::string name = IniFile::ReadString("config", "name", "", path);
        EXPECT_FALSE(name.empty());
        // A saved game finds its mission file from the matrix path.
        const std::string matrix = IniFile::ReadString("config", "matrix", "", path);
        EXPECT_EQ(matrix, "data/missions/" + id + ".mtx");
        ASSERT_TRUE(fs::exists(matrix)) << "the voter matrix is committed, not made by the first game";
        const std::string matrixBefore = Whole(matrix);
        EXPECT_TRUE(fs::exists(textures + "flag_" + IniFile::ReadString("config", "flag", "", path) + ".svg"));
        EXPECT_TRUE(fs::exists(textures + IniFile::ReadString("briefing", "texture", "", path) + ".svg"));
        for (const char* key : {"name", "population", "unemployment", "termlength", "debt"})
            EXPECT_TRUE(IniFile::Find("briefing", key, path).has_value()) << key;
        for (const char* section : {"name_male_first", "name_female_first", "name_last"})
            EXPECT_GE(IniFile::ReadSectionRaw(section, path).size(), 10u) << section;

        // The game skips a policy it does not know without a word.
        std::istringstream lines(Whole(path));
        bool inPolicies = false;
        for (std::string line; std::getline(lines, line);) {
            if (!inPolicies) {
                inPolicies = line.find("[policies]") != std::string::npos;
                continue;
            }
            if (line.empty()) continue;
            const size_t comma = line.find(',');
            EXPECT_TRUE(policies.count(line.substr(0, comma))) << line;
            const float slider = std::strtof(line.c_str() + comma + 1, nullptr);
            EXPECT_TRUE(comma != std::string::npos && slider >= 0.0f && slider <= 1.0f) << line;
        }

        // Played to its first election: no data errors, the calendar starts
        // one turn after the mission's date, and the vote falls on schedule.
        const int term = IniFile::ReadInt("config", "termlength", 4, path);
        const GameRun game = Polity("--headless --seed 5 --mission " + std::to_string(n) + " --turns " +
                                std::to_string(4 * term + 1));
        EXPECT_EQ(game.exitCode, 0) << game.output;
        const int month = IniFile::ReadInt("config", "month", 0, path) + 3;
        char start[16];
        std::snprintf(start, sizeof start, "%04d-%02d", IniFile::ReadInt("config", "year", 0, path) + month / 12,
                      month % 12 + 1);
        const std::string first = TurnLine(game.output, 1);
        ASSERT_FALSE(first.empty()) << game.output;
        EXPECT_NE(first.find(start), std::string::npos) << first;
        const float approval = std::strtof(first.c_str() + first.find("approval") + 8, nullptr);
        EXPECT_TRUE(approval > 30.0f && approval < 70.0f) << first;
        const std::string voteLine = TurnLine(game.output, 4 * term);
        ASSERT_NE(voteLine.find("election:"), std::string::npos) << game.output;
        EXPECT_EQ(game.output.find("election:"), game.output.find(voteLine) + voteLine.find("election:"))
            << "an election before the end of the term\n" << game.output;
        EXPECT_EQ(Whole(matrix), matrixBefore);

        // Midterms, halfway through a four-year term, elect the first third of
        // the upper house; only the congress country has one.
        const std::string midterm = id + "_turn8.dedu";
        ASSERT_EQ(Polity("--headless --seed 5 --turns 8 --mission " + std::to_string(n) + " --save " + midterm).exitCode,
                  0);
        EXPECT_EQ(IniFile::ReadInt("usacongress", "chunk", -1, midterm), name == "USA" ? 1 : 0);
        congressCountries += name == "USA";
    }
    EXPECT_GE(missions, 6);
    EXPECT_EQ(congressCountries, 1);
}
