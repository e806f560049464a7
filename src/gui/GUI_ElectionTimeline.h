// The term at a glance: one cell per month between two elections along the
// bottom of the main game screen, the months gone in red and those left in
// green, with the word "Election" before it and today's date after it.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Skin.h"
#include "gui/GUI_BaseElement.h"
#include "gui/GUI_Tooltip.h"

class GUI_ElectionTimeline : public GUI_BaseElement {
public:
    static constexpr float kWidth = 512.0f;
    static constexpr float kHeight = 12.0f;
    // Rests longer than this many frames show the tooltip.
    static constexpr int kTooltipRest = 40;
    static constexpr SkinColour kPassedFill{Skin::COL_TIMELINEPASSED},
        kPassedOutline{Skin::COL_TIMELINEPASSEDEDGE};
    static constexpr SkinColour kLeftFill{Skin::COL_TIMELINELEFT},
        kLeftOutline{Skin::COL_TIMELINELEFTEDGE};

    GUI_ElectionTimeline();

    // Centred across the bottom, under the control panel.
    // Where the bar stands on such a screen.
    static Rect BarRect(int screenWidth, int screenHeight, float scale);
    void Layout(int screenWidth, int screenHeight, float scale);
    void Draw() override;

    // Cell `index` of `months` across the element.
    Rect CellRect(int index, int months) const;
    static bool IsPassed(int index, int monthsSinceElection) { return index < monthsSinceElection; }
    GUI_Tooltip& Tooltip() { return tooltip_; }

private:
    void DrawLabels();
    void UpdateTooltip();

    GUI_Tooltip tooltip_;
};
