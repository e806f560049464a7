// The introduce window.
#include "gui/GUI_IntroducePolicyWindow.h"

#include <algorithm>
#include <vector>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_CloseButton.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiText.h"
#include "gui/PolicyWindows.h"
#include "politics/Policy.h"
#include "politics/PolicyGroup.h"
#include "politics/PoliticalCapital.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/StringTable.h"

GUI_IntroducePolicyWindow::GUI_IntroducePolicyWindow(Policy& policy) : policy_(&policy) {
    const float s = Application::Instance().InterfaceScale();
    descriptionTop_ = 44.0f * s;
    const float text =
        float(StyledTextHeight(StyleSheet::kParagraph, policy.Description(), int(kWrapWidth * s)));
    const float buttonHeight = 34.0f * s;
    // A description longer than the usual few lines would run under the
    // button, so the window grows instead.
    const float height =
        std::max(kHeight * s, descriptionTop_ + text + 14.0f * s + buttonHeight + 14.0f * s);
    SetRect(0.0f, 0.0f, kWidth * s, height);
    CentreOnScreen();
    const float top = float(rect_.top), right = float(rect_.right), bottom = float(rect_.bottom);
    Add<GUI_CloseButton>()->SetRect(right - 32.0f * s, top + 8.0f * s, right - 8.0f * s,
                                    top + 32.0f * s);
    implement_ = Add<GUI_TextButton>(GetString("POLICY_IMPLEMENT"), [this] { Implement(); });
    implement_->SetRect(right - 20.0f * s - 200.0f * s, bottom - 14.0f * s - buttonHeight,
                        right - 20.0f * s, bottom - 14.0f * s);
}

Policy* GUI_IntroducePolicyWindow::GetPolicy() const {
    const std::vector<Policy*>& all = Policy::AllPolicies();
    return std::find(all.begin(), all.end(), policy_) != all.end() ? policy_ : nullptr;
}

void GUI_IntroducePolicyWindow::Update() {
    GUI_Window::Update();
    if (visible_ && !GetPolicy()) GUI_WindowManager::Instance().Close(this);
}

void GUI_IntroducePolicyWindow::Implement() {
    GUI_WindowManager::Instance().Close(this);
    Policy* policy = GetPolicy();
    if (!policy || policy->IsInForce()) return;
    if (RestrictedPowers() && PoliticalCapital::Instance().Left() <= 0) {
        OpenRestrictPowersBlocked();
        return;
    }
    policy->Introduce();
    PlayerInputRecorder::Instance().RecordNewPolicy(policy->Name());
}

void GUI_IntroducePolicyWindow::DrawPanel() {
    const Policy* policy = GetPolicy();
    if (!policy) return;
    const float s = Application::Instance().InterfaceScale();
    DrawPaperPanel(rect_);
    const int group = policy->Group() ? policy->Group()->Index() : 0;
    D3DEngine::Instance().FillRect(
        Rect{rect_.left, rect_.top, rect_.left + int(6 * s), rect_.bottom},
        PolicyGroupColour(group));
    const float left = float(rect_.left) + 20.0f * s;
    const std::string& name =
        policy->DisplayName().empty() ? policy->Name() : policy->DisplayName();
    DrawStyledText(StyleSheet::kHeadline, left, float(rect_.top) + 12.0f * s,
                   FitText(StyleSheet::kHeadline, name, int(float(width_) - 70.0f * s)));
    DrawStyledText(StyleSheet::kParagraph, left, float(rect_.top) + descriptionTop_,
                   policy->Description(), kWrapWidth * s);
    // What it will cost or raise: the label over the amount, beside the button.
    const PolicyMoneyNote note = NewPolicyMoneyNote(*policy);
    if (!note.amount.empty()) {
        const float line = float(ScaledStyleSize(StyleSheet::kApproval)) * 1.2f;
        const float y = float(implement_->Top() + implement_->Bottom()) / 2.0f - line;
        const int room = implement_->Left() - int(left) - int(10.0f * s);
        DrawStyledText(StyleSheet::kApproval, left, y, note.label, 0.0f, GdiText::kLeft,
                       Skin::Instance().Get(Skin::COL_POLICYMUTEDTEXT));
        DrawStyledText(StyleSheet::kApproval, left, y + line,
                       FitText(StyleSheet::kApproval, note.amount, room));
    }
}
