// A simulation value (GDP, crime, unemployment) in detail: its level and
// history, what drives it and what it drives.
#pragma once

#include "gui/GUI_NeuronDetailsWindow.h"

class Simulation;

class GUI_ValueWindow : public GUI_NeuronDetailsWindow {
public:
    explicit GUI_ValueWindow(const Simulation& value);
    static std::vector<Fact> FactsOf(const Simulation& value);
};
