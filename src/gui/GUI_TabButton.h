// The button that brings its tab to the front.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_WindowTab;

class GUI_TabButton : public GUI_Button {
public:
    GUI_TabButton(std::string_view label, GUI_WindowTab* tab);
    void Activate() override;
    // Selected while its tab is shown.
    void Update() override;
    void Draw() override;
    GUI_WindowTab* Tab() const { return tab_; }

private:
    std::string label_;
    GUI_WindowTab* tab_;
};
