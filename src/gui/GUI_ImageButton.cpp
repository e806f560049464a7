// Picture buttons.
#include "gui/GUI_ImageButton.h"

#include "engine/D3DEngine.h"

void GUI_ImageButton::DrawImage(std::string_view texture) const {
    D3DEngine::Instance().SetTexture(texture);
    Sprite sprite;
    sprite.SetSize(float(width_), float(height_));
    sprite.SetPosition(float(rect_.left) + float(width_) / 2.0f,
                       float(rect_.top) + float(height_) / 2.0f);
    sprite.DrawUnchecked();
}

void GUI_ImageButton::Draw() {
    DrawImage(texture_);
    DrawTooltip();
}
