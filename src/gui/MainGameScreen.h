// The screen the game is played on: a header with the country, date, turn
// and approval, the bar of waiting issues, and the control panel. (The map
// of policies and situations joins it later.)
#pragma once

#include <memory>

#include "gui/GUI_ControlPanel.h"
#include "gui/GuiScreen.h"

class MainGameScreen : public GuiScreen {
public:
    void MouseClick(int x, int y) override;
    void Key(int keyCode) override;
    GUI_ControlPanel* ControlPanel() const { return panel_.get(); }

    // What the control panel's buttons do.
    static void OnControlPanel(ControlPanelAction action);
    // Opens the window of issue `index` of the bar and takes it off the list.
    static void OpenIssue(size_t index);

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;
    void DrawForeground() override;

private:
    void DrawHeader(int width, float scale);
    void DrawIssueBar(int width, int height);

    std::unique_ptr<GUI_ControlPanel> panel_;
};
