// Dilemmas: reading their files, the pressure and the player's answer.
#include "world/Dilemma.h"

#include <charconv>
#include <map>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/SectionReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "politics/IssuesList.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "world/DilemmaManager.h"
#include "world/Grudge.h"
#include "world/StringTable.h"

namespace {

constexpr const char* kSource = "DilemmaManager";
// Country names shorter than this are taken for stray separators.
constexpr size_t kShortestCountry = 3;
// A dilemma's consequences never fade.
constexpr float kLasting = 1.0f;

// One key=value entry of a dilemma file, with its line for messages.
struct Entry {
    std::string key;
    std::string value;
    int line = 0;
};

using Sections = std::map<std::string, std::vector<Entry>>;  // lower-case section names

// Reads the file the way the game's initialisation files are read (blank and
// ";" lines skipped, a repeated section shadowed by the first, values by the
// section reader's rules) but keeps each entry's line number. Values are
// kept whole: descriptions may run past the 1023 characters the classic
// buffers held, and cutting them would only lose what the writer wrote.
Sections ReadSections(const TextFile& file) {
    Sections sections;
    std::vector<Entry>* current = nullptr;
    for (size_t i = 0; i < file.LineCount(); ++i) {
        const std::string text = TrimBlanks(file.Lines()[i]);
        if (text.empty() || text[0] == ';') continue;
        if (text[0] == '[') {
            const std::string name = LowerCase(TrimBlanks(text.substr(1, text.find(']') - 1)));
            const auto [at, isNew] = sections.try_emplace(name);
            current = isNew ? &at->second : nullptr;
            continue;
        }
        if (!current) continue;
        const SectionReader::Record record = SectionReader::ParseEntry(text);
        current->push_back({record.key, TrimBlanks(record.value), static_cast<int>(i + 1)});
    }
    return sections;
}

const std::vector<Entry>& SectionOf(const Sections& sections, std::string_view name) {
    static const std::vector<Entry> kNone;
    const auto it = sections.find(std::string(name));
    return it == sections.end() ? kNone : it->second;
}

// Keys match without regard to case, as in every initialisation file.
const Entry* FindEntry(const std::vector<Entry>& entries, std::string_view key) {
    const std::string wanted = LowerCase(key);
    for (const Entry& entry : entries) {
        if (LowerCase(entry.key) == wanted) return &entry;
    }
    return nullptr;
}

std::string ValueOf(const std::vector<Entry>& entries, std::string_view key) {
    const Entry* entry = FindEntry(entries, key);
    return entry ? entry->value : std::string();
}

// Mission names as written, blanks around each dropped so "Spain, France"
// matches France too.
std::vector<std::string> SplitCountries(const std::string& text) {
    std::vector<std::string> countries;
    FieldReader fields(text);
    while (!fields.AtEnd()) {
        std::string country = TrimBlanks(fields.NextField());
        if (country.size() >= kShortestCountry) countries.push_back(std::move(country));
    }
    return countries;
}

Neuron* FindNamed(const std::string& name) {
    // An empty name would find any unnamed neuron.
    return name.empty() ? nullptr : Network::FindByName(name);
}

// Option 0 or 1, its effects in file order.
DilemmaOption ReadOption(const Sections& sections, int index, const NamePair& names,
                         const Dilemma& owner) {
    const std::string section = "option" + std::to_string(index);
    const std::vector<Entry>& entries = SectionOf(sections, section);
    DilemmaOption option;
    option.description = ValueOf(entries, "Description");
    option.label = ValueOf(entries, "Name");
    // Only the first marker of each kind takes the name; later ones stay.
    for (std::string* text : {&option.description, &option.label}) {
        ReplaceFirst(*text, "<MaleName>", names.male);
        ReplaceFirst(*text, "<FemaleName>", names.female);
    }
    if (option.label.empty()) {
        ReportDataProblem(DataSeverity::Warning,
                          {owner.SourcePath(), 0, owner.Name(), section + ".Name"},
                          "option has no label", kSource, __LINE__);
    }
    option.dilemmaName = owner.Name();
    option.dilemmaDisplayName = owner.DisplayName();
    for (const Entry& entry : SectionOf(sections, section + "effects"))
        option.effects.push_back({entry.value, entry.line});
    return option;
}

}  // namespace

Dilemma::Dilemma() {
    SetKind(NeuronKind::Dilemma);
}

Dilemma::~Dilemma() {
    DilemmaManager::Instance().Forget(this);
    IssuesList::Instance().Forget(this);
    for (Neuron* source : randomSources_) Network::Destroy(source);
}

