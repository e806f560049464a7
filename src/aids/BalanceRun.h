// The balance run behind "polity --balance": seeded games of every country
// played by each built-in player, in worker processes, streamed back and
// summed up in the report. Game n of a country is played by player n mod 3
// with the seed first seed + n / 3, so the players meet the same seeds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "aids/BalanceRecord.h"

struct BalanceOptions {
    int gamesPerCountry = 30;
    int jobs = 1;
    int turns = 40;
    std::string mission;  // a number or a name; empty: every mission
    std::string outFolder = "balance";
    std::uint32_t firstSeed = 1;
};

struct BalancePlan {
    std::string mission;
    std::string strategy;
    std::uint32_t seed = 0;
};

class BalanceRun {
public:
    explicit BalanceRun(BalanceOptions options);

    // The games to play, in order; empty when the mission does not exist.
    std::vector<BalancePlan> Plan() const;
    // Plays every game in the worker processes and returns the records in
    // game order. Progress goes to `progress` when it is given.
    std::vector<BalanceRecord> PlayAll(std::FILE* progress) const;

private:
    void MakeMissingMatrices(const std::vector<BalancePlan>& plan) const;

    BalanceOptions options_;
};

struct CommandLineOptions;

// `polity --balance`: plays, writes balance.csv and balance.html into the
// out folder and reports the figures on `out`. 0 when every game ran to its
// end without a problem report, 1 otherwise.
int RunBalanceCommand(const BalanceOptions& options, std::FILE* out);
int RunBalanceCommand(const CommandLineOptions& options, std::FILE* out);
