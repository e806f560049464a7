// Turned pictures.
#include "gui/icons/RotatedSprite.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"

namespace {

// Premultiplied channels of a texel, so that blending at the edges of the
// glyphs never darkens them.
struct Texel {
    float a = 0, r = 0, g = 0, b = 0;
};

// Rows outside the region (the texture's other labels) count as clear.
Texel Fetch(const platform::Image& image, int x, int y, int firstRow, int lastRow) {
    if (x < 0 || y < firstRow || x >= image.width || y > lastRow) return {};
    const std::uint32_t p = image.At(x, y);
    const float a = float(p >> 24) / 255.0f;
    return {a, float(p >> 16 & 0xFF) * a, float(p >> 8 & 0xFF) * a, float(p & 0xFF) * a};
}

Texel Bilinear(const platform::Image& image, float x, float y, int firstRow, int lastRow) {
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = x - float(x0), fy = y - float(y0);
    const Texel t[4] = {Fetch(image, x0, y0, firstRow, lastRow),
                        Fetch(image, x0 + 1, y0, firstRow, lastRow),
                        Fetch(image, x0, y0 + 1, firstRow, lastRow),
                        Fetch(image, x0 + 1, y0 + 1, firstRow, lastRow)};
    const float w[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
    Texel out;
    for (int i = 0; i < 4; ++i) {
        out.a += t[i].a * w[i];
        out.r += t[i].r * w[i];
        out.g += t[i].g * w[i];
        out.b += t[i].b * w[i];
    }
    return out;
}

std::uint32_t Straight(const Texel& t) {
    if (t.a <= 0.0f) return 0;
    auto channel = [&](float c) { return std::uint32_t(std::clamp(c / t.a, 0.0f, 255.0f) + 0.5f); };
    const std::uint32_t a = std::uint32_t(std::clamp(t.a * 255.0f, 0.0f, 255.0f) + 0.5f);
    return a << 24 | channel(t.r) << 16 | channel(t.g) << 8 | channel(t.b);
}

}  // namespace

platform::Image TurnImageRegion(const platform::Image& source, float v0, float v1, float width,
                                float height, float degrees) {
    const float radians = degrees * 0.017453292f;
    const float c = std::cos(radians), s = std::sin(radians);
    // A hair below each size, so that rounding in a right angle's sine or
    // cosine does not add a column.
    const int outWidth = int(std::ceil(std::fabs(width * c) + std::fabs(height * s) - 1e-3f)) + 2;
    const int outHeight = int(std::ceil(std::fabs(width * s) + std::fabs(height * c) - 1e-3f)) + 2;
    platform::Image out(outWidth, outHeight, 0);
    if (source.IsEmpty() || width <= 0 || height <= 0) return out;
    const float regionTop = v0 * float(source.height);
    const float regionHeight = (v1 - v0) * float(source.height);
    const float scaleX = float(source.width) / width, scaleY = regionHeight / height;
    const int firstRow = int(std::lround(regionTop));
    const int lastRow = int(std::lround(regionTop + regionHeight)) - 1;
    for (int y = 0; y < outHeight; ++y) {
        for (int x = 0; x < outWidth; ++x) {
            // Back from the upright picture into the unturned region.
            const float dx = float(x) + 0.5f - float(outWidth) / 2.0f;
            const float dy = float(y) + 0.5f - float(outHeight) / 2.0f;
            const float lx = dx * c + dy * s + width / 2.0f;
            const float ly = -dx * s + dy * c + height / 2.0f;
            if (lx < -1.0f || ly < -1.0f || lx > width + 1.0f || ly > height + 1.0f) continue;
            const float sx = lx * scaleX - 0.5f;
            const float sy = regionTop + ly * scaleY - 0.5f;
            out.At(x, y) = Straight(Bilinear(source, sx, sy, firstRow, lastRow));
        }
    }
    return out;
}

RotatedSprite::~RotatedSprite() {
    Release();
}

void RotatedSprite::Release() {
    D3DEngine& engine = D3DEngine::Instance();
    // A released device took its textures with it.
    if (picture_ != 0 && engine.IsInitialised() && generation_ == engine.DeviceGeneration())
        engine.DestroyDeviceTexture(picture_);
    picture_ = 0;
}

void RotatedSprite::Prepare(std::string_view texture, float v0, float v1, float width, float height,
                            float degrees) {
    D3DEngine& engine = D3DEngine::Instance();
    if (picture_ != 0 && generation_ == engine.DeviceGeneration() && texture == texture_ &&
        v0 == v0_ && v1 == v1_ && width == sourceWidth_ && height == sourceHeight_ &&
        degrees == degrees_)
        return;
    Release();
    texture_ = std::string(texture);
    v0_ = v0, v1_ = v1, sourceWidth_ = width, sourceHeight_ = height, degrees_ = degrees;
    const D3DEngine::TextureEntry* entry = engine.GetTexture(texture);
    if (!entry) return;
    const platform::Image picture = TurnImageRegion(entry->image, v0, v1, width, height, degrees);
    width_ = picture.width;
    height_ = picture.height;
    picture_ = engine.CreateDeviceTexture(picture);
    generation_ = engine.DeviceGeneration();
}

void RotatedSprite::Draw(float centreX, float centreY, std::uint32_t colour) const {
    if (picture_ == 0) return;
    D3DEngine::Instance().DrawDeviceTexture(picture_, std::trunc(centreX - float(width_) / 2.0f),
                                            std::trunc(centreY - float(height_) / 2.0f),
                                            float(width_), float(height_), colour);
}
