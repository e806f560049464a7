// Owns every situation: loads them from the main situations file and one per
// mod file, and deletes them between games.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/EnrolledManager.h"

class Situation;

class SituationManager : public EnrolledManager {
public:
    static SituationManager& Instance();

    // Reads the file the setup value "situations" names (unless one is
    // given), then the first line of each mod file, in name order. Runs
    // after the policies, so situations may act on policies but no policy
    // can act on a situation.
    void LoadSituations(std::string_view situationsFile = "",
                        std::string_view modPattern = "data/mods/situations/*.txt");

    // In load order.
    const std::vector<Situation*>& Situations() const { return situations_; }
    size_t Count() const { return situations_.size(); }
    // The first loaded of that name (exact, case counts).
    Situation* FindSituation(std::string_view name) const;

    // Once the settling network has been recalculated: switches each
    // situation across its thresholds at the settled values, and settles
    // again after each round of switches (a switched situation moves its
    // targets), until nothing switches.
    void SettleThresholds();

    // Deletes every situation.
    void Reset() override;

private:
    friend class Situation;
    SituationManager() = default;
    void LoadLine(const std::string& line, const std::string& source, int lineNumber);
    // A situation deleted by the network alone leaves the list here.
    void Forget(const Situation* situation);

    std::vector<Situation*> situations_;
};
