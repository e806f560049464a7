// A menu screen whose content is still to be written: its name on a panel
// and the way back to the main menu.
#pragma once

#include <string>

#include "gui/GuiScreen.h"

class PlaceholderScreen : public GuiScreen {
public:
    // `titleKey` names the screen in the string table.
    explicit PlaceholderScreen(std::string titleKey) : titleKey_(std::move(titleKey)) {}

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;

private:
    std::string titleKey_;
    Rect panel_;
};
