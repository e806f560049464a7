// The loading screen.
#include "gui/menu/LoadingScreen.h"

#include <cmath>

#include "core/Application.h"
#include "core/LoadingProgress.h"
#include "engine/D3DEngine.h"
#include "engine/DebugLog.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GuiText.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

LoadingScreen::LoadingScreen() {
    SetLoadingProgressHandler(
        [this](std::string_view label, float progress) { Report(label, progress); });
}

LoadingScreen::~LoadingScreen() {
    SetLoadingProgressHandler({});
}

float LoadingScreen::BarFraction(float progress) {
    if (progress <= 1.0f) return std::max(progress, 0.0f);
    return progress - std::floor(progress);
}

bool LoadingScreen::IsFinished() const {
    return Gameplaymanager::Instance().IsLoadingFinished();
}

void LoadingScreen::Report(std::string_view label, float progress) {
    Log(std::string(label));
    label_ = std::string(label);
    progress_ = progress;
    Application::Instance().ShowLoadingFrame();
}

void LoadingScreen::MouseClick(int /*x*/, int /*y*/) {
    if (IsFinished()) SwitchScreen(kScreenMainGame);
}

void LoadingScreen::DrawBackground() {
    ClearToSlate();
    const float scale = Application::Instance().InterfaceScale();
    const int width = int(ScreenWidth()), height = int(ScreenHeight());
    const int half = int(256 * scale);
    const Rect panel{width / 2 - half, height / 2 - int(70 * scale), width / 2 + half,
                     height / 2 + int(70 * scale)};
    DrawPaperPanel(panel);
    const float inner = float(panel.right - panel.left) - 64.0f * scale;
    const float left = float(panel.left) + 32.0f * scale;
    // Darker than the classic mid grey, which reads too faintly on paper.
    const std::uint32_t grey = 0xFF5E5E5Eu;
    if (IsFinished()) {
        DrawStyledText(StyleSheet::kParagraph, left, float(height / 2) - 10.0f * scale,
                       GetString("CLICK_TO_CONTINUE"), inner, GdiText::kCentre, grey);
        return;
    }
    D3DEngine& engine = D3DEngine::Instance();
    const Rect bar{int(left), height / 2 - int(14 * scale), int(left + inner),
                   height / 2 + int(6 * scale)};
    engine.FillRect(bar, 0xFFE2DED4u);
    engine.FillRect(
        Rect{bar.left, bar.top, bar.left + int(inner * BarFraction(progress_)), bar.bottom},
        0xFF0072B2u);
    engine.DrawRectOutline(bar, 0xFF8A94A3u);
    DrawStyledText(StyleSheet::kApproval, left, float(bar.bottom) + 12.0f * scale, label_, inner,
                   GdiText::kCentre, grey);
}
