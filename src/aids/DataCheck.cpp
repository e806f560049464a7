// The data check: every content file loaded and checked, every finding listed.
#include "aids/DataCheck.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <set>

#include "aids/Hints.h"
#include "core/DataFiles.h"
#include "core/EnrolledManager.h"
#include "core/FieldReader.h"
#include "core/LinkedMode.h"
#include "core/SectionReader.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Shell.h"
#include "politics/Policy.h"
#include "politics/PolicyManager.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "politics/SliderConfiguration.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/Formula.h"
#include "simulation/Network.h"
#include "simulation/Simulation.h"
#include "world/DilemmaManager.h"
#include "world/Event.h"
#include "world/EventManager.h"
#include "world/Manifesto.h"

namespace {

using Fields = std::vector<std::string>;

constexpr const char* kStringsFile = "data/strings.ini";
constexpr const char* kStringsSection = "strings";
constexpr const char* kDilemmaPattern = "data/simulation/dilemmas/*.txt";
// The formula reader takes the first operand up to this position and the
// closing bracket before this one.
constexpr size_t kFirstOperandLimit = 33;
constexpr size_t kFormulaLimit = 128;

Fields SplitFields(const std::string& line) {
    Fields fields;
    FieldReader reader(line);
    while (!reader.AtEnd()) fields.push_back(reader.NextField());
    return fields;
}

const std::string& FieldAt(const Fields& fields, size_t index) {
    static const std::string kEmpty;
    return index < fields.size() ? fields[index] : kEmpty;
}

bool IsMarker(const std::string& field) {
    return !field.empty() && field[0] == '#';
}

bool IsWholeNumber(std::string_view text) {
    return IsNumber(text) && TrimBlanks(text).find_first_of(".eE") == std::string::npos;
}

using RecordVisitor = std::function<void(const Fields& fields, const DataLocation& at)>;

// Every record of one kind of content file, mods included, as the loaders
// see them; `at` names the file, the line and the record.
void ForEachRecord(const std::string& mainFile, std::string_view modPattern,
                   bool (*isRecord)(std::string_view), const RecordVisitor& visit) {
    const auto handle = [&](const std::string& line, const std::string& file, int lineNumber) {
        if (!isRecord(line)) return;
        const Fields fields = SplitFields(line);
        visit(fields, DataLocation{file, lineNumber, FieldAt(fields, 1), ""});
    };
    if (!modPattern.empty()) {
        ForEachContentLine(mainFile, modPattern, handle);
        return;
    }
    if (const auto file = TextFile::Open(mainFile)) {
        for (size_t i = 0; i < file->LineCount(); ++i)
            handle(file->Lines()[i], mainFile, static_cast<int>(i + 1));
    }
}

bool BeginsWithHash(std::string_view line) {
    return !line.empty() && line[0] == '#';
}
bool IsLongRecord(std::string_view line) {
    return line.size() + 1 >= 9 && line[0] == '#';
}
bool IsPolicyRecord(std::string_view line) {
    return Policy::IsPolicyLine(line);
}
bool IsSituationRecord(std::string_view line) {
    return Situation::IsSituationLine(line);
}
bool IsEventRecord(std::string_view line) {
    return Event::IsEventLine(line);
}

// One key=value line of an initialisation file, with its section (lower
// case) and line number; read as the section reader reads entries.
struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
    int line = 0;
};

std::vector<IniEntry> ReadIniEntries(const TextFile& file) {
    std::vector<IniEntry> entries;
    std::string section;
    for (size_t i = 0; i < file.LineCount(); ++i) {
        const std::string text = TrimBlanks(file.Lines()[i]);
        if (text.empty() || text[0] == ';') continue;
        if (text[0] == '[') {
            section = LowerCase(TrimBlanks(text.substr(1, text.find(']') - 1)));
            continue;
        }
        if (text.find('=') == std::string::npos) continue;
        const SectionReader::Record record = SectionReader::ParseEntry(text);
        entries.push_back({section, record.key, TrimBlanks(record.value), static_cast<int>(i + 1)});
    }
    return entries;
}

const IniEntry* FindEntry(const std::vector<IniEntry>& entries, std::string_view section,
                          std::string_view key) {
    for (const IniEntry& entry : entries) {
        if (entry.section == LowerCase(section) && LowerCase(entry.key) == LowerCase(key))
            return &entry;
    }
    return nullptr;
}

