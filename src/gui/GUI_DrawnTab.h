// A tab page whose content is drawn by its window: the window keeps the
// figures, the page only says when and where to draw them.
#pragma once

#include <functional>

#include "gui/GUI_WindowTab.h"

class GUI_DrawnTab : public GUI_WindowTab {
public:
    using Painter = std::function<void(const Rect& page)>;
    explicit GUI_DrawnTab(Painter painter) : painter_(std::move(painter)) {}

protected:
    void DrawPanel() override {
        if (painter_) painter_(rect_);
    }

private:
    Painter painter_;
};
