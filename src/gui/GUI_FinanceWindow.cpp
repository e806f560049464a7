// The finance window.
#include "gui/GUI_FinanceWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_DrawnTab.h"
#include "gui/GUI_TabButton.h"
#include "gui/GUI_TabContainer.h"
#include "gui/InfoDrawing.h"
#include "world/Finances.h"
#include "world/MoneyFormat.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 660.0f;
constexpr float kHeight = 540.0f;
constexpr float kPageLeft = 20.0f, kPageTop = 76.0f, kPageRight = 640.0f, kPageBottom = 440.0f;
constexpr float kTabTop = 46.0f, kTabWidth = 150.0f;
constexpr float kPieRadius = 128.0f;
constexpr float kRow = 18.0f;
constexpr size_t kMaxIncomeRows = 14;
constexpr float kTau = 6.28318530718f;
constexpr SkinColour kIncomeColour = info_colour::kGood;
constexpr SkinColour kSpendingColour = info_colour::kBad;
constexpr SkinColour kDebtColour = info_colour::kInk;
constexpr const char* kPageKeys[3] = {"INCOME", "EXPENDITURE", "HISTORY"};
}  // namespace

GUI_FinanceWindow::GUI_FinanceWindow()
    : GUI_InfoWindow(GetString("BUDGET_REPORT"), kWidth, kHeight),
      pages_(std::make_unique<GUI_TabContainer>()) {
    // The window reads the quarter as the turn booked it, the figures of the
    // finance box; opening it never recalculates the accounts, which would
    // move the box and the next turn's news.
    const Finances& finances = Finances::Instance();
    slices_ = CurrentExpenditureSlices();
    income_ = CurrentIncomeSources();
    if (finances.Debt() > 0.0f)
        summary_.push_back(GetString("NATIONAL_DEBT") + ": " + FormatMoney(finances.Debt()));
    else
        summary_.push_back(GetString("GOVERNMENT_RESERVES") + ": " +
                           FormatMoney(finances.Reserves()));
    // A turn is a quarter, and so are these amounts.
    summary_.push_back(GetString("BUDGET_EXPENSES") + ": " + FormatMoney(finances.Expenses()));
    summary_.push_back(GetString("BUDGET_INCOME") + ": " + FormatMoney(finances.Income()));

    pages_->SetRect(X(kPageLeft), Y(kPageTop), X(kPageRight), Y(kPageBottom));
    const GUI_DrawnTab::Painter painters[3] = {[this](const Rect& page) { DrawIncome(page); },
                                               [this](const Rect& page) { DrawExpenditure(page); },
                                               [this](const Rect& page) { DrawHistory(page); }};
    for (int i = 0; i < 3; ++i) {
        GUI_WindowTab* tab = pages_->AddTab(std::make_unique<GUI_DrawnTab>(painters[i]));
        auto* button = pages_->Add<GUI_TabButton>(GetString(kPageKeys[i]), tab);
        const float left = kPageLeft + float(i) * (kTabWidth + 4.0f);
        Place(button, left, kTabTop, left + kTabWidth, kPageTop + 1.0f);
    }
    ShowPage(kExpenditure);
}

GUI_FinanceWindow::~GUI_FinanceWindow() = default;

void GUI_FinanceWindow::ShowPage(Page page) {
    pages_->SelectIndex(int(page));
}

int GUI_FinanceWindow::ShownPage() const {
    const GUI_WindowTab* tab = pages_->ShownTab();
    return tab ? tab->Index() : -1;
}

bool GUI_FinanceWindow::OnClick(float x, float y) {
    if (!IsVisible() || !Contains(x, y)) return false;
    if (!pages_->OnClick(x, y)) GUI_InfoWindow::OnClick(x, y);
    return true;
}

void GUI_FinanceWindow::DrawContent() {
    pages_->Draw();
    const float top = kPageBottom + 14.0f;
    Text(StyleSheet::kHeadline, kPageLeft + 4.0f, top, summary_[0]);
    Text(StyleSheet::kParagraph, kPageLeft + 4.0f, top + 28.0f, summary_[1]);
    Text(StyleSheet::kParagraph, kPageLeft + 4.0f, top + 50.0f, summary_[2]);
    const Finances& finances = Finances::Instance();
    const float balance = finances.Income() - finances.Expenses();
    // The balance of the turn, with its sign as the cue besides the colour.
    Text(StyleSheet::kApproval, kPageLeft, top + 16.0f, GetString("BUDGET_BALANCE"),
         kPageRight - kPageLeft - 4.0f, GdiText::kRight, info_colour::kMutedText);
    Text(StyleSheet::kHeadline, kPageLeft, top + 38.0f,
         (balance >= 0.0f ? "+" : "-") + FormatMoney(balance >= 0.0f ? balance : -balance),
         kPageRight - kPageLeft - 4.0f, GdiText::kRight,
         balance >= 0.0f ? info_colour::kGoodText : info_colour::kBadText);
}

