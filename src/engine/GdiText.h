// Interface text in the installed system fonts: a cache of fonts by face and
// height, word-wrapped drawing and measuring, and a queue drawn once at the
// end of the frame. Game text is Windows-1252 and is converted here.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RenderDevice.h"
#include "platform/SystemFont.h"

class GdiText {
public:
    enum Alignment { kLeft = 0, kCentre = 1, kRight = 2 };
    // Wrapped text is drawn inside a box this tall below its top.
    static constexpr int kWrapBoxHeight = 512;

    static GdiText& Instance();

    // Bracket every measuring and drawing call; the scene is closed meanwhile.
    void BeginGdiText();
    void EndGdiText();

    void SetTextColour(int red, int green, int blue);
    // Creates each face and height once; the italic flag is not part of the key.
    void SelectFont(std::string_view face, int height, bool italic = false);

    // Width 0 draws one line; otherwise the text wraps at the width.
    void DrawGdiText(float x, float y, std::string_view text, float width);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text, int width);

    // Size -1 takes the default font. Queued text is drawn in `colour`
    // (white unless given), whatever colour is current at the flush.
    void QueueText(float x, float y, std::string_view text, std::string_view face, int size,
                   float width, int alignment, std::uint32_t colour = 0xFFFFFFFF);
    void FlushTextQueue();

    int FontsCreated() const { return int(fonts_.size()); }
    // One line for each face asked for that resolved to another face, in the
    // order they were first asked for; kept across Reset.
    const std::vector<std::string>& Substitutions() const { return substitutions_; }
    size_t QueuedCount() const { return queue_.size(); }
    // Drops every font and cached line, as after the device was released.
    void Reset();

private:
    struct CachedFont {
        std::string face;
        int height = 0;
        std::unique_ptr<platform::SystemFont> font;
    };
    struct CachedLine {
        platform::DeviceTextureId texture = 0;
        int width = 0, height = 0;
        double lastFrame = 0.0;
    };
    struct QueuedText {
        std::string text;
        float x = 0, y = 0, width = 0;
        std::string face;
        int size = -1;
        bool italic = false;
        int alignment = kLeft;
        std::uint32_t colour = 0xFFFFFFFF;
    };

    GdiText() = default;
    void DrawLine(const std::string& utf8, float x, float y);
    void TrimLineCache();

    std::deque<CachedFont> fonts_;  // a deque keeps the selected font's address
    CachedFont* selected_ = nullptr;
    std::uint32_t colour_ = 0xFFFFFFFF;
    // Rasterised lines by font and text: interface text repeats every frame.
    std::map<std::pair<const platform::SystemFont*, std::string>, CachedLine> lines_;
    std::deque<QueuedText> queue_;
    bool reopenScene_ = false;
    std::set<std::string> facesChecked_;
    std::vector<std::string> substitutions_;
    int deviceGeneration_ = -1;
};
