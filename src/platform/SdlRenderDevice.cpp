// Drawing through SDL_Renderer, in a window or into an offscreen bitmap.
#include "platform/SdlRenderDevice.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

SDL_Color ToSdlColour(std::uint32_t argb) {
    return SDL_Color{Uint8(argb >> 16), Uint8(argb >> 8), Uint8(argb), Uint8(argb >> 24)};
}

void SetDrawColour(SDL_Renderer* renderer, std::uint32_t argb) {
    const SDL_Color c = ToSdlColour(argb);
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
}

}  // namespace

SdlRenderDevice::SdlRenderDevice(SDL_Window* window, SDL_Surface* surface, SDL_Renderer* renderer)
    : window_(window), surface_(surface), renderer_(renderer) {
    SDL_GetRendererOutputSize(renderer_, &width_, &height_);
    int logicalWidth = 0, logicalHeight = 0;
    SDL_RenderGetLogicalSize(renderer_, &logicalWidth, &logicalHeight);
    if (logicalWidth > 0 && logicalHeight > 0) {
        scaled_ = logicalWidth != width_ || logicalHeight != height_;
        width_ = logicalWidth;
        height_ = logicalHeight;
    }
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    if (surface_ && surface_->format->format == SDL_PIXELFORMAT_ARGB8888 &&
        !SDL_MUSTLOCK(surface_)) {
        blitter_ = std::make_unique<SoftwareBlitter>(static_cast<std::uint32_t*>(surface_->pixels),
                                                     surface_->w, surface_->h, surface_->pitch / 4);
    }
}

SdlRenderDevice::~SdlRenderDevice() {
    blitter_.reset();
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
    if (PresentsWithVsync()) text += ", vsync";
    if (scaled_) text += ", scaled to the window";
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
    textures_[nextTexture_] = TextureRecord{texture, false, image.width, image.height};
    if (blitter_) blitter_->AddTexture(nextTexture_, image);
    return nextTexture_++;
}

void SdlRenderDevice::DestroyTexture(DeviceTextureId texture) {
    auto it = textures_.find(texture);
    if (it == textures_.end()) return;
    SDL_DestroyTexture(it->second.texture);
    textures_.erase(it);
    if (blitter_) blitter_->RemoveTexture(texture);
}

void SdlRenderDevice::FlushBlitter() {
    if (blitter_) blitter_->Flush();
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
    if (blitter_) {
        // Like SDL's clear, the whole surface, whatever the clip.
        SDL_RenderFlush(renderer_);
        blitter_->Clear(colour);
        return;
    }
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
    int textureWidth = 0, textureHeight = 0;
    if (texture != 0) {
        auto it = textures_.find(texture);
        if (it != textures_.end()) {
            sdlTexture = it->second.texture;
            textureWidth = it->second.width;
            textureHeight = it->second.height;
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
            if (!sdlTexture && blitter_) {
                // SDL's software renderer cuts the corner and the size to whole pixels.
                const int x = int(target.x), y = int(target.y);
                const ClipRect rect{x, y, x + std::max(int(target.w), 1),
                                    y + std::max(int(target.h), 1)};
                SDL_RenderFlush(renderer_);
                blitter_->FillRect(rect, clip_, q[0].colour);
                continue;
            }
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
            if (blitter_ && flip == SDL_FLIP_NONE) {
                SDL_RenderFlush(renderer_);  // what SDL queued lies underneath
                const ClipRect pixels{int(std::lround(target.x)), int(std::lround(target.y)),
                                      int(std::lround(target.x + target.w)),
                                      int(std::lround(target.y + target.h))};
                blitter_->Blit(
                    texture, ClipRect{source.x, source.y, source.x + source.w, source.y + source.h},
                    pixels, clip_, q[0].colour);
                continue;
            }
            FlushBlitter();
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
    if (blitter_) {
        // Turned sprites, connector pieces and graph strips stay in the
        // banded frame; only corners of differing colours go to SDL.
        SDL_RenderFlush(renderer_);
        if (blitter_->DrawTriangles(texture, vertices, vertexCount, indices, indexCount, clip_))
            return;
    }
    FlushBlitter();
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

void SdlRenderDevice::DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip) {
    if (count < 2) return;
    if (blitter_) {
        SDL_RenderFlush(renderer_);
        blitter_->DrawLines(xyPairs, count, strip, clip_, colour);
        return;
    }
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
    FlushBlitter();
    SDL_RenderPresent(renderer_);
}

Image SdlRenderDevice::ReadPixels() {
    FlushBlitter();
    if (window_) return ReadScaledPixels();
    Image image(width_, height_);
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, image.pixels.data(),
                             width_ * 4) != 0) {
        return {};
    }
    // The frame is what the player sees: always opaque.
    for (std::uint32_t& p : image.pixels) p |= 0xFF000000u;
    return image;
}

Image SdlRenderDevice::ReadScaledPixels() {
    // SDL reads the picture's area at the window's resolution, which differs
    // from the picture's when the window was given another size.
    SDL_Rect viewport;
    SDL_RenderGetViewport(renderer_, &viewport);
    float scaleX = 1.0f, scaleY = 1.0f;
    SDL_RenderGetScale(renderer_, &scaleX, &scaleY);
    const int shownWidth = int(std::floor(float(viewport.w) * scaleX));
    const int shownHeight = int(std::floor(float(viewport.h) * scaleY));
    if (shownWidth <= 0 || shownHeight <= 0) return {};
    Image shown(shownWidth, shownHeight);
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, shown.pixels.data(),
                             shownWidth * 4) != 0) {
        return {};
    }
    Image image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const int sy = std::min(shownHeight - 1, y * shownHeight / height_);
        for (int x = 0; x < width_; ++x)
            image.At(x, y) = shown.At(std::min(shownWidth - 1, x * shownWidth / width_), sy) |
                             0xFF000000u;
    }
    return image;
}

int SdlRenderDevice::RefreshRate() const {
    if (!window_) return 0;
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    const int display = SDL_GetWindowDisplayIndex(window_);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) return mode.refresh_rate;
    return 0;
}

bool SdlRenderDevice::PresentsWithVsync() const {
    SDL_RendererInfo info{};
    return window_ && SDL_GetRendererInfo(renderer_, &info) == 0 &&
           (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
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
    // Full screen is the desktop's own mode: switching the display's mode
    // leaves the picture in a corner wherever a window manager or a display
    // server will not follow, and upsets the player's other windows.
    const Uint32 flags =
        SDL_WINDOW_SHOWN | (windowed ? 0u : Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP));
    SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height, flags);
    // The game draws its own pointer; two of them over the window confuse.
    if (window) SDL_ShowCursor(SDL_DISABLE);
    SDL_Renderer* renderer = nullptr;
    if (window && !softwareOnly) {
        renderer =
            SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    }
    if (window && !renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        if (error) *error = SDL_GetError();
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    // Should the window get another size than the picture's (a window
    // manager's choice, a full-screen window on another display), the whole
    // picture is scaled into it rather than cut or left in a corner.
    SDL_RenderSetLogicalSize(renderer, width, height);
    return std::make_unique<SdlRenderDevice>(window, nullptr, renderer);
}

}  // namespace platform
