// The offscreen blitter against a pixel-at-a-time model of its arithmetic:
// nearest sampling at pixel centres, the tint, straight alpha rounded to the
// nearest step, clipping, and the fill that waits for the quads after it;
// its lines against SDL's software renderer itself, and its turned quads.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
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

namespace {

// A point a little inside or outside the frame, on a fraction or a whole pixel.
float RandomCoordinate(std::mt19937& random, int size) {
    const float value = -40.0f + float(random() % unsigned((size + 80) * 10)) / 10.0f;
    return random() % 3 == 0 ? std::floor(value) : value;
}

}  // namespace

// Strips, pairs and closed outlines with ends off the frame and on fractions,
// clipped or not, half transparent so that a pixel drawn twice shows; drawn
// onto a finished frame and banded after a waiting fill.
TEST(SoftwareBlitter, DrawsLinesPixelForPixelAsSdlsSoftwareRenderer) {
    constexpr int kWidth = 150, kHeight = 110;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface, nullptr);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    ASSERT_NE(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    Image frame(kWidth, kHeight);
    SoftwareBlitter blitter(frame.pixels.data(), kWidth, kHeight, kWidth);
    std::mt19937 random(20261207);
    auto setColour = [&](std::uint32_t c) {
        SDL_SetRenderDrawColor(renderer, Uint8(c >> 16), Uint8(c >> 8), Uint8(c), Uint8(c >> 24));
    };
    for (int round = 0; round < 40; ++round) {
        const std::uint32_t background = 0xFF000000u | std::uint32_t(random() & 0xFFFFFF);
        SDL_RenderSetClipRect(renderer, nullptr);
        setColour(background);
        SDL_RenderClear(renderer);
        if (round % 2 == 0)
            blitter.Clear(background);
        else
            std::fill(frame.pixels.begin(), frame.pixels.end(), background);
        for (int k = 0; k < 25; ++k) {
            std::optional<ClipRect> clip;
            if (random() % 3 == 0) {
                const int left = int(random() % 100), top = int(random() % 80);
                clip = ClipRect{left, top, left + 1 + int(random() % 90),
                                top + 1 + int(random() % 70)};
                const SDL_Rect rect{clip->left, clip->top, clip->right - clip->left,
                                    clip->bottom - clip->top};
                SDL_RenderSetClipRect(renderer, &rect);
            } else {
                SDL_RenderSetClipRect(renderer, nullptr);
            }
            const std::uint32_t alphas[3] = {0xFF000000u, 0x80000000u, 0x33000000u};
            const std::uint32_t colour = alphas[random() % 3] | std::uint32_t(random() & 0xFFFFFF);
            setColour(colour);
            const int count = 2 + int(random() % 6);
            std::vector<float> xy;
            for (int i = 0; i < count; ++i) {
                xy.push_back(RandomCoordinate(random, kWidth));
                xy.push_back(RandomCoordinate(random, kHeight));
            }
            if (random() % 4 == 0) {  // an outline closing on its first point
                xy[xy.size() - 2] = xy[0];
                xy.back() = xy[1];
            }
            const bool strip = random() % 2 == 0;
            if (strip) {
                std::vector<SDL_FPoint> points;
                for (int i = 0; i < count; ++i) points.push_back({xy[2 * i], xy[2 * i + 1]});
                SDL_RenderDrawLinesF(renderer, points.data(), count);
            } else {
                for (int i = 0; i + 1 < count; i += 2)
                    SDL_RenderDrawLineF(renderer, xy[2 * i], xy[2 * i + 1], xy[2 * i + 2],
                                        xy[2 * i + 3]);
            }
            blitter.DrawLines(xy.data(), count, strip, clip, colour);
        }
        SDL_RenderFlush(renderer);
        blitter.Flush();
        int differing = 0;
        for (int y = 0; y < kHeight; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch);
            for (int x = 0; x < kWidth; ++x) differing += row[x] != frame.At(x, y);
        }
        ASSERT_EQ(differing, 0) << "round " << round;
    }
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}

namespace {

// A texel over a pixel with every product rounded down, the colour taken by
// its alpha first.
std::uint32_t ModelModulated(std::uint32_t texel, std::uint32_t tint, std::uint32_t under) {
    const std::uint32_t a = (texel >> 24) * (tint >> 24) / 255;
    if (a == 0) return under;
    std::uint32_t result = (a + (under >> 24) * (255 - a) / 255) << 24;
    for (int shift : {16, 8, 0}) {
        std::uint32_t c = Channel(texel, shift) * Channel(tint, shift) / 255;
        if (a < 255) c = c * a / 255;
        result |= (c + Channel(under, shift) * (255 - a) / 255) << shift;
    }
    return result;
}

}  // namespace

