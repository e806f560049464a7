// The bar of waiting issues above the voter grid: an icon for each situation
// that started or ended, each event and each dilemma of the last turn. A
// click opens the issue's window and takes it off the list.
#pragma once

#include <optional>

#include "gui/GUI_Tooltip.h"
#include "gui/icons/MapGeometry.h"

class GUI_IssueBar {
public:
    static constexpr float kIconSize = 35.0f;
    static constexpr float kRaise = 145.0f;

    GUI_IssueBar();

    // Icon `index` of `count`, side by side and centred across the screen,
    // the bar's top 145 above the centre (at the map's centre scale).
    static Rect IconRect(size_t index, size_t count, const MapMetrics& metrics);
    static std::optional<size_t> IconAt(float x, float y, size_t count, const MapMetrics& metrics);

    void Draw(const MapMetrics& metrics);
    // Opens the issue under the point, which then leaves the list (when
    // issues may be opened); true when the point was on an icon.
    bool OnClick(float x, float y, const MapMetrics& metrics);

    const GUI_Tooltip& Tooltip() const { return tooltip_; }

private:
    GUI_Tooltip tooltip_;
    std::optional<size_t> shownFor_;
};
