// The map's arithmetic without a window: wedges and angles, the bounds at
// three screen sizes, connector colours, dots and angles, the fade after a
// highlight, the value rows, the label ring and the
// voter grid with its spare places.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "engine/Diagnostics.h"
#include "gui/icons/GUI_IconBase.h"
#include "gui/icons/GUI_peopleStrip.h"
#include "gui/icons/MapGeometry.h"
#include "gui/icons/VoterGroupGrid.h"

TEST(MapGeometry, WedgesIncludingTheOneAcrossTheTop) {
    const MapMetrics m = MapMetrics::ForScreen(1024, 768);
    const Wedge welfare = MakeWedge(45.0f, m);
    EXPECT_FLOAT_EQ(welfare.start, 23.0f);
    EXPECT_FLOAT_EQ(welfare.end, 67.0f);
    EXPECT_FLOAT_EQ(welfare.innerRadius, 266.0f);
    EXPECT_NEAR(welfare.outerRadius, 640.0f, 0.01f);
    const Wedge top = MakeWedge(0.0f, m);
    EXPECT_FLOAT_EQ(top.start, 338.0f);
    EXPECT_FLOAT_EQ(top.end, 22.0f);
    EXPECT_FLOAT_EQ(AngleBetween(350.0f, 10.0f), 20.0f);
    EXPECT_NEAR(AngleOfPoint(m, PointAtAngle(m, 350.0f, 300.0f)), 350.0f, 0.01f);
}

TEST(MapGeometry, BoundsAndScalesAtSmallReferenceAndLargeScreens) {
    const MapMetrics reference = MapMetrics::ForScreen(1024, 768);
    // A policy icon's halo, 32.5 pixels from its centre, stays on the screen
    // and a few pixels below the value bars.
    const IconBounds b = IconCentreBounds(reference);
    EXPECT_FLOAT_EQ(b.left, 32.5f);
    EXPECT_FLOAT_EQ(b.right, 991.5f);
    EXPECT_FLOAT_EQ(b.top, 83.5f);
    EXPECT_FLOAT_EQ(b.bottom, 735.5f);

    const MapMetrics small = MapMetrics::ForScreen(800, 600);
    EXPECT_FLOAT_EQ(small.scale, 0.78125f);
    EXPECT_FLOAT_EQ(small.fit, 0.78125f);
    const MapMetrics wide = MapMetrics::ForScreen(1920, 1080);
    EXPECT_FLOAT_EQ(wide.scale, 1.875f);
    EXPECT_FLOAT_EQ(wide.fit, 1.40625f);
    for (const MapMetrics& m : {small, wide}) {
        const IconBounds bounds = IconCentreBounds(m);
        // Halos of the scale's size stay clear of the value rows and the edges.
        EXPECT_GE(bounds.top - 32.5f * m.scale, float(SimulationBarsBottom(m)));
        EXPECT_GE(bounds.left, 32.5f * m.scale);
        EXPECT_LE(bounds.bottom, float(m.height) - 32.5f * m.scale + 0.01f);
        // The labels' ring lies between the voter grid's corners and the wedges.
        const float gridCorner = std::hypot(170.0f * m.fit, 110.0f * m.fit);
        const float ring = float(m.height) / 3.0f - 16.0f;
        EXPECT_LT(gridCorner, ring);
        EXPECT_LT(ring, MakeWedge(90.0f, m).innerRadius);
    }
    EXPECT_EQ(SimulationBarsBottom(reference), 47);
    EXPECT_EQ(SimulationBarsBottom(wide), 66);
}

TEST(MapGeometry, ConnectorColoursDotsAndAngles) {
    EXPECT_EQ(ConnectorColour(-0.3f), 0xA6FF1010u);
    EXPECT_EQ(ConnectorColour(-0.25f), 0x80FF2020u);  // the paler red from -0.25
    EXPECT_EQ(ConnectorColour(-0.01f), 0x80FF2020u);
    EXPECT_EQ(ConnectorColour(0.0f), 0x8022FF6Cu);  // exactly 0 is green
    EXPECT_EQ(ConnectorColour(0.2499f), 0x8022FF6Cu);
    EXPECT_EQ(ConnectorColour(0.25f), 0xA620FF20u);

    EXPECT_EQ(DotCount(11.0f), 0);
    EXPECT_EQ(DotCount(12.0f), 1);
    EXPECT_EQ(DotCount(35.9f), 2);
    const int failures = FailedAssertionCount();
    EXPECT_EQ(DotCount(12.0f * 1000.0f), kMaxDots);  // 1000 dots: reported and capped
    EXPECT_EQ(FailedAssertionCount(), failures + 1);

    const MapPoint origin{100.0f, 100.0f};
    EXPECT_NEAR(MeasureLine(origin, {100, 40}).angle, 0.0f, 1e-3f);  // straight up
    EXPECT_NEAR(MeasureLine(origin, {160, 100}).angle, 90.0f, 1e-3f);
    EXPECT_NEAR(MeasureLine(origin, {100, 160}).angle, 180.0f, 1e-3f);
    EXPECT_NEAR(MeasureLine(origin, {40, 100}).angle, 270.0f, 1e-3f);
    EXPECT_NEAR(MeasureLine(origin, {130, 140}).length, 50.0f, 1e-3f);
    // Dots start at the cause and run toward the effect.
    const LineMeasure line = MeasureLine(origin, {130, 140});
    const MapPoint dot = AlongLine(origin, line.angle, 25.0f);
    EXPECT_NEAR(dot.x, 115.0f, 1e-3f);
    EXPECT_NEAR(dot.y, 120.0f, 1e-3f);
    EXPECT_FLOAT_EQ(LineSpriteRotation(300.0f), 30.0f);
    // A still effect leaves its dots where they are; others run and wrap.
    EXPECT_FLOAT_EQ(AdvanceDot(10.0f, 0.0f, 50.0f), 10.0f);
    EXPECT_FLOAT_EQ(AdvanceDot(10.0f, -0.5f, 50.0f), 11.5f);
    EXPECT_FLOAT_EQ(AdvanceDot(49.0f, 1.0f, 50.0f), 2.0f);
}

