// Map arithmetic.
#include "gui/icons/MapGeometry.h"

#include <algorithm>
#include <cmath>

#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kDegrees = 180.0f / kPi;
// Angles closer than this to a wedge's edges are not sampled.
constexpr float kEdgeMargin = 9.0f;

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
    wedge.start = Normalised(groupAngle - Wedge::kHalfWidth);
    wedge.end = Normalised(groupAngle + Wedge::kHalfWidth);
    wedge.innerRadius = float(metrics.height) / 3.0f + 10.0f;
    const float halfWidth = float(metrics.width) / 2.0f, halfHeight = float(metrics.height) / 2.0f;
    wedge.outerRadius = std::sqrt(halfWidth * halfWidth + halfHeight * halfHeight);
    return wedge;
}

IconBounds IconCentreBounds(const MapMetrics& metrics) {
    const float margin = 24.0f * metrics.scale;
    // 84 pixels at 1024 x 768: the value bars, a gap, and half an icon.
    const float top = float(SimulationBarsBottom(metrics)) + 12.0f + 25.0f * metrics.scale;
    return {margin, top, float(metrics.width) - margin,
            float(metrics.height) - 80.0f * metrics.scale};
}

MapPoint PointAtAngle(const MapMetrics& metrics, float degrees, float radius) {
    const float radians = degrees / kDegrees;
    return {metrics.CentreX() + std::sin(radians) * radius,
            metrics.CentreY() - std::cos(radians) * radius};
}

MapPoint RandomPointInWedge(const Wedge& wedge, const MapMetrics& metrics) {
    const float margin = 24.0f * metrics.scale;
    const float radius =
        GameRandom::Uniform(wedge.innerRadius + margin, wedge.outerRadius - margin);
    float angle = 0.0f;
    if (wedge.start + kEdgeMargin <= wedge.end - kEdgeMargin) {
        angle = GameRandom::Uniform(wedge.start + kEdgeMargin, wedge.end - kEdgeMargin);
    } else {
        // The wedge crosses the top: either side of 0 degrees.
        const float reach = Wedge::kHalfWidth - kEdgeMargin;
        angle = Rand() % 10 >= 5 ? 360.0f - GameRandom::Uniform(0.0f, reach)
                                 : GameRandom::Uniform(0.0f, reach);
    }
    MapPoint point = PointAtAngle(metrics, angle, radius);
    const IconBounds bounds = IconCentreBounds(metrics);
    point.x = std::clamp(point.x, bounds.left, bounds.right);
    point.y = std::clamp(point.y, bounds.top, bounds.bottom);
    return point;
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

std::uint32_t PopularityLabelColour(float popularity) {
    const Skin& skin = Skin::Instance();
    const std::uint32_t bad = skin.Get(Skin::COL_LABELBAD), middle = skin.Get(Skin::COL_PAPER),
                        good = skin.Get(Skin::COL_LABELGOOD);
    const float p = std::clamp(popularity, 0.0f, 1.0f);
    return p < 0.5f ? MixColour(bad, middle, p * 2.0f) : MixColour(middle, good, p * 2.0f - 1.0f);
}
