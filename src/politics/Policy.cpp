// Policies: reading their line, phasing in and out, costs and popularity.
#include "politics/Policy.h"

#include <algorithm>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextUtilities.h"
#include "platform/FileSystem.h"
#include "politics/PoliticalCapital.h"
#include "politics/PolicyGroup.h"
#include "politics/PolicyManager.h"
#include "politics/SliderConfiguration.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "simulation/Simulation.h"
#include "simulation/SliderInput.h"

namespace {

constexpr size_t kMaxDescription = 1023;
constexpr int kEffectsField = 15;

std::vector<Policy*>& Master() {
    static std::vector<Policy*> list;
    return list;
}

std::vector<Policy*>& Active() {
    static std::vector<Policy*> list;
    return list;
}

void Remove(std::vector<Policy*>& list, const Policy* policy) {
    list.erase(std::remove(list.begin(), list.end(), policy), list.end());
}

}  // namespace

bool Policy::IsPolicyLine(std::string_view line) { return line.size() + 1 >= 9 && line[0] == '#'; }

Policy::Policy(const std::string& line, const std::string& source, int lineNumber)
    : line_(line), source_(source), lineNumber_(lineNumber) {
    SetKind(NeuronKind::Policy);
    SetActive(false);
    SetImplementation(0.0f);
    value_ = 0.0f;

    FieldReader fields(line_);
    fields.NextField();
    SetName(fields.NextField());
    Master().push_back(this);
    SetDisplayName(fields.NextField());
    const DataLocation where{source_, lineNumber_, Name(), ""};
    auto at = [&](const char* key) {
        DataLocation located = where;
        located.key = key;
        return located;
    };

    const std::string configuration = fields.NextField();
    sliderConfiguration_ = SliderConfiguration::Find(configuration);
    if (!sliderConfiguration_) {
        ReportDataProblem(DataSeverity::Error, at("slider"), "no slider configuration named '" + configuration + "'",
                          "Policy", __LINE__);
    }
    description_ = fields.NextField().substr(0, kMaxDescription);
    if (description_.size() < 2) description_ = "Blah waffle";
    cancellable_ = fields.NextField() == "TRUE";
    const std::string groupName = fields.NextField();
    group_ = PolicyManager::Instance().GroupByName(groupName);
    if (!group_) {
        ReportDataProblem(DataSeverity::Error, at("group"), "no policy group named '" + groupName + "'", "Policy",
                          __LINE__);
    }
    const float costAtZero = fields.NextFloat();
    const float costAtFull = fields.NextFloat();
    SetCosts(costAtZero, costAtFull);
    costMultiplier_ = SimulationManager::Instance().FindValue(fields.NextField());
    implementationTime_ = std::clamp(fields.NextInt(), 1, kMaxImplementationTime);
    const float incomeAtZero = fields.NextFloat();
    const float incomeAtFull = fields.NextFloat();
    SetIncomes(incomeAtZero, incomeAtFull);
    const std::string incomeMultiplier = fields.NextField();
    if (incomeMultiplier.size() >= 2) {
        incomeMultiplier_ = Network::FindByName(incomeMultiplier);
        if (!incomeMultiplier_) {
            ReportDataProblem(DataSeverity::Fatal, at("income multiplier"), "Failed to find income multiplier neuron",
                              "Policy", __LINE__);
        }
    }

    input_ = Network::Create<SliderInput>();
    sliderEffect_ = Network::CreateEffect(input_, this, "0+(1.0*x)", 1.0f, 0.5f);
    sliderEffect_->SetInertia(implementationTime_);

    const std::string icon = "icons_" + LowerCase(Name()) + ".dds";
    if (platform::FileExists("data/bitmaps/" + icon) || platform::FileExists("data/mods/bitmaps/" + icon)) {
        iconFile_ = icon;
    }
    PlaceRandomly(30.0f, 50.0f);
    CheckEffects();
}

Policy::~Policy() {
    Remove(Master(), this);
    Remove(Active(), this);
    if (group_) group_->RemoveActivePolicy(this);
    Network::Destroy(input_);
}

void Policy::ForEachEffect(const std::function<void(const std::string&, const std::string&)>& visit) const {
    FieldReader fields(line_);
    for (int i = 1; i < kEffectsField; ++i) fields.NextField();
    if (fields.NextField() != "#Effects") {
        ReportDataProblem(DataSeverity::Fatal, {source_, lineNumber_, Name(), "#Effects"}, "Policy data corrupted",
                          "Policy", __LINE__);
    }
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string& field = fields.NextField();
        if (field.find(',') == std::string::npos) continue;
        pair.SetText(field);
        const std::string target = pair.NextField();
        visit(target, pair.NextField());
    }
}

