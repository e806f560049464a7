// A node of the simulation network: one value, normally 0..1, driven by the
// effects that point at it. Every quantity of the simulated country (a tax, a
// voter group's mood, a situation) is a neuron of some kind.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class NeuralEffect;

enum class NeuronKind : int {
    Plain = 0,
    Voter = 1,
    Situation = 2,
    SimulationValue = 3,
    Dilemma = 4,
    VoterType = 5,
    RandomSource = 6,
    Grudge = 7,
    Policy = 8,
    SliderInput = 9,
    Event = 10,
    VoterFrequency = 11,
};

class Neuron {
public:
    static constexpr int kHistoryLength = 22;
    static constexpr size_t kMaxNameLength = 63;

    // Registers the neuron in the network and takes the next identifier.
    // Create neurons through Network::Create and delete them through
    // Network::Destroy.
    Neuron();
    virtual ~Neuron();
    Neuron(const Neuron&) = delete;
    Neuron& operator=(const Neuron&) = delete;

    // Recomputes the value from the inputs, passes a new value on, clears the
    // changed mark and returns the value.
    virtual float Recalculate();
    // Called once a turn after the history shift.
    virtual void TurnHook() {}
    // The value as others read it (simulation values soften theirs).
    virtual float GetValue() const { return value_; }

    // Marks this neuron and everything downstream as needing recalculation.
    // A neuron already marked is not entered again, which keeps marking
    // linear and stops cycles in modded data.
    void MarkChanged();
    bool IsChanged() const { return changed_; }

    float Value() const { return value_; }
    // Sets the value without passing it on.
    void SetValue(float value) { value_ = value; }
    // Hands the value to every output effect and marks their targets.
    void Propagate();

    const std::string& Name() const { return name_; }
    void SetName(std::string_view name);
    // Whether the neuron debugger traces this neuron; decided when the name
    // is set, so a recalculation costs one flag test.
    bool IsWatched() const { return watched_; }
    void RefreshWatched();
    const std::string& DisplayName() const { return displayName_; }
    void SetDisplayName(std::string_view name);
    float Identifier() const { return identifier_; }
    void SetIdentifier(float identifier) { identifier_ = identifier; }
    NeuronKind Kind() const { return kind_; }
    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    bool IsSumming() const { return summing_; }
    void SetSumming(bool summing) { summing_ = summing; }
    // What every output effect's contribution is multiplied by: a policy's
    // implementation, 1 for every other kind.
    float OutputFactor() const { return outputFactor_; }

    const std::vector<NeuralEffect*>& Inputs() const { return inputs_; }
    const std::vector<NeuralEffect*>& Outputs() const { return outputs_; }
    // The source of the input that changed most in the last update.
    Neuron* MainCause() const { return mainCause_; }

    // Entry 0 is the newest.
    const std::array<float, kHistoryLength>& History() const { return history_; }
    void SetHistoryEntry(int index, float value);
    void ShiftHistory();
    void ResetHistory();

    // Map position, size and colour (voters are drawn as such dots).
    float X() const { return x_; }
    float Y() const { return y_; }
    void SetPosition(float x, float y) {
        x_ = x;
        y_ = y;
    }
    float Size() const { return size_; }
    std::uint32_t Colour() const { return colour_; }
    void SetColour(std::uint32_t argb) { colour_ = argb; }
    // Where the neuron's debug sprite sits (inside the screen by 32 pixels).
    float CompanionX() const { return companionX_; }
    float CompanionY() const { return companionY_; }
    bool IsDisplayOrderValid() const { return displayOrderValid_; }

    // Replaces the base value carried from the default neuron.
    void SetBaseValue(float value);
    // "Source,formula" or "_random_,min,max": one effect into this neuron.
    void AddInfluence(std::string_view text);
    // The grudge of that name feeding this neuron, if any.
    Neuron* FindInputFromGrudge(std::string_view name) const;
    // Orders the inputs by the size of their output, largest first.
    void SortInputsForDisplay();
    // A random angle and distance between the radii from the screen centre.
    void PlaceRandomly(float innerRadius, float outerRadius);

    // Position in the network's registry, and the construction serial that
    // keeps name look-ups returning the first neuron of a name.
    size_t RegistryIndex() const { return registryIndex_; }
    std::uint64_t Serial() const { return serial_; }

protected:
    void SetKind(NeuronKind kind) { kind_ = kind; }
    void ClearChanged() { changed_ = false; }
    void SetOutputFactor(float factor) { outputFactor_ = factor; }
    // Picks the input that changed most as the main cause.
    void UpdateMainCause();

    float value_ = 0.0f;

private:
    friend class NeuralEffect;
    friend class Network;

    std::vector<NeuralEffect*> outputs_;
    std::vector<NeuralEffect*> inputs_;
    std::string name_;
    std::string displayName_;
    std::array<float, kHistoryLength> history_{};
    Neuron* mainCause_ = nullptr;
    float identifier_ = 0.0f;
    float outputFactor_ = 1.0f;
    float x_ = 0.0f;
    float y_ = 0.0f;
    float size_ = 4.0f;
    float companionX_ = 0.0f;
    float companionY_ = 0.0f;
    std::uint32_t colour_ = 0xFF20FF20;
    NeuronKind kind_ = NeuronKind::Plain;
    bool active_ = true;
    bool summing_ = true;
    bool changed_ = true;
    bool displayOrderValid_ = false;
    bool watched_ = false;
    bool companionOrderValid_ = false;
    size_t registryIndex_ = 0;
    std::uint64_t serial_ = 0;
};
