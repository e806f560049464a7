// The screen the game is played on: the map of policies, situations, voter
// groups and values, and round it the fixed panels (finances, approval and
// voting intention, the control panel, the election timeline, the waiting
// issues and the political capital), with a right-click menu of the most
// used commands.
#pragma once

#include <memory>
#include <vector>

#include "gui/GUI_ActionPointRow.h"
#include "gui/GUI_ControlPanel.h"
#include "gui/GUI_ElectionTimeline.h"
#include "gui/GUI_IssueBar.h"
#include "gui/GUI_RightClickMenu.h"
#include "gui/GuiScreen.h"
#include "gui/icons/MainScreenMap.h"

class MainGameScreen : public GuiScreen {
public:
    static constexpr int kEscapeScanCode = 1;
    static constexpr int kReturnScanCode = 28;
    static constexpr int kF1ScanCode = 59;  // F1..F6 are 59..64

    MainGameScreen();
    ~MainGameScreen() override;

    // Background and labels, the fixed panels, the map, then the windows.
    void RunFrame() override;
    // Windows first, then the map's icons, then the fixed panels.
    void MouseClick(int x, int y) override;
    void RightClick(int x, int y) override;
    void AfterLeftClick() override;
    void Key(int keyCode) override;
    // Also brings the map in line with the game and rebuilds its lines (the
    // screen is shown again after every turn and load).
    void Activate() override;

    GUI_ControlPanel* ControlPanel() const { return panel_.get(); }
    MainScreenMap& Map() { return map_; }
    GUI_RightClickMenu& RightClickMenu() { return *menu_; }
    GUI_ElectionTimeline& Timeline() { return timeline_; }
    GUI_ActionPointRow& ActionPoints() { return actionPoints_; }
    GUI_IssueBar& IssueBar() { return issueBar_; }
    MapMetrics Metrics() const;
    // The fixed panels at that screen size, as the map's icons must keep
    // off them: value bars aside, the finance box at its widest, the
    // approval and voting-intention bars with their labels, the control
    // panel and the row of the election timeline with its texts.
    std::vector<Rect> PanelRects(const MapMetrics& metrics) const;

    // What the control panel's buttons, the menu entries and F1..F6 do.
    static void OnControlPanel(ControlPanelAction action);

protected:
    void Build(int width, int height, float scale) override;

private:
    void DrawPanels(const MapMetrics& metrics);
    bool PanelsShown() const;
    // The map in line with the game and the screen.
    void SynchroniseMap(const MapMetrics& metrics);

    MainScreenMap map_;
    std::unique_ptr<GUI_ControlPanel> panel_;
    std::unique_ptr<GUI_RightClickMenu> menu_;
    GUI_ElectionTimeline timeline_;
    GUI_ActionPointRow actionPoints_;
    GUI_IssueBar issueBar_;
};
