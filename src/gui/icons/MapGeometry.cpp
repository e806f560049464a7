// Map arithmetic.
#include "gui/icons/MapGeometry.h"

#include <algorithm>
#include <cmath>

#include "engine/Diagnostics.h"
#include "engine/Skin.h"

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kDegrees = 180.0f / kPi;

float Normalised(float degrees) {
    while (degrees < 0.0f) degrees += 360.0f;
    while (degrees >= 360.0f) degrees -= 360.0f;
    return degrees;
}

std::uint8_t Mix(std::uint32_t a, std::uint32_t b, int shift, float t) {
    const float from = float(a >> shift & 0xFF), to = float(b >> shift & 0xFF);
    return std::uint8_t(std::lround(from + (to - from) * t));
}

std::uint32_t MixColour(std::uint32_t a, std::uint32_t b, float t) {
    return 0xFF000000u | std::uint32_t(Mix(a, b, 16, t)) << 16 |
           std::uint32_t(Mix(a, b, 8, t)) << 8 | Mix(a, b, 0, t);
}

}  // namespace

MapMetrics MapMetrics::ForScreen(int width, int height) {
    MapMetrics metrics;
    metrics.width = width;
    metrics.height = height;
    metrics.scale = float(width) / 1024.0f;
    metrics.fit = std::min(float(width) / 1024.0f, float(height) / 768.0f);
    return metrics;
}

Wedge MakeWedge(float groupAngle, const MapMetrics& metrics) {
    Wedge wedge;
    wedge.angle = Normalised(groupAngle);
    wedge.start = Normalised(groupAngle - Wedge::kHalfWidth);
    wedge.end = Normalised(groupAngle + Wedge::kHalfWidth);
    wedge.innerRadius = float(metrics.height) / 3.0f + 10.0f;
    const float halfWidth = float(metrics.width) / 2.0f, halfHeight = float(metrics.height) / 2.0f;
    wedge.outerRadius = std::sqrt(halfWidth * halfWidth + halfHeight * halfHeight);
    return wedge;
}

IconBounds IconCentreBounds(const MapMetrics& metrics, float halo) {
    // A few pixels of slate between a halo and the value bars.
    const float top = float(SimulationBarsBottom(metrics)) + 4.0f * metrics.scale + halo;
    return {halo, top, float(metrics.width) - halo, float(metrics.height) - halo};
}

IconBounds IconCentreBounds(const MapMetrics& metrics) {
    // A policy icon's halo is 1.3 times its 50 pixels.
    return IconCentreBounds(metrics, 32.5f * metrics.scale);
}

MapPoint PointAtAngle(const MapMetrics& metrics, float degrees, float radius) {
    const float radians = degrees / kDegrees;
    return {metrics.CentreX() + std::sin(radians) * radius,
            metrics.CentreY() - std::cos(radians) * radius};
}

float AngleOfPoint(const MapMetrics& metrics, MapPoint point) {
    return Normalised(std::atan2(point.x - metrics.CentreX(), metrics.CentreY() - point.y) *
                      kDegrees);
}

float AngleBetween(float a, float b) {
    const float d = std::fabs(Normalised(a) - Normalised(b));
    return d > 180.0f ? 360.0f - d : d;
}

float RayToBounds(const MapMetrics& metrics, const IconBounds& bounds, float degrees) {
    const float radians = degrees / kDegrees;
    const float dx = std::sin(radians), dy = -std::cos(radians);
    const float cx = metrics.CentreX(), cy = metrics.CentreY();
    float reach = 1e9f;
    if (dx > 1e-6f) reach = std::min(reach, (bounds.right - cx) / dx);
    if (dx < -1e-6f) reach = std::min(reach, (bounds.left - cx) / dx);
    if (dy > 1e-6f) reach = std::min(reach, (bounds.bottom - cy) / dy);
    if (dy < -1e-6f) reach = std::min(reach, (bounds.top - cy) / dy);
    return std::max(reach, 0.0f);
}

std::uint32_t ConnectorColour(float v) {
    const Skin& skin = Skin::Instance();
    if (v < -0.25f) return skin.Get(Skin::COL_CONNECTORSTRONGBAD);
    if (v < 0.0f) return skin.Get(Skin::COL_CONNECTORBAD);
    if (v < 0.25f) return skin.Get(Skin::COL_CONNECTORGOOD);
    return skin.Get(Skin::COL_CONNECTORSTRONGGOOD);
}

int DotCount(float length) {
    const int count = int(std::floor(std::max(length, 0.0f) / kDotSpacing));
    Assert(count <= kMaxDots, "GUI_NeuralEffect", __LINE__);
    return std::min(count, kMaxDots);
}

