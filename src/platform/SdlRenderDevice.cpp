// Drawing through SDL_Renderer, in a window or into an offscreen bitmap.
#include "platform/SdlRenderDevice.h"

#include <algorithm>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace platform {

namespace {

SDL_Color ToSdlColour(std::uint32_t argb) {
    return SDL_Color{Uint8(argb >> 16), Uint8(argb >> 8), Uint8(argb), Uint8(argb >> 24)};
}

// v / 255 rounded, exact for every product of two bytes.
inline std::uint32_t Div255(std::uint32_t v) {
    return (v + 128 + ((v + 128) >> 8)) >> 8;
}

void SetDrawColour(SDL_Renderer* renderer, std::uint32_t argb) {
    const SDL_Color c = ToSdlColour(argb);
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
}

#ifdef __SSE2__
// The same rounding on eight 16-bit lanes.
inline __m128i Div255Lanes(__m128i v) {
    v = _mm_add_epi16(v, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
}

// Two pixels widened to 16-bit lanes: source over target with the source's alpha.
inline __m128i BlendTwo(__m128i source, __m128i target) {
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(source, 0xFF), 0xFF);
    const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    return Div255Lanes(_mm_add_epi16(_mm_mullo_epi16(source, alpha), _mm_mullo_epi16(target, keep)));
}
#endif

}  // namespace

