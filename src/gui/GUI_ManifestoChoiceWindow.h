// One turn before an election: the promises the player may campaign on, as
// check boxes. Publishing makes the ticked ones the pledges for the coming
// term. It must be answered before the turn can end.
#pragma once

#include <vector>

#include "gui/GUI_InfoWindow.h"

class GUI_CheckBox;

class GUI_ManifestoChoiceWindow : public GUI_InfoWindow {
public:
    GUI_ManifestoChoiceWindow();

    // One box per option of the manifesto, in file order; a box whose value
    // the data lacks cannot be ticked.
    const std::vector<GUI_CheckBox*>& Boxes() const { return boxes_; }
    GUI_Button* PublishButton() const { return publish_; }
    // Adds each ticked option as a pledge and closes.
    void Publish();

protected:
    void DrawContent() override;

private:
    std::vector<GUI_CheckBox*> boxes_;
    GUI_Button* publish_ = nullptr;
    float descriptionHeight_ = 0.0f;
};
