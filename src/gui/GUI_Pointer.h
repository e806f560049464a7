// The mouse pointer, drawn last each frame as a sprite whose tip is the
// mouse position; it takes its click form over a highlighted text button.
#pragma once

#include "engine/Sprite.h"

class GUI_Pointer {
public:
    static GUI_Pointer& Instance();

    // Game start hides it while the loading screen runs.
    void SetHidden(bool hidden) { hidden_ = hidden; }
    bool IsHidden() const { return hidden_; }

    // The pointer's square, 38 pixels at 1024 wide, its top-left at the mouse.
    static Rect PointerRect(float mouseX, float mouseY, float interfaceScale);
    // Draws at the mouse and clears the frame's highlight mark.
    void Draw();

private:
    GUI_Pointer() = default;
    bool hidden_ = false;
};
