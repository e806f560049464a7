// The one frame's input state shared by every widget.
#include "gui/GuiInput.h"

GuiInput& GuiInput::Instance() {
    static GuiInput input;
    return input;
}
