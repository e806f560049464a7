// The loading screen.
#include "gui/menu/LoadingScreen.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "aids/BackdropManager.h"
#include "core/Application.h"
#include "core/LoadingProgress.h"
#include "engine/D3DEngine.h"
#include "engine/DebugLog.h"
#include "engine/Skin.h"
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
    const Rect panel{width / 2 - half, height / 2 - int(230 * scale), width / 2 + half,
                     height / 2 + int(70 * scale)};
    DrawPaperPanel(panel);
    const float inner = float(panel.right - panel.left) - 64.0f * scale;
    const float left = float(panel.left) + 32.0f * scale;
    DrawBackdrop(left, float(panel.top) + 28.0f * scale, inner, float(height / 2) - 44.0f * scale);
    // The game's own grey for the step and the prompt.
    const std::uint32_t grey = Skin::Instance().Get(Skin::COL_LOADINGTEXT);
    if (IsFinished()) {
        DrawStyledText(StyleSheet::kParagraph, left, float(height / 2) - 10.0f * scale,
                       GetString("CLICK_TO_CONTINUE"), inner, GdiText::kCentre, grey);
        return;
    }
    D3DEngine& engine = D3DEngine::Instance();
    const Rect bar{int(left), height / 2 - int(14 * scale), int(left + inner),
                   height / 2 + int(6 * scale)};
    engine.FillRect(bar, Skin::Instance().Get(Skin::COL_PROGRESSTRACK));
    engine.FillRect(
        Rect{bar.left, bar.top, bar.left + int(inner * BarFraction(progress_)), bar.bottom},
        Skin::Instance().Get(Skin::COL_ACCENT));
    engine.DrawRectOutline(bar, Skin::Instance().Get(Skin::COL_MUTED));
    DrawStyledText(StyleSheet::kApproval, left, float(bar.bottom) + 12.0f * scale, label_, inner,
                   GdiText::kCentre, grey);
}

namespace {

// The text broken at spaces into lines no wider than `width`; a single word
// wider than that gets a line of its own.
std::vector<std::string> WrapLines(int style, const std::string& text, float width) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && float(StyledTextWidth(style, longer)) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

void LoadingScreen::DrawBackdrop(float left, float top, float width, float bottom) {
    const BackdropManager::Backdrop* backdrop = BackdropManager::Instance().Current();
    if (!backdrop) return;
    const float scale = Application::Instance().InterfaceScale();
    const std::vector<std::string> lines = WrapLines(StyleSheet::kHeadline, backdrop->text, width);
    const float lineHeight = float(ScaledStyleSize(StyleSheet::kHeadline)) * 1.45f;
    const float textHeight = float(lines.size()) * lineHeight;
    const float attributionHeight = float(ScaledStyleSize(StyleSheet::kApproval)) * 1.4f;
    const float block = textHeight + 10.0f * scale + attributionHeight;
    // Centred in the space above the bar; a long text starts at the top.
    float y = std::max(top, top + (bottom - top - block) / 2.0f);
    for (const std::string& line : lines) {
        DrawStyledText(StyleSheet::kHeadline, left, y, line, width, GdiText::kCentre);
        y += lineHeight;
    }
    DrawStyledText(StyleSheet::kApproval, left, y + 10.0f * scale, backdrop->attribution, width,
                   GdiText::kRight, Skin::Instance().Get(Skin::COL_PROGRESSTEXT));
    // A thin rule between the quotation and the progress below it.
    D3DEngine::Instance().FillRect(Rect{int(left), int(bottom) - 1, int(left + width), int(bottom)},
                                   Skin::Instance().Get(Skin::COL_QUOTERULE));
}
