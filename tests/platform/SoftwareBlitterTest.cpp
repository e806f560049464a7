// The offscreen blitter against a pixel-at-a-time model of its arithmetic:
// nearest sampling at pixel centres, the tint, straight alpha rounded to the
// nearest step, clipping, and the fill that waits for the quads after it.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>

#include "platform/SoftwareBlitter.h"

using platform::ClipRect;
using platform::Image;
using platform::SoftwareBlitter;

namespace {

std::uint32_t Channel(std::uint32_t colour, int shift) {
    return (colour >> shift) & 0xFF;
}

std::uint32_t RoundedProduct(std::uint32_t a, std::uint32_t b) {
    return (a * b * 2 + 255) / 510;
}

// One pixel at a time, straight from the rules.
void ModelBlit(Image& frame, const Image& texture, const ClipRect& source, const ClipRect& target,
               const std::optional<ClipRect>& clip, std::uint32_t tint) {
    const int width = target.right - target.left, height = target.bottom - target.top;
    if (width <= 0 || height <= 0 || source.left < 0 || source.top < 0 ||
        source.right > texture.width || source.bottom > texture.height ||
        source.right <= source.left || source.bottom <= source.top) {
        return;
    }
    const std::int64_t stepX = (std::int64_t(source.right - source.left) << 16) / width;
    const std::int64_t stepY = (std::int64_t(source.bottom - source.top) << 16) / height;
    for (int y = std::max(target.top, 0); y < std::min(target.bottom, frame.height); ++y) {
        for (int x = std::max(target.left, 0); x < std::min(target.right, frame.width); ++x) {
            if (clip && (x < clip->left || x >= clip->right || y < clip->top || y >= clip->bottom))
                continue;
            const int sx = source.left + int(((x - target.left) * stepX + stepX / 2) >> 16);
            const int sy = source.top + int(((y - target.top) * stepY + stepY / 2) >> 16);
            const std::uint32_t texel = texture.At(sx, sy);
            const std::uint32_t a = RoundedProduct(texel >> 24, tint >> 24);
            if (a == 0) continue;
            std::uint32_t& pixel = frame.At(x, y);
            std::uint32_t result = 0xFF000000u;
            for (int shift : {16, 8, 0}) {
                const std::uint32_t c = RoundedProduct(Channel(texel, shift), Channel(tint, shift));
                result |= (c * a + Channel(pixel, shift) * (255 - a) + 127) / 255 << shift;
            }
            pixel = result;
        }
    }
}

// Fills round down, as SDL's software renderer does.
void ModelFill(Image& frame, const ClipRect& rect, const std::optional<ClipRect>& clip,
               std::uint32_t colour) {
    const std::uint32_t a = colour >> 24;
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, frame.height); ++y) {
        for (int x = std::max(rect.left, 0); x < std::min(rect.right, frame.width); ++x) {
            if (clip && (x < clip->left || x >= clip->right || y < clip->top || y >= clip->bottom))
                continue;
            std::uint32_t& pixel = frame.At(x, y);
            std::uint32_t result = 0xFF000000u;
            for (int shift : {16, 8, 0})
                result |=
                    (Channel(pixel, shift) * (255 - a) / 255 + Channel(colour, shift) * a / 255)
                    << shift;
            pixel = result;
        }
    }
}

// Runs of clear, solid and half-covered texels of every length, as icons and
// glyphs have them.
Image MakeTexture(std::mt19937& random, int width, int height) {
    Image image(width, height);
    std::uint32_t alpha = 0;
    for (std::uint32_t& texel : image.pixels) {
        if (random() % 5 == 0) {
            const int kind = int(random() % 3);
            alpha = kind == 0 ? 0 : kind == 1 ? 255 : 1 + random() % 254;
        }
        texel = alpha << 24 | (random() & 0xFFFFFF);
    }
    return image;
}

struct Quad {
    platform::DeviceTextureId texture;
    ClipRect source, target;
    std::optional<ClipRect> clip;
    std::uint32_t tint;
};

