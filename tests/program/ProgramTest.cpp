// The built program, run as a player or script would run it.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/TempDirectory.h"

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

RunResult RunPolity(const std::string& arguments) {
    const ProgramRun run = RunProgram(std::string(POLITY_EXECUTABLE) + " " + arguments);
    return {run.exitCode, run.All()};
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
    const std::string golden = std::string(POLITY_SOURCE_DIR) + "/tests/program/golden/valoria_seed4_40turns.txt";
    const RunResult run = RunPolity("--headless --mission 1 --seed 4 --turns 40");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    if (std::getenv("POLITY_UPDATE_GOLDEN")) {
        std::ofstream(golden, std::ios::binary) << run.output;
    }
    std::ifstream in(golden, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(run.output, expected);
    // The same game again, as JSON lines for tools: one per turn played (the
    // game may end at a lost election before the 40th) and the end.
    size_t turns = 0;
    for (size_t at = run.output.find("\nturn "); at != std::string::npos; at = run.output.find("\nturn ", at + 1))
        ++turns;
    EXPECT_GE(turns, 16u) << run.output;
    const RunResult json = RunPolity("--headless --mission 1 --seed 4 --turns 40 --json");
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(static_cast<size_t>(std::count(json.output.begin(), json.output.end(), '\n')), turns + 1);
    EXPECT_EQ(json.output.rfind("{\"turn\":1,", 0), 0u) << json.output.substr(0, 200);
}

TEST(Program, OutputsAreUtf8WhateverTheDataSpells) {
    TempDirectory dir;
    namespace fs = std::filesystem;
    fs::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", fs::copy_options::recursive);
    // A modder's situation name in Windows-1252, as the game's files are.
    for (const char* file : {"data/simulation/situations.csv", "data/hints.csv"}) {
        std::string text = dir.Read(file);
        for (size_t at; (at = text.find("WealthGap")) != std::string::npos;)
            text.replace(at, 9, "Caf\xe9Gap");
        dir.Write(file, text);
    }
    for (const char* format : {"", " --json"}) {
        const RunResult run = RunPolity(std::string("--headless --mission 2 --seed 3 --turns 1") + format);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_NE(run.output.find("Caf\xc3\xa9Gap"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("Caf\xe9"), std::string::npos) << format;
    }
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

namespace {

std::vector<std::string> TurnLines(const std::string& output) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        if (output.compare(start, 5, "turn ") == 0) lines.push_back(output.substr(start, end - start));
    }
    return lines;
}

// The part of a turn line a loaded game can reproduce: what happened during
// the turn (events, dilemmas, an election) is not part of the saved state.
std::string WithoutHappenings(const std::string& line) {
    const size_t situations = line.find("situations: ");
    const size_t after = line.find("  ", situations);
    return after == std::string::npos ? line : line.substr(0, after);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

// A save at turn k, loaded and played on: the loaded game starts exactly
// where the saved one stood, plays on exactly as the unbroken game, and
// saving it again at once gives the same file.
TEST(Program, SavedGameLoadsWhereItStoodAndPlaysOn) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", std::filesystem::copy_options::recursive);
    RunPolity("--headless --seed 7 --turns 1");  // the first game writes the voter matrix
    const RunResult straight = RunPolity("--headless --seed 7 --turns 10");
    const RunResult first = RunPolity("--headless --seed 7 --turns 6 --save saved.dedu");
    ASSERT_EQ(first.exitCode, 0) << first.output;
    const RunResult loaded = RunPolity("--headless --turns 10 --load saved.dedu");
    ASSERT_EQ(loaded.exitCode, 0) << loaded.output;
    EXPECT_NE(loaded.output.find(": saved game saved.dedu, seed "), std::string::npos) << loaded.output;

    const std::vector<std::string> expected = TurnLines(straight.output);
    const std::vector<std::string> played = TurnLines(loaded.output);
    ASSERT_EQ(expected.size(), 10u);
    ASSERT_EQ(played.size(), 5u) << loaded.output;
    EXPECT_EQ(played[0], WithoutHappenings(expected[5]));
    for (size_t i = 1; i < played.size(); ++i) EXPECT_EQ(played[i], expected[5 + i]);

    EXPECT_EQ(RunPolity("--headless --turns 6 --load saved.dedu --save again.dedu").exitCode, 0);
    EXPECT_EQ(ReadWhole("again.dedu"), ReadWhole("saved.dedu"));

    dir.Write("data/savegames/cut.dedu", ReadWhole("saved.dedu").substr(0, 5000));
    const RunResult cut = RunPolity("--headless --turns 8 --load data/savegames/cut.dedu");
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.output.find("cannot load 'data/savegames/cut.dedu': not a whole saved game"), std::string::npos)
        << cut.output;
    // A save that cannot replace its target (here a folder) fails the run.
    const RunResult unsaved = RunPolity("--headless --seed 1 --turns 2 --save data/missions");
    EXPECT_EQ(unsaved.exitCode, 1);
    EXPECT_NE(unsaved.output.find("cannot save 'data/missions'"), std::string::npos) << unsaved.output;
}

// A script the game recorded begins with the game start's own turn; played
// back it gives the game it recorded, where following it as plain actions
// would run one turn behind.
TEST(Program, ReplayFollowsARecordedScriptFromTheGameStart) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data", std::filesystem::copy_options::recursive);
    dir.Write("plain.mil", "ADJSLIDER,IncomeTax,0.9\nNEXTTURN,_All_\nNEXTTURN,_All_\nCANCELPOLICY,IncomeTax\n");
    dir.Write("data/script.mil",
              "NEXTTURN,_All_\nADJSLIDER,IncomeTax,0.900000\nNEXTTURN,_All_\nNEXTTURN,_All_\nCANCELPOLICY,IncomeTax\n");
    const RunResult actions = RunPolity("--headless --seed 4 --turns 5 --actions plain.mil");
    const RunResult replay = RunPolity("--headless --seed 4 --turns 5 --replay data/script.mil");
    EXPECT_EQ(replay.exitCode, 0) << replay.output;
    EXPECT_EQ(replay.output, actions.output);
    EXPECT_EQ(RunPolity("--headless --replay a.mil --actions b.mil").exitCode, 2);
    EXPECT_NE(RunPolity("--help").output.find("--replay F"), std::string::npos);
}