SdlRenderDevice::SdlRenderDevice(SDL_Window* window, SDL_Surface* surface, SDL_Renderer* renderer)
    : window_(window), surface_(surface), renderer_(renderer) {
    SDL_GetRendererOutputSize(renderer_, &width_, &height_);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

SdlRenderDevice::~SdlRenderDevice() {
    for (auto& [id, record] : textures_) SDL_DestroyTexture(record.texture);
    SDL_DestroyRenderer(renderer_);
    if (surface_) SDL_FreeSurface(surface_);
    if (window_) {
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

std::string SdlRenderDevice::Description() const {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    std::string text = info.name ? info.name : "unknown";
    if (window_)
        text += std::string(" on ") + SDL_GetCurrentVideoDriver();
    else
        text += " offscreen";
    return text;
}

DeviceTextureId SdlRenderDevice::CreateTexture(const Image& image) {
    if (image.IsEmpty()) return 0;
    SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, image.width, image.height);
    if (!texture) return 0;
    SDL_UpdateTexture(texture, nullptr, image.pixels.data(), image.width * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    textures_[nextTexture_] = TextureRecord{texture, false, surface_ ? image : Image{}};
    return nextTexture_++;
}

void SdlRenderDevice::DestroyTexture(DeviceTextureId texture) {
    auto it = textures_.find(texture);
    if (it == textures_.end()) return;
    SDL_DestroyTexture(it->second.texture);
    textures_.erase(it);
}

void SdlRenderDevice::SetClip(const std::optional<ClipRect>& clip) {
    clip_ = clip;
    if (!clip) {
        SDL_RenderSetClipRect(renderer_, nullptr);
        return;
    }
    const SDL_Rect rect{clip->left, clip->top, std::max(0, clip->right - clip->left),
                        std::max(0, clip->bottom - clip->top)};
    SDL_RenderSetClipRect(renderer_, &rect);
}

void SdlRenderDevice::Clear(std::uint32_t colour) {
    SDL_BlendMode previous;
    SDL_GetRenderDrawBlendMode(renderer_, &previous);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    SetDrawColour(renderer_, colour);
    SDL_RenderClear(renderer_);
    SDL_SetRenderDrawBlendMode(renderer_, previous);
}

// True when six indices from `at` draw the quad of vertices b..b+3 in strip
// order and that quad is an upright rectangle of one colour.
static bool IsPlainQuad(const DeviceVertex* v, int vertexCount, const int* indices, int at) {
    const int b = indices[at];
    if (b < 0 || b + 3 >= vertexCount || indices[at + 1] != b + 1 || indices[at + 2] != b + 2 ||
        indices[at + 3] != b + 2 || indices[at + 4] != b + 1 || indices[at + 5] != b + 3) {
        return false;
    }
    const DeviceVertex* q = v + b;
    return q[0].y == q[1].y && q[2].y == q[3].y && q[0].x == q[2].x && q[1].x == q[3].x &&
           q[0].u == q[2].u && q[1].u == q[3].u && q[0].v == q[1].v && q[2].v == q[3].v &&
           q[0].colour == q[1].colour && q[0].colour == q[2].colour && q[0].colour == q[3].colour &&
           q[1].x > q[0].x && q[2].y > q[0].y;
}

void SdlRenderDevice::DrawTriangles(DeviceTextureId texture, const DeviceVertex* vertices,
                                    int vertexCount, const int* indices, int indexCount) {
    SDL_Texture* sdlTexture = nullptr;
    const TextureRecord* record = nullptr;
    int textureWidth = 0, textureHeight = 0;
    if (texture != 0) {
        auto it = textures_.find(texture);
        if (it != textures_.end()) {
            record = &it->second;
            sdlTexture = it->second.texture;
            SDL_QueryTexture(sdlTexture, nullptr, nullptr, &textureWidth, &textureHeight);
            if (it->second.linear != linear_) {
                SDL_SetTextureScaleMode(sdlTexture,
                                        linear_ ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
                it->second.linear = linear_;
            }
        }
    }
    // Upright quads go through the blitter: exact texel rows (the software
    // geometry path drops a texture's last row) and much faster.
    bool plain = indexCount % 6 == 0;
    for (int at = 0; plain && at < indexCount; at += 6)
        plain = IsPlainQuad(vertices, vertexCount, indices, at);
    if (plain) {
        for (int at = 0; at < indexCount; at += 6) {
            const DeviceVertex* q = vertices + indices[at];
            const SDL_Color c = ToSdlColour(q[0].colour);
            const SDL_FRect target{q[0].x, q[0].y, q[1].x - q[0].x, q[2].y - q[0].y};
            if (!sdlTexture) {
                SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
                SDL_RenderFillRectF(renderer_, &target);
                continue;
            }
            const float u0 = std::min(q[0].u, q[1].u), u1 = std::max(q[0].u, q[1].u);
            const float v0 = std::min(q[0].v, q[2].v), v1 = std::max(q[0].v, q[2].v);
            const SDL_Rect source{int(std::lround(u0 * textureWidth)),
                                  int(std::lround(v0 * textureHeight)),
                                  int(std::lround((u1 - u0) * textureWidth)),
                                  int(std::lround((v1 - v0) * textureHeight))};
            int flip = SDL_FLIP_NONE;
            if (q[0].u > q[1].u) flip |= SDL_FLIP_HORIZONTAL;
            if (q[0].v > q[2].v) flip |= SDL_FLIP_VERTICAL;
            if (surface_ && flip == SDL_FLIP_NONE) {
                BlitQuad(record->pixels, source, target, q[0].colour);
                continue;
            }
            SDL_SetTextureColorMod(sdlTexture, c.r, c.g, c.b);
            SDL_SetTextureAlphaMod(sdlTexture, c.a);
            // The flipping copy costs a software renderer a temporary surface; only mirrored quads
            // take it.
            if (flip == SDL_FLIP_NONE)
                SDL_RenderCopyF(renderer_, sdlTexture, &source, &target);
            else
                SDL_RenderCopyExF(renderer_, sdlTexture, &source, &target, 0.0, nullptr,
                                  SDL_RendererFlip(flip));
        }
        return;
    }
    if (sdlTexture) {
        SDL_SetTextureColorMod(sdlTexture, 255, 255, 255);
        SDL_SetTextureAlphaMod(sdlTexture, 255);
    }
    scratch_.resize(size_t(vertexCount));
    for (int i = 0; i < vertexCount; ++i) {
        const DeviceVertex& v = vertices[i];
        scratch_[size_t(i)] = SDL_Vertex{{v.x, v.y}, ToSdlColour(v.colour), {v.u, v.v}};
    }
    SDL_RenderGeometry(renderer_, sdlTexture, scratch_.data(), vertexCount, indices, indexCount);
}

void SdlRenderDevice::BlitQuad(const Image& texture, const SDL_Rect& source,
                               const SDL_FRect& target, std::uint32_t colour) {
    const int x0 = int(std::lround(target.x)), x1 = int(std::lround(target.x + target.w));
    const int y0 = int(std::lround(target.y)), y1 = int(std::lround(target.y + target.h));
    if (x1 <= x0 || y1 <= y0 || source.w <= 0 || source.h <= 0 || source.x < 0 || source.y < 0 ||
        source.x + source.w > texture.width || source.y + source.h > texture.height) {
        return;
    }
    int left = std::max(x0, 0), top = std::max(y0, 0), right = std::min(x1, width_),
        bottom = std::min(y1, height_);
    if (clip_) {
        left = std::max(left, clip_->left), top = std::max(top, clip_->top);
        right = std::min(right, clip_->right), bottom = std::min(bottom, clip_->bottom);
    }
    if (right <= left || bottom <= top) return;
    SDL_RenderFlush(renderer_);  // what SDL queued lies underneath
    // 16.16 steps through the source, sampling each target pixel's centre.
    const std::int64_t stepX = (std::int64_t(source.w) << 16) / (x1 - x0);
    const std::int64_t stepY = (std::int64_t(source.h) << 16) / (y1 - y0);
    const std::uint32_t ca = colour >> 24, cr = (colour >> 16) & 0xFF, cg = (colour >> 8) & 0xFF,
                        cb = colour & 0xFF;
    const bool modulate = colour != 0xFFFFFFFFu;
    // The source column of every target column is the same on each row.
    columns_.resize(size_t(right - left));
    std::int64_t sx = std::int64_t(left - x0) * stepX + stepX / 2;
    for (int& column : columns_) column = source.x + int(sx >> 16), sx += stepX;
    const bool unscaled = stepX == (std::int64_t(1) << 16);
    const bool halved = stepX == (std::int64_t(2) << 16);
    auto* base = static_cast<std::uint8_t*>(surface_->pixels);
    for (int y = top; y < bottom; ++y) {
        const int sy = source.y + int(((y - y0) * stepY + stepY / 2) >> 16);
        const std::uint32_t* row = texture.pixels.data() + size_t(sy) * size_t(texture.width);
        auto* out =
            reinterpret_cast<std::uint32_t*>(base + size_t(y) * size_t(surface_->pitch)) + left;
        size_t i = 0;
#ifdef __SSE2__
        // The frame is far larger than the caches and a quad touches only a
        // short piece of each row: ask for the rows below early, or every
        // row waits on memory.
        for (int ahead = 2; ahead <= 3; ++ahead) {
            if (y + ahead >= bottom) break;
            const auto* next = base + size_t(y + ahead) * size_t(surface_->pitch) + size_t(left) * 4;
            for (size_t offset = 0; offset < columns_.size() * 4; offset += 64) {
                _mm_prefetch(reinterpret_cast<const char*>(next + offset), _MM_HINT_T0);
            }
        }
        // Four pixels at a time with the scalar loop's exact arithmetic.
        const __m128i zero = _mm_setzero_si128(), opaque = _mm_set1_epi32(int(0xFF000000u));
        const __m128i tint = _mm_unpacklo_epi8(_mm_set1_epi32(int(colour)), zero);
        for (; i + 4 <= columns_.size(); i += 4) {
            const int* c = &columns_[i];
            // Most quads are drawn at their texture's own size: then the four
            // texels lie side by side and load at once.
            __m128i texels;
            if (unscaled) {
                texels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c[0]));
            } else if (halved && c[3] + 1 < texture.width) {
                // Icons drawn at half their size take every other texel.
                const __m128 first = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c[0])));
                const __m128 second =
                    _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + c[0] + 4)));
                texels = _mm_castps_si128(_mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0)));
            } else {
                texels = _mm_set_epi32(int(row[c[3]]), int(row[c[2]]), int(row[c[1]]), int(row[c[0]]));
            }
            const __m128i alphas = _mm_and_si128(texels, opaque);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, zero)) == 0xFFFF) continue;
            auto* target = reinterpret_cast<__m128i*>(out + i);
            const __m128i solid = _mm_cmpeq_epi32(alphas, opaque);
            if (!modulate && _mm_movemask_epi8(solid) == 0xFFFF) {
                _mm_storeu_si128(target, texels);
                continue;
            }
            // Icons are mostly fully solid or fully clear; a group made only of
            // such pixels needs a choice per pixel, not a blend (which gives
            // exactly the same result for alphas of 0 and 255).
            const __m128i clear = _mm_cmpeq_epi32(alphas, zero);
            if (!modulate && _mm_movemask_epi8(_mm_or_si128(solid, clear)) == 0xFFFF) {
                const __m128i under = _mm_loadu_si128(target);
                const __m128i chosen = _mm_or_si128(_mm_and_si128(solid, texels), _mm_andnot_si128(solid, under));
                _mm_storeu_si128(target, _mm_or_si128(chosen, opaque));
                continue;
            }
            __m128i low = _mm_unpacklo_epi8(texels, zero), high = _mm_unpackhi_epi8(texels, zero);
            if (modulate) {
                low = Div255Lanes(_mm_mullo_epi16(low, tint));
                high = Div255Lanes(_mm_mullo_epi16(high, tint));
            }
            const __m128i under = _mm_loadu_si128(target);
            const __m128i blended = _mm_packus_epi16(BlendTwo(low, _mm_unpacklo_epi8(under, zero)),
                                                     BlendTwo(high, _mm_unpackhi_epi8(under, zero)));
            _mm_storeu_si128(target, _mm_or_si128(blended, opaque));
        }
