// The news that a situation has begun or come to an end, in the situation's
// own words, with the way on to its details.
#pragma once

#include <string>

#include "gui/GUI_InfoWindow.h"
#include "gui/NeuronHandle.h"

class Situation;

class GUI_SituationMessageWindow : public GUI_InfoWindow {
public:
    GUI_SituationMessageWindow(const Situation& situation, bool started);

    bool IsStart() const { return started_; }
    const std::string& Message() const { return text_; }
    GUI_Button* DetailsButton() const { return details_; }

protected:
    void DrawContent() override;
    bool SubjectGone() const override { return situation_.IsGone(); }

private:
    NeuronHandle situation_;
    bool started_;
    std::string text_;
    GUI_Button* details_ = nullptr;
};
