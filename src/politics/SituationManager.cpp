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
    if (const auto file = TextFile::Open(path)) {
        for (size_t i = 0; i < file->LineCount(); ++i)
            LoadLine(file->Lines()[i], path, static_cast<int>(i + 1));
    } else {
        ReportDataProblem(DataSeverity::Error, {path, 0, "", "situations"},
                          "cannot open the situations file", "SituationManager", __LINE__);
    }
    // A mod file holds one situation, on its first line; anything after it
    // is ignored, and a file that cannot be read is skipped.
    const std::string pattern(modPattern);
    const std::string folder = pattern.substr(0, pattern.rfind('/') + 1);
    ListFiles(pattern, [&](const std::string& name) {
        const auto mod = TextFile::Open(folder + name);
        if (mod && mod->LineCount() > 0) LoadLine(mod->Line(1), folder + name, 1);
    });
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
