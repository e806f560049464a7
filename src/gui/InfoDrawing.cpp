// Charts of the information windows.
#include "gui/InfoDrawing.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "gui/GUI_Graph.h"
#include "gui/GUI_InfoWindow.h"

namespace {
// Solid fills of any shape borrow the graph texture's opaque middle.
constexpr const char* kSolidTexture = "graph.dds";
constexpr float kPi = 3.14159265358979f;

Vertex Solid(float x, float y, std::uint32_t colour) {
    return Vertex{x, y, colour, 0.5f, 0.5f};
}
}  // namespace

void DrawSignedBar(const Rect& rect, float value) {
    D3DEngine& engine = D3DEngine::Instance();
    value = std::clamp(value, -1.0f, 1.0f);
    const int middle = (rect.left + rect.right) / 2;
    const int half = (rect.right - rect.left) / 2;
    engine.FillRect(rect, Skin::Instance().Get(Skin::COL_SIGNEDTRACK));
    const int reach = int(std::lround(std::fabs(value) * float(half)));
    if (value > 0.0f)
        engine.FillRect(Rect{middle, rect.top, middle + reach, rect.bottom}, info_colour::kGood);
    else if (value < 0.0f)
        engine.FillRect(Rect{middle - reach, rect.top, middle, rect.bottom}, info_colour::kBad);
    engine.FillRect(Rect{middle, rect.top - 2, middle + 1, rect.bottom + 2}, info_colour::kInk);
}

void DrawLevelBar(const Rect& rect, float fraction, std::uint32_t colour) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(rect, Skin::Instance().Get(Skin::COL_BARTRACK));
    const int filled =
        rect.left +
        int(std::lround(std::clamp(fraction, 0.0f, 1.0f) * float(rect.right - rect.left)));
    engine.FillRect(Rect{rect.left, rect.top, filled, rect.bottom}, colour);
    engine.DrawRectOutline(rect, Skin::Instance().Get(Skin::COL_BAREDGE));
}

void DrawTick(float x, float y, float size, std::uint32_t colour) {
    const float points[6] = {x + size * 0.12f, y + size * 0.55f, x + size * 0.4f,
                             y + size * 0.85f, x + size * 0.9f,  y + size * 0.15f};
    D3DEngine::Instance().SetTexture(kSolidTexture);
    D3DEngine::Instance().DrawThickLineStrip(points, 3, colour, std::max(2.0f, size * 0.16f));
}

void DrawCross(float x, float y, float size, std::uint32_t colour) {
    D3DEngine& engine = D3DEngine::Instance();
    const float thickness = std::max(2.0f, size * 0.16f);
    const float a[4] = {x + size * 0.18f, y + size * 0.18f, x + size * 0.82f, y + size * 0.82f};
    const float b[4] = {x + size * 0.82f, y + size * 0.18f, x + size * 0.18f, y + size * 0.82f};
    engine.SetTexture(kSolidTexture);
    engine.DrawThickLineStrip(a, 2, colour, thickness);
    engine.DrawThickLineStrip(b, 2, colour, thickness);
}

void FillPieSlice(float cx, float cy, float radius, float startAngle, float endAngle,
                  std::uint32_t colour) {
    if (endAngle <= startAngle || radius <= 0.0f) return;
    // Segments of at most about 3 degrees keep the rim round at any size.
    const int segments = std::max(1, int(std::ceil((endAngle - startAngle) / (kPi / 60.0f))));
    std::vector<Vertex> vertices;
    vertices.reserve(size_t(segments) + 2);
    vertices.push_back(Solid(cx, cy, colour));
    for (int i = 0; i <= segments; ++i) {
        const float angle = startAngle + (endAngle - startAngle) * float(i) / float(segments);
        vertices.push_back(
            Solid(cx + std::sin(angle) * radius, cy - std::cos(angle) * radius, colour));
    }
    std::vector<int> indices;
    indices.reserve(size_t(segments) * 3);
    for (int i = 1; i <= segments; ++i) indices.insert(indices.end(), {0, i, i + 1});
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetTexture(kSolidTexture);
    engine.DrawBoundTriangles(vertices.data(), int(vertices.size()), indices.data(),
                              int(indices.size()));
}

void DrawHistoryChart(const Rect& rect, const std::vector<ChartSeries>& series, float top) {
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    engine.FillRect(rect, skin.Get(Skin::COL_CHARTBACK));
    const std::uint32_t grid = skin.Get(Skin::COL_GRAPHGRID);
    // The graphs' grid every 10 pixels, kept inside the frame here.
    for (int y : GUI_Graph::HorizontalGridLines(rect))
        if (y >= rect.top)
            engine.DrawLine(float(rect.left), float(y), float(rect.right), float(y), grid);
    for (int x : GUI_Graph::VerticalGridLines(rect))
        if (x <= rect.right)
            engine.DrawLine(float(x), float(rect.top), float(x), float(rect.bottom), grid);
    const float width = float(rect.right - rect.left), height = float(rect.bottom - rect.top);
    for (const ChartSeries& line : series) {
        const int count = int(line.values.size());
        if (count < 2 || top <= 0.0f) continue;
        std::vector<float> points;
        points.reserve(size_t(count) * 2);
        for (int k = 0; k < count; ++k) {
            const float fraction = std::clamp(line.values[size_t(k)] / top, 0.0f, 1.0f);
            points.push_back(float(rect.right) - float(k) * width / float(count - 1));
            points.push_back(float(rect.bottom) - fraction * height);
        }
        engine.SetTexture("graph.dds");
        engine.DrawThickLineStrip(points.data(), count, line.colour, 3.0f);
    }
    engine.DrawRectOutline(rect, skin.Get(Skin::COL_GRAPHFRAME));
}

void DrawSeatBar(const Rect& rect, int held, int total, int needed) {
    if (total <= 0) return;
    DrawLevelBar(rect, float(held) / float(total),
                 held >= needed ? info_colour::kGood : info_colour::kBad);
    const int mark =
        rect.left + int(std::lround(float(needed) / float(total) * float(rect.right - rect.left)));
    D3DEngine::Instance().FillRect(Rect{mark, rect.top - 3, mark + 2, rect.bottom + 3},
                                   info_colour::kInk);
}

void DrawFireworks(const Rect& area, int frame) {
    constexpr int kBursts = 5;
    constexpr int kLife = 48;
    // Group colours: the first, second, fourth, seventh and third.
    constexpr int kGroups[kBursts] = {0, 1, 3, 6, 2};
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetTexture("firework.dds");
    const float width = float(area.right - area.left), height = float(area.bottom - area.top);
    for (int i = 0; i < kBursts; ++i) {
        const int age = (frame + i * kLife / kBursts) % kLife;
        const int round = (frame + i * kLife / kBursts) / kLife;
        // A fixed scatter of places that moves on with every round.
        const unsigned seed = unsigned(i * 7919 + round * 104729);
        const float fx = float((seed * 2654435761u) >> 16 & 0xFFFF) / 65535.0f;
        const float fy = float((seed * 2246822519u) >> 16 & 0xFFFF) / 65535.0f;
        const float t = float(age) / float(kLife);
        const float size = (0.3f + 0.7f * t) * std::min(width, height) * 0.35f;
        const int alpha = int((1.0f - t) * 255.0f);
        Sprite sprite;
        sprite.SetSize(size, size);
        sprite.SetPosition(float(area.left) + fx * width, float(area.top) + fy * height * 0.6f);
        sprite.SetColour(WithAlpha(Skin::Instance().GroupColour(kGroups[i]), std::uint32_t(alpha)));
        sprite.Draw();
    }
}
