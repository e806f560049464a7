// Category buttons of the new-policy picker.
#include "gui/GUI_PolicyCategoryButton.h"

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"
#include "gui/PolicyWindows.h"

GUI_PolicyCategoryButton::GUI_PolicyCategoryButton(std::string_view label, int groupIndex,
                                                   Action action)
    : GUI_Button(std::move(action)), label_(label), groupIndex_(groupIndex) {}

void GUI_PolicyCategoryButton::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const float scale = Application::Instance().InterfaceScale();
    const bool lit = state_ == kHighlighted && enabled_;
    std::uint32_t fill = Skin::Instance().Get(Skin::COL_LISTPAPER);
    if (lit) fill = Skin::Instance().Get(Skin::COL_LISTHOVER);
    if (selected_) fill = Skin::Instance().Get(Skin::COL_LISTSELECTED);
    engine.FillRect(rect_, fill);
    engine.DrawRectOutline(rect_, Skin::Instance().Get(Skin::COL_LISTOUTLINE));
    // The selected category is marked by a wider swatch and bold ink, so the
    // colour is never the only sign.
    const int swatch = int((selected_ ? 10.0f : 5.0f) * scale);
    engine.FillRect(Rect{rect_.left, rect_.top, rect_.left + swatch, rect_.bottom},
                    PolicyGroupColour(groupIndex_));
    if (lit) GuiInput::Instance().textButtonHighlighted = true;
    const int style = selected_ ? StyleSheet::kButtonText : StyleSheet::kRcMenu;
    const float top = float(rect_.top + rect_.bottom) / 2.0f - float(ScaledStyleSize(style)) * 0.6f;
    DrawStyledText(style, float(rect_.left) + 18.0f * scale, top, label_);
    DrawTooltip();
}
