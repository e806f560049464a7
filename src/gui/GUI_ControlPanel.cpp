// The control panel's buttons, layout and next-turn rule.
#include "gui/GUI_ControlPanel.h"

#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "gui/GUI_HoverImageButton.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/TutorialManager.h"
#include "politics/IssuesList.h"
#include "world/StringTable.h"

const std::vector<ControlPanelButtonEntry>& GUI_ControlPanel::ButtonTable() {
    using A = ControlPanelAction;
    static const std::vector<ControlPanelButtonEntry> table = {
        {A::Manifesto, "gui_icon_manifesto.dds", "gui_icon_manifesto_h.dds", "TOOLTIP_Manifesto",
         false},
        {A::Polls, "gui_icon_polls.dds", "gui_icon_polls_2.dds", "TOOLTIP_Polls", false},
        {A::NewPolicy, "gui_icon_policy.dds", "gui_icon_policy_2.dds", "TOOLTIP_NewPolicy", false},
        {A::Money, "gui_icon_cash.dds", "gui_icon_cash_2.dds", "TOOLTIP_Money", false},
        {A::Congress, "gui_icon_congress.dds", "gui_icon_congress_2.dds", "TOOLTIP_Congress", true},
        {A::Options, "gui_icon_options.dds", "gui_icon_options_2.dds", "TOOLTIP_Options", false},
        {A::Achievements, "gui_icon_award.dds", "gui_icon_award_2.dds", "TOOLTIP_Achievements",
         false},
        {A::NextTurn, "gui_icon_nextturn.dds", "gui_icon_nextturn_2.dds", "TOOLTIP_NextTurn",
         false},
    };
    return table;
}

bool NextTurnBlocked() {
    return IssuesList::Instance().BlocksNextTurn() ||
           GUI_ModalHolder::Instance().HasModalWindow() || TutorialManager::Instance().IsActive();
}

GUI_ControlPanel::GUI_ControlPanel(std::function<void(ControlPanelAction)> handler,
                                   bool withCongress) {
    for (const ControlPanelButtonEntry& entry : ButtonTable()) {
        if (entry.congressOnly && !withCongress) continue;
        const ControlPanelAction action = entry.action;
        auto* button = Add<GUI_HoverImageButton>("blank_circicon.dds", entry.normal, entry.hover,
                                                 [handler, action] {
                                                     if (handler) handler(action);
                                                 });
        button->SetTooltip(GetString(entry.tooltipKey));
        actions_.push_back(action);
        if (action == ControlPanelAction::NextTurn) nextTurn_ = button;
    }
    Layout(int(ScreenWidth()), int(ScreenHeight()), ScreenWidth() / 1024.0f);
}

Rect GUI_ControlPanel::PanelRect(int buttonCount, int screenWidth, int screenHeight,
                                 float interfaceScale) {
    const float size = kButtonSize * interfaceScale;
    const float width = size * float(buttonCount);
    const float left = float(screenWidth / 2) - width / 2.0f;
    const float top = float(screenHeight) - size - kBottomMargin * interfaceScale;
    return Rect{int(left), int(top), int(std::ceil(left + width)), int(std::ceil(top + size))};
}

void GUI_ControlPanel::Layout(int screenWidth, int screenHeight, float interfaceScale) {
    const float size = kButtonSize * interfaceScale;
    const float width = size * float(buttons_.size());
    const float left = float(screenWidth / 2) - width / 2.0f;
    const float top = float(screenHeight) - size - kBottomMargin * interfaceScale;
    SetRect(left, top, left + width, top + size);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const float x = left + float(i) * size;
        buttons_[i]->SetRect(x, top, x + size, top + size);
    }
}

void GUI_ControlPanel::RefreshNextTurn(bool blocked) {
    if (!nextTurn_) return;
    const char* key = !blocked                                 ? "TOOLTIP_NextTurn"
                      : TutorialManager::Instance().IsActive() ? "TOOLTIP_NextTurnTutorial"
                                                               : "TOOLTIP_NextTurnDisabled";
    if (nextTurn_->IsEnabled() == blocked || !nextTurn_->Tooltip()) {
        nextTurn_->SetEnabled(!blocked);
        nextTurn_->SetTooltip(GetString(key));
    }
}

void GUI_ControlPanel::Draw() {
    if (interfaceHidden_ || !visible_) return;
    RefreshNextTurn(NextTurnBlocked());
    // A soft strip behind the badges ties them together as one bar.
    const int pad = int(6.0f * float(height_) / kButtonSize);
    D3DEngine::Instance().FillRect(
        Rect{rect_.left - pad * 2, rect_.top - pad, rect_.right + pad * 2, rect_.bottom + pad},
        Skin::Instance().Get(Skin::COL_PANELSTRIP));
    UpdateAndDrawButtons();
}

GUI_HoverImageButton* GUI_ControlPanel::ButtonFor(ControlPanelAction action) const {
    for (size_t i = 0; i < actions_.size(); ++i)
        if (actions_[i] == action) return static_cast<GUI_HoverImageButton*>(buttons_[i].get());
    return nullptr;
}