bool IsOperator(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

std::string OperandProblem(std::string_view operand) {
    if (operand == "x" || IsNumber(operand)) return std::string();
    if (TrimBlanks(operand) == "x")
        return "the operand 'x' has blanks around it, so it reads as 0, not as x";
    return "the operand '" + std::string(operand) + "' is neither x nor a number (it reads as 0)";
}

// Empty when the text has the shape A op (B op C), every operand x or a
// number, and the game reads it as written; otherwise what is wrong.
std::string FormulaProblem(std::string_view t) {
    size_t p = 1;
    while (p < t.size() && !IsOperator(t[p])) ++p;
    if (t.empty() || p >= t.size())
        return "no operator: a formula reads A op (B op C), and this one ends the game";
    if (p >= kFirstOperandLimit) return "the first operand is longer than 32 characters";
    if (p + 1 >= t.size() || t[p + 1] != '(') return "the first operator must be followed by '('";
    size_t q = p + 2;
    while (q < t.size() && !IsOperator(t[q])) ++q;
    if (q >= t.size()) return "no operator inside the brackets: a formula reads A op (B op C)";
    const size_t r = t.find(')', q + 1);
    if (r == std::string_view::npos) return "no closing ')'";
    if (r >= kFormulaLimit) return "longer than the 127 characters the reader takes";
    if (t.find_first_not_of(" \t", r + 1) != std::string_view::npos) {
        return "the text after ')' is ignored: '" + std::string(t.substr(r + 1)) + "'";
    }
    for (std::string_view operand :
         {t.substr(0, p), t.substr(p + 2, q - p - 2), t.substr(q + 1, r - q - 1)}) {
        if (std::string problem = OperandProblem(operand); !problem.empty()) return problem;
    }
    const Formula formula(t);
    for (float x : {0.0f, 0.5f, 1.0f}) {
        const float value = formula.Evaluate(x);
        if (!std::isfinite(value)) {
            return FormatText("gives %s at x = %g",
                              std::isnan(value) ? "no number" : "an infinite value",
                              static_cast<double>(x));
        }
    }
    return std::string();
}

std::string Listing(const std::vector<const Neuron*>& cycle) {
    std::string text;
    for (const Neuron* neuron : cycle) text += neuron->Name() + " > ";
    return text + cycle.front()->Name();
}

}  // namespace

std::string DataFinding::Describe() const {
    return DescribeDataProblem(where, warning ? problem + " (warning)" : problem);
}

std::vector<std::string> MissionsInData() {
    std::vector<std::string> missions;
    for (int n = 1; platform::FileExists("data/missions/mission" + std::to_string(n) + ".txt");
         ++n) {
        missions.push_back("mission" + std::to_string(n));
    }
    return missions;
}

DataCheck::DataCheck(StringKeyUsage keys, TextMeasure measure)
    : keys_(std::move(keys)), measure_(std::move(measure)) {}

void DataCheck::Add(DataLocation where, std::string problem, bool warning) {
    findings_.push_back({std::move(where), std::move(problem), warning});
}

void DataCheck::Define(const std::string& name, const DataLocation& where) {
    if (name.empty()) return;
    const auto [at, isNew] = definitions_.try_emplace(name, where);
    if (isNew) return;
    const DataLocation& first = at->second;
    Add(where, "the name '" + name + "' is taken already (" + first.file + ":" +
                   std::to_string(first.line) + "); look-ups find only the first");
}

int DataCheck::ProblemCount() const {
    return static_cast<int>(
        std::count_if(findings_.begin(), findings_.end(), [](auto& f) { return !f.warning; }));
}

int DataCheck::WarningCount() const {
    return static_cast<int>(findings_.size()) - ProblemCount();
}

