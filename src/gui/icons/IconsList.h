// The icons of one policy group (its policies in force and its active
// situations) and their placement in the group's wedge, each icon as far
// from the others of the group as 200 random tries can find.
#pragma once

#include <memory>
#include <vector>

#include "gui/icons/GUI_IconBase.h"

class IconsList {
public:
    static constexpr int kCandidates = 200;
    // The distance a candidate scores while no icon has been placed.
    static constexpr float kNoNeighbour = 999.0f;

    // A null icon is reported and not added.
    GUI_IconBase* Add(std::unique_ptr<GUI_IconBase> icon);
    // Deletes the icon; true when it was in the list.
    bool Remove(const GUI_IconBase* icon);
    void Clear();

    // Places every icon again, in the order they were added.
    void Arrange(const Wedge& wedge, const MapMetrics& metrics);

    const std::vector<std::unique_ptr<GUI_IconBase>>& Icons() const { return icons_; }
    const std::vector<GUI_IconBase*>& Placed() const { return placed_; }

    // The distance from the point to the nearest placed centre.
    float NearestPlacedDistance(MapPoint point) const;

private:
    std::vector<std::unique_ptr<GUI_IconBase>> icons_;
    std::vector<GUI_IconBase*> placed_;
};
