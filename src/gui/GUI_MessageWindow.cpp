// Message windows.
#include "gui/GUI_MessageWindow.h"

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_CloseButton.h"
#include "gui/GuiText.h"

void DrawPaperPanel(const Rect& rect) {
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(Rect{rect.left + 4, rect.top + 4, rect.right + 4, rect.bottom + 4},
                    Skin::Instance().Get(Skin::COL_MODALDIM));
    engine.FillRect(rect, Skin::Instance().Get(Skin::COL_PAPER));
    engine.DrawRectOutline(rect, Skin::Instance().Get(Skin::COL_INK));
}

namespace {

void PlaceCloseButton(GUI_Button& button, const Rect& panel, float scale) {
    const float close = 28.0f * scale;
    button.SetRect(float(panel.right) - close - 8.0f * scale, float(panel.top) + 8.0f * scale,
                   float(panel.right) - 8.0f * scale, float(panel.top) + 8.0f * scale + close);
}

}  // namespace

GUI_MessageWindow::GUI_MessageWindow(std::string_view title, std::string_view text)
    : title_(title), text_(text) {
    const float scale = Application::Instance().InterfaceScale();
    SetRect(0.0f, 0.0f, 420.0f * scale, 220.0f * scale);
    CentreOnScreen();
    PlaceCloseButton(*Add<GUI_CloseButton>(), rect_, scale);
}

void GUI_MessageWindow::FitToText(float footer) {
    const float scale = Application::Instance().InterfaceScale();
    const float titleWidth = float(width_) - 80.0f * scale;
    const float textWidth = float(width_) - 48.0f * scale;
    // The same measures DrawPanel lays the texts out with.
    const float height = 16.0f * scale +
                         float(StyledTextHeight(StyleSheet::kTitle, title_, int(titleWidth))) +
                         12.0f * scale +
                         float(StyledTextHeight(StyleSheet::kParagraph, text_, int(textWidth))) +
                         footer * scale;
    SetRect(0.0f, 0.0f, float(width_), height);
    CentreOnScreen();
    PlaceCloseButton(*buttons_.front(), rect_, scale);
}

void GUI_MessageWindow::DrawPanel() {
    DrawPaperPanel(rect_);
    const float scale = Application::Instance().InterfaceScale();
    D3DEngine::Instance().FillRect(
        Rect{rect_.left, rect_.top, rect_.left + int(6 * scale), rect_.bottom},
        Skin::Instance().Get(Skin::COL_ACCENT));
    const float left = float(rect_.left) + 24.0f * scale;
    const float titleWidth = float(width_) - 80.0f * scale;
    const float titleTop = float(rect_.top) + 16.0f * scale;
    DrawStyledText(StyleSheet::kTitle, left, titleTop, title_, titleWidth);
    // A long title wraps; the paragraph starts below however many lines it took.
    const float textTop = titleTop +
                          float(StyledTextHeight(StyleSheet::kTitle, title_, int(titleWidth))) +
                          12.0f * scale;
    DrawStyledText(StyleSheet::kParagraph, left, textTop, text_, float(width_) - 48.0f * scale);
}
