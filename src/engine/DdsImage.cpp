// DDS decoding: header checks, masked RGB and the three block-compressed formats.
#include "engine/DdsImage.h"

#include <bit>
#include <cstdint>

namespace {

constexpr size_t kHeaderEnd = 128;
// Larger than any texture a card holds; a header that claims more is corrupt.
constexpr std::uint32_t kLargestSide = 16384;
constexpr std::uint32_t kFourCC = 0x4, kRgb = 0x40, kAlphaPixels = 0x1;

std::uint32_t Le32(std::string_view b, size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint32_t Le16(std::string_view b, size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}

constexpr std::uint32_t FourCC(const char (&code)[5]) {
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
           std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

// A channel under a bit mask, widened or narrowed to 8 bits.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return value >> (bits - 8);
    const std::uint32_t max = (1u << bits) - 1;
    return (value * 255 + max / 2) / max;
}

void Expand565(std::uint32_t c, std::uint32_t& r, std::uint32_t& g, std::uint32_t& b) {
    r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    r = (r << 3) | (r >> 2), g = (g << 2) | (g >> 4), b = (b << 3) | (b >> 2);
}

// The four colours of a DXT colour block; DXT1 may use three and transparency.
void ColourPalette(std::string_view block, bool allowTransparent, std::uint32_t palette[4]) {
    const std::uint32_t c0 = Le16(block, 0), c1 = Le16(block, 2);
    std::uint32_t r[4], g[4], b[4];
    Expand565(c0, r[0], g[0], b[0]);
    Expand565(c1, r[1], g[1], b[1]);
    const bool fourColours = !allowTransparent || c0 > c1;
    for (int i = 0; i < 2; ++i) palette[i] = 0xFF000000u | r[i] << 16 | g[i] << 8 | b[i];
    if (fourColours) {
        palette[2] = 0xFF000000u | ((2 * r[0] + r[1]) / 3) << 16 | ((2 * g[0] + g[1]) / 3) << 8 |
                     (2 * b[0] + b[1]) / 3;
        palette[3] = 0xFF000000u | ((r[0] + 2 * r[1]) / 3) << 16 | ((g[0] + 2 * g[1]) / 3) << 8 |
                     (b[0] + 2 * b[1]) / 3;
    } else {
        palette[2] =
            0xFF000000u | ((r[0] + r[1]) / 2) << 16 | ((g[0] + g[1]) / 2) << 8 | (b[0] + b[1]) / 2;
        palette[3] = 0;  // transparent black
    }
}

void AlphaPalette(std::string_view block, std::uint32_t alpha[8]) {
    alpha[0] = std::uint8_t(block[0]);
    alpha[1] = std::uint8_t(block[1]);
    if (alpha[0] > alpha[1]) {
        for (int i = 1; i < 7; ++i) alpha[i + 1] = ((7 - i) * alpha[0] + i * alpha[1]) / 7;
    } else {
        for (int i = 1; i < 5; ++i) alpha[i + 1] = ((5 - i) * alpha[0] + i * alpha[1]) / 5;
        alpha[6] = 0;
        alpha[7] = 255;
    }
}

void DecodeBlocks(std::string_view data, std::uint32_t format, platform::Image& image) {
    const int blockBytes = format == FourCC("DXT1") ? 8 : 16;
    const int blocksWide = (image.width + 3) / 4, blocksHigh = (image.height + 3) / 4;
    for (int by = 0; by < blocksHigh; ++by) {
        for (int bx = 0; bx < blocksWide; ++bx) {
            const std::string_view block =
                data.substr(size_t(by * blocksWide + bx) * size_t(blockBytes), size_t(blockBytes));
            const std::string_view colourBlock = blockBytes == 8 ? block : block.substr(8);
            std::uint32_t palette[4], alpha[8];
            ColourPalette(colourBlock, format == FourCC("DXT1"), palette);
            if (format == FourCC("DXT5")) AlphaPalette(block, alpha);
            std::uint64_t alphaBits = 0;
            for (int i = 0; i < 8; ++i)
                alphaBits |= std::uint64_t(std::uint8_t(block[size_t(i)])) << (8 * i);
            const std::uint32_t indices = Le32(colourBlock, 4);
            for (int p = 0; p < 16; ++p) {
                const int x = bx * 4 + p % 4, y = by * 4 + p / 4;
                if (x >= image.width || y >= image.height) continue;
                std::uint32_t argb = palette[(indices >> (2 * p)) & 3];
                if (format == FourCC("DXT3")) {
                    const std::uint32_t a4 = std::uint32_t(alphaBits >> (4 * p)) & 15;
                    argb = (argb & 0x00FFFFFFu) | (a4 * 17) << 24;
                } else if (format == FourCC("DXT5")) {
                    const std::uint32_t index = std::uint32_t(alphaBits >> (16 + 3 * p)) & 7;
                    argb = (argb & 0x00FFFFFFu) | alpha[index] << 24;
                }
                image.At(x, y) = argb;
            }
        }
    }
}

}  // namespace

bool LooksLikeDds(std::string_view bytes) {
    return bytes.size() >= 4 && bytes.substr(0, 4) == "DDS ";
}

platform::Image DecodeDds(std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return platform::Image{};
    };
    if (!LooksLikeDds(bytes)) return fail("not a DDS file");
    if (bytes.size() < kHeaderEnd) return fail("truncated DDS header");
    if (Le32(bytes, 4) != 124 || Le32(bytes, 76) != 32)
        return fail("DDS header has the wrong size");
    const std::uint32_t height = Le32(bytes, 12), width = Le32(bytes, 16);
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) {
        return fail("DDS size " + std::to_string(width) + " x " + std::to_string(height) +
                    " out of range");
    }
    const std::uint32_t flags = Le32(bytes, 80), fourCC = Le32(bytes, 84);
    const std::string_view data = bytes.substr(kHeaderEnd);

    if (flags & kFourCC) {
        if (fourCC != FourCC("DXT1") && fourCC != FourCC("DXT3") && fourCC != FourCC("DXT5")) {
            return fail("unsupported DDS compression");
        }
        const std::uint64_t needed = std::uint64_t((width + 3) / 4) * ((height + 3) / 4) *
                                     (fourCC == FourCC("DXT1") ? 8 : 16);
        if (data.size() < needed) return fail("DDS pixel data truncated");
        // Allocated only once the file is known to hold every pixel it claims.
        platform::Image image{int(width), int(height)};
        DecodeBlocks(data, fourCC, image);
        return image;
    }
    if (!(flags & kRgb)) return fail("unsupported DDS pixel format");
    const std::uint32_t bitCount = Le32(bytes, 88);
    if (bitCount != 32 && bitCount != 24)
        return fail("unsupported DDS bit depth " + std::to_string(bitCount));
    const std::uint32_t masks[4] = {Le32(bytes, 92), Le32(bytes, 96), Le32(bytes, 100),
                                    Le32(bytes, 104)};
    const bool hasAlpha = (flags & kAlphaPixels) && masks[3] != 0;
    const std::uint64_t bytesPerPixel = bitCount / 8;
    if (data.size() < std::uint64_t(width) * height * bytesPerPixel)
        return fail("DDS pixel data truncated");
    platform::Image image{int(width), int(height)};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const size_t at = size_t((std::uint64_t(y) * width + x) * bytesPerPixel);
            const std::uint32_t pixel =
                bitCount == 32 ? Le32(data, at)
                               : Le16(data, at) | std::uint32_t(std::uint8_t(data[at + 2])) << 16;
            const std::uint32_t alpha = hasAlpha ? Channel(pixel, masks[3]) : 255;
            image.At(int(x), int(y)) = alpha << 24 | Channel(pixel, masks[0]) << 16 |
                                       Channel(pixel, masks[1]) << 8 | Channel(pixel, masks[2]);
        }
    }
    return image;
}
