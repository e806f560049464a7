// The policy details window.
#include "gui/GUI_PolicyDetailsWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Application.h"
#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_CloseButton.h"
#include "gui/GUI_DrawnTab.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_RestrictPowersWindow.h"
#include "gui/GUI_TabButton.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiDrawing.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"
#include "gui/PolicyWindows.h"
#include "politics/Policy.h"
#include "politics/PolicyGroup.h"
#include "politics/PoliticalCapital.h"
#include "politics/SliderConfiguration.h"
#include "simulation/NeuralEffect.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {

constexpr SkinColour kMutedInk{Skin::COL_POLICYMUTEDTEXT};
constexpr SkinColour kBarBlue{Skin::COL_ACCENT};
constexpr SkinColour kTrough{Skin::COL_TROUGH};
constexpr SkinColour kGrid{Skin::COL_MUTED};
// An effect this strong fills its half of the bar; the strongest effects of
// the shipped policies stay below it.
constexpr float kFullStrength = 0.25f;

struct EffectRow {
    std::string target;
    float strength;  // now, as far as the policy is in force
    float full;      // at full implementation, which orders the rows
};

}  // namespace

GUI_PolicyDetailsWindow::GUI_PolicyDetailsWindow(Policy& policy)
    : policy_(&policy),
      openingValue_(std::clamp(policy.Slider(), 0.0f, 1.0f)),
      scale_(Application::Instance().InterfaceScale()),
      slider_(policy.Configuration(), this),
      tabs_(std::make_unique<GUI_TabContainer>()),
      implementationTooltip_(GetString("TOOLTIP_IMPLEMENTBAR"), GUI_Button::kTooltipDelay) {
    const float s = scale_;
    SetRect(0.0f, 0.0f, kWidth * s, kHeight * s);
    CentreOnScreen();
    const float left = float(rect_.left), top = float(rect_.top);
    const float right = float(rect_.right), bottom = float(rect_.bottom);

    close_ = Add<GUI_CloseButton>();
    close_->SetAction([this] { RequestClose(); });
    close_->SetRect(right - 36.0f * s, top + 8.0f * s, right - 8.0f * s, top + 36.0f * s);

    tabs_->SetRect(left + 20.0f * s, top + 96.0f * s, right - 20.0f * s, bottom - 184.0f * s);
    GUI_WindowTab* details = tabs_->AddTab(
        std::make_unique<GUI_DrawnTab>([this](const Rect& page) { DrawDescription(page); }));
    GUI_WindowTab* effects = tabs_->AddTab(
        std::make_unique<GUI_DrawnTab>([this](const Rect& page) { DrawEffects(page); }));
    tabs_->Add<GUI_TabButton>(GetString("DETAILS"), details)
        ->SetRect(left + 20.0f * s, top + 66.0f * s, left + 160.0f * s, top + 96.0f * s);
    tabs_->Add<GUI_TabButton>(GetString("POLICY_EFFECTS"), effects)
        ->SetRect(left + 164.0f * s, top + 66.0f * s, left + 304.0f * s, top + 96.0f * s);
    tabs_->Select(details);

    if (policy.IsCancellable()) {
        cancel_ = Add<GUI_TextButton>(GetString("CANCEL"), [this] { RequestCancel(); });
        const float money = float(MoneyTop());
        cancel_->SetRect(right - 190.0f * s, money + 40.0f * s, right - 20.0f * s,
                         money + 74.0f * s);
        cancel_->SetTooltip(GetString("TOOLTIP_CANCELPOLICY"));
    }

    const float centre = left + float(width_ / 2);
    slider_.SetPosition(centre - kSliderLength / 2.0f * s, bottom - 70.0f * s, kSliderLength * s);
    slider_.SetValue(openingValue_);
}

GUI_PolicyDetailsWindow::~GUI_PolicyDetailsWindow() {
    if (!cancelRequested_) return;
    Policy* policy = GetPolicy();
    if (policy && policy->IsInForce()) policy->Cancel();
}

