// Screen-space quads, rectangles and ARGB colours: the drawing unit of every
// GUI element and icon, kept apart from the engine so widgets can place and
// hit-test sprites without a device.
#pragma once

#include <array>
#include <cstdint>

#include "platform/RenderDevice.h"

using Vertex = platform::DeviceVertex;

// Left, top, right, bottom in whole pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

constexpr std::uint32_t PackColour(int a, int r, int g, int b) {
    return (std::uint32_t(a & 0xFF) << 24) | (std::uint32_t(r & 0xFF) << 16) |
           (std::uint32_t(g & 0xFF) << 8) | std::uint32_t(b & 0xFF);
}
// The tint that draws a texture as it is.
constexpr std::uint32_t kUntinted = 0xFFFFFFFFu;

// The screen size that sprites test themselves against, set by the engine.
void SetScreenSize(float width, float height);
float ScreenWidth();
float ScreenHeight();

class Sprite {
public:
    Sprite();
    explicit Sprite(const Rect& rect);
    virtual ~Sprite() = default;

    // Half-open on the right and bottom; ignores rotation.
    virtual bool Contains(float x, float y) const;
    // Places the quad centred on (cx, cy), rotated by the angle unless forced axis-aligned.
    virtual void SetPosition(float cx, float cy);
    // Draws with whatever texture is bound; does nothing off screen. Returns 0.
    virtual int Draw();
    int DrawUnchecked();

    void SetSize(float width, float height) { width_ = width, height_ = height; }
    void SetAngle(float degrees) { angle_ = degrees; }
    void ForceAxisAligned(bool forced) { axisAligned_ = forced; }
    void SetColour(std::uint32_t argb);
    void SetColour(int a, int r, int g, int b) { SetColour(PackColour(a, r, g, b)); }
    void SetUV(float u0, float v0, float u1, float v1);
    void MirrorHorizontally();
    // One cell of a square grid of animation frames.
    void SetFrame(int frameCount, int frameIndex);
    bool IsOnScreen() const;

    float Width() const { return width_; }
    float Height() const { return height_; }
    float Angle() const { return angle_; }
    // Top-left, top-right, bottom-left, bottom-right.
    const std::array<Vertex, 4>& Vertices() const { return vertices_; }

private:
    float angle_ = 0.0f;
    float width_ = 0.0f;
    float height_ = 0.0f;
    std::array<Vertex, 4> vertices_;
    bool axisAligned_ = false;
};
