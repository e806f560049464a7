// One voter group's anger, and which groups can turn violent.
#include "world/OppositionGroup.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "politics/VoterType.h"

namespace {

// The six groups that can turn to violence. The names are matched exactly:
// these groups are part of the game's rules, and the string table carries
// their message keys, so a modded group is calm until it is listed here.
struct ViolentGroup {
    std::string_view name;
    std::string_view word;
    std::string_view intelligenceName;
    std::string_view sound;
};

constexpr std::array<ViolentGroup, 6> kViolentGroups = {{
    {"Socialist", "SOCIALIST", "INTEL_SOCIALIST", "data/sounds/ak47.ogg"},
    {"Poor", "SOCIALIST", "", "data/sounds/ak47.ogg"},
    {"Capitalist", "CAPITALIST", "INTEL_CAPITALIST", "data/sounds/prison.ogg"},
    {"Patriot", "PATRIOT", "INTEL_PATRIOT", "data/sounds/ak47.ogg"},
    {"Religious", "RELIGIOUS", "INTEL_RELIGIOUS", "data/sounds/explosion.ogg"},
    {"Environmentalist", "ENVIRONMENTALIST", "INTEL_ENVIRONMENTALIST", "data/sounds/explosion.ogg"},
}};

const ViolentGroup* FindViolentGroup(std::string_view name) {
    for (const ViolentGroup& group : kViolentGroups) {
        if (group.name == name) return &group;
    }
    return nullptr;
}

// Opinions below this make a group angrier.
constexpr float kContentOpinion = 0.25f;
constexpr float kGrowthPerDifficulty = 0.48f;
constexpr float kCoolingAtEasiest = 0.1f;

}  // namespace

void OppositionGroup::UpdateAnger(float difficulty) {
    const float opinion = std::clamp(group_->Value(), 0.0f, 1.0f);
    if (opinion >= kContentOpinion) {
        anger_ *= 1.0f - kCoolingAtEasiest * (1.0f - difficulty);
    } else {
        anger_ += (kContentOpinion - opinion) * kGrowthPerDifficulty * difficulty;
    }
    if (cooldown_ > 0) --cooldown_;
}

void OppositionGroup::Restore(float anger, bool warned, int cooldown) {
    anger_ = anger;
    warned_ = warned;
    cooldown_ = cooldown;
}

std::string OppositionGroup::Word() const {
    const ViolentGroup* group = FindViolentGroup(group_->Name());
    return group ? std::string(group->word) : std::string();
}

std::string OppositionGroup::IntelligenceName() const {
    const ViolentGroup* group = FindViolentGroup(group_->Name());
    return group ? std::string(group->intelligenceName) : std::string();
}

std::string OppositionGroup::AttackSound() const {
    const ViolentGroup* group = FindViolentGroup(group_->Name());
    return group ? std::string(group->sound) : std::string();
}
