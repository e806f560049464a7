// The political-capital row.
#include "gui/GUI_ActionPointRow.h"

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "gui/GuiInput.h"
#include "world/StringTable.h"

GUI_ActionPointRow::GUI_ActionPointRow() : tooltip_(GetString("ACTIONPOINTS_TOOLTIP"), 20) {}

Rect GUI_ActionPointRow::BarRect(int screenWidth, int screenHeight, float fit) {
    const int cx = screenWidth / 2, cy = screenHeight / 2;
    return Rect{cx - int(130.0f * fit), cy + int(148.0f * fit), cx + int(130.0f * fit),
                cy + int(154.0f * fit)};
}

void GUI_ActionPointRow::Layout(int points, int screenWidth, int screenHeight, float fit) {
    const float width = float(points) * fit * kIconStep, height = 36.0f * fit;
    const float left = float(screenWidth / 2) - width / 2.0f;
    const float top = float(screenHeight / 2) + 134.0f * fit;
    rect_ = Rect{int(left), int(top), int(left + width), int(top + height)};
    width_ = rect_.right - rect_.left;
    height_ = rect_.bottom - rect_.top;
}

void GUI_ActionPointRow::Draw(int points, int screenWidth, int screenHeight, float fit) {
    Layout(points, screenWidth, screenHeight, fit);
    const Rect bar = BarRect(screenWidth, screenHeight, fit);
    D3DEngine& engine = D3DEngine::Instance();
    if (points >= 1) {
        engine.FillRect(bar, Skin::Instance().Get(Skin::COL_ACTIONBAR));
        engine.DrawRectOutline(bar, kOutline);
        const float y = float(screenHeight / 2) + 151.0f * fit;
        for (int i = 0; i < points; ++i) {
            // Each outline unbinds the texture, so it is bound for every icon.
            engine.SetTexture("gui_icon_power.dds");
            Sprite icon;
            icon.SetSize(kIconSize * fit, kIconSize * fit);
            icon.SetPosition(float(rect_.left) + (14.0f + kIconStep * float(i)) * fit, y);
            icon.SetColour(kUntinted);
            icon.Draw();
            engine.DrawSpriteOutline(icon, kOutline);
        }
    }
    // Resting on where the row is, or would be, explains it.
    const GuiInput& input = GuiInput::Instance();
    const bool onRow = (points >= 1 && Contains(input.mouseX, input.mouseY)) ||
                       RectContains(bar, input.mouseX, input.mouseY);
    if (onRow && !input.mouseOverWindow) {
        tooltip_.Arm(input.stillFrames);
        tooltip_.PlaceAtMouse(input.mouseX, input.mouseY);
    }
    tooltip_.Draw();
}
