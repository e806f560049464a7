// The registries of all neurons and effects, the program-wide network state
// (identifier counter, settle mode, the special neurons), and the whole-network
// operations a turn runs: update all effects, recalculate all, shift histories.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "simulation/NeuralEffect.h"
#include "simulation/Neuron.h"
#include "simulation/SettleMode.h"

class GlobalEconomy;

class Network {
public:
    // Constructs a neuron of any kind; the network deletes it in
    // DeleteAllNeurons unless its owner destroys it first.
    template <typename T, typename... Args>
    static T* Create(Args&&... args) {
        return new T(std::forward<Args>(args)...);
    }
    // Deletes one neuron (and, in linked mode, its effects).
    static void Destroy(Neuron* neuron);

    static NeuralEffect* CreateEffect(Neuron* source, Neuron* target, std::string_view formula, float scale,
                                      float initialInput);
    static void DestroyEffect(NeuralEffect* effect);

    // The first neuron constructed with that name (exact, case counts).
    static Neuron* FindByName(std::string_view name);
    static Neuron* FindByIdentifier(float identifier);

    // Neurons and effects in construction order.
    static void ForEachNeuron(const std::function<void(Neuron&)>& visit);
    static void ForEachEffect(const std::function<void(NeuralEffect&)>& visit);
    static size_t NeuronCount();
    static size_t EffectCount();
    static int CountChanged();

    // Passes over the registry recalculating marked neurons until a pass
    // finds none. A cycle in the data would never settle: it is cut off,
    // reported once through Trace with its neurons' names, and its marks
    // cleared.
    static void RecalculateAll();
    static void UpdateAllEffects();
    static void ShiftAllHistories();
    static void ResetAllHistories();

    static void DeleteAllNeurons();
    static void DeleteAllEffects();

    // The special neurons, each replacing any previous one, identifiers 0..4.
    static void CreateSpecialNeurons();
    static Neuron* DefaultNeuron() { return defaultNeuron_; }
    static Neuron* WinningNeuron();
    static Neuron* DebtNeuron();
    static GlobalEconomy* GlobalEconomyNeuron();
    static Neuron* SecurityNeuron();

    // Settle mode: effects jump straight to their inputs (game start, load).
    static bool IsSettleMode() { return settle_mode::g_on; }
    static void SetSettleMode(bool settle) { settle_mode::g_on = settle; }

    static float NextIdentifier();
    static void SetIdentifierCounter(float next);

    // Cycles reported so far (each once per run).
    static int ReportedCycleCount();

    // What a rebuilt network cannot know and a saved game that continues
    // exactly puts back: the order of a neuron's inputs (their sum depends on
    // it) and outputs (members are drawn by position), its changed mark and
    // its main cause. The lists must hold the neuron's own links.
    static void RestoreLinks(Neuron& neuron, std::vector<NeuralEffect*> inputs,
                             std::vector<NeuralEffect*> outputs, Neuron* mainCause, bool changed);

private:
    friend class Neuron;
    friend class NeuralEffect;
    static void Register(Neuron* neuron);
    static void Unregister(Neuron* neuron);
    static void Rename(Neuron* neuron, std::string_view newName);
    static void ReportNonFinite(const Neuron& neuron);
    static void ForgetSpecial(const Neuron* neuron);
    // Links, names or watch marks changed: the waiting voters are picked again.
    static void MarkStructureChanged();
    static void SortOutWaitingNeurons();
    // During RecalculateAll, a neuron that feeds only waiting neurons hands
    // its value over once at the end; false when it must do so now.
    static bool PostponeHandOver(const Neuron& neuron);
    static void MakeHandOvers();
    // The default neuron is asked for in every recalculation.
    static inline Neuron* defaultNeuron_ = nullptr;
};
