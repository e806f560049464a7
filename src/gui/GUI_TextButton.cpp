// Text buttons: a flat teal face with a lit top-left edge.
#include "gui/GUI_TextButton.h"

#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"

GUI_TextButton::GUI_TextButton(std::string_view label, Action action)
    : GUI_Button(std::move(action)), label_(label.substr(0, kMaxLabel)) {}

void GUI_TextButton::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const bool lit = state_ == kHighlighted && enabled_;
    engine.FillRect(rect_, lit ? 0xFF618790u : 0xFF436972u);
    const std::uint32_t edge = lit ? 0xFF84A2ADu : 0xFF66848Fu;
    engine.DrawLine(float(rect_.left), float(rect_.top), float(rect_.right), float(rect_.top),
                    edge);
    engine.DrawLine(float(rect_.left), float(rect_.top), float(rect_.left), float(rect_.bottom),
                    edge);
    if (lit) GuiInput::Instance().textButtonHighlighted = true;
    // The label's height follows the interface scale, so centre it by its size.
    const float top = float(rect_.top + rect_.bottom) / 2.0f -
                      float(ScaledStyleSize(StyleSheet::kHeadline)) * 0.6f;
    DrawStyledText(StyleSheet::kHeadline, float(rect_.left), top, label_, float(width_),
                   GdiText::kCentre, enabled_ ? 0xFFE0E0E0u : 0xFF000000u);
    DrawTooltip();
}
