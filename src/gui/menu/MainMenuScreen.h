// The first screen: the game's name and a row of buttons to start, load,
// set options or leave.
#pragma once

#include "gui/GuiScreen.h"

class MainMenuScreen : public GuiScreen {
protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;
};
