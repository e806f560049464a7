// The choice of a country: one card per mission file, the tutorial, and the
// briefing of the chosen country with the button that starts governing it.
#pragma once

#include <memory>
#include <vector>

#include "gui/GUI_TextButton.h"
#include "gui/GuiScreen.h"
#include "gui/menu/MenuListings.h"

class GUI_MissionButton;

class MissionSelectionScreen : public GuiScreen {
public:
    // Shows the briefing of the mission at that place in the list.
    void Choose(int index);
    // The start button takes clicks only while a briefing is shown.
    void MouseClick(int x, int y) override;
    // Escape goes back to the main menu.
    void Key(int keyCode) override;
    const std::vector<MissionEntry>& Missions() const { return missions_; }
    // -1 while no country is chosen.
    int ChosenIndex() const { return chosen_; }
    GUI_TextButton* RunButton() const { return chosen_ >= 0 ? run_.get() : nullptr; }

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;

private:
    void DrawBriefing(float scale);

    std::vector<MissionEntry> missions_;
    std::vector<GUI_MissionButton*> buttons_;
    // Outside the controls: it belongs to the briefing and comes and goes with it.
    std::unique_ptr<GUI_TextButton> run_;
    bool pictureAvailable_ = false;
    int chosen_ = -1;
    Rect panel_;
};

// The same path a game always starts by: after the frame, the game counts as
// started and the mission is loaded.
void StartMissionGame(const std::string& missionName);
