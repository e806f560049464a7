// Flat text buttons.
#include "gui/GUI_FlatTextButton.h"

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiText.h"

void GUI_FlatTextButton::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    const std::uint32_t fill = !enabled_ ? skin.Get(Skin::COL_FLATBUTTONOFF)
                                         : skin.Get(state_ == kHighlighted ? Skin::COL_FLATBUTTONLIT
                                                                           : Skin::COL_FLATBUTTON);
    engine.FillRect(rect_, fill);
    engine.DrawRectOutline(rect_, skin.Get(Skin::COL_FLATBUTTONEDGE));
    // The menu's own style, a size smaller than the bold text, so the label
    // keeps clear of the entry's edges.
    const float top = float(rect_.top + rect_.bottom) / 2.0f -
                      float(ScaledStyleSize(StyleSheet::kRcMenu)) * 0.6f;
    // The style's ink would vanish on the dark face; enabled labels are
    // drawn in paper instead so they keep their contrast.
    DrawStyledText(
        StyleSheet::kRcMenu, float(rect_.left), top, label_, float(width_), GdiText::kCentre,
        enabled_ ? skin.Get(Skin::COL_FLATBUTTONTEXT) : skin.Get(Skin::COL_FLATBUTTONOFFTEXT));
    DrawTooltip();
}
