// The list of enrolled managers.
#include "core/EnrolledManager.h"

#include <algorithm>

std::vector<EnrolledManager*>& EnrolledManager::Registry() {
    static std::vector<EnrolledManager*> registry;
    return registry;
}

EnrolledManager::EnrolledManager() { Registry().push_back(this); }

EnrolledManager::~EnrolledManager() {
    auto& registry = Registry();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
}

void EnrolledManager::ResetAll() {
    // A copy, so a manager may enrol or leave while the others are reset.
    const std::vector<EnrolledManager*> managers = Registry();
    for (EnrolledManager* manager : managers) manager->Reset();
}

std::size_t EnrolledManager::Count() { return Registry().size(); }
