// Text buttons: a flat teal face with a lit top-left edge.
#include "gui/GUI_TextButton.h"

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"

GUI_TextButton::GUI_TextButton(std::string_view label, Action action)
    : GUI_Button(std::move(action)), label_(label.substr(0, kMaxLabel)) {}

void GUI_TextButton::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const bool lit = state_ == kHighlighted && enabled_;
    const Skin& skin = Skin::Instance();
    engine.FillRect(rect_, skin.Get(lit ? Skin::COL_BUTTONLIT : Skin::COL_BUTTON));
    const std::uint32_t edge = skin.Get(lit ? Skin::COL_BUTTONEDGELIT : Skin::COL_BUTTONEDGE);
    engine.DrawLine(float(rect_.left), float(rect_.top), float(rect_.right), float(rect_.top),
                    edge);
    engine.DrawLine(float(rect_.left), float(rect_.top), float(rect_.left), float(rect_.bottom),
                    edge);
    if (lit) GuiInput::Instance().textButtonHighlighted = true;
    // The label's height follows the interface scale, so centre it by its size.
    const float top = float(rect_.top + rect_.bottom) / 2.0f -
                      float(ScaledStyleSize(StyleSheet::kHeadline)) * 0.6f;
    DrawStyledText(StyleSheet::kHeadline, float(rect_.left), top, label_, float(width_),
                   GdiText::kCentre,
                   skin.Get(enabled_ ? Skin::COL_BUTTONTEXT : Skin::COL_BUTTONOFFTEXT));
    DrawTooltip();
}
