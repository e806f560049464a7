// Situations: reading their line, the threshold check, switching on and off.
#include "politics/Situation.h"

#include <algorithm>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/IssuesList.h"
#include "politics/PolicyGroup.h"
#include "politics/PolicyManager.h"
#include "politics/SituationManager.h"
#include "simulation/Network.h"

namespace {

constexpr int kGroupField = 5;

std::string NthField(const std::string& line, int number) {
    FieldReader fields(line);
    for (int i = 1; i < number; ++i) fields.NextField();
    return fields.NextField();
}

bool BeginsWithMarker(const std::string& field) {
    return !field.empty() && field[0] == '#';
}

}  // namespace

bool Situation::IsSituationLine(std::string_view line) {
    // The length has always counted the line end, which TextFile strips.
    return line.size() + 1 >= 9 && line[0] == '#';
}

bool Situation::IsWellFormed(const std::string& line, const std::string& source, int lineNumber) {
    const std::string name = NthField(line, 2);
    if (name.empty()) {
        ReportDataProblem(DataSeverity::Error, {source, lineNumber, "", "name"},
                          "situation has no name", "SituationManager", __LINE__);
        return false;
    }
    const std::string group = NthField(line, kGroupField);
    if (!PolicyManager::Instance().GroupByName(group)) {
        ReportDataProblem(DataSeverity::Error, {source, lineNumber, name, "group"},
                          "no policy group named '" + group + "'", "SituationManager", __LINE__);
        return false;
    }
    return true;
}

// Lines are read whole. The name and display name are cut to the neuron's
// 63 characters (they are look-up keys and labels); the texts and the line
// itself are kept whole, since cutting them would only lose what the modder
// wrote.
Situation::Situation(const std::string& line, const std::string& source, int lineNumber) {
    SetKind(NeuronKind::Situation);
    SetActive(false);

    FieldReader fields(line);
    fields.NextField();
    SetName(fields.NextField());
    SetDisplayName(fields.NextField());
    description_ = fields.NextField();
    group_ = PolicyManager::Instance().GroupByName(fields.NextField());
    startText_ = fields.NextField();
    endText_ = fields.NextField();
    positive_ = fields.NextInt() != 0;
    // One whole number each, the same at every setting.
    const float cost = static_cast<float>(fields.NextInt());
    const float income = static_cast<float>(fields.NextInt());
    SetCosts(cost, cost);
    SetIncomes(income, income);

    ReadInputs(fields, source, lineNumber);
    ReadOutputs(fields, source, lineNumber);
    Deactivate();
    line_ = line;
}

Situation::~Situation() {
    SituationManager::Instance().Forget(this);
    IssuesList::Instance().Forget(this);
    // An active situation takes its icon with it, so the map never holds a
    // situation that is gone.
    if (IsActive() && group_) group_->RemoveSituationIcon(this);
    for (Neuron* source : randomSources_) Network::Destroy(source);
}

void Situation::ReadInputs(FieldReader& fields, const std::string& source, int lineNumber) {
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string field = fields.NextField();
        if (BeginsWithMarker(field)) return;
        if (field.find(',') == std::string::npos) continue;
        pair.SetText(field);
        const std::string from = pair.NextField();
        // Checked here rather than left to AddInfluence so the modder is told
        // the file and line. An empty name would find any unnamed neuron.
        if (from != "_random_" && (from.empty() || !Network::FindByName(from))) {
            ReportDataProblem(DataSeverity::Warning, {source, lineNumber, Name(), from},
                              "failed to find event influence " + from, "SituationManager",
                              __LINE__);
            continue;
        }
        const size_t before = Inputs().size();
        AddInfluence(field);
        if (from == "_random_" && Inputs().size() > before)
            randomSources_.push_back(Inputs().back()->Source());
    }
}

void Situation::ReadOutputs(FieldReader& fields, const std::string& source, int lineNumber) {
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string field = fields.NextField();
        if (field.find(',') == std::string::npos) continue;
        pair.SetText(field);
        const std::string target = pair.NextField();
        const std::string formula = pair.NextField();
        Neuron* neuron = target.empty() ? nullptr : Network::FindByName(target);
        if (!neuron) {
            ReportDataProblem(DataSeverity::Warning, {source, lineNumber, Name(), target},
                              "Failed to find Neuron: " + target, "SituationManager", __LINE__);
            continue;
        }
        Network::CreateEffect(this, neuron, formula, 1.0f, 0.5f);
    }
}

float Situation::Recalculate() {
    Neuron::Recalculate();
    // The targets see the cut value too, not the raw sum the check never
    // looks at.
    const float cut = std::clamp(value_, 0.0f, 1.0f);
    if (cut != value_) {
        value_ = cut;
        Propagate();
    }
    if (!Network::IsSettleMode()) CheckThresholds();
    return value_;
}

bool Situation::CheckThresholds() {
    if (IsActive() && value_ < kEndThreshold) {
        Deactivate();
        return true;
    }
    if (!IsActive() && value_ >= kStartThreshold) {
        Activate();
        return true;
    }
    return false;
}

void Situation::Activate() {
    Assert(!IsActive(), "Situation", __LINE__);
    if (IsActive()) return;
    SetActive(true);
    if (group_) group_->AddSituationIcon(this);
    // Marking it again makes the network pass its value on, now that its
    // effects deliver.
    MarkChanged();
    IssuesList::Instance().AddSituationStarted(this);
}

void Situation::Deactivate() {
    const bool wasActive = IsActive();
    if (wasActive) IssuesList::Instance().AddSituationEnded(this);
    SetActive(false);
    // The group hears of a removal only for an icon it was given.
    if (wasActive && group_) group_->RemoveSituationIcon(this);
    MarkChanged();
    Log("Situation Removed");
}

void Situation::RestoreActive(bool active) {
    if (active == IsActive()) return;
    SetActive(active);
    if (group_) {
        if (active) {
            group_->AddSituationIcon(this);
        } else {
            group_->RemoveSituationIcon(this);
        }
    }
    MarkChanged();
}

float Situation::Goodness() const {
    return positive_ ? GetValue() : 1.0f - GetValue();
}

float Situation::CurrentCost() const {
    return IsActive() ? GetCost(std::clamp(GetValue(), 0.0f, 1.0f)) : 0.0f;
}

float Situation::CurrentIncome() const {
    return IsActive() ? GetIncome(std::clamp(GetValue(), 0.0f, 1.0f)) : 0.0f;
}