bool Dilemma::Load(const std::string& path) {
    path_ = path;
    const auto file = TextFile::Open(path);
    if (!file) {
        ReportDataProblem(DataSeverity::Error, {path, 0, "", ""}, "cannot open the dilemma file",
                          kSource, __LINE__);
        return false;
    }
    // Drawn for every dilemma, used or not, so a seeded game replays alike.
    const NamePair names = GenerateNames(Mission::Instance().Path());
    const Sections sections = ReadSections(*file);

    const std::vector<Entry>& head = SectionOf(sections, "dilemma");
    SetName(ValueOf(head, "name"));
    // Its name keys the choice record and saved games; without one the
    // dilemma could never be told apart.
    if (Name().empty()) {
        ReportDataProblem(DataSeverity::Error, {path, 0, "", "name"}, "dilemma has no name",
                          kSource, __LINE__);
        return false;
    }
    if (Name().find_first_of(" \t") != std::string::npos) {
        ReportDataProblem(DataSeverity::Warning, {path, 0, Name(), "name"},
                          "a name with a blank is not kept in saved games", kSource, __LINE__);
    }
    SetDisplayName(ValueOf(head, "guiname"));
    description_ = ValueOf(head, "description");
    countries_ = SplitCountries(ValueOf(head, "countries"));

    for (const Entry& entry : SectionOf(sections, "influences"))
        ReadInfluence(entry.value, entry.line);

    for (int i = 0; i < kOptionCount; ++i) options_[i] = ReadOption(sections, i, names, *this);
    CheckEffectTargets();
    return true;
}

void Dilemma::CheckEffectTargets() const {
    for (const DilemmaOption& option : options_) {
        for (const DilemmaEffect& effect : option.effects) {
            FieldReader fields(effect.text);
            const std::string target = TrimBlanks(fields.NextField());
            const DataLocation where{path_, effect.line, Name(), target};
            if (!FindNamed(target)) {
                ReportDataProblem(DataSeverity::Fatal, where,
                                  "Missing dilemma target:" + target + " in " + Name(), "Dilemma",
                                  __LINE__);
            }
            if (!IsNumber(fields.NextField())) {
                ReportDataProblem(DataSeverity::Warning, where,
                                  "effect size is not a number (reads as 0)", kSource, __LINE__);
            }
        }
    }
}

// An influence naming no neuron is reported here, with its line, rather than
// by the neuron's own parser, which cannot say where it came from.
void Dilemma::ReadInfluence(const std::string& value, int line) {
    const DataLocation where{path_, line, Name(), "influences"};
    if (value.find(',') == std::string::npos) {
        ReportDataProblem(DataSeverity::Warning, where,
                          "influence needs a source and a formula: '" + value + "'", kSource,
                          __LINE__);
        return;
    }
    FieldReader fields(value);
    const std::string from = fields.NextField();
    if (from != "_random_" && !FindNamed(from)) {
        ReportDataProblem(DataSeverity::Error, where, "failed to find event influence " + from,
                          kSource, __LINE__);
        return;
    }
    const size_t before = Inputs().size();
    AddInfluence(value);
    if (from == "_random_" && Inputs().size() > before)
        randomSources_.push_back(Inputs().back()->Source());
}

float Dilemma::GetPressure() {
    if (triggered_ || !PassesCountryFilter()) return 0.0f;
    return Recalculate();
}

bool Dilemma::PassesCountryFilter() const {
    if (countries_.empty()) return true;
    const std::string& mission = Mission::Instance().Name();
    for (const std::string& country : countries_) {
        if (country == mission) return true;
    }
    return false;
}

void Dilemma::Trigger() {
    triggered_ = true;
    IssuesList::Instance().AddDilemma(this);
    DilemmaManager::Instance().Triggered(*this);
}

void Dilemma::Choose(int option) {
    if (option < 0 || option >= kOptionCount) {
        ReportFailure("No dilemma option " + std::to_string(option) + " in " + Name(), "Dilemma",
                      __LINE__);
        return;
    }
    // A second click before the window closes must not double the grudges.
    if (chosenOption_ >= 0) return;
    chosenOption_ = option;
    // An answered dilemma never arises again, however it was put up.
    triggered_ = true;
    const DilemmaOption& chosen = options_[option];
    for (const DilemmaEffect& effect : chosen.effects) ApplyEffect(effect, chosen.dilemmaName);
    DilemmaManager::Instance().RecordChoice(chosen.dilemmaName, option);
    // The issues bar hands the entry out when its window opens, so it is
    // usually gone by now; forgetting it quietly spares a false report.
    IssuesList::Instance().Forget(this);
    DilemmaManager::Instance().Answered(*this, option);
}

void Dilemma::ApplyEffect(const DilemmaEffect& effect, const std::string& grudgeName) {
    FieldReader fields(effect.text);
    const std::string targetName = TrimBlanks(fields.NextField());
    const float size = fields.NextFloat();
    Neuron* target = FindNamed(targetName);
    // Targets were checked at load; one gone since is reported and skipped
    // rather than ending a game in progress.
    if (!target) {
        ReportDataProblem(DataSeverity::Error, {path_, effect.line, Name(), targetName},
                          "Failed to find grudge target", "Dilemma", __LINE__);
        return;
    }
    Grudge* grudge = CreateGrudge(grudgeName, size, kLasting, nullptr);
    // The effect starts at the grudge's own value: starting at 1, as the
    // classic code did, gave the target a whole 1.0 until the next effect
    // update and held a negative choice at 0 for a turn.
    Network::CreateEffect(grudge, target, "0+(1.0*x)", 1.0f, size);
    grudge->Propagate();
}
