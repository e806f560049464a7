// Tab buttons.
#include "gui/GUI_TabButton.h"

#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_WindowTab.h"
#include "gui/GuiText.h"

GUI_TabButton::GUI_TabButton(std::string_view label, GUI_WindowTab* tab)
    : label_(label.substr(0, 63)), tab_(tab) {
    Assert(tab != nullptr, "GUI_TabButton", __LINE__);
}

void GUI_TabButton::Activate() {
    if (!enabled_ || !tab_) return;
    GUI_ModalHolder::Instance().PlayClickSound();
    tab_->Show();
    if (action_) RunAction();
}

void GUI_TabButton::Update() {
    GUI_Button::Update();
    if (tab_ && tab_->IsShown()) state_ = kSelected;
}

void GUI_TabButton::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const bool shown = tab_ && tab_->IsShown();
    const std::uint32_t windowColour = Skin::Instance().Get(Skin::COL_TABBACK);
    engine.FillRect(rect_, shown ? windowColour : Skin::Instance().Get(Skin::COL_TABHIDDEN));
    engine.DrawRectOutline(rect_, Skin::Instance().Get(Skin::COL_TABOUTLINE));
    // The tab pages hang below their buttons, so the shown button opens into
    // its page along its bottom edge (the design draws the top edge).
    if (shown)
        engine.DrawLine(float(rect_.left + 1), float(rect_.bottom - 1), float(rect_.right - 1),
                        float(rect_.bottom - 1), windowColour);
    const float top = float(rect_.top + rect_.bottom) / 2.0f -
                      float(ScaledStyleSize(StyleSheet::kHeadline)) * 0.6f;
    // Ink on the paper of the shown tab, paper on the dark face of the others.
    std::optional<std::uint32_t> colour;
    if (!shown)
        colour =
            Skin::Instance().Get(state_ == kHighlighted ? Skin::COL_TABTEXTLIT : Skin::COL_TABTEXT);
    DrawStyledText(StyleSheet::kHeadline, float(rect_.left), top, label_, float(width_),
                   GdiText::kCentre, colour);
    DrawTooltip();
}
