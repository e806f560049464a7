// Icon placement on the map.
#include "gui/icons/IconPlacement.h"

#include <algorithm>
#include <cmath>

MapObstacles MapOwnObstacles(const MapMetrics& metrics, const std::vector<float>& groupAngles) {
    MapObstacles obstacles;
    obstacles.panels.push_back(Rect{0, 0, metrics.width, SimulationBarsBottom(metrics)});
    for (float angle : groupAngles) obstacles.labels.push_back(GroupLabelBox(angle, metrics));
    // The inner edge of the label ring.
    obstacles.centreRadius =
        float(metrics.height) / 3.0f - 16.0f - kLabelHeight * metrics.fit / 2.0f;
    return obstacles;
}

LayoutRandom::LayoutRandom(std::uint32_t seed, int stream)
    : engine_(seed ^ (std::uint32_t(stream) + 1u) * 0x9E3779B9u) {}

float LayoutRandom::Uniform(float low, float high) {
    // 24 bits, as many as a float holds, so the draw is exact everywhere.
    const float unit = float(engine_() >> 8) / 16777216.0f;
    return low + unit * (high - low);
}

IconPlacer::IconPlacer(const MapMetrics& metrics, MapObstacles obstacles)
    : metrics_(metrics), obstacles_(std::move(obstacles)) {}

float IconPlacer::Gap() const {
    return 4.0f * metrics_.scale;
}

void IconPlacer::Occupy(MapPoint centre, float body) {
    placed_.push_back({centre, body});
}

float IconPlacer::NearestPlacedDistance(MapPoint point) const {
    float nearest = kNoNeighbour;
    for (const Placed& other : placed_)
        nearest = std::min(nearest, std::hypot(other.centre.x - point.x, other.centre.y - point.y));
    return nearest;
}

namespace {
// Icons stand on whole pixels, which may move a centre by one.
constexpr float kPixelSlack = 1.0f;
}  // namespace

bool IconPlacer::Fits(MapPoint point, const IconFootprint& icon, bool ignoreIcons) const {
    const IconBounds bounds = IconCentreBounds(metrics_, icon.halo + kPixelSlack);
    if (point.x < bounds.left || point.x > bounds.right || point.y < bounds.top ||
        point.y > bounds.bottom)
        return false;
    const float gap = Gap();
    const float fromCentre = std::hypot(point.x - metrics_.CentreX(), point.y - metrics_.CentreY());
    if (fromCentre < obstacles_.centreRadius + icon.body + gap) return false;
    for (const Rect& panel : obstacles_.panels)
        if (DistanceToRect(panel, point) < icon.halo + gap) return false;
    for (const LabelBox& label : obstacles_.labels)
        if (DistanceToLabel(label, point) < icon.body + gap) return false;
    if (ignoreIcons) return true;
    for (const Placed& other : placed_) {
        const float reach = icon.body + other.body + gap;
        const float dx = other.centre.x - point.x, dy = other.centre.y - point.y;
        if (dx * dx + dy * dy < reach * reach) return false;
    }
    return true;
}

MapPoint IconPlacer::RandomCandidate(const Wedge& wedge, const IconFootprint& icon,
                                     LayoutRandom& random) const {
    const float angle =
        wedge.angle + random.Uniform(-Wedge::kSampleHalfWidth, Wedge::kSampleHalfWidth);
    const float inner = obstacles_.centreRadius + icon.body + Gap();
    const float outer =
        RayToBounds(metrics_, IconCentreBounds(metrics_, icon.halo + kPixelSlack), angle);
    // Both draws are taken even where the ray has no room, so that every
    // candidate costs the same draws and a layout does not hinge on them.
    const float radius = random.Uniform(inner, std::max(inner, outer));
    return PointAtAngle(metrics_, angle, radius);
}

bool IconPlacer::SearchScreen(const Wedge& wedge, const IconFootprint& icon, bool ignoreIcons,
                              MapPoint* found) const {
    const IconBounds bounds = IconCentreBounds(metrics_, icon.halo + kPixelSlack);
    const float step = std::max(2.0f, icon.body / 2.0f);
    bool any = false;
    float bestOutside = 0.0f, bestNearest = 0.0f;
    for (float y = bounds.top; y <= bounds.bottom; y += step) {
        for (float x = bounds.left; x <= bounds.right; x += step) {
            const MapPoint point{x, y};
            if (!Fits(point, icon, ignoreIcons)) continue;
            const float outside = std::max(
                AngleBetween(AngleOfPoint(metrics_, point), wedge.angle) - Wedge::kSampleHalfWidth,
                0.0f);
            const float nearest = NearestPlacedDistance(point);
            // Closest to the wedge and then furthest from the others; on a
            // full screen, furthest from the others first.
            const bool better =
                !any ||
                (ignoreIcons
                     ? nearest > bestNearest || (nearest == bestNearest && outside < bestOutside)
                     : outside < bestOutside || (outside == bestOutside && nearest > bestNearest));
            if (!better) continue;
            any = true;
            bestOutside = outside;
            bestNearest = nearest;
            *found = point;
        }
    }
    return any;
}

MapPoint IconPlacer::Place(const Wedge& wedge, const IconFootprint& icon, LayoutRandom& random) {
    MapPoint best;
    bool found = false;
    float bestDistance = -1.0f;
    for (int i = 0; i < kCandidates; ++i) {
        const MapPoint candidate = RandomCandidate(wedge, icon, random);
        if (!Fits(candidate, icon)) continue;
        const float distance = NearestPlacedDistance(candidate);
        // Ties keep the earlier candidate.
        if (distance > bestDistance) {
            bestDistance = distance;
            best = candidate;
            found = true;
        }
    }
    if (!found) found = SearchScreen(wedge, icon, false, &best);
    if (!found) found = SearchScreen(wedge, icon, true, &best);
    if (!found) best = PointAtAngle(metrics_, wedge.angle, obstacles_.centreRadius + icon.body);
    Occupy(best, icon.body);
    return best;
}
