// What each kind of map icon makes of its subject, without a game: halo and
// level colours at their thresholds, the figures of a voter group, the bar of
// waiting issues at two sizes, and group labels turned into upright pictures.
#include <gtest/gtest.h>

#include "gui/GUI_IssueBar.h"
#include "gui/icons/GUI_SimulationBars.h"
#include "gui/icons/GUI_SituationIcon.h"
#include "gui/icons/GUI_peopleStrip.h"
#include "gui/icons/RotatedSprite.h"

TEST(MapKinds, HaloAndLevelColoursChangeAtAThirdAndTwoThirds) {
    EXPECT_EQ(GUI_SituationIcon::HaloColour(0.66f, 1.0f), 0xFF00FF00u);
    EXPECT_EQ(GUI_SituationIcon::HaloColour(0.659f, 1.0f), 0xFFFFFF00u);
    EXPECT_EQ(GUI_SituationIcon::HaloColour(0.33f, 1.0f), 0xFFFFFF00u);
    EXPECT_EQ(GUI_SituationIcon::HaloColour(0.329f, 0.5f), 0x7FFF0000u);  // faded with its icon
    EXPECT_EQ(GUI_SimulationBars::LevelColour(0.9f, 1.0f), 0xFF009E73u);
    EXPECT_EQ(GUI_SimulationBars::LevelColour(0.5f, 1.0f), 0xFFE69F00u);
    EXPECT_EQ(GUI_SimulationBars::LevelColour(0.1f, 1.0f), 0xFFD55E00u);
}

TEST(MapKinds, AVoterGroupShowsAFigurePerTenthOfThePopulation) {
    EXPECT_EQ(GUI_peopleStrip::FigureCount(0.0f), 1);  // even a tiny group shows itself
    EXPECT_EQ(GUI_peopleStrip::FigureCount(0.04f), 1);
    EXPECT_EQ(GUI_peopleStrip::FigureCount(0.25f), 3);
    EXPECT_EQ(GUI_peopleStrip::FigureCount(1.0f), GUI_peopleStrip::kMaxFigures);
    EXPECT_EQ(GUI_peopleStrip::FigureCount(1.7f), GUI_peopleStrip::kMaxFigures);
}

TEST(MapKinds, IssueIconsSitSideBySideAboveTheCentreAtEverySize) {
    const MapMetrics reference = MapMetrics::ForScreen(1024, 768);
    // Three icons of 35 pixels, centred, their top 145 above the middle.
    Rect first = GUI_IssueBar::IconRect(0, 3, reference);
    EXPECT_EQ(first.left, (1024 - 105) / 2);
    EXPECT_EQ(first.top, 384 - 145);
    EXPECT_EQ(first.right - first.left, 35);
    EXPECT_EQ(GUI_IssueBar::IconRect(2, 3, reference).right, first.left + 105);
    EXPECT_EQ(GUI_IssueBar::IconAt(float(first.left), float(first.top), 3, reference), 0u);
    EXPECT_EQ(GUI_IssueBar::IconAt(float(first.left + 35), float(first.top + 5), 3, reference), 1u);
    EXPECT_FALSE(GUI_IssueBar::IconAt(float(first.left), float(first.top + 35), 3, reference));
    EXPECT_FALSE(GUI_IssueBar::IconAt(512.0f, 300.0f, 0, reference));
    // On a wide screen the bar grows with the centre and stays above the grid.
    const MapMetrics wide = MapMetrics::ForScreen(1920, 1080);
    first = GUI_IssueBar::IconRect(0, 1, wide);
    EXPECT_EQ(first.right - first.left, int(35 * wide.fit));
    EXPECT_LE(first.bottom, int(540 - 110 * wide.fit) + 1);
}

TEST(MapKinds, TurnedRegionsKeepTheirPixelsAndDropTheRestOfTheTexture) {
    // Two rows: a white left half in row 0, a second row all red.
    platform::Image source(8, 4, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) source.At(x, y) = 0xFFFFFFFFu;
    for (int y = 2; y < 4; ++y)
        for (int x = 0; x < 8; ++x) source.At(x, y) = 0xFFFF0000u;
    // Unturned: the picture is the region with a margin, none of row 1.
    platform::Image upright = TurnImageRegion(source, 0.0f, 0.5f, 8.0f, 2.0f, 0.0f);
    EXPECT_EQ(upright.width, 10);
    EXPECT_EQ(upright.height, 4);
    EXPECT_EQ(upright.At(2, 1), 0xFFFFFFFFu);
    EXPECT_EQ(upright.At(7, 2) >> 24, 0u);
    for (std::uint32_t pixel : upright.pixels) EXPECT_NE(pixel & 0x00FFFFFFu, 0xFF0000u);
    // A quarter turn clockwise stands the region up: its left end at the top.
    platform::Image turned = TurnImageRegion(source, 0.0f, 0.5f, 8.0f, 2.0f, 90.0f);
    EXPECT_EQ(turned.width, 4);
    EXPECT_EQ(turned.height, 10);
    EXPECT_EQ(turned.At(1, 2), 0xFFFFFFFFu);
    EXPECT_EQ(turned.At(1, 7) >> 24, 0u);
}
