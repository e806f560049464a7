// A country in the mission list: its flag and name on a card that lights up
// under the pointer and stays marked while its briefing is shown.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_MissionButton : public GUI_Button {
public:
    // `flagAvailable` false draws a plain patch where the flag would be.
    GUI_MissionButton(std::string_view label, std::string_view flagTexture, bool flagAvailable,
                      Action action);
    void Draw() override;

    void SetChosen(bool chosen) { chosen_ = chosen; }
    bool IsChosen() const { return chosen_; }
    const std::string& Label() const { return label_; }

private:
    std::string label_;
    std::string flagTexture_;
    bool flagAvailable_;
    bool chosen_ = false;
};
