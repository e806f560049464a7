// Owns the seven policy groups, loads every policy (the main file, then one
// per mod file) and answers look-ups.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "core/EnrolledManager.h"
#include "politics/PolicyGroup.h"

class PolicyManager : public EnrolledManager {
public:
    static constexpr int kGroupCount = 7;

    static PolicyManager& Instance();

    // Sets up the groups, loads the slider configurations and the policies
    // (from the file the setup value "policies" names unless one is given).
    void Init(std::string_view policiesFile = "",
              std::string_view modPattern = "data/mods/policies/*.txt");
    void LoadPolicies(const std::string& path, std::string_view modPattern);

    PolicyGroup* GroupByName(std::string_view name);
    PolicyGroup* Group(int index);
    static const char* GroupName(int index);

    // Turn steps: phasing in, and the popularity of the policies in force.
    void AdvanceImplementation(bool holdsLowerHouse = true, bool holdsUpperHouse = true);
    void UpdatePolicyPriorities();

    // Deletes every policy, first to last.
    void Reset() override;

private:
    PolicyManager();
    std::array<std::unique_ptr<PolicyGroup>, kGroupCount> groups_;
};
