// The achievements record: its file, the goals tested each turn, the bests.
#include "aids/Achievements.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "core/DataFiles.h"
#include "core/DataReport.h"
#include "core/SectionReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "politics/VoterManager.h"
#include "simulation/Network.h"

namespace {

constexpr const char* kSection = "achievements";
constexpr const char* kDialogSection = "achievementdialogs";

constexpr std::array<AchievementKeys, Achievements::kCount> kKeys = {{
    {"PowerhouseEconomy", "A_ECONOMY", "TITLE_ECONOMY", "TEXT_ECONOMY"},
    {"EgalitarianUtopia", "A_EQUALITY", "TITLE_EQUALITY", "TEXT_EQUALITY"},
    {"GreenUtopia", "A_GREEN", "TITLE_GREEN", "TEXT_GREEN"},
    {"TechnologicalLead", "A_TECHNOLOGY", "TITLE_TECHNOLOGY", "TEXT_TECHNOLOGY"},
    {"CrimeFreeUtopia", "A_CRIMEFREE", "TITLE_CRIMEFREE", "TEXT_CRIMEFREE"},
    {"PopularLeader", "A_POPULARLEADER", "TITLE_POPULARLEADER", "TEXT_POPULARLEADER"},
    {"PerfectSociety", "A_PERFECTSOCIETY", "TITLE_PERFECTSOCIETY", "TEXT_PERFECTSOCIETY"},
}};

// One side of a goal: the neuron's current value strictly above or below the
// level. A data set without the neuron simply never meets the goal.
struct Threshold {
    const char* neuron;
    bool above;
    float level;
};

// The first five achievements each need both of their values past the line.
constexpr std::array<std::array<Threshold, 2>, 5> kValueGoals = {{
    {{{"GDP", true, 0.95f}, {"Unemployment", false, 0.05f}}},
    {{{"Equality", true, 0.95f}, {"Poverty", false, 0.05f}}},
    {{{"CarUsage", false, 0.05f}, {"AirQuality", true, 0.9f}}},
    {{{"InternetAccess", true, 0.95f}, {"LiteracyRate", true, 0.95f}}},
    {{{"CrimeRate", false, 0.05f}, {"ViolentCrimeRate", false, 0.05f}}},
}};

constexpr float kPopularLeaderMood = 0.7f;

bool IsPast(const Threshold& threshold) {
    const Neuron* neuron = Network::FindByName(threshold.neuron);
    if (!neuron) return false;
    return threshold.above ? neuron->Value() > threshold.level : neuron->Value() < threshold.level;
}

struct RecordProblem {
    std::string key;  // empty for the file as a whole
    std::string message;
};

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Whole text as "[sign]digits" or, with `decimal`, "[sign]digits[.digits][e[sign]digits]".
bool IsNumberText(std::string_view text, bool decimal) {
    text = TrimBlanks(text);
    size_t i = 0;
    auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t mantissa = digits();
    if (decimal && i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (decimal && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Values are read with the game's usual lenient conversion, so a damaged
// value still yields whatever number it begins with; the checks only say
// what was wrong and keep the result in range.
class RecordReader {
public:
    RecordReader(std::string_view path, std::vector<RecordProblem>* problems)
        : path_(path), problems_(problems) {}

    float Best(const char* key) {
        const auto raw = IniFile::Find(kSection, key, path_);
        if (!raw) return 0.0f;
        float value = ReadNumber(kSection, key, 0.0f, path_);
        if (!std::isfinite(value)) value = 0.0f;
        if (!IsNumberText(*raw, true)) {
            Note(key, "not a number: " + Quoted(*raw) + ", read as " + FormatText("%f", value));
        } else if (value < 0.0f || value > 1.0f) {
            value = std::clamp(value, 0.0f, 1.0f);
            Note(key, "outside 0..1: " + Quoted(*raw) + ", read as " + FormatText("%f", value));
        }
        return value;
    }

    int Count(const char* key) {
        const auto raw = IniFile::Find(kSection, key, path_);
        if (!raw) return 0;
        int value = ReadWholeNumber(kSection, key, 0, path_);
        if (!IsNumberText(*raw, false)) {
            Note(key, "not a whole number: " + Quoted(*raw) + ", read as " + std::to_string(value));
        }
        if (value < 0) {
            value = 0;
            Note(key, "negative: " + Quoted(*raw) + ", read as 0");
        }
        return value;
    }

    // Any number but 0 counts as held: losing an achievement the player won
    // is worse than keeping one a damaged file claims.
    bool Flag(const char* key) {
        const auto raw = IniFile::Find(kSection, key, path_);
        if (!raw) return false;
        const int value = ReadWholeNumber(kSection, key, 0, path_);
        if (!IsNumberText(*raw, false) || (value != 0 && value != 1)) {
            Note(key, "not 0 or 1: " + Quoted(*raw) +
                          (value != 0 ? ", counted as held" : ", counted as not held"));
        }
        return value != 0;
    }

    Achievements::Record Read() {
        Achievements::Record record;
        const std::vector<std::string> sections = IniFile::SectionNames(path_);
        const bool hasSection = std::any_of(
            sections.begin(), sections.end(),
            [](const std::string& name) { return platform::EqualsIgnoringCase(name, kSection); });
        if (!hasSection) {
            Note("", "no [achievements] section, so no records");
            return record;
        }
        record.mostReelections = Count("MostReelections");
        record.highestPopularity = Best("HighestPopularity");
        record.highestElectionVote = Best("HighestElectionVote");
        for (int i = 0; i < Achievements::kCount; ++i) {
            record.held[static_cast<size_t>(i)] = Flag(kKeys[static_cast<size_t>(i)].flag);
        }
        return record;
    }

private:
    void Note(const std::string& key, std::string message) {
        if (problems_) problems_->push_back({key, std::move(message)});
    }
    std::string path_;
    std::vector<RecordProblem>* problems_;
};

// The line of the key in the first [achievements] section, 0 when not found,
// so a report can point the player or a tester at it.
int LineOfKey(std::string_view path, std::string_view key) {
    const auto file = TextFile::Open(path);
    if (!file || key.empty()) return 0;
    bool inSection = false;
    bool sectionSeen = false;
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string_view line = TrimBlanks(file->Lines()[i]);
        if (!line.empty() && line.front() == '[') {
            const std::string_view name = TrimBlanks(line.substr(1, line.find(']') - 1));
            inSection = !sectionSeen && platform::EqualsIgnoringCase(name, kSection);
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && !line.empty() && line.front() != ';') {
            if (platform::EqualsIgnoringCase(TrimBlanks(line.substr(0, line.find('='))), key)) {
                return static_cast<int>(i + 1);
            }
        }
    }
    return 0;
}

// A damaged record is copied aside before the next save mends it, under a
// name no earlier copy uses.
void KeepDamagedCopy(std::string_view path) {
    const auto contents = platform::ReadFile(path);
    if (!contents || contents->empty()) return;
    const std::string copy = UniqueFileName(path, "bad");
    std::string error;
    if (platform::WriteFileAtomically(copy, *contents, &error)) {
        Log("the achievements record as it was is kept in " + copy);
    } else {
        Log("cannot keep a copy of the achievements record: " + error);
    }
}

// A file that is there but cannot be read (permissions, a lock) must not be
// mistaken for a first run and then written over.
bool IsUnreadable(std::string_view path) {
    std::error_code ignored;
    return std::filesystem::exists(platform::ResolvePath(path), ignored) &&
           !platform::ReadFile(path);
}

}  // namespace

Achievements& Achievements::Instance() {
    static Achievements record;
    return record;
}

Achievements::Achievements() {
    for (size_t i = 0; i < kCount; ++i) {
        titles_[i] = kKeys[i].title;
        texts_[i] = kKeys[i].text;
    }
}

const AchievementKeys& Achievements::Keys(int index) {
    return kKeys[static_cast<size_t>(std::clamp(index, 0, kCount - 1))];
}

bool Achievements::IsHeld(int index) const {
    return index >= 0 && index < kCount && record_.held[static_cast<size_t>(index)];
}

int Achievements::HeldCount() const {
    return static_cast<int>(std::count(record_.held.begin(), record_.held.end(), true));
}

const std::string& Achievements::Title(int index) const {
    return titles_[static_cast<size_t>(std::clamp(index, 0, kCount - 1))];
}

const std::string& Achievements::Text(int index) const {
    return texts_[static_cast<size_t>(std::clamp(index, 0, kCount - 1))];
}

void Achievements::LoadDialogTexts(std::string_view stringsPath) {
    SectionReader dialogs;
    dialogs.ReadSection(kDialogSection, stringsPath);
    for (size_t i = 0; i < kCount; ++i) {
        const std::string& title = dialogs.Lookup(kKeys[i].title);
        const std::string& text = dialogs.Lookup(kKeys[i].text);
        titles_[i] = title.empty() ? kKeys[i].title : title;
        texts_[i] = text.empty() ? kKeys[i].text : text;
    }
}

void Achievements::Load(std::string_view path, std::string_view stringsPath) {
    LoadDialogTexts(stringsPath);
    if (IsUnreadable(path)) {
        ReportDataProblem(DataSeverity::Warning, {std::string(path), 0, "", ""},
                          "cannot be read; the records stay unknown until it can", "Achievements",
                          __LINE__);
    }
    std::vector<RecordProblem> problems;
    record_ = platform::FileExists(path) ? RecordReader(path, &problems).Read() : Record();
    for (const RecordProblem& problem : problems) {
        ReportDataProblem(DataSeverity::Warning,
                          {std::string(path), LineOfKey(path, problem.key),
                           problem.key.empty() ? "" : kSection, problem.key},
                          problem.message, "Achievements", __LINE__);
    }
    if (!problems.empty()) KeepDamagedCopy(path);
}

bool Achievements::Save(std::string_view path) const {
    if (IsUnreadable(path)) {
        Log("cannot save the achievements: " + std::string(path) + " exists but cannot be read");
        return false;
    }
    const Record stored =
        platform::FileExists(path) ? RecordReader(path, nullptr).Read() : Record();
    auto best = [](float ours, float theirs) {
        return FormatText("%f", static_cast<double>(std::max(ours, theirs)));
    };
    std::vector<std::pair<std::string, std::string>> entries = {
        {"MostReelections",
         FormatText("%d", std::max(record_.mostReelections, stored.mostReelections))},
        {"HighestElectionVote", best(record_.highestElectionVote, stored.highestElectionVote)},
        {"HighestPopularity", best(record_.highestPopularity, stored.highestPopularity)},
    };
    for (size_t i = 0; i < kCount; ++i) {
        entries.emplace_back(kKeys[i].flag, record_.held[i] || stored.held[i] ? "1" : "0");
    }
    std::string error;
    if (IniFile::WriteEntries(kSection, entries, path, &error)) return true;
    Log("cannot save the achievements to " + std::string(path) + ": " + error);
    return false;
}

void Achievements::CheckGoals() {
    for (size_t i = 0; i < kValueGoals.size(); ++i) {
        const auto& goal = kValueGoals[i];
        if (IsPast(goal[0]) && IsPast(goal[1])) Award(static_cast<int>(i));
    }
    // Every group in a data set without groups would be a hollow win.
    const VoterManager& voters = VoterManager::Instance();
    if (!voters.VoterTypes().empty() && voters.AllTypesAtLeast(kPopularLeaderMood))
        Award(kPopularLeader);
    if (std::all_of(record_.held.begin(), record_.held.begin() + kPerfectSociety,
                    [](bool held) { return held; })) {
        Award(kPerfectSociety);
    }
}

void Achievements::Award(int index) {
    if (index < 0 || index >= kCount || record_.held[static_cast<size_t>(index)]) return;
    record_.held[static_cast<size_t>(index)] = true;
    Log("achievement awarded: " + std::string(kKeys[static_cast<size_t>(index)].flag));
    if (listener_) listener_(index);
}

void Achievements::RecordApproval(float approval) {
    if (approval > record_.highestPopularity) record_.highestPopularity = approval;
}

void Achievements::RecordElection(float voteShare, int electionsWon) {
    if (voteShare > 0.5f && electionsWon > record_.mostReelections) {
        record_.mostReelections = electionsWon;
    }
    if (voteShare > record_.highestElectionVote) record_.highestElectionVote = voteShare;
}
