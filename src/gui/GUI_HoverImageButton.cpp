// Hover icon buttons.
#include "gui/GUI_HoverImageButton.h"

#include "engine/D3DEngine.h"

const std::string& GUI_HoverImageButton::CurrentIcon() const {
    return state_ == kHighlighted && !hover_.empty() ? hover_ : normal_;
}

void GUI_HoverImageButton::DrawSprite(std::string_view texture, float scale) const {
    D3DEngine::Instance().SetTexture(texture);
    Sprite sprite;
    sprite.SetSize(float(width_) * scale, float(height_) * scale);
    sprite.SetPosition(float(rect_.left) + float(width_) / 2.0f,
                       float(rect_.top) + float(height_) / 2.0f);
    const int level = enabled_ ? 255 : 128;
    sprite.SetColour(level, level, level, level);
    sprite.DrawUnchecked();
}

void GUI_HoverImageButton::Draw() {
    DrawSprite(background_, 1.1f);
    DrawSprite(CurrentIcon(), 0.75f);
    DrawTooltip();
}
