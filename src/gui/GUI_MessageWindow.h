// A paper panel with a title, a paragraph and a close cross: the simplest
// dialog, for messages and for windows whose full content comes later.
#pragma once

#include <string>
#include <string_view>

#include "gui/GUI_Window.h"

class GUI_MessageWindow : public GUI_Window {
public:
    // Centred on screen, sized by the interface scale.
    GUI_MessageWindow(std::string_view title, std::string_view text);
    bool IsClosable() const override { return true; }
    const std::string& Title() const { return title_; }

protected:
    void DrawPanel() override;

private:
    std::string title_;
    std::string text_;
};

// The shared panel look: a soft shadow, paper, an ink outline.
void DrawPaperPanel(const Rect& rect);
