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
    // Shrinks or grows the panel to its title and paragraph plus `footer`
    // (unscaled pixels, for the caller's buttons) and centres it again, so a
    // short message leaves no empty paper below it.
    void FitToText(float footer);

private:
    std::string title_;
    std::string text_;
};

// The shared panel look: a soft shadow, paper, an ink outline.
void DrawPaperPanel(const Rect& rect);
