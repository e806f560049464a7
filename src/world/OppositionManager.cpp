// Anger records, the opposition's actions and the intelligence report.
#include "world/OppositionManager.h"

#include <string_view>

#include "core/GameRandom.h"
#include "engine/DebugLog.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "world/StringTable.h"

namespace {

// On the hardest settings the security services are stretched: they stop
// only half as many attacks.
constexpr float kStretchedSecurityDifficulty = 0.75f;
// Up to this anger the intelligence services report mere grumbling; up to
// the second nothing at all.
constexpr float kConcernAnger = 0.1f;
constexpr float kNoticeableAnger = 0.001f;

// Message keys such as "WARNING_SOCIALIST_TITLE".
std::string KeyFor(std::string_view prefix, const std::string& word, std::string_view suffix) {
    return std::string(prefix) + word + std::string(suffix);
}

// The chance that the security services stop an attack.
float SecurityStrength() {
    const Neuron* security = Network::SecurityNeuron();
    float strength = security ? security->Value() : 0.0f;
    if (GameOptions::Instance().Get(GameOptions::kDifficulty) > kStretchedSecurityDifficulty) {
        strength *= 0.5f;
    }
    return strength;
}

// The sign of unrest grows with the anger, from grumbling to a march; the
// report is built as its window opens, so nothing here may draw from the
// game's generator.
std::string TrivialReport(float anger, const std::string& enemy) {
    const float fraction = (anger - kNoticeableAnger) / (kConcernAnger - kNoticeableAnger);
    return FormatString("INTEL_REPORT_TRIVIAL",
                        "INTEL_TRIVIAL=" + GetGradedString(fraction, "INTEL_TRIVIAL_TYPE") +
                            ",INTEL_ENEMY=" + enemy + ",");
}

}  // namespace

OppositionManager& OppositionManager::Instance() {
    static OppositionManager manager;
    return manager;
}

void OppositionManager::Reset() {
    groups_.clear();
    overthrown_ = false;
}

void OppositionManager::ResetAnger() {
    Reset();
    for (VoterType* type : VoterManager::Instance().VoterTypes()) groups_.emplace_back(*type);
}

OppositionGroup* OppositionManager::FindGroup(const Neuron& type) {
    for (OppositionGroup& group : groups_) {
        if (&group.Group() == &type) return &group;
    }
    return nullptr;
}

void OppositionManager::UpdateOpposition() {
    const float difficulty = GameOptions::Instance().Get(GameOptions::kDifficulty);
    float threshold = kActionThreshold;
    OppositionGroup* chosen = nullptr;
    // Ties keep the earlier group: a later one must be strictly angrier.
    for (OppositionGroup& group : groups_) {
        group.UpdateAnger(difficulty);
        if (group.CanAct() && group.Anger() > threshold) {
            chosen = &group;
            threshold = group.Anger();
        }
    }
    if (chosen) Act(*chosen);
}

// A group's first action is always its warning; every later one is an
// attack. A group without a word was never meant to turn violent, so it
// does nothing, though it still counts as the angriest that turn.
void OppositionManager::Act(OppositionGroup& group) {
    const std::string word = group.Word();
    if (!group.IsWarned()) {
        group.MarkWarned();
        if (!word.empty()) Warn(group, word);
        return;
    }
    if (!word.empty()) Attack(group, word);
}

void OppositionManager::Warn(OppositionGroup& group, const std::string& word) {
    OppositionMessage message;
    message.kind = OppositionMessage::Kind::Warning;
    message.group = group.Group().Name();
    message.title = GetString(KeyFor("WARNING_", word, "_TITLE"));
    message.text = GetString(KeyFor("WARNING_", word, "_TEXT"));
    group.StartCooldown();
    Show(message);
}

void OppositionManager::Attack(OppositionGroup& group, const std::string& word) {
    OppositionMessage message;
    message.group = group.Group().Name();
    message.sound = group.AttackSound();
    const bool foiled = GameRandom::Uniform(0.0f, 1.0f) < SecurityStrength();
    if (foiled) {
        message.kind = OppositionMessage::Kind::FoiledAttack;
        message.title = GetString("ATTACK_FAILED_TEXT");
        message.text = GetString(KeyFor("ATTACK_", word, "_FAILED"));
    } else {
        message.kind = OppositionMessage::Kind::SuccessfulAttack;
        message.title = GetString(KeyFor("ATTACK_", word, "_TITLE"));
        message.text = GetString(KeyFor("ATTACK_", word, "_TEXT"));
        message.endsGame = true;
        overthrown_ = true;
    }
    group.StartCooldown();
    Show(message);
}

void OppositionManager::Show(const OppositionMessage& message) {
    Log("opposition " + message.group + ": " + message.title);
    if (listener_) listener_(message);
}

float OppositionManager::GetAnger(const VoterType& type) const {
    const int population = VoterManager::Instance().PopulationTotal();
    if (population <= 0) return 0.0f;
    for (const OppositionGroup& group : groups_) {
        if (&group.Group() != &type) continue;
        const float share = static_cast<float>(type.MemberCount()) / static_cast<float>(population);
        return share * group.Anger();
    }
    return 0.0f;
}

std::string OppositionManager::IntelReport() const {
    const OppositionGroup* angriest = nullptr;
    for (const OppositionGroup& group : groups_) {
        if (group.Anger() > (angriest ? angriest->Anger() : 0.0f)) angriest = &group;
    }
    if (!angriest || angriest->Anger() <= kNoticeableAnger) return GetString("INTEL_REPORT_NONE");
    const VoterType& type = angriest->Group();
    if (angriest->Anger() <= kConcernAnger) return TrivialReport(angriest->Anger(), type.DisplayName());
    const std::string intelligenceName = angriest->IntelligenceName();
    if (intelligenceName.empty()) {
        // Groups whose file line leaves the further text empty are named by
        // their display name rather than by nothing.
        return TrivialReport(angriest->Anger(), type.FurtherText().empty() ? type.DisplayName() : type.FurtherText());
    }
    const std::string severity = GetGradedString(angriest->Anger(), "INTEL_SEVERITY_TYPE");
    return FormatString("INTEL_REPORT_CONCERN", "INTEL_SEVERITY=" + severity + ",INTEL_ENEMY=" +
                                                    GetString(intelligenceName) + ",");
}
