// The offscreen device fills rectangles itself; a window on SDL's software
// renderer fills them with SDL. Both must give the same pixels, edges included.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/RenderDevice.h"

namespace {

void Fill(platform::RenderDevice& device, float left, float top, float right, float bottom,
          std::uint32_t colour) {
    const platform::DeviceVertex quad[4] = {
        {left, top, colour}, {right, top, colour}, {left, bottom, colour}, {right, bottom, colour}};
    const int indices[6] = {0, 1, 2, 2, 1, 3};
    device.DrawTriangles(0, quad, 4, indices, 6);
}

// Every background level under every alpha: a grey ramp across, one row per alpha.
void DrawRamps(platform::RenderDevice& device) {
    device.Clear(0xFF000000u);
    const platform::DeviceVertex ramp[4] = {
        {0, 0, 0xFF000000u}, {256, 0, 0xFFFFFFFFu}, {0, 256, 0xFF000000u}, {256, 256, 0xFFFFFFFFu}};
    const int indices[6] = {0, 1, 2, 2, 1, 3};
    device.DrawTriangles(0, ramp, 4, indices, 6);
    for (std::uint32_t alpha = 1; alpha < 256; ++alpha) {
        const float y = float(alpha);
        Fill(device, 0.0f, y, 256.0f, y + 1.0f, alpha << 24 | (alpha * 0x9E3779u & 0xFFFFFF));
    }
}

// Panels, shadows and slivers, some half off the frame, some clipped, drawn
// after a clear and then again over the finished frame.
void DrawFills(platform::RenderDevice& device, bool clear) {
    if (clear) device.Clear(0xFF2E3A4Bu);
    Fill(device, 3.7f, 2.2f, 14.3f, 12.9f, 0xFFF4F1EAu);
    Fill(device, -5.5f, 20.0f, 9.6f, 30.0f, 0x800072B2u);
    Fill(device, 30.0f, -3.2f, 30.4f, 8.0f, 0xC0D55E00u);  // thinner than a pixel
    Fill(device, 20.0f, 10.0f, 90.0f, 60.0f, 0x40000000u);
    device.SetClip(platform::ClipRect{10, 15, 40, 35});
    Fill(device, 0.0f, 0.0f, 64.0f, 48.0f, 0x6020A040u);
    device.SetClip(platform::ClipRect{50, 5, 45, 30});  // empty: draws nothing
    Fill(device, 0.0f, 0.0f, 64.0f, 48.0f, 0xFFFFFFFFu);
    device.SetClip(std::nullopt);
    Fill(device, 44.9f, 40.1f, 63.99f, 47.5f, 0xFF000000u);
    Fill(device, 2.0f, 40.0f, 12.0f, 46.0f, 0x00FFFFFFu);  // clear: leaves the frame alone
}

}  // namespace

TEST(OffscreenDevice, FillsMatchSdlsSoftwareRendererPixelForPixel) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    auto window = platform::CreateWindowDevice("fills", 256, 256, true, true, &error);
    ASSERT_NE(window, nullptr) << error;
    auto offscreen = platform::CreateOffscreenDevice(256, 256, &error);
    ASSERT_NE(offscreen, nullptr) << error;
    for (int round = 0; round < 3; ++round) {
        for (platform::RenderDevice* device : {window.get(), offscreen.get()}) {
            if (round == 0)
                DrawRamps(*device);
            else
                DrawFills(*device, round == 1);
        }
        const platform::Image expected = window->ReadPixels(), actual = offscreen->ReadPixels();
        ASSERT_EQ(actual.width, expected.width);
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x)
                ASSERT_EQ(actual.At(x, y), expected.At(x, y)) << x << "," << y << " in " << round;
        }
    }
}