Policy* GUI_PolicyDetailsWindow::GetPolicy() const {
    const std::vector<Policy*>& all = Policy::AllPolicies();
    return std::find(all.begin(), all.end(), policy_) != all.end() ? policy_ : nullptr;
}

bool GUI_PolicyDetailsWindow::HasChange() const {
    const Policy* policy = GetPolicy();
    return policy && (cancelRequested_ || policy->Slider() != openingValue_);
}

int GUI_PolicyDetailsWindow::MoneyTop() const {
    return rect_.bottom - int(176.0f * scale_);
}

Rect GUI_PolicyDetailsWindow::ImplementationBarRect() const {
    const int money = MoneyTop();
    return Rect{rect_.left + int(210.0f * scale_), money + int(10.0f * scale_),
                rect_.right - int(50.0f * scale_), money + int(22.0f * scale_)};
}

bool GUI_PolicyDetailsWindow::ShowsImplementationBar() const {
    const Policy* policy = GetPolicy();
    return policy && policy->Implementation() < 1.0f;
}

bool GUI_PolicyDetailsWindow::ShowsCostLine() const {
    const Policy* policy = GetPolicy();
    return policy && policy->CurrentCost() > 0.0f;
}

bool GUI_PolicyDetailsWindow::ShowsIncomeLine() const {
    const Policy* policy = GetPolicy();
    return policy && policy->CurrentIncome() > 0.0f;
}

std::string GUI_PolicyDetailsWindow::PolicyChangeText() const {
    const Policy* policy = GetPolicy();
    if (!policy || policy->ImplementationTime() <= 0) return {};
    return FormatString("POLICY_CHANGE",
                        FormatText("MONTHS=%d,", policy->ImplementationTime() * 3));
}

// ---------------------------------------------------------------- the slider

void GUI_PolicyDetailsWindow::Commit(float value) {
    Policy* policy = GetPolicy();
    if (!policy || value == policy->Slider()) return;
    policy->SetSlider(value);
    PlayerInputRecorder::Instance().RecordSlider(policy->Name(), value);
}

void GUI_PolicyDetailsWindow::SliderMoved(float /*candidate*/) {
    // A drag is taken when it is dropped; an arrow key at once.
    if (!slider_.IsDragging()) Commit(slider_.Value());
}

void GUI_PolicyDetailsWindow::SliderReleased(float value) {
    Commit(value);
}

float GUI_PolicyDetailsWindow::SliderTarget() const {
    const Policy* policy = GetPolicy();
    if (!policy) return slider_.Value();
    const NeuralEffect* effect = policy->SliderEffect();
    return effect ? effect->ValueAtTargetInput() : policy->Slider();
}

float GUI_PolicyDetailsWindow::SliderCurrent() const {
    const Policy* policy = GetPolicy();
    if (!policy) return slider_.Value();
    const NeuralEffect* effect = policy->SliderEffect();
    return effect ? effect->ValueAt(effect->LaggedInput()) : policy->Slider();
}

void GUI_PolicyDetailsWindow::RevertSlider() {
    Commit(openingValue_);
    slider_.SetValue(openingValue_);
}

// ---------------------------------------------------------------- closing

void GUI_PolicyDetailsWindow::CloseNow() {
    GUI_WindowManager::Instance().Close(this);
}

bool GUI_PolicyDetailsWindow::CloseRequested() {
    RequestClose();
    return false;
}

void GUI_PolicyDetailsWindow::RequestCancel() {
    const Policy* policy = GetPolicy();
    if (!policy || !policy->IsCancellable()) return;
    cancelRequested_ = true;
    RequestClose();
}

void GUI_PolicyDetailsWindow::RequestClose() {
    if (!RestrictedPowers() || !HasChange()) {
        CloseNow();
        return;
    }
    PoliticalCapital& capital = PoliticalCapital::Instance();
    if (capital.Left() > 0) {
        // The dialog outlives nothing it points at: each answer first checks
        // that this window is still the open details window.
        GUI_PolicyDetailsWindow* self = this;
        GUI_WindowManager::Instance().Open(GUI_RestrictPowersWindow::Confirm(
            capital.Left(),
            [self] {
                if (FindPolicyDetails() != self) return;
                PoliticalCapital::Instance().SpendOne();
                self->CloseNow();
            },
            [self] {
                // Saying no keeps the policy; a moved slider stays on show.
                if (FindPolicyDetails() == self) self->cancelRequested_ = false;
            }));
        return;
    }
    RevertSlider();
    cancelRequested_ = false;
    OpenRestrictPowersBlocked();
}

