// The situation manager and situation loading.
#include "politics/SituationManager.h"

#include <algorithm>

#include "core/DataFiles.h"
#include "core/DataReport.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "politics/Situation.h"
#include "simulation/Network.h"

SituationManager& SituationManager::Instance() {
    static SituationManager manager;
    return manager;
}

void SituationManager::LoadSituations(std::string_view situationsFile,
                                      std::string_view modPattern) {
    const std::string path = situationsFile.empty()
                                 ? SetupValues::Instance().GetSetupString("situations")
                                 : std::string(situationsFile);
    // A mod file holds one situation, on its first line; anything after it
    // is ignored.
    const bool read = ForEachContentLine(path, modPattern, [this](const std::string& line, const std::string& source,
                                                                  int lineNumber) { LoadLine(line, source, lineNumber); });
    if (!read) {
        ReportDataProblem(DataSeverity::Error, {path, 0, "", "situations"},
                          "cannot open the situations file", "SituationManager", __LINE__);
    }
}

void SituationManager::LoadLine(const std::string& line, const std::string& source,
                                int lineNumber) {
    if (!Situation::IsSituationLine(line) || !Situation::IsWellFormed(line, source, lineNumber))
        return;
    situations_.push_back(Network::Create<Situation>(line, source, lineNumber));
}

Situation* SituationManager::FindSituation(std::string_view name) const {
    for (Situation* situation : situations_) {
        if (situation->Name() == name) return situation;
    }
    return nullptr;
}

void SituationManager::SettleThresholds() {
    // A situation that feeds its own input could flip for ever; one round per
    // situation is more than any chain of them needs.
    for (size_t round = 0; round <= situations_.size(); ++round) {
        bool switched = false;
        for (Situation* situation : situations_) switched = situation->CheckThresholds() || switched;
        if (!switched) return;
        Network::RecalculateAll();
    }
}

void SituationManager::Reset() {
    // A copy: each situation takes itself out of the list as it goes.
    const std::vector<Situation*> situations = situations_;
    for (Situation* situation : situations) Network::Destroy(situation);
    situations_.clear();
}

void SituationManager::Forget(const Situation* situation) {
    situations_.erase(std::remove(situations_.begin(), situations_.end(), situation),
                      situations_.end());
}
