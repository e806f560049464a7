// A button that is one picture stretched over its rectangle.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Button.h"

class GUI_ImageButton : public GUI_Button {
public:
    explicit GUI_ImageButton(std::string_view texture, Action action = {})
        : GUI_Button(std::move(action)), texture_(texture) {}
    void Draw() override;
    void SetTexture(std::string_view texture) { texture_ = std::string(texture); }
    const std::string& Texture() const { return texture_; }

protected:
    // The picture itself, without the tooltip.
    void DrawImage(std::string_view texture) const;

private:
    std::string texture_;
};
