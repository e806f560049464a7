// The new-policy picker.
#include "gui/GUI_NewPolicyWindow.h"

#include "core/Application.h"
#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_CloseButton.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_PolicyCategoryButton.h"
#include "gui/GUI_PolicyList.h"
#include "gui/GuiText.h"
#include "gui/PolicyWindows.h"
#include "politics/Policy.h"
#include "politics/PolicyGroup.h"
#include "politics/PoliticalCapital.h"
#include "world/StringTable.h"

namespace {

constexpr const char* kCategoryKeys[GUI_NewPolicyWindow::kCategories] = {
    "CAT_FOREIGNPOLICY",  "CAT_WELFARE",     "CAT_ECONOMY",  "CAT_TAX",
    "CAT_PUBLICSERVICES", "CAT_LAWANDORDER", "CAT_TRANSPORT"};

}  // namespace

const char* GUI_NewPolicyWindow::CategoryKey(int groupIndex) {
    return groupIndex >= 0 && groupIndex < kCategories ? kCategoryKeys[groupIndex] : "";
}

std::vector<Policy*> GUI_NewPolicyWindow::GroupPolicies(int groupIndex) {
    std::vector<Policy*> fresh, inForce;
    for (Policy* policy : Policy::AllPolicies()) {
        if (!policy->Group() || policy->Group()->Index() != groupIndex) continue;
        (policy->IsInForce() ? inForce : fresh).push_back(policy);
    }
    fresh.insert(fresh.end(), inForce.begin(), inForce.end());
    return fresh;
}

GUI_NewPolicyWindow::GUI_NewPolicyWindow() {
    const float s = Application::Instance().InterfaceScale();
    SetRect(0.0f, 0.0f, kWidth * s, kHeight * s);
    CentreOnScreen();
    const float left = float(rect_.left), top = float(rect_.top), right = float(rect_.right);

    Add<GUI_CloseButton>()->SetRect(right - 36.0f * s, top + 8.0f * s, right - 8.0f * s,
                                    top + 36.0f * s);
    for (int i = 0; i < kCategories; ++i) {
        categories_[size_t(i)] = Add<GUI_PolicyCategoryButton>(GetString(kCategoryKeys[i]), i,
                                                               [this, i] { SelectGroup(i); });
        const float y = top + (60.0f + 35.0f * float(i)) * s;
        categories_[size_t(i)]->SetRect(left + 20.0f * s, y, left + 200.0f * s, y + 35.0f * s);
    }
    list_ = Add<GUI_PolicyList>([this](Policy& policy) { Pick(policy); });
    list_->SetRect(left + 210.0f * s, top + 60.0f * s, right - 20.0f * s, top + 304.0f * s);
    SelectGroup(0);
}

GUI_PolicyCategoryButton* GUI_NewPolicyWindow::CategoryButton(int index) const {
    return index >= 0 && index < kCategories ? categories_[size_t(index)] : nullptr;
}

void GUI_NewPolicyWindow::SelectGroup(int groupIndex) {
    if (groupIndex < 0 || groupIndex >= kCategories) return;
    group_ = groupIndex;
    for (GUI_PolicyCategoryButton* button : categories_)
        button->SetSelected(button->GroupIndex() == groupIndex);
    list_->SetPolicies(GroupPolicies(groupIndex), true);
}

void GUI_NewPolicyWindow::Update() {
    GUI_Window::Update();
    if (visible_) list_->SetPolicies(GroupPolicies(group_), false);
}

void GUI_NewPolicyWindow::Pick(Policy& policy) {
    if (policy.IsInForce())
        OpenPolicyDetails(policy);
    else
        OpenIntroducePolicy(policy);
}

void GUI_NewPolicyWindow::DrawPanel() {
    const float s = Application::Instance().InterfaceScale();
    DrawPaperPanel(rect_);
    D3DEngine::Instance().FillRect(
        Rect{rect_.left, rect_.top, rect_.left + int(6 * s), rect_.bottom},
        Skin::Instance().Get(Skin::COL_ACCENT));
    DrawStyledText(StyleSheet::kTitle, float(rect_.left) + 24.0f * s, float(rect_.top) + 14.0f * s,
                   GetString("NEW_POLICIES"));
    // Under restricted powers the player sees what is left to spend.
    if (RestrictedPowers())
        DrawStyledText(
            StyleSheet::kApproval, float(rect_.left) + 20.0f * s, float(rect_.top) + 316.0f * s,
            FormatString("POLICY_CAPITALLEFT",
                         FormatText("CAPITAL=%d,", PoliticalCapital::Instance().Left())));
}