#endif
        for (; i < columns_.size(); ++i) {
            std::uint32_t texel = row[columns_[i]];
            std::uint32_t a = texel >> 24;
            if (modulate) {
                a = Div255(a * ca);
                if (a == 0) continue;
                texel = a << 24 | Div255(((texel >> 16) & 0xFF) * cr) << 16 |
                        Div255(((texel >> 8) & 0xFF) * cg) << 8 | Div255((texel & 0xFF) * cb);
            }
            if (a == 0) continue;
            if (a == 255) {
                out[i] = texel;
                continue;
            }
            const std::uint32_t d = out[i], keep = 255 - a;
            out[i] = 0xFF000000u |
                     Div255(((texel >> 16) & 0xFF) * a + ((d >> 16) & 0xFF) * keep) << 16 |
                     Div255(((texel >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * keep) << 8 |
                     Div255((texel & 0xFF) * a + (d & 0xFF) * keep);
        }
    }
}

void SdlRenderDevice::DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip) {
    if (count < 2) return;
    SetDrawColour(renderer_, colour);
    points_.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        points_[size_t(i)] = SDL_FPoint{xyPairs[2 * i], xyPairs[2 * i + 1]};
    if (strip) {
        SDL_RenderDrawLinesF(renderer_, points_.data(), count);
    } else {
        for (int i = 0; i + 1 < count; i += 2) {
            SDL_RenderDrawLineF(renderer_, points_[size_t(i)].x, points_[size_t(i)].y,
                                points_[size_t(i) + 1].x, points_[size_t(i) + 1].y);
        }
    }
}

