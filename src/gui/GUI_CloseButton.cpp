// Close buttons.
#include "gui/GUI_CloseButton.h"

#include "engine/Diagnostics.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_WindowManager.h"

void GUI_CloseButton::Activate() {
    Assert(owner_ != nullptr, "GUI_CloseButton", __LINE__);
    if (!enabled_ || !owner_) return;
    GUI_ModalHolder::Instance().PlayClickSound();
    // A window whose closing may ask a question closes through its action.
    if (action_)
        RunAction();
    else
        GUI_WindowManager::Instance().Close(owner_);
}

void GUI_CloseButton::Draw() {
    DrawImage(state_ == kHighlighted ? "gui_close_icon_h.dds" : "gui_close_icon.dds");
    DrawTooltip();
}
