// The device that draws nothing.
#include "platform/NullRenderDevice.h"

namespace platform {

DeviceTextureId NullRenderDevice::CreateTexture(const Image& image) {
    if (image.IsEmpty()) return 0;
    textures_[nextTexture_] = true;
    return nextTexture_++;
}

void NullRenderDevice::DrawTriangles(DeviceTextureId texture, const DeviceVertex*, int, const int*,
                                     int indexCount) {
    ++triangleDraws_;
    trianglesDrawn_ += indexCount / 3;
    lastTexture_ = texture;
}

void NullRenderDevice::DrawLines(const float*, int count, std::uint32_t, bool) {
    if (count >= 2) ++lineDraws_;
}

std::unique_ptr<RenderDevice> CreateNullDevice(int width, int height) {
    return std::make_unique<NullRenderDevice>(width, height);
}

}  // namespace platform