void GUI_PolicyDetailsWindow::SettleChange() {
    cancelRequested_ = false;
    Policy* policy = GetPolicy();
    if (!policy) return;
    if (RestrictedPowers() && policy->Slider() != openingValue_) {
        PoliticalCapital& capital = PoliticalCapital::Instance();
        if (capital.Left() > 0)
            capital.SpendOne();
        else
            RevertSlider();
    }
    openingValue_ = std::clamp(policy->Slider(), 0.0f, 1.0f);
    settledTurn_ = Gameplaymanager::Instance().TurnNumber();
}

bool GUI_PolicyDetailsWindow::ClosesAtTurnEnd() const {
    return settledTurn_ != Gameplaymanager::Instance().TurnNumber();
}

void GUI_PolicyDetailsWindow::SettleAndClose() {
    SettleChange();
    CloseNow();
}

// ---------------------------------------------------------------- frame

bool GUI_PolicyDetailsWindow::IsInFront() const {
    return IsFrontWindow(this);
}

bool GUI_PolicyDetailsWindow::OnClick(float x, float y) {
    if (!visible_ || !Contains(x, y)) return false;
    if (tabs_->OnClick(x, y)) return true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->OnClick(x, y)) break;
    return true;
}

void GUI_PolicyDetailsWindow::Update() {
    GUI_Window::Update();
    if (!visible_) return;
    const Policy* policy = GetPolicy();
    if (!policy || !policy->IsInForce()) {
        // Scrapped or gone elsewhere: nothing is left to show or cancel.
        cancelRequested_ = false;
        CloseNow();
        return;
    }
    if (!slider_.IsDragging()) {
        const float value = std::clamp(policy->Slider(), 0.0f, 1.0f);
        if (value != slider_.Value()) slider_.SetValue(value);
    }
}

void GUI_PolicyDetailsWindow::Draw() {
    if (!visible_ || !GetPolicy()) return;
    DrawPanel();
    tabs_->Draw();
    slider_.SetInteractive(IsInFront());
    slider_.Draw();
    DrawSliderLabels();
    UpdateAndDrawButtons();
}

void GUI_PolicyDetailsWindow::DrawPanel() {
    const Policy& policy = *policy_;
    const float s = scale_;
    DrawPaperPanel(rect_);
    const int group = policy.Group() ? policy.Group()->Index() : 0;
    D3DEngine::Instance().FillRect(
        Rect{rect_.left, rect_.top, rect_.left + int(6 * s), rect_.bottom},
        PolicyGroupColour(group));
    const std::string& name = policy.DisplayName().empty() ? policy.Name() : policy.DisplayName();
    DrawStyledText(StyleSheet::kTitle, float(rect_.left) + 24.0f * s, float(rect_.top) + 6.0f * s,
                   FitText(StyleSheet::kTitle, name, int(float(width_) - 80.0f * s)));
    const std::string change = PolicyChangeText();
    if (!change.empty())
        DrawStyledText(StyleSheet::kApproval, float(rect_.left), float(rect_.top) + 40.0f * s,
                       change, float(width_), GdiText::kCentre, kMutedInk);

    if (ShowsImplementationBar()) DrawImplementationBar(policy.Implementation());
    const int money = MoneyTop();
    if (ShowsCostLine())
        DrawMoneyLine("COST", policy.CostAt(slider_.Value()), money + int(45.0f * s));
    if (ShowsIncomeLine())
        DrawMoneyLine("INCOME", policy.IncomeAt(slider_.Value()), money + int(60.0f * s));
}

