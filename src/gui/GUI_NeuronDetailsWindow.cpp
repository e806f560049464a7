// The details body shared by situations and simulation values.
#include "gui/GUI_NeuronDetailsWindow.h"

#include <algorithm>

#include "engine/StyleSheet.h"
#include "gui/InfoDrawing.h"
#include "simulation/Neuron.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 640.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 48.0f;
constexpr float kRow = 20.0f;
constexpr float kValueX = 250.0f;
constexpr float kGraphHeight = 90.0f;
constexpr float kColumn = (kWidth - 2.0f * kLeft) / 2.0f;
// Pushes are small next to the 0..1 range of values; the bars enlarge them.
constexpr float kBarGain = 3.0f;
constexpr float kMaxHeight = 560.0f;
}  // namespace

GUI_NeuronDetailsWindow::GUI_NeuronDetailsWindow(const Neuron& neuron, std::string description,
                                                 std::vector<Fact> facts)
    : GUI_InfoWindow(neuron.DisplayName().empty() ? neuron.Name() : neuron.DisplayName(), kWidth,
                     400.0f),
      subject_(&neuron),
      description_(std::move(description)),
      facts_(std::move(facts)),
      causes_(StrongestInputs(neuron, kMaxRows)),
      effects_(StrongestOutputs(neuron, kMaxRows)) {
    descriptionHeight_ = TextHeight(StyleSheet::kApproval, description_, kWidth - 2.0f * kLeft);
    graphTop_ = kTop + descriptionHeight_ + 14.0f + float(facts_.size()) * kRow + 10.0f;
    const size_t rows = std::max<size_t>(1, std::max(causes_.size(), effects_.size()));
    const float height = graphTop_ + kGraphHeight + 20.0f + 26.0f + float(rows) * kRow + 16.0f;
    baseHeight_ = std::min(kMaxHeight, height);
    Resize(kWidth, baseHeight_);
    graph_.SetNeuron(&neuron);
}

void GUI_NeuronDetailsWindow::ShowSuggestions(const std::vector<std::string>& names) {
    suggestions_.clear();
    for (const std::string& name : names) suggestions_ += (suggestions_.empty() ? "" : ", ") + name;
    suggestionsHeight_ = suggestions_.empty() ? 0.0f
                                              : TextHeight(StyleSheet::kApproval, suggestions_,
                                                           kWidth - 2.0f * kLeft);
    Resize(kWidth,
           baseHeight_ + (suggestions_.empty() ? 0.0f : 26.0f + suggestionsHeight_ + 14.0f));
}

void GUI_NeuronDetailsWindow::DrawList(float left, float top, const char* headingKey,
                                       const std::vector<InfluenceRow>& rows) const {
    Text(StyleSheet::kHeadline, left, top, GetString(headingKey));
    float y = top + 26.0f;
    if (rows.empty()) {
        Text(StyleSheet::kApproval, left, y, GetString("INFLUENCES_NONE"), 0.0f, GdiText::kLeft,
             info_colour::kMutedText);
        return;
    }
    for (const InfluenceRow& row : rows) {
        Text(StyleSheet::kApproval, left, y, row.name);
        DrawSignedBar(Rect{int(X(left + kColumn - 96.0f)), int(Y(y + 5.0f)),
                           int(X(left + kColumn - 16.0f)), int(Y(y + 12.0f))},
                      row.output * kBarGain);
        y += kRow;
    }
}

void GUI_NeuronDetailsWindow::DrawContent() {
    if (!Subject()) return;
    Text(StyleSheet::kApproval, kLeft, kTop, description_, kWidth - 2.0f * kLeft);
    float y = kTop + descriptionHeight_ + 14.0f;
    for (const Fact& fact : facts_) {
        Text(StyleSheet::kApproval, kLeft, y, fact.label);
        Text(StyleSheet::kHeadline, kValueX, y - 2.0f, fact.value);
        if (fact.bar >= 0.0f)
            DrawLevelBar(Rect{int(X(kValueX + 160.0f)), int(Y(y + 4.0f)), int(X(kWidth - kLeft)),
                              int(Y(y + 14.0f))},
                         fact.bar, fact.barColour);
        y += kRow;
    }
    graph_.SetRect(X(kLeft), Y(graphTop_), X(kWidth - kLeft), Y(graphTop_ + kGraphHeight));
    graph_.Draw();
    const float listTop = graphTop_ + kGraphHeight + 20.0f;
    DrawList(kLeft, listTop, "INFLUENCES_ON", causes_);
    DrawList(kLeft + kColumn + 10.0f, listTop, "INFLUENCES_FROM", effects_);
    if (suggestions_.empty()) return;
    const float top = baseHeight_ - 6.0f;
    Text(StyleSheet::kHeadline, kLeft, top, GetString("HINT_SHOWSUGGESTIONS"));
    Text(StyleSheet::kApproval, kLeft, top + 26.0f, suggestions_, kWidth - 2.0f * kLeft);
}
