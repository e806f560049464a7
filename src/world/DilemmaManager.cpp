// The dilemma manager: loading, the turn's check and the choice record.
#include "world/DilemmaManager.h"

#include <algorithm>

#include "core/DataFiles.h"
#include "simulation/Network.h"
#include "world/Dilemma.h"

DilemmaManager& DilemmaManager::Instance() {
    static DilemmaManager manager;
    return manager;
}

void DilemmaManager::LoadAll(std::string_view pattern) {
    const std::string wanted(pattern);
    const std::string folder = wanted.substr(0, wanted.find_last_of("/\\") + 1);
    ListFiles(wanted, [&](const std::string& name) {
        // Listed before it is read, so the list keeps the load order even
        // while the file's influences are being linked.
        Dilemma* dilemma = Network::Create<Dilemma>();
        dilemmas_.push_back(dilemma);
        if (!dilemma->Load(folder + name)) Network::Destroy(dilemma);
    });
}

void DilemmaManager::DeleteAll() {
    // A copy: each dilemma takes itself out of the list as it goes.
    const std::vector<Dilemma*> dilemmas = dilemmas_;
    for (Dilemma* dilemma : dilemmas) Network::Destroy(dilemma);
    dilemmas_.clear();
    pending_ = nullptr;
}

void DilemmaManager::Reload(std::string_view pattern) {
    DeleteAll();
    LoadAll(pattern);
    choices_.clear();
}

void DilemmaManager::CheckDilemmas() {
    float best = 0.0f;
    Dilemma* chosen = nullptr;
    for (Dilemma* dilemma : dilemmas_) {
        const float pressure = dilemma->GetPressure();
        if (pressure > best) {
            best = pressure;
            chosen = dilemma;
        }
    }
    if (chosen && best > kPressureThreshold) chosen->Trigger();
}

void DilemmaManager::RecordChoice(std::string_view dilemma, int option) {
    choices_.push_back({std::string(dilemma), option});
}

Dilemma* DilemmaManager::FindDilemma(std::string_view name) const {
    for (Dilemma* dilemma : dilemmas_) {
        if (dilemma->Name() == name) return dilemma;
    }
    return nullptr;
}

void DilemmaManager::Reset() {
    DeleteAll();
    choices_.clear();
}

void DilemmaManager::Forget(const Dilemma* dilemma) {
    dilemmas_.erase(std::remove(dilemmas_.begin(), dilemmas_.end(), dilemma), dilemmas_.end());
    if (pending_ == dilemma) pending_ = nullptr;
}

void DilemmaManager::Triggered(Dilemma& dilemma) {
    pending_ = &dilemma;
    if (triggerListener_) triggerListener_(dilemma);
}

void DilemmaManager::Answered(Dilemma& dilemma, int option) {
    if (pending_ == &dilemma) pending_ = nullptr;
    if (choiceListener_) choiceListener_(dilemma, option);
}
