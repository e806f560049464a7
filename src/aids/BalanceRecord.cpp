// The text form of a balance game's record and its row of the CSV file.
#include "aids/BalanceRecord.h"

#include <algorithm>

#include "core/TextUtilities.h"

namespace {

// Tab-separated lines: names may hold blanks and commas but no tabs.
constexpr char kSeparator = '\t';
constexpr const char* kLastLine = "complete";

std::string Exact(float value) {
    return FormatText("%.9g", static_cast<double>(value));
}
std::string Exact(double value) {
    return FormatText("%.17g", value);
}

std::vector<std::string> Split(std::string_view line) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find(kSeparator, start);
        parts.emplace_back(line.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

std::string Join(std::initializer_list<std::string> parts) {
    std::string line;
    for (const std::string& part : parts)
        line += (line.empty() ? "" : std::string(1, kSeparator)) + part;
    return line + "\n";
}

std::string CsvText(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

std::string BalanceRecord::Serialize() const {
    std::string text;
    text += Join({"game", std::to_string(game), mission, strategy, std::to_string(seed)});
    text += Join({"end", end, failure});
    text += Join({"numbers", std::to_string(turns), std::to_string(electionsWon),
                  std::to_string(problems), Exact(finalDebt), std::to_string(valueTurns)});
    for (const auto* series : {&approval, &vote}) {
        std::string line = series == &approval ? "approval" : "vote";
        for (float value : *series) line += kSeparator + Exact(value);
        text += line + "\n";
    }
    for (const auto& [name, s] : situations) {
        text += Join({"situation", name, std::to_string(s.turns), std::to_string(s.starts)});
    }
    for (const auto& [name, count] : events) text += Join({"event", name, std::to_string(count)});
    for (const auto& [name, option] : dilemmas)
        text += Join({"dilemma", name, std::to_string(option)});
    for (const auto& [name, p] : policies) {
        text +=
            Join({"policy", name, std::to_string(p.inForceAtStart), std::to_string(p.introductions),
                  Exact(p.approvalChange), std::to_string(p.measured), Exact(p.popularity),
                  std::to_string(p.turnsInForce)});
    }
    for (const auto& [name, p] : pinned) {
        text += Join({"pinned", name, std::to_string(p.low), std::to_string(p.high)});
    }
    return text + kLastLine + "\n";
}

std::optional<BalanceRecord> BalanceRecord::Parse(std::string_view text) {
    BalanceRecord record;
    bool complete = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::vector<std::string> f = Split(text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start));
        start = end == std::string_view::npos ? text.size() : end + 1;
        const auto at = [&f](size_t i) -> const std::string& {
            static const std::string kEmpty;
            return i < f.size() ? f[i] : kEmpty;
        };
        const std::string& kind = f[0];
        if (kind == kLastLine) {
            complete = true;
        } else if (kind == "game") {
            record.game = ParseInt(at(1));
            record.mission = at(2);
            record.strategy = at(3);
            record.seed = static_cast<std::uint32_t>(ParseDouble(at(4)));
        } else if (kind == "end") {
            record.end = at(1);
            record.failure = at(2);
        } else if (kind == "numbers") {
            record.turns = ParseInt(at(1));
            record.electionsWon = ParseInt(at(2));
            record.problems = ParseInt(at(3));
            record.finalDebt = ParseFloat(at(4));
            record.valueTurns = ParseInt(at(5));
        } else if (kind == "approval" || kind == "vote") {
            auto& series = kind == "approval" ? record.approval : record.vote;
            for (size_t i = 1; i < f.size(); ++i) series.push_back(ParseFloat(f[i]));
        } else if (kind == "situation") {
            record.situations[at(1)] = {ParseInt(at(2)), ParseInt(at(3))};
        } else if (kind == "event") {
            record.events[at(1)] = ParseInt(at(2));
        } else if (kind == "dilemma") {
            record.dilemmas[at(1)] = ParseInt(at(2));
        } else if (kind == "policy") {
            record.policies[at(1)] = {at(2) == "1",    ParseInt(at(3)),    ParseDouble(at(4)),
                                      ParseInt(at(5)), ParseDouble(at(6)), ParseInt(at(7))};
        } else if (kind == "pinned") {
            record.pinned[at(1)] = {ParseInt(at(2)), ParseInt(at(3))};
        }
    }
    if (!complete) return std::nullopt;
    return record;
}

std::string BalanceRecord::CsvHeader() {
    return "game,mission,strategy,seed,end,turns,elections_won,final_approval,final_vote,min_"
           "approval,"
           "max_approval,final_debt,situations_started,events_fired,dilemmas,policies_introduced,"
           "problems\n";
}

std::string BalanceRecord::CsvRow() const {
    const auto last = [](const std::vector<float>& series) {
        return series.empty() ? 0.0f : series.back();
    };
    const float low = approval.empty() ? 0.0f : *std::min_element(approval.begin(), approval.end());
    const float high =
        approval.empty() ? 0.0f : *std::max_element(approval.begin(), approval.end());
    int starts = 0, fired = 0, introduced = 0;
    for (const auto& [name, s] : situations) starts += s.starts;
    for (const auto& [name, count] : events) fired += count;
    for (const auto& [name, use] : policies) introduced += use.introductions;
    return FormatText(
        "%d,%s,%s,%u,%s,%d,%d,%.4f,%.4f,%.4f,%.4f,%.2f,%d,%d,%d,%d,%d\n", game,
        CsvText(mission).c_str(), CsvText(strategy).c_str(), seed, CsvText(end).c_str(), turns,
        electionsWon, static_cast<double>(last(approval)), static_cast<double>(last(vote)),
        static_cast<double>(low), static_cast<double>(high), static_cast<double>(finalDebt), starts,
        fired, static_cast<int>(dilemmas.size()), introduced, problems);
}
