// Simulation values and their manager.
#include "simulation/Simulation.h"

#include <algorithm>
#include <cctype>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "simulation/Network.h"

namespace {

std::function<void(Simulation&)>& TurnListener() {
    static std::function<void(Simulation&)> listener;
    return listener;
}

constexpr size_t kMaxDescription = 1023;

}  // namespace

Simulation::Simulation() {
    SetKind(NeuronKind::SimulationValue);
    SimulationManager::Instance().values_.push_back(this);
}

Simulation::~Simulation() {
    auto& values = SimulationManager::Instance().values_;
    values.erase(std::remove(values.begin(), values.end(), this), values.end());
}

void Simulation::SetTurnListener(std::function<void(Simulation&)> listener) { TurnListener() = std::move(listener); }

void Simulation::TurnHook() {
    if (TurnListener()) TurnListener()(*this);
}

float Simulation::Soften(float v) {
    if (v < 0.05f) return 0.05f - (0.05f - v) * 0.952381f * 0.05f;
    if (v > 0.95f) return 0.95f + (v - 0.95f) * 0.952381f * 0.05f;
    return v;
}

float Simulation::GetValue() const { return Soften(value_); }

std::string_view Simulation::OwnShortName() const {
    return texts_.size() > kShortNameText ? std::string_view(texts_[kShortNameText])
                                          : std::string_view();
}

std::string Simulation::ShortName() const {
    if (!OwnShortName().empty()) return std::string(OwnShortName());
    const std::string& name = Name();
    const bool acronym =
        !name.empty() && name.size() <= 5 &&
        std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isupper(c); });
    return acronym || DisplayName().empty() ? name : DisplayName();
}

SimulationManager& SimulationManager::Instance() {
    static SimulationManager manager;
    return manager;
}

void SimulationManager::Reset() {
    // A copy: each value takes itself out of the list as it goes.
    const std::vector<Simulation*> values = values_;
    for (Simulation* value : values) Network::Destroy(value);
    values_.clear();
}

Simulation* SimulationManager::FindValue(std::string_view name) const {
    for (Simulation* value : values_) {
        if (value->Name() == name) return value;
    }
    return nullptr;
}

void SimulationManager::LoadValues(const std::string& path) {
    const auto file = TextFile::Open(path);
    if (!file) return;
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string& line = file->Lines()[i];
        if (!line.empty() && line[0] == '#') LoadLine(line, path, static_cast<int>(i + 1));
    }
}

void SimulationManager::LoadLine(const std::string& line, const std::string& path, int lineNumber) {
    Simulation* value = Network::Create<Simulation>();
    value->SetValue(0.5f);
    FieldReader fields(line);
    fields.NextField();
    value->SetName(fields.NextField());
    value->SetDisplayName(fields.NextField());
    value->description_ = fields.NextField().substr(0, kMaxDescription);
    const float base = fields.NextFloat();
    Network::CreateEffect(Network::DefaultNeuron(), value, FormatText("%f+(x*0)", static_cast<double>(base)), 1.0f,
                          1.0f);
    value->flag_ = fields.NextInt() != 0;

    bool influences = false;
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string& field = fields.NextField();
        if (field == "#") {
            influences = true;
            continue;
        }
        if (field.size() <= 2) continue;
        if (!influences) {
            value->texts_.push_back(field);
            continue;
        }
        pair.SetText(field);
        const std::string source = pair.NextField();
        const std::string formula = pair.NextField();
        if (Neuron* neuron = Network::FindByName(source)) {
            Network::CreateEffect(neuron, value, formula, 1.0f, 0.5f);
        } else {
            ReportDataProblem(DataSeverity::Error, {path, lineNumber, value->Name(), source},
                              "Failed to find influence " + source + " for " + value->Name() + ",", "Simulation",
                              __LINE__);
        }
    }
}
