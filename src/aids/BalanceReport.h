// The balance report: the records of every game summed up per country and
// player, as a CSV file with one row per game and a self-contained HTML page
// with inline SVG charts. Everything is computed from the records in game
// order, so the same games give the same files however they were run.
#pragma once

#include <string>
#include <vector>

#include "aids/BalanceRecord.h"

class BalanceReport {
public:
    struct Settings {
        int turns = 40;
        int gamesPerCountry = 0;
        unsigned firstSeed = 1;
    };

    BalanceReport(std::vector<BalanceRecord> records, Settings settings);

    std::string Csv() const;
    // `footnote` (timing, worker count) goes at the end as given.
    std::string Html(const std::string& footnote) const;
    // Shares of games by how they ended, for one country and player.
    double EndShare(const std::string& mission, const std::string& strategy,
                    const std::string& end) const;

private:
    std::vector<const BalanceRecord*> Select(const std::string& mission,
                                             const std::string& strategy) const;
    std::vector<std::string> Missions() const;
    std::vector<std::string> Strategies() const;

    std::string OutcomeSection() const;
    std::string CurveSection() const;
    std::string HappeningSection() const;
    std::string PolicySection() const;
    std::string PinnedSection() const;
    // Mean approval change over kMeasureAfter turns, the drift a policy's
    // effect is measured against.
    double Drift(const std::string& mission, const std::string& strategy) const;

    std::vector<BalanceRecord> records_;
    Settings settings_;
};
