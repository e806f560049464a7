// The approval and voting-intention windows.
#include "gui/GUI_PollBarWindow.h"

#include "core/TextUtilities.h"
#include "engine/StyleSheet.h"
#include "politics/Polls.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 500.0f;
constexpr float kTextLeft = 20.0f;
constexpr float kTextTop = 40.0f;
constexpr float kWrap = 460.0f;
constexpr float kCentre = 250.0f;
constexpr float kLine = 18.0f;
}  // namespace

std::string GUI_PollBarWindow::ValueLine(const std::string& label, float fraction) {
    return FormatText("%s: %.2f%%", label.c_str(), double(fraction * 100.0f));
}

GUI_PollBarWindow::GUI_PollBarWindow(Bar bar)
    : GUI_InfoWindow(GetString(bar == Bar::Approval ? "POPBAR_DETAILS" : "VOTEBAR_DETAILS"), kWidth,
                     200.0f),
      bar_(bar) {
    const Polls& polls = Polls::Instance();
    const bool approval = bar == Bar::Approval;
    description_ = GetString(approval ? "POPBAR_DESC" : "VOTEBAR_DESC");
    current_ = ValueLine(GetString("CURRENT_VALUE"),
                         approval ? polls.Approval() : polls.PotentialVote());
    peak_ = ValueLine(GetString("PEAK_VALUE"), approval ? polls.PeakApproval() : polls.PeakVote());
    height_ = TextHeight(StyleSheet::kApproval, description_, kWrap);
    Resize(kWidth, kTextTop + height_ + 20.0f + 2.0f * kLine + 36.0f);
}

void GUI_PollBarWindow::DrawContent() {
    Text(StyleSheet::kApproval, kTextLeft, kTextTop, description_, kWrap);
    const float top = kTextTop + height_ + 20.0f;
    Text(StyleSheet::kParagraph, kCentre - 240.0f, top, current_, 480.0f, GdiText::kCentre);
    Text(StyleSheet::kParagraph, kCentre - 240.0f, top + kLine, peak_, 480.0f, GdiText::kCentre);
}
