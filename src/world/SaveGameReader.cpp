// Parsing saved-game files.
#include "world/SaveGameReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/DataReport.h"
#include "core/TextUtilities.h"
#include "simulation/Neuron.h"
#include "world/SaveGameContinuation.h"

namespace {

// Far beyond any game (a turn is three months), near enough to keep the
// calendar's month arithmetic inside an int.
constexpr int kLatestTurn = 1000000;
constexpr int kLatestYear = 1000000;
// Political capital per turn and in hand: a few points in any real game.
constexpr int kMostCapital = 1000;

// A load reads the voter matrix a save names, and writes one there when it
// is missing; only a path inside the data folder can be one the game wrote.
bool IsDataFolderPath(std::string_view path) {
    if (path.empty()) return true;  // a mission without a matrix
    if (path.size() <= 5 || LowerCase(path.substr(0, 4)) != "data" || (path[4] != '/' && path[4] != '\\'))
        return false;
    for (const char c : path) {
        if (c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find_first_of("/\\", start), path.size());
        if (path.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

std::string_view TrimmedView(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    return line;
}

std::vector<float> ParseHistory(std::string_view text) {
    std::vector<float> history;
    size_t start = 0;
    while (start < text.size() && static_cast<int>(history.size()) < Neuron::kHistoryLength) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        // The line ends with a comma: the empty piece after it is no entry.
        if (comma > start) history.push_back(ParseFloat(text.substr(start, comma - start)));
        start = comma + 1;
    }
    return history;
}

}  // namespace

std::optional<SavedGame> SaveGameReader::Parse(std::string_view path, std::string_view text) {
    SaveGameReader reader(path, text);
    if (!reader.CheckShape(text)) return std::nullopt;
    SavedGame game;
    game.path = std::string(path);
    if (!reader.Read(game)) return std::nullopt;
    return game;
}

SaveGameReader::SaveGameReader(std::string_view path, std::string_view text) : path_(path) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines_.push_back(text.substr(start, end - start));
        start = end + 1;
        // Past the limit nothing more is split: the file is refused anyway.
        if (lines_.size() > static_cast<size_t>(kMaxLines)) break;
    }
}

bool SaveGameReader::Fail(int line, std::string_view key, std::string_view problem) {
    ReportDataProblem(DataSeverity::Error, {path_, line, record_, std::string(key)}, problem,
                      "SaveGameManager", __LINE__);
    return false;
}

bool SaveGameReader::CheckShape(std::string_view text) {
    if (lines_.size() > static_cast<size_t>(kMaxLines)) {
        return Fail(kMaxLines + 1, "", "more than 200000 lines: not a saved game; nothing loaded");
    }
    size_t first = 0;
    while (first < lines_.size() && TrimmedView(lines_[first]).empty()) ++first;
    if (first == lines_.size() || TrimmedView(lines_[first]) != "[game]") {
        return Fail(static_cast<int>(first) + 1, "",
                    "not a saved game (it must begin with [game]); nothing loaded");
    }
    // Every line the game writes ends with a line end.
    if (!text.empty() && text.back() != '\n') {
        return Fail(static_cast<int>(lines_.size()), "",
                    "the file ends in the middle of a line: cut short; nothing loaded");
    }
    return true;
}

bool SaveGameReader::FindHeader(std::string_view header) {
    for (size_t i = cursor_; i < lines_.size(); ++i) {
        if (TrimmedView(lines_[i]) == header) {
            cursor_ = i + 1;
            record_ = std::string(header);
            return true;
        }
    }
    return false;
}

bool SaveGameReader::NextRecord(std::string_view header) {
    size_t i = cursor_;
    while (i < lines_.size() && !IsHeader(lines_[i])) ++i;
    if (i == lines_.size() || TrimmedView(lines_[i]) != header) return false;
    cursor_ = i + 1;
    record_ = std::string(header);
    return true;
}

bool SaveGameReader::NextValue(std::string_view key, std::string& value) {
    if (cursor_ >= lines_.size() || IsHeader(lines_[cursor_])) {
        return Fail(LineNumber(), key,
                    "the record ends before its '" + std::string(key) +
                        "' line: cut short; nothing loaded");
    }
    std::string parsedKey;
    if (!ParseKeyValue(lines_[cursor_], parsedKey, value)) value.clear();
    ++cursor_;
    return true;
}

bool SaveGameReader::NextFloat(std::string_view key, float& value) {
    std::string text;
    if (!NextValue(key, text)) return false;
    value = ParseFloat(text);
    if (!std::isfinite(value)) return Fail(LineNumber() - 1, key, "not a finite number: damaged; nothing loaded");
    return true;
}

