// polity-soak: plays thousands of headless turns over every country with a
// random player and checks the game's invariants after each turn.
//   polity-soak [--turns N] [--seed S] [--save-every N] [--turns-per-game N] [--play-on]
//               [--mission NAME]...
// --play-on governs on after a lost election, to reach late turns.
// Runs in the folder that holds data/ (saves go to data/savegames/soak.dedu).
// Exit codes: 0 no problem found, 1 problems found, 2 bad usage.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SoakPlayer.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "core/DataReport.h"
#include "platform/Shell.h"
#include "simulation/Network.h"

namespace {

bool ParseNumber(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    SoakOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        long long number = 0;
        const bool hasValue = i + 1 < argc;
        if (arg == "--play-on") {
            options.playOn = true;
        } else if (arg == "--mission" && hasValue) {
            options.missions.push_back(argv[++i]);
        } else if ((arg == "--turns" || arg == "--seed" || arg == "--save-every" || arg == "--turns-per-game") &&
                   hasValue && ParseNumber(argv[i + 1], number)) {
            ++i;
            if (arg == "--turns") options.turns = static_cast<int>(number);
            if (arg == "--seed") options.seed = static_cast<std::uint32_t>(number);
            if (arg == "--save-every") options.saveEvery = static_cast<int>(number);
            if (arg == "--turns-per-game") options.turnsPerGame = std::max(1, static_cast<int>(number));
        } else {
            std::fprintf(stderr,
                         "usage: polity-soak [--turns N] [--seed S] [--save-every N] [--turns-per-game N] "
                         "[--play-on] [--mission NAME]...\n");
            return 2;
        }
    }
    platform::SetHeadless(true);
    OpenLog();
    const auto start = std::chrono::steady_clock::now();
    SoakPlayer player(options, stdout);
    const SoakReport report = player.Run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::string missions;
    for (const std::string& m : report.missions) missions += (missions.empty() ? "" : " ") + m;
    std::printf("countries: %s\n", missions.empty() ? "none found" : missions.c_str());
    std::printf("turns: %d in %d games, %.1f s (%.1f turns/s)\n", report.turns, report.games, seconds,
                seconds > 0 ? report.turns / seconds : 0.0);
    std::printf("elections: %d won, %d lost; overthrown %d times\n", report.electionsWon, report.electionsLost,
                report.overthrown);
    std::printf("player: %d introduced, %d cancelled, %d slider moves, %d dilemmas answered, %d pledges\n",
                report.introduced, report.cancelled, report.sliderMoves, report.dilemmasAnswered, report.pledges);
    std::printf("save -> load -> save checks: %d\n", report.roundTrips);
    std::printf("reported by the game: %d assertion(s), %d data error(s)\n", FailedAssertionCount(), DataErrorCount());
    std::printf("invariant problems: %d\n", report.problemCount);
    for (const std::string& problem : report.problems) std::printf("  %s\n", problem.c_str());
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    CloseLog();
    return report.problemCount == 0 && FailedAssertionCount() == 0 && DataErrorCount() == 0 && !report.missions.empty()
               ? 0
               : 1;
}
