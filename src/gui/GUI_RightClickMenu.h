// The small menu a right-click opens anywhere on the main game screen: the
// five most used commands, the same as the control panel's buttons. While it
// is open the screen below is dimmed and the map ignores the pointer.
#pragma once

#include <functional>

#include "engine/Skin.h"
#include "gui/GUI_ControlPanel.h"
#include "gui/GUI_Window.h"

class GUI_RightClickMenu : public GUI_Window {
public:
    static constexpr int kEntries = 5;
    static constexpr float kButtonWidth = 190.0f;
    // Tall enough for a label with room above and below it.
    static constexpr float kButtonHeight = 24.0f;
    static constexpr float kGap = 4.0f;
    static constexpr SkinColour kDimColour{Skin::COL_MENUDIM};

    explicit GUI_RightClickMenu(std::function<void(ControlPanelAction)> handler);

    // Lays the entries out beside the pointer and puts the menu on top of
    // every window.
    void Open(float mouseX, float mouseY, int screenWidth, int screenHeight, float scale);
    void Close();
    bool IsShown() const { return shown_; }

    // The next-turn entry follows the waiting dilemmas; the map is told the
    // pointer is over a window.
    void Update() override;
    void Draw() override;
    // Only a hit on an entry is taken; clicks beside them reach what is below.
    bool OnClick(float x, float y) override;
    bool IsClosable() const override { return false; }

    // Entry `index` for a right-click at (mx, my): right of the pointer, or
    // left of it near the right edge; centred on it vertically, kept on screen.
    static Rect EntryRect(int index, float mouseX, float mouseY, int screenWidth, int screenHeight,
                          float scale);
    GUI_Button* NextTurnEntry() const { return buttons_.back().get(); }

private:
    bool shown_ = false;
};
