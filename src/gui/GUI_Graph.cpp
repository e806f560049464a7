// Graphs of a neuron's history.
#include "gui/GUI_Graph.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"
#include "simulation/Neuron.h"

void GUI_Graph::SetNeuron(const Neuron* neuron) {
    Assert(neuron != nullptr, "GUI_Graph", __LINE__);
    if (neuron) neuron_ = neuron;
}

std::vector<int> GUI_Graph::HorizontalGridLines(const Rect& rect) {
    std::vector<int> lines;
    int y = rect.bottom;
    for (; y > rect.top; y -= kGridSpacing) lines.push_back(y);
    lines.push_back(y);
    return lines;
}

std::vector<int> GUI_Graph::VerticalGridLines(const Rect& rect) {
    std::vector<int> lines;
    int x = rect.left;
    for (; x < rect.right; x += kGridSpacing) lines.push_back(x);
    lines.push_back(x);
    return lines;
}

std::array<float, GUI_Graph::kPoints * 2> GUI_Graph::CurvePoints(
    const Rect& rect, const std::array<float, kPoints>& history) {
    std::array<float, kPoints * 2> points{};
    const float width = float(rect.right - rect.left), height = float(rect.bottom - rect.top);
    for (int k = 0; k < kPoints; ++k) {
        points[size_t(2 * k)] = float(rect.right) - float(k) * width / float(kPoints - 1);
        points[size_t(2 * k + 1)] =
            float(rect.bottom) - std::clamp(history[size_t(k)], 0.0f, 1.0f) * height;
    }
    return points;
}

void GUI_Graph::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    const std::uint32_t grid = skin.Get(Skin::COL_GRAPHGRID);
    for (int y : HorizontalGridLines(rect_))
        engine.DrawLine(float(rect_.left), float(y), float(rect_.right), float(y), grid);
    for (int x : VerticalGridLines(rect_))
        engine.DrawLine(float(x), float(rect_.top), float(x), float(rect_.bottom), grid);
    if (neuron_) {
        std::array<float, kPoints> history{};
        std::copy_n(neuron_->History().begin(), kPoints, history.begin());
        const auto points = CurvePoints(rect_, history);
        engine.SetTexture("graph.dds");
        engine.DrawThickLineStrip(points.data(), kPoints, skin.Get(Skin::COL_GRAPHLINE), 3.0f);
    }
    engine.DrawRectOutline(rect_, skin.Get(Skin::COL_GRAPHFRAME));
}
