// The pointer sprite.
#include "gui/GUI_Pointer.h"

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "gui/GuiInput.h"

GUI_Pointer& GUI_Pointer::Instance() {
    static GUI_Pointer pointer;
    return pointer;
}

Rect GUI_Pointer::PointerRect(float mouseX, float mouseY, float interfaceScale) {
    const float size = 38.0f * interfaceScale;
    return Rect{int(mouseX), int(mouseY), int(mouseX + size), int(mouseY + size)};
}

void GUI_Pointer::Draw() {
    GuiInput& input = GuiInput::Instance();
    if (!hidden_) {
        const float size = 38.0f * Application::Instance().InterfaceScale();
        D3DEngine& engine = D3DEngine::Instance();
        engine.SetTexture(input.textButtonHighlighted ? "cursor_click.dds" : "cursor.dds");
        Sprite sprite;
        sprite.SetSize(size, size);
        sprite.SetPosition(input.mouseX + size / 2.0f, input.mouseY + size / 2.0f);
        sprite.DrawUnchecked();
    }
    input.textButtonHighlighted = false;
}
