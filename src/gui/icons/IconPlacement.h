// Where the policy and situation icons of the map go: each in its group's
// wedge, as far from the icons already there as a fixed number of random
// tries finds, and never on another icon, on a group label, on a fixed panel
// or past the edge of the screen. The tries come from a generator of the
// map's own, seeded from the game's seed: one seed gives one layout, and
// laying out the map never moves the game's random numbers.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "engine/Sprite.h"
#include "gui/icons/MapGeometry.h"

// The room one icon takes: its disc, which no other icon and no group label
// may touch, and its halo, which stays whole on the screen and off the panels.
struct IconFootprint {
    float body = 25.0f;
    float halo = 32.5f;
};

// What icons keep clear of on one screen besides each other.
struct MapObstacles {
    std::vector<Rect> panels;
    std::vector<LabelBox> labels;
    // The disc inside the label ring: the voter groups, the issues and the
    // political capital.
    float centreRadius = 0.0f;
};

// The obstacles of the map itself: the value bars, the labels of the groups
// at these angles and the disc inside their ring. Panels are added by the
// screen that owns them.
MapObstacles MapOwnObstacles(const MapMetrics& metrics, const std::vector<float>& groupAngles);

// The map's generator: uniform floats from a seed, the same on every machine.
class LayoutRandom {
public:
    // One stream per seed and group, so a group's layout does not depend on
    // how many draws another group took.
    LayoutRandom(std::uint32_t seed, int stream);
    float Uniform(float low, float high);

private:
    std::mt19937 engine_;
};

class IconPlacer {
public:
    static constexpr int kCandidates = 200;
    // The distance a candidate scores while no icon has been placed.
    static constexpr float kNoNeighbour = 999.0f;

    IconPlacer(const MapMetrics& metrics, MapObstacles obstacles);

    // An icon that stays where it is (of a group not laid out again).
    void Occupy(MapPoint centre, float body);
    // A spot for one more icon of the wedge; the icon is taken as placed
    // there. The best of the random tries that fits; failing that the spot
    // nearest the wedge that fits anywhere on the screen; failing that (a
    // screen full of icons) the spot furthest from the others that keeps at
    // least off the panels and labels.
    MapPoint Place(const Wedge& wedge, const IconFootprint& icon, LayoutRandom& random);

    // Whether an icon fits at the point: on the screen and off every panel
    // and label, and, unless `ignoreIcons`, off every placed icon.
    bool Fits(MapPoint point, const IconFootprint& icon, bool ignoreIcons = false) const;
    float NearestPlacedDistance(MapPoint point) const;
    // The space left between two neighbouring discs.
    float Gap() const;

private:
    struct Placed {
        MapPoint centre;
        float body;
    };
    MapPoint RandomCandidate(const Wedge& wedge, const IconFootprint& icon,
                             LayoutRandom& random) const;
    bool SearchScreen(const Wedge& wedge, const IconFootprint& icon, bool ignoreIcons,
                      MapPoint* found) const;

    MapMetrics metrics_;
    MapObstacles obstacles_;
    std::vector<Placed> placed_;
};
