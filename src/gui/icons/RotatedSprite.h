// A region of a texture drawn turned by an angle, such as a group label on
// its ring: turned once on the processor into an upright picture, so that
// every frame draws it as a plain, fast blit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Image.h"
#include "platform/RenderDevice.h"

// The region (u across all of it, v from v0 to v1) of `source` at
// width x height, turned by `degrees` (clockwise) and sampled bilinearly
// into the smallest upright picture that holds it.
platform::Image TurnImageRegion(const platform::Image& source, float v0, float v1, float width,
                                float height, float degrees);

class RotatedSprite {
public:
    RotatedSprite() = default;
    ~RotatedSprite();
    RotatedSprite(const RotatedSprite&) = delete;
    RotatedSprite& operator=(const RotatedSprite&) = delete;

    // Makes the picture, unless the same one is ready on the current device.
    void Prepare(std::string_view texture, float v0, float v1, float width, float height,
                 float degrees);
    // Centred on the point, tinted with `colour`.
    void Draw(float centreX, float centreY, std::uint32_t colour) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void Release();

    std::string texture_;
    float v0_ = 0, v1_ = 0, sourceWidth_ = 0, sourceHeight_ = 0, degrees_ = 0;
    platform::DeviceTextureId picture_ = 0;
    int generation_ = -1;
    int width_ = 0, height_ = 0;
};
