// Sprite placement, texture coordinates and the on-screen test.
#include "engine/Sprite.h"

#include <cmath>

#include "engine/D3DEngine.h"

namespace {
float g_screenWidth = 800.0f;
float g_screenHeight = 600.0f;
}  // namespace

void SetScreenSize(float width, float height) {
    g_screenWidth = width;
    g_screenHeight = height;
}
float ScreenWidth() {
    return g_screenWidth;
}
float ScreenHeight() {
    return g_screenHeight;
}

Sprite::Sprite() {
    SetUV(0.0f, 0.0f, 1.0f, 1.0f);
}

Sprite::Sprite(const Rect& rect) : Sprite() {
    width_ = float(rect.right - rect.left);
    height_ = float(rect.bottom - rect.top);
    SetPosition(float((rect.left + rect.right) / 2), float((rect.top + rect.bottom) / 2));
}

bool Sprite::Contains(float x, float y) const {
    return x >= vertices_[0].x && x < vertices_[1].x && y >= vertices_[0].y && y < vertices_[2].y;
}

void Sprite::SetPosition(float cx, float cy) {
    const float hw = width_ / 2.0f, hh = height_ / 2.0f;
    const float offsets[4][2] = {{-hw, -hh}, {hw, -hh}, {-hw, hh}, {hw, hh}};
    const bool rotated = angle_ != 0.0f && !axisAligned_;
    const float radians = angle_ * 0.017453292f;
    const float s = rotated ? std::sin(radians) : 0.0f, c = rotated ? std::cos(radians) : 1.0f;
    for (int i = 0; i < 4; ++i) {
        const float dx = offsets[i][0], dy = offsets[i][1];
        vertices_[size_t(i)].x = cx + dx * c - dy * s;
        vertices_[size_t(i)].y = cy + dx * s + dy * c;
    }
}

int Sprite::Draw() {
    if (!IsOnScreen()) return 0;
    return D3DEngine::Instance().DrawSprite(*this, true);
}

int Sprite::DrawUnchecked() {
    return D3DEngine::Instance().DrawSprite(*this, false);
}

void Sprite::SetColour(std::uint32_t argb) {
    for (Vertex& v : vertices_) v.colour = argb;
}

void Sprite::SetUV(float u0, float v0, float u1, float v1) {
    vertices_[0].u = u0, vertices_[0].v = v0;
    vertices_[1].u = u1, vertices_[1].v = v0;
    vertices_[2].u = u0, vertices_[2].v = v1;
    vertices_[3].u = u1, vertices_[3].v = v1;
}

void Sprite::MirrorHorizontally() {
    std::swap(vertices_[0].u, vertices_[1].u);
    std::swap(vertices_[2].u, vertices_[3].u);
}

void Sprite::SetFrame(int frameCount, int frameIndex) {
    const int n = std::max(1, int(std::sqrt(float(std::max(frameCount, 1)))));
    const int column = frameIndex % n, row = frameIndex / n;
    SetUV(float(column) / n, float(row) / n, float(column + 1) / n, float(row + 1) / n);
}

bool Sprite::IsOnScreen() const {
    for (const Vertex& v : vertices_) {
        if (v.x >= 0.0f && v.x <= g_screenWidth && v.y >= 0.0f && v.y <= g_screenHeight)
            return true;
    }
    return false;
}
