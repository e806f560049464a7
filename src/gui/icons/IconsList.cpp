// Group icon lists.
#include "gui/icons/IconsList.h"

#include <algorithm>

#include "engine/Diagnostics.h"

GUI_IconBase* IconsList::Add(std::unique_ptr<GUI_IconBase> icon) {
    Assert(icon != nullptr, "IconsList", __LINE__);
    if (!icon) return nullptr;
    icons_.push_back(std::move(icon));
    return icons_.back().get();
}

bool IconsList::Remove(const GUI_IconBase* icon) {
    placed_.erase(std::remove(placed_.begin(), placed_.end(), icon), placed_.end());
    const auto it = std::find_if(icons_.begin(), icons_.end(),
                                 [icon](const auto& owned) { return owned.get() == icon; });
    if (it == icons_.end()) return false;
    icons_.erase(it);
    return true;
}

void IconsList::Clear() {
    placed_.clear();
    icons_.clear();
}

void IconsList::Arrange(const Wedge& wedge, IconPlacer& placer, LayoutRandom& random) {
    placed_.clear();
    for (const auto& icon : icons_) {
        const MapPoint spot = placer.Place(wedge, icon->Footprint(), random);
        icon->SetCentre(spot.x, spot.y);
        placed_.push_back(icon.get());
    }
}

void IconsList::Occupy(IconPlacer& placer) const {
    for (const GUI_IconBase* icon : placed_) placer.Occupy(icon->Centre(), icon->Footprint().body);
}
