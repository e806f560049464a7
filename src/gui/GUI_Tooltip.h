// The small text box that appears when the pointer rests on an element and
// fades out when it leaves; the floating layer draws it above everything.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "gui/GUI_BaseElement.h"

struct TooltipPosition {
    int x = 0;
    int y = 0;
};

// Beside the pointer, flipped to its left or above it where the box would run
// off the right or bottom edge, and never at a negative position.
TooltipPosition PlaceTooltipAtMouse(float mouseX, float mouseY, int width, int height,
                                    int screenWidth, int screenHeight);
// Moved just enough to lie wholly on screen (where it fits at all).
TooltipPosition KeepOnScreen(int x, int y, int width, int height, int screenWidth,
                             int screenHeight);

class GUI_Tooltip : public GUI_BaseElement {
public:
    static constexpr int kMaxWidth = 240;
    static constexpr size_t kMaxText = 1023;

    GUI_Tooltip(std::string_view text, int delayFrames);
    ~GUI_Tooltip() override;

    // Measures the box: one line up to 240 pixels, wrapped below that.
    void SetText(std::string_view text);
    const std::string& Text() const { return text_; }

    // The pointer is over the owner: show once it has rested long enough.
    void Arm(int stillFrames);
    void PlaceAtMouse(float mouseX, float mouseY);
    // Hands the tooltip to the floating layer for this frame.
    void Draw() override;
    // Whether the end of this frame shows it (before it fades further).
    bool ShowsThisFrame() const { return std::min(targetAlpha_, 1.0f) > 0.01f; }
    // The layer's end-of-frame draw and fade. The layer may draw it elsewhere
    // than its own place, to keep it clear of the others, without moving it;
    // `at` empty: no room was left, so it is not drawn this frame.
    void DrawQueued(std::optional<TooltipPosition> at);

    void SetFollowMouse(bool follow) { followMouse_ = follow; }
    int Delay() const { return delay_; }
    float TargetAlpha() const { return targetAlpha_; }
    float DisplayedAlpha() const { return displayedAlpha_; }
    bool IsShowing() const { return displayedAlpha_ > 0.01f; }

private:
    std::string text_;
    float displayedAlpha_ = 0.0f;
    float targetAlpha_ = 0.0f;
    int delay_;
    bool followMouse_ = false;
};
