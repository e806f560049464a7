// The cross in a window's corner that closes the window it belongs to, or
// runs its action instead when it has one.
#pragma once

#include "gui/GUI_ImageButton.h"

class GUI_CloseButton : public GUI_ImageButton {
public:
    GUI_CloseButton() : GUI_ImageButton("gui_close_icon.dds") {}
    void Activate() override;
    void Draw() override;
};
