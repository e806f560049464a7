// Program entry: reads the command line, runs the application and reports.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "core/Application.h"
#include "core/CommandLine.h"
#include "core/DataReport.h"
#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "engine/Diagnostics.h"
#include "platform/Shell.h"
#include "world/StringTable.h"

namespace {

constexpr const char* kVersion = "0.1.0";

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

    // The window comes with the GUI; until then every run is headless.
    if (!options.headless) std::puts("polity: no window in this build yet; running headless");
    platform::SetHeadless(true);
    SetReportsToStandardError(true);

    const std::uint32_t seed = options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    GameRandom::Seed(seed);

    Application& app = Application::Instance();
    app.Startup();
    const std::string title = GetString("APP_TITLE");
    app.Run(options.frames);
    const int screen = app.CurrentScreenId();
    const long frames = app.FramesRun();
    app.Shutdown();

    const int assertions = FailedAssertionCount();
    std::printf("%s %s (headless)\n", title.c_str(), kVersion);
    std::printf("seed: %u\n", seed);
    std::printf("setup values: %zu from data/data.ini\n", SetupValues::Instance().Count());
    std::printf("strings: %zu from data/strings.ini\n", StringTable::Instance().Count());
    std::printf("frames: %ld on screen %d\n", frames, screen);
    std::printf("reported problems: %d assertion(s), %d data error(s)\n", assertions, DataErrorCount());
    return assertions == 0 && DataErrorCount() == 0 ? 0 : 1;
}
