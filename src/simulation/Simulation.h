// A measurable quantity of the country that is neither a policy, a voter
// group nor a situation: GDP, unemployment, crime. Its value is its base plus
// the effects its data line lists; others read a softened value that never
// quite reaches 0 or 1.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/EnrolledManager.h"
#include "simulation/Neuron.h"

class Simulation : public Neuron {
public:
    Simulation();
    ~Simulation() override;

    // Hands the value to the news reports once a turn.
    void TurnHook() override;
    // Overshoots beyond 0.05 or 0.95 are squeezed into the last 0.05.
    float GetValue() const override;
    static float Soften(float value);

    // The texts before the "#": what a low and a high level are called,
    // then the short label the map prints where the display name does not fit.
    const std::vector<std::string>& Texts() const { return texts_; }
    static constexpr size_t kShortNameText = 2;
    // The line's own short label; empty in older data, which has none.
    std::string_view OwnShortName() const;
    // The short label; without one, a short capitalised name ("GDP") players
    // know the value by, or else the display name.
    std::string ShortName() const;
    const std::string& Description() const { return description_; }
    bool Flag() const { return flag_; }

    // Where a value's turn goes; the news reports set it.
    static void SetTurnListener(std::function<void(Simulation&)> listener);

private:
    friend class SimulationManager;
    std::vector<std::string> texts_;
    std::string description_;
    bool flag_ = false;
};

// Holds the simulation values in load order; enrolled, so a new game starts
// without the previous game's values.
class SimulationManager : public EnrolledManager {
public:
    static SimulationManager& Instance();

    // Reads the values file: lines beginning with "#" define a value; an
    // influence naming no neuron is reported and skipped. A missing file
    // loads nothing.
    void LoadValues(const std::string& path);
    Simulation* FindValue(std::string_view name) const;
    const std::vector<Simulation*>& Values() const { return values_; }
    void Reset() override;

private:
    friend class Simulation;
    SimulationManager() = default;
    void LoadLine(const std::string& line, const std::string& path, int lineNumber);
    std::vector<Simulation*> values_;
};
