// Comparing rendered frames with expectations kept as text: probe pixels, and
// fingerprints (mean colours of a coarse grid) stored under tests/*/golden/.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Image.h"

// The pixel's red, green and blue each within `tolerance` of 0xRRGGBB.
::testing::AssertionResult PixelNear(const platform::Image& image, int x, int y, std::uint32_t rgb,
                                     int tolerance = 2);

// Compares the frame's fingerprint (columns x rows cells) with the golden
// file; every channel of every cell must be within `tolerance`. With
// POLITY_UPDATE_GOLDEN=1 in the environment the file is rewritten instead.
::testing::AssertionResult MatchesGolden(const platform::Image& image,
                                         const std::string& goldenPath, int columns = 32,
                                         int rows = 24, int tolerance = 6);
