// The first thing a new game shows: the country's flag and its welcome, the
// date, and how long until the first election. Return or the button closes
// it and play begins.
#pragma once

#include <string>

#include "gui/GUI_InfoWindow.h"

class GUI_StartDialog : public GUI_InfoWindow {
public:
    GUI_StartDialog();

    GUI_Button* BeginButton() const { return begin_; }
    const std::string& Message() const { return message_; }

protected:
    void DrawContent() override;

private:
    std::string message_;
    std::string flag_;
    std::string facts_;
    GUI_Button* begin_ = nullptr;
    float messageHeight_ = 0.0f;
};
