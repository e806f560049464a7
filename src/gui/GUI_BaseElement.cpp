// Rectangles, hit tests and the stretched-texture draw of every element.
#include "gui/GUI_BaseElement.h"

#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"

bool RectContains(const Rect& rect, float x, float y) {
    const int px = int(x), py = int(y);
    return px >= rect.left && px < rect.right && py >= rect.top && py < rect.bottom;
}

void GUI_BaseElement::SetRect(float left, float top, float right, float bottom) {
    rect_ = Rect{int(left), int(top), int(right), int(bottom)};
    width_ = rect_.right - rect_.left;
    height_ = rect_.bottom - rect_.top;
}

void GUI_BaseElement::SetSize(float width, float height) {
    Assert(width > 0.0f, "GUI_BaseElement", __LINE__);
    Assert(height > 0.0f, "GUI_BaseElement", __LINE__);
    if (width <= 0.0f || height <= 0.0f) return;
    // The corner stays put and the far edges follow, so the rectangle and the
    // size never disagree.
    SetRect(float(rect_.left), float(rect_.top), float(rect_.left) + width,
            float(rect_.top) + height);
}

bool GUI_BaseElement::Contains(float x, float y) const {
    return RectContains(rect_, x, y);
}

void GUI_BaseElement::SetPosition(float x, float y) {
    SetRect(x, y, x + float(width_), y + float(height_));
}

void GUI_BaseElement::CentreOnScreen() {
    const int left = int(ScreenWidth()) / 2 - width_ / 2;
    const int top = int(ScreenHeight()) / 2 - height_ / 2;
    SetPosition(float(left), float(top));
}

void GUI_BaseElement::DrawTexture(std::string_view name, float alpha, float brightness) const {
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetTexture(name);
    Sprite sprite;
    sprite.SetSize(float(width_), float(height_));
    sprite.SetPosition(float(rect_.left) + float(width_) / 2.0f,
                       float(rect_.top) + float(height_) / 2.0f);
    const int level = int(brightness * 255.0f);
    sprite.SetColour(int(alpha * 255.0f), level, level, level);
    sprite.DrawUnchecked();
}