bool SaveGameReader::NextInt(std::string_view key, int& value) {
    std::string text;
    if (!NextValue(key, text)) return false;
    // Whole numbers as the game writes them: "abc" is no 0, and 4294967301
    // no 5 wrapped round.
    const std::string digits = TrimBlanks(text);
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end) {
        const std::string shown = text.size() > 40 ? text.substr(0, 40) + "..." : text;
        return Fail(LineNumber() - 1, key,
                    "'" + shown + "' is not a whole number the game writes: damaged; nothing loaded");
    }
    return true;
}

bool SaveGameReader::NextInt(std::string_view key, int& value, int lowest, int highest) {
    if (!NextInt(key, value)) return false;
    if (value >= lowest && value <= highest) return true;
    return Fail(LineNumber() - 1, key,
                FormatText("%d is outside %d to %d: damaged; nothing loaded", value, lowest, highest));
}

bool SaveGameReader::NextNeuron(SavedNeuron& neuron, bool withHistory) {
    neuron.line = LineNumber();
    if (!NextValue("name", neuron.name)) return false;
    record_ += " " + neuron.name;
    if (!NextFloat("id", neuron.identifier) || !NextFloat("value", neuron.value)) return false;
    if (!withHistory) return true;
    std::string history;
    if (!NextValue("history", history)) return false;
    neuron.history = ParseHistory(history);
    for (const float entry : neuron.history) {
        if (!std::isfinite(entry)) return Fail(LineNumber() - 1, "history", "not a finite number: damaged; nothing loaded");
    }
    return true;
}

std::vector<std::pair<int, std::string>> SaveGameReader::LinesToNextHeader() {
    std::vector<std::pair<int, std::string>> lines;
    while (cursor_ < lines_.size() && !IsHeader(lines_[cursor_])) {
        lines.emplace_back(LineNumber(), std::string(lines_[cursor_]));
        ++cursor_;
    }
    return lines;
}

