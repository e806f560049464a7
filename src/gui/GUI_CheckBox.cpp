// Check boxes.
#include "gui/GUI_CheckBox.h"

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GuiText.h"

Rect GUI_CheckBox::BoxRect() const {
    const int size = int(float(kBoxSize) * Application::Instance().InterfaceScale());
    return Rect{rect_.left, rect_.top, rect_.left + size, rect_.top + size};
}

bool GUI_CheckBox::OnClick(float x, float y) {
    if (!enabled_ || !RectContains(BoxRect(), x, y)) return false;
    checked_ = !checked_;
    Activate();
    return true;
}

void GUI_CheckBox::Draw() {
    const Rect box = BoxRect();
    const float size = float(box.right - box.left);
    auto drawBox = [&](std::string_view texture) {
        D3DEngine::Instance().SetTexture(texture);
        Sprite sprite;
        sprite.SetSize(size, size);
        sprite.SetPosition(float(box.left) + size / 2.0f, float(box.top) + size / 2.0f);
        sprite.DrawUnchecked();
    };
    drawBox("gui_checkbox.dds");
    if (checked_) drawBox("gui_checkbox_checked.dds");
    const float top =
        float(box.top) + size / 2.0f - float(ScaledStyleSize(StyleSheet::kBoldText)) * 0.6f;
    DrawStyledText(StyleSheet::kBoldText, float(box.right) + size / 4.0f, top, label_);
    DrawTooltip();
}
