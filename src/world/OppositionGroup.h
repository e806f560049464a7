// One voter group's anger against the government, its warning and its cooldown.
#pragma once

#include <string>

class VoterType;

class OppositionGroup {
public:
    // Turns a group waits after each warning or attack.
    static constexpr int kCooldownTurns = 3;

    explicit OppositionGroup(VoterType& group) : group_(&group) {}

    VoterType& Group() const { return *group_; }
    float Anger() const { return anger_; }
    bool IsWarned() const { return warned_; }
    int Cooldown() const { return cooldown_; }
    // A group still cooling down after a warning or attack cannot act.
    bool CanAct() const { return cooldown_ < 1; }

    // One turn of the group's mood: below 0.25 it grows angrier, the more so
    // the harder the game; otherwise it cools, by 10 % a turn at the easiest
    // setting and not at all at the hardest.
    void UpdateAnger(float difficulty);

    void MarkWarned() { warned_ = true; }
    void StartCooldown() { cooldown_ = kCooldownTurns; }
    // Saved games.
    void Restore(float anger, bool warned, int cooldown);

    // "SOCIALIST" and the like: the word the group's message keys are built
    // from; empty for groups that never turn violent.
    std::string Word() const;
    // "INTEL_SOCIALIST" and the like; empty for groups the intelligence
    // services have no name for ("Poor" among them).
    std::string IntelligenceName() const;
    // The sound its attack makes; empty for groups that never attack.
    std::string AttackSound() const;

private:
    VoterType* group_;
    float anger_ = 0.0f;
    bool warned_ = false;
    int cooldown_ = 0;
};
