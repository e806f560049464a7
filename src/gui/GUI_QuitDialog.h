// The question Escape asks on the main game screen when no window is open:
// leave the game, or carry on.
#pragma once

#include "gui/GUI_MessageWindow.h"

class GUI_QuitDialog : public GUI_MessageWindow {
public:
    GUI_QuitDialog();
    GUI_Button* OkButton() const { return ok_; }
    GUI_Button* CancelButton() const { return cancel_; }

private:
    GUI_Button* ok_ = nullptr;
    GUI_Button* cancel_ = nullptr;
};
