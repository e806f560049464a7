// Summing up the balance games into the CSV file and the HTML page.
#include "aids/BalanceReport.h"

#include <algorithm>
#include <map>
#include <set>

#include "aids/BalanceGame.h"
#include "aids/BalanceStrategy.h"
#include "core/TextUtilities.h"
#include "platform/TextEncoding.h"

namespace {

constexpr const char* kEnds[] = {BalanceRecord::kSurvived, BalanceRecord::kLostElection,
                                 BalanceRecord::kOverthrown, BalanceRecord::kCrashed};
constexpr const char* kEndColours[] = {"#009e73", "#e69f00", "#d55e00", "#222222"};
// An approval change this far below the drift marks a policy that costs votes.
constexpr double kHarmful = -0.005;
// Fewer measures than this are chance; a popularity below this hurts its voters.
constexpr int kFewestMeasures = 10;
constexpr double kUnpopular = 0.45;

const char* StrategyColour(const std::string& strategy) {
    if (strategy == "idle") return "#777777";
    if (strategy == "random") return "#cc79a7";
    return "#0072b2";
}

// Game names are Windows-1252; the page is UTF-8.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : platform::Cp1252ToUtf8(text)) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Percent(double share) {
    return FormatText("%.1f%%", 100.0 * share);
}

// A small horizontal bar for a share from 0 to 1, shown in a table cell.
std::string ShareBar(double share, const char* colour) {
    const double width = 120.0 * std::clamp(share, 0.0, 1.0);
    return FormatText(
        "<svg width=\"124\" height=\"12\"><rect x=\"0\" y=\"1\" width=\"%.1f\" height=\"10\" "
        "fill=\"%s\"/></svg> %s",
        width, colour, Percent(share).c_str());
}

std::string Row(const std::vector<std::string>& cells, bool head = false) {
    std::string row = "<tr>";
    for (const std::string& cell : cells)
        row += (head ? "<th>" : "<td>") + cell + (head ? "</th>" : "</td>");
    return row + "</tr>\n";
}

}  // namespace

BalanceReport::BalanceReport(std::vector<BalanceRecord> records, Settings settings)
    : records_(std::move(records)), settings_(settings) {
    std::stable_sort(
        records_.begin(), records_.end(),
        [](const BalanceRecord& a, const BalanceRecord& b) { return a.game < b.game; });
}

std::vector<std::string> BalanceReport::Missions() const {
    std::vector<std::string> missions;
    for (const BalanceRecord& record : records_) {
        if (std::find(missions.begin(), missions.end(), record.mission) == missions.end()) {
            missions.push_back(record.mission);
        }
    }
    return missions;
}

std::vector<std::string> BalanceReport::Strategies() const {
    std::vector<std::string> strategies;
    for (const std::string& name : BalanceStrategy::Names()) {
        if (std::any_of(records_.begin(), records_.end(),
                        [&](auto& r) { return r.strategy == name; })) {
            strategies.push_back(name);
        }
    }
    return strategies;
}

std::vector<const BalanceRecord*> BalanceReport::Select(const std::string& mission,
                                                        const std::string& strategy) const {
    std::vector<const BalanceRecord*> chosen;
    for (const BalanceRecord& record : records_) {
        if ((mission.empty() || record.mission == mission) &&
            (strategy.empty() || record.strategy == strategy)) {
            chosen.push_back(&record);
        }
    }
    return chosen;
}

double BalanceReport::EndShare(const std::string& mission, const std::string& strategy,
                               const std::string& end) const {
    const auto games = Select(mission, strategy);
    if (games.empty()) return 0.0;
    const auto count =
        std::count_if(games.begin(), games.end(), [&](auto* r) { return r->end == end; });
    return static_cast<double>(count) / static_cast<double>(games.size());
}

