// The shared body of the details windows of a situation and of a simulation
// value: the description, a few facts, the history graph, and the two lists
// of what drives it and what it drives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gui/GUI_Graph.h"
#include "gui/GUI_InfoWindow.h"
#include "gui/InfluenceRows.h"
#include "gui/NeuronHandle.h"

class Neuron;

class GUI_NeuronDetailsWindow : public GUI_InfoWindow {
public:
    static constexpr size_t kMaxRows = 6;

    // A fact: a label, a value text and, optionally, a bar of 0..1 beside it.
    struct Fact {
        std::string label;
        std::string value;
        float bar = -1.0f;  // below 0: no bar
        std::uint32_t barColour = 0;
    };

    GUI_NeuronDetailsWindow(const Neuron& neuron, std::string description, std::vector<Fact> facts);

    Neuron* Subject() const { return subject_.Get(); }
    const std::vector<InfluenceRow>& Causes() const { return causes_; }
    const std::vector<InfluenceRow>& Effects() const { return effects_; }
    const std::vector<Fact>& Facts() const { return facts_; }

    // Lists the suggested policies under "HINT_SHOWSUGGESTIONS" below the
    // other lists; no names, no section.
    void ShowSuggestions(const std::vector<std::string>& names);
    const std::string& Suggestions() const { return suggestions_; }

protected:
    void DrawContent() override;
    bool SubjectGone() const override { return subject_.IsGone(); }

private:
    void DrawList(float left, float top, const char* headingKey,
                  const std::vector<InfluenceRow>& rows) const;

    NeuronHandle subject_;
    std::string description_;
    std::vector<Fact> facts_;
    std::vector<InfluenceRow> causes_;
    std::vector<InfluenceRow> effects_;
    GUI_Graph graph_;
    float descriptionHeight_ = 0.0f;
    float graphTop_ = 0.0f;
    float baseHeight_ = 0.0f;
    std::string suggestions_;
    float suggestionsHeight_ = 0.0f;
};
