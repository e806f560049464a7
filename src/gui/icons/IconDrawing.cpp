// Icons' shared drawing step.
#include "gui/icons/IconDrawing.h"

#include "engine/D3DEngine.h"

void DrawCentredTexture(const char* texture, float x, float y, float size, unsigned colour) {
    D3DEngine::Instance().SetTexture(texture);
    Sprite sprite;
    sprite.SetSize(size, size);
    sprite.SetPosition(x, y);
    sprite.SetColour(colour);
    sprite.Draw();
}

void FillBlitted(const Rect& rect, std::uint32_t colour) {
    if (rect.right <= rect.left || rect.bottom <= rect.top || (colour >> 24) == 0) return;
    D3DEngine::Instance().SetTexture("gui_solid.dds");
    const float width = float(rect.right - rect.left), height = float(rect.bottom - rect.top);
    Sprite fill;
    fill.SetSize(width, height);
    fill.SetPosition(float(rect.left) + width / 2.0f, float(rect.top) + height / 2.0f);
    fill.SetColour(colour);
    fill.Draw();
}