double BalanceReport::Drift(const std::string& mission, const std::string& strategy) const {
    double sum = 0.0;
    int count = 0;
    for (const BalanceRecord* record : Select(mission, strategy)) {
        for (size_t t = BalanceGame::kMeasureAfter; t < record->approval.size(); ++t) {
            sum += record->approval[t] - record->approval[t - BalanceGame::kMeasureAfter];
            ++count;
        }
    }
    return count ? sum / count : 0.0;
}

std::string BalanceReport::Csv() const {
    std::string csv = BalanceRecord::CsvHeader();
    for (const BalanceRecord& record : records_) csv += record.CsvRow();
    return csv;
}

std::string BalanceReport::OutcomeSection() const {
    std::string html = "<h2>How the games ended</h2>\n<p>";
    for (size_t i = 0; i < std::size(kEnds); ++i) {
        html += FormatText("<span class=\"key\" style=\"background:%s\"></span>%s &nbsp; ",
                           kEndColours[i], kEnds[i]);
    }
    html += "</p>\n";
    for (const std::string& mission : Missions()) {
        html += "<h3>" + Escape(mission) + "</h3>\n<table>\n" +
                Row({"player", "games", "outcome", "survived", "lost the election", "overthrown",
                     "crashed", "elections won", "mean final approval"},
                    true);
        for (const std::string& strategy : Strategies()) {
            const auto games = Select(mission, strategy);
            std::string bar = "<svg width=\"300\" height=\"16\">";
            double x = 0.0, won = 0.0, approval = 0.0;
            std::vector<std::string> cells = {strategy, std::to_string(games.size())};
            std::vector<std::string> shares;
            for (size_t i = 0; i < std::size(kEnds); ++i) {
                const double share = EndShare(mission, strategy, kEnds[i]);
                bar += FormatText(
                    "<rect x=\"%.1f\" y=\"0\" width=\"%.1f\" height=\"16\" fill=\"%s\"/>",
                    x * 300.0, share * 300.0, kEndColours[i]);
                x += share;
                shares.push_back(Percent(share));
            }
            for (const BalanceRecord* record : games) {
                won += record->electionsWon;
                approval += record->approval.empty() ? 0.0 : record->approval.back();
            }
            const double n = std::max<size_t>(1, games.size());
            cells.push_back(bar + "</svg>");
            cells.insert(cells.end(), shares.begin(), shares.end());
            cells.push_back(FormatText("%.2f", won / n));
            cells.push_back(Percent(approval / n));
            html += Row(cells);
        }
        html += "</table>\n";
    }
    return html;
}

std::string BalanceReport::CurveSection() const {
    constexpr double kWidth = 640, kHeight = 240, kLeft = 44, kTop = 10, kBottom = 28;
    const int turns = std::max(2, settings_.turns);
    const auto px = [&](double turn) {
        return kLeft + (turn - 1) / (turns - 1) * (kWidth - kLeft - 10);
    };
    const auto py = [&](double share) { return kTop + (1.0 - share) * (kHeight - kTop - kBottom); };
    std::string html =
        "<h2>Approval and vote share per turn</h2>\n<p>Mean over the games still running at each "
        "turn; solid lines approval, dashed lines the vote share. ";
    for (const std::string& strategy : Strategies()) {
        html += FormatText("<span class=\"key\" style=\"background:%s\"></span>%s &nbsp; ",
                           StrategyColour(strategy), strategy.c_str());
    }
    html += "</p>\n";
    for (const std::string& mission : Missions()) {
        html +=
            "<h3>" + Escape(mission) + "</h3>\n" +
            FormatText("<svg width=\"%.0f\" height=\"%.0f\" class=\"chart\">\n", kWidth, kHeight);
        for (double level : {0.0, 0.25, 0.5, 0.75, 1.0}) {
            html += FormatText(
                "<line x1=\"%.1f\" x2=\"%.1f\" y1=\"%.1f\" y2=\"%.1f\" stroke=\"%s\"/>"
                "<text x=\"4\" y=\"%.1f\">%.0f%%</text>\n",
                kLeft, kWidth - 10, py(level), py(level), level == 0.5 ? "#999" : "#ddd",
                py(level) + 4, level * 100);
        }
        for (int turn = 1; turn <= turns; turn += std::max(1, turns / 10)) {
            html += FormatText("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%d</text>\n",
                               px(turn), kHeight - 8, turn);
        }
        for (const std::string& strategy : Strategies()) {
            const auto games = Select(mission, strategy);
            for (bool voteSeries : {false, true}) {
                std::string points;
                for (int turn = 1; turn <= turns; ++turn) {
                    double sum = 0.0;
                    int count = 0;
                    for (const BalanceRecord* record : games) {
                        const auto& series = voteSeries ? record->vote : record->approval;
                        if (static_cast<int>(series.size()) >= turn) {
                            sum += series[static_cast<size_t>(turn - 1)];
                            ++count;
                        }
                    }
                    if (count) points += FormatText("%.1f,%.1f ", px(turn), py(sum / count));
                }
                html += FormatText(
                    "<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"2\"%s points=\"%s\"/>\n",
                    StrategyColour(strategy), voteSeries ? " stroke-dasharray=\"5,3\"" : "",
                    points.c_str());
            }
        }
        html += "</svg>\n";
    }
    return html;
}