bool SaveGameReader::Read(SavedGame& game) {
    if (FindHeader("[game]")) {
        // Records are emplaced from a value: clang 14 takes these nested
        // records for not default-constructible.
        SavedGame::Game& g = game.game.emplace(SavedGame::Game{});
        if (!NextInt("currentturn", g.turn, 0, kLatestTurn) || !NextInt("turnstoelection", g.turnsToElection) ||
            !NextInt("currentmonth", g.month, 0, 11) || !NextInt("currentyear", g.year, 0, kLatestYear)) {
            return false;
        }
    }
    if (FindHeader("[election]")) {
        SavedGame::Election& e = game.election.emplace(SavedGame::Election{});
        if (!NextInt("nextmonth", e.month, 0, 11) || !NextInt("nextyear", e.year, 0, kLatestYear) ||
            !NextInt("ElectionsWon", e.won, 0, kLatestTurn) || !NextFloat("cynicism", e.cynicism)) {
            return false;
        }
    }
    if (FindHeader("[actionpoints]")) {
        SavedGame::ActionPoints& a = game.actionPoints.emplace(SavedGame::ActionPoints{});
        if (!NextInt("actionptsperturn", a.perTurn, 0, kMostCapital) ||
            !NextInt("actionptsleft", a.left, 0, kMostCapital))
            return false;
    }
    if (FindHeader("[mission]")) {
        SavedGame::MissionValues& m = game.mission.emplace(SavedGame::MissionValues{});
        if (!NextFloat("PopulationModifier", m.population) ||
            !NextFloat("WealthModifier", m.wealth) || !NextValue("FlagName", m.flag) ||
            !NextValue("Matrix", m.matrix) || !NextValue("CountryName", m.name)) {
            return false;
        }
        if (!IsDataFolderPath(m.matrix))
            return Fail(LineNumber() - 2, "Matrix", "not a file in the data folder: damaged; nothing loaded");
    }
    if (FindHeader("[voters]")) {
        auto& voters = game.voters.emplace();
        for (auto& [line, text] : LinesToNextHeader()) voters.push_back({line, std::move(text)});
        // The empty line that goes before every header is no voter; any
        // other empty line is a voter in no group.
        if (!voters.empty() && TrimmedView(voters.back().types).empty()) voters.pop_back();
    }
    while (NextRecord("[votertype]")) {
        if (!NextNeuron(game.voterTypes.emplace_back(), true)) return false;
    }
    while (NextRecord("[simulation]")) {
        if (!NextNeuron(game.simulationValues.emplace_back(), true)) return false;
    }
    while (NextRecord("[situation]")) {
        SavedSituation& s = game.situations.emplace_back();
        int active = 0;
        if (!NextNeuron(s.neuron, false) || !NextInt("active", active)) return false;
        s.active = active != 0;
    }
    while (NextRecord("[policy]")) {
        SavedPolicy& p = game.policies.emplace_back();
        int active = 0;
        if (!NextNeuron(p.neuron, false) || !NextInt("active", active) ||
            !NextFloat("input", p.input) || !NextFloat("implementation", p.implementation) ||
            !NextFloat("outputthrottle", p.outputThrottle)) {
            return false;
        }
        p.active = active != 0;
    }
    while (NextRecord("[grudge]")) {
        SavedGrudge& g = game.grudges.emplace_back();
        if (!NextNeuron(g.neuron, false) || !NextFloat("decay", g.decay)) return false;
        g.targetLine = LineNumber();
        if (!NextValue("target", g.target)) return false;
    }
    while (NextRecord("[angerdata]")) {
        SavedAnger& a = game.anger.emplace_back();
        a.line = LineNumber() - 1;
        int warned = 0;
        if (!NextFloat("type", a.typeIdentifier) || !NextInt("warned", warned) ||
            !NextInt("sparse", a.cooldown) || !NextFloat("anger", a.anger)) {
            return false;
        }
        a.warned = warned != 0;
    }
    if (FindHeader("[finances]")) {
        SavedGame::Accounts& f = game.finances.emplace(SavedGame::Accounts{});
        if (!NextFloat("nationaldebt", f.debt) || !NextFloat("currentbalance", f.reserves) ||
            !NextFloat("monthlyexpenses", f.expenses) || !NextFloat("monthlyincome", f.income) ||
            !NextFloat("monthlyinterest", f.interest) ||
            !NextFloat("historypeak", f.graphMaximum)) {
            return false;
        }
    }
    const std::pair<const char*, std::vector<float>*> histories[] = {
        {"[incomehistory]", &game.incomeHistory},
        {"[expenditurehistory]", &game.expenditureHistory},
        {"[debthistory]", &game.debtHistory}};
    for (const auto& [header, history] : histories) {
        if (!FindHeader(header)) continue;
        for (int i = 0; i < 20; ++i) {
            if (cursor_ >= lines_.size() || IsHeader(lines_[cursor_])) {
                return Fail(LineNumber(), "",
                            "fewer than 20 history lines: cut short; nothing loaded");
            }
            history->push_back(ParseFloat(lines_[cursor_++]));
            if (!std::isfinite(history->back()))
                return Fail(LineNumber() - 1, "", "not a finite number: damaged; nothing loaded");
        }
    }
    if (FindHeader("[polls]")) {
        SavedGame::PollValues& p = game.polls.emplace(SavedGame::PollValues{});
        if (!NextFloat("totalapproval", p.approval) ||
            !NextFloat("potentialvote", p.potentialVote) || !NextFloat("peakvote", p.peakVote) ||
            !NextFloat("peakapproval", p.peakApproval)) {
            return false;
        }
    }
    if (FindHeader("[dilemmas]")) {
        std::string key;
        std::string value;
        for (const auto& [line, text] : LinesToNextHeader()) {
            if (ParseKeyValue(text, key, value))
                game.dilemmas.push_back({line, key, ParseInt(value) != 0});
        }
    }
    for (;;) {
        const bool live = NextRecord("[manifesto live]");
        if (!live && !NextRecord("[manifesto next]")) break;
        SavedPledge& pledge = game.pledges.emplace_back();
        pledge.live = live;
        pledge.line = LineNumber();
        if (!NextValue("Name", pledge.neuronName) || !NextFloat("Change", pledge.change) ||
            !NextFloat("Initial", pledge.initialValue)) {
            return false;
        }
    }
    if (!FindHeader("[usacongress]")) {
        record_.clear();
        return Fail(
            static_cast<int>(lines_.size()), "",
            "the file ends before its last section [usacongress]: cut short; nothing loaded");
    }
    SavedGame::Congress& c = game.congress.emplace(SavedGame::Congress{});
    if (!NextValue("senators", c.upperSeats) || !NextValue("senators", c.lowerSeats) ||
        !NextInt("chunk", c.chunk, 0, 2)) {
        return false;
    }
    if (FindHeader("[globaleconomy]")) {
        SavedGame::Economy& e = game.economy.emplace(SavedGame::Economy{});
        if (!NextFloat("phase", e.phase) || !NextFloat("value", e.value)) return false;
    }
    if (FindHeader("[random]")) {
        std::string text;
        if (!NextValue("state", text)) return false;
        std::uint32_t state = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), state);
        if (error != std::errc() || end != text.data() + text.size()) {
            return Fail(LineNumber() - 1, "state", "not a whole number; nothing loaded");
        }
        game.randomState = state;
    }
    if (FindHeader(SaveGameContinuation::kHeader)) {
        game.continuation = LinesToNextHeader();
        int badLine = 0;
        std::string problem;
        if (!SaveGameContinuation::Check(game.continuation, &badLine, &problem)) {
            return Fail(badLine > 0 ? badLine : LineNumber(), "", problem);
        }
    }
    return true;
}
