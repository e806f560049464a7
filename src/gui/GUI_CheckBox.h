// A labelled box that toggles when its box is clicked.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_CheckBox : public GUI_Button {
public:
    static constexpr int kBoxSize = 32;

    explicit GUI_CheckBox(std::string_view label, Action action = {})
        : GUI_Button(std::move(action)), label_(label.substr(0, 63)) {}

    // Only the box itself toggles; the label is not a target.
    bool OnClick(float x, float y) override;
    void Draw() override;

    // The box: kBoxSize at 1024 wide, at the element's top-left.
    Rect BoxRect() const;
    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    const std::string& Label() const { return label_; }

private:
    std::string label_;
    bool checked_ = false;
};
