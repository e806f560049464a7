// The device that draws nothing: headless runs, and tests that only care what
// the engine asked for.
#pragma once

#include <map>

#include "platform/RenderDevice.h"

namespace platform {

class NullRenderDevice : public RenderDevice {
public:
    NullRenderDevice(int width, int height) : width_(width), height_(height) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    std::string Description() const override { return "null device"; }
    DeviceTextureId CreateTexture(const Image& image) override;
    void DestroyTexture(DeviceTextureId texture) override { textures_.erase(texture); }
    void SetLinearFiltering(bool linear) override { linear_ = linear; }
    void SetClip(const std::optional<ClipRect>&) override {}
    void Clear(std::uint32_t) override { ++clears_; }
    void DrawTriangles(DeviceTextureId texture, const DeviceVertex*, int, const int*,
                       int indexCount) override;
    void DrawLines(const float*, int count, std::uint32_t, bool strip) override;
    void Present() override { ++presents_; }
    Image ReadPixels() override { return {}; }

    // What the engine asked for, for tests.
    int TriangleDraws() const { return triangleDraws_; }
    int TrianglesDrawn() const { return trianglesDrawn_; }
    int LineDraws() const { return lineDraws_; }
    int Presents() const { return presents_; }
    int LiveTextures() const { return int(textures_.size()); }
    DeviceTextureId LastTexture() const { return lastTexture_; }
    bool IsLinearFiltering() const { return linear_; }

private:
    int width_, height_;
    std::map<DeviceTextureId, bool> textures_;
    DeviceTextureId nextTexture_ = 1;
    DeviceTextureId lastTexture_ = 0;
    bool linear_ = true;
    int triangleDraws_ = 0, trianglesDrawn_ = 0, lineDraws_ = 0, presents_ = 0, clears_ = 0;
};

}  // namespace platform
