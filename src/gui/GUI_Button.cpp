// The behaviour every button shares.
#include "gui/GUI_Button.h"

#include "gui/GUI_ModalHolder.h"
#include "gui/GuiInput.h"

void GUI_Button::SetRect(float left, float top, float right, float bottom) {
    GUI_BaseElement::SetRect(left, top, right, bottom);
    if (!tooltip_) return;
    const int x = (rect_.left + rect_.right) / 2 - tooltip_->Width() / 2;
    const TooltipPosition at = KeepOnScreen(x, rect_.bottom, tooltip_->Width(), tooltip_->Height(),
                                            int(ScreenWidth()), int(ScreenHeight()));
    tooltip_->SetPosition(float(at.x), float(at.y));
}

bool GUI_Button::OnClick(float x, float y) {
    if (!enabled_ || !Contains(x, y)) return false;
    Activate();
    return true;
}

void GUI_Button::Activate() {
    if (!enabled_ || !action_) return;
    GUI_ModalHolder::Instance().PlayClickSound();
    RunAction();
}

void GUI_Button::RunAction() const {
    // The action may replace this button's action; run a copy.
    const Action action = action_;
    action();
}

void GUI_Button::Update() {
    const GuiInput& input = GuiInput::Instance();
    if (!Contains(input.mouseX, input.mouseY)) {
        state_ = kNormal;
        return;
    }
    state_ = kHighlighted;
    if (tooltip_) {
        tooltip_->Arm(input.stillFrames);
        tooltip_->PlaceAtMouse(input.mouseX, input.mouseY);
    }
}

void GUI_Button::SetTooltip(std::string_view text, int delayFrames) {
    tooltip_ = std::make_unique<GUI_Tooltip>(text, delayFrames);
    SetRect(float(rect_.left), float(rect_.top), float(rect_.right), float(rect_.bottom));
}

void GUI_Button::DrawTooltip() {
    if (tooltip_) tooltip_->Draw();
}
