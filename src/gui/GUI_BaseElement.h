// The root of every interface element: a rectangle in screen pixels with the
// hit test all widgets share.
#pragma once

#include <string_view>

#include "engine/Sprite.h"

class GUI_BaseElement {
public:
    GUI_BaseElement() = default;
    virtual ~GUI_BaseElement() = default;
    GUI_BaseElement(const GUI_BaseElement&) = delete;
    GUI_BaseElement& operator=(const GUI_BaseElement&) = delete;

    virtual void Draw() {}
    // Positions are truncated to whole pixels.
    virtual void SetRect(float left, float top, float right, float bottom);
    // Both sides must be positive; the top-left corner stays where it is.
    virtual void SetSize(float width, float height);
    // Left and top inclusive, right and bottom exclusive.
    virtual bool Contains(float x, float y) const;

    void SetPosition(float x, float y);
    void CentreOnScreen();
    // The texture stretched over the rectangle; alpha and brightness are 0..1.
    void DrawTexture(std::string_view name, float alpha = 1.0f, float brightness = 1.0f) const;

    const Rect& GetRect() const { return rect_; }
    int Left() const { return rect_.left; }
    int Top() const { return rect_.top; }
    int Right() const { return rect_.right; }
    int Bottom() const { return rect_.bottom; }
    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    Rect rect_;
    int width_ = 0;
    int height_ = 0;
};

// The point-in-rectangle rule of every widget.
bool RectContains(const Rect& rect, float x, float y);