void Policy::CheckEffects() {
    ForEachEffect([this](const std::string& target, const std::string&) {
        if (!Network::FindByName(target)) {
            ReportDataProblem(DataSeverity::Fatal, {source_, lineNumber_, Name(), target},
                              "cant find " + target + " in " + Name(), "Policy", __LINE__);
        }
    });
}

void Policy::CreateEffects() {
    ForEachEffect([this](const std::string& target, const std::string& formula) {
        Neuron* neuron = VoterManager::Instance().FindVoterType(target);
        if (!neuron) neuron = SimulationManager::Instance().FindValue(target);
        if (!neuron) neuron = Network::FindByName(target);
        if (!neuron) {
            ReportDataProblem(DataSeverity::Warning, {source_, lineNumber_, Name(), target},
                              "Failed to find influence " + target + " for " + Name() + ",", "Policy", __LINE__);
            return;
        }
        Network::CreateEffect(this, neuron, formula, 1.0f, 0.5f);
    });
}

void Policy::Introduce() {
    if (IsActive()) return;
    PoliticalCapital::Instance().SpendOne();
    if (group_) group_->AddActivePolicy(this);
    SetActive(true);
    if (effectsCreated_) {
        MarkChanged();
    } else {
        CreateEffects();
        effectsCreated_ = true;
    }
    SetSlider(0.5f);
    value_ = 0.5f;
    Active().push_back(this);
}

void Policy::RestoreEffects() {
    if (effectsCreated_) return;
    CreateEffects();
    effectsCreated_ = true;
}

void Policy::Cancel() {
    if (group_) group_->RemoveActivePolicy(this);
    MarkChanged();
    SetActive(false);
    Remove(Active(), this);
    PlayerInputRecorder::Instance().RecordCancel(Name());
    SetImplementation(0.0f);
}

void Policy::SetSlider(float value) {
    input_->SetValue(value);
    input_->Propagate();
}

float Policy::Slider() const { return input_->Value(); }

float Policy::Multiplied(float amount, const Neuron* multiplier) const {
    return multiplier ? amount * multiplier->GetValue() : amount;
}

float Policy::CostAt(float v) const { return std::max(0.0f, Multiplied(GetCost(v), costMultiplier_)); }

float Policy::IncomeAt(float v) const { return std::max(0.0f, Multiplied(GetIncome(v), incomeMultiplier_)); }

float Policy::CurrentCost() const { return Multiplied(GetCost(value_), costMultiplier_); }

float Policy::CurrentIncome() const { return std::max(0.0f, Multiplied(GetIncome(value_), incomeMultiplier_)); }

void Policy::UpdatePopularity() {
    float sum = 0.0f;
    float weight = 0.0f;
    for (VoterType* type : VoterManager::Instance().VoterTypes()) {
        for (NeuralEffect* effect : type->Inputs()) {
            if (effect->Source() != this) continue;
            const float w = static_cast<float>(type->MemberSnapshot());
            sum += w * effect->Output();
            weight += w;
            break;
        }
    }
    popularity_ = weight <= 0.0f ? 0.5f : std::clamp(sum / weight + 0.5f, 0.0f, 1.0f);
}

const std::vector<Policy*>& Policy::AllPolicies() { return Master(); }
const std::vector<Policy*>& Policy::ActivePolicies() { return Active(); }

Policy* Policy::FindPolicy(std::string_view name) {
    for (Policy* policy : Master()) {
        if (policy->Name() == name) return policy;
    }
    return nullptr;
}

void Policy::IntroduceAllMandatory() {
    for (Policy* policy : std::vector<Policy*>(Master())) {
        if (policy->cancellable_) continue;
        policy->Introduce();
        policy->SetImplementation(1.0f);
    }
}

void Policy::AdvanceImplementation(bool holdsLowerHouse, bool holdsUpperHouse) {
    const float k = (holdsLowerHouse ? 0.0f : 0.5f) + (holdsUpperHouse ? 0.0f : 0.5f);
    for (Policy* policy : Active()) {
        if (!policy->IsActive() || policy->Implementation() >= 1.0f) continue;
        policy->MarkChanged();
        const float t = static_cast<float>(policy->implementationTime_);
        float implementation = policy->Implementation() + 1.0f / (t + t * k);
        if (implementation > 1.0f) implementation = 1.0f;
        policy->SetImplementation(implementation);
    }
}

void Policy::UpdateAllPopularity() {
    for (Policy* policy : Active()) policy->UpdatePopularity();
}
