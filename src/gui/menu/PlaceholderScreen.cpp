// Placeholder menu screens.
#include "gui/menu/PlaceholderScreen.h"

#include "core/Application.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GuiText.h"
#include "world/StringTable.h"

void PlaceholderScreen::Build(int width, int height, float scale) {
    const int halfWidth = int(260 * scale), halfHeight = int(110 * scale);
    panel_ = Rect{width / 2 - halfWidth, height / 2 - halfHeight, width / 2 + halfWidth,
                  height / 2 + halfHeight};
    auto* back = controls_->Add<GUI_TextButton>(GetString("MAIN_MENU"),
                                                [] { SwitchScreen(kScreenMainMenu); });
    back->SetTooltip(GetString("TOOLTIP_MAINMENU"));
    const float buttonWidth = 176.0f * scale, buttonHeight = 40.0f * scale;
    const float left = float(width) / 2.0f - buttonWidth / 2.0f;
    const float top = float(panel_.bottom) - buttonHeight - 24.0f * scale;
    back->SetRect(left, top, left + buttonWidth, top + buttonHeight);
}

void PlaceholderScreen::DrawBackground() {
    ClearToSlate();
    DrawPaperPanel(panel_);
    const float scale = Application::Instance().InterfaceScale();
    DrawStyledText(StyleSheet::kTitle, float(panel_.left), float(panel_.top) + 40.0f * scale,
                   GetString(titleKey_), float(panel_.right - panel_.left), GdiText::kCentre);
}
