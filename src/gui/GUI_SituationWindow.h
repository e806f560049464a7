// A situation in detail: whether it is happening, how strong it is, what it
// costs or earns, and what causes it and what it leads to.
#pragma once

#include "gui/GUI_NeuronDetailsWindow.h"

class Situation;

class GUI_SituationWindow : public GUI_NeuronDetailsWindow {
public:
    explicit GUI_SituationWindow(const Situation& situation);
    static std::vector<Fact> FactsOf(const Situation& situation);
};
