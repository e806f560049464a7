// The simulation value window.
#include "gui/GUI_ValueWindow.h"

#include <algorithm>

#include "core/TextUtilities.h"
#include "simulation/Simulation.h"
#include "world/StringTable.h"

std::vector<GUI_NeuronDetailsWindow::Fact> GUI_ValueWindow::FactsOf(const Simulation& value) {
    const float level = std::clamp(value.GetValue(), 0.0f, 1.0f);
    const float previous = std::clamp(value.History()[1], 0.0f, 1.0f);
    const float change = (level - previous) * 100.0f;
    // The level, and the move since the last quarter with its sign.
    return {{GetString("CURRENT_VALUE"), FormatText("%.0f%%", double(level * 100.0f)), level,
             info_colour::kAccent},
            {GetString("VALUE_CHANGE"), FormatText("%+.1f", double(change))}};
}

GUI_ValueWindow::GUI_ValueWindow(const Simulation& value)
    : GUI_NeuronDetailsWindow(value, value.Description(), FactsOf(value)) {}