Quad RandomQuad(std::mt19937& random, const std::vector<Image>& textures) {
    auto pick = [&](int low, int high) { return low + int(random() % unsigned(high - low + 1)); };
    Quad quad;
    quad.texture = platform::DeviceTextureId(pick(1, int(textures.size())));
    const Image& texture = textures[quad.texture - 1];
    const int left = pick(0, texture.width - 1), top = pick(0, texture.height - 1);
    quad.source = {left, top, pick(left + 1, texture.width), pick(top + 1, texture.height)};
    const int sourceWidth = quad.source.right - quad.source.left;
    const int sourceHeight = quad.source.bottom - quad.source.top;
    // At its own size, halved, or anything from a sliver to past the frame.
    const int scale = pick(0, 3);
    const int width = scale == 0   ? sourceWidth
                      : scale == 1 ? std::max(1, sourceWidth / 2)
                                   : pick(1, 330);
    const int height = scale == 0   ? sourceHeight
                       : scale == 1 ? std::max(1, sourceHeight / 2)
                                    : pick(1, 300);
    const int x = pick(-40, 170), y = pick(-40, 130);
    quad.target = {x, y, x + width, y + height};
    if (random() % 4 == 0)
        quad.clip = ClipRect{pick(-5, 100), pick(-5, 80), pick(20, 170), pick(20, 130)};
    const std::uint32_t tints[4] = {0xFFFFFFFFu, 0xFF1B2A41u, 0x80FF8040u, 0x00FFFFFFu};
    quad.tint = tints[random() % 4];
    return quad;
}

}  // namespace

// Quads and fills of every kind, after a fill that waits for them and over a
// finished frame; the blits that leave their texture or outlive it draw nothing.
TEST(SoftwareBlitter, MatchesThePixelModelWithAndWithoutAWaitingFill) {
    std::mt19937 random(20240611);
    std::vector<Image> textures;
    for (auto [w, h] : {std::pair{64, 64}, std::pair{24, 24}, std::pair{300, 19}, std::pair{3, 2}})
        textures.push_back(MakeTexture(random, w, h));
    // A tiny cache forces prepared quads to be dropped and built again mid-frame.
    for (std::size_t cacheBytes : {SoftwareBlitter::kDefaultCacheBytes, std::size_t(1)}) {
        Image frame(160, 120, 0xFF102030u), model = frame;
        SoftwareBlitter blitter(frame.pixels.data(), frame.width, frame.height, frame.width,
                                cacheBytes);
        for (size_t i = 0; i < textures.size(); ++i)
            blitter.AddTexture(platform::DeviceTextureId(i + 1), textures[i]);
        for (int round = 0; round < 12; ++round) {
            const bool cleared = round % 3 != 2;  // every third round draws over the last
            if (cleared) {
                // A second fill covers what waited before it.
                blitter.Clear(0xFFFF00FFu);
                blitter.Blit(1, {0, 0, 64, 64}, {0, 0, 100, 100}, std::nullopt, 0xFFFFFFFFu);
                const std::uint32_t colour = 0xFF000000u | std::uint32_t(random() & 0xFFFFFF);
                blitter.Clear(colour);
                std::fill(model.pixels.begin(), model.pixels.end(), colour);
                EXPECT_TRUE(blitter.HasPendingWork());
            }
            for (int k = 0; k < 150; ++k) {
                const Quad quad = RandomQuad(random, textures);
                if (k == 75) {  // a texture that quads wait on goes and comes back
                    blitter.RemoveTexture(1);
                    blitter.Blit(1, {0, 0, 64, 64}, {0, 0, 100, 100}, std::nullopt, 0xFFFFFFFFu);
                    blitter.AddTexture(1, textures[0]);
                    blitter.Blit(1, {0, 0, 65, 64}, {0, 0, 100, 100}, std::nullopt, 0xFFFFFFFFu);
                }
                if (k % 10 == 9) {  // a panel or a shadow between the sprites
                    const std::uint32_t colour =
                        (quad.tint & 0xFF000000u) | std::uint32_t(random() & 0xFFFFFF);
                    blitter.FillRect(quad.target, quad.clip, colour);
                    ModelFill(model, quad.target, quad.clip, colour);
                    continue;
                }
                blitter.Blit(quad.texture, quad.source, quad.target, quad.clip, quad.tint);
                ModelBlit(model, textures[quad.texture - 1], quad.source, quad.target, quad.clip,
                          quad.tint);
            }
            blitter.Flush();
            EXPECT_FALSE(blitter.HasPendingWork());
            int differing = 0;
            for (size_t p = 0; p < frame.pixels.size(); ++p)
                differing += (frame.pixels[p] | 0xFF000000u) != model.pixels[p];
            ASSERT_EQ(differing, 0) << "round " << round << ", cache " << cacheBytes;
        }
    }
}