std::string BalanceReport::HappeningSection() const {
    std::string html =
        "<h2>How often things happen</h2>\n<p>Share of games in which each situation came on, "
        "each event fired and each dilemma arose (all players).</p>\n";
    for (const std::string& mission : Missions()) {
        const auto games = Select(mission, "");
        const double n = std::max<size_t>(1, games.size());
        struct Tally {
            int games = 0;
            double amount = 0.0;  // turns on, times fired, option 1 taken
        };
        std::map<std::string, Tally> situations, events, dilemmas;
        for (const BalanceRecord* record : games) {
            for (const auto& [name, s] : record->situations) {
                situations[name].games += s.starts > 0;
                situations[name].amount += s.turns;
            }
            for (const auto& [name, count] : record->events) {
                ++events[name].games;
                events[name].amount += count;
            }
            for (const auto& [name, option] : record->dilemmas) {
                ++dilemmas[name].games;
                dilemmas[name].amount += option;
            }
        }
        html += "<h3>" + Escape(mission) + "</h3>\n<table>\n" +
                Row({"kind", "name", "games", "per game", ""}, true);
        const auto rows = [&](const char* kind, const std::map<std::string, Tally>& tallies,
                              const char* unit) {
            std::string text;
            for (const auto& [name, tally] : tallies) {
                const double perGame = std::string(unit) == "option 1" && tally.games
                                           ? tally.amount / tally.games
                                           : tally.amount / n;
                text += Row({kind, Escape(name), ShareBar(tally.games / n, "#56b4e9"),
                             FormatText("%.2f %s", perGame, unit), ""});
            }
            return text;
        };
        html += rows("situation", situations, "turns on") + rows("event", events, "times") +
                rows("dilemma", dilemmas, "option 1") + "</table>\n";
    }
    return html;
}