const std::vector<DataFinding>& DataCheck::Run() {
    findings_.clear();
    definitions_.clear();
    missionNames_.clear();
    const int assertionsBefore = FailedAssertionCount();
    SetDataProblemCollector([this](DataSeverity, const DataLocation& where,
                                   std::string_view problem) { Add(where, std::string(problem)); });
    SetupValues::Instance().Load();
    CheckSetup();
    for (const std::string& mission : MissionsInData()) {
        const auto name = IniFile::Find("config", "name", "data/missions/" + mission + ".txt");
        if (name) missionNames_.push_back(*name);
    }
    LoadContent();
    CheckVoterTypes();
    CheckValues();
    CheckShortLabels();
    CheckPolicies();
    CheckSituations();
    CheckEvents();
    CheckDilemmas();
    CheckSliders();
    CheckManifesto();
    CheckHints();
    CheckMissions();
    CheckStrings();
    CheckStyleSheet();
    CheckSkins();
    // The policies' own effects exist only once they are in force; the
    // loader has already named the targets it could not find.
    SetDataProblemCollector([](DataSeverity, const DataLocation&, std::string_view) {});
    for (Policy* policy : Policy::AllPolicies()) policy->Introduce();
    CheckCycles();
    ClearContent();
    SetDataProblemCollector(nullptr);
    if (FailedAssertionCount() > assertionsBefore) {
        Add({"data", 0, "", ""}, FormatText("%d assertion report(s) while loading; the last: ",
                                            FailedAssertionCount() - assertionsBefore) +
                                     LastAssertionReport());
    }
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const DataFinding& a, const DataFinding& b) {
                         return a.where.file != b.where.file ? a.where.file < b.where.file
                                                             : a.where.line < b.where.line;
                     });
    // A fault two loaders both meet is listed once.
    std::set<std::string> seen;
    findings_.erase(
        std::remove_if(findings_.begin(), findings_.end(),
                       [&seen](const DataFinding& f) { return !seen.insert(f.Describe()).second; }),
        findings_.end());
    return findings_;
}

void DataCheck::LoadContent() {
    ClearContent();
    Network::CreateSpecialNeurons();
    const SetupValues& setup = SetupValues::Instance();
    VoterManager::Instance().LoadVoterTypes(setup.GetSetupString("voters"));
    SimulationManager::Instance().LoadValues(setup.GetSetupString("simulation"));
    PolicyManager::Instance().Init();
    SituationManager::Instance().LoadSituations();
    EventManager::Instance().LoadEvents();
    DilemmaManager::Instance().LoadAll();
    Manifesto::Instance().LoadOptions();
}

void DataCheck::ClearContent() {
    SetLinkedMode(false);
    EnrolledManager::ResetAll();
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    SliderConfiguration::Clear();
}

void DataCheck::CheckSetup() {
    const auto file = TextFile::Open("data/data.ini");
    const std::vector<IniEntry> entries = file ? ReadIniEntries(*file) : std::vector<IniEntry>();
    for (const char* key : {"voters", "simulation", "policies", "situations", "events"}) {
        const IniEntry* entry = FindEntry(entries, "setup", key);
        const DataLocation at{"data/data.ini", entry ? entry->line : 0, "setup", key};
        if (!entry || entry->value.empty()) {
            Add(at, "names no content file");
        } else if (!platform::FileExists(entry->value)) {
            Add(at, "names '" + entry->value + "', which does not exist");
        }
    }
}

void DataCheck::CheckNumber(const Fields& fields, size_t index, const DataLocation& at,
                            const char* key, double low, double high, bool whole) {
    DataLocation where = at;
    where.key = key;
    const std::string& text = FieldAt(fields, index);
    if (!(whole ? IsWholeNumber(text) : IsNumber(text))) {
        Add(where,
            "'" + text + "' is not a " + (whole ? "whole number" : "number") + " (it reads as 0)");
        return;
    }
    const double value = ParseDouble(text);
    if (value < low || value > high)
        Add(where, FormatText("%s is outside %g to %g", text.c_str(), low, high));
}

void DataCheck::CheckInfluence(const std::string& field, DataLocation at, bool randomAllowed) {
    FieldReader pair(field);
    const std::string name = pair.NextField();
    at.key = name;
    if (randomAllowed && name == "_random_") {
        const std::string low = pair.NextField();
        const std::string high = pair.NextField();
        if (!IsNumber(low) || !IsNumber(high)) {
            Add(at, "random bounds '" + low + "' and '" + high + "' must be numbers");
        } else if (ParseDouble(low) > ParseDouble(high)) {
            Add(at, "random bounds run backwards: " + low + " is above " + high);
        }
        return;
    }
    const std::string formula = pair.NextField();
    if (std::string problem = FormulaProblem(formula); !problem.empty()) {
        Add(at, "formula '" + formula + "': " + problem);
    }
}

void DataCheck::CheckVoterTypes() {
    int count = 0;
    const std::string path = SetupValues::Instance().GetSetupString("voters");
    ForEachRecord(path, "", BeginsWithHash, [&](const Fields& fields, const DataLocation& at) {
        Define(at.record, at);
        if (++count == kVoterGridPlaces + 1) {
            Add(at,
                FormatText(
                    "the main screen has places for %d voter groups; this one and those after it "
                    "fall outside its grid",
                    kVoterGridPlaces));
        }
        // Base values are offsets added to what the effects bring, so they
        // may be below 0; beyond +-1 they swamp every effect.
        CheckNumber(fields, 6, at, "base mood", -1.0, 1.0);
        for (size_t i = 8; i < fields.size(); ++i) {
            if (fields[i].find(',') == std::string::npos) continue;
            FieldReader pair(fields[i]);
            DataLocation where = at;
            where.key = pair.NextField();
            const std::string weight = pair.NextField();
            if (!VoterManager::Instance().FindVoterType(where.key)) {
                Add(where, "no voter group named '" + where.key + "' to be drawn to");
            }
            if (!IsNumber(weight) || std::fabs(ParseDouble(weight)) > 1.0) {
                Add(where, "the weight '" + weight + "' is not a number from -1 to 1");
            }
        }
    });
}

