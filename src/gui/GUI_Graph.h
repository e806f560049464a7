// A small line chart of a neuron's last 22 values, newest at the right, on
// a light grid in the skin's graph colours.
#pragma once

#include <array>
#include <vector>

#include "gui/GUI_BaseElement.h"

class Neuron;

class GUI_Graph : public GUI_BaseElement {
public:
    static constexpr int kPoints = 22;
    static constexpr int kGridSpacing = 10;

    // A null neuron is reported and leaves the graph as it was.
    void SetNeuron(const Neuron* neuron);
    void Draw() override;

    // Grid lines every 10 pixels from the bottom (and the left), plus one
    // more at or beyond the far edge.
    static std::vector<int> HorizontalGridLines(const Rect& rect);
    static std::vector<int> VerticalGridLines(const Rect& rect);
    // x, y pairs of the curve; values are clamped to 0..1 first.
    static std::array<float, kPoints * 2> CurvePoints(const Rect& rect,
                                                      const std::array<float, kPoints>& history);

private:
    const Neuron* neuron_ = nullptr;
};
