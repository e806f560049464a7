// The SDL_Renderer device: a window (accelerated, or software as the fallback)
// or an offscreen bitmap drawn by SDL's software renderer.
#pragma once

#include <SDL.h>

#include <memory>
#include <unordered_map>

#include "platform/RenderDevice.h"
#include "platform/SoftwareBlitter.h"

namespace platform {

class SdlRenderDevice : public RenderDevice {
public:
    // Takes ownership of whichever of the three it is given.
    SdlRenderDevice(SDL_Window* window, SDL_Surface* surface, SDL_Renderer* renderer);
    ~SdlRenderDevice() override;
    SdlRenderDevice(const SdlRenderDevice&) = delete;
    SdlRenderDevice& operator=(const SdlRenderDevice&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    std::string Description() const override;
    DeviceTextureId CreateTexture(const Image& image) override;
    void DestroyTexture(DeviceTextureId texture) override;
    void SetLinearFiltering(bool linear) override { linear_ = linear; }
    void SetClip(const std::optional<ClipRect>& clip) override;
    void Clear(std::uint32_t colour) override;
    void DrawTriangles(DeviceTextureId texture, const DeviceVertex* vertices, int vertexCount,
                       const int* indices, int indexCount) override;
    void DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip) override;
    void Present() override;
    Image ReadPixels() override;
    std::vector<DisplayMode> DisplayModes() const override;
    int RefreshRate() const override;
    bool PresentsWithVsync() const override;

private:
    struct TextureRecord {
        SDL_Texture* texture = nullptr;
        bool linear = false;
        int width = 0, height = 0;
    };

    // Whatever the blitter keeps waiting goes into the surface before SDL draws on it.
    void FlushBlitter();
    // A window's frame, read at the window's size and brought back to the picture's.
    Image ReadScaledPixels();

    SDL_Window* window_;
    SDL_Surface* surface_;
    SDL_Renderer* renderer_;
    int width_ = 0, height_ = 0;
    // The picture was scaled to the window from the start.
    bool scaled_ = false;
    bool linear_ = true;
    std::unordered_map<DeviceTextureId, TextureRecord> textures_;
    DeviceTextureId nextTexture_ = 1;
    std::vector<SDL_Vertex> scratch_;
    std::vector<SDL_FPoint> points_;
    std::optional<ClipRect> clip_;
    // Offscreen only: upright quads, sampled nearest, go straight into the
    // surface, far cheaper than SDL's per-copy set-up in the software renderer.
    std::unique_ptr<SoftwareBlitter> blitter_;
};

}  // namespace platform