void DataCheck::CheckValues() {
    const std::string path = SetupValues::Instance().GetSetupString("simulation");
    ForEachRecord(path, "", BeginsWithHash, [&](const Fields& fields, const DataLocation& at) {
        Define(at.record, at);
        CheckNumber(fields, 4, at, "base value", -1.0, 1.0);
        CheckNumber(fields, 5, at, "flag", 0.0, 1.0, true);
        const auto marker =
            std::find(fields.begin() + std::min<size_t>(6, fields.size()), fields.end(), "#");
        for (auto it = marker == fields.end() ? marker : marker + 1; it != fields.end(); ++it) {
            if (it->size() > 2) CheckInfluence(*it, at, true);
        }
    });
}

void DataCheck::CheckPolicies() {
    const std::string path = SetupValues::Instance().GetSetupString("policies");
    ForEachRecord(
        path, "data/mods/policies/*.txt", IsPolicyRecord,
        [&](const Fields& fields, const DataLocation& at) {
            Define(at.record, at);
            const std::string& cancellable = FieldAt(fields, 5);
            if (cancellable != "TRUE" && cancellable != "FALSE") {
                Add({at.file, at.line, at.record, "cancellable"},
                    "'" + cancellable +
                        "' is neither TRUE nor FALSE (it reads as FALSE: never cancellable)");
            }
            CheckNumber(fields, 7, at, "cost at 0", 0.0, HUGE_VAL);
            CheckNumber(fields, 8, at, "cost at 1", 0.0, HUGE_VAL);
            const std::string& multiplier = FieldAt(fields, 9);
            if (!multiplier.empty() && !SimulationManager::Instance().FindValue(multiplier)) {
                Add({at.file, at.line, at.record, "cost multiplier"},
                    "no simulation value named '" + multiplier + "'; the cost is not multiplied");
            }
            CheckNumber(fields, 10, at, "implementation time", 1.0, Policy::kMaxImplementationTime,
                        true);
            CheckNumber(fields, 11, at, "income at 0", 0.0, HUGE_VAL);
            CheckNumber(fields, 12, at, "income at 1", 0.0, HUGE_VAL);
            for (size_t i = 15; i < fields.size(); ++i) {
                if (fields[i].find(',') != std::string::npos) CheckInfluence(fields[i], at, false);
            }
        });
}

void DataCheck::CheckSituations() {
    const std::string path = SetupValues::Instance().GetSetupString("situations");
    ForEachRecord(path, "data/mods/situations/*.txt", IsSituationRecord,
                  [&](const Fields& fields, const DataLocation& at) {
                      Define(at.record, at);
                      CheckNumber(fields, 7, at, "positive", 0.0, 1.0, true);
                      CheckNumber(fields, 8, at, "cost", 0.0, HUGE_VAL, true);
                      CheckNumber(fields, 9, at, "income", 0.0, HUGE_VAL, true);
                      bool outputs = false;
                      for (size_t i = 10; i < fields.size(); ++i) {
                          if (!outputs && IsMarker(fields[i])) {
                              outputs = true;
                          } else if (fields[i].find(',') != std::string::npos) {
                              CheckInfluence(fields[i], at, !outputs);
                          }
                      }
                  });
}

void DataCheck::CheckEvents() {
    const std::string path = SetupValues::Instance().GetSetupString("events");
    ForEachRecord(
        path, EventManager::kDefaultModPattern, IsEventRecord,
        [&](const Fields& fields, const DataLocation& at) {
            Define(at.record, at);
            CheckNumber(fields, 4, at, "field 5", -HUGE_VAL, HUGE_VAL);
            CheckNumber(fields, 5, at, "field 6", -HUGE_VAL, HUGE_VAL);
            bool effects = IsMarker(FieldAt(fields, 5));
            for (size_t i = 7; i < fields.size(); ++i) {
                if (!effects) {
                    if (IsMarker(fields[i]))
                        effects = true;
                    else if (fields[i].find(',') != std::string::npos)
                        CheckInfluence(fields[i], at, true);
                    continue;
                }
                if (fields[i].size() < 2) continue;
                // The loader checks each effect's numbers; its target is looked up
                // only when the event fires, and a missing one ends the game then.
                FieldReader triple(fields[i]);
                const std::string target = TrimBlanks(triple.NextField());
                if (!target.empty() && !Network::FindByName(target)) {
                    Add({at.file, at.line, at.record, target},
                        "no neuron named '" + target + "'; the game ends when the event fires");
                }
            }
        });
}

