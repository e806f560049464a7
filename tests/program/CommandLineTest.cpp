// The command line as players, modders and scripts rely on it: where it
// reads and writes, its errors and exit codes, a loaded game played on, the
// updater against a local server, and an installed game.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/LocalHttpServer.h"
#include "support/ProgramRun.h"
#include "support/TempDirectory.h"

namespace {

namespace fs = std::filesystem;

// `before` runs first in the same shell ("cd work &&", "HOME=/x").
ProgramRun Polity(const std::string& arguments, const std::string& before = "") {
    return RunProgram(before + " " + POLITY_EXECUTABLE + " " + arguments);
}

void CopyData(const std::string& to) {
    fs::create_directories(fs::path(to).parent_path().empty() ? "." : fs::path(to).parent_path());
    fs::copy(std::string(POLITY_SOURCE_DIR) + "/data", to, fs::copy_options::recursive);
}

// Every file under a folder with its size and time: equal snapshots mean
// nothing there was written.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(
    const fs::path& folder) {
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[entry.path().string()] = {entry.file_size(), entry.last_write_time()};
    }
    return files;
}

// Each error is one line of its own, in the program's name.
void ExpectErrorLines(const ProgramRun& run, const std::string& expected) {
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    size_t start = 0;
    for (size_t end; (end = run.err.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_EQ(run.err.compare(start, 8, "polity: "), 0) << run.err;
    }
    EXPECT_EQ(start, run.err.size()) << "unfinished line: " << run.err;
}

}  // namespace

