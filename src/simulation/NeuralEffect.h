// A directed, weighted link of the network: it carries its source's value
// through a formula into its target, following the source with a lag of
// whole turns (its inertia).
#pragma once

#include <string_view>

#include "simulation/Formula.h"
#include "simulation/Neuron.h"
#include "simulation/SettleMode.h"

class NeuralEffect {
public:
    // Create effects through Network::CreateEffect.
    NeuralEffect(Neuron* source, Neuron* target, std::string_view formula, float scale, float initialInput);
    ~NeuralEffect();
    NeuralEffect(const NeuralEffect&) = delete;
    NeuralEffect& operator=(const NeuralEffect&) = delete;

    Neuron* Source() const { return source_; }
    Neuron* Target() const { return target_; }
    // Effects deliver only while their source is active.
    bool IsActive() const { return source_ ? source_->IsActive() : ReportOrphan(); }

    // If v differs from the target input, the target is marked changed.
    void SetTargetInput(float value);
    float TargetInput() const { return targetInput_; }
    float LaggedInput() const { return laggedInput_; }
    void SetLaggedInput(float value) { laggedInput_ = value; }

    // Computes and returns the contribution, scaled by the source's output
    // factor (a policy's implementation).
    float Output() {
        Compute();
        return source_->Kind() == NeuronKind::Policy ? output_ * source_->OutputFactor() : output_;
    }
    // The last computed contribution (formula value times scale).
    float StoredOutput() const { return output_; }
    float ValueAtTargetInput() const { return formula_.Evaluate(targetInput_); }
    float ValueAt(float x) const { return formula_.Evaluate(x); }

    // One turn: the lagged input moves toward the target input by at most
    // 1 / inertia, and the target is marked if the output changed.
    void Update();

    int Inertia() const { return inertia_; }
    void SetInertia(int turns) { inertia_ = turns; }
    float Scale() const { return scale_; }
    float LastChange() const { return lastChange_; }
    bool IsNoJump() const { return noJump_; }
    void SetNoJump(bool noJump) { noJump_ = noJump; }
    // Not updated yet: its first update counts its whole output as change.
    bool IsFresh() const { return fresh_; }
    // A saved game that continues exactly: the state as it was saved.
    void RestoreState(float lagged, float target, float output, float lastChange, bool fresh,
                      bool noJump) {
        laggedInput_ = lagged;
        targetInput_ = target;
        output_ = output;
        lastChange_ = lastChange;
        fresh_ = fresh;
        noJump_ = noJump;
    }
    const Formula& GetFormula() const { return formula_; }

    size_t RegistryIndex() const { return registryIndex_; }

private:
    friend class Network;
    friend class Neuron;
    void Compute() {
        if (settle_mode::g_on && !noJump_) laggedInput_ = targetInput_;
        output_ = formula_.Evaluate(laggedInput_) * scale_;
    }
    static bool ReportOrphan();

    Neuron* source_;
    Neuron* target_;
    float scale_;
    float laggedInput_;
    float targetInput_;
    float output_ = 0.0f;
    float lastChange_ = 0.0f;
    int inertia_ = 1;
    bool fresh_ = true;
    bool noJump_ = false;
    Formula formula_;
    size_t registryIndex_ = 0;
};