void DataCheck::CheckDilemmas() {
    std::vector<std::string> files;
    ListFiles(kDilemmaPattern, [&](const std::string& name) { files.push_back(name); });
    for (const std::string& name : files) {
        const std::string path = "data/simulation/dilemmas/" + name;
        const auto file = TextFile::Open(path);
        if (!file) continue;
        const std::vector<IniEntry> entries = ReadIniEntries(*file);
        const IniEntry* nameEntry = FindEntry(entries, "dilemma", "name");
        const std::string record = nameEntry ? nameEntry->value : std::string();
        if (nameEntry) Define(record, {path, nameEntry->line, record, ""});
        for (const IniEntry& entry : entries) {
            if (entry.section == "influences")
                CheckInfluence(entry.value, {path, entry.line, record, ""}, true);
        }
        const IniEntry* countries = FindEntry(entries, "dilemma", "countries");
        if (!countries) continue;
        FieldReader fields(countries->value);
        while (!fields.AtEnd()) {
            const std::string country = TrimBlanks(fields.NextField());
            if (country.size() < 3) continue;
            if (std::find(missionNames_.begin(), missionNames_.end(), country) ==
                missionNames_.end()) {
                Add({path, countries->line, record, "countries"},
                    "no mission is named '" + country + "', so the dilemma never arises there");
            }
        }
    }
}

void DataCheck::CheckSliders() {
    ForEachRecord(
        "data/simulation/sliders.csv", "data/mods/sliders/*.txt", IsLongRecord,
        [&](const Fields& fields, const DataLocation& at) {
            CheckNumber(fields, 2, at, "steps", 2.0, 1000.0, true);
            const auto labels = std::count_if(fields.begin() + std::min<size_t>(3, fields.size()),
                                              fields.end(), [](auto& f) { return !f.empty(); });
            if (IsWholeNumber(FieldAt(fields, 2)) && labels != ParseInt(FieldAt(fields, 2))) {
                Add({at.file, at.line, at.record, "labels"},
                    FormatText("%d labels for %d steps: the label shown is not the step taken",
                               static_cast<int>(labels), ParseInt(FieldAt(fields, 2))));
            }
        });
}

void DataCheck::CheckManifesto() {
    ForEachRecord("data/manifesto.csv", "", BeginsWithHash,
                  [&](const Fields& fields, const DataLocation& at) {
                      const std::string& name = FieldAt(fields, 2);
                      if (!name.empty() && !Network::FindByName(name)) {
                          Add({at.file, at.line, name, "neuron"},
                              "no simulation value named '" + name + "' to pledge on");
                      }
                  });
}

void DataCheck::CheckHints() {
    for (Situation* situation : SituationManager::Instance().Situations())
        Hints::Instance().LoadHints(situation);
    std::set<std::string> seen;
    ForEachRecord(
        Hints::kHintsPath, "", IsLongRecord, [&](const Fields& fields, const DataLocation& at) {
            if (!SituationManager::Instance().FindSituation(at.record)) {
                Add(at, "no situation named '" + at.record + "'; its hints are never shown");
            } else if (!seen.insert(at.record).second) {
                Add(at, "a second record for the situation; only the first counts");
            }
            for (size_t i = 2; i < fields.size(); ++i) {
                const Neuron* neuron =
                    fields[i].size() > 2 ? Network::FindByName(fields[i]) : nullptr;
                if (neuron && neuron->Kind() != NeuronKind::Policy) {
                    Add({at.file, at.line, at.record, fields[i]},
                        "'" + fields[i] + "' is no policy");
                }
            }
        });
}

void DataCheck::CheckMissions() {
    for (const std::string& mission : MissionsInData())
        CheckMission("data/missions/" + mission + ".txt");
    if (platform::FileExists("data/missions/tutorial.txt"))
        CheckMission("data/missions/tutorial.txt");
}