TEST(MapGeometry, IconsFadeBackWithinThirteenFramesAfterAHighlight) {
    EXPECT_FLOAT_EQ(DimAlpha(250), 0.15f);
    EXPECT_FLOAT_EQ(DimAlpha(125), 0.15f);
    EXPECT_NEAR(DimAlpha(120), 0.184f, 1e-4f);
    EXPECT_FLOAT_EQ(DimAlpha(0), 1.0f);
    EXPECT_FLOAT_EQ(DimAlpha(-10), 1.0f);

    GUI_IconBase::ResetHighlight(kHighlightStart);  // as a highlight leaves it
    for (int frame = 1; frame <= 25; ++frame) {
        GUI_IconBase::BeginHighlightFrame();
        EXPECT_EQ(GUI_IconBase::HighlightCounter(), kHighlightStart - 10 * frame);
        EXPECT_EQ(GUI_IconBase::NoHighlight(), frame >= 25) << frame;
    }
    for (int frame = 0; frame < 1000; ++frame) GUI_IconBase::BeginHighlightFrame();
    EXPECT_TRUE(GUI_IconBase::NoHighlight());
    EXPECT_GE(GUI_IconBase::HighlightCounter(), -kHighlightStep);
}

TEST(MapGeometry, ValueBarsTileTwoRowsAndAnOddLastBarStaysOnScreen) {
    const MapMetrics m = MapMetrics::ForScreen(1024, 768);
    // An even count: half the values a row, W / half wide each.
    Rect bar = SimulationBarRect(3, 40, m);
    EXPECT_EQ(bar.left, 3 * 1024 / 20);
    EXPECT_EQ(bar.top, 4);
    EXPECT_EQ(bar.bottom, 24);
    bar = SimulationBarRect(20, 40, m);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 27);
    // 41 values: 21 on the first row, and the last one ends at the edge
    // instead of starting there.
    EXPECT_EQ(SimulationBarsPerRow(41), 21);
    EXPECT_EQ(SimulationBarRect(20, 41, m).right, 1024);
    EXPECT_EQ(SimulationBarRect(21, 41, m).left, 0);
    EXPECT_EQ(SimulationBarRect(40, 41, m).right, 1024 * 20 / 21);
    EXPECT_EQ(SimulationBarRect(40, 41, m).top, 27);
}

TEST(MapGeometry, GroupLabelsSitOnTheirRingAndNeverStandUpsideDown) {
    const MapMetrics m = MapMetrics::ForScreen(1024, 768);
    const LabelPlacement top = GroupLabelPlacement(0.0f, m);
    EXPECT_NEAR(top.centre.x, 512.0f, 1e-3f);
    EXPECT_NEAR(top.centre.y, 384.0f - 240.0f, 1e-3f);
    EXPECT_FLOAT_EQ(top.rotation, 0.0f);
    EXPECT_FLOAT_EQ(GroupLabelPlacement(90.0f, m).rotation, 90.0f);
    EXPECT_FLOAT_EQ(GroupLabelPlacement(95.0f, m).rotation, -85.0f);
    EXPECT_FLOAT_EQ(GroupLabelPlacement(225.0f, m).rotation, 45.0f);
    EXPECT_FLOAT_EQ(GroupLabelPlacement(260.0f, m).rotation, 260.0f);
    EXPECT_NEAR(GroupLabelPlacement(270.0f, m).centre.x, 512.0f - 240.0f, 1e-3f);
}

namespace {
[[noreturn]] void ThrowInstead(const std::string& text) {
    throw std::runtime_error(text);
}
}  // namespace

TEST(VoterGroupGrid, FillsColumnByColumnThenTheSparesThenRunsOut) {
    VoterGroupGrid grid;
    grid.Reset(MapMetrics::ForScreen(1024, 768));
    std::vector<MapPoint> taken;
    while (const auto place = grid.TakeFirstFree()) taken.push_back(*place);
    ASSERT_EQ(taken.size(), 25u);
    EXPECT_FLOAT_EQ(taken[0].x, 342.0f);
    EXPECT_FLOAT_EQ(taken[0].y, 274.0f);
    EXPECT_FLOAT_EQ(taken[6].y, 274.0f + 6 * 32.0f);
    EXPECT_FLOAT_EQ(taken[7].x, 462.0f);  // the second column starts at the top
    EXPECT_FLOAT_EQ(taken[7].y, 274.0f);
    EXPECT_FLOAT_EQ(taken[20].x, 582.0f);
    EXPECT_FLOAT_EQ(taken[20].y, 466.0f);
    // A 22nd group takes the first spare place, at the origin.
    EXPECT_FLOAT_EQ(taken[21].x, 0.0f);
    EXPECT_FLOAT_EQ(taken[21].y, 0.0f);
    EXPECT_EQ(grid.TakenCount(), 25);
    // A 26th group has nowhere to go: the fatal error names the problem.
    SetFatalErrorHook(&ThrowInstead);
    try {
        GUI_peopleStrip strip(nullptr, grid);
        ADD_FAILURE() << "a full grid must be fatal";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("Failed to find a position for icon"),
                  std::string::npos);
    }
    SetFatalErrorHook(nullptr);
}