void GUI_PolicyDetailsWindow::DrawMoneyLine(const char* key, float amount, int y) const {
    DrawStyledText(StyleSheet::kApproval, float(rect_.left) + 50.0f * scale_, float(y),
                   GetString(key));
    DrawStyledText(StyleSheet::kApproval, float(rect_.left) + 130.0f * scale_, float(y),
                   MoneyPerTurn(amount));
}

void GUI_PolicyDetailsWindow::DrawImplementationBar(float implementation) {
    const Rect bar = ImplementationBarRect();
    DrawStyledText(
        StyleSheet::kApproval, float(rect_.left) + 50.0f * scale_,
        float(bar.top + bar.bottom) / 2.0f - float(ScaledStyleSize(StyleSheet::kApproval)) * 0.6f,
        GetString("POLICY_IMPLEMENTATION"));
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(bar, kTrough);
    const int filled = int(float(bar.right - bar.left) * std::clamp(implementation, 0.0f, 1.0f));
    if (filled > 0)
        engine.FillRect(Rect{bar.left, bar.top, bar.left + filled, bar.bottom}, kBarBlue);
    engine.DrawRectOutline(bar, Skin::Instance().Get(Skin::COL_INK));
    const GuiInput& input = GuiInput::Instance();
    if (IsInFront() && RectContains(bar, input.mouseX, input.mouseY)) {
        implementationTooltip_.Arm(input.stillFrames);
        implementationTooltip_.PlaceAtMouse(input.mouseX, input.mouseY);
    }
    implementationTooltip_.Draw();
}

void GUI_PolicyDetailsWindow::DrawSliderLabels() const {
    const SliderConfiguration* config = policy_->Configuration();
    if (!config || config->Labels().empty()) return;
    const Rect& track = slider_.Track();
    const float gap = 12.0f * scale_;
    const float y = float(track.top + track.bottom) / 2.0f -
                    float(ScaledStyleSize(StyleSheet::kApproval)) * 0.6f;
    const float side = 130.0f * scale_;
    DrawStyledText(StyleSheet::kApproval, float(track.left) - gap - side, y,
                   config->Labels().front(), side, GdiText::kRight, kMutedInk);
    DrawStyledText(StyleSheet::kApproval, float(track.right) + gap, y, config->Labels().back(),
                   0.0f, GdiText::kLeft, kMutedInk);
    DrawStyledText(StyleSheet::kButtonText, float(rect_.left), float(track.bottom) + 18.0f * scale_,
                   config->StepLabel(slider_.Value()), float(width_), GdiText::kCentre);
}

// ---------------------------------------------------------------- tab pages

void GUI_PolicyDetailsWindow::DrawDescription(const Rect& page) const {
    const float s = scale_;
    const float pad = 14.0f * s;
    DrawStyledText(StyleSheet::kParagraph, float(page.left) + pad, float(page.top) + pad,
                   policy_->Description(), float(page.right - page.left) - 2.0f * pad);

    // How the voters it touches feel about it: right of the middle mark and
    // green when liked, left and orange when disliked, with the figure.
    const float popularity = std::clamp(policy_->Popularity(), 0.0f, 1.0f);
    const float y = float(page.bottom) - 34.0f * s;
    DrawStyledText(StyleSheet::kApproval, float(page.left) + pad, y, GetString("POLICY_POPULARITY"),
                   0.0f, GdiText::kLeft, kMutedInk);
    const int barLeft = page.left + int(210.0f * s), barRight = page.right - int(70.0f * s);
    const int mid = int(y + float(ScaledStyleSize(StyleSheet::kApproval)) * 0.6f);
    const Rect bar{barLeft, mid - int(6 * s), barRight, mid + int(6 * s)};
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(bar, kTrough);
    const int centre = (bar.left + bar.right) / 2;
    const int reach = int(float(bar.right - bar.left) * (popularity - 0.5f));
    if (reach != 0)
        engine.FillRect(Rect{std::min(centre, centre + reach), bar.top,
                             std::max(centre, centre + reach), bar.bottom},
                        Skin::Instance().Get(reach > 0 ? Skin::COL_GOOD : Skin::COL_BAD));
    engine.DrawRectOutline(bar, kGrid);
    engine.DrawLine(float(centre), float(bar.top - 3), float(centre), float(bar.bottom + 3),
                    Skin::Instance().Get(Skin::COL_INK));
    DrawStyledText(StyleSheet::kApproval, float(barRight) + 10.0f * s, y,
                   FormatText("%d%%", int(std::lround(popularity * 100.0f))));
}

