// The budget: where the money comes from, where it goes (a pie chart of the
// largest costs), and twenty quarters of income, spending and debt, above a
// summary of the accounts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/FinanceChart.h"
#include "gui/GUI_InfoWindow.h"

class GUI_TabContainer;

class GUI_FinanceWindow : public GUI_InfoWindow {
public:
    enum Page { kIncome = 0, kExpenditure = 1, kHistory = 2 };

    GUI_FinanceWindow();
    ~GUI_FinanceWindow() override;

    bool OnClick(float x, float y) override;
    void ShowPage(Page page);
    int ShownPage() const;
    GUI_TabContainer& Pages() { return *pages_; }
    const std::vector<PieSlice>& Slices() const { return slices_; }
    // The summary: the debt or the reserves, then spending and income.
    const std::vector<std::string>& Summary() const { return summary_; }

protected:
    void DrawContent() override;

private:
    void DrawIncome(const Rect& page) const;
    void DrawExpenditure(const Rect& page) const;
    void DrawHistory(const Rect& page) const;

    std::unique_ptr<GUI_TabContainer> pages_;
    std::vector<PieSlice> slices_;
    std::vector<CostItem> income_;
    std::vector<std::string> summary_;
};
