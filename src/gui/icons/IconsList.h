// The icons of one policy group (its policies in force and its active
// situations) and their placement in the group's wedge.
#pragma once

#include <memory>
#include <vector>

#include "gui/icons/GUI_IconBase.h"

class IconsList {
public:
    // A null icon is reported and not added.
    GUI_IconBase* Add(std::unique_ptr<GUI_IconBase> icon);
    // Deletes the icon; true when it was in the list.
    bool Remove(const GUI_IconBase* icon);
    void Clear();

    // Places every icon again, in the order they were added, clear of what
    // the placer already holds.
    void Arrange(const Wedge& wedge, IconPlacer& placer, LayoutRandom& random);
    // Tells the placer where the icons stand.
    void Occupy(IconPlacer& placer) const;

    const std::vector<std::unique_ptr<GUI_IconBase>>& Icons() const { return icons_; }
    const std::vector<GUI_IconBase*>& Placed() const { return placed_; }

private:
    std::vector<std::unique_ptr<GUI_IconBase>> icons_;
    std::vector<GUI_IconBase*> placed_;
};
