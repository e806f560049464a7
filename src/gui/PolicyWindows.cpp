// Openers of the policy windows and their shared helpers.
#include "gui/PolicyWindows.h"

#include <memory>
#include <vector>

#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_IntroducePolicyWindow.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_NewPolicyWindow.h"
#include "gui/GUI_PolicyDetailsWindow.h"
#include "gui/GUI_RestrictPowersWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiText.h"
#include "politics/Policy.h"
#include "politics/PoliticalCapital.h"
#include "simulation/GameOptions.h"
#include "world/MoneyFormat.h"
#include "world/StringTable.h"

namespace {

// The first open window of the kind; windows already closing do not count.
template <typename W>
W* FindOpen() {
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows())
        if (auto* found = dynamic_cast<W*>(window); found && found->IsVisible()) return found;
    return nullptr;
}

}  // namespace

bool RestrictedPowers() {
    return GameOptions::Instance().Get(GameOptions::kRestrictPower) != 0.0f;
}

bool IsFrontWindow(const GUI_Window* window) {
    const GUI_Window* modal = GUI_ModalHolder::Instance().ModalWindow();
    if (modal && modal != window) return false;
    const auto& windows = GUI_WindowManager::Instance().Windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        // A window on its way out no longer covers anything.
        if (!(*it)->IsVisible()) continue;
        return *it == window;
    }
    return false;
}

void OpenRestrictPowersBlocked() {
    GUI_WindowManager::Instance().Open(GUI_RestrictPowersWindow::Blocked());
}

GUI_PolicyDetailsWindow* FindPolicyDetails() {
    return FindOpen<GUI_PolicyDetailsWindow>();
}

void OpenPolicyDetails(Policy& policy) {
    if (!policy.IsInForce()) {
        OpenIntroducePolicy(policy);
        return;
    }
    if (GUI_PolicyDetailsWindow* open = FindPolicyDetails()) {
        if (open->GetPolicy() == &policy) return;
        open->RequestClose();
        // The open window asked a question first (or was blocked): the
        // player answers that before looking at another policy.
        if (FindPolicyDetails() == open) return;
    }
    GUI_WindowManager::Instance().Open(std::make_unique<GUI_PolicyDetailsWindow>(policy));
}

void ClosePolicyDetails() {
    if (GUI_PolicyDetailsWindow* open = FindPolicyDetails()) open->SettleAndClose();
}

GUI_NewPolicyWindow* FindNewPolicyPicker() {
    return FindOpen<GUI_NewPolicyWindow>();
}

void OpenNewPolicyPicker() {
    if (RestrictedPowers() && PoliticalCapital::Instance().Left() <= 0) {
        OpenRestrictPowersBlocked();
        return;
    }
    if (FindNewPolicyPicker()) return;
    GUI_WindowManager::Instance().Open(std::make_unique<GUI_NewPolicyWindow>());
}

void CloseNewPolicyPicker() {
    if (GUI_NewPolicyWindow* open = FindNewPolicyPicker())
        GUI_WindowManager::Instance().Close(open);
}

GUI_IntroducePolicyWindow* FindIntroducePolicy() {
    return FindOpen<GUI_IntroducePolicyWindow>();
}

void OpenIntroducePolicy(Policy& policy) {
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    if (GUI_IntroducePolicyWindow* open = FindIntroducePolicy()) {
        if (open->GetPolicy() == &policy) return;
        windows.Close(open);
    }
    windows.Open(std::make_unique<GUI_IntroducePolicyWindow>(policy));
}

void CloseTurnPolicyWindows() {
    // A dialog waiting for an answer holds the turn back, so nothing settles.
    if (GUI_ModalHolder::Instance().HasModalWindow()) return;
    if (GUI_PolicyDetailsWindow* open = FindPolicyDetails()) open->SettleChange();
    CloseNewPolicyPicker();
    if (GUI_IntroducePolicyWindow* open = FindIntroducePolicy())
        GUI_WindowManager::Instance().Close(open);
    GUI_WindowManager::Instance().DeletePending();
}

std::uint32_t PolicyGroupColour(int groupIndex) {
    return Skin::Instance().GroupColour(groupIndex);
}

std::string MoneyPerTurn(float amountInMillions) {
    return FormatMoney(amountInMillions) + " / " + GetString("MONTH");
}

PolicyMoneyNote NewPolicyMoneyNote(const Policy& policy) {
    if (const float cost = policy.CostAt(0.5f); cost > 0.0f)
        return {GetString("COST"), MoneyPerTurn(cost)};
    if (const float income = policy.IncomeAt(0.5f); income > 0.0f)
        return {GetString("INCOME"), MoneyPerTurn(income)};
    return {};
}

std::string FitText(int style, const std::string& text, int width) {
    if (StyledTextWidth(style, text) <= width) return text;
    const std::string ellipsis = "...";
    // The longest prefix that fits with the ellipsis, found by halving.
    size_t low = 0, high = text.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (StyledTextWidth(style, text.substr(0, middle) + ellipsis) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    size_t end = low;
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end) + ellipsis;
}

std::string FirstSentence(const std::string& text) {
    const size_t stop = text.find(". ");
    return stop == std::string::npos ? text : text.substr(0, stop + 1);
}