std::string BalanceReport::PolicySection() const {
    std::string html = "<h2>Policies</h2>\n";
    for (const std::string& mission : Missions()) {
        std::set<std::string> introducible, byGreedy;
        struct Effect {
            double change = 0.0;
            int measured = 0;
            double popularity = 0.0;
            int turns = 0;
        };
        std::map<std::string, Effect> effects;
        std::map<std::string, double> drift;
        for (const std::string& strategy : Strategies()) drift[strategy] = Drift(mission, strategy);
        for (const BalanceRecord* record : Select(mission, "")) {
            for (const auto& [name, use] : record->policies) {
                if (!use.inForceAtStart) introducible.insert(name);
                if (record->strategy == "greedy" && use.introductions > 0) byGreedy.insert(name);
                Effect& effect = effects[name];
                effect.change += use.approvalChange - use.measured * drift[record->strategy];
                effect.measured += use.measured;
                effect.popularity += use.popularity;
                effect.turns += use.turnsInForce;
            }
        }
        html += "<h3>" + Escape(mission) + "</h3>\n";
        if (!Select(mission, "greedy").empty()) {
            std::string never;
            for (const std::string& name : introducible) {
                if (!byGreedy.count(name)) never += (never.empty() ? "" : ", ") + Escape(name);
            }
            html +=
                "<p><b>Never introduced by the greedy player</b> (of the policies not in force "
                "at the start): " +
                (never.empty() ? std::string("none") : never) + "</p>\n";
        }
        std::vector<std::pair<double, std::string>> ranked;
        for (const auto& [name, effect] : effects) {
            if (effect.measured > 0) ranked.push_back({effect.change / effect.measured, name});
        }
        std::sort(ranked.begin(), ranked.end());
        html += FormatText(
                    "<p>Approval %d turns after a policy's introduction, against the player's "
                    "usual drift over as many turns; marked below %.1f points when measured at "
                    "least %d times, or when its voters' mean opinion of it is below %.0f%%.</p>\n"
                    "<table>\n",
                    BalanceGame::kMeasureAfter, kHarmful * 100, kFewestMeasures, kUnpopular * 100) +
                Row({"policy", "introductions measured", "approval change",
                     "mean popularity in force", ""},
                    true);
        for (const auto& [change, name] : ranked) {
            const Effect& effect = effects[name];
            const double popularity = effect.turns ? effect.popularity / effect.turns : 0.5;
            html += Row({Escape(name), std::to_string(effect.measured),
                         FormatText("%+.2f points", change * 100), Percent(popularity),
                         (change < kHarmful && effect.measured >= kFewestMeasures) ||
                                 popularity < kUnpopular
                             ? "<b>lowers approval</b>"
                             : ""});
        }
        html += "</table>\n";
    }
    return html;
}

std::string BalanceReport::PinnedSection() const {
    std::string html =
        "<h2>Simulation values pinned at 0 or 1</h2>\n<p>Share of all turns played at which a "
        "value "
        "stood at its floor or its ceiling; values never pinned are left out.</p>\n";
    for (const std::string& mission : Missions()) {
        std::map<std::string, std::pair<int, int>> pinned;
        int turns = 0;
        for (const BalanceRecord* record : Select(mission, "")) {
            turns += record->valueTurns;
            for (const auto& [name, p] : record->pinned) {
                pinned[name].first += p.low;
                pinned[name].second += p.high;
            }
        }
        html +=
            "<h3>" + Escape(mission) + "</h3>\n<table>\n" + Row({"value", "at 0", "at 1"}, true);
        bool any = false;
        for (const auto& [name, counts] : pinned) {
            if (counts.first + counts.second == 0) continue;
            any = true;
            const double n = std::max(1, turns);
            html += Row({Escape(name), ShareBar(counts.first / n, "#d55e00"),
                         ShareBar(counts.second / n, "#0072b2")});
        }
        if (!any) html += Row({"none", "", ""});
        html += "</table>\n";
    }
    return html;
}

std::string BalanceReport::Html(const std::string& footnote) const {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Polity balance "
        "report</title>\n<style>\n"
        "body{font-family:sans-serif;margin:2em;color:#1b2a41;max-width:70em}\n"
        "table{border-collapse:collapse;margin-bottom:1em}td,th{padding:2px 8px;border-bottom:1px "
        "solid #ddd;"
        "text-align:left;font-size:90%}\n.key{display:inline-block;width:12px;height:12px;margin-"
        "right:4px}\n"
        "svg text{font-size:11px;fill:#555}.chart{border:1px solid #ddd}\n</style></head><body>\n"
        "<h1>Balance report</h1>\n";
    html += FormatText(
        "<p>%zu games of up to %d turns, %d per country, shared out among the players; seeds from "
        "%u.</p>\n",
        records_.size(), settings_.turns, settings_.gamesPerCountry, settings_.firstSeed);
    html +=
        OutcomeSection() + CurveSection() + HappeningSection() + PolicySection() + PinnedSection();
    return html + "<p><small>" + Escape(footnote) + "</small></p>\n</body></html>\n";
}