float AdvanceDot(float offset, float effectValue, float length) {
    offset += 3.0f * std::fabs(effectValue);
    if (length > 0.0f)
        while (offset >= length) offset -= length;
    return offset;
}

LineMeasure MeasureLine(MapPoint source, MapPoint target) {
    const float dx = target.x - source.x, dy = target.y - source.y;
    LineMeasure line;
    line.length = std::sqrt(dx * dx + dy * dy);
    line.angle = (std::atan2(dy, dx) + kPi) * kDegrees - 90.0f;
    if (line.angle < 0.0f) line.angle += 360.0f;
    return line;
}

MapPoint AlongLine(MapPoint source, float angle, float offset) {
    const float radians = angle / kDegrees;
    return {source.x + std::sin(radians) * offset, source.y - std::cos(radians) * offset};
}

float LineSpriteRotation(float angle) {
    float rotation = angle + 90.0f;
    if (rotation >= 360.0f) rotation -= 360.0f;
    return rotation;
}

float DimAlpha(int counter) {
    if (counter >= 125) return kDimmedAlpha;
    // Below 0 the formula would pass full strength, which no alpha may.
    if (counter <= 0) return 1.0f;
    return kDimmedAlpha + (1.0f - kDimmedAlpha) * float(125 - counter) / 125.0f;
}

int SimulationBarsPerRow(int valueCount) {
    return std::max(1, (valueCount + 1) / 2);
}

Rect SimulationBarRect(int index, int valueCount, const MapMetrics& metrics) {
    const int perRow = SimulationBarsPerRow(valueCount);
    const int row = index < perRow ? 0 : 1;
    const int column = index - row * perRow;
    const int height = int(std::lround(20.0f * metrics.fit));
    const int top = int(std::lround((row == 0 ? 4.0f : 27.0f) * metrics.fit));
    // Edges from the column's share of the width, so the bars tile the row
    // without gaps or a ragged right end.
    const int left = column * metrics.width / perRow;
    const int right = (column + 1) * metrics.width / perRow;
    return Rect{left, top, right, top + height};
}

int SimulationBarsBottom(const MapMetrics& metrics) {
    return int(std::lround(27.0f * metrics.fit)) + int(std::lround(20.0f * metrics.fit));
}

float SpriteSafeAngle(float degrees) {
    const float turns = degrees / 90.0f;
    if (degrees != 0.0f && std::fabs(turns - std::round(turns)) < 1e-4f) return degrees + 0.05f;
    return degrees;
}

LabelPlacement GroupLabelPlacement(float groupAngle, const MapMetrics& metrics) {
    LabelPlacement label;
    label.centre = PointAtAngle(metrics, groupAngle, float(metrics.height) / 3.0f - 16.0f);
    label.rotation = groupAngle >= 95.0f && groupAngle < 260.0f ? groupAngle - 180.0f : groupAngle;
    return label;
}

LabelBox GroupLabelBox(float groupAngle, const MapMetrics& metrics) {
    LabelBox box;
    box.centre = GroupLabelPlacement(groupAngle, metrics).centre;
    box.angle = groupAngle;
    box.halfWidth = kLabelWidth * metrics.fit / 2.0f;
    box.halfHeight = kLabelHeight * metrics.fit / 2.0f;
    return box;
}

float DistanceToLabel(const LabelBox& label, MapPoint point) {
    const float radians = label.angle / kDegrees;
    const float dx = point.x - label.centre.x, dy = point.y - label.centre.y;
    // Along the ring, and out from the centre.
    const float along = std::fabs(dx * std::cos(radians) + dy * std::sin(radians));
    const float out = std::fabs(dx * std::sin(radians) - dy * std::cos(radians));
    const float ex = std::max(along - label.halfWidth, 0.0f);
    const float ey = std::max(out - label.halfHeight, 0.0f);
    return std::sqrt(ex * ex + ey * ey);
}

float DistanceToRect(const Rect& rect, MapPoint point) {
    const float ex = std::max({float(rect.left) - point.x, point.x - float(rect.right), 0.0f});
    const float ey = std::max({float(rect.top) - point.y, point.y - float(rect.bottom), 0.0f});
    return std::sqrt(ex * ex + ey * ey);
}

std::uint32_t PopularityLabelColour(float popularity) {
    const Skin& skin = Skin::Instance();
    const std::uint32_t bad = skin.Get(Skin::COL_LABELBAD), middle = skin.Get(Skin::COL_PAPER),
                        good = skin.Get(Skin::COL_LABELGOOD);
    const float p = std::clamp(popularity, 0.0f, 1.0f);
    return p < 0.5f ? MixColour(bad, middle, p * 2.0f) : MixColour(middle, good, p * 2.0f - 1.0f);
}
