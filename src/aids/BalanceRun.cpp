// Planning, playing and reporting the balance games.
#include "aids/BalanceRun.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "aids/BalanceGame.h"
#include "aids/BalanceReport.h"
#include "aids/BalanceStrategy.h"
#include "aids/DataCheck.h"
#include "core/CommandLine.h"
#include "core/DataFiles.h"
#include "core/GameRandom.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "platform/FileSystem.h"
#include "platform/WorkerProcesses.h"
#include "simulation/GameOptions.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Gameplaymanager.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string MissionName(const std::string& given) {
    const bool number =
        !given.empty() && given.find_first_not_of("0123456789") == std::string::npos;
    return number ? "mission" + given : given;
}

bool WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

BalanceRun::BalanceRun(BalanceOptions options) : options_(std::move(options)) {}

// A country without its voter matrix writes one at its first game. Were the
// games to race for that, each would meet other voters depending on which
// worker came first; so the first seed's game start writes it beforehand.
void BalanceRun::MakeMissingMatrices(const std::vector<BalancePlan>& plan) const {
    std::vector<std::string> missing;
    for (const BalancePlan& game : plan) {
        const std::string file = "data/missions/" + game.mission + ".txt";
        const std::string matrix = ReadText("config", "matrix", 1024, file);
        if (!matrix.empty() && !platform::FileExists(matrix) &&
            std::find(missing.begin(), missing.end(), game.mission) == missing.end()) {
            missing.push_back(game.mission);
        }
    }
    const auto start = [&](int index) {
        CloseLog();
        SetReportsToStandardError(false);
        PlayerInputRecorder::Instance().SetEnabled(false);
        GameRandom::Seed(options_.firstSeed);
        Gameplaymanager::Instance().StartGame(missing[static_cast<size_t>(index)]);
        return std::string();
    };
    platform::RunInWorkerProcesses(static_cast<int>(missing.size()), 1, start,
                                   [](const platform::WorkerJobResult&) {});
}

std::vector<BalancePlan> BalanceRun::Plan() const {
    std::vector<std::string> missions;
    if (options_.mission.empty()) {
        missions = MissionsInData();
    } else if (platform::FileExists("data/missions/" + MissionName(options_.mission) + ".txt")) {
        missions.push_back(MissionName(options_.mission));
    }
    const std::vector<std::string>& strategies = BalanceStrategy::Names();
    std::vector<BalancePlan> plan;
    for (const std::string& mission : missions) {
        for (int n = 0; n < options_.gamesPerCountry; ++n) {
            const auto round = static_cast<std::uint32_t>(n / static_cast<int>(strategies.size()));
            plan.push_back({mission, strategies[static_cast<size_t>(n) % strategies.size()],
                            options_.firstSeed + round});
        }
    }
    return plan;
}

std::vector<BalanceRecord> BalanceRun::PlayAll(std::FILE* progress) const {
    const std::vector<BalancePlan> plan = Plan();
    // Every game plays with the default options, whatever the player chose.
    for (int i = 0; i < GameOptions::kCount; ++i)
        GameOptions::Instance().Set(GameOptions::Default(i), i);
    GameOptions::Instance().Set(0.0f, GameOptions::kAutosave);
    MakeMissingMatrices(plan);

    const auto play = [&](int index) {
        // A worker writes no log and prints nothing: its record says it all.
        CloseLog();
        SetReportsToStandardError(false);
        const BalancePlan& game = plan[static_cast<size_t>(index)];
        BalanceGame balance(game.mission, BalanceStrategy::Create(game.strategy, game.seed),
                            game.seed, options_.turns);
        BalanceRecord record = balance.Play();
        record.game = index;
        return record.Serialize();
    };
    std::vector<BalanceRecord> records(plan.size());
    const Clock::time_point start = Clock::now();
    int done = 0;
    platform::RunInWorkerProcesses(
        static_cast<int>(plan.size()), options_.jobs, play,
        [&](const platform::WorkerJobResult& result) {
            const BalancePlan& game = plan[static_cast<size_t>(result.job)];
            std::optional<BalanceRecord> record = BalanceRecord::Parse(result.output);
            if (!result.finished || !record) {
                record = BalanceRecord();
                record->mission = game.mission;
                record->strategy = game.strategy;
                record->seed = game.seed;
                record->end = BalanceRecord::kCrashed;
                record->failure = result.finished ? "unreadable record" : result.failure;
            }
            record->game = result.job;
            records[static_cast<size_t>(result.job)] = std::move(*record);
            ++done;
            if (progress) {
                const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
                const double rate = seconds > 0.0 ? done / seconds : 0.0;
                std::fprintf(progress, "\rbalance: %d/%zu games, %.1f games/s, about %.0f s to go ",
                             done, plan.size(), rate,
                             rate > 0.0 ? (static_cast<double>(plan.size()) - done) / rate : 0.0);
                std::fflush(progress);
            }
        });
    if (progress && !plan.empty()) std::fputc('\n', progress);
    return records;
}

int RunBalanceCommand(const BalanceOptions& options, std::FILE* out) {
    const BalanceRun run(options);
    if (run.Plan().empty()) {
        std::fprintf(stderr, "polity: no mission '%s' to play\n", options.mission.c_str());
        return 1;
    }
    const Clock::time_point start = Clock::now();
    std::vector<BalanceRecord> records = run.PlayAll(stderr);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    int crashed = 0, troubled = 0;
    for (const BalanceRecord& record : records) {
        crashed += record.end == BalanceRecord::kCrashed;
        troubled += record.problems > 0;
    }
    const std::string figures =
        FormatText("%zu games of up to %d turns in %.1f s with %d worker(s): %.1f games/s",
                   records.size(), options.turns, seconds, options.jobs,
                   seconds > 0.0 ? static_cast<double>(records.size()) / seconds : 0.0);
    const BalanceReport report(std::move(records),
                               {options.turns, options.gamesPerCountry, options.firstSeed});
    std::error_code error;
    std::filesystem::create_directories(options.outFolder, error);
    const std::filesystem::path folder(options.outFolder);
    if (!WriteFile(folder / "balance.csv", report.Csv()) ||
        !WriteFile(folder / "balance.html", report.Html(figures))) {
        std::fprintf(stderr, "polity: cannot write the report into '%s'\n",
                     options.outFolder.c_str());
        return 1;
    }
    std::fprintf(out, "%s\n", figures.c_str());
    std::fprintf(out, "report: %s, %s\n", (folder / "balance.html").string().c_str(),
                 (folder / "balance.csv").string().c_str());
    if (crashed || troubled)
        std::fprintf(out, "%d game(s) crashed, %d reported problems\n", crashed, troubled);
    return crashed == 0 && troubled == 0 ? 0 : 1;
}

int RunBalanceCommand(const CommandLineOptions& options, std::FILE* out) {
    BalanceOptions balance;
    balance.gamesPerCountry = options.balanceGames;
    balance.jobs = options.balanceJobs;
    balance.turns = options.turns.value_or(balance.turns);
    balance.mission = options.mission;
    balance.outFolder = options.balanceOut;
    balance.firstSeed = options.seed.value_or(balance.firstSeed);
    return RunBalanceCommand(balance, out);
}
