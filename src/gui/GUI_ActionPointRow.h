// Under restricted powers, a row of icons below the voter grid: one for each
// point of political capital left this turn.
#pragma once

#include "engine/Skin.h"
#include "gui/GUI_BaseElement.h"
#include "gui/GUI_Tooltip.h"

class GUI_ActionPointRow : public GUI_BaseElement {
public:
    static constexpr float kIconSize = 24.0f;
    static constexpr float kIconStep = 28.0f;
    static constexpr SkinColour kOutline{Skin::COL_ACTIONEDGE};

    GUI_ActionPointRow();

    // The thin bar behind the icons, 260 wide, 148 below the centre (at the
    // map's centre scale `fit`).
    static Rect BarRect(int screenWidth, int screenHeight, float fit);
    // Sizes and places the row for `points` icons.
    void Layout(int points, int screenWidth, int screenHeight, float fit);
    // The icons (when any point is left) and the tooltip, which also shows
    // where the bar would be when none is left.
    void Draw(int points, int screenWidth, int screenHeight, float fit);
    GUI_Tooltip& Tooltip() { return tooltip_; }

private:
    GUI_Tooltip tooltip_;
};
