// Something that has just happened to the country: what it was and whom it
// hit or helped. Its sound plays as it opens.
#pragma once

#include <string>
#include <vector>

#include "gui/GUI_InfoWindow.h"
#include "gui/InfluenceRows.h"
#include "gui/NeuronHandle.h"

class Event;

class GUI_EventWindow : public GUI_InfoWindow {
public:
    explicit GUI_EventWindow(const Event& event);

    Event* GetEvent() const;
    // The effects worth naming: the event's grudges on values and groups,
    // without its damping of itself and the network's helpers.
    const std::vector<InfluenceRow>& Effects() const { return effects_; }

protected:
    void DrawContent() override;
    bool SubjectGone() const override { return event_.IsGone(); }

private:
    NeuronHandle event_;
    std::string description_;
    std::vector<InfluenceRow> effects_;
    float descriptionHeight_ = 0.0f;
};