void GUI_PolicyDetailsWindow::DrawEffects(const Rect& page) const {
    const float s = scale_;
    const float pad = 14.0f * s;
    std::vector<EffectRow> rows;
    const float implementation = policy_->Implementation();
    for (const NeuralEffect* effect : policy_->Outputs()) {
        const Neuron* target = effect->Target();
        if (!target) continue;
        const std::string& name =
            target->DisplayName().empty() ? target->Name() : target->DisplayName();
        rows.push_back({name, effect->StoredOutput() * implementation, effect->StoredOutput()});
    }
    if (rows.empty()) {
        DrawStyledText(StyleSheet::kParagraph, float(page.left) + pad, float(page.top) + pad,
                       GetString("POLICY_NOEFFECTS"));
        return;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const EffectRow& a, const EffectRow& b) {
        return std::fabs(a.full) > std::fabs(b.full);
    });

    const float rowHeight = 17.0f * s;
    const float headTop = float(page.top) + 8.0f * s;
    const float listTop = headTop + 24.0f * s;
    const int fit = std::max(1, int((float(page.bottom) - 6.0f * s - listTop) / rowHeight));
    const int columns = int(rows.size()) > fit ? 2 : 1;
    // Two columns share the rows evenly (as far as they fit).
    const int perColumn = columns == 1 ? fit : std::min(fit, (int(rows.size()) + 1) / 2);
    const float columnWidth = (float(page.right - page.left) - 2.0f * pad) / float(columns);
    const float valueWidth = 48.0f * s;
    const float half = (columns == 1 ? 80.0f : 28.0f) * s;
    D3DEngine& engine = D3DEngine::Instance();
    for (int column = 0; column < columns; ++column) {
        const float x = float(page.left) + pad + float(column) * columnWidth;
        const float right = x + columnWidth - (column + 1 < columns ? 12.0f * s : 0.0f);
        const float centre = right - valueWidth - half - 6.0f * s;
        DrawStyledText(StyleSheet::kApproval, x, headTop, GetString("POLICY_EFFECT_TARGET"), 0.0f,
                       GdiText::kLeft, kMutedInk);
        DrawStyledText(StyleSheet::kApproval, centre - half, headTop,
                       GetString("POLICY_EFFECT_STRENGTH"), right - (centre - half),
                       GdiText::kRight, kMutedInk);
        const int first = column * perColumn;
        const int last = std::min(int(rows.size()), first + perColumn);
        for (int i = first; i < last; ++i) {
            const EffectRow& row = rows[size_t(i)];
            const float y = listTop + float(i - first) * rowHeight;
            const int nameWidth = int(centre - half - x - 8.0f * s);
            DrawStyledText(StyleSheet::kApproval, x, y,
                           FitText(StyleSheet::kApproval, row.target, nameWidth));
            // Right of the centre line raises the target, left lowers it; the
            // signed figure says the same in words.
            const int mid = int(y + rowHeight / 2.0f);
            engine.DrawLine(centre, float(mid) - 6.0f * s, centre, float(mid) + 6.0f * s, kGrid);
            const float reach = std::clamp(row.strength / kFullStrength, -1.0f, 1.0f) * half;
            if (std::fabs(reach) >= 1.0f) {
                const int a = int(std::min(centre, centre + reach));
                const int b = int(std::max(centre, centre + reach));
                engine.FillRect(Rect{a, mid - int(4 * s), b, mid + int(4 * s)}, kBarBlue);
            }
            DrawStyledText(StyleSheet::kApproval, right - valueWidth, y,
                           FormatText("%+.2f", double(row.strength)), valueWidth, GdiText::kRight);
        }
    }
}
