// The drawing surface under the rendering engine: textures, coloured triangle
// lists, lines, clearing and presenting. The engine keeps the game's rules
// (registry, bind check, quad geometry); a device only draws what it is given,
// so a window, an offscreen bitmap and a null device are interchangeable.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Image.h"

namespace platform {

// A screen-space vertex: position in pixels, ARGB colour, texture coordinates.
struct DeviceVertex {
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t colour = 0xFFFFFFFF;
    float u = 0.0f;
    float v = 0.0f;
};

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshRate = 0;
};

struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// 0 is "no texture".
using DeviceTextureId = std::uint32_t;

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The driver's name, for the engine log.
    virtual std::string Description() const = 0;

    // Uploads an ARGB image; 0 when the device cannot hold it.
    virtual DeviceTextureId CreateTexture(const Image& image) = 0;
    virtual void DestroyTexture(DeviceTextureId texture) = 0;

    // Linear or nearest sampling for the following draws.
    virtual void SetLinearFiltering(bool linear) = 0;
    virtual void SetClip(const std::optional<ClipRect>& clip) = 0;

    virtual void Clear(std::uint32_t colour) = 0;
    // A triangle list with straight alpha blending; texture 0 draws colours only.
    virtual void DrawTriangles(DeviceTextureId texture, const DeviceVertex* vertices,
                               int vertexCount, const int* indices, int indexCount) = 0;
    // One-pixel lines through `count` points: a strip, or separate pairs.
    virtual void DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip) = 0;

    virtual void Present() = 0;
    // What has been drawn since the last clear; empty when the device keeps nothing.
    virtual Image ReadPixels() = 0;

    virtual std::vector<DisplayMode> DisplayModes() const { return {}; }
    // Frames a second of the display the picture is shown on; 0 when it does
    // not say (offscreen, or a driver that does not know).
    virtual int RefreshRate() const { return 0; }
    // True when presenting waits for the display's refresh.
    virtual bool PresentsWithVsync() const { return false; }
};

// Draws nothing and remembers only counts; headless runs and tests use it.
std::unique_ptr<RenderDevice> CreateNullDevice(int width, int height);

// Draws into memory with SDL's software renderer: the same pixels on every
// machine, so screenshots and golden images are stable. Null on failure.
std::unique_ptr<RenderDevice> CreateOffscreenDevice(int width, int height,
                                                    std::string* error = nullptr);

// Opens a window; `softwareOnly` skips the accelerated renderer. Null on failure.
// Full screen covers the desktop at its own size without changing the display
// mode; a picture of another size is scaled to fit, keeping its proportions.
// The system pointer is hidden over the window: the game draws its own.
std::unique_ptr<RenderDevice> CreateWindowDevice(const std::string& title, int width, int height,
                                                 bool windowed, bool softwareOnly,
                                                 std::string* error = nullptr);

}  // namespace platform
