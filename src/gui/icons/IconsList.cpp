// Group icon lists.
#include "gui/icons/IconsList.h"

#include <algorithm>
#include <cmath>

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

float IconsList::NearestPlacedDistance(MapPoint point) const {
    float nearest = kNoNeighbour;
    for (const GUI_IconBase* other : placed_) {
        const MapPoint centre = other->Centre();
        const float dx = centre.x - point.x, dy = centre.y - point.y;
        nearest = std::min(nearest, std::sqrt(dx * dx + dy * dy));
    }
    return nearest;
}

void IconsList::Arrange(const Wedge& wedge, const MapMetrics& metrics) {
    placed_.clear();
    for (const auto& icon : icons_) {
        MapPoint best;
        float bestDistance = -1.0f;
        for (int i = 0; i < kCandidates; ++i) {
            const MapPoint candidate = RandomPointInWedge(wedge, metrics);
            const float distance = NearestPlacedDistance(candidate);
            // Ties keep the earlier candidate.
            if (distance > bestDistance) {
                bestDistance = distance;
                best = candidate;
            }
        }
        icon->SetCentre(best.x, best.y);
        placed_.push_back(icon.get());
    }
}