void DataCheck::CheckMission(const std::string& path) {
    const auto file = TextFile::Open(path);
    if (!file) return;
    const std::vector<IniEntry> entries = ReadIniEntries(*file);
    struct Range {
        const char* key;
        double low, high;
        bool required;
    };
    static constexpr Range kRanges[] = {
        {"wealth", 0.01, 100.0, true},    {"population", 1.0, 1e7, true},
        {"unemployment", 0.0, 1.0, true}, {"militaryspending", 0.0, 1.0, false},
        {"religion", 0.0, 1.0, true},     {"environmentalist", -1.0, 1.0, false},
        {"year", 1.0, 9999.0, true},      {"month", 0.0, 11.0, false},
        {"debt", 0.0, 1e9, false},        {"termlength", 1.0, 20.0, true},
        {"practice", 0.0, 1.0, false},
    };
    for (const Range& range : kRanges) {
        const IniEntry* entry = FindEntry(entries, "config", range.key);
        const DataLocation at{path, entry ? entry->line : 0, "config", range.key};
        if (!entry) {
            if (range.required) Add(at, "missing; the game takes a default");
            continue;
        }
        if (!IsNumber(entry->value)) {
            Add(at, "'" + entry->value + "' is not a number");
        } else if (ParseDouble(entry->value) < range.low ||
                   ParseDouble(entry->value) > range.high) {
            Add(at,
                FormatText("%s is outside %g to %g", entry->value.c_str(), range.low, range.high));
        }
    }
    const IniEntry* name = FindEntry(entries, "config", "name");
    if (!name || name->value.empty())
        Add({path, name ? name->line : 0, "config", "name"}, "the country has no name");
    const IniEntry* matrix = FindEntry(entries, "config", "matrix");
    if (!matrix || matrix->value.empty()) {
        Add({path, 0, "config", "matrix"},
            "no voter matrix file is named; the population cannot be kept");
    } else {
        CheckMatrix(matrix->value);
    }
    bool inPolicies = false;
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string text = TrimBlanks(file->Lines()[i]);
        if (!inPolicies) {
            inPolicies = text.find("[policies]") != std::string::npos;
            continue;
        }
        if (text.empty() || text[0] == ';') continue;
        const Fields fields = SplitFields(text);
        const DataLocation at{path, static_cast<int>(i + 1), FieldAt(fields, 0), "policies"};
        if (!Policy::FindPolicy(at.record)) {
            Add(at, "no policy named '" + at.record + "'; the game skips it");
            continue;
        }
        CheckNumber(fields, 1, at, "slider", 0.0, 1.0);
    }
}

void DataCheck::CheckMatrix(const std::string& path) {
    const auto file = TextFile::Open(path);
    if (!file) return;  // generated at the first game
    std::set<std::string> reported;
    for (size_t i = 0; i < file->LineCount(); ++i) {
        for (const std::string& field : SplitFields(file->Lines()[i])) {
            const std::string name = TrimTrailing(field);
            if (name.size() < 2 || VoterManager::Instance().FindVoterType(name) ||
                !reported.insert(name).second) {
                continue;
            }
            Add({path, static_cast<int>(i + 1), "", name},
                "no voter group named '" + name +
                    "'; the game cannot start (delete the file to generate it anew)");
        }
    }
}

void DataCheck::CheckStrings() {
    const auto file = TextFile::Open(kStringsFile);
    if (!file) {
        Add({kStringsFile, 0, "", ""}, "the string table is missing; every text shows its key");
        return;
    }
    const std::vector<IniEntry> entries = ReadIniEntries(*file);
    std::set<std::pair<std::string, std::string>> defined;
    std::set<std::string> sections;
    for (const IniEntry& entry : entries) {
        sections.insert(entry.section);
        if (!defined.insert({entry.section, entry.key}).second) {
            Add({kStringsFile, entry.line, "", entry.key},
                "a second value for the key; the first one is shown");
        }
    }
    for (const StringKeyUse& use : keys_.asked) {
        const bool found = std::any_of(entries.begin(), entries.end(), [&](const IniEntry& entry) {
            return use.kind == StringKeyUse::Kind::Key
                       ? entry.section == kStringsSection && StringKeyMatches(use.text, entry.key)
                       : StringKeyMatches(LowerCase(use.text), entry.section);
        });
        if (found) continue;
        Add({kStringsFile, 0, "", use.text},
            use.kind == StringKeyUse::Kind::Key
                ? "missing from section [strings]; " + use.where +
                      " asks for it and shows the key instead"
                : "no section of that name; " + use.where + " reads it as a list");
    }
    const auto used = [&](const IniEntry& entry) {
        const bool listEntry = std::all_of(entry.key.begin(), entry.key.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        });
        const std::string& name = listEntry ? entry.section : entry.key;
        return std::any_of(keys_.mentioned.begin(), keys_.mentioned.end(),
                           [&](const std::string& mention) {
                               if (listEntry) return LowerCase(mention) == name;
                               if (mention.back() == '_' && name.rfind(mention, 0) == 0)
                                   return true;
                               return StringKeyMatches(mention, name);
                           });
    };
    std::set<std::string> unusedLists;
    for (const IniEntry& entry : entries) {
        if (used(entry)) continue;
        const bool listEntry = std::all_of(entry.key.begin(), entry.key.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        });
        if (listEntry && !unusedLists.insert(entry.section).second) continue;
        Add({kStringsFile, entry.line, listEntry ? "[" + entry.section + "]" : "",
             listEntry ? "" : entry.key},
            listEntry ? "no code reads this list" : "no code asks for this key", true);
    }
}

