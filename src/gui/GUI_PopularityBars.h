// Approval and voting intention: two labelled bars in the bottom corners of
// the main game screen, red, yellow or green by level, with a mark at one
// half (the line a government must stay above).
#pragma once

#include <cstdint>

#include "engine/Sprite.h"

class GUI_PopularityBars {
public:
    enum Bar : int { kApproval = 0, kVotingIntention = 1 };

    // The bar's track (the label stands above it) for the screen.
    static Rect TrackRect(int bar, int screenWidth, int screenHeight, float scale);
    // The bar with its label, for hit tests.
    static Rect BlockRect(int bar, int screenWidth, int screenHeight, float scale);
    static float BarValue(int bar);

    static void Draw(int screenWidth, int screenHeight, float scale, float mouseX, float mouseY);
    // Opens the bar's explanation (when approval details are allowed).
    static bool OnClick(float x, float y, int screenWidth, int screenHeight, float scale);
};
