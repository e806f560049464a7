// The polls window.
#include "gui/GUI_PollsWindow.h"

#include <algorithm>
#include <cmath>

#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/InfoDrawing.h"
#include "politics/Polls.h"
#include "world/Cynicism.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 620.0f;
constexpr float kHeight = 400.0f;
constexpr float kChartLeft = 30.0f;
constexpr float kChartWidth = 540.0f;
constexpr float kChartHeight = 110.0f;
}  // namespace

std::string GUI_PollsWindow::CynicismLine(float cynicism) {
    return FormatText("%s: %s (%.2f)", GetString("CYNICISM").c_str(),
                      GetGradedString(3.0f * cynicism, "cynicism").c_str(), double(cynicism));
}

GUI_PollsWindow::GUI_PollsWindow()
    : GUI_InfoWindow(GetString("POLLSHISTORY"), kWidth, kHeight),
      cynicism_(CynicismLine(Cynicism::Instance().GetCynicism())) {}

void GUI_PollsWindow::DrawChart(float top, const char* labelKey, bool votes) const {
    const Polls& polls = Polls::Instance();
    const auto& history = votes ? polls.VoteHistory() : polls.ApprovalHistory();
    const float now = votes ? polls.PotentialVote() : polls.Approval();
    Text(StyleSheet::kHeadline, kChartLeft, top, GetString(labelKey));
    Text(StyleSheet::kHeadline, kChartLeft, top, FormatText("%.1f%%", double(now * 100.0f)),
         kChartWidth, GdiText::kRight,
         now >= 0.5f ? info_colour::kGoodText : info_colour::kBadText);
    const Rect chart{int(X(kChartLeft)), int(Y(top + 26.0f)), int(X(kChartLeft + kChartWidth)),
                     int(Y(top + 26.0f + kChartHeight))};
    ChartSeries series;
    series.values.assign(history.begin(), history.end());
    series.colour = votes ? info_colour::kAccent : Skin::Instance().Get(Skin::COL_APPROVALLINE);
    DrawHistoryChart(chart, {series}, 1.0f);
    // Half the vote is what an election needs; the line marks it on both.
    const int half = (chart.top + chart.bottom) / 2;
    for (int x = chart.left; x < chart.right; x += 8)
        D3DEngine::Instance().FillRect(Rect{x, half, std::min(x + 4, chart.right), half + 1},
                                       info_colour::kInk);
    Text(StyleSheet::kApproval, kChartLeft + kChartWidth + 4.0f,
         top + 26.0f + kChartHeight / 2.0f - 9.0f, "50%");
}

void GUI_PollsWindow::DrawContent() {
    DrawChart(48.0f, "GUI_POPULARITY", false);
    DrawChart(200.0f, "GUI_VOTINGINTENT", true);
    Rule(kHeight - 56.0f);
    Text(StyleSheet::kParagraph, 20.0f, kHeight - 40.0f, cynicism_);
}
