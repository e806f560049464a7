// Tab containers: which tab is shown and where clicks go.
#include "gui/GUI_TabContainer.h"

#include "engine/Diagnostics.h"
#include "gui/GUI_WindowTab.h"

GUI_WindowTab* GUI_TabContainer::AddTab(std::unique_ptr<GUI_WindowTab> tab) {
    Assert(tab != nullptr, "GUI_TabContainer", __LINE__);
    if (!tab) return nullptr;
    tab->SetRect(float(rect_.left), float(rect_.top), float(rect_.right), float(rect_.bottom));
    tab->SetContainer(this, int(tabs_.size()));
    tabs_.push_back(std::move(tab));
    return tabs_.back().get();
}

void GUI_TabContainer::Select(GUI_WindowTab* tab) {
    Assert(tab != nullptr, "GUI_TabContainer", __LINE__);
    if (!tab) return;
    for (const auto& each : tabs_) each->SetShown(each.get() == tab);
}

void GUI_TabContainer::SelectIndex(int index) {
    if (index >= 0 && index < int(tabs_.size())) Select(tabs_[size_t(index)].get());
}

GUI_WindowTab* GUI_TabContainer::ShownTab() const {
    for (const auto& tab : tabs_)
        if (tab->IsShown()) return tab.get();
    return nullptr;
}

bool GUI_TabContainer::Contains(float x, float y) const {
    for (const auto& button : buttons_)
        if (button->Contains(x, y)) return true;
    for (const auto& tab : tabs_)
        if (tab->Contains(x, y)) return true;
    return false;
}

bool GUI_TabContainer::OnClick(float x, float y) {
    if (!visible_ || !Contains(x, y)) return false;
    // Tab buttons lie outside the tabs' rectangle, so they are tried here
    // before the shown tab's own content.
    for (const auto& button : buttons_)
        if (button->OnClick(x, y)) return true;
    if (GUI_WindowTab* tab = ShownTab()) tab->OnClick(x, y);
    return true;
}

void GUI_TabContainer::Draw() {
    if (!visible_) return;
    for (const auto& tab : tabs_)
        if (tab->IsShown()) tab->Draw();
    UpdateAndDrawButtons();
}
