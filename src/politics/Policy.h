// A law or programme the government can have in force: a neuron whose value
// follows the player's slider with a lag of its implementation time, whose
// effects reach the rest of the country only as far as it has been phased
// in, and which costs and earns money.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/Neuron.h"
#include "world/FinanceObject.h"

class NeuralEffect;
class PolicyGroup;
class SliderConfiguration;
class SliderInput;

class Policy : public Neuron, public FinanceObject {
public:
    static constexpr int kMaxImplementationTime = 128;

    // Reads one policy line ("#" marker, name, display name, slider
    // configuration, description, cancellable, group, costs, multipliers,
    // implementation time, incomes, "#Effects", effects). `source` and
    // `lineNumber` name the line in messages.
    Policy(const std::string& line, const std::string& source, int lineNumber);
    ~Policy() override;

    // True when the line can hold a policy: it begins with "#" and is at
    // least 9 characters long with its line end.
    static bool IsPolicyLine(std::string_view line);

    // Puts the policy in force with its slider in the middle; nothing when it
    // already is. Spends one point of political capital.
    void Introduce();
    // Takes it out of force; its effects stay and deliver nothing.
    void Cancel();
    // The effects a policy keeps once it has been in force, created again
    // for a saved game that continues exactly; nothing when they exist.
    void RestoreEffects();
    // Writes the slider and passes the value on at once.
    void SetSlider(float value);
    float Slider() const;

    // 0 not in force .. 1 fully phased in.
    float Implementation() const { return OutputFactor(); }
    void SetImplementation(float implementation) { SetOutputFactor(implementation); }
    bool IsInForce() const { return IsActive(); }
    bool EffectsCreated() const { return effectsCreated_; }
    bool IsCancellable() const { return cancellable_; }
    int ImplementationTime() const { return implementationTime_; }
    float Popularity() const { return popularity_; }
    void RestorePopularity(float popularity) { popularity_ = popularity; }
    const std::string& Description() const { return description_; }
    const std::string& IconFile() const { return iconFile_; }
    PolicyGroup* Group() const { return group_; }
    const SliderConfiguration* Configuration() const { return sliderConfiguration_; }
    SliderInput* Input() const { return input_; }
    // The effect from the slider to the policy; its lagged input is where the
    // policy is on its way to the slider.
    NeuralEffect* SliderEffect() const { return sliderEffect_; }

    // The cost and income at a slider position, with the multipliers; never
    // below 0.
    float CostAt(float v) const;
    float IncomeAt(float v) const;
    // At the current value: the income is floored at 0, the cost is not.
    float CurrentCost() const;
    float CurrentIncome() const;

    // The weighted opinion of the voter groups affected by the policy.
    void UpdatePopularity();

    // The policies ever loaded, and those in force in order of introduction.
    static const std::vector<Policy*>& AllPolicies();
    static const std::vector<Policy*>& ActivePolicies();
    static Policy* FindPolicy(std::string_view name);
    // Mandatory policies come into force fully at game start.
    static void IntroduceAllMandatory();
    // One turn of phasing in; lost houses of congress slow it down.
    static void AdvanceImplementation(bool holdsLowerHouse, bool holdsUpperHouse);
    static void UpdateAllPopularity();

    // Each "target,formula" field after "#Effects" (fatal when the marker
    // is missing), parsed again from the kept line; also before the policy's
    // effects exist, so a player can weigh a policy never introduced.
    void ForEachEffect(const std::function<void(const std::string& target, const std::string& formula)>& visit) const;

private:
    void CheckEffects();
    void CreateEffects();
    float Multiplied(float amount, const Neuron* multiplier) const;

    std::string line_;
    std::string source_;
    int lineNumber_;
    std::string description_;
    std::string iconFile_;
    const SliderConfiguration* sliderConfiguration_ = nullptr;
    PolicyGroup* group_ = nullptr;
    Neuron* costMultiplier_ = nullptr;
    Neuron* incomeMultiplier_ = nullptr;
    SliderInput* input_ = nullptr;
    NeuralEffect* sliderEffect_ = nullptr;
    int implementationTime_ = 1;
    float popularity_ = 0.5f;
    bool cancellable_ = true;
    bool effectsCreated_ = false;
};