TEST(CommandLine, BadUsageIsOneLineOnStandardErrorAndExitsTwo) {
    TempDirectory dir;
    const std::pair<const char*, const char*> cases[] = {
        {"--no-such-option", "unknown option '--no-such-option'"},
        {"--headless --load --turns 3", "--load needs a file name"},
        {"--seed seven", "--seed needs a whole number"},
        {"--headless --load s.dedu --mission 2", "--load plays on the saved game's own mission"},
        {"--update --screenshot x.png", "give only one of --update, --screenshot"},
        {"--server 127.0.0.1", "--server is for --update"},
        {"--headless --user-dir", "--user-dir needs a folder"},
        // Options a run would quietly ignore name both sides.
        {"--check-data --headless --save x.dedu", "--save does not go with --check-data"},
        {"--frames 2 --load f.dedu", "--load does not go with --frames"},
        {"--screenshot s.png --load f.dedu", "--load does not go with --screenshot"},
        {"--balance --load f.dedu", "--load does not go with --balance"},
        {"--json --balance", "--json does not go with --balance"},
        {"--headless --windowed", "--windowed does not go with --headless"},
        {"--load f.dedu --size 800x600", "--size does not go with --load"},
    };
    for (const auto& [arguments, expected] : cases) {
        const ProgramRun run = Polity(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        ExpectErrorLines(run, expected);
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));
    const ProgramRun help = Polity("--help");
    for (const char* word : {"--data DIR", "--user-dir DIR", "--update", "2 bad usage"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST(CommandLine, DataAndUserFoldersLeaveTheDataAndWorkingFoldersAlone) {
    TempDirectory dir;
    CopyData("game/data");
    fs::create_directory("work");
    const auto game = Snapshot("game");
    ProgramRun run = Polity(
        "--data ../game/data --user-dir ../player --headless --seed 3 --turns 2 --save s.dedu",
        "cd work &&");
    ASSERT_EQ(run.exitCode, 0) << run.All();
    EXPECT_TRUE(fs::exists("player/debugdata/debug.txt"));
    EXPECT_EQ(Snapshot("work").size(), 1u);  // the save asked for, and nothing else
    // The folder holding "data" names the same data; a load plays on.
    run = Polity("--data ../game --user-dir ../player --headless --load s.dedu --turns 3",
                 "cd work &&");
    EXPECT_EQ(run.exitCode, 0) << run.All();
    EXPECT_EQ(Snapshot("game"), game);
    EXPECT_TRUE(fs::exists("player/savelog.txt"));

    // A player's own mission under the user folder's data stands beside the game's.
    fs::create_directories("player/data/missions");
    fs::copy("game/data/missions/mission1.txt", "player/data/missions/mine.txt");
    run = Polity("--data game --user-dir player --headless --mission mine --turns 1");
    EXPECT_EQ(run.exitCode, 0) << run.All();
    run = Polity("--data nowhere --headless --turns 1");
    EXPECT_EQ(run.exitCode, 1);
    ExpectErrorLines(run, "--data: no game data in 'nowhere'");
}

TEST(CommandLine, BadFilesAreOneLineErrorsNamingFileAndLineAndExitOne) {
    TempDirectory dir;
    CopyData("data");
    // What a save killed midway left behind goes at the next start.
    dir.Write("data/savegames/.killed.dedu.tmp999999999", "half a save");
    ASSERT_EQ(Polity("--headless --seed 2 --turns 3 --save good.dedu").exitCode, 0);
    EXPECT_FALSE(fs::exists("data/savegames/.killed.dedu.tmp999999999"));
    const std::string good = dir.Read("good.dedu");
    dir.Write("garbage.dedu", "\x01\x02 not a game\n");
    dir.Write("cut.dedu", good.substr(0, good.size() / 3));
    dir.Write("cutexact.dedu", good.substr(0, good.rfind("\nflags\t") + 1));
    // Loads, with a group the data no longer has: reported, played, never saved.
    std::string stale = good;
    const std::string religious = "[votertype]\nname=Religious\n";
    stale.replace(stale.find(religious), religious.size(), "[votertype]\nname=Pious\n");
    dir.Write("stale.dedu", stale);
    dir.Write("binary.mil",
              "\x7f"
              "ELF\x02\x01\n");
    dir.Write("verbs.mil", "NEXTTURN,_All_\nFLY,Me\n");
    dir.Write("cutslider.mil", "ADJSLIDER,IncomeTax,\n");
    // A pipe would be waited on for ever and a sparse 3 GB file read whole.
    ASSERT_EQ(::mkfifo("pipe.dedu", 0600), 0);
    dir.Write("huge.dedu", "");
    fs::resize_file("huge.dedu", 3ull << 30);
    const std::pair<std::string, std::string> cases[] = {
        {"--load missing.dedu", "cannot load 'missing.dedu': the file does not exist"},
        {"--load pipe.dedu", "cannot load 'pipe.dedu': it is not a regular file"},
        {"--load huge.dedu",
         "cannot load 'huge.dedu': it is 3072 MB, more than the 64 MB such a file can be"},
        {"--load garbage.dedu", "garbage.dedu:1: not a saved game"},
        {"--load cut.dedu",
         "cut.dedu:" +
             std::to_string(std::count(good.begin(), good.begin() + good.size() / 3, '\n') + 1) +
             ": the file ends in the middle of a line: cut short"},
        {"--load cutexact.dedu", "the exact state ends before its closing 'flags' line: cut short"},
        {"--load stale.dedu",
         "cannot save 'out.dedu': the run reported a problem, so nothing was written"},
        {"--actions binary.mil", "binary.mil:1: not a line of text"},
        {"--actions verbs.mil", "verbs.mil:2: 'FLY,Me' is not an action"},
        {"--actions cutslider.mil",
         "cutslider.mil:1: ADJSLIDER needs a slider value from 0 to 1, not ''"},
        {"--mission 99", "no mission 'mission99' (data/missions/mission99.txt)"},
    };
    for (const auto& [arguments, expected] : cases) {
        const ProgramRun run = Polity("--headless --turns 5 --save out.dedu " + arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments;
        ExpectErrorLines(run, expected);
        EXPECT_FALSE(fs::exists("out.dedu")) << arguments;  // no save of a game not played
    }
    EXPECT_NE(ReadDebugLog().find("no mission 'mission99'"), std::string::npos);
    const ProgramRun shot = Polity("--screenshot good.dedu/shot.png --size 320x240");
    EXPECT_EQ(shot.exitCode, 1);
    ExpectErrorLines(shot, "no screenshot: ");
}

// The whole game's actions go with the load: the loaded game skips the turns
// it has played. An election falls between the save and the end, which ends
// the game if it is lost.
TEST(CommandLine, GameLoadedAtTurnKPlaysOnExactlyAsTheUnbrokenGame) {
    TempDirectory dir;
    CopyData("data");
    dir.Write(
        "actions.mil",
        "ADJSLIDER,IncomeTax,0.9\nNEWPOLICY,CarbonTax\nNEXTTURN,_All_\nNEWPOLICY,MinimumWage\n"
        "NEXTTURN,_All_\nNEXTTURN,_All_\nCANCELPOLICY,CarbonTax\nNEXTTURN,_All_\nNEXTTURN,_All_\n"
        "NEWPOLICY,CarbonTax\nADJSLIDER,SalesTax,0.2\nNEXTTURN,_All_\n");
    const std::string game = "--headless --json --seed 4 --actions actions.mil ";
    const ProgramRun straight = Polity(game + "--turns 20");
    ASSERT_EQ(Polity(game + "--turns 5 --save five.dedu").exitCode, 0);
    const ProgramRun loaded =
        Polity("--headless --json --actions actions.mil --turns 20 --load five.dedu");
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
    const size_t election = straight.out.find("\"election\":\"", straight.out.find("{\"turn\":6,"));
    bool heldAfterTheSave = false;
    for (size_t at = election; at != std::string::npos;
         at = straight.out.find("\"election\":\"", at + 1))
        heldAfterTheSave = heldAfterTheSave || straight.out[at + 12] != '"';
    EXPECT_TRUE(heldAfterTheSave) << straight.out;
    const size_t sixth = straight.out.find("{\"turn\":6,");
    ASSERT_NE(sixth, std::string::npos);
    EXPECT_EQ(loaded.out.substr(loaded.out.find("{\"turn\":6,")), straight.out.substr(sixth));
}

TEST(CommandLine, UpdateFetchesMissingFilesIntoTheUserFolderWithProgress) {
    TempDirectory dir;
    CopyData("game/data");
    const auto game = Snapshot("game");
    LocalHttpServer server;
    server.Serve("/voxmere/autoupdate/files.txt",
                 "files/a.txt,data/mods/policies/new.txt\r\nfiles/b.csv,data/extra.csv\r\n"
                 "files/strings.ini,data/strings.ini\r\n");
    server.Serve("/files/a.txt", "a mod\n");
    server.Serve("/files/b.csv", std::string(5000, 'b'), 200, LocalHttpServer::Framing::Chunked);
    const std::string update =
        "--update --server " + server.Address() + " --data game --user-dir player";
    ProgramRun run = Polity(update);
    ASSERT_EQ(run.exitCode, 0) << run.All();
    EXPECT_NE(run.out.find("[" + std::string(30, '#') + "] 100%  data/extra.csv\n"),
              std::string::npos)
        << run.out;
    const std::string player = (fs::current_path() / "player").string();
    EXPECT_NE(run.out.find("2 new file(s):\n  " + player + "/data/mods/policies/new.txt\n  " +
                           player + "/data/extra.csv\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(dir.Read("player/data/extra.csv"), std::string(5000, 'b'));
    EXPECT_EQ(Snapshot("game"), game);  // strings.ini is there already: never fetched
    run = Polity(update);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("no new files"), std::string::npos);

    server.Serve("/voxmere/autoupdate/files.txt", "files/c.txt,data/c.txt\n");
    run = Polity(update);
    EXPECT_EQ(run.exitCode, 1);
    ExpectErrorLines(run, "polity: update: Internet: the server answered 404 for files/c.txt");
    EXPECT_FALSE(fs::exists("player/data/c.txt"));
    run = Polity("--update --server 127.0.0.1:1 --data game --user-dir player");
    EXPECT_EQ(run.exitCode, 1);
    ExpectErrorLines(run, "polity: update: Internet: HttpSendRequest() Failed (");
}

TEST(Install, InstalledGameReadsItsFolderAndWritesOnlyUnderTheUsersDataFolder) {
    TempDirectory dir;
    const std::string prefix = dir.Path() + "/prefix";
    const ProgramRun install = RunProgram(std::string(POLITY_CMAKE) + " --install '" +
                                          POLITY_BINARY_DIR + "' --prefix '" + prefix + "'");
    ASSERT_EQ(install.exitCode, 0) << install.All();
    for (const char* file :
         {"bin/polity", "share/polity/data/data.ini", "share/polity/data/bitmaps/cursor.dds",
          "share/polity/data/sounds/music.ogg", "share/applications/polity.desktop",
          "share/icons/hicolor/scalable/apps/polity.svg",
          "share/icons/hicolor/256x256/apps/polity.png"}) {
        EXPECT_TRUE(fs::exists(prefix + "/" + file)) << file;
    }
    fs::create_directory("work");
    const auto installed = Snapshot(prefix);
    const std::string program = "'" + prefix + "/bin/polity' --headless --seed 3 --turns 2";
    ProgramRun run =
        RunProgram("cd work && env -u XDG_DATA_HOME HOME='" + dir.Path() + "/home' " + program);
    ASSERT_EQ(run.exitCode, 0) << run.All();
    EXPECT_TRUE(fs::exists("home/.local/share/polity/debugdata/debug.txt"));
    run = RunProgram("cd '" + prefix + "/bin' && HOME='" + dir.Path() + "/home' XDG_DATA_HOME='" +
                     dir.Path() + "/xdg' " + program);
    ASSERT_EQ(run.exitCode, 0) << run.All();
    EXPECT_TRUE(fs::exists("xdg/polity/debugdata/debug.txt"));
    EXPECT_EQ(Snapshot(prefix), installed);  // not even from inside its own folder
    EXPECT_TRUE(fs::is_empty("work"));
}
