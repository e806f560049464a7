// A picture button that calls an operation of some object, for windows that
// route their buttons to their own members.
#pragma once

#include "gui/GUI_ImageButton.h"

class GUI_CallbackButton : public GUI_ImageButton {
public:
    template <typename T>
    GUI_CallbackButton(std::string_view texture, T* object, void (T::*operation)())
        : GUI_ImageButton(texture, [object, operation] { (object->*operation)(); }) {}
};
