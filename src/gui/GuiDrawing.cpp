// Gradients and outlined boxes.
#include "gui/GuiDrawing.h"

#include "engine/D3DEngine.h"

std::uint32_t BlendColour(std::uint32_t from, std::uint32_t to, float t) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float a = float(from >> shift & 0xFF), b = float(to >> shift & 0xFF);
        out |= std::uint32_t(a + (b - a) * t + 0.5f) << shift;
    }
    return out;
}

void FillVerticalGradient(const Rect& rect, std::uint32_t top, std::uint32_t bottom) {
    const int rows = rect.bottom - rect.top;
    D3DEngine& engine = D3DEngine::Instance();
    for (int row = 0; row < rows; ++row) {
        const float t = rows > 1 ? float(row) / float(rows - 1) : 0.0f;
        engine.FillRect(Rect{rect.left, rect.top + row, rect.right, rect.top + row + 1},
                        BlendColour(top, bottom, t));
    }
}

void FillOutlined(const Rect& rect, std::uint32_t fill, std::uint32_t outline) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(rect, fill);
    engine.DrawRectOutline(rect, outline);
}
