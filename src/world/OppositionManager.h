// The opposition: groups' anger, the angriest group's warning or attack, the intelligence report.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/EnrolledManager.h"
#include "world/OppositionGroup.h"

class Neuron;
class VoterType;

// What the opposition message window shows.
struct OppositionMessage {
    enum class Kind { Warning, FoiledAttack, SuccessfulAttack };
    Kind kind = Kind::Warning;
    // The voter type's name.
    std::string group;
    std::string title;
    std::string text;
    // Played as the window opens; empty for a warning.
    std::string sound;
    // Closing the window ends the game and returns to the main menu.
    bool endsGame = false;
};

class OppositionManager : public EnrolledManager {
public:
    // Only a group angrier than this acts, and only the angriest such group.
    static constexpr float kActionThreshold = 0.4f;

    static OppositionManager& Instance();

    // Game start and before a load: one calm record per voter group, in the
    // voter manager's order.
    void ResetAnger();
    // Once a turn: every group's anger moves, then the angriest group above
    // the threshold that is not cooling down warns or attacks.
    void UpdateOpposition();

    // The group's share of the population times its anger, which the voter
    // window grades; 0 for a group without a record or an empty population.
    float GetAnger(const VoterType& type) const;
    // The report's sentence about the angriest group.
    std::string IntelReport() const;

    // Saved games write and restore the records.
    const std::vector<OppositionGroup>& Groups() const { return groups_; }
    OppositionGroup* FindGroup(const Neuron& type);

    // Set by an attack the security services did not stop, until the next
    // game; lets a driver without windows end the game too.
    bool IsGovernmentOverthrown() const { return overthrown_; }

    // The message window opens here. Without a listener the message only
    // reaches the debug log.
    void SetMessageListener(std::function<void(const OppositionMessage&)> listener) {
        listener_ = std::move(listener);
    }

    void Reset() override;

private:
    OppositionManager() = default;
    void Act(OppositionGroup& group);
    void Warn(OppositionGroup& group, const std::string& word);
    void Attack(OppositionGroup& group, const std::string& word);
    void Show(const OppositionMessage& message);

    std::vector<OppositionGroup> groups_;
    bool overthrown_ = false;
    std::function<void(const OppositionMessage&)> listener_;
};
