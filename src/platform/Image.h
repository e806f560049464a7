// A decoded picture in memory: the one currency between file decoders, the
// asset tool's output, textures and screenshots.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Pixels are 32-bit ARGB (alpha in the top byte), rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Image() = default;
    Image(int w, int h, std::uint32_t fill = 0)
        : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    std::uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    std::uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

}  // namespace platform
