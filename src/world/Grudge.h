// Grudges: lasting, usually fading consequences of a dilemma's choice, an
// event or a voter group's displeasure, held as neurons of the network so
// their effects carry them like any other value.
#pragma once

#include <string_view>
#include <vector>

#include "simulation/Neuron.h"

// The event or voter group that caused a grudge, or null (dilemmas); the
// news names it as the cause of what the grudge moves.
using GrudgeOwner = Neuron*;

class Grudge : public Neuron {
  public:
    // Create grudges through CreateGrudge; the grudge joins the grudge list.
    Grudge(std::string_view name, float value, float decay, GrudgeOwner owner);
    ~Grudge() override;

    // A grudge holds its own value and never reads inputs.
    float Recalculate() override;

    // Replaces the value and marks the grudge, so the next recalculation
    // carries the new value on.
    void SetValue(float value);

    // The value is multiplied by this each turn; 1 never fades.
    float Decay() const { return decay_; }
    void SetDecay(float decay) { decay_ = decay; }
    // Turns since creation.
    int Age() const { return age_; }
    // Saved games restore the age of a recreated grudge.
    void SetAge(int age) { age_ = age; }
    GrudgeOwner Owner() const { return owner_; }
    void SetOwner(GrudgeOwner owner) { owner_ = owner; }

  private:
    friend void UpdateGrudges();

    float decay_;
    int age_ = 0;
    GrudgeOwner owner_;
};

Grudge* CreateGrudge(std::string_view name, float value, float decay, GrudgeOwner owner = nullptr);

// Once a turn: every grudge fades by its decay, and those within 0.01 of
// zero are removed and deleted.
void UpdateGrudges();

// Game start: forgets all grudges without deleting them, as the network
// deletes every neuron itself.
void ClearGrudgeList();

// All grudges in creation order.
const std::vector<Grudge*>& GrudgeList();
