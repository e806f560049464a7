// Tooltip size, placement and its two-frame fade.
#include "gui/GUI_Tooltip.h"

#include <algorithm>
#include <cmath>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "gui/GUI_FloatingLayer.h"
#include "gui/GuiInput.h"

namespace {
constexpr const char* kTooltipFace = "arial";
constexpr int kTooltipFontSize = 16;

int TooltipFontSize() {
    return std::max(12,
                    int(std::lround(kTooltipFontSize * Application::Instance().InterfaceScale())));
}

int TooltipMaxWidth() {
    return int(float(GUI_Tooltip::kMaxWidth) *
               std::max(1.0f, Application::Instance().InterfaceScale()));
}

}  // namespace

TooltipPosition PlaceTooltipAtMouse(float mouseX, float mouseY, int width, int height,
                                    int screenWidth, int screenHeight) {
    const int mx = int(mouseX), my = int(mouseY);
    TooltipPosition at{mx + 30, my};
    if (at.x + width > screenWidth) at.x = mx - width;
    if (at.y + height > screenHeight) at.y = my - height;
    at.x = std::max(at.x, 0);
    at.y = std::max(at.y, 0);
    return at;
}

TooltipPosition KeepOnScreen(int x, int y, int width, int height, int screenWidth,
                             int screenHeight) {
    x = std::max(0, std::min(x, screenWidth - width));
    y = std::max(0, std::min(y, screenHeight - height));
    return {x, y};
}

GUI_Tooltip::GUI_Tooltip(std::string_view text, int delayFrames) : delay_(delayFrames) {
    SetText(text);
}

GUI_Tooltip::~GUI_Tooltip() {
    GUI_FloatingLayer::Instance().Forget(this);
}

void GUI_Tooltip::SetText(std::string_view text) {
    text_ = std::string(text.substr(0, kMaxText));
    // Measured in the face it is drawn in (not the approval style), so the
    // words never spill out of the box; the box grows with the interface.
    GdiText& gdi = GdiText::Instance();
    gdi.SelectFont(kTooltipFace, TooltipFontSize());
    const int maxWidth = TooltipMaxWidth();
    const int width = std::min(gdi.TextWidth(text_) + 8, maxWidth);
    const int height = gdi.TextHeight(text_, maxWidth - 8) + 4;
    SetRect(float(rect_.left), float(rect_.top), float(rect_.left + std::max(width, 1)),
            float(rect_.top + std::max(height, 1)));
}

void GUI_Tooltip::Arm(int stillFrames) {
    if (stillFrames > delay_) targetAlpha_ = 1.0f;
}

void GUI_Tooltip::PlaceAtMouse(float mouseX, float mouseY) {
    const TooltipPosition at = PlaceTooltipAtMouse(mouseX, mouseY, width_, height_,
                                                   int(ScreenWidth()), int(ScreenHeight()));
    SetPosition(float(at.x), float(at.y));
}

void GUI_Tooltip::Draw() {
    if (followMouse_) {
        const GuiInput& input = GuiInput::Instance();
        const TooltipPosition at =
            KeepOnScreen(int(input.mouseX) + 30, int(input.mouseY) - 10, width_, height_,
                         int(ScreenWidth()), int(ScreenHeight()));
        SetPosition(float(at.x), float(at.y));
    }
    GUI_FloatingLayer::Instance().Queue(this);
}

void GUI_Tooltip::DrawQueued(std::optional<TooltipPosition> at) {
    displayedAlpha_ = at ? std::min(targetAlpha_, 1.0f) : 0.0f;
    if (displayedAlpha_ > 0.01f) {
        const Rect box{at->x, at->y, at->x + width_, at->y + height_};
        D3DEngine& engine = D3DEngine::Instance();
        const Rect shadow{box.left + 1, box.top + 1, box.right + 1, box.bottom + 1};
        const Skin& skin = Skin::Instance();
        engine.FillRect(shadow, FadedColour(skin.Get(Skin::COL_TOOLTIPSHADOW), displayedAlpha_));
        engine.DrawBevelRect(box, FadedColour(skin.Get(Skin::COL_TOOLTIPEDGE), displayedAlpha_));
        const std::uint32_t ink = FadedColour(skin.Get(Skin::COL_TOOLTIPTEXT), displayedAlpha_);
        GdiText::Instance().QueueText(float(box.left + 4), float(box.top + 2), text_,
                                      kTooltipFace, TooltipFontSize(), float(width_ - 6),
                                      GdiText::kLeft, ink);
    }
    targetAlpha_ = std::max(0.0f, targetAlpha_ - 0.5f);
}
