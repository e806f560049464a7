// Stands between the engine and a window's device: while closed, a frame is
// worked out (its signature still tells whether the picture changed) but
// nothing is drawn or presented, which on a software renderer is nearly the
// whole cost of a frame that shows the same picture again.
#pragma once

#include <memory>

#include "platform/RenderDevice.h"

class DrawGate : public platform::RenderDevice {
public:
    explicit DrawGate(std::unique_ptr<platform::RenderDevice> inner) : inner_(std::move(inner)) {}

    void SetOpen(bool open) { open_ = open; }
    bool IsOpen() const { return open_; }
    // Frames presented through the gate.
    long FramesPresented() const { return presented_; }

    int Width() const override { return inner_->Width(); }
    int Height() const override { return inner_->Height(); }
    std::string Description() const override { return inner_->Description(); }
    platform::DeviceTextureId CreateTexture(const platform::Image& image) override {
        return inner_->CreateTexture(image);
    }
    void DestroyTexture(platform::DeviceTextureId texture) override {
        inner_->DestroyTexture(texture);
    }
    void SetLinearFiltering(bool linear) override { inner_->SetLinearFiltering(linear); }
    void SetClip(const std::optional<platform::ClipRect>& clip) override { inner_->SetClip(clip); }
    void Clear(std::uint32_t colour) override {
        if (open_) inner_->Clear(colour);
    }
    void DrawTriangles(platform::DeviceTextureId texture, const platform::DeviceVertex* vertices,
                       int vertexCount, const int* indices, int indexCount) override {
        if (open_) inner_->DrawTriangles(texture, vertices, vertexCount, indices, indexCount);
    }
    void DrawLines(const float* xyPairs, int count, std::uint32_t colour, bool strip) override {
        if (open_) inner_->DrawLines(xyPairs, count, colour, strip);
    }
    void Present() override {
        if (!open_) return;
        inner_->Present();
        ++presented_;
    }
    platform::Image ReadPixels() override { return inner_->ReadPixels(); }
    std::vector<platform::DisplayMode> DisplayModes() const override {
        return inner_->DisplayModes();
    }
    int RefreshRate() const override { return inner_->RefreshRate(); }
    bool PresentsWithVsync() const override { return inner_->PresentsWithVsync(); }

private:
    std::unique_ptr<platform::RenderDevice> inner_;
    bool open_ = true;
    long presented_ = 0;
};
