// Program entry: reads the command line, runs the application and reports.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "aids/Achievements.h"
#include "core/Application.h"
#include "core/CommandLine.h"
#include "core/DataReport.h"
#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "engine/TestScene.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "simulation/GameOptions.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/StringTable.h"
#include "world/HeadlessGame.h"
#include "world/Manifesto.h"

namespace {

constexpr const char* kVersion = "0.1.0";

// Without a window: the player's options are read, but nothing the player
// keeps (options, records) is written by a scripted run.
class HeadlessServices : public ApplicationServices {
public:
    void StartContent() override {
        GameOptions::Instance().Load();
        Manifesto::Instance().LoadOptions();
    }
    void StartMusicAndRecords() override { Achievements::Instance().Load(); }
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
        std::fprintf(stderr, "polity: %s\n%s", parsed.error.c_str(), CommandLineUsage().c_str());
        return 2;
    }
    const CommandLineOptions& options = parsed.options;
    if (options.help) {
        std::fputs(CommandLineUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("polity %s\n", kVersion);
        return 0;
    }

    if (!options.screenshot.empty()) {
        platform::SetHeadless(true);
        OpenLog();
        std::string error;
        const bool written = WriteTestSceneScreenshot(options.screenshot, options.screenshotWidth,
                                                      options.screenshotHeight, &error);
        CloseLog();
        if (!written) std::fprintf(stderr, "polity: no screenshot: %s\n", error.c_str());
        else std::printf("screenshot: %s\n", options.screenshot.c_str());
        return written ? 0 : 1;
    }

    // The window comes with the GUI; until then every run is headless.
    if (!options.headless) std::puts("polity: no window in this build yet; running headless");
    platform::SetHeadless(true);
    SetReportsToStandardError(true);

    const std::uint32_t seed = options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    GameRandom::Seed(seed);

    Application& app = Application::Instance();
    app.SetServices(std::make_unique<HeadlessServices>());
    app.Startup();
    if (options.frames) return RunFramesOnly(app, *options.frames, seed);

    HeadlessGame::Options game;
    if (!options.mission.empty()) {
        const bool number = options.mission.find_first_not_of("0123456789") == std::string::npos;
        game.mission = number ? "mission" + options.mission : options.mission;
    }
    game.turns = options.turns.value_or(-1);
    game.json = options.json;
    if (!options.actions.empty()) {
        const auto actions = TextFile::Open(options.actions);
        if (!actions) {
            std::fprintf(stderr, "polity: cannot read the actions file '%s'\n", options.actions.c_str());
            app.Shutdown();
            return 1;
        }
        game.actions = actions->Lines();
        game.actionsSource = options.actions;
    }
    if (!platform::FileExists("data/missions/" + game.mission + ".txt")) {
        std::fprintf(stderr, "polity: no mission '%s' (data/missions/%s.txt)\n", game.mission.c_str(),
                     game.mission.c_str());
        app.Shutdown();
        return 1;
    }
    PlayerInputRecorder::Instance().SetEnabled(false);  // a headless game is not the player's game
    if (!options.json) std::printf("%s %s: %s, seed %u\n", GetString("APP_TITLE").c_str(), kVersion, game.mission.c_str(), seed);
    HeadlessGame headless(std::move(game), stdout);
    const int result = headless.Play();
    app.Shutdown();
    return result;
}