void DataCheck::CheckStyleSheet() {
    const std::string path = "data/stylesheet.ini";
    const auto file = TextFile::Open(path);
    if (!file) {
        Add({path, 0, "", ""},
            "the style sheet is missing; every text takes the default font in white");
        return;
    }
    const std::vector<IniEntry> entries = ReadIniEntries(*file);
    struct Key {
        const char* name;
        int low, high;  // a font name is any text
    };
    static constexpr Key kKeys[] = {
        {"font", 0, 0}, {"size", 1, 200}, {"r", 0, 255}, {"g", 0, 255}, {"b", 0, 255}};
    for (const char* section : StyleSheet::kSectionNames) {
        for (const Key& key : kKeys) {
            const IniEntry* entry = FindEntry(entries, section, key.name);
            const DataLocation at{path, entry ? entry->line : 0, section, key.name};
            if (!entry) {
                Add(at, "missing; the style takes a default");
            } else if (key.high > 0 &&
                       (!IsWholeNumber(entry->value) || ParseInt(entry->value) < key.low ||
                        ParseInt(entry->value) > key.high)) {
                Add(at, FormatText("'%s' is not a whole number from %d to %d", entry->value.c_str(),
                                   key.low, key.high));
            }
        }
    }
}

void DataCheck::CheckSkins() {
    const std::string path = "data/skins.ini";
    const auto file = TextFile::Open(path);
    if (!file) {
        Add({path, 0, "", ""}, "the skin is missing; every colour is transparent");
        return;
    }
    const std::vector<IniEntry> entries = ReadIniEntries(*file);
    for (const Skin::Entry& colour : Skin::kEntries) {
        const char* key = colour.key;
        const IniEntry* entry = FindEntry(entries, "default", key);
        const DataLocation at{path, entry ? entry->line : 0, "default", key};
        if (!entry) {
            // A skin written before the newer keys existed draws those parts
            // in the game's own colours, which is fine.
            if (colour.colour < Skin::kClassicCount) Add(at, "missing; the colour is transparent");
            continue;
        }
        const Fields parts = SplitFields(entry->value);
        const bool good =
            parts.size() == 4 &&
            std::all_of(parts.begin(), parts.end(), [](const std::string& part) {
                return IsWholeNumber(part) && ParseInt(part) >= 0 && ParseInt(part) <= 255;
            });
        if (!good) Add(at, "'" + entry->value + "' is not red,green,blue,alpha from 0 to 255");
    }
    for (const IniEntry& entry : entries) {
        if (platform::EqualsIgnoringCase(entry.section, "default") && !Skin::FindEntry(entry.key))
            Add({path, entry.line, "default", entry.key},
                "not a colour the game draws; the line is ignored", true);
    }
}

// The names on the main screen's value bars and voter-group strips must be
// read whole on the smallest screen: a name the map has to cut short is one
// the player cannot make out.
void DataCheck::CheckShortLabels() {
    if (!measure_) return;
    const std::vector<Simulation*>& values = SimulationManager::Instance().Values();
    const LabelRoom bars =
        ValueBarLabelRoom(int(values.size()), kSmallestScreenWidth, kSmallestScreenHeight);
    for (const Simulation* value : values)
        CheckShortLabel(*value, value->OwnShortName(), value->ShortName(), bars, "a value bar");
    const LabelRoom strips = VoterStripLabelRoom(kSmallestScreenWidth, kSmallestScreenHeight);
    for (const VoterType* type : VoterManager::Instance().VoterTypes())
        CheckShortLabel(*type, type->OwnShortName(), type->ShortName(), strips,
                        "a voter-group strip");
}

