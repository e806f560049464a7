// The two file formats the game's loaders read, written by the asset tool:
// uncompressed A8R8G8B8 DDS textures and bitmap-font width files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // ARGB, straight alpha, rows top to bottom
};

bool WriteDds(const std::string& path, const ArgbImage& image);

// 100 little-endian 32-bit widths, glyphs 0 to 99.
bool WriteWidthFile(const std::string& path, const std::array<int, 100>& widths);
