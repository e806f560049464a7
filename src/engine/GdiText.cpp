// System-font text: font cache, wrapping, the line-texture cache and the queue.
#include "engine/GdiText.h"

#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/DebugLog.h"
#include "engine/TextWrap.h"
#include "platform/TextEncoding.h"

namespace {

// Lines not drawn in the current frame are dropped once the cache holds more.
constexpr size_t kLineCacheLimit = 2048;

}  // namespace

GdiText& GdiText::Instance() {
    static GdiText text;
    return text;
}

void GdiText::BeginGdiText() {
    D3DEngine& engine = D3DEngine::Instance();
    reopenScene_ = true;
    if (engine.IsInScene()) engine.EndRender();
    colour_ = 0xFFFFFFFF;
}

void GdiText::EndGdiText() {
    if (reopenScene_) D3DEngine::Instance().BeginRender();
    reopenScene_ = false;
}

void GdiText::SetTextColour(int red, int green, int blue) {
    colour_ = PackColour(255, red, green, blue);
}

void GdiText::SelectFont(std::string_view face, int height, bool italic) {
    for (CachedFont& cached : fonts_) {
        if (cached.face == face && cached.height == height) {
            selected_ = &cached;
            return;
        }
    }
    std::string error;
    CachedFont cached{
        std::string(face), height,
        platform::SystemFont::Open(platform::Cp1252ToUtf8(face), height, italic, &error)};
    if (!cached.font)
        Log("font '" + std::string(face) + "' " + std::to_string(height) + ": " + error);
    // A missing face still draws, in another face: say once which package it wants.
    if (facesChecked_.insert(cached.face).second) {
        std::string substitution = platform::FaceSubstitution(platform::Cp1252ToUtf8(face), italic);
        if (!substitution.empty()) {
            Log(substitution);
            substitutions_.push_back(std::move(substitution));
        }
    }
    fonts_.push_back(std::move(cached));
    Log("Created a font");
    selected_ = &fonts_.back();
}

int GdiText::TextWidth(std::string_view text) {
    if (!selected_ || !selected_->font) return 0;
    return selected_->font->TextWidth(platform::Cp1252ToUtf8(text));
}

int GdiText::TextHeight(std::string_view text, int width) {
    if (!selected_ || !selected_->font) return 0;
    const platform::SystemFont& font = *selected_->font;
    const auto lines = WrapText(platform::Cp1252ToUtf8(text), width,
                                [&](std::string_view line) { return font.TextWidth(line); });
    return std::min(int(lines.size()) * font.LineHeight(), kWrapBoxHeight);
}

void GdiText::DrawLine(const std::string& utf8, float x, float y) {
    if (utf8.empty()) return;
    D3DEngine& engine = D3DEngine::Instance();
    const platform::SystemFont* font = selected_->font.get();
    auto [it, isNew] = lines_.try_emplace({font, utf8});
    CachedLine& line = it->second;
    if (isNew) {
        const platform::Image image = font->Render(utf8);
        line.texture = engine.CreateDeviceTexture(image);
        line.width = image.width;
        line.height = image.height;
    }
    line.lastFrame = engine.FramesFlipped();
    if (line.texture == 0) return;
    engine.DrawDeviceTexture(line.texture, std::trunc(x), std::trunc(y), float(line.width),
                             float(line.height), colour_);
}

void GdiText::DrawGdiText(float x, float y, std::string_view text, float width) {
    if (!selected_ || !selected_->font) {
        Log((width != 0 ? "DrawText failed: " : "RenderText failed: ") + std::string(text));
        return;
    }
    TrimLineCache();
    const std::string utf8 = platform::Cp1252ToUtf8(text);
    if (width == 0) {
        DrawLine(utf8, x, y);
        return;
    }
    const platform::SystemFont& font = *selected_->font;
    const int left = int(x), top = int(y);
    const auto lines =
        WrapText(utf8, int(width), [&](std::string_view line) { return font.TextWidth(line); });
    D3DEngine::Instance().SetClip(Rect{left, top, left + int(width), top + kWrapBoxHeight});
    float lineTop = float(top);
    for (const std::string& line : lines) {
        if (lineTop >= float(top + kWrapBoxHeight)) break;
        DrawLine(line, float(left), lineTop);
        lineTop += float(font.LineHeight());
    }
    D3DEngine::Instance().SetClip(std::nullopt);
}

void GdiText::QueueText(float x, float y, std::string_view text, std::string_view face, int size,
                        float width, int alignment, std::uint32_t colour) {
    queue_.push_back(QueuedText{std::string(text), x, y, width, std::string(face), size, false,
                                alignment, colour});
}

void GdiText::FlushTextQueue() {
    BeginGdiText();
    while (!queue_.empty()) {
        const QueuedText entry = std::move(queue_.front());
        queue_.pop_front();
        if (entry.size == -1)
            SelectFont("", 0, false);
        else
            SelectFont(entry.face, entry.size, entry.italic);
        colour_ = entry.colour;
        float x = entry.x;
        if (entry.alignment == kCentre)
            x = entry.x + entry.width / 2 - float(TextWidth(entry.text)) / 2;
        else if (entry.alignment == kRight)
            x = entry.x + entry.width - float(TextWidth(entry.text));
        DrawGdiText(x, entry.y, entry.text, entry.width);
    }
    EndGdiText();
}

void GdiText::TrimLineCache() {
    // Textures of a released device are gone; forget the lines drawn with them.
    if (deviceGeneration_ != D3DEngine::Instance().DeviceGeneration()) {
        lines_.clear();
        deviceGeneration_ = D3DEngine::Instance().DeviceGeneration();
    }
    if (lines_.size() <= kLineCacheLimit) return;
    const double frame = D3DEngine::Instance().FramesFlipped();
    for (auto it = lines_.begin(); it != lines_.end();) {
        if (it->second.lastFrame < frame) {
            D3DEngine::Instance().DestroyDeviceTexture(it->second.texture);
            it = lines_.erase(it);
        } else {
            ++it;
        }
    }
}

void GdiText::Reset() {
    for (auto& [key, line] : lines_) D3DEngine::Instance().DestroyDeviceTexture(line.texture);
    lines_.clear();
    fonts_.clear();
    selected_ = nullptr;
    queue_.clear();
    // Its log may be a new file: each stand-in is named there again.
    substitutions_.clear();
    facesChecked_.clear();
}
