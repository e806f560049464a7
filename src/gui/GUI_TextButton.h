// The standard labelled button of menus and dialogs.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_TextButton : public GUI_Button {
public:
    static constexpr size_t kMaxLabel = 63;

    explicit GUI_TextButton(std::string_view label, Action action = {});
    void Draw() override;
    void SetLabel(std::string_view label) { label_ = std::string(label.substr(0, kMaxLabel)); }
    const std::string& Label() const { return label_; }

private:
    std::string label_;
};
