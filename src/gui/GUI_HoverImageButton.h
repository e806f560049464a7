// The round icon buttons of the control panel: a badge behind, the icon on
// top, swapped for its lit form while the pointer is over it.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_HoverImageButton : public GUI_Button {
public:
    GUI_HoverImageButton(std::string_view background, std::string_view normal,
                         std::string_view hover, Action action = {})
        : GUI_Button(std::move(action)), background_(background), normal_(normal), hover_(hover) {}
    void Draw() override;
    // The icon drawn this frame: the hover form while highlighted (if any).
    const std::string& CurrentIcon() const;

private:
    void DrawSprite(std::string_view texture, float scale) const;

    std::string background_, normal_, hover_;
};
