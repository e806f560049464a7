// The election timeline.
#include "gui/GUI_ElectionTimeline.h"

#include <algorithm>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"
#include "gui/icons/IconDrawing.h"
#include "gui/menu/MenuListings.h"
#include "politics/ElectionManager.h"
#include "simulation/Mission.h"
#include "world/Calendar.h"
#include "world/StringTable.h"

GUI_ElectionTimeline::GUI_ElectionTimeline()
    : tooltip_(GetString("TOOLTIP_TIMELINE"), kTooltipRest) {}

Rect GUI_ElectionTimeline::BarRect(int screenWidth, int screenHeight, float scale) {
    // Below the control panel rather than behind its lower edge, where the
    // panel's buttons would hide it.
    const float width = kWidth * scale, height = kHeight * scale;
    const float bottom = float(screenHeight) - 3.0f * scale;
    const float left = float(screenWidth / 2) - width / 2.0f;
    return Rect{int(left), int(bottom - height), int(left + width), int(bottom)};
}

void GUI_ElectionTimeline::Layout(int screenWidth, int screenHeight, float scale) {
    const Rect bar = BarRect(screenWidth, screenHeight, scale);
    SetRect(float(bar.left), float(bar.top), float(bar.right), float(bar.bottom));
}

Rect GUI_ElectionTimeline::CellRect(int index, int months) const {
    months = std::max(months, 1);
    return Rect{rect_.left + index * width_ / months, rect_.top,
                rect_.left + (index + 1) * width_ / months, rect_.bottom};
}

void GUI_ElectionTimeline::Draw() {
    DrawTexture("gui_progress_bar.dds");
    const ElectionManager& elections = ElectionManager::Instance();
    const int months = std::max(ElectionManager::Interval(), 1);
    const int passed = elections.MonthsSinceLastElection();
    D3DEngine& engine = D3DEngine::Instance();
    for (int i = 0; i < months; ++i) {
        Rect cell = CellRect(i, months);
        cell.left += 1;
        cell.top += 1;
        cell.bottom -= 1;
        const bool gone = IsPassed(i, passed);
        FillBlitted(cell, gone ? kPassedFill : kLeftFill);
        engine.DrawRectOutline(cell, gone ? kPassedOutline : kLeftOutline);
    }
    DrawLabels();
    UpdateTooltip();
}

void GUI_ElectionTimeline::DrawLabels() {
    const float scale = Application::Instance().InterfaceScale();
    const float top = float(rect_.top + rect_.bottom) / 2.0f -
                      float(ScaledStyleSize(StyleSheet::kApproval)) * 0.62f;
    const std::string label = GetString("ELECTION");
    const float right = float(rect_.left) - 8.0f * scale;
    const float width = float(StyledTextWidth(StyleSheet::kApproval, label));
    // Black with a white copy a pixel up and to the left, so it reads on any
    // background.
    DrawStyledText(StyleSheet::kApproval, right - width - 1.0f, top - 1.0f, label, 0.0f,
                   GdiText::kLeft, Skin::Instance().Get(Skin::COL_TIMELINELABELLIGHT));
    DrawStyledText(StyleSheet::kApproval, right - width, top, label, 0.0f, GdiText::kLeft,
                   Skin::Instance().Get(Skin::COL_TIMELINELABEL));
    Calendar& calendar = Calendar::Instance();
    const std::string date = calendar.MonthName() + " " + std::to_string(calendar.GetYear());
    // The briefing's proper name; the config name is a label for the rules
    // ("USA"), kept only where the proper one would run off the screen.
    const Mission& mission = Mission::Instance();
    const auto line = [&date](const std::string& country) {
        return country.empty() ? date : country + "  \xB7  " + date;
    };
    const float left = float(rect_.right) + 8.0f * scale;
    std::string text = line(CountryDisplayName(mission.Path(), mission.Name()));
    if (left + float(StyledTextWidth(StyleSheet::kApproval, text)) > ScreenWidth())
        text = line(mission.Name());
    DrawStyledText(StyleSheet::kApproval, left, top, text, 0.0f, GdiText::kLeft,
                   Skin::Instance().Get(Skin::COL_PAPER));
}

void GUI_ElectionTimeline::UpdateTooltip() {
    const GuiInput& input = GuiInput::Instance();
    if (!input.mouseOverWindow && Contains(input.mouseX, input.mouseY)) {
        tooltip_.Arm(input.stillFrames);
        // Beside the pointer, flipped where it would pass the right or
        // bottom edge.
        int x = int(input.mouseX) + 10, y = int(input.mouseY);
        if (x + tooltip_.Width() > int(ScreenWidth())) x -= tooltip_.Width();
        if (y + tooltip_.Height() > int(ScreenHeight())) y -= tooltip_.Height();
        tooltip_.SetPosition(float(std::max(x, 0)), float(std::max(y, 0)));
    }
    tooltip_.Draw();
}
