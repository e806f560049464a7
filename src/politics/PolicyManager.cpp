// The policy manager and policy loading.
#include "politics/PolicyManager.h"

#include <vector>

#include "core/DataFiles.h"
#include "core/DataReport.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "politics/Policy.h"
#include "politics/SliderConfiguration.h"
#include "simulation/Network.h"

namespace {

struct GroupSpec {
    const char* name;
    float angle;
};

// The wheel leaves the bottom (180 degrees) free.
constexpr std::array<GroupSpec, PolicyManager::kGroupCount> kGroups = {{
    {"FOREIGN POLICY", 0.0f},
    {"WELFARE", 45.0f},
    {"ECONOMY", 90.0f},
    {"TAX", 135.0f},
    {"PUBLIC SERVICES", 225.0f},
    {"LAW & ORDER", 270.0f},
    {"TRANSPORT", 315.0f},
}};

}  // namespace

PolicyManager& PolicyManager::Instance() {
    static PolicyManager manager;
    return manager;
}

PolicyManager::PolicyManager() {
    for (int i = 0; i < kGroupCount; ++i) {
        groups_[static_cast<size_t>(i)] =
            std::make_unique<PolicyGroup>(kGroups[static_cast<size_t>(i)].name, i, kGroups[static_cast<size_t>(i)].angle);
    }
}

const char* PolicyManager::GroupName(int index) {
    return index >= 0 && index < kGroupCount ? kGroups[static_cast<size_t>(index)].name : "";
}

PolicyGroup* PolicyManager::Group(int index) {
    return index >= 0 && index < kGroupCount ? groups_[static_cast<size_t>(index)].get() : nullptr;
}

PolicyGroup* PolicyManager::GroupByName(std::string_view name) {
    for (auto& group : groups_) {
        if (group->Name() == name) return group.get();
    }
    return nullptr;
}

void PolicyManager::Init(std::string_view policiesFile, std::string_view modPattern) {
    SliderConfiguration::LoadAll();
    const std::string path =
        policiesFile.empty() ? SetupValues::Instance().GetSetupString("policies") : std::string(policiesFile);
    LoadPolicies(path, modPattern);
}

void PolicyManager::LoadPolicies(const std::string& path, std::string_view modPattern) {
    // One policy per mod file, from its first line.
    const bool read = ForEachContentLine(path, modPattern, [](const std::string& line, const std::string& source,
                                                              int lineNumber) {
        if (Policy::IsPolicyLine(line)) Network::Create<Policy>(line, source, lineNumber);
    });
    if (!read) {
        ReportDataProblem(DataSeverity::Error, {path, 0, "", ""}, "cannot open the policies file", "PolicyManager",
                          __LINE__);
    }
}

void PolicyManager::AdvanceImplementation(bool holdsLowerHouse, bool holdsUpperHouse) {
    Policy::AdvanceImplementation(holdsLowerHouse, holdsUpperHouse);
}

void PolicyManager::UpdatePolicyPriorities() { Policy::UpdateAllPopularity(); }

void PolicyManager::Reset() {
    const std::vector<Policy*> policies = Policy::AllPolicies();
    for (Policy* policy : policies) Network::Destroy(policy);
    for (auto& group : groups_) group->ClearActive();
}
