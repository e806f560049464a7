// One of the new-policy picker's seven category buttons: the group's name
// beside a swatch of its colour, lit while its group is the one listed.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_PolicyCategoryButton : public GUI_Button {
public:
    GUI_PolicyCategoryButton(std::string_view label, int groupIndex, Action action);
    void Draw() override;

    int GroupIndex() const { return groupIndex_; }
    void SetSelected(bool selected) { selected_ = selected; }
    bool IsSelected() const { return selected_; }
    const std::string& Label() const { return label_; }

private:
    std::string label_;
    int groupIndex_;
    bool selected_ = false;
};
