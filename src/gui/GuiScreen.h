// A screen made of GUI elements: its own controls in a window that covers
// it, and the open windows of the window manager above them.
#pragma once

#include <memory>

#include "core/Screen.h"
#include "gui/GUI_Window.h"

class GuiScreen : public Screen {
public:
    GuiScreen();
    // Background, own controls, open windows, foreground.
    void RunFrame() override;
    // Open windows first, top to bottom, then the screen's controls.
    void MouseClick(int x, int y) override;
    // Rebuilds the controls for the current screen size.
    void Activate() override;
    // The right button pressed at the point; screens without a use ignore it.
    virtual void RightClick(int /*x*/, int /*y*/) {}
    // After a left press has been handled (by the screen or a modal dialog).
    virtual void AfterLeftClick() {}

    GUI_Window& Controls() { return *controls_; }

protected:
    // Lays out the controls afresh for the screen size.
    virtual void Build(int /*width*/, int /*height*/, float /*scale*/) {}
    virtual void DrawBackground() {}
    virtual void DrawForeground() {}

    std::unique_ptr<GUI_Window> controls_;
};

// Switches screens once the current frame is over, so the button that asked
// is not destroyed under its own click.
void SwitchScreen(int id);

// Fills the screen in the slate background colour.
void ClearToSlate();
