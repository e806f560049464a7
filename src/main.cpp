// Program entry: reads the command line, runs the application and reports.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "aids/Achievements.h"
#include "aids/BalanceRun.h"
#include "aids/DataCheck.h"
#include "core/Application.h"
#include "core/CommandLine.h"
#include "core/DataReport.h"
#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "engine/DataPaths.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "engine/GdiText.h"
#include "engine/TestScene.h"
#include "engine/UpdateCommand.h"
#include "gui/WindowedProgram.h"
#include "platform/FileSystem.h"
#include "platform/GameFolders.h"
#include "platform/Shell.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/StringTable.h"
#include "world/HeadlessGame.h"
#include "world/SaveGameManager.h"
#include "world/Manifesto.h"

namespace {

constexpr const char* kVersion = "0.1.0";

#ifndef POLITY_INSTALLED_DATA
#define POLITY_INSTALLED_DATA ""
#endif

// One line on standard error, and the same in the debug log when it is open.
void ReportError(const std::string& text) {
    std::fprintf(stderr, "polity: %s\n", text.c_str());
    Log("polity: " + text);
}

// The data folder named by --data: the folder itself or the one holding it.
std::string FindDataFolder(const std::string& given, std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const fs::path& folder : {fs::path(given), fs::path(given) / "data"}) {
        if (fs::is_regular_file(folder / "data.ini", ec)) return folder.generic_string();
    }
    *error = "--data: no game data in '" + given + "' (neither it nor its data folder holds data.ini)";
    return {};
}

// Where the game reads its data and writes the player's files. Run from a
// source tree with neither --data nor --user-dir, the game's paths stay as
// written (the working folder). An installed game reads its install folder
// and writes under the player's XDG data folder. Files named on the command
// line always mean the working folder, so they become absolute first.
bool SetUpGameFolders(CommandLineOptions& options, std::string* error) {
    const auto installed = platform::InstalledDataFolder(POLITY_INSTALLED_DATA);
    if (!installed && options.dataFolder.empty() && options.userFolder.empty()) return true;
    platform::GameFolders folders;
    if (!options.dataFolder.empty()) {
        folders.data = FindDataFolder(options.dataFolder, error);
        if (folders.data.empty()) return false;
    } else if (installed) {
        folders.data = *installed;
    }
    if (!options.userFolder.empty()) {
        folders.user = options.userFolder;
    } else if (installed) {
        folders.user = platform::DefaultUserFolder(error);
        if (folders.user.empty()) return false;
    }
    folders.overlay = !folders.user.empty();
    if (installed) SetGeneratedDataFolder(*installed);
    for (std::string* path : {&options.load, &options.save, &options.actions, &options.replay,
                              &options.screenshot, &options.balanceOut}) {
        std::error_code ec;
        if (!path->empty()) *path = std::filesystem::absolute(*path, ec).generic_string();
    }
    platform::SetGameFolders(folders);
    const std::string user = platform::CurrentGameFolders().user;
    if (!user.empty() && !platform::CreateDirectories(user)) {
        *error = "cannot create the user folder '" + user + "'";
        return false;
    }
    return true;
}

// Without a window: the player's options are read, but nothing the player
// keeps (options, records) is written by a scripted run.
class HeadlessServices : public ApplicationServices {
public:
    void StartContent() override {
        GameOptions::Instance().Load();
        Manifesto::Instance().LoadOptions();
    }
    void StartMusicAndRecords() override { Achievements::Instance().Load(); }
    // Every manager is reset by the core first; the network goes last.
    void ReleaseGameState() override {
        Network::DeleteAllNeurons();
        Network::DeleteAllEffects();
    }
};