void DataCheck::CheckShortLabel(const Neuron& subject, std::string_view own,
                                const std::string& shown, const LabelRoom& room,
                                const char* where) {
    const int width = measure_(room.face, room.size, shown);
    if (width <= room.width) return;
    DataLocation at = DefinitionOf(subject);
    at.key = "short label";
    const std::string measured =
        FormatText("'%s' is %d pixels wide in %s %d, where %s leaves %d at %d x %d", shown.c_str(),
                   width, room.face, room.size, where, room.width, kSmallestScreenWidth,
                   kSmallestScreenHeight);
    if (!own.empty()) {
        Add(at, measured);
    } else {
        // Older data still plays: the map cuts the name with an ellipsis.
        Add(at, "none given, and " + measured + ": the map cuts it short", true);
    }
}

DataLocation DataCheck::DefinitionOf(const Neuron& neuron) const {
    const auto it = definitions_.find(neuron.Name());
    return it == definitions_.end() ? DataLocation{} : it->second;
}

// A cycle of effects never settles: each recalculation marks the next
// neuron again, so every turn runs into the network's pass limit.
void DataCheck::CheckCycles() {
    std::vector<Neuron*> order;
    Network::ForEachNeuron([&](Neuron& neuron) { order.push_back(&neuron); });
    std::map<const Neuron*, int> index, low;
    std::set<const Neuron*> onStack;
    std::vector<const Neuron*> stack;
    int counter = 0;
    std::vector<std::vector<const Neuron*>> components;
    std::function<void(const Neuron*)> visit = [&](const Neuron* neuron) {
        index[neuron] = low[neuron] = counter++;
        stack.push_back(neuron);
        onStack.insert(neuron);
        for (const NeuralEffect* effect : neuron->Outputs()) {
            const Neuron* next = effect->Target();
            if (!index.count(next)) {
                visit(next);
                low[neuron] = std::min(low[neuron], low[next]);
            } else if (onStack.count(next)) {
                low[neuron] = std::min(low[neuron], index[next]);
            }
        }
        if (low[neuron] != index[neuron]) return;
        std::vector<const Neuron*> component;
        const Neuron* member = nullptr;
        do {
            member = stack.back();
            stack.pop_back();
            onStack.erase(member);
            component.push_back(member);
        } while (member != neuron);
        const bool selfLoop =
            std::any_of(neuron->Outputs().begin(), neuron->Outputs().end(),
                        [&](const NeuralEffect* e) { return e->Target() == neuron; });
        if (component.size() > 1 || selfLoop) components.push_back(component);
    };
    for (const Neuron* neuron : order) {
        if (!index.count(neuron)) visit(neuron);
    }
    for (const auto& component : components) {
        // One loop through the component, from its earliest neuron.
        const std::set<const Neuron*> members(component.begin(), component.end());
        const Neuron* start =
            *std::min_element(component.begin(), component.end(),
                              [&](auto* a, auto* b) { return index[a] < index[b]; });
        std::map<const Neuron*, const Neuron*> cameFrom;
        std::vector<const Neuron*> frontier{start};
        const Neuron* last = nullptr;
        for (size_t i = 0; i < frontier.size() && !last; ++i) {
            for (const NeuralEffect* effect : frontier[i]->Outputs()) {
                const Neuron* next = effect->Target();
                if (next == start) {
                    last = frontier[i];
                    break;
                }
                if (members.count(next) && cameFrom.emplace(next, frontier[i]).second)
                    frontier.push_back(next);
            }
        }
        std::vector<const Neuron*> cycle;
        for (const Neuron* at = last; at && at != start; at = cameFrom[at]) cycle.push_back(at);
        cycle.push_back(start);
        std::reverse(cycle.begin(), cycle.end());
        DataLocation where;
        for (const Neuron* neuron : cycle) {
            if (where.file.empty()) where = DefinitionOf(*neuron);
        }
        Add(where, "effects form a cycle that never settles: " + Listing(cycle));
    }
}

int RunDataCheckCommand(std::FILE* out, DataCheck::TextMeasure measure) {
    platform::SetHeadless(true);  // assertion reports are counted, not shown
    DataCheck check(StringKeysInCode(), std::move(measure));
    const std::vector<DataFinding>& findings = check.Run();
    for (const DataFinding& finding : findings)
        std::fprintf(out, "%s\n", finding.Describe().c_str());
    std::fprintf(out, "data check: %d problem(s), %d warning(s)\n", check.ProblemCount(),
                 check.WarningCount());
    return check.ProblemCount() == 0 ? 0 : 1;
}