// Sprites turned by any angle, drawn as the engine draws
// them (two triangles sharing a diagonal) in half-transparent colours: every
// pixel whose centre lies inside is drawn exactly once, with a texel under
// its centre, and none outside or past the clip; banded or straight onto the
// frame alike.
TEST(SoftwareBlitter, DrawsTurnedQuadsOnceOverEveryPixelTheyCover) {
    constexpr int kWidth = 120, kHeight = 90;
    std::mt19937 random(5);
    const Image texture = MakeTexture(random, 9, 6);
    Image frame(kWidth, kHeight);
    SoftwareBlitter blitter(frame.pixels.data(), kWidth, kHeight, kWidth);
    blitter.AddTexture(1, texture);
    const int indices[6] = {0, 1, 2, 2, 1, 3};
    for (int round = 0; round < 300; ++round) {
        const std::uint32_t background = 0xFF000000u | std::uint32_t(random() & 0xFFFFFF);
        if (round % 2 == 0)
            blitter.Clear(background);
        else
            std::fill(frame.pixels.begin(), frame.pixels.end(), background);
        // Corners in the engine's order: top-left, top-right, bottom-left, bottom-right.
        const double cx = double(random() % 1400) / 10.0 - 10.0;
        const double cy = double(random() % 1100) / 10.0 - 10.0;
        const double w = 1.0 + double(random() % 800) / 10.0,
                     h = 1.0 + double(random() % 200) / 10.0;
        const double angle = double(random() % 3600) / 10.0 * 0.017453292;
        const double c = std::cos(angle), s = std::sin(angle);
        platform::DeviceVertex corners[4];
        const std::uint32_t tints[3] = {0xFFFFFFFFu, 0x80FF2020u, 0xA620FF20u};
        const std::uint32_t tint = tints[random() % 3];
        for (int k = 0; k < 4; ++k) {
            const double dx = (k % 2 ? 0.5 : -0.5) * w, dy = (k / 2 ? 0.5 : -0.5) * h;
            corners[k] = {float(cx + dx * c - dy * s), float(cy + dx * s + dy * c), tint,
                          float(k % 2), float(k / 2)};
        }
        std::optional<ClipRect> clip;
        if (round % 5 == 0) clip = ClipRect{20, 15, 90, 70};
        ASSERT_TRUE(blitter.DrawTriangles(1, corners, 4, indices, 6, clip));
        blitter.Flush();

        // The quad as drawn: corners snapped to sixteenths of a pixel; a
        // centre on an outer edge counts when that edge runs down or right
        // with the corners turned to a positive area.
        std::int64_t X[4], Y[4];
        const int order[4] = {0, 1, 3, 2};
        for (int k = 0; k < 4; ++k) {
            X[k] = std::llround(double(corners[order[k]].x) * 16.0);
            Y[k] = std::llround(double(corners[order[k]].y) * 16.0);
        }
        const std::int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
        if (area < 0) {
            std::swap(X[1], X[3]);
            std::swap(Y[1], Y[3]);
        }
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::int64_t px = 16 * x + 8, py = 16 * y + 8;
                bool inside = area != 0;
                for (int k = 0; k < 4 && inside; ++k) {
                    const std::int64_t dx = X[(k + 1) % 4] - X[k], dy = Y[(k + 1) % 4] - Y[k];
                    const std::int64_t e = dx * (py - Y[k]) - dy * (px - X[k]);
                    inside = e > 0 || (e == 0 && (dy > 0 || (dy == 0 && dx > 0)));
                }
                if (clip &&
                    (x < clip->left || x >= clip->right || y < clip->top || y >= clip->bottom))
                    inside = false;
                const std::uint32_t pixel = frame.At(x, y);
                if (!inside) {
                    wrong += pixel != background;
                    continue;
                }
                // Texel coordinates of the centre over the snapped corners of
                // either triangle (snapping bends the quad a little along the
                // diagonal); either texel counts where the centre lies on a border.
                auto snapped = [&](float value) {
                    return double(std::llround(value * 16.0)) / 16.0;
                };
                bool matches = false;
                for (int from : {0, 3}) {
                    const int a = from == 0 ? 1 : 2, b = from == 0 ? 2 : 1;
                    const double x0 = snapped(corners[from].x), y0 = snapped(corners[from].y);
                    const double rx = x + 0.5 - x0, ry = y + 0.5 - y0;
                    const double ux = snapped(corners[a].x) - x0, uy = snapped(corners[a].y) - y0;
                    const double vx = snapped(corners[b].x) - x0, vy = snapped(corners[b].y) - y0;
                    const double det = ux * vy - uy * vx;
                    double u = (rx * vy - ry * vx) / det, v = (ux * ry - uy * rx) / det;
                    if (from == 3) u = 1.0 - u, v = 1.0 - v;
                    for (double du : {-0.02, 0.02}) {
                        for (double dv : {-0.02, 0.02}) {
                            const int tx = std::clamp(int(std::floor(u * texture.width + du)), 0,
                                                      texture.width - 1);
                            const int ty = std::clamp(int(std::floor(v * texture.height + dv)), 0,
                                                      texture.height - 1);
                            matches |=
                                pixel == ModelModulated(texture.At(tx, ty), tint, background);
                        }
                    }
                }
                wrong += !matches;
            }
        }
        ASSERT_EQ(wrong, 0) << "round " << round;
    }
    // Corners of differing colours are left to the caller, drawing nothing.
    platform::DeviceVertex shaded[3] = {{0, 0, 0xFFFFFFFFu}, {50, 0, 0xFF000000u}, {0, 50}};
    const int triangle[3] = {0, 1, 2};
    EXPECT_FALSE(blitter.DrawTriangles(0, shaded, 3, triangle, 3, std::nullopt));
}