void SdlRenderDevice::Present() {
    SDL_RenderPresent(renderer_);
}

Image SdlRenderDevice::ReadPixels() {
    Image image(width_, height_);
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, image.pixels.data(),
                             width_ * 4) != 0) {
        return {};
    }
    // The frame is what the player sees: always opaque.
    for (std::uint32_t& p : image.pixels) p |= 0xFF000000u;
    return image;
}

std::vector<DisplayMode> SdlRenderDevice::DisplayModes() const {
    std::vector<DisplayMode> modes;
    if (!window_) return modes;
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        modes.push_back(
            {mode.w, mode.h, int(SDL_BYTESPERPIXEL(mode.format)) * 8, mode.refresh_rate});
    }
    return modes;
}

std::unique_ptr<RenderDevice> CreateOffscreenDevice(int width, int height, std::string* error) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer) {
        if (error) *error = SDL_GetError();
        if (surface) SDL_FreeSurface(surface);
        return nullptr;
    }
    return std::make_unique<SdlRenderDevice>(nullptr, surface, renderer);
}

std::unique_ptr<RenderDevice> CreateWindowDevice(const std::string& title, int width, int height,
                                                 bool windowed, bool softwareOnly,
                                                 std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    const Uint32 flags = SDL_WINDOW_SHOWN | (windowed ? 0u : Uint32(SDL_WINDOW_FULLSCREEN));
    SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height, flags);
    SDL_Renderer* renderer = nullptr;
    if (window && !softwareOnly)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (window && !renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        if (error) *error = SDL_GetError();
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::make_unique<SdlRenderDevice>(window, nullptr, renderer);
}

}  // namespace platform
