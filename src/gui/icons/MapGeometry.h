// The arithmetic of the main-screen map, apart from any drawing: the screen's
// scales, the policy-group wedges, the value bars, the group labels, the
// connector lines and their colours, and the fade of the icons after a
// highlight.
#pragma once

#include <cstdint>

#include "engine/Sprite.h"

// The two scales of the map: `scale` (width / 1024) sizes icons and the
// bottom panels; `fit` (the smaller of width / 1024 and height / 768) sizes
// what clusters round the centre, so that on wide screens the voter grid
// still fits inside the ring of group labels.
struct MapMetrics {
    int width = 1024;
    int height = 768;
    float scale = 1.0f;
    float fit = 1.0f;

    static MapMetrics ForScreen(int width, int height);
    float CentreX() const { return float(width) / 2.0f; }
    float CentreY() const { return float(height) / 2.0f; }
    bool operator==(const MapMetrics& other) const {
        return width == other.width && height == other.height;
    }
};

struct MapPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// The share of the screen of one policy group: 44 degrees round the group's
// angle (0 at the top, clockwise), from just outside the label ring to the
// corners. Icons are sampled a little inside it, so that neighbouring groups
// keep a visible gap between them.
struct Wedge {
    static constexpr float kHalfWidth = 22.0f;
    static constexpr float kSampleHalfWidth = 18.0f;
    float angle = 0.0f;  // the group's, degrees 0..360
    float start = 0.0f;
    float end = 0.0f;
    float innerRadius = 0.0f;
    float outerRadius = 0.0f;
};

Wedge MakeWedge(float groupAngle, const MapMetrics& metrics);

// Where the centre of an icon whose halo reaches `halo` pixels may lie: the
// halo whole on the screen and below the value bars along the top.
struct IconBounds {
    float left, top, right, bottom;
};
IconBounds IconCentreBounds(const MapMetrics& metrics, float halo);
// The same for a policy icon at the screen's scale.
IconBounds IconCentreBounds(const MapMetrics& metrics);

// The screen point at `degrees` (0 up, clockwise) and `radius` from the centre.
MapPoint PointAtAngle(const MapMetrics& metrics, float degrees, float radius);
// The angle (0 up, clockwise, 0..360) of a point seen from the centre.
float AngleOfPoint(const MapMetrics& metrics, MapPoint point);
// How far apart two angles are, 0..180 degrees.
float AngleBetween(float a, float b);
// How far from `origin` a ray at `degrees` runs before it leaves the bounds.
float RayToBounds(const MapMetrics& metrics, const IconBounds& bounds, float degrees);

// Connector lines. The colour comes from the effect's current value: two
// reds for harm, two greens for help, the stronger shade from 0.25 on.
std::uint32_t ConnectorColour(float effectValue);
constexpr float kDotSpacing = 12.0f;
constexpr int kMaxDots = 999;
// floor(length / 12): a line of 11 pixels has no dot, one of 12 has one.
int DotCount(float length);
// One frame of a dot's run along a line: 3 x |v| pixels, wrapping at the end.
float AdvanceDot(float offset, float effectValue, float length);

struct LineMeasure {
    float length = 0.0f;
    float angle = 0.0f;  // degrees from source toward target, 0 up, 90 right
};
LineMeasure MeasureLine(MapPoint source, MapPoint target);
// A point `offset` pixels from the source along the line's angle.
MapPoint AlongLine(MapPoint source, float angle, float offset);
// The sprite rotation that lays a horizontal line texture along `angle`.
float LineSpriteRotation(float angle);

// The highlight fade: the counter starts at 250 when an icon is highlighted
// and drops by 10 a frame; others stand at 0.15 until it falls below 125,
// then come back to full within 13 frames.
constexpr int kHighlightStart = 250;
constexpr int kHighlightStep = 10;
constexpr float kDimmedAlpha = 0.15f;
float DimAlpha(int highlightCounter);

// Value bars: two rows along the top. Each row holds half the values,
// rounded up, so an odd count never puts its last bar off the screen.
int SimulationBarsPerRow(int valueCount);
Rect SimulationBarRect(int index, int valueCount, const MapMetrics& metrics);
// The lowest pixel row the value bars use.
int SimulationBarsBottom(const MapMetrics& metrics);

// The angle to hand a sprite: a right angle other than 0 is turned a hair
// further, because the software renderer draws quads that come out exactly
// upright as unrotated blits and loses the turn of their texture.
float SpriteSafeAngle(float degrees);

// A group label on its ring: centre and sprite rotation (never upside down).
struct LabelPlacement {
    MapPoint centre;
    float rotation = 0.0f;
};
LabelPlacement GroupLabelPlacement(float groupAngle, const MapMetrics& metrics);
constexpr float kLabelWidth = 224.0f;
constexpr float kLabelHeight = 28.0f;
constexpr int kLabelRows = 8;

// A group label as the rectangle it covers: its long side along the ring.
struct LabelBox {
    MapPoint centre;
    float angle = 0.0f;  // the group's: the label lies across this direction
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
};
LabelBox GroupLabelBox(float groupAngle, const MapMetrics& metrics);
// How far a point lies outside the label (0 inside it).
float DistanceToLabel(const LabelBox& label, MapPoint point);
// How far a point lies outside the rectangle (0 inside it).
float DistanceToRect(const Rect& rect, MapPoint point);

// The policy-group label colour from the group's popularity (0..1): the
// "bad" vermilion through paper to the "good" green, light enough to read on
// the slate background.
std::uint32_t PopularityLabelColour(float popularity);