void GUI_FinanceWindow::DrawIncome(const Rect&) const {
    const float top = kPageTop + 14.0f;
    Text(StyleSheet::kHeadline, kPageLeft + 16.0f, top,
         GetString("INCOME") + ": " + FormatMoney(Finances::Instance().Income()));
    const float largest = income_.empty() ? 0.0f : income_.front().amount;
    float y = top + 34.0f;
    for (size_t i = 0; i < income_.size() && i < kMaxIncomeRows; ++i, y += kRow + 4.0f) {
        const CostItem& item = income_[i];
        Text(StyleSheet::kApproval, kPageLeft + 16.0f, y, item.name);
        DrawLevelBar(Rect{int(X(300.0f)), int(Y(y + 3.0f)), int(X(480.0f)), int(Y(y + 14.0f))},
                     largest > 0.0f ? item.amount / largest : 0.0f, kIncomeColour);
        Text(StyleSheet::kApproval, 480.0f, y, FormatMoney(item.amount), kPageRight - 496.0f,
             GdiText::kRight);
    }
}

void GUI_FinanceWindow::DrawExpenditure(const Rect&) const {
    const float cx = X(kPageLeft + 24.0f + kPieRadius), cy = Y(kPageTop + 30.0f + kPieRadius);
    const float radius = Px(kPieRadius);
    float total = 0.0f;
    for (const PieSlice& slice : slices_) total += slice.amount;
    float angle = 0.0f;
    for (const PieSlice& slice : slices_) {
        if (total <= 0.0f) break;
        const float sweep = slice.amount / total * kTau;
        FillPieSlice(cx, cy, radius, angle, angle + sweep, slice.colour);
        angle += sweep;
    }
    D3DEngine& engine = D3DEngine::Instance();
    // Thin paper spokes between the slices keep neighbours of like colour apart.
    angle = 0.0f;
    for (const PieSlice& slice : slices_) {
        if (total <= 0.0f || slices_.size() < 2) break;
        engine.DrawLine(cx, cy, cx + std::sin(angle) * radius, cy - std::cos(angle) * radius,
                        info_colour::kPaper);
        angle += slice.amount / total * kTau;
    }
    const float legendLeft = kPageLeft + 2.0f * kPieRadius + 60.0f;
    float y = kPageTop + 16.0f;
    for (const PieSlice& slice : slices_) {
        engine.FillRect(Rect{int(X(legendLeft)), int(Y(y + 3.0f)), int(X(legendLeft + 12.0f)),
                             int(Y(y + 15.0f))},
                        slice.colour);
        Text(StyleSheet::kApproval, legendLeft + 18.0f, y, slice.label);
        y += kRow;
        if (!slice.note.empty()) {
            Text(StyleSheet::kApproval, legendLeft + 18.0f, y, slice.note,
                 kPageRight - legendLeft - 24.0f, GdiText::kLeft, info_colour::kMutedText);
            y += TextHeight(StyleSheet::kApproval, slice.note, kPageRight - legendLeft - 24.0f);
        }
    }
}

void GUI_FinanceWindow::DrawHistory(const Rect&) const {
    const Finances& finances = Finances::Instance();
    const float top = finances.GraphMaximum() * 1.1f;
    const float chartLeft = kPageLeft + 20.0f, chartRight = kPageRight - 20.0f;
    const float chartTop = kPageTop + 60.0f, chartBottom = kPageBottom - 24.0f;
    const std::pair<const char*, std::uint32_t> legend[3] = {{"INCOME", kIncomeColour},
                                                             {"EXPENDITURE", kSpendingColour},
                                                             {"NATIONAL_DEBT", kDebtColour}};
    float x = chartLeft;
    D3DEngine& engine = D3DEngine::Instance();
    for (const auto& [key, colour] : legend) {
        engine.FillRect(
            Rect{int(X(x)), int(Y(kPageTop + 22.0f)), int(X(x + 20.0f)), int(Y(kPageTop + 26.0f))},
            colour);
        Text(StyleSheet::kApproval, x + 26.0f, kPageTop + 14.0f, GetString(key));
        x += 180.0f;
    }
    Text(StyleSheet::kApproval, chartLeft, chartTop - 20.0f, FormatMoney(top), 0.0f, GdiText::kLeft,
         info_colour::kMutedText);
    auto series = [](const auto& history, std::uint32_t colour) {
        return ChartSeries{std::vector<float>(history.begin(), history.end()), colour};
    };
    DrawHistoryChart(
        Rect{int(X(chartLeft)), int(Y(chartTop)), int(X(chartRight)), int(Y(chartBottom))},
        {series(finances.DebtHistory(), kDebtColour),
         series(finances.ExpenditureHistory(), kSpendingColour),
         series(finances.IncomeHistory(), kIncomeColour)},
        top);
}
