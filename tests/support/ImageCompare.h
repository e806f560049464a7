// Comparing rendered frames with expectations: probe pixels, and golden
// pictures (PNG) kept under tests/*/golden/.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Image.h"

// The pixel's red, green and blue each within `tolerance` of 0xRRGGBB.
::testing::AssertionResult PixelNear(const platform::Image& image, int x, int y, std::uint32_t rgb,
                                     int tolerance = 2);

// How far a frame may stray from its golden picture. A pixel differs when one
// of its channels is off by more than `channel`; the frame still matches when
// the differing pixels are few and scattered (anti-aliasing that rounds the
// other way), but not when any square of `tile` pixels holds more than
// `perTile` of them: a changed word or a moved icon always does.
struct GoldenTolerance {
    int channel = 8;
    int tile = 16;
    int perTile = 3;
    // At most max(minimum, pixels / pixelsPerAllowed) differing pixels in all.
    int minimum = 8;
    int pixelsPerAllowed = 20000;
};

// Compares the frame with the golden PNG pixel by pixel (alpha is ignored).
// On failure the frame and a picture of the differences are written to
// <build>/golden-failures/<name>.actual.png and <name>.diff.png, and the
// message names them. With POLITY_UPDATE_GOLDEN=1 in the environment a golden
// that no longer matches is rewritten instead, and every call prints whether
// its file changed (the differences go to <build>/golden-changes/).
::testing::AssertionResult MatchesGolden(const platform::Image& image,
                                         const std::string& goldenPath,
                                         const GoldenTolerance& tolerance = {});

// Where failure and change pictures are written: the build folder of the
// test program, or $POLITY_GOLDEN_OUTPUT_DIR when set.
std::string GoldenOutputFolder();