// Starts the program, runs a few frames with no game, and reports.
int RunFramesOnly(Application& app, int frames, std::uint32_t seed) {
    const std::string title = GetString("APP_TITLE");
    app.Run(frames);
    const int screen = app.CurrentScreenId();
    const long framesRun = app.FramesRun();
    app.Shutdown();
    const int assertions = FailedAssertionCount();
    std::printf("%s %s (headless)\n", title.c_str(), kVersion);
    std::printf("seed: %u\n", seed);
    std::printf("setup values: %zu from data/data.ini\n", SetupValues::Instance().Count());
    std::printf("strings: %zu from data/strings.ini\n", StringTable::Instance().Count());
    std::printf("frames: %ld on screen %d\n", framesRun, screen);
    std::printf("reported problems: %d assertion(s), %d data error(s)\n", assertions, DataErrorCount());
    return assertions == 0 && DataErrorCount() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLineResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "polity: %s (see polity --help)\n", parsed.error.c_str());
        return 2;
    }
    CommandLineOptions options = parsed.options;
    if (options.help) {
        std::fputs(CommandLineUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("polity %s\n", kVersion);
        return 0;
    }
    if (std::string error; !SetUpGameFolders(options, &error)) {
        ReportError(error);
        return 1;
    }
    // What a killed save or download left half-written is of no use to anyone.
    for (const char* folder : {"data", "data/savegames"})
        if (const int stale = platform::RemoveStaleTemporaryFiles(folder))
            Log("removed " + std::to_string(stale) + " stale temporary file(s) from " + folder);
    if (options.update) return RunUpdateCommand(options.updateServer);
    if (options.checkData) {
        // Labels are measured in the fonts the map draws them with.
        return RunDataCheckCommand(stdout, [](std::string_view face, int size, std::string_view text) {
            GdiText& gdi = GdiText::Instance();
            gdi.SelectFont(face, size);
            return gdi.TextWidth(text);
        });
    }

    if (!options.screenshot.empty()) {
        platform::SetHeadless(true);
        OpenLog();
        std::string error;
        const bool written = WriteTestSceneScreenshot(options.screenshot, options.screenshotWidth,
                                                      options.screenshotHeight, &error);
        if (!written) ReportError("no screenshot: " + error);
        else std::printf("screenshot: %s\n", options.screenshot.c_str());
        CloseLog();
        return written ? 0 : 1;
    }

    // With a display, and unless a scripted game was asked for, the game
    // opens its window.
    const bool scriptedGame = !options.mission.empty() || options.turns || !options.actions.empty() || options.json ||
                              !options.replay.empty() || !options.load.empty() || !options.save.empty() ||
                              options.balance;
    if (!options.headless && !scriptedGame && (options.windowed || DisplayAvailable())) {
        GameRandom::Seed(options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
        WindowedRun run;
        if (options.sizeGiven) run.width = options.screenshotWidth, run.height = options.screenshotHeight;
        run.frames = options.frames;
        return RunWindowedProgram(run);
    }
    if (!options.headless && !scriptedGame) std::puts("polity: no display; running headless");
    platform::SetHeadless(true);
    SetReportsToStandardError(true);

    const std::uint32_t seed = options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    GameRandom::Seed(seed);

    Application& app = Application::Instance();
    app.SetServices(std::make_unique<HeadlessServices>());
    app.Startup();
    if (options.frames) return RunFramesOnly(app, *options.frames, seed);
    if (options.balance) {
        const int result = RunBalanceCommand(options, stdout);
        app.Shutdown();
        return result;
    }

    HeadlessGame::Options game;
    if (!options.mission.empty()) {
        const bool number = options.mission.find_first_not_of("0123456789") == std::string::npos;
        game.mission = number ? "mission" + options.mission : options.mission;
    }
    game.turns = options.turns.value_or(-1);
    game.json = options.json;
    const std::string& script = options.replay.empty() ? options.actions : options.replay;
    if (!script.empty()) {
        const auto actions = TextFile::Open(script);
        std::string problem;
        if (!actions) problem = "cannot read the actions file '" + script + "'";
        else HeadlessGame::CheckActions(actions->Lines(), script, &problem);
        if (!problem.empty()) {
            ReportError(problem);
            app.Shutdown();
            return 1;
        }
        game.actions = actions->Lines();
        game.actionsSource = script;
        game.replay = !options.replay.empty();
    }
    game.loadPath = options.load;
    game.savePath = options.save;
    SaveGameManager::Instance().SetProblemListener([](const SaveGameProblem& problem) {
        std::fprintf(stderr, "polity: %s '%s': %s\n",
                     problem.kind == SaveGameProblem::Kind::SaveFailed ? "cannot save" : "cannot load",
                     problem.path.c_str(), problem.detail.c_str());
    });
    if (game.loadPath.empty() && !platform::FileExists("data/missions/" + game.mission + ".txt")) {
        ReportError("no mission '" + game.mission + "' (data/missions/" + game.mission + ".txt)");
        app.Shutdown();
        return 1;
    }
    PlayerInputRecorder::Instance().SetEnabled(false);  // a headless game is not the player's game
    const std::string playing = game.loadPath.empty() ? game.mission : "saved game " + game.loadPath;
    if (!options.json) std::printf("%s %s: %s, seed %u\n", GetString("APP_TITLE").c_str(), kVersion, playing.c_str(), seed);
    HeadlessGame headless(std::move(game), stdout);
    const int result = headless.Play();
    app.Shutdown();
    return result;
}
