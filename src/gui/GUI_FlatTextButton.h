// A dark, flat labelled button for lists and small choices.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_FlatTextButton : public GUI_Button {
public:
    explicit GUI_FlatTextButton(std::string_view label, Action action = {})
        : GUI_Button(std::move(action)), label_(label.substr(0, 63)) {}
    void Draw() override;
    const std::string& Label() const { return label_; }

private:
    std::string label_;
};
